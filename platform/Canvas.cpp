#include "Canvas.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "Color.h"
#include "Graphic.h"

namespace {

// On/off runs of the non-solid pen styles, in pixels, as the platform draws
// one-pixel pens.
const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3}, none;
  switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return none;
  }
}

bool PatternOn(const std::vector<int>& pattern, int64_t step) {
  int period = 0;
  for (int n : pattern) period += n;
  int phase = int(step % period);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (phase < pattern[i]) return i % 2 == 0;
    phase -= pattern[i];
  }
  return true;
}

QPainter::CompositionMode ModeFor(TPenMode mode) {
  switch (mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

}  // namespace


void TCanvas::BeginPaint(QPainter* painter) {
  FPainter = painter;
  if (FPainter) FPainter->setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::EndPaint() {
  if (FPainter) FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter = nullptr;
}

bool TCanvas::PenVisible() const { return FPen->Style() != psClear && FPen->Mode() != pmNop; }
bool TCanvas::BrushVisible() const { return FBrush->Style() != bsClear && FPen->Mode() != pmNop; }

void TCanvas::ApplyRasterOp() const { FPainter->setCompositionMode(ModeFor(FPen->Mode())); }

namespace {
QColor PenColor(const TPen& pen) {
  if (pen.Mode() == pmBlack) return Qt::black;
  if (pen.Mode() == pmWhite) return Qt::white;
  return Colors::ToQColor(pen.Color());
}
QColor BrushColor(const TBrush& brush, const TPen& pen) {
  if (pen.Mode() == pmBlack) return Qt::black;
  if (pen.Mode() == pmWhite) return Qt::white;
  return Colors::ToQColor(brush.Color());
}

// Pixel i (0 <= i < n) of the Bresenham walk from (x0, y0) towards an end
// point dx, dy away, in closed form so that a walk can start anywhere; it
// gives exactly the pixels of the step-by-step algorithm.
struct LineWalk {
  int64_t X0, Y0, Adx, Ady, N;
  int Sx, Sy;
  LineWalk(QPoint from, QPoint to)
      : X0(from.x()), Y0(from.y()), Adx(std::llabs(int64_t(to.x()) - from.x())),
        Ady(std::llabs(int64_t(to.y()) - from.y())), N(std::max(Adx, Ady)), Sx(to.x() < from.x() ? -1 : 1),
        Sy(to.y() < from.y() ? -1 : 1) {}
  // Distance covered along each axis after i steps (non-decreasing in i).
  int64_t Dx(int64_t i) const { return Adx >= Ady ? i : (2 * i * Adx + Ady) / (2 * Ady); }
  int64_t Dy(int64_t i) const { return Adx >= Ady ? (2 * i * Ady + Adx) / (2 * Adx) : i; }
  int64_t X(int64_t i) const { return X0 + Sx * Dx(i); }
  int64_t Y(int64_t i) const { return Y0 + Sy * Dy(i); }
  // First step in [lo, hi) whose Dy is at least d (hi when none).
  int64_t FirstDyAtLeast(int64_t d, int64_t lo, int64_t hi) const {
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (Dy(mid) >= d) hi = mid;
      else lo = mid + 1;
    }
    return lo;
  }
};

// Collects pixel rectangles, joining each to the previous one where they
// make one rectangle, so that long runs become one fill.
class RectBatch {
 public:
  RectBatch(QPainter& painter, const QColor& color, const QRect& visible)
      : FPainter(painter), FColor(color), FVisible(visible) {}
  ~RectBatch() { Flush(); }
  void Add(const QRect& r) {
    if (FPending.isValid()) {
      if (r.left() == FPending.left() && r.right() == FPending.right() && r.top() == FPending.bottom() + 1) {
        FPending.setBottom(r.bottom());
        return;
      }
      if (r.top() == FPending.top() && r.bottom() == FPending.bottom() && r.left() == FPending.right() + 1) {
        FPending.setRight(r.right());
        return;
      }
      Flush();
    }
    FPending = r;
  }
  void Flush() {
    if (!FPending.isValid()) return;
    const QRect r = FPending.intersected(FVisible);
    if (r.isValid()) FPainter.fillRect(r, FColor);
    FPending = QRect();
  }

 private:
  QPainter& FPainter;
  QColor FColor;
  QRect FVisible;
  QRect FPending;
};

}  // namespace

QRect TCanvas::VisibleRect() const {
  // Some slack keeps wide-pen arithmetic at the edges simple.
  constexpr int Slack = 2;
  if (FPainter->hasClipping()) return FPainter->clipBoundingRect().toAlignedRect().adjusted(-Slack, -Slack, Slack, Slack);
  const QPaintDevice* device = FPainter->device();
  if (!device) return QRect(-MaxCoord, -MaxCoord, 2 * MaxCoord, 2 * MaxCoord);
  bool invertible = false;
  const QTransform inverse = FPainter->combinedTransform().inverted(&invertible);
  if (!invertible) return QRect(-MaxCoord, -MaxCoord, 2 * MaxCoord, 2 * MaxCoord);
  return inverse.mapRect(QRect(0, 0, device->width(), device->height())).adjusted(-Slack, -Slack, Slack, Slack);
}

QRect TCanvas::ClipRect() const { return FPainter ? VisibleRect().adjusted(2, 2, -2, -2) : QRect(); }

int TCanvas::PenWidth() const { return std::clamp(FPen->Width(), 1, MaxPenWidth); }

void TCanvas::PlotLine(QPoint from, QPoint to, int w, const std::vector<int>& pattern) {
  // The pixels from 'from' up to, not including, 'to', each stamped with a
  // square of the pen's width. Only the part inside the visible area is
  // walked, so that a line of any length costs what it shows.
  const LineWalk walk(from, to);
  if (walk.N == 0) return;
  const int64_t phase0 = FDashPhase;
  FDashPhase += walk.N;
  const QRect vis = VisibleRect();
  RectBatch batch(*FPainter, PenColor(*FPen), vis);
  const int off = w / 2;

  if (!pattern.empty() && w == 1) {
    // Steps whose major coordinate lies inside the visible area.
    const bool xMajor = walk.Adx >= walk.Ady;
    const int64_t m0 = xMajor ? walk.X0 : walk.Y0;
    const int s = xMajor ? walk.Sx : walk.Sy;
    const int64_t lo = xMajor ? vis.left() : vis.top(), hi = xMajor ? vis.right() : vis.bottom();
    int64_t first = s > 0 ? lo - m0 : m0 - hi, last = s > 0 ? hi - m0 : m0 - lo;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, walk.N - 1);
    for (int64_t i = first; i <= last; ++i)
      if (PatternOn(pattern, phase0 + i)) batch.Add(QRect(int(walk.X(i)), int(walk.Y(i)), 1, 1));
    return;
  }

  const int64_t xFirst = walk.X0, xLast = walk.X(walk.N - 1);
  const int64_t yFirst = walk.Y0, yLast = walk.Y(walk.N - 1);
  if (walk.Adx == 0 || walk.Ady == 0) {  // along an axis: the stamps make one rectangle
    batch.Add(QRect(QPoint(int(std::min(xFirst, xLast) - off), int(std::min(yFirst, yLast) - off)),
                    QPoint(int(std::max(xFirst, xLast) - off + w - 1), int(std::max(yFirst, yLast) - off + w - 1))));
    return;
  }

  // Solid: the union of the stamps, row by row. The stamps that reach a row
  // are consecutive steps, and neighbouring stamps overlap or touch, so each
  // row is one run and every pixel is painted once (which an inverting pen
  // needs).
  const int64_t rowLo = std::max<int64_t>(std::min(yFirst, yLast) - off, vis.top());
  const int64_t rowHi = std::min<int64_t>(std::max(yFirst, yLast) - off + w - 1, vis.bottom());
  for (int64_t row = rowLo; row <= rowHi; ++row) {
    // Stamps at y reach rows y - off .. y - off + w - 1.
    const int64_t yA = row + off - w + 1, yB = row + off;
    const int64_t dA = walk.Sy > 0 ? yA - walk.Y0 : walk.Y0 - yB;
    const int64_t dB = walk.Sy > 0 ? yB - walk.Y0 : walk.Y0 - yA;
    const int64_t i0 = walk.FirstDyAtLeast(dA, 0, walk.N);
    const int64_t i1 = walk.FirstDyAtLeast(dB + 1, i0, walk.N) - 1;
    if (i0 > i1) continue;
    const int64_t xa = walk.X(i0), xb = walk.X(i1);
    const int64_t left = std::max<int64_t>(std::min(xa, xb) - off, vis.left() - 1);
    const int64_t right = std::min<int64_t>(std::max(xa, xb) - off + w - 1, vis.right() + 1);
    if (left > right) continue;
    batch.Add(QRect(QPoint(int(left), int(row)), QPoint(int(right), int(row))));
  }
}

