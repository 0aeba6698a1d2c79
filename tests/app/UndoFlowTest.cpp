// Undo and redo through the real main window: every kind of change undone
// and redone exactly, a gesture as one step, the saved state, the history's
// limit and its end at New and Open, and moving objects with the arrow keys.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "DocumentTestSupport.h"
#include "Memo.h"
#include "NumericField.h"
#include "PageSetDlg.h"
#include "PanelView.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "UndoHistory.h"
#include "Unit3.h"

namespace {

using namespace doctest;

template <class T>
void WhenShown(std::function<void(T&)> fn) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, fn, waited] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
      if (++*waited < 400) return;
      ADD_FAILURE() << "the expected dialog never came";
      if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
    } else {
      fn(*dialog);
    }
    timer->stop();
    timer->deleteLater();
  });
  timer->start(5);
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Rectangle A (10,10 40x30) at the bottom, a filled ellipse, a text and a
// picture above it.
QByteArray Card() {
  Document doc;
  doc.AddShape(qustRectangle, 10, 10, 40, 30);
  doc.AddShape(qustEllipse, 100, 50, 40, 30)->Brush()->SetColor(clYellow);
  doc.AddLabel(QStringLiteral("名刺"), 200, 100);
  doc.AddPicture(Bitmap(Pattern(30, 20, Qt::red, Qt::blue)), 300, 150, 30, 20);
  return doc.Bytes();
}

class UndoFlowTest : public ::testing::Test {
 public:  // the tables' cases drive the fixture
  void SetUp() override {
    ASSERT_TRUE(Program.isValid());
    Put(Path("msetpage.txt"), "\"A4 10\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n");
    Put(Path("card.tsl"), Card());
    Put(Path("bg.jpg"), JpegBytes(Pattern(120, 80, Qt::green, Qt::white)));
    Form = std::make_unique<TForm3>(nullptr, Program.path());
    Open(Path("card.tsl"));
    ASSERT_TRUE(Form->DocumentOpen);
    ASSERT_EQ(Form->ObjectList.size(), 4u);
  }
  QString Path(const QString& name) const { return Program.filePath(name); }
  void Open(const QString& path) {
    Ui.ReplyFile(path);
    Form->FileOpenClick();
  }
  QByteArray Bytes() const { return BuildDocumentBytes(*Form, Form->DocumentSetup, Form->VersionString); }
  // Lets the event at hand end, as the event loop would.
  static void Settle() { QCoreApplication::processEvents(); }
  int Steps() const { return Form->History().Steps(); }

  void Mouse(QEvent::Type type, QPoint p, Qt::MouseButtons buttons, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, QPointF(p), Form->DrawView->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(Form->DrawView, &e);
  }
  void Drag(QPoint from, QPoint to, int steps = 1) {
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= steps; ++i) {
      Mouse(QEvent::MouseMove, from + (to - from) * i / steps, Qt::LeftButton, Qt::NoButton);
      Settle();  // a drag spans many events
    }
    Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    Settle();
  }
  void Click(QPoint p) { Drag(p, p, 0); }
  void Key(int key, Qt::KeyboardModifiers mods = {}, QWidget* to = nullptr) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(to ? to : Form.get(), &e);
    Settle();
  }
  void Type(const QString& text) {
    for (QChar c : text) {
      QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(Form->EditMemo->Editor(), &e);
    }
  }
  void NewText(QPoint at, const QString& text) {
    Form->TextButtonClick();
    Click(at);
    Type(text);
    Click({440, 260});  // elsewhere: the text is made
  }
  void SetCardWidth(const char* mm) {
    WhenShown<TPageSetDlg>([mm](TPageSetDlg& d) {
      d.FormActivate();
      d.YousiCB->setCurrentIndex(0);
      d.YousiCBClick();
      d.WidthMemo->selectAll();
      d.WidthMemo->insert(QString::fromLatin1(mm));
      QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
      QCoreApplication::sendEvent(d.WidthMemo, &out);
      d.OKBtn->click();
    });
    Form->FilePrintSetupClick();
    Settle();
  }
  TControl* Object(int i) const { return Form->ObjectList.at(size_t(i)); }

  // What any undo or redo must leave: nothing selected, the pointer chosen,
  // the worksheet showing exactly the listed objects in their order.
  void ExpectAtRest() const {
    EXPECT_FALSE(Form->HasSelection);
    EXPECT_EQ(Form->SelectedObject, nullptr);
    EXPECT_FALSE(Form->TextEditing);
    EXPECT_EQ(Form->CurrentTool, TForm2::ToolPointer);
    EXPECT_TRUE(Form->PointButton->Down());
    EXPECT_FALSE(Form->EditCut->isEnabled());
    EXPECT_FALSE(Form->CopyButton->isEnabled());
    const auto& shown = Form->DrawPanel->Controls();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0], Form->BGImage);
    EXPECT_EQ(shown[1], Form->GridShape);
    EXPECT_EQ(std::vector<TControl*>(shown.begin() + 2, shown.end()), Form->ObjectList);
  }

  QTemporaryDir Program;
  ScopedScriptedUI Scripted;
  ScriptedUserInterface& Ui = Scripted.Ui;
  std::unique_ptr<TForm3> Form;
};

