// TForm2: typing text in place. A memo (EditMemo) stands on the worksheet
// where the text will be; closing it makes a new label or writes the text,
// font and gap back into the label being edited.
#include <QAction>
#include <QComboBox>

#include "CustomLabel.h"
#include "IntegerText.h"
#include "Labelex.h"
#include "Memo.h"
#include "SpeedButton.h"
#include "Unit2.h"
#include "UserInterface.h"
#include "WinControl.h"

namespace {

// Reads a font-bar box as a number; a box that does not hold one is
// reported and fallback is used instead.
int BoxNumber(QComboBox* box, int fallback) {
  const QString text = box->currentText();
  if (const auto v = ReadIntegerText(text)) return *v;
  UI().ShowError(InvalidIntegerMessage(text));
  return fallback;
}

bool SameLook(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Size() == b.Size() && a.Color() == b.Color() && a.Style() == b.Style();
}

}  // namespace

void TForm2::ApplyStyleButtons(TFont* font) const {
  TFontStyles style = font->Style();
  const std::pair<TSpeedButton*, TFontStyle> buttons[] = {
      {BoldButton, fsBold}, {ItalicButton, fsItalic}, {UnderlineButton, fsUnderline}};
  for (const auto& [button, flag] : buttons) {
    if (button->Down()) style |= FontStyleBit(flag);
    else style &= TFontStyles(~FontStyleBit(flag));
  }
  font->SetStyle(style);
}

void TForm2::FitLabel(TLabelEx* label) {
  // Switching auto-size off first makes the label measure itself even when
  // it was still on, so that a gap set after the text is taken into account.
  label->SetAutoSize(false);
  label->SetAutoSize(true);
  label->SetAutoSize(false);
  label->SetWidth(label->Width() + 1);
}

TMemo* TForm2::CreateEditMemo() {
  auto* memo = new TMemo(DrawPanel);
  memo->SetVisible(false);
  memo->SetParent(DrawPanel);
  memo->Font()->SetCharset(DEFAULT_CHARSET);
  memo->OnKeyUp = [this](TMemo*) { EditMemoKeyUp(); };
  return memo;
}

void TForm2::MeasureMemo(const QString& text, int extraWidth) {
  if (!EditMemo) return;
  TestLabel->SetAutoSize(true);
  TestLabel->Font()->Assign(*EditMemo->Font());
  TestLabel->SetCaption(text);
  const int height = EditMemo->Font()->Size() + TestLabel->Height();
  const int width = TestLabel->Width() + extraWidth;
  EditMemo->SetBounds(EditMemo->Left(), EditMemo->Top(), width, height);
}

void TForm2::EditMemoKeyUp() {
  if (EditMemo) MeasureMemo(EditMemo->Text(), 50);
}

void TForm2::OpenNewTextEditor() {
  if (!DrawPanel) return;
  FontNameComboBox->setEnabled(false);
  FontSizeComboBox->setEnabled(false);
  GapComboBox->setEnabled(false);

  EditMemo = CreateEditMemo();
  EditMemo->SetBounds(DownX, DownY, EditMemo->Width(), EditMemo->Height());
  TFont* font = EditMemo->Font();
  font->SetName(FontNameComboBox->currentText());
  font->SetSize(BoxNumber(FontSizeComboBox, FontSize));
  EditMemo->SetTag(BoxNumber(GapComboBox, FontGap));
  font->SetColor(DrawColor);
  ApplyStyleButtons(font);
  MeasureMemo(QStringLiteral("Test"), 0);

  EditMemo->SetWordWrap(false);
  EditMemo->Show();
  EditMemo->SetFocus();
  TextEditing = true;

  PointButton->SetDown(true);
  DrawPanel->SetShowHint(false);
  SetWorksheetCursor(crDefault);
  // NewTextPending stays set: it tells CloseTextEditor to make a new label.
  EditMemo->ForgetUndo();
  TextEntryChanged();
}

void TForm2::LabelDblClick(TControl* sender) {
  auto* label = dynamic_cast<TLabelEx*>(sender);
  if (!label) return;
  if (TextEditing) CloseTextEditor();
  ResetTool();
  CurrentTool = ToolPointer;
  PointButton->SetDown(true);
  SetWorksheetCursor(crDefault);
  if (!DrawPanel || !DrawPanel->ContainsControl(label)) return;
  CurLabel = label;
  OpenTextEditor();
}