void TCanvas::LineTo(int x, int y) {
  const QPoint from = FPenPos;
  FPenPos = Clamped(x, y);
  if (!FPainter || !PenVisible()) return;
  ApplyRasterOp();
  FDashPhase = 0;
  const QTransform& t = FPainter->worldTransform();
  const bool patterned = PenWidth() == 1 && !DashPattern(FPen->Style()).empty();
  const bool diagonal = from.x() != FPenPos.x() && from.y() != FPenPos.y();
  if (t.type() == QTransform::TxScale && !FPainter->viewTransformEnabled() && !patterned && (diagonal || FHairline)) {
    // Zoomed, a slanting line is drawn at the resolution it shows at rather
    // than as enlarged steps; lines along an axis are exact either way.
    PlotLineOnDevice(from, FPenPos);
    return;
  }
  PlotLine(from, FPenPos, PenWidth(), DashPattern(FPen->Style()));
}

void TCanvas::PlotLineOnDevice(QPoint from, QPoint to) {
  const QTransform t = FPainter->worldTransform();
  // From the centre of the first pixel to the centre of the last, the pen
  // widened by the zoom.
  auto device = [&t](QPoint p) {
    const QPointF d = t.map(QPointF(p) + QPointF(0.5, 0.5));
    return QPoint(int(std::floor(std::clamp(d.x(), -2.0 * MaxCoord, 2.0 * MaxCoord))),
                  int(std::floor(std::clamp(d.y(), -2.0 * MaxCoord, 2.0 * MaxCoord))));
  };
  const double zoom = std::sqrt(std::abs(t.m11() * t.m22()));
  const int w = FHairline ? 1 : int(std::clamp(std::floor(PenWidth() * zoom + 0.5), 1.0, double(MaxPenWidth)));
  FPainter->save();
  FPainter->setWorldTransform(QTransform());
  PlotLine(device(from), device(to), w, {});
  FPainter->restore();
}

