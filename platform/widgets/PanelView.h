#pragma once
// The one widget that shows a panel of windowless controls on screen. It
// paints the children bottom to top, sends a press to the topmost visible and
// enabled child under the point (disabled ones let the mouse through), keeps
// sending moves and the release to that child until the release, shows each
// child's cursor and hint, and hosts real child widgets (the in-place memo).
//
// It alone knows the zoom: it paints the panel through a scale and maps every
// mouse position back to the panel pixel under it before a control sees it,
// so controls and their handlers work in panel pixels at any zoom.
#include <QWidget>

#include "ViewScale.h"

class TControl;
class TWinControl;

class PanelView : public QWidget {
  Q_OBJECT
 public:
  explicit PanelView(TWinControl* panel, QWidget* parent = nullptr);
  ~PanelView() override;

  TWinControl* Panel() const { return FPanel; }
  // Detaches from the panel (before the panel is destroyed).
  void Detach();

  // The zoom, in percent (100: one device pixel per panel pixel).
  int Zoom() const { return FScale.Percent(); }
  void SetZoom(int percent);
  // The panel pixel under a position in this widget, and back.
  QPoint ToPanel(QPointF viewPos) const { return FScale.Identity() ? viewPos.toPoint() : FScale.ToPanel(viewPos); }
  QPoint ToView(QPoint panelPoint) const { return FScale.ToDevice(panelPoint); }

 signals:
  // The wheel turned with Ctrl held: steps > 0 asks to zoom in, < 0 out.
  void ZoomWheel(int steps, QPoint viewPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // The control under a position in this widget.
  TControl* Target(QPointF viewPos) const;
  bool Alive(TControl* c) const;
  // A position in this widget in c's own coordinates.
  QPoint Local(TControl* c, QPointF viewPos) const;
  QRect ViewRect(const QRect& panelRect) const;
  void SyncGeometry();
  void SyncChildren();
  void UpdateCursor(QPointF p);

  TWinControl* FPanel;
  TControl* FCapture = nullptr;
  ViewScale FScale;
  int FWheelAngle = 0;  // turned with Ctrl held, not yet a whole step
};
