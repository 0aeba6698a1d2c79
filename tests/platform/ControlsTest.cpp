// Components and controls: ownership, stacking order, scaling, painting, and
// the panel view's mouse routing (sent as Qt events, no display needed).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Color.h"
#include "PanelView.h"
#include "PixelProbe.h"
#include "WinControl.h"

namespace {

using namespace PixelProbe;

std::vector<std::string> gLog;

// A windowless control that fills itself with one colour and logs its
// mouse input.
class TProbe : public TGraphicControl {
 public:
  TProbe(TComponent* owner, std::string name, TColor fill) : TGraphicControl(owner), FName(std::move(name)), FFill(fill) {
    ++Alive;
  }
  ~TProbe() override { --Alive; }
  static inline int Alive = 0;

  void MouseDown(TMouseButton, TShiftState shift, int x, int y) override {
    Log(shift & ssDouble ? "down2" : "down", x, y);
  }
  void MouseMove(TShiftState, int x, int y) override { Log("move", x, y); }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override { Log("up", x, y); }
  void DblClick() override { gLog.push_back(FName + " dblclick"); }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(FFill);
    Canvas()->FillRect(ClientRect());
  }

 private:
  void Log(const char* what, int x, int y) {
    gLog.push_back(FName + " " + what + " " + std::to_string(x) + "," + std::to_string(y));
  }
  std::string FName;
  TColor FFill;
};

TProbe* AddProbe(TPanel& panel, const char* name, QRect bounds, TColor fill = clRed) {
  auto* p = new TProbe(&panel, name, fill);
  p->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
  p->SetParent(&panel);
  return p;
}

QImage Paint(TPanel& panel, int w, int h) {
  QImage image = Blank(w, h);
  QPainter painter(&image);
  panel.PaintTo(painter, 0, 0);
  return image;
}

