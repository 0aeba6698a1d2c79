#include "Gridshape.h"

#include <algorithm>

#include "Canvas.h"

TGridShape::TGridShape(TComponent* owner)
    : TGraphicControl(owner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  SetBounds(BoundsLeft(), BoundsTop(), 65, 65);
  FPen->OnChange = [this](TGraphicsObject* s) { StyleChanged(s); };
  FBrush->OnChange = [this](TGraphicsObject* s) { StyleChanged(s); };
}

TGridShape::~TGridShape() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

const TClassInfo& TGridShape::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TGridShape>;
    TClassInfo c("TGridShape", &TGraphicControl::StaticClassInfo());
    c.Redeclare(P::Integer("Width", [](const TGridShape& g) { return g.Width(); },
                           [](TGridShape& g, int64_t v) { g.SetWidth(int(v)); }, 0));
    c.Redeclare(P::Integer("Height", [](const TGridShape& g) { return g.Height(); },
                           [](TGridShape& g, int64_t v) { g.SetHeight(int(v)); }, 0));
    c.Add(P::Object("Pen", [](TGridShape& g) -> TPersistent* { return g.Pen(); }));
    c.Add(P::Object("Brush", [](TGridShape& g) -> TPersistent* { return g.Brush(); }));
    c.Add(P::Integer("GridWidth", [](const TGridShape& g) { return g.GridWidth(); },
                     [](TGridShape& g, int64_t v) { g.SetGridWidth(int(v)); }, 0));
    c.Add(P::Ordinal("DragCursor", TPropKind::Cursor, [](const TGridShape&) { return crDrag; },
                     [](TGridShape&, int64_t) {}, crDrag));
    return c;
  }();
  return info;
}

void TGridShape::SetGridWidth(int value) {
  if (FGridWidth == value) return;
  FGridWidth = value;
  Invalidate();
}

void TGridShape::StyleChanged(TGraphicsObject*) { Invalidate(); }

void TGridShape::Paint() {
  TCanvas& c = *Canvas();
  c.Pen()->Assign(*FPen);
  c.Brush()->Assign(*FBrush);
  c.SetHairline(true);  // a guide, not part of the card: thin at any zoom
  const int64_t W = Width(), H = Height(), g = FGridWidth;
  if (g < 1) return;  // a spacing below one pixel would never end the loops
  // Only the lines that can show: a repaint of a small area, or a grid of
  // absurd size, walks just the visible part.
  // A line just outside the area still shows in it when its stroke is wide.
  const int64_t reach = std::max(FPen->Width(), 1);
  const QRect clip = c.ClipRect();
  auto firstAtOrAfter = [g](int64_t v) { return v <= 0 ? 0 : (v + g - 1) / g * g; };
  const int64_t xEnd = std::min<int64_t>(W, int64_t(clip.right()) + 1 + reach);
  for (int64_t x = firstAtOrAfter(int64_t(clip.left()) - reach); x < xEnd; x += g) {
    c.MoveTo(int(x), 0);
    c.LineTo(int(x), int(H));
  }
  const int64_t yEnd = std::min<int64_t>(H, int64_t(clip.bottom()) + 1 + reach);
  for (int64_t y = firstAtOrAfter(int64_t(clip.top()) - reach); y < yEnd; y += g) {
    c.MoveTo(0, int(y));
    c.LineTo(int(W), int(y));
  }
}