constexpr QPoint kInsideA{20, 20};

}  // namespace

TEST_F(UndoFlowTest, EveryKindOfChangeIsUndoneAndRedoneExactly) {
  struct Case {
    const char* Name;
    std::function<void(UndoFlowTest&)> Change;
  };
  const Case cases[] = {
      {"draw", [](UndoFlowTest& t) { t.Form->RectButtonClick(), t.Drag({20, 150}, {80, 200}); }},
      {"move", [](UndoFlowTest& t) { t.Drag(kInsideA, {70, 90}); }},
      {"resize by a mark", [](UndoFlowTest& t) { t.Click(kInsideA), t.Drag({51, 41}, {91, 71}); }},
      {"new text", [](UndoFlowTest& t) { t.NewText({50, 200}, QStringLiteral("abc")); }},
      {"colour", [](UndoFlowTest& t) { t.Click(kInsideA), t.Form->ColorButtonMouseDown(t.Form->ColorButtons[4], mbLeft); }},
      {"order", [](UndoFlowTest& t) { t.Click(kInsideA), t.Form->FrontClick(); }},
      {"paste", [](UndoFlowTest& t) { t.Click(kInsideA), t.Form->EditCopyClick(), t.Form->EditPasteClick(); }},
      {"delete", [](UndoFlowTest& t) { t.Click(kInsideA), t.Key(Qt::Key_Delete); }},
      {"page setup", [](UndoFlowTest& t) { t.SetCardWidth("80"); }},
      {"background", [](UndoFlowTest& t) { t.Ui.ReplyFile(t.Path("bg.jpg")), t.Form->BGImageSettingClick(); }},
      {"arrow keys", [](UndoFlowTest& t) { t.Click(kInsideA), t.Key(Qt::Key_Right), t.Key(Qt::Key_Down); }},
      {"clear worksheet", [](UndoFlowTest& t) { t.Ui.ReplyButton(mrOk), t.Form->WorkSheetClearClick(); }},
  };
  Form->GridShape->SetGridWidth(5);  // the clearing resets it; its undo brings it back
  const QByteArray opened = Bytes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Change(*this);
    Settle();
    const QByteArray changed = Bytes();
    ASSERT_NE(changed, opened);
    EXPECT_EQ(Steps(), 1);
    EXPECT_TRUE(Form->Modified);
    EXPECT_TRUE(Form->EditUndo->isEnabled());

    Form->EditUndoClick();
    EXPECT_EQ(Bytes(), opened);
    EXPECT_FALSE(Form->Modified);  // back to the state opened
    EXPECT_EQ(Form->DrawPanel->Width(), Form->DocumentSetup.SheetWidthPx);
    EXPECT_FALSE(Form->EditUndo->isEnabled());
    EXPECT_TRUE(Form->EditRedo->isEnabled());
    ExpectAtRest();

    Form->EditRedoClick();
    EXPECT_EQ(Bytes(), changed);
    EXPECT_TRUE(Form->Modified);
    EXPECT_EQ(Form->DrawPanel->Width(), Form->DocumentSetup.SheetWidthPx);
    ExpectAtRest();

    Form->EditUndoClick();  // the next case starts from the card as opened
    ASSERT_EQ(Bytes(), opened);
  }
}

