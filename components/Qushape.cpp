#include "Qushape.h"

#include <algorithm>

#include "Canvas.h"

TQuShape::TQuShape(TComponent* owner)
    : TGraphicControl(owner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FPen->OnChange = [this](TGraphicsObject* s) { StyleChanged(s); };
  FBrush->OnChange = [this](TGraphicsObject* s) { StyleChanged(s); };
}

TQuShape::~TQuShape() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

const TEnumInfo& TQuShape::ShapeTypes() {
  static const TEnumInfo info{{"qustRectangle", "qustSquare", "qustRoundRect", "qustRoundSquare", "qustEllipse",
                               "qustCircle", "qustLinea", "qustLineb"}};
  return info;
}

const TClassInfo& TQuShape::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TQuShape>;
    TClassInfo c("TQuShape", &TGraphicControl::StaticClassInfo());
    c.Redeclare(P::Integer("Left", [](const TQuShape& s) { return s.Left(); },
                           [](TQuShape& s, int64_t v) { s.SetLeft(int(v)); }, 0));
    c.Redeclare(P::Integer("Top", [](const TQuShape& s) { return s.Top(); },
                           [](TQuShape& s, int64_t v) { s.SetTop(int(v)); }, 0));
    c.Redeclare(P::Integer("Width", [](const TQuShape& s) { return s.Width(); },
                           [](TQuShape& s, int64_t v) { s.SetWidth(int(v)); }, 0));
    c.Redeclare(P::Integer("Height", [](const TQuShape& s) { return s.Height(); },
                           [](TQuShape& s, int64_t v) { s.SetHeight(int(v)); }, 0));
    c.Add(P::Enum("Shape", ShapeTypes(), [](const TQuShape& s) { return s.Shape(); },
                  [](TQuShape& s, int64_t v) { s.SetShape(TQuShapeType(v)); }, qustRectangle));
    c.Add(P::Object("Pen", [](TQuShape& s) -> TPersistent* { return s.Pen(); }));
    c.Add(P::Object("Brush", [](TQuShape& s) -> TPersistent* { return s.Brush(); }));
    c.Add(P::Ordinal("DragCursor", TPropKind::Cursor, [](const TQuShape&) { return crDrag; },
                     [](TQuShape&, int64_t) {}, crDrag));
    return c;
  }();
  return info;
}

void TQuShape::UpdateBounds() {
  const int pw = FPen->Width();
  SetBounds(FLeft - pw / 2, FTop - pw / 2, FWidth + pw + 1, FHeight + pw + 1);
}

void TQuShape::SetShape(TQuShapeType value) {
  if (FShape == value) return;
  FShape = value;
  Invalidate();
}

void TQuShape::SetLeft(int v) {
  if (FLeft == v) return;
  FLeft = v;
  UpdateBounds();
}
void TQuShape::SetTop(int v) {
  if (FTop == v) return;
  FTop = v;
  UpdateBounds();
}
void TQuShape::SetWidth(int v) {
  if (FWidth == v) return;
  FWidth = v;
  UpdateBounds();
}
void TQuShape::SetHeight(int v) {
  if (FHeight == v) return;
  FHeight = v;
  UpdateBounds();
}

void TQuShape::StyleChanged(TGraphicsObject*) {
  UpdateBounds();
  Invalidate();
}

void TQuShape::ChangeScale(int M, int D) {
  // Scaling works on the logical rectangle; the bounds follow from it.
  const int x = MulDiv(FLeft, M, D), y = MulDiv(FTop, M, D);
  SetLeft(x);
  SetTop(y);
  SetWidth(MulDiv(FLeft + FWidth, M, D) - x);
  SetHeight(MulDiv(FTop + FHeight, M, D) - y);
}

void TQuShape::Paint() {
  TCanvas& c = *Canvas();
  c.Pen()->Assign(*FPen);
  c.Brush()->Assign(*FBrush);
  const int W = FWidth, H = FHeight;
  const int S = H > W ? W : H;
  const int pw = FPen->Width();
  int X = pw / 2, Y = pw / 2;
  if (FShape == qustSquare || FShape == qustRoundSquare || FShape == qustCircle) {
    X = pw / 2 + (W - S) / 2;
    Y = pw / 2 + (H - S) / 2;
  }
  switch (FShape) {
    case qustRectangle: c.Rectangle(X, Y, X + W + 1, Y + H + 1); break;
    case qustSquare: c.Rectangle(X, Y, X + S + 1, Y + S + 1); break;
    case qustRoundRect: c.RoundRect(X, Y, X + W + 1, Y + H + 1, S / 4, S / 4); break;
    case qustRoundSquare: c.RoundRect(X, Y, X + S + 1, Y + S + 1, S / 4, S / 4); break;
    case qustEllipse: c.Ellipse(X, Y, X + W + 1, Y + H + 1); break;
    case qustCircle: c.Ellipse(X, Y, X + S + 1, Y + S + 1); break;
    case qustLinea:
      c.MoveTo(X, Y);
      c.LineTo(X + W, Y + H);
      break;
    case qustLineb:
      c.MoveTo(X, Y + H);
      c.LineTo(X + W, Y);
      break;
    default: break;
  }
}
