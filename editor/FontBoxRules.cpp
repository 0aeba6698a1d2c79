#include "FontBoxRules.h"

#include "IntegerText.h"
#include "PageSetupRules.h"
#include "StringTable.h"

namespace {

// A character as tall as the largest worksheet: pixels at 96 per inch to points.
constexpr int MaxFontSize = PageSetupRules::MaxSheetPixels * 72 / 96;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

TFontBoxLimits FontBoxLimits(TFontBox box) {
  if (box == TFontBox::Size) return {1, MaxFontSize, 12};
  return {0, PageSetupRules::MaxSheetPixels, 0};
}

QString FontBoxExitText(TFontBox box, const QString& typed) {
  QString digits;
  for (QChar c : typed)
    if (IsDigit(c)) digits += c;
  return digits.isEmpty() ? QString::number(FontBoxLimits(box).Default) : digits;
}

TFontBoxValue ReadFontBoxValue(TFontBox box, const QString& text) {
  const TFontBoxLimits limits = FontBoxLimits(box);
  const QString range = LoadStr(box == TFontBox::Size ? 1350 : 1351)
                            .arg(QString::number(limits.Min), QString::number(limits.Max));
  const QString t = text.trimmed();
  qsizetype i = (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) ? 1 : 0;
  const bool negative = t.startsWith(QLatin1Char('-'));
  if (i == t.size()) return {std::nullopt, InvalidIntegerMessage(text)};
  // Digit by digit, stopping as soon as the value is past the limit, so that
  // no run of digits is too long to judge.
  int64_t value = 0;
  bool beyond = false;
  for (; i < t.size(); ++i) {
    if (!IsDigit(t[i])) return {std::nullopt, InvalidIntegerMessage(text)};
    if (!beyond) value = value * 10 + (t[i].unicode() - '0');
    if (value > limits.Max) beyond = true;
  }
  if (negative) value = -value;
  if (beyond || value < limits.Min || value > limits.Max) return {std::nullopt, range};
  return {int(value), QString()};
}
