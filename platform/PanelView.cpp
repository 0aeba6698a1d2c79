#include "PanelView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

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
  FPanel->OnInvalidate = [this](const QRect& r) { update(r); };
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

void PanelView::SyncGeometry() {
  if (!FPanel) return;
  setGeometry(FPanel->Left(), FPanel->Top(), FPanel->Width(), FPanel->Height());
}

void PanelView::SyncChildren() {
  if (!FPanel) return;
  if (size() != QSize(FPanel->Width(), FPanel->Height()) || pos() != QPoint(FPanel->Left(), FPanel->Top()))
    SyncGeometry();
  for (TControl* c : FPanel->Controls()) {
    QWidget* w = c->NativeWidget();
    if (!w) continue;
    if (w->parentWidget() != this) w->setParent(this);
    w->setGeometry(c->BoundsRect());
    w->setVisible(c->Visible());
    w->raise();
  }
  if (FCapture && !Alive(FCapture)) FCapture = nullptr;
  // No repaint here: controls mark their own old and new areas as they move.
}

bool PanelView::Alive(TControl* c) const { return c && FPanel && (c == FPanel || FPanel->ContainsControl(c)); }

TControl* PanelView::Target(QPoint p) const {
  if (!FPanel) return nullptr;
  TControl* c = FPanel->ControlAtPos(p, true);
  return c ? c : FPanel;
}

QPoint PanelView::Local(TControl* c, QPoint p) const { return c == FPanel ? p : p - c->BoundsRect().topLeft(); }

void PanelView::paintEvent(QPaintEvent* event) {
  if (!FPanel) return;
  QPainter p(this);
  p.setClipRegion(event->region());
  FPanel->PaintControl(p);
}

void PanelView::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!Alive(FCapture)) FCapture = Target(pos);
  if (!FCapture) return;
  const QPoint l = Local(FCapture, pos);
  FCapture->MouseDown(ButtonOf(event->button()), ShiftOf(event), l.x(), l.y());
}

void PanelView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!Alive(FCapture)) FCapture = Target(pos);
  if (!FCapture) return;
  TControl* c = FCapture;
  if (event->button() == Qt::LeftButton) c->DblClick();
  if (!Alive(c)) return;
  const QPoint l = Local(c, pos);
  c->MouseDown(ButtonOf(event->button()), TShiftState(ShiftOf(event) | ssDouble), l.x(), l.y());
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  TControl* c = Alive(FCapture) ? FCapture : Target(pos);
  if (!c) return;
  const QPoint l = Local(c, pos);
  c->MouseMove(ShiftOf(event), l.x(), l.y());
  UpdateCursor(pos);
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  TControl* c = Alive(FCapture) ? FCapture : Target(pos);
  if (event->buttons() == Qt::NoButton) FCapture = nullptr;
  if (!c) return;
  const QPoint l = Local(c, pos);
  c->MouseUp(ButtonOf(event->button()), ShiftOf(event), l.x(), l.y());
  UpdateCursor(pos);
}

void PanelView::UpdateCursor(QPoint p) {
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
