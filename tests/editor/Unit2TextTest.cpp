// Typing text in place: new texts, re-editing, the memo's growth.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "CustomLabel.h"
#include "EditorFixture.h"
#include "Labelex.h"
#include "Memo.h"
#include "SpeedButton.h"
#include "WinControl.h"

class TextTest : public EditorTest {
 protected:
  void Type(const QString& text) {
    for (QChar c : text) {
      const int key = c == QLatin1Char('\n') ? Qt::Key_Return : 0;
      const QString t = c == QLatin1Char('\n') ? QStringLiteral("\r") : QString(c);
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, t);
      QApplication::sendEvent(Form->EditMemo->Editor(), &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, t);
      QApplication::sendEvent(Form->EditMemo->Editor(), &release);
    }
  }
  TLabelEx* NewText(QPoint at, const QString& text) {
    Form->TextButtonClick();
    Click(at);
    Type(text);
    Click({440, 260});  // elsewhere: closes the editor
    return dynamic_cast<TLabelEx*>(Form->ObjectList.back());
  }
  // The extent a plain auto-sizing label gives text in font.
  static QSize Measured(const TFont* font, const QString& text) {
    TCustomLabel probe(nullptr);
    probe.Font()->Assign(*font);
    probe.SetCaption(text);
    return QSize(probe.Width(), probe.Height());
  }
};

TEST_F(TextTest, NewTextOpensAtTheSnappedPointAndBecomesALabelBeside) {
  Form->TextButtonClick();
  Click({13, 24});
  ASSERT_TRUE(Form->TextEditing);
  ASSERT_NE(Form->EditMemo, nullptr);
  EXPECT_EQ(Form->EditMemo->Left(), 10);
  EXPECT_EQ(Form->EditMemo->Top(), 20);
  EXPECT_TRUE(Form->EditMemo->Visible());
  EXPECT_TRUE(Form->PointButton->Down());
  EXPECT_TRUE(Form->NewTextPending);
  EXPECT_FALSE(Form->FontSizeComboBox->isEnabled());
  EXPECT_FALSE(Form->EditCut->isEnabled());  // not while a new text is typed
  EXPECT_EQ(Form->DrawPanel->Cursor(), crDefault);
  // The memo starts measured on "Test" in its font.
  const QSize test = Measured(Form->EditMemo->Font(), QStringLiteral("Test"));
  EXPECT_EQ(Form->EditMemo->Width(), test.width());
  EXPECT_EQ(Form->EditMemo->Height(), 12 + test.height());
  // It is a real editor placed on the worksheet widget.
  EXPECT_EQ(Form->EditMemo->Editor()->parentWidget(), Form->DrawView);
  EXPECT_EQ(Form->EditMemo->Editor()->geometry(), Form->EditMemo->BoundsRect());

  Type(QStringLiteral("Hello"));
  Click({300, 200});
  ASSERT_EQ(Form->ObjectList.size(), 1u);
  auto* label = dynamic_cast<TLabelEx*>(Form->ObjectList[0]);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Left(), 11);
  EXPECT_EQ(label->Top(), 20);
  EXPECT_EQ(label->Caption(), QStringLiteral("Hello"));
  EXPECT_EQ(label->Font()->Name(), QStringLiteral("ＭＳ Ｐ明朝"));
  EXPECT_EQ(label->Font()->Size(), 12);
  EXPECT_TRUE(label->Transparent());
  EXPECT_FALSE(label->AutoSize());
  EXPECT_FALSE(label->ParentFont());
  EXPECT_EQ(label->Cursor(), crHandPoint);
  EXPECT_EQ(Form->CurLabel, label);
  EXPECT_TRUE(Form->Modified);
  EXPECT_FALSE(Form->TextEditing);
  EXPECT_EQ(Form->EditMemo, nullptr);
  EXPECT_FALSE(Form->HasSelection);
  EXPECT_TRUE(Form->FontSizeComboBox->isEnabled());
  // The press that closed the editor only closed it.
  EXPECT_FALSE(Form->NewTextPending);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 3);
}

