// Zooming the worksheet through the real main window: what is shown at
// 100 % against a picture of the worksheet as it was before zoom existed,
// and presses, drags and marks at other levels acting in worksheet pixels.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "PanelView.h"
#include "ScriptedUserInterface.h"
#include "Unit3.h"

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
