#include "WinControl.h"

#include <QPainter>

#include <algorithm>

#include "Color.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children that are not owned by anyone still alive must not point back.
  OnInvalidate = nullptr;
  OnChildrenChanged = nullptr;
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    FControls.pop_back();
    c->FParent = nullptr;
  }
}

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info("TWinControl", &TControl::StaticClassInfo());
  return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info("TPanel", &TWinControl::StaticClassInfo());
  return info;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const QRect old = BoundsRect();
  TControl::SetBounds(left, top, width, height);
  if (BoundsRect() != old) ChildrenChanged();
}

bool TWinControl::ContainsControl(const TControl* c) const {
  return std::find(FControls.begin(), FControls.end(), c) != FControls.end();
}

void TWinControl::InsertControl(TControl* c) {
  if (ContainsControl(c)) return;
  FControls.push_back(c);
  c->FParent = this;
  if (c->Visible()) InvalidateRect(c->BoundsRect());
  ChildrenChanged();
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  FControls.erase(it);
  c->FParent = nullptr;
  if (c->Visible()) InvalidateRect(c->BoundsRect());
  ChildrenChanged();
}

void TWinControl::SetChildOrder(TControl* c, int index) {
  auto it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  FControls.erase(it);
  index = std::clamp(index, 0, int(FControls.size()));
  FControls.insert(FControls.begin() + index, c);
  if (c->Visible()) InvalidateRect(c->BoundsRect());
  ChildrenChanged();
}

TControl* TWinControl::ControlAtPos(QPoint p, bool enabledOnly) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (enabledOnly && !c->Enabled())) continue;
    if (c->BoundsRect().contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::InvalidateRect(const QRect& r) {
  if (!Visible()) return;
  if (OnInvalidate) {
    OnInvalidate(r);
  } else if (Parent()) {
    Parent()->InvalidateRect(r.translated(Left(), Top()).intersected(BoundsRect()));
  }
}

void TWinControl::Invalidate() { InvalidateRect(ClientRect()); }

void TWinControl::ChildrenChanged() {
  if (OnChildrenChanged) OnChildrenChanged();
}

void TWinControl::SetCaption(const QString& v) {
  if (FCaption == v) return;
  FCaption = v;
  Invalidate();
}

void TWinControl::FontChanged() {
  for (TControl* c : FControls)
    if (c->ParentFont()) c->ParentFontChanged();
  Invalidate();
}

void TWinControl::PaintBackground(QPainter& painter) {
  painter.fillRect(ClientRect(), Colors::ToQColor(Color()));
}

void TWinControl::PaintControl(QPainter& painter) {
  PaintBackground(painter);
  const QRect clip = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() : ClientRect();
  const bool scaled = painter.worldTransform().type() >= QTransform::TxScale;
  const bool oneRect = !scaled && painter.hasClipping() && painter.clipRegion().rectCount() == 1;
  for (TControl* c : FControls) {
    if (!c->Visible() || c->NativeWidget()) continue;
    if (scaled && c->KeepsScreenSize()) {
      PaintAtScreenSize(painter, *c);
      continue;
    }
    const QRect b = c->BoundsRect();
    if (!b.intersects(clip)) continue;
    painter.save();
    // Where the clip is that one rectangle, the child's clip replaces it
    // by their overlap: the same pixels, and a PDF writes one clip path at
    // every later change of state instead of the whole stack.
    if (oneRect) painter.setClipRect(b & clip, Qt::ReplaceClip);
    else painter.setClipRect(b, Qt::IntersectClip);
    painter.translate(b.topLeft());
    c->PaintControl(painter);
    painter.restore();
  }
}

void TWinControl::PaintAtScreenSize(QPainter& painter, TControl& c) {
  const QRect box = c.ScreenBox(painter.worldTransform());
  painter.save();
  painter.setWorldTransform(QTransform::fromTranslate(box.left(), box.top()));
  painter.setClipRect(QRect(QPoint(0, 0), box.size()), Qt::IntersectClip);
  c.PaintControl(painter);
  painter.restore();
}

void TWinControl::PaintTo(QPainter& painter, int x, int y) {
  painter.save();
  painter.translate(x, y);
  painter.setClipRect(ClientRect(), Qt::IntersectClip);
  PaintControl(painter);
  painter.restore();
}

void TWinControl::ScaleBy(int M, int D) {
  for (TControl* c : std::vector<TControl*>(FControls)) c->ChangeScale(M, D);
  SetBounds(Left(), Top(), MulDiv(Width(), M, D), MulDiv(Height(), M, D));
}

void TWinControl::ChangeScale(int M, int D) {
  for (TControl* c : std::vector<TControl*>(FControls)) c->ChangeScale(M, D);
  TControl::ChangeScale(M, D);
}
