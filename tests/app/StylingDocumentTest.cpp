// Styling and stacking on the main window, through a save and a reload: the
// order of the objects on the worksheet and in the object list, their
// colours and the colour dialog's custom colours all come back.
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "Gridshape.h"
#include "Image.h"
#include "PanelView.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

// The main window with the popup menu recorded instead of opened.
class StylingForm : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}

 protected:
  void ExecPopupMenu(const QPoint&) override {}
};

class StylingDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Folder.isValid()); }

  std::unique_ptr<StylingForm> NewDocument() {
    auto form = std::make_unique<StylingForm>(nullptr, Folder.path());
    form->ResetWorksheet();
    form->BGImage->Hide();
    form->DocumentFileName = form->DefaultFileName;
    form->DocumentOpen = true;
    form->SnapToGrid = false;
    return form;
  }
  static void Mouse(TForm3& f, QEvent::Type type, QPoint p, Qt::MouseButton b) {
    QMouseEvent e(type, QPointF(p), f.DrawView->mapToGlobal(QPointF(p)), b,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b), {});
    QApplication::sendEvent(f.DrawView, &e);
  }
  static void Click(TForm3& f, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(f, QEvent::MouseButtonPress, p, b);
    Mouse(f, QEvent::MouseButtonRelease, p, b);
  }
  static TQuShape* DrawRectangle(TForm3& f, QRect r) {
    f.RectButtonClick();
    Mouse(f, QEvent::MouseButtonPress, r.topLeft(), Qt::LeftButton);
    Mouse(f, QEvent::MouseMove, r.bottomRight(), Qt::LeftButton);
    Mouse(f, QEvent::MouseButtonRelease, r.bottomRight(), Qt::LeftButton);
    return dynamic_cast<TQuShape*>(f.ObjectList.back());
  }
  static void PressSwatch(ColorSwatch* s, Qt::MouseButton b) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(4, 4), s->mapToGlobal(QPointF(4, 4)), b, b, {});
    QApplication::sendEvent(s, &e);
  }
  // The card objects' left edges in the panel's order and in the list's.
  static std::vector<int> PanelLefts(const TForm3& f) {
    std::vector<int> out;
    for (TControl* c : f.DrawPanel->Controls())
      if (std::find(f.ObjectList.begin(), f.ObjectList.end(), c) != f.ObjectList.end())
        out.push_back(static_cast<TQuShape*>(c)->Left());
    return out;
  }
  static std::vector<int> ListLefts(const TForm3& f) {
    std::vector<int> out;
    for (TControl* c : f.ObjectList) out.push_back(static_cast<TQuShape*>(c)->Left());
    return out;
  }

  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
};

TEST_F(StylingDocumentTest, OrderColoursAndCustomColoursSurviveSaveAndReload) {
  auto form = NewDocument();
  // Rectangles at lefts 40, 100, 160, drawn in that order.
  DrawRectangle(*form, QRect(40, 40, 40, 30));
  TQuShape* b = DrawRectangle(*form, QRect(100, 40, 40, 30));
  TQuShape* c = DrawRectangle(*form, QRect(160, 40, 40, 30));

  // Fill the middle one from the palette, give the last a pen colour chosen
  // with new custom colours.
  Click(*form, {120, 55});
  ASSERT_EQ(form->SelectedObject, b);
  PressSwatch(form->ColorButtons[12], Qt::RightButton);
  const QStringList custom{QStringLiteral("ColorA=123456"), QStringLiteral("ColorB=FFFFFF")};
  Scripted.Ui.ReplyColor(TColorReply{TColor(0x123456), custom});
  Click(*form, {180, 55});
  ASSERT_EQ(form->SelectedObject, c);
  form->ForColorClick();
  ASSERT_EQ(c->Pen()->Color(), TColor(0x123456));

  // The last to the bottom, the first to the top.
  Click(*form, {180, 55}, Qt::RightButton);
  form->BackClick();
  Click(*form, {60, 55}, Qt::RightButton);
  form->FrontClick();
  const std::vector<int> expected{160, 100, 40};
  ASSERT_EQ(ListLefts(*form), expected);
  ASSERT_EQ(PanelLefts(*form), expected);
  ASSERT_TRUE(form->Modified);

  const QString path = Folder.filePath(QStringLiteral("order.tsl"));
  ASSERT_EQ(form->SaveDocument(path), 0);

  auto reopened = NewDocument();
  ASSERT_EQ(reopened->LoadDocument(path), 0);
  const auto& kids = reopened->DrawPanel->Controls();
  ASSERT_GE(kids.size(), 5u);
  EXPECT_EQ(kids[0], reopened->BGImage);
  EXPECT_EQ(kids[1], reopened->GridShape);
  EXPECT_EQ(ListLefts(*reopened), expected);
  EXPECT_EQ(PanelLefts(*reopened), expected);
  auto* rc = static_cast<TQuShape*>(reopened->ObjectList[0]);
  auto* rb = static_cast<TQuShape*>(reopened->ObjectList[1]);
  EXPECT_EQ(rc->Pen()->Color(), TColor(0x123456));
  EXPECT_EQ(rb->Brush()->Style(), bsSolid);
  EXPECT_EQ(rb->Brush()->Color(), form->ColorButtons[12]->Color());
  EXPECT_EQ(reopened->ColorDialog->CustomColors(), custom);
  EXPECT_TRUE(Scripted.Ui.AllRepliesUsed());
}

}  // namespace
