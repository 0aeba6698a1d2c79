// The font bar: bold, italic and underline in their three contexts, and what
// leaving the name, size and gap boxes does.
#include <QComboBox>
#include <QFontDatabase>

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
    Label->SetBounds(300, 200, 40, 20);
    Form->AttachObject(Label);
  }
  void SelectLabel() { Click({302, 202}); }
  void ClickAway() { Click({100, 250}); }
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
  const struct {
    TSpeedButton* TForm1::*Button;
    TFontStyle Flag;
    bool TForm2::*Setting;
  } rows[] = {{&TForm1::BoldButton, fsBold, &TForm2::FontBold},
              {&TForm1::ItalicButton, fsItalic, &TForm2::FontItalic},
              {&TForm1::UnderlineButton, fsUnderline, &TForm2::FontUnderline}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "flag " << int(row.Flag));
    TSpeedButton* button = Form.get()->*row.Button;
    bool& setting = Form.get()->*row.Setting;
    const int changes = Form->ChangeCount;
    button->click();  // nothing selected: the setting follows the button
    EXPECT_TRUE(setting);
    button->click();
    EXPECT_FALSE(setting);

    SelectLabel();  // at once, and every press is a change
    button->click();
    EXPECT_TRUE(Label->Font()->Has(row.Flag));
    button->click();
    EXPECT_FALSE(Label->Font()->Has(row.Flag));
    EXPECT_EQ(Form->ChangeCount, changes + 2);
    ClickAway();

    Form->TextButtonClick();  // typing in place
    Click({20, 220});
    button->click();
    EXPECT_TRUE(Form->EditMemo->Font()->Has(row.Flag));
    EXPECT_FALSE(setting);
    EXPECT_EQ(Form->ChangeCount, changes + 2);
    ClickAway();
  }
}

TEST_F(FormatTest, LeavingTheSizeAndGapBoxesKeepsDigitsAndRefusesWhatCannotBeDrawn) {
  const TFontBoxLimits size = FontBoxLimits(TFontBox::Size), gap = FontBoxLimits(TFontBox::Gap);
  const struct {
    bool Size;
    QString Typed, Shown;  // the box afterwards
    int Setting;           // FontSize or FontGap afterwards (they start at 20 and 7)
    bool Refused;
  } rows[] = {
      {true, "1a4", "14", 14, false},
      {true, "", QString::number(size.Default), size.Default, false},
      {true, QString::number(size.Max), QString::number(size.Max), size.Max, false},
      {true, "0", "20", 20, true},
      {true, QString::number(size.Max + 1), "20", 20, true},
      {true, "99999999999999999999", "20", 20, true},
      {false, "-3", "3", 3, false},
      {false, "x", QString::number(gap.Default), gap.Default, false},
      {false, QString::number(gap.Max + 1), "7", 7, true},
      {false, "4294967296", "7", 7, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Typed.toStdString());
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
  SelectLabel();
  ScopedScriptedUI ui;
  Leave(Form->FontSizeComboBox, QStringLiteral("99999999999"));
  QApplication::processEvents();
  EXPECT_EQ(ui.Ui.Messages().size(), 1u);
  EXPECT_EQ(Form->FontSizeComboBox->currentText(), QStringLiteral("12")) << "the text's own size";
  Leave(Form->FontSizeComboBox, QStringLiteral("2x0"));
  Leave(Form->GapComboBox, QStringLiteral("3"));
  Leave(Form->FontNameComboBox, QStringLiteral("IPAGothic"));
  EXPECT_EQ(Form->FontGap, 0) << "the editor's settings stay";
  EXPECT_NE(Form->FontName, QStringLiteral("IPAGothic"));
  EXPECT_EQ(Label->Font()->Size(), 12) << "applied only when the selection ends";

  const int changes = Form->ChangeCount;
  ClickAway();
  EXPECT_EQ(Label->Font()->Size(), 20);
  EXPECT_EQ(Label->Gap(), 3);
  EXPECT_EQ(Label->Font()->Name(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(Form->ChangeCount, changes + 3);
  EXPECT_EQ(Form->FontSize, 12);

  SelectLabel();  // typed but never left: judged when the selection ends
  Form->FontSizeComboBox->setEditText(QStringLiteral("0"));
  ClickAway();
  QApplication::processEvents();
  EXPECT_EQ(Label->Font()->Size(), 20);
  EXPECT_EQ(ui.Ui.Messages().size(), 2u);
}

TEST_F(FormatTest, FontNameBoxListsInstalledFontsAndTakesAnyNameTyped) {
  for (const QString& family : QFontDatabase::families())
    EXPECT_GE(Form->FontNameComboBox->findText(family), 0) << family.toStdString();
  Leave(Form->FontNameComboBox, QStringLiteral("No Such Font"));
  Leave(Form->FontNameComboBox, QString());
  EXPECT_EQ(Form->FontNameComboBox->currentText(), QStringLiteral("No Such Font")) << "a font always has a name";
  Form->TextButtonClick();
  Click({20, 220});
  EXPECT_EQ(Form->EditMemo->Font()->Name(), QStringLiteral("No Such Font")) << "the next text, as typed";
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
}
