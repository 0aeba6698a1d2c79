#pragma once
// The one widget that shows a panel of windowless controls on screen. It
// paints the children bottom to top, sends a press to the topmost visible and
// enabled child under the point (disabled ones let the mouse through), keeps
// sending moves and the release to that child until the release, shows each
// child's cursor and hint, and hosts real child widgets (the in-place memo).
#include <QWidget>

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  TControl* Target(QPoint p) const;
  bool Alive(TControl* c) const;
  QPoint Local(TControl* c, QPoint p) const;
  void SyncGeometry();
  void SyncChildren();
  void UpdateCursor(QPoint p);

  TWinControl* FPanel;
  TControl* FCapture = nullptr;
};
