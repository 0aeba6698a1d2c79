// Zooming the worksheet through the real main window: what is shown at
// 100 % against a picture of the worksheet as it was before zoom existed,
// and presses, drags and marks at other levels acting in worksheet pixels.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>

#include "Gridshape.h"
#include "Image.h"
#include "Memo.h"
#include "PanelView.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "Unit3.h"
#include "ViewScale.h"
#include "WinControl.h"
#include "ZoomLevels.h"

namespace {

QString Example(const char* name) { return QStringLiteral(TESSOLO_TEST_DATA "/../../examples/") + QLatin1String(name); }
QString Reference(const char* name) { return QStringLiteral(TESSOLO_TEST_DATA "/zoom/") + QLatin1String(name); }

class ZoomForm : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}

 protected:
  void ExecPopupMenu(const QPoint&) override {}
};

class ZoomFlowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Program.isValid()); }
  // A new, empty card, as after the wizard.
  std::unique_ptr<ZoomForm> Blank() {
    auto form = std::make_unique<ZoomForm>(nullptr, Program.path());
    form->ResetWorksheet();
    form->BGImage->SetVisible(false);
    form->DocumentOpen = true;
    form->UpdateCommands();
    return form;
  }
  std::unique_ptr<ZoomForm> Open(const char* example) {
    auto form = std::make_unique<ZoomForm>(nullptr, Program.path());
    form->CommandLineArguments = {Example(example)};
    form->FormActivate();
    EXPECT_TRUE(form->DocumentOpen);
    return form;
  }
  void Mouse(ZoomForm& form, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), form.DrawView->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(form.DrawView, &e);
  }
  void Click(ZoomForm& form, QPoint p) {
    Mouse(form, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Mouse(form, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  }
  void Drag(ZoomForm& form, QPoint from, QPoint to) {
    Mouse(form, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(form, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(form, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(form, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }
  // What the shortcut map would run for keys.
  static void Press(ZoomForm& form, const QKeySequence& keys) {
    for (QAction* a : form.findChildren<QAction*>())
      if (a->shortcuts().contains(keys)) return a->trigger();
    ADD_FAILURE() << "nothing answers " << keys.toString().toStdString();
  }
  static void Wheel(ZoomForm& form, int angle, Qt::KeyboardModifiers mods) {
    const QPointF p(20, 20);
    QWheelEvent e(p, form.DrawView->mapToGlobal(p), QPoint(), QPoint(0, angle), Qt::NoButton, mods, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(form.DrawView, &e);
  }

  QTemporaryDir Program;
  ScopedScriptedUI Scripted;
};

}  // namespace

TEST_F(ZoomFlowTest, AtOneHundredPercentTheWorksheetLooksAsItDidBeforeZoom) {
  struct Case {
    const char* Document;
    QPoint Select;  // a press and release here selects an object (marks or frame)
    const char* Picture;
  };
  const Case cases[] = {
      {"business-card.tsl", {30, 30}, "business-card-100.png"},
      {"shape-sampler.tsl", {60, 60}, "shape-sampler-100.png"},
      {"photo-background.tsl", {200, 120}, "photo-background-100.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Document);
    auto form = Open(c.Document);
    Click(*form, c.Select);
    const QImage shown = form->DrawView->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("TESSOLO_WRITE_ZOOM_REFERENCE")) shown.save(Reference(c.Picture));
    const QImage expected = QImage(Reference(c.Picture)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull());
    ASSERT_EQ(shown.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) differing += shown.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(ZoomFlowTest, DrawingMovingResizingAndHittingWorkInWorksheetPixelsAtEveryZoom) {
  for (int zoom : {200, 400, 50}) {
    SCOPED_TRACE(zoom);
    auto form = Blank();
    form->ZoomStepClick(zoom);
    ASSERT_EQ(form->DrawView->Zoom(), zoom);
    EXPECT_EQ(form->DrawView->size(), QSize(ViewScale(zoom).ToDevice(455), ViewScale(zoom).ToDevice(275)));
    auto view = [zoom](int x, int y) { return QPoint(x * zoom / 100, y * zoom / 100); };

    // A rectangle drawn from (13, 24) to (47, 61) snaps to the grid of 10.
    form->RectButtonClick();
    Drag(*form, view(13, 24), view(47, 61));
    ASSERT_EQ(form->ObjectList.size(), 1u);
    auto* shape = static_cast<TQuShape*>(form->ObjectList[0]);
    EXPECT_EQ(QRect(shape->Left(), shape->Top(), shape->Width(), shape->Height()), QRect(10, 20, 40, 40));

    // Without snapping, a drag of 40 device pixels moves it 40 / zoom.
    form->SnapToGrid = false;
    Drag(*form, view(30, 40), view(30, 40) + QPoint(40, 40));
    EXPECT_EQ(QPoint(shape->Left(), shape->Top()), QPoint(10, 20) + QPoint(40, 40) * 100 / zoom);
    const int left = shape->Left(), top = shape->Top();

    // The edge is hit exactly where the object begins on screen (its marks,
    // larger than it at 50 %, gone first).
    Click(*form, view(400, 250));
    Click(*form, view(left, top + 5) - QPoint(1, 0));
    EXPECT_FALSE(form->HasSelection);
    Click(*form, view(left, top + 5));
    ASSERT_TRUE(form->HasSelection);
    EXPECT_EQ(form->SelectedObject, shape);

    // The bottom-right mark, 6 x 6 on screen wherever it stands, resizes by
    // the worksheet pixels the mouse covers.
    TQuShape* mark = form->Handles[7];
    ASSERT_NE(mark, nullptr);
    const QRect box = mark->ScreenBox(QTransform::fromScale(zoom / 100.0, zoom / 100.0));
    EXPECT_EQ(box.size(), mark->BoundsRect().size());
    Drag(*form, box.center(), box.center() + view(30, 10));
    EXPECT_EQ(QRect(shape->Left(), shape->Top(), shape->Width(), shape->Height()), QRect(left, top, 70, 50));

    // Text typed in place is as large on screen as the text it becomes.
    form->TextButtonClick();
    Click(*form, view(200, 150));
    ASSERT_NE(form->EditMemo, nullptr);
    EXPECT_EQ(form->EditMemo->Editor()->geometry(), ViewScale(zoom).ToDevice(form->EditMemo->BoundsRect()));
    EXPECT_EQ(form->EditMemo->Editor()->font().pixelSize(),
              (form->EditMemo->Font()->ToQFont().pixelSize() * zoom + 50) / 100);
  }
}

TEST_F(ZoomFlowTest, MenuShortcutsAndCtrlWheelStepTheZoomAndTheMenuShowsIt) {
  auto form = Blank();
  auto* const fit = form->ViewFit;
  struct Step {
    std::function<void(ZoomForm&)> Do;
    int Zoom;          // shown
    QAction* Checked;  // nullptr: the step of that zoom
  };
  auto keys = [](QKeySequence k) { return [k](ZoomForm& f) { Press(f, k); }; };
  auto item = [](int i) { return [i](ZoomForm& f) { f.ViewZoomSteps[size_t(i)]->trigger(); }; };
  auto wheel = [](int angle, Qt::KeyboardModifiers mods) { return [=](ZoomForm& f) { Wheel(f, angle, mods); }; };
  const Step steps[] = {
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Plus)), 150, nullptr},
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Equal)), 200, nullptr},       // + on a US keyboard
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Semicolon)), 300, nullptr},   // + on a Japanese one
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Plus)), 400, nullptr},
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Plus)), 400, nullptr},        // no further
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Minus)), 300, nullptr},
      {keys(QKeySequence(Qt::CTRL | Qt::Key_0)), 100, nullptr},
      {item(1), 75, nullptr},
      {wheel(120, Qt::ControlModifier), 100, nullptr},
      {wheel(-240, Qt::ControlModifier), 50, nullptr},
      {wheel(60, Qt::ControlModifier), 50, nullptr},                      // half a notch: not yet
      {wheel(60, Qt::ControlModifier), 75, nullptr},
      {wheel(120, Qt::NoModifier), 75, nullptr},                          // scrolls, does not zoom
      {[](ZoomForm& f) { f.ViewFit->trigger(); }, -1, fit},
      {keys(QKeySequence(Qt::CTRL | Qt::Key_Minus)), -2, nullptr},        // the step below the fitted zoom
  };
  int fitted = 0;
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    steps[i].Do(*form);
    int zoom = steps[i].Zoom;
    if (zoom == -1) fitted = zoom = ZoomLevels::Fit({455, 275}, form->ScrollBox0->maximumViewportSize(), 10);
    if (zoom == -2) zoom = ZoomLevels::Out(fitted);
    EXPECT_EQ(form->DrawView->Zoom(), zoom);
    EXPECT_EQ(form->WorksheetZoom(), zoom);
    EXPECT_EQ(form->DrawView->size(), QSize(ViewScale(zoom).ToDevice(455), ViewScale(zoom).ToDevice(275)));
    QAction* checked = steps[i].Checked;
    for (size_t k = 0; k < ZoomLevels::Steps.size(); ++k)
      if (ZoomLevels::Steps[k] == zoom && !checked) checked = form->ViewZoomSteps[k];
    for (QAction* a : form->ViewMenu->actions())
      if (a->isCheckable()) {
        EXPECT_EQ(a->isChecked(), a == checked) << a->objectName().toStdString();
      }
  }
  // The menu stands between 編集 and その他.
  const QList<QAction*> menus = form->menuBar()->actions();
  const qsizetype view = menus.indexOf(form->ViewMenu->menuAction());
  ASSERT_GT(view, 0);
  EXPECT_EQ(menus[view - 1], form->EditMenu->menuAction());
  EXPECT_EQ(menus[view + 1], form->OtherMenu->menuAction());
}