TEST_F(UndoFlowTest, OneGestureIsOneStep) {
  struct Case {
    const char* Name;
    std::function<void(UndoFlowTest&)> Gesture;
  };
  const Case cases[] = {
      {"a drag over many moves", [](UndoFlowTest& t) { t.Drag(kInsideA, {150, 120}, 6); }},
      {"a resize over many moves", [](UndoFlowTest& t) { t.Click(kInsideA), t.Drag({51, 41}, {131, 101}, 6); }},
      {"a burst of arrow keys", [](UndoFlowTest& t) {
         t.Click(kInsideA);
         for (int i = 0; i < 6; ++i) t.Key(i % 2 ? Qt::Key_Down : Qt::Key_Right);
       }},
      {"a spell of typing", [](UndoFlowTest& t) { t.NewText({50, 200}, QStringLiteral("名刺の文字")); }},
      {"re-editing a text", [](UndoFlowTest& t) {
         t.Form->LabelDblClick(t.Object(2));
         t.Type(QStringLiteral("です"));
         t.Form->BoldButton->click();
         t.Click({440, 260});
       }},
  };
  const QByteArray opened = Bytes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Gesture(*this);
    Settle();
    EXPECT_EQ(Steps(), 1);
    Form->EditUndoClick();
    EXPECT_EQ(Bytes(), opened);
    Form->History().Reset(true);
  }
  // Arrows on another selection start another step.
  Click(kInsideA);
  Key(Qt::Key_Right);
  Click({110, 60});
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  EXPECT_EQ(Steps(), 2);
}

TEST_F(UndoFlowTest, TypingInPlaceUndoesTheTextBeingTypedFirst) {
  Drag(kInsideA, {60, 20});
  ASSERT_EQ(Steps(), 1);
  Form->TextButtonClick();
  Click({50, 200});
  EXPECT_FALSE(Form->EditUndo->isEnabled());  // nothing typed yet
  Type(QStringLiteral("ab"));
  EXPECT_TRUE(Form->EditUndo->isEnabled());
  Form->EditUndoClick();
  EXPECT_EQ(Form->EditMemo->Text(), QString());
  EXPECT_TRUE(Form->EditRedo->isEnabled());
  Form->EditRedoClick();
  EXPECT_EQ(Form->EditMemo->Text(), QStringLiteral("ab"));
  EXPECT_EQ(Steps(), 1);  // the card's history is untouched
  Click({440, 260});
  Settle();
  EXPECT_EQ(Steps(), 2);
  Form->EditUndoClick();
  EXPECT_EQ(Form->ObjectList.size(), 4u);
  EXPECT_EQ(static_cast<TQuShape*>(Object(0))->Left(), 50);  // the drag stays
}

TEST_F(UndoFlowTest, UndoingBackToTheSavedStateLeavesNothingToSave) {
  Drag(kInsideA, {60, 20});
  Form->FileSaveClick();
  EXPECT_FALSE(Form->Modified);
  Drag({60, 20}, {60, 80});
  Form->EditUndoClick();
  EXPECT_FALSE(Form->Modified);  // as saved
  Form->EditUndoClick();
  EXPECT_TRUE(Form->Modified);  // as opened, which is not on disk any more

  // Closing asks about the unsaved card only.
  Ui.ReplyButton(mrCancel);
  EXPECT_FALSE(Form->FormCloseQuery());
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1001)});
  Form->EditRedoClick();
  EXPECT_FALSE(Form->Modified);
  Ui.Clear();
  EXPECT_TRUE(Form->FormCloseQuery());
  EXPECT_TRUE(Ui.Messages().empty());
}

TEST_F(UndoFlowTest, TheHistoryKeepsItsLimitAndEndsWithNewAndOpen) {
  Click(kInsideA);
  const int changes = UndoHistory::Limit + 5;
  for (int i = 0; i < changes; ++i) {
    Form->ColorButtonMouseDown(Form->ColorButtons[i % 2 ? 4 : 12], mbLeft);
    Settle();
  }
  int undone = 0;
  while (Form->EditUndo->isEnabled() && undone <= changes) {
    Form->EditUndoClick();
    ++undone;
  }
  EXPECT_EQ(undone, UndoHistory::Limit);
  // Back to the fifth change, the first of those kept undone.
  EXPECT_EQ(static_cast<TQuShape*>(Object(0))->Pen()->Color(), clBlue);
  EXPECT_TRUE(Form->Modified);  // the state opened fell out of the history

  Ui.ReplyButton(mrNo);  // 1001: the changes are given up
  Open(Path("card.tsl"));
  EXPECT_FALSE(Form->EditUndo->isEnabled());
  EXPECT_FALSE(Form->EditRedo->isEnabled());
  EXPECT_EQ(Steps(), 0);

  Drag(kInsideA, {60, 20});
  WhenShown<TPageSetDlg>([](TPageSetDlg& d) {
    d.FormActivate();
    d.OKBtn->click();
  });
  Form->NewDocument();
  ASSERT_TRUE(Form->ObjectList.empty());
  EXPECT_TRUE(Form->Modified);
  EXPECT_FALSE(Form->EditUndo->isEnabled());
  Form->RectButtonClick();
  Drag({20, 20}, {60, 60});
  Form->EditUndoClick();
  EXPECT_TRUE(Form->ObjectList.empty());
  EXPECT_TRUE(Form->Modified);  // a new card was never saved
}