void TCanvas::StrokeFrame(const QRect& path) {
  const int w = PenWidth();
  if (w == 1 && !DashPattern(FPen->Style()).empty()) {
    // A patterned outline runs round the frame like a polyline.
    FDashPhase = 0;
    const QPoint tl = path.topLeft(), tr = path.topRight(), br = path.bottomRight(), bl = path.bottomLeft();
    if (path.width() == 1 || path.height() == 1) {
      PlotLine(tl, br + (path.height() == 1 ? QPoint(1, 0) : QPoint(0, 1)), w, DashPattern(FPen->Style()));
      return;
    }
    for (auto [a, b] : {std::pair{tl, tr}, std::pair{tr, br}, std::pair{br, bl}, std::pair{bl, tl}})
      PlotLine(a, b, w, DashPattern(FPen->Style()));
    return;
  }
  // The stroke is centred on the path: w / 2 outside, the rest inside.
  const QRect outer(QPoint(path.left() - w / 2, path.top() - w / 2),
                    QPoint(path.right() - w / 2 + w - 1, path.bottom() - w / 2 + w - 1));
  const QColor color = PenColor(*FPen);
  const QRect inner = outer.adjusted(w, w, -w, -w);
  if (!inner.isValid()) {
    FPainter->fillRect(outer, color);
    return;
  }
  // Four strips that do not overlap.
  FPainter->fillRect(QRect(outer.left(), outer.top(), outer.width(), w), color);
  FPainter->fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), w), color);
  FPainter->fillRect(QRect(outer.left(), inner.top(), w, inner.height()), color);
  FPainter->fillRect(QRect(inner.right() + 1, inner.top(), w, inner.height()), color);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!FPainter) return;
  ClampInPlace(x1, y1);
  ClampInPlace(x2, y2);
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  const QRect path(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  ApplyRasterOp();
  if (BrushVisible()) {
    QRect fill = path;
    if (PenVisible()) {
      // Only what the stroke leaves inside, so that no pixel is painted
      // twice (an inverting pen would undo itself).
      const int w = PenWidth();
      fill = QRect(QPoint(path.left() + w - w / 2, path.top() + w - w / 2),
                   QPoint(path.right() - w / 2 - 1, path.bottom() - w / 2 - 1));
    }
    if (fill.isValid()) FPainter->fillRect(fill, BrushColor(*FBrush, *FPen));
  }
  if (PenVisible()) StrokeFrame(path);
}

