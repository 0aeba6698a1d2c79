// TForm2: the font bar. Bold, italic and underline go at once to the text
// being typed or the selected text, else to the editor's own settings. The
// name, size and gap boxes set the editor's settings when they are left;
// for a selected text they wait until its selection ends (Deselect).
#include <QComboBox>
#include <QTimer>

#include "Labelex.h"
#include "CommonText.h"
#include "Memo.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit2.h"
#include "UserInterface.h"

void TForm2::WireFormatCommands() {
  BoldButton->OnClick = [this] { BoldButtonClick(); };
  ItalicButton->OnClick = [this] { ItalicButtonClick(); };
  UnderlineButton->OnClick = [this] { UnderlineButtonClick(); };
  FBoxExits.push_back(std::make_unique<FocusExit>(FontSizeComboBox, [this] { FontSizeComboBoxExit(); }));
  FBoxExits.push_back(std::make_unique<FocusExit>(GapComboBox, [this] { GapComboBoxExit(); }));
  FBoxExits.push_back(std::make_unique<FocusExit>(FontNameComboBox, [this] { FontNameComboBoxExit(); }));
}

// ---- Bold, italic, underline --------------------------------------------------

void TForm2::BoldButtonClick() { FontStyleButtonClick(BoldButton, FontBold); }
void TForm2::ItalicButtonClick() { FontStyleButtonClick(ItalicButton, FontItalic); }
void TForm2::UnderlineButtonClick() { FontStyleButtonClick(UnderlineButton, FontUnderline); }

void TForm2::FontStyleButtonClick(TSpeedButton* button, bool& setting) {
  if (TextEditing) {
    if (EditMemo) ApplyStyleButtons(EditMemo->Font());
    return;
  }
  if (TLabelEx* label = SelectedText()) {
    // Every press counts as a change, even one that undoes the last.
    ApplyStyleButtons(label->Font());
    MarkModified();
    return;
  }
  setting = button->Down();
}

// ---- The boxes ------------------------------------------------------------------

void TForm2::FontSizeComboBoxExit() { FontBoxExit(TFontBox::Size); }
void TForm2::GapComboBoxExit() { FontBoxExit(TFontBox::Gap); }

void TForm2::FontBoxExit(TFontBox box) {
  QComboBox* combo = box == TFontBox::Size ? FontSizeComboBox : GapComboBox;
  const QString text = FontBoxExitText(box, combo->currentText());
  const TFontBoxValue value = ReadFontBoxValue(box, text);
  if (!value.Value) {
    // Refused: the box shows the value that stays in force.
    combo->setEditText(QString::number(FontBoxValueInForce(box)));
    ReportRefusal(value.Refusal);
    return;
  }
  if (combo->currentText() != text) combo->setEditText(text);
  if (TextEditing || SelectedText()) return;
  (box == TFontBox::Size ? FontSize : FontGap) = *value.Value;
}

int TForm2::FontBoxValueInForce(TFontBox box) const {
  const bool size = box == TFontBox::Size;
  if (TextEditing && EditMemo) return size ? EditMemo->Font()->Size() : int(EditMemo->Tag());
  if (const TLabelEx* label = SelectedText()) return size ? label->Font()->Size() : label->Gap();
  return size ? FontSize : FontGap;
}

void TForm2::FontNameComboBoxExit() {
  if (TextEditing || SelectedText()) return;
  const QString name = FontNameComboBox->currentText();
  // A font always has a name: an emptied box shows the one in force again.
  if (name.isEmpty()) {
    FontNameComboBox->setEditText(FontName);
    return;
  }
  FontName = name;
}

void TForm2::ReportRefusal(const QString& message) {
  QTimer::singleShot(0, this, [message] { UI().MessageBox(message, LoadStr(CommonText::MessageTitle), mbOK); });
}
