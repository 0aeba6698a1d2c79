#pragma once
// Containers: TWinControl holds an ordered list of child controls (the order
// is the stacking order, first = bottom) and paints them bottom to top.
// TPanel is the plain container the worksheet is made of.
#include <QString>

#include <functional>
#include <vector>

#include "Control.h"

class QPainter;
class QWidget;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::vector<TControl*>& Controls() const { return FControls; }
  int ControlCount() const { return int(FControls.size()); }
  bool ContainsControl(const TControl* c) const;
  void SetBounds(int left, int top, int width, int height) override;
  void InsertControl(TControl* c);  // on top
  void RemoveControl(TControl* c);
  void SetChildOrder(TControl* c, int index);

  // Topmost visible control at p (own coordinates); enabledOnly skips
  // disabled controls, which let the mouse through to what lies below.
  TControl* ControlAtPos(QPoint p, bool enabledOnly) const;

  // Repaints r (own coordinates): told to the view showing this control, or
  // passed up to the parent.
  void InvalidateRect(const QRect& r);
  void Invalidate() override;
  std::function<void(const QRect&)> OnInvalidate;
  // Told when a child is added, removed, moved in the order or re-bounded,
  // and when this control is re-bounded, so that a view can follow its size
  // and place real child widgets.
  std::function<void()> OnChildrenChanged;
  void ChildrenChanged();

  // Paints this control and its children with the painter's origin at
  // (x, y), as the platform's PaintTo does.
  void PaintTo(QPainter& painter, int x, int y);
  void PaintControl(QPainter& painter) override;
  // Scales every child by M/D (bounds and fonts), then this control's size.
  void ScaleBy(int M, int D);
  void ChangeScale(int M, int D) override;

  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& v);

 protected:
  virtual void PaintBackground(QPainter& painter);
  // A child that keeps its size on screen, painted unscaled at its box.
  static void PaintAtScreenSize(QPainter& painter, TControl& c);
  void FontChanged() override;

 private:
  std::vector<TControl*> FControls;
  QString FCaption;
};

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner) : TWinControl(owner) { SetColor(clBtnFace); SetParentColor(false); }
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