void TForm2::OpenTextEditor() {
  if (!CurLabel || !DrawPanel) return;
  SetLineControlsEnabled(false);
  FontNameComboBox->setEnabled(false);
  FontSizeComboBox->setEnabled(false);
  GapComboBox->setEnabled(false);

  CurLabel->Hide();
  EditMemo = CreateEditMemo();
  EditMemo->Font()->Assign(*CurLabel->Font());
  EditMemo->SetTag(CurLabel->Gap());
  EditMemo->SetBounds(CurLabel->Left() - 1, CurLabel->Top(), CurLabel->Width() + 50,
                      EditMemo->Font()->Size() + CurLabel->Height());
  EditMemo->SetWordWrap(false);

  const TFont* font = EditMemo->Font();
  BoldButton->SetDown(font->Has(fsBold));
  ItalicButton->SetDown(font->Has(fsItalic));
  UnderlineButton->SetDown(font->Has(fsUnderline));
  FontNameComboBox->setEditText(font->Name());
  FontSizeComboBox->setEditText(QString::number(font->Size()));
  GapComboBox->setEditText(QString::number(EditMemo->Tag()));

  EditMemo->Show();
  EditMemo->SetFocus();
  TextEditing = true;
  EditMemo->SetText(CurLabel->Caption());
  ReEditing = true;
  SetCutCopyEnabled(true);
  EditMemo->ForgetUndo();
  TextEntryChanged();
}

void TForm2::CloseTextEditor() {
  SetLineControlsEnabled(true);
  if (NewTextPending) {
    if (EditMemo && DrawPanel && !EditMemo->Text().isEmpty()) {
      auto* label = new TLabelEx(DrawPanel);
      label->SetParent(DrawPanel);
      label->SetCursor(crHandPoint);
      label->SetTransparent(true);
      label->SetBounds(EditMemo->Left() + 1, EditMemo->Top(), label->Width(), label->Height());
      label->SetCaption(EditMemo->Text());
      label->SetFont(EditMemo->Font());
      label->SetGap(int(EditMemo->Tag()));
      FitLabel(label);
      MarkModified();
      AttachObject(label);
      CurLabel = label;
    }
  } else if (CurLabel && EditMemo) {
    TLabelEx* label = CurLabel;
    const QString text = EditMemo->Text();
    // The memo writes every line break as CR LF: a caption that came with
    // others is still unchanged when nothing was typed.
    if (text != TMemo::Unedited(label->Caption())) {
      label->SetCaption(text);
      MarkModified();
    }
    if (!SameLook(*EditMemo->Font(), *label->Font())) {
      label->SetFont(EditMemo->Font());
      MarkModified();
    }
    if (EditMemo->Tag() != label->Gap()) {
      label->SetGap(int(EditMemo->Tag()));
      MarkModified();
    }
    label->Show();
    FitLabel(label);
    if (label->Caption().isEmpty()) DeleteObject(label);
  }
  // An empty new text leaves nothing behind.
  delete EditMemo;
  EditMemo = nullptr;

  NewTextPending = false;
  ReEditing = false;
  TextEditing = false;
  ShowEditorFontSettings();
  FontNameComboBox->setEnabled(true);
  FontSizeComboBox->setEnabled(true);
  GapComboBox->setEnabled(true);
  SetCutCopyEnabled(false);
  TextEntryChanged();
}

void TForm2::AbandonTextEditor() {
  if (!TextEditing && !EditMemo) return;
  // The worksheet is going: nothing typed is kept, but the font bar and the
  // commands return to their resting state.
  if (ReEditing && CurLabel) CurLabel->Show();
  delete EditMemo;
  EditMemo = nullptr;
  NewTextPending = false;
  ReEditing = false;
  TextEditing = false;
  SetLineControlsEnabled(true);
  ShowEditorFontSettings();
  FontNameComboBox->setEnabled(true);
  FontSizeComboBox->setEnabled(true);
  GapComboBox->setEnabled(true);
  SetCutCopyEnabled(false);
  TextEntryChanged();
}