TEST_F(ZoomFlowTest, TheZoomIsKeptInTessoloIniAcrossWindowsAndNeverInQuorinCon) {
  struct Case {
    std::function<void(ZoomForm&)> Choose;
    ZoomLevels::TZoomSetting Kept;
  };
  const Case cases[] = {
      {[](ZoomForm& f) { f.ZoomStepClick(300); }, {false, 300}},
      {[](ZoomForm& f) { f.ViewFit->trigger(); }, {true, 100}},
      {[](ZoomForm& f) { f.ZoomOutClick(); }, {false, 75}},
  };
  const QString ini = Program.filePath(QStringLiteral("tessolo.ini"));
  for (const Case& c : cases) {
    {
      auto form = Blank();
      form->ZoomStepClick(100);
      c.Choose(*form);
      form->close();  // writes quorin.con
    }
    const QFileInfo con(Program.filePath(QStringLiteral("quorin.con")));
    if (con.exists()) {
      EXPECT_EQ(con.size(), 72);
    }
    auto again = Open("business-card.tsl");
    EXPECT_EQ(again->ZoomSetting(), c.Kept);
    EXPECT_EQ(again->DrawView->Zoom(), again->WorksheetZoom());
    if (!c.Kept.FitWindow) {
      EXPECT_EQ(again->DrawView->Zoom(), c.Kept.Percent);
    }
  }

  // A value this program never writes is 100 %, and nothing is lost.
  QSettings(ini, QSettings::IniFormat).setValue(QStringLiteral("Worksheet/Zoom"), QStringLiteral("250"));
  auto damaged = Open("business-card.tsl");
  EXPECT_EQ(damaged->DrawView->Zoom(), 100);
  EXPECT_EQ(damaged->ObjectList.size(), 8u);
}
