// TForm2: line style and width, the colour panels and the palette, fill, the
// colour items of the object popup and the stacking order. A command changes
// the selected object when one of its kind is selected, else the editor's
// own settings for the next figure or text; while text is typed in place the
// colours go to the text being typed.
#include <QAction>

#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "Image.h"
#include "Labelex.h"
#include "Memo.h"
#include "Qushape.h"
#include "SpeedButton.h"
#include "StackingOrder.h"
#include "Unit2.h"
#include "WinControl.h"

void TForm2::WireStyleCommands() {
  psSolidButton->OnClick = [this] { psSolidButtonClick(); };
  psDotButton->OnClick = [this] { psDotButtonClick(); };
  const auto widths = WidthButtons();
  for (int i = 0; i < int(widths.size()); ++i) widths[i]->OnClick = [this, i] { WidthButtonClick(i + 1); };
  ForColor->OnClick = [this](ColorSwatch*) { ForColorClick(); };
  BackColor->OnClick = [this](ColorSwatch*) { BackColorClick(); };
  for (ColorSwatch* b : ColorButtons)
    b->OnMouseDown = [this](ColorSwatch* sender, TMouseButton button) { ColorButtonMouseDown(sender, button); };
  connect(PenColorChange, &QAction::triggered, this, [this] { PenColorChangeClick(); });
  connect(BrushColorChange, &QAction::triggered, this, [this] { BrushColorChangeClick(); });
  connect(Brushed, &QAction::triggered, this, [this] { BrushedClick(); });
  connect(FontColorChange, &QAction::triggered, this, [this] { FontColorChangeClick(); });
  connect(Front, &QAction::triggered, this, [this] { FrontClick(); });
  connect(Back, &QAction::triggered, this, [this] { BackClick(); });
}

// ---- Where a command goes ---------------------------------------------------

TStyleContext TForm2::StyleContext() const {
  return StyleContextOf(TextEditing, HasSelection && OnWorksheet(SelectedObject), SelectedObject);
}

bool TForm2::OnWorksheet(const TControl* object) const {
  return object && DrawPanel && DrawPanel->ContainsControl(object);
}

TQuShape* TForm2::SelectedShape() const {
  return StyleContext() == TStyleContext::Shape ? static_cast<TQuShape*>(SelectedObject) : nullptr;
}

TLabelEx* TForm2::SelectedText() const {
  return StyleContext() == TStyleContext::Text ? static_cast<TLabelEx*>(SelectedObject) : nullptr;
}

// ---- Line style and width ---------------------------------------------------

void TForm2::psSolidButtonClick() { PressLineButton(TLineButton::Solid); }
void TForm2::psDotButtonClick() { PressLineButton(TLineButton::Dot); }
void TForm2::WidthButtonClick(int width) {
  if (width >= 1 && width <= 6) PressLineButton(WidthButton(width));
}

void TForm2::PressLineButton(TLineButton button) {
  const TLinePress press = LinePress(button);
  // Only the look of the other group's button; its command does not run.
  if (press.AlsoPressWidth) PressWidthButton(*press.AlsoPressWidth);
  if (press.AlsoPressStyle) PressStyleButton(*press.AlsoPressStyle);
  if (TQuShape* shape = SelectedShape()) {
    if (ApplyLinePress(*shape->Pen(), button)) MarkModified();
    return;
  }
  TPen settings;
  settings.SetWidth(PenWidth);
  settings.SetStyle(PenStyle);
  ApplyLinePress(settings, button);
  PenWidth = settings.Width();
  PenStyle = settings.Style();
}

// ---- Colours ------------------------------------------------------------------

std::optional<TColor> TForm2::ChooseColor(TColor initial) {
  // Without a worksheet there is no document to keep custom colours in; a
  // dialog of its own serves until the next worksheet brings a fresh one.
  if (!ColorDialog) ResetColorDialog();
  ColorDialog->SetColor(initial);
  if (!ColorDialog->Execute()) return std::nullopt;
  return ColorDialog->Color();
}

void TForm2::SetDrawColor(TColor color) {
  ForColor->SetColor(color);
  ForColor->SetFontColor(ContrastColor(color));
  DrawColor = color;
}

void TForm2::SetFillColor(TColor color) {
  BackColor->SetColor(color);
  BackColor->SetFontColor(ContrastColor(color));
  FillColor = color;
}

void TForm2::ChangePenColor(TQuShape* shape, TColor color) {
  if (!OnWorksheet(shape) || shape->Pen()->Color() == color) return;
  shape->Pen()->SetColor(color);
  MarkModified();
}

void TForm2::ChangeFontColor(TLabelEx* label, TColor color) {
  if (!OnWorksheet(label) || label->Font()->Color() == color) return;
  label->Font()->SetColor(color);
  MarkModified();
}