namespace {
QPen QtPen(const TPen& pen, int width) {
  QPen p(PenColor(pen));
  p.setWidth(width);
  p.setJoinStyle(Qt::MiterJoin);
  p.setCapStyle(Qt::FlatCap);
  const auto& pattern = DashPattern(pen.Style());
  if (pen.Style() == psClear || pen.Mode() == pmNop) {
    p.setStyle(Qt::NoPen);
  } else if (!pattern.empty() && width == 1) {  // wider pens draw solid, as lines do
    QList<qreal> dashes;
    for (int n : pattern) dashes << qreal(n) / qreal(p.width());
    p.setDashPattern(dashes);
  }
  return p;
}
}  // namespace

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  if (!FPainter) return;
  ClampInPlace(x1, y1);
  ClampInPlace(x2, y2);
  ClampInPlace(cornerWidth, cornerHeight);
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  if (cornerWidth <= 1 || cornerHeight <= 1) {
    Rectangle(x1, y1, x2, y2);  // corners too small to round
    return;
  }
  ApplyRasterOp();
  FPainter->setPen(QtPen(*FPen, PenWidth()));
  FPainter->setBrush(BrushVisible() ? QBrush(BrushColor(*FBrush, *FPen)) : QBrush(Qt::NoBrush));
  FPainter->drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), cornerWidth / 2.0, cornerHeight / 2.0,
                            Qt::AbsoluteSize);
  FPainter->setBrush(Qt::NoBrush);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!FPainter) return;
  ClampInPlace(x1, y1);
  ClampInPlace(x2, y2);
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  // One or two pixels across, an ellipse is a bar: drawn as the rectangle of
  // those pixels, so that a point or a line of it shows with its stroke.
  if (x2 - x1 <= 2 || y2 - y1 <= 2) return Rectangle(x1, y1, x2, y2);
  ApplyRasterOp();
  FPainter->setPen(QtPen(*FPen, PenWidth()));
  FPainter->setBrush(BrushVisible() ? QBrush(BrushColor(*FBrush, *FPen)) : QBrush(Qt::NoBrush));
  FPainter->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  FPainter->setBrush(Qt::NoBrush);
}

void TCanvas::FillRect(const QRect& r) {
  if (!FPainter || FBrush->Style() == bsClear) return;
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->fillRect(r, Colors::ToQColor(FBrush->Color()));
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  StretchDraw(QRect(x, y, graphic.Width(), graphic.Height()), graphic);
}

void TCanvas::StretchDraw(const QRect& r, const TGraphic& graphic) {
  if (!FPainter || graphic.Empty()) return;
  StretchDrawImage(r, graphic.Image());
}

void TCanvas::StretchDrawImage(const QRect& r, const QImage& image) {
  if (!FPainter || image.isNull() || r.isEmpty()) return;
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->setRenderHint(QPainter::SmoothPixmapTransform, true);
  FPainter->drawImage(r, image);
}
