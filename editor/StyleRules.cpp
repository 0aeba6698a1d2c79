#include "StyleRules.h"

#include "GraphicsObjects.h"
#include "Image.h"
#include "Labelex.h"
#include "Qushape.h"

TStyleContext StyleContextOf(bool textEditing, bool hasSelection, const TControl* selected) {
  if (textEditing) return TStyleContext::Typing;
  if (!hasSelection || !selected) return TStyleContext::Nothing;
  if (dynamic_cast<const TLabelEx*>(selected)) return TStyleContext::Text;
  if (dynamic_cast<const TQuShape*>(selected)) return TStyleContext::Shape;
  if (dynamic_cast<const TImage*>(selected)) return TStyleContext::Picture;
  return TStyleContext::Nothing;
}

TLineButton WidthButton(int width) { return TLineButton(int(TLineButton::Width1) + width - 1); }

TLinePress LinePress(TLineButton button) {
  TLinePress p;
  switch (button) {
    case TLineButton::Solid:
      p.Style = psSolid;
      break;
    case TLineButton::Dot:
      // A dotted line is one pixel wide.
      p.AlsoPressWidth = 1;
      p.Style = psDot;
      p.Width = 1;
      break;
    case TLineButton::Width1:
      // Keeps a dotted line dotted.
      p.Width = 1;
      p.ComparesWidth = true;
      break;
    default:
      p.AlsoPressStyle = psSolid;
      p.Width = int(button) - int(TLineButton::Width1) + 1;
      p.Style = psSolid;
      p.ComparesWidth = true;
      break;
  }
  return p;
}

bool ApplyLinePress(TPen& pen, TLineButton button) {
  const TLinePress p = LinePress(button);
  const bool same = p.ComparesWidth ? pen.Width() == *p.Width : pen.Style() == *p.Style;
  if (same) return false;
  if (p.Style) pen.SetStyle(*p.Style);
  if (p.Width) pen.SetWidth(*p.Width);
  return true;
}

TPaletteTarget PaletteTarget(TStyleContext context, TMouseButton button) {
  switch (context) {
    case TStyleContext::Typing: return TPaletteTarget::MemoFont;
    case TStyleContext::Text: return TPaletteTarget::TextFont;
    case TStyleContext::Shape: return button == mbLeft ? TPaletteTarget::ShapePen : TPaletteTarget::ShapeFill;
    case TStyleContext::Picture:
    case TStyleContext::Nothing: break;
  }
  return button == mbLeft ? TPaletteTarget::DrawColor : TPaletteTarget::FillColor;
}

bool FillWithColor(TBrush& brush, TColor color) {
  if (brush.Color() == color) return false;
  brush.SetStyle(bsSolid);
  brush.SetColor(color);
  return true;
}

void ToggleFill(TBrush& brush, TColor fillColor) {
  if (brush.Style() == bsClear) {
    brush.SetStyle(bsSolid);
    brush.SetColor(fillColor);
  } else {
    brush.SetStyle(bsClear);
  }
}
