#include "PanelView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

#include "Color.h"
#include "Cursors.h"
#include "WinControl.h"

namespace {
TShiftState ShiftOf(const QMouseEvent* e) {
  TShiftState s = 0;
  const Qt::KeyboardModifiers m = e->modifiers();
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  const Qt::MouseButtons b = e->buttons();
  if (b & Qt::LeftButton) s |= ssLeft;
  if (b & Qt::RightButton) s |= ssRight;
  if (b & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return mbRight;
  if (b == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}
}  // namespace

PanelView::PanelView(TWinControl* panel, QWidget* parent) : QWidget(parent), FPanel(panel) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  FPanel->OnInvalidate = [this](const QRect& r) { update(ViewRect(r)); };
  FPanel->OnChildrenChanged = [this]() { SyncChildren(); };
  SyncGeometry();
  SyncChildren();
}

PanelView::~PanelView() { Detach(); }

void PanelView::Detach() {
  if (!FPanel) return;
  FPanel->OnInvalidate = nullptr;
  FPanel->OnChildrenChanged = nullptr;
  for (TControl* c : FPanel->Controls())
    if (QWidget* w = c->NativeWidget(); w && w->parentWidget() == this) w->setParent(nullptr);
  FPanel = nullptr;
  FCapture = nullptr;
}

void PanelView::SetZoom(int percent) {
  const ViewScale scale(percent);
  if (scale.Percent() == FScale.Percent()) return;
  FScale = scale;
  FWheelAngle = 0;
  SyncChildren();
  update();
}

QRect PanelView::ViewRect(const QRect& panelRect) const {
  if (FScale.Identity()) return panelRect;
  // Marks keep their size on screen and so reach past their mapped bounds
  // when zoomed out; a pixel more covers the rounding of edges.
  const int reach = FScale.Percent() < 100 ? 4 : 1;
  return FScale.ToDevice(panelRect).adjusted(-reach, -reach, reach, reach);
}

void PanelView::SyncGeometry() {
  if (!FPanel) return;
  // The margin around the panel is the scroll box's, not the card's: it
  // stays as it is.
  setGeometry(FPanel->Left(), FPanel->Top(), FScale.ToDevice(FPanel->Width()), FScale.ToDevice(FPanel->Height()));
}

void PanelView::SyncChildren() {
  if (!FPanel) return;
  if (size() != QSize(FScale.ToDevice(FPanel->Width()), FScale.ToDevice(FPanel->Height())) ||
      pos() != QPoint(FPanel->Left(), FPanel->Top()))
    SyncGeometry();
  for (TControl* c : FPanel->Controls()) {
    QWidget* w = c->NativeWidget();
    if (!w) continue;
    if (w->parentWidget() != this) w->setParent(this);
    c->SetNativeScale(FScale.Factor());
    w->setGeometry(FScale.ToDevice(c->BoundsRect()));
    w->setVisible(c->Visible());
    w->raise();
  }
  if (FCapture && !Alive(FCapture)) FCapture = nullptr;
  // No repaint here: controls mark their own old and new areas as they move.
}

bool PanelView::Alive(TControl* c) const { return c && FPanel && (c == FPanel || FPanel->ContainsControl(c)); }

TControl* PanelView::Target(QPointF viewPos) const {
  if (!FPanel) return nullptr;
  const QPoint p = ToPanel(viewPos);
  if (FScale.Identity()) {
    TControl* c = FPanel->ControlAtPos(p, true);
    return c ? c : FPanel;
  }
  // Topmost first; a mark is hit where it shows, at its size on screen.
  const QPoint device(int(std::floor(viewPos.x())), int(std::floor(viewPos.y())));
  const auto& controls = FPanel->Controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || !c->Enabled()) continue;
    if (c->KeepsScreenSize() ? c->ScreenBox(FScale.Transform()).contains(device) : c->BoundsRect().contains(p))
      return c;
  }
  return FPanel;
}

QPoint PanelView::Local(TControl* c, QPointF viewPos) const {
  const QPoint p = ToPanel(viewPos);
  return c == FPanel ? p : p - c->BoundsRect().topLeft();
}

void PanelView::paintEvent(QPaintEvent* event) {
  if (!FPanel) return;
  QPainter p(this);
  p.setClipRegion(event->region());
  if (!FScale.Identity()) {
    // The last device column and row may hold only part of a panel pixel.
    p.fillRect(event->rect(), Colors::ToQColor(FPanel->Color()));
    p.scale(FScale.Factor(), FScale.Factor());
  }
  FPanel->PaintControl(p);
}

void PanelView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();  // the scroll box scrolls
    return;
  }
  // Wheels that turn in small steps add up to whole notches.
  FWheelAngle += event->angleDelta().y();
  const int steps = FWheelAngle / QWheelEvent::DefaultDeltasPerStep;
  FWheelAngle -= steps * QWheelEvent::DefaultDeltasPerStep;
  event->accept();
  if (steps != 0) emit ZoomWheel(steps, event->position().toPoint());
}

void PanelView::mousePressEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  if (!Alive(FCapture)) FCapture = Target(pos);
  if (!FCapture) return;
  const QPoint l = Local(FCapture, pos);
  FCapture->MouseDown(ButtonOf(event->button()), ShiftOf(event), l.x(), l.y());
}

void PanelView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  if (!Alive(FCapture)) FCapture = Target(pos);
  if (!FCapture) return;
  TControl* c = FCapture;
  if (event->button() == Qt::LeftButton) c->DblClick();
  if (!Alive(c)) return;
  const QPoint l = Local(c, pos);
  c->MouseDown(ButtonOf(event->button()), TShiftState(ShiftOf(event) | ssDouble), l.x(), l.y());
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  TControl* c = Alive(FCapture) ? FCapture : Target(pos);
  if (!c) return;
  const QPoint l = Local(c, pos);
  c->MouseMove(ShiftOf(event), l.x(), l.y());
  UpdateCursor(pos);
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  TControl* c = Alive(FCapture) ? FCapture : Target(pos);
  if (event->buttons() == Qt::NoButton) FCapture = nullptr;
  if (!c) return;
  const QPoint l = Local(c, pos);
  c->MouseUp(ButtonOf(event->button()), ShiftOf(event), l.x(), l.y());
  UpdateCursor(pos);
}

void PanelView::UpdateCursor(QPointF p) {
  TControl* c = Alive(FCapture) ? FCapture : Target(p);
  setCursor(Cursors::ToQCursor(c ? c->Cursor() : crDefault));
}

bool PanelView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && FPanel) {
    auto* help = static_cast<QHelpEvent*>(event);
    TControl* c = Target(help->pos());
    if (c && c->ShowHint() && !c->Hint().isEmpty())
      QToolTip::showText(help->globalPos(), c->Hint(), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}