void TForm2::FillShape(TQuShape* shape, TColor color) {
  if (OnWorksheet(shape) && FillWithColor(*shape->Brush(), color)) MarkModified();
}

void TForm2::ForColorClick() {
  switch (StyleContext()) {
    case TStyleContext::Typing:
      if (!EditMemo) return;
      if (const auto c = ChooseColor(EditMemo->Font()->Color())) EditMemo->Font()->SetColor(*c);
      return;
    case TStyleContext::Text: {
      TLabelEx* label = SelectedText();
      if (const auto c = ChooseColor(label->Font()->Color())) ChangeFontColor(label, *c);
      return;
    }
    case TStyleContext::Shape: {
      TQuShape* shape = SelectedShape();
      if (const auto c = ChooseColor(shape->Pen()->Color())) ChangePenColor(shape, *c);
      return;
    }
    case TStyleContext::Picture:
    case TStyleContext::Nothing:
      if (const auto c = ChooseColor(ForColor->Color())) SetDrawColor(*c);
      return;
  }
}

void TForm2::BackColorClick() {
  switch (StyleContext()) {
    case TStyleContext::Typing:
    case TStyleContext::Text:
      return;
    case TStyleContext::Shape: {
      TQuShape* shape = SelectedShape();
      if (const auto c = ChooseColor(shape->Brush()->Color())) FillShape(shape, *c);
      return;
    }
    case TStyleContext::Picture:
    case TStyleContext::Nothing:
      if (const auto c = ChooseColor(BackColor->Color())) SetFillColor(*c);
      return;
  }
}

void TForm2::ColorButtonMouseDown(ColorSwatch* sender, TMouseButton button) {
  if (!sender) return;
  const TColor color = sender->Color();
  switch (PaletteTarget(StyleContext(), button)) {
    case TPaletteTarget::MemoFont:
      if (EditMemo) EditMemo->Font()->SetColor(color);
      break;
    case TPaletteTarget::TextFont: ChangeFontColor(SelectedText(), color); break;
    case TPaletteTarget::ShapePen: ChangePenColor(SelectedShape(), color); break;
    case TPaletteTarget::ShapeFill: FillShape(SelectedShape(), color); break;
    case TPaletteTarget::DrawColor: SetDrawColor(color); break;
    case TPaletteTarget::FillColor: SetFillColor(color); break;
  }
}

// ---- Popup items ----------------------------------------------------------------
// They act on the object the popup was opened on.

void TForm2::PenColorChangeClick() {
  TQuShape* shape = CurShape;
  if (!OnWorksheet(shape)) return;
  if (const auto c = ChooseColor(shape->Pen()->Color())) ChangePenColor(shape, *c);
}

void TForm2::BrushColorChangeClick() {
  TQuShape* shape = CurShape;
  if (!OnWorksheet(shape)) return;
  const auto c = ChooseColor(shape->Brush()->Color());
  if (!c || !OnWorksheet(shape) || shape->Brush()->Color() == *c) return;
  shape->Brush()->SetColor(*c);
  MarkModified();
}

void TForm2::BrushedClick() {
  TQuShape* shape = CurShape;
  if (!OnWorksheet(shape)) return;
  ToggleFill(*shape->Brush(), FillColor);
  MarkModified();
}

void TForm2::FontColorChangeClick() {
  TLabelEx* label = CurLabel;
  if (!OnWorksheet(label)) return;
  if (const auto c = ChooseColor(label->Font()->Color())) ChangeFontColor(label, *c);
}

// ---- Stacking order ---------------------------------------------------------------

namespace {

// The object of the class of the selection that the popup was opened on.
TControl* OrderTarget(TControl* selected, TQuShape* shape, TLabelEx* label, TImage* image) {
  if (dynamic_cast<TQuShape*>(selected)) return shape;
  if (dynamic_cast<TLabelEx*>(selected)) return label;
  if (dynamic_cast<TImage*>(selected)) return image;
  return nullptr;
}

}  // namespace

void TForm2::FrontClick() {
  if (!OnWorksheet(SelectedObject)) return;
  TControl* object = OrderTarget(SelectedObject, CurShape, CurLabel, CurImage);
  if (!OnWorksheet(object)) return;
  BringObjectToFront(*this, object);
  MarkModified();
}

void TForm2::BackClick() {
  if (!OnWorksheet(SelectedObject)) return;
  TControl* object = OrderTarget(SelectedObject, CurShape, CurLabel, CurImage);
  if (!OnWorksheet(object)) return;
  // A text's frame stays directly beneath it.
  SendObjectToBack(*this, object, dynamic_cast<TLabelEx*>(object) ? LabelFrame : nullptr);
  MarkModified();
}
