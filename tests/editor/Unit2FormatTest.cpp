// The font bar: bold, italic and underline in their three contexts, and what
// leaving the name, size and gap boxes does.
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "EditorFixture.h"
#include "FontBoxRules.h"
#include "Labelex.h"
#include "Memo.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "WinControl.h"

class FormatTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Label = new TLabelEx(Form->DrawPanel);
    Label->SetParent(Form->DrawPanel);
    Label->SetCaption(QStringLiteral("Text"));
    Label->Font()->SetSize(12);
    Label->SetLeft(300);
    Label->SetTop(200);
    Form->AttachObject(Label);
  }
  void SelectLabel() { Click({302, 202}); }
  void Deselect() { Click({100, 250}); }
  // Types into a box and leaves it.
  void Leave(QComboBox* box, const QString& text) {
    box->setEditText(text);
    if (box == Form->FontSizeComboBox) Form->FontSizeComboBoxExit();
    else if (box == Form->GapComboBox) Form->GapComboBoxExit();
    else Form->FontNameComboBoxExit();
  }
  TLabelEx* Label = nullptr;
};

TEST_F(FormatTest, StyleButtonsGoToTheTypedTextTheSelectedTextOrTheSettings) {
  struct Row {
    const char* Name;
    TSpeedButton* TForm1::*Button;
    TFontStyle Flag;
    bool TForm2::*Setting;
  };
  const Row rows[] = {{"bold", &TForm1::BoldButton, fsBold, &TForm2::FontBold},
                      {"italic", &TForm1::ItalicButton, fsItalic, &TForm2::FontItalic},
                      {"underline", &TForm1::UnderlineButton, fsUnderline, &TForm2::FontUnderline}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    TSpeedButton* button = Form.get()->*row.Button;

    // Nothing selected: the setting follows the button, nothing is marked.
    const int changes = Form->ChangeCount;
    button->click();
    EXPECT_TRUE(Form.get()->*row.Setting);
    button->click();
    EXPECT_FALSE(Form.get()->*row.Setting);
    EXPECT_EQ(Form->ChangeCount, changes);

    // A selected text changes at once; every press is a change.
    SelectLabel();
    button->click();
    EXPECT_TRUE(Label->Font()->Has(row.Flag));
    EXPECT_FALSE(Form.get()->*row.Setting) << "the editor's setting stays";
    button->click();
    EXPECT_FALSE(Label->Font()->Has(row.Flag));
    EXPECT_EQ(Form->ChangeCount, changes + 2);
    Deselect();

    // Typing in place: the text being typed, not marked.
    Form->TextButtonClick();
    Click({20, 220});
    ASSERT_TRUE(Form->TextEditing);
    const int typing = Form->ChangeCount;
    button->click();
    EXPECT_TRUE(Form->EditMemo->Font()->Has(row.Flag));
    EXPECT_FALSE(Form.get()->*row.Setting);
    EXPECT_EQ(Form->ChangeCount, typing);
    Deselect();  // an empty text leaves nothing behind
    EXPECT_FALSE(Form->TextEditing);
  }
  EXPECT_EQ(Label->Font()->Style(), TFontStyles(0));
}