TEST_F(TextTest, AnEmptyTextLeavesNothingAndTwoLinesMakeOneLabel) {
  Form->TextButtonClick();
  Click({100, 100});
  Click({300, 200});
  EXPECT_TRUE(Form->ObjectList.empty());
  EXPECT_FALSE(Form->Modified);
  EXPECT_EQ(Form->EditMemo, nullptr);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 2);

  TLabelEx* label = NewText({100, 100}, QStringLiteral("one\ntwo"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), QStringLiteral("one\r\ntwo"));
  EXPECT_EQ(Form->ObjectList.size(), 1u);
}

TEST_F(TextTest, NewTextTakesTheFontBarAndFitsItsGap) {
  Form->FontSizeComboBox->setEditText(QStringLiteral("20"));
  Form->GapComboBox->setEditText(QStringLiteral("4"));
  Form->BoldButton->SetDown(true);
  Form->DrawColor = clRed;
  TLabelEx* label = NewText({100, 100}, QStringLiteral("abcdef"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Font()->Size(), 20);
  EXPECT_EQ(label->Gap(), 4);
  EXPECT_TRUE(label->Font()->Has(fsBold));
  EXPECT_EQ(label->Font()->Color(), clRed);
  // Fitted with its gap: as wide as the same label auto-sized, plus one.
  TLabelEx probe(nullptr);
  probe.Font()->Assign(*label->Font());
  probe.SetGap(4);
  probe.SetCaption(QStringLiteral("abcdef"));
  EXPECT_EQ(label->Width(), probe.Width() + 1);
  EXPECT_EQ(label->Height(), probe.Height());
}

TEST_F(TextTest, TheMemoWidensAsTextIsTyped) {
  Form->TextButtonClick();
  Click({100, 100});
  Type(QStringLiteral("W"));
  const int one = Form->EditMemo->Width();
  EXPECT_EQ(one, Measured(Form->EditMemo->Font(), QStringLiteral("W")).width() + 50);
  Type(QStringLiteral("WWWW"));
  EXPECT_EQ(Form->EditMemo->Width(), Measured(Form->EditMemo->Font(), QStringLiteral("WWWWW")).width() + 50);
  EXPECT_GT(Form->EditMemo->Width(), one);
  Type(QStringLiteral("\nx"));
  const QSize two = Measured(Form->EditMemo->Font(), QStringLiteral("WWWWW\r\nx"));
  EXPECT_EQ(Form->EditMemo->Height(), 12 + two.height());
  EXPECT_EQ(Form->EditMemo->Editor()->geometry().size(), QSize(Form->EditMemo->Width(), Form->EditMemo->Height()));
}

TEST_F(TextTest, ReEditingShowsTheTextsSettingsAndMarksOnlyRealChanges) {
  Form->GapComboBox->setEditText(QStringLiteral("3"));
  TLabelEx* label = NewText({100, 100}, QStringLiteral("Gap"));
  ASSERT_EQ(label->Gap(), 3);
  EXPECT_EQ(Form->GapComboBox->currentText(), QStringLiteral("0"));  // the editor's own gap again
  const int changes = Form->ChangeCount;

  DoubleClick({label->Left() + 2, label->Top() + 2});
  ASSERT_TRUE(Form->TextEditing);
  EXPECT_TRUE(Form->ReEditing);
  EXPECT_FALSE(label->Visible());
  EXPECT_EQ(Form->EditMemo->Left(), label->Left() - 1);
  EXPECT_EQ(Form->EditMemo->Top(), label->Top());
  EXPECT_EQ(Form->EditMemo->Width(), label->Width() + 50);
  EXPECT_EQ(Form->EditMemo->Text(), QStringLiteral("Gap"));
  EXPECT_EQ(Form->GapComboBox->currentText(), QStringLiteral("3"));
  EXPECT_FALSE(Form->GapComboBox->isEnabled());
  EXPECT_FALSE(Form->Width1->isEnabled());
  EXPECT_TRUE(Form->EditCut->isEnabled());
  EXPECT_FALSE(Form->HasSelection);

  Click({440, 260});
  EXPECT_FALSE(Form->TextEditing);
  EXPECT_TRUE(label->Visible());
  EXPECT_EQ(label->Gap(), 3);
  EXPECT_EQ(Form->ChangeCount, changes);  // nothing changed, nothing marked
  EXPECT_EQ(Form->GapComboBox->currentText(), QStringLiteral("0"));
  EXPECT_FALSE(Form->EditCut->isEnabled());

  DoubleClick({label->Left() + 2, label->Top() + 2});
  Form->EditMemo->SetText(QStringLiteral("Changed"));
  Click({440, 260});
  EXPECT_EQ(label->Caption(), QStringLiteral("Changed"));
  EXPECT_EQ(Form->ChangeCount, changes + 1);
}

TEST_F(TextTest, ReEditingACaptionWithOtherLineBreaksWithoutTypingChangesNothing) {
  // Captions as documents and the clipboard may bring them.
  const QString captions[] = {QStringLiteral("a\rb"), QStringLiteral("a\nb"), QStringLiteral("\r"),
                              QStringLiteral("a\r\n\nb\r"), QStringLiteral("one\r\ntwo")};
  int y = 20;
  for (const QString& caption : captions) {
    SCOPED_TRACE(caption.toStdString());
    TLabelEx* label = NewText({20, y += 40}, QStringLiteral("x"));
    label->SetCaption(caption);
    const int changes = Form->ChangeCount;
    DoubleClick({label->Left() + 2, label->Top() + 2});
    ASSERT_TRUE(Form->ReEditing);
    Click({440, 260});
    EXPECT_EQ(Form->ChangeCount, changes);
    EXPECT_EQ(label->Caption(), caption);
  }
}

TEST_F(TextTest, ReEditingToEmptyRemovesTheLabel) {
  NewText({200, 100}, QStringLiteral("keep"));
  TLabelEx* label = NewText({100, 100}, QStringLiteral("gone"));
  ASSERT_EQ(Form->ObjectList.size(), 2u);
  DoubleClick({label->Left() + 2, label->Top() + 2});
  ASSERT_TRUE(Form->ReEditing);
  Form->EditMemo->SetText(QString());
  Form->TextButtonClick();  // any tool button closes the editor too
  EXPECT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_EQ(Form->EditMemo, nullptr);
  EXPECT_EQ(Form->CurLabel, nullptr);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 3);
  EXPECT_TRUE(Form->NewTextPending);  // the text tool is now chosen
}

TEST_F(TextTest, ReplacingTheWorksheetWhileTypingLeavesNoEditorBehind) {
  Form->TextButtonClick();
  Click({100, 100});
  Type(QStringLiteral("abc"));
  Form->ResetEditorWorksheet(300, 200);
  EXPECT_FALSE(Form->TextEditing);
  EXPECT_EQ(Form->EditMemo, nullptr);
  EXPECT_TRUE(Form->FontSizeComboBox->isEnabled());
  EXPECT_TRUE(Form->ObjectList.empty());
  EXPECT_EQ(Form->DrawView->size(), QSize(300, 200));
  Form->RectButtonClick();
  Drag({10, 10}, {50, 50});
  EXPECT_EQ(Form->ObjectList.size(), 1u);
}

TEST_F(TextTest, CopyingFromTheEditorGivesPlainTextOnly) {
  Form->TextButtonClick();
  Click({13, 24});
  Type(QStringLiteral("赤い\n文字"));
  QPlainTextEdit* editor = Form->EditMemo->Editor();
  editor->selectAll();
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(editor, &copy);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->formats(), QStringList{QStringLiteral("text/plain")}) << "no HTML, Markdown or ODT";
  EXPECT_EQ(data->text(), QStringLiteral("赤い\n文字"));
}
