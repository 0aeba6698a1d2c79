#pragma once
// The rules behind the line, fill and colour commands, apart from any window:
// which context a command works in, what a line button makes of a pen, where
// a palette colour goes, and when a fill changes. A rule that changes a
// pen or brush compares first and says whether it changed anything.
#include <optional>

#include "Control.h"

class TPen;
class TBrush;

// What a style command works on.
enum class TStyleContext {
  Typing,   // text is being typed in place
  Text,     // a text is selected
  Shape,    // a shape is selected
  Picture,  // a picture is selected
  Nothing,  // no selection
};
TStyleContext StyleContextOf(bool textEditing, bool hasSelection, const TControl* selected);

// The line buttons of the tool box.
enum class TLineButton { Solid, Dot, Width1, Width2, Width3, Width4, Width5, Width6 };
TLineButton WidthButton(int width);  // 1 to 6

struct TLinePress {
  // A button of the other group the press also shows pressed (only its
  // look: that button's own command does not run).
  std::optional<int> AlsoPressWidth;
  std::optional<TPenStyle> AlsoPressStyle;
  // The pen afterwards; an unset value stays as it was.
  std::optional<int> Width;
  std::optional<TPenStyle> Style;
  // A pen that already has this value is left alone: a width button
  // compares the width, a style button the style.
  bool ComparesWidth = false;
};
TLinePress LinePress(TLineButton button);

// Applies a line button's press to a pen unless the pen already has the
// value compared; returns whether the pen changed.
bool ApplyLinePress(TPen& pen, TLineButton button);

// Where a palette colour goes.
enum class TPaletteTarget { MemoFont, TextFont, ShapePen, ShapeFill, DrawColor, FillColor };
TPaletteTarget PaletteTarget(TStyleContext context, TMouseButton button);

// A fill colour given to a shape: fills it with the colour unless that is
// already its brush colour, even a transparent shape's hidden one. Returns
// whether the brush changed.
bool FillWithColor(TBrush& brush, TColor color);
// Brushed: a transparent shape is filled with fillColor, a filled one made
// transparent (keeping its brush colour).
void ToggleFill(TBrush& brush, TColor fillColor);