TEST_F(FormatTest, LeavingTheSizeAndGapBoxesKeepsDigitsAndRefusesWhatCannotBeDrawn) {
  const TFontBoxLimits size = FontBoxLimits(TFontBox::Size);
  const TFontBoxLimits gap = FontBoxLimits(TFontBox::Gap);
  struct Row {
    const char* Name;
    bool Size;
    QString Typed;
    QString Shown;   // in the box afterwards
    int Setting;     // FontSize or FontGap afterwards (both start at 20 / 7)
    bool Refused;
  };
  const Row rows[] = {
      {"letters among digits", true, "1a4", "14", 14, false},
      {"emptied size", true, "", QString::number(size.Default), size.Default, false},
      {"largest size", true, QString::number(size.Max), QString::number(size.Max), size.Max, false},
      {"size 0", true, "0", "20", 20, true},
      {"size beyond the largest", true, QString::number(size.Max + 1), "20", 20, true},
      {"digits too long for any integer", true, "99999999999999999999", "20", 20, true},
      {"a minus sign", false, "-3", "3", 3, false},
      {"emptied gap", false, "x", QString::number(gap.Default), gap.Default, false},
      {"gap 100", false, "100", "100", 100, false},
      {"gap beyond the largest", false, QString::number(gap.Max + 1), "7", 7, true},
      {"gap digits too long", false, "4294967296", "7", 7, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Form->FontSize = 20;
    Form->FontGap = 7;
    ScopedScriptedUI ui;
    QComboBox* box = row.Size ? Form->FontSizeComboBox : Form->GapComboBox;
    Leave(box, row.Typed);
    QApplication::processEvents();
    EXPECT_EQ(box->currentText(), row.Shown);
    EXPECT_EQ(row.Size ? Form->FontSize : Form->FontGap, row.Setting);
    EXPECT_EQ(ui.Ui.Messages().size(), row.Refused ? 1u : 0u);
  }
}

TEST_F(FormatTest, BoxesWaitForTheEndOfATextsSelectionAndRefuseForItToo) {
  Form->FontSize = 12;
  SelectLabel();
  ScopedScriptedUI ui;
  Leave(Form->FontSizeComboBox, QStringLiteral("99999999999"));
  QApplication::processEvents();
  EXPECT_EQ(ui.Ui.Messages().size(), 1u);
  EXPECT_EQ(Form->FontSizeComboBox->currentText(), QStringLiteral("12")) << "the text's own size";
  Leave(Form->FontSizeComboBox, QStringLiteral("2x0"));
  Leave(Form->GapComboBox, QStringLiteral("3"));
  Leave(Form->FontNameComboBox, QStringLiteral("IPAGothic"));
  EXPECT_EQ(Form->FontSize, 12) << "the editor's settings stay";
  EXPECT_EQ(Form->FontGap, 0);
  EXPECT_NE(Form->FontName, QStringLiteral("IPAGothic"));
  EXPECT_EQ(Label->Font()->Size(), 12) << "applied only when the selection ends";

  const int changes = Form->ChangeCount;
  Deselect();
  EXPECT_EQ(Label->Font()->Size(), 20);
  EXPECT_EQ(Label->Gap(), 3);
  EXPECT_EQ(Label->Font()->Name(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(Form->ChangeCount, changes + 3);

  // A value typed but never left is judged when the selection ends.
  SelectLabel();
  Form->FontSizeComboBox->setEditText(QStringLiteral("0"));
  Deselect();
  QApplication::processEvents();
  EXPECT_EQ(Label->Font()->Size(), 20);
  EXPECT_EQ(ui.Ui.Messages().size(), 2u);
}

TEST_F(FormatTest, FontNameBoxListsInstalledFontsAndTakesAnyNameTyped) {
  for (const QString& family : QFontDatabase::families())
    EXPECT_GE(Form->FontNameComboBox->findText(family), 0) << family.toStdString();
  Leave(Form->FontNameComboBox, QStringLiteral("No Such Font"));
  EXPECT_EQ(Form->FontName, QStringLiteral("No Such Font"));
  Leave(Form->FontNameComboBox, QString());
  EXPECT_EQ(Form->FontName, QStringLiteral("No Such Font")) << "a font always has a name";
  EXPECT_EQ(Form->FontNameComboBox->currentText(), QStringLiteral("No Such Font"));
  // The next text is written in it, as typed.
  Form->TextButtonClick();
  Click({20, 220});
  ASSERT_NE(Form->EditMemo, nullptr);
  EXPECT_EQ(Form->EditMemo->Font()->Name(), QStringLiteral("No Such Font"));
}

TEST_F(FormatTest, LeavingABoxForAnotherControlRunsItsExitRule) {
  Form->show();
  Form->activateWindow();
  QApplication::setActiveWindow(Form.get());
  Form->FontSizeComboBox->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(Form->FontSizeComboBox->hasFocus());
  Form->FontSizeComboBox->setEditText(QStringLiteral("1a8"));
  Form->SquareButtonClick();  // a tool takes the focus away from the boxes
  QApplication::processEvents();
  EXPECT_EQ(Form->FontSize, 18);
  EXPECT_EQ(Form->FontSizeComboBox->currentText(), QStringLiteral("18"));
}
