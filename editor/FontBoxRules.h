#pragma once
// The font bar's size and gap boxes: what leaving a box makes of its text,
// and reading a box as the number it sets. Sizes run from 1 point up to the
// size whose characters are as tall as the largest worksheet; gaps from 0 up
// to that worksheet's width. Anything else (a run of digits too long for any
// integer included) is refused with a message, and the setting stays.
#include <QString>

#include <optional>

enum class TFontBox { Size, Gap };

struct TFontBoxLimits {
  int Min, Max, Default;
};
TFontBoxLimits FontBoxLimits(TFontBox box);

// Leaving a box: only the digits "0" to "9" stay, in their order; with none
// left the box's default.
QString FontBoxExitText(TFontBox box, const QString& typed);

struct TFontBoxValue {
  std::optional<int> Value;  // nullopt when refused
  QString Refusal;           // the message telling why, when refused
};
// The box's text as a decimal integer (blanks around it and a sign allowed,
// as the number conversion allows them) within the box's limits.
TFontBoxValue ReadFontBoxValue(TFontBox box, const QString& text);