TEST_F(UndoFlowTest, ArrowKeysMoveTheSelectionByAGridStepOrAPixel) {
  struct Case {
    bool Snap;
    int Key;
    Qt::KeyboardModifiers Mods;
    QPoint Moved;
  };
  const Case cases[] = {
      {true, Qt::Key_Right, {}, {10, 0}},        {true, Qt::Key_Up, {}, {0, -10}},
      {true, Qt::Key_Left, Qt::ControlModifier, {-1, 0}}, {true, Qt::Key_Down, Qt::AltModifier, {0, 1}},
      {false, Qt::Key_Down, {}, {0, 1}},         {false, Qt::Key_Left, Qt::ControlModifier, {-1, 0}},
  };
  for (int target : {0, 2}) {  // a shape with its marks, a text with its frame
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "object " << target << " key " << c.Key << " snap " << c.Snap);
      TControl* object = Object(target);
      Form->SnapToGrid = c.Snap;
      Click(object->BoundsRect().center());
      ASSERT_EQ(Form->SelectedObject, object);
      TControl* mark = target == 0 ? static_cast<TControl*>(Form->Handles[0]) : Form->LabelFrame;
      const QPoint was = object->BoundsRect().topLeft(), markWas = mark->BoundsRect().topLeft();
      Key(c.Key, c.Mods);
      EXPECT_EQ(object->BoundsRect().topLeft() - was, c.Moved);
      EXPECT_EQ(mark->BoundsRect().topLeft() - markWas, c.Moved);
      EXPECT_EQ(Form->SelectedObject, object);
    }
  }
  // Nothing selected: the keys move nothing.
  Click({440, 260});
  const QByteArray before = Bytes();
  Key(Qt::Key_Right);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(UndoFlowTest, ArrowsAndUndoKeysStayWithTheBoxOrEditorBeingTypedIn) {
  Form->FirstActivation = false;  // the document is open already
  Form->show();
  Form->activateWindow();
  QApplication::setActiveWindow(Form.get());
  Click(Object(2)->BoundsRect().center());
  ASSERT_EQ(Form->SelectedObject, Object(2));
  Form->FontSizeComboBox->setFocus();
  if (!QApplication::focusWidget()) GTEST_SKIP() << "no keyboard focus on this platform";
  // Where a selection puts the focus, the menu's Ctrl+Z is not claimed.
  QKeyEvent sinkClaim(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
  QApplication::sendEvent(Form->TestMemo, &sinkClaim);
  EXPECT_FALSE(sinkClaim.isAccepted());
  const QByteArray before = Bytes();
  Form->FontSizeComboBox->lineEdit()->setCursorPosition(2);
  Key(Qt::Key_Left, {}, QApplication::focusWidget());
  EXPECT_EQ(Form->FontSizeComboBox->lineEdit()->cursorPosition(), 1);
  EXPECT_EQ(Bytes(), before);

  Form->LabelDblClick(Object(2));
  ASSERT_EQ(QApplication::focusWidget(), Form->EditMemo->Editor());
  Key(Qt::Key_Left, {}, QApplication::focusWidget());
  EXPECT_EQ(Form->EditMemo->Editor()->textCursor().position(), 1);
  Type(QStringLiteral("x"));
  EXPECT_EQ(Form->EditMemo->Text(), QStringLiteral("名x刺"));
  // The editor claims Ctrl+Z before the menu's shortcut can.
  QKeyEvent claim(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
  QApplication::sendEvent(QApplication::focusWidget(), &claim);
  EXPECT_TRUE(claim.isAccepted());
  Key(Qt::Key_Z, Qt::ControlModifier, QApplication::focusWidget());
  EXPECT_EQ(Form->EditMemo->Text(), QStringLiteral("名刺"));
  EXPECT_EQ(Steps(), 0);
}
