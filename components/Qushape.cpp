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

namespace {
// Shape arithmetic is done wide: a damaged document may hold any 32-bit value.
int Narrow(int64_t v) { return int(std::clamp<int64_t>(v, -TCanvas::MaxCoord, TCanvas::MaxCoord)); }
}  // namespace

void TQuShape::UpdateBounds() {
  const int64_t pw = FPen->Width();
  SetBounds(Narrow(FLeft - pw / 2), Narrow(FTop - pw / 2), Narrow(FWidth + pw + 1), Narrow(FHeight + pw + 1));
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

void TQuShape::Paint() {
  TCanvas& c = *Canvas();
  c.Pen()->Assign(*FPen);
  c.Brush()->Assign(*FBrush);
  const int64_t W = FWidth, H = FHeight;
  const int64_t S = H > W ? W : H;
  const int64_t pw = FPen->Width();
  int64_t X = pw / 2, Y = pw / 2;
  if (FShape == qustSquare || FShape == qustRoundSquare || FShape == qustCircle) {
    X = pw / 2 + (W - S) / 2;
    Y = pw / 2 + (H - S) / 2;
  }
  const int x = Narrow(X), y = Narrow(Y), r = Narrow(S / 4);
  switch (FShape) {
    case qustRectangle: c.Rectangle(x, y, Narrow(X + W + 1), Narrow(Y + H + 1)); break;
    case qustSquare: c.Rectangle(x, y, Narrow(X + S + 1), Narrow(Y + S + 1)); break;
    case qustRoundRect: c.RoundRect(x, y, Narrow(X + W + 1), Narrow(Y + H + 1), r, r); break;
    case qustRoundSquare: c.RoundRect(x, y, Narrow(X + S + 1), Narrow(Y + S + 1), r, r); break;
    case qustEllipse: c.Ellipse(x, y, Narrow(X + W + 1), Narrow(Y + H + 1)); break;
    case qustCircle: c.Ellipse(x, y, Narrow(X + S + 1), Narrow(Y + S + 1)); break;
    case qustLinea:
      c.MoveTo(x, y);
      c.LineTo(Narrow(X + W), Narrow(Y + H));
      break;
    case qustLineb:
      c.MoveTo(x, Narrow(Y + H));
      c.LineTo(Narrow(X + W), y);
      break;
    default: break;
  }
}