void Send(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), QPointF(w.mapToGlobal(p)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &e);
}
void Press(QWidget& w, QPoint p) { Send(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
void Move(QWidget& w, QPoint p, bool held) {
  Send(w, QEvent::MouseMove, p, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton);
}
void Release(QWidget& w, QPoint p) { Send(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }

TEST(Controls, OwnersDestroyWhatTheyOwn) {
  const int before = TProbe::Alive;
  auto* owner = new TComponent(nullptr);
  auto* panel = new TPanel(owner);
  panel->SetBounds(0, 0, 100, 100);
  TProbe* a = AddProbe(*panel, "a", QRect(0, 0, 10, 10));
  AddProbe(*panel, "b", QRect(0, 0, 10, 10));
  EXPECT_EQ(TProbe::Alive, before + 2);

  // One destroyed on its own leaves its owner and its parent.
  delete a;
  EXPECT_EQ(panel->Components().size(), 1u);
  EXPECT_EQ(panel->ControlCount(), 1);

  // Ownership moves with InsertComponent.
  auto* keeper = new TComponent(nullptr);
  TProbe* kept = AddProbe(*panel, "kept", QRect(0, 0, 5, 5));
  keeper->InsertComponent(kept);
  EXPECT_EQ(kept->Owner(), keeper);

  delete owner;  // destroys the panel, which destroys what it owns
  EXPECT_EQ(TProbe::Alive, before + 1);
  EXPECT_EQ(kept->Parent(), nullptr);  // its parent is gone; it is not
  delete keeper;
  EXPECT_EQ(TProbe::Alive, before);
}

TEST(Controls, ChildOrderIsTheStackingOrder) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 60, 40);
  panel.SetColor(clWhite);
  TProbe* a = AddProbe(panel, "a", QRect(0, 0, 30, 30), clRed);
  TProbe* b = AddProbe(panel, "b", QRect(10, 10, 30, 30), clLime);
  TProbe* c = AddProbe(panel, "c", QRect(20, 5, 30, 30), clBlue);
  EXPECT_EQ(panel.Controls(), (std::vector<TControl*>{a, b, c}));
  EXPECT_EQ(panel.ControlAtPos(QPoint(25, 15), true), c);
  QImage image = Paint(panel, 60, 40);
  EXPECT_TRUE(Is(image, 25, 15, Qt::blue));
  EXPECT_TRUE(Is(image, 15, 15, Qt::green));
  EXPECT_TRUE(Is(image, 5, 5, Qt::red));
  EXPECT_TRUE(Is(image, 55, 38, Qt::white));

  c->SendToBack();
  EXPECT_EQ(panel.Controls(), (std::vector<TControl*>{c, a, b}));
  a->BringToFront();
  EXPECT_EQ(panel.Controls(), (std::vector<TControl*>{c, b, a}));
  image = Paint(panel, 60, 40);
  EXPECT_TRUE(Is(image, 25, 15, Qt::red));
  EXPECT_TRUE(Is(image, 35, 15, Qt::green));
  EXPECT_TRUE(Is(image, 45, 8, Qt::blue));

  // Hidden controls neither paint nor take the mouse; disabled ones let it
  // through when asked to.
  a->Hide();
  EXPECT_EQ(panel.ControlAtPos(QPoint(25, 15), true), b);
  EXPECT_TRUE(Is(Paint(panel, 60, 40), 5, 5, Qt::white));
  b->SetEnabled(false);
  EXPECT_EQ(panel.ControlAtPos(QPoint(25, 15), true), c);
  EXPECT_EQ(panel.ControlAtPos(QPoint(25, 15), false), b);
  EXPECT_EQ(panel.ControlAtPos(QPoint(59, 39), false), nullptr);

  // PaintTo places the panel at (x, y) and keeps children inside it.
  QImage shifted = Blank(80, 60);
  {
    QPainter painter(&shifted);
    panel.PaintTo(painter, 10, 15);
  }
  EXPECT_TRUE(Is(shifted, 9, 20, Qt::white));
  EXPECT_TRUE(Is(shifted, 10 + 45, 15 + 8, Qt::blue));
  EXPECT_TRUE(Is(shifted, 10 + 59, 15 + 39, Qt::white));  // the panel's own colour
  EXPECT_TRUE(Is(shifted, 70, 30, Qt::white));           // beyond the panel
}

TEST(Controls, ChangesRepaintTheAreasConcerned) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 100);
  std::vector<QRect> repainted;
  panel.OnInvalidate = [&](const QRect& r) { repainted.push_back(r); };
  TProbe* a = AddProbe(panel, "a", QRect(10, 10, 20, 20));
  repainted.clear();
  a->SetBounds(10, 10, 20, 20);
  EXPECT_TRUE(repainted.empty());
  a->SetBounds(50, 60, 5, 5);
  EXPECT_EQ(repainted, (std::vector<QRect>{QRect(10, 10, 20, 20), QRect(50, 60, 5, 5)}));
  repainted.clear();
  a->Invalidate();
  EXPECT_EQ(repainted, (std::vector<QRect>{QRect(50, 60, 5, 5)}));
  repainted.clear();
  a->Hide();
  a->Invalidate();
  EXPECT_EQ(repainted, (std::vector<QRect>{QRect(50, 60, 5, 5)}));  // hiding repaints; hidden does not
}

TEST(Controls, ScaleByScalesChildrenAndOwnFontsButNotThePanelPosition) {
  TPanel panel(nullptr);
  panel.SetBounds(5, 7, 100, 60);
  TProbe* a = AddProbe(panel, "a", QRect(10, 20, 30, 40));
  TProbe* b = AddProbe(panel, "b", QRect(1, 1, 1, 1));
  a->Font()->SetSize(12);
  EXPECT_FALSE(a->ParentFont());
  const int parentFontHeight = b->Font()->Height();
  panel.ScaleBy(3, 2);
  EXPECT_EQ(panel.BoundsRect(), QRect(5, 7, 150, 90));
  // Right and bottom edges are scaled, then the size taken from them.
  EXPECT_EQ(a->BoundsRect(), QRect(15, 30, 45, 60));
  EXPECT_EQ(a->Font()->Size(), 18);
  EXPECT_FALSE(a->ParentFont());
  EXPECT_EQ(b->BoundsRect(), QRect(2, 2, 1, 1));  // 1.5 rounds away from zero
  EXPECT_EQ(b->Font()->Height(), parentFontHeight);
  EXPECT_TRUE(b->ParentFont());

  panel.ScaleBy(1, 3);
  EXPECT_EQ(panel.BoundsRect(), QRect(5, 7, 50, 30));
  EXPECT_EQ(a->BoundsRect(), QRect(5, 10, 15, 20));
  EXPECT_EQ(a->Font()->Size(), 6);
}

class PanelViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    Panel.SetBounds(0, 0, 100, 100);
    Panel.OnMouseDown = [](TControl*, TMouseButton, TShiftState, int x, int y) {
      gLog.push_back("panel down " + std::to_string(x) + "," + std::to_string(y));
    };
    Panel.OnMouseMove = [](TControl*, TShiftState, int x, int y) {
      gLog.push_back("panel move " + std::to_string(x) + "," + std::to_string(y));
    };
    A = AddProbe(Panel, "A", QRect(10, 10, 50, 50));
    B = AddProbe(Panel, "B", QRect(30, 30, 50, 50));
    View = std::make_unique<PanelView>(&Panel);
  }
  void TearDown() override { View.reset(); }

  TPanel Panel{nullptr};
  TProbe* A = nullptr;
  TProbe* B = nullptr;
  std::unique_ptr<PanelView> View;
};

TEST_F(PanelViewTest, PressGoesToTheTopmostVisibleEnabledChild) {
  EXPECT_EQ(View->size(), QSize(100, 100));
  Press(*View, QPoint(40, 40));
  Release(*View, QPoint(40, 40));
  B->SetEnabled(false);  // lets the mouse through to what lies below
  Press(*View, QPoint(40, 40));
  Release(*View, QPoint(40, 40));
  A->Hide();
  Press(*View, QPoint(40, 40));
  Release(*View, QPoint(40, 40));
  Press(*View, QPoint(5, 95));
  Release(*View, QPoint(5, 95));
  EXPECT_EQ(gLog, (std::vector<std::string>{"B down 10,10", "B up 10,10", "A down 30,30", "A up 30,30", "panel down 40,40",
                                            "panel down 5,95"}));
}

TEST_F(PanelViewTest, TheChildPressedKeepsTheMouseUntilRelease) {
  Press(*View, QPoint(40, 40));
  Move(*View, QPoint(20, 20), true);   // over A now, still B's
  Move(*View, QPoint(150, -30), true);  // outside the view altogether
  Release(*View, QPoint(150, -30));
  Move(*View, QPoint(20, 20), false);
  Move(*View, QPoint(5, 5), false);
  EXPECT_EQ(gLog, (std::vector<std::string>{"B down 10,10", "B move -10,-10", "B move 120,-60", "B up 120,-60",
                                            "A move 10,10", "panel move 5,5"}));

  // A child destroyed while it holds the mouse: the rest goes elsewhere.
  gLog.clear();
  Press(*View, QPoint(40, 40));
  delete B;
  B = nullptr;
  Move(*View, QPoint(45, 45), true);
  Release(*View, QPoint(45, 45));
  EXPECT_EQ(gLog, (std::vector<std::string>{"B down 10,10", "A move 35,35", "A up 35,35"}));
}

TEST_F(PanelViewTest, DoubleClickArrivesInThePlatformOrder) {
  Press(*View, QPoint(40, 40));
  Release(*View, QPoint(40, 40));
  Send(*View, QEvent::MouseButtonDblClick, QPoint(40, 40), Qt::LeftButton, Qt::LeftButton);
  Release(*View, QPoint(40, 40));
  EXPECT_EQ(gLog, (std::vector<std::string>{"B down 10,10", "B up 10,10", "B dblclick", "B down2 10,10", "B up 10,10"}));
}

TEST_F(PanelViewTest, ShowsTheCursorOfTheChildUnderTheMouse) {
  B->SetCursor(crHandPoint);
  Move(*View, QPoint(70, 70), false);
  EXPECT_EQ(View->cursor().shape(), Qt::PointingHandCursor);
  Move(*View, QPoint(20, 20), false);
  EXPECT_EQ(View->cursor().shape(), Qt::ArrowCursor);
  // While B holds the mouse its cursor stays, wherever the mouse is.
  Press(*View, QPoint(70, 70));
  Move(*View, QPoint(20, 20), true);
  EXPECT_EQ(View->cursor().shape(), Qt::PointingHandCursor);
  Release(*View, QPoint(20, 20));
  EXPECT_EQ(View->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PanelViewTest, PaintsThePanelAndFollowsItsSize) {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::black);
  View->render(&image);
  EXPECT_TRUE(Is(image, 35, 35, Qt::red));
  EXPECT_TRUE(Is(image, 5, 5, Colors::ToQColor(clBtnFace)));
  Panel.SetBounds(0, 0, 120, 80);
  EXPECT_EQ(View->size(), QSize(120, 80));
}

}  // namespace
