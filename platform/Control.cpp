#include "Control.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "Canvas.h"
#include "WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
  FFont->OnChange = [this](TGraphicsObject*) {
    FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  FFont->OnChange = nullptr;
}

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TControl>;
    TClassInfo c("TControl", &TComponent::StaticClassInfo());
    c.Add(P::Integer("Left", [](const TControl& o) { return o.Left(); }, [](TControl& o, int64_t v) { o.SetLeft(int(v)); }));
    c.Add(P::Integer("Top", [](const TControl& o) { return o.Top(); }, [](TControl& o, int64_t v) { o.SetTop(int(v)); }));
    c.Add(P::Integer("Width", [](const TControl& o) { return o.Width(); },
                     [](TControl& o, int64_t v) { o.SetWidth(int(v)); }));
    c.Add(P::Integer("Height", [](const TControl& o) { return o.Height(); },
                     [](TControl& o, int64_t v) { o.SetHeight(int(v)); }));
    c.Add(P::Ordinal("Cursor", TPropKind::Cursor, [](const TControl& o) { return o.Cursor(); },
                     [](TControl& o, int64_t v) { o.SetCursor(TCursor(v)); }, crDefault));
    c.Add(P::String("Hint", [](const TControl& o) { return o.Hint(); },
                    [](TControl& o, const QString& v) { o.SetHint(v); }));
    return c;
  }();
  return info;
}

void TControl::SetParent(TWinControl* parent) {
  if (FParent == parent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  // Bounds stay where their arithmetic cannot overflow, whatever a damaged
  // document holds.
  constexpr int Limit = 1 << 27;
  left = std::clamp(left, -Limit, Limit);
  top = std::clamp(top, -Limit, Limit);
  width = std::clamp(width, -Limit, Limit);
  height = std::clamp(height, -Limit, Limit);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  const QRect old = BoundsRect();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (FParent && FVisible) {
    FParent->InvalidateRect(old);
    FParent->InvalidateRect(BoundsRect());
  }
  if (FParent && FParent->OnChildrenChanged) FParent->ChildrenChanged();
}

void TControl::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  if (FParent) {
    FParent->InvalidateRect(BoundsRect());
    FParent->ChildrenChanged();
  }
}

void TControl::SetEnabled(bool v) {
  if (FEnabled == v) return;
  FEnabled = v;
  Invalidate();
}

void TControl::SetCursor(TCursor v) { FCursor = v; }

void TControl::SetColor(TColor v) {
  if (FColor == v) return;
  FColor = v;
  FParentColor = false;
  Invalidate();
}

void TControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v) ParentColorChanged();
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent) return;
  FFont->Assign(*FParent->Font());  // raises OnChange, which clears the flag
  FParentFont = true;
}

void TControl::ParentColorChanged() {
  if (!FParent) return;
  FColor = FParent->Color();
  FParentColor = true;
  Invalidate();
}

QRect TControl::ScreenBox(const QTransform& parentToDevice) const {
  const QPointF centre = parentToDevice.map(QPointF(FLeft + FWidth / 2.0, FTop + FHeight / 2.0));
  return QRect(int(std::floor(centre.x() - FWidth / 2.0 + 0.5)), int(std::floor(centre.y() - FHeight / 2.0 + 0.5)),
               FWidth, FHeight);
}

void TControl::Invalidate() {
  if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
}

void TControl::BringToFront() {
  if (FParent) FParent->SetChildOrder(this, FParent->ControlCount() - 1);
}

void TControl::SendToBack() {
  if (FParent) FParent->SetChildOrder(this, 0);
}

namespace {
// a * M / D rounded as MulDiv rounds, but wide, for edges that may not fit
// in an int once scaled (SetBounds then clamps them).
int64_t ScaleWide(int64_t a, int M, int D) {
  if (D == 0) return -1;
  const int64_t p = a * M;
  const int64_t q = (std::llabs(p) + std::llabs(int64_t(D)) / 2) / std::llabs(int64_t(D));
  return (p < 0) != (D < 0) ? -q : q;
}
int Fit(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }
}  // namespace

void TControl::ChangeScale(int M, int D) {
  // Right and bottom edges are scaled and the size taken from them, so that
  // neighbouring controls stay neighbours.
  const int64_t x = ScaleWide(FLeft, M, D);
  const int64_t y = ScaleWide(FTop, M, D);
  const int64_t w = ScaleWide(int64_t(FLeft) + FWidth, M, D) - x;
  const int64_t h = ScaleWide(int64_t(FTop) + FHeight, M, D) - y;
  SetBounds(Fit(x), Fit(y), Fit(w), Fit(h));
  if (!FParentFont) {
    const bool keep = FParentFont;
    FFont->SetSize(MulDiv(FFont->Size(), M, D));
    FParentFont = keep;
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::Click() {
  if (OnClick) OnClick(this);
}

// --- TGraphicControl -------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TCanvas>()) {}
TGraphicControl::~TGraphicControl() = default;

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info("TGraphicControl", &TControl::StaticClassInfo());
  return info;
}

void TGraphicControl::PaintControl(QPainter& painter) {
  FCanvas->BeginPaint(&painter);
  Paint();
  FCanvas->EndPaint();
}
