#include "Gridshape.h"

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
  const int W = Width(), H = Height(), g = FGridWidth;
  if (g < 1) return;  // a spacing below one pixel would never end the loops
  for (int64_t x = 0; x < W; x += g) {
    c.MoveTo(int(x), 0);
    c.LineTo(int(x), H);
  }
  for (int64_t y = 0; y < H; y += g) {
    c.MoveTo(0, int(y));
    c.LineTo(W, int(y));
  }
}
