#include "Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
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

bool PatternOn(const std::vector<int>& pattern, int phase) {
  int period = 0;
  for (int n : pattern) period += n;
  phase %= period;
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

// One character of text: a code point, surrogate pairs kept together.
std::vector<QString> Characters(const QString& s) {
  std::vector<QString> out;
  out.reserve(size_t(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      out.push_back(s.mid(i, 2));
      ++i;
    } else {
      out.push_back(QString(s[i]));
    }
  }
  return out;
}

}  // namespace

struct TCanvas::LineLayout {
  std::vector<QString> Chars;
  int Accel = -1;  // index of the underlined character
  int Width = 0;
};

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

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
void FillRegion(QPainter& p, const QRegion& region, const QColor& color) {
  for (const QRect& r : region) p.fillRect(r, color);
}
}  // namespace

void TCanvas::PlotLine(QPoint from, QPoint to) {
  // Bresenham from 'from' up to, not including, 'to'.
  const int width = std::max(1, FPen->Width());
  const auto& pattern = DashPattern(FPen->Style());
  const bool patterned = !pattern.empty() && width == 1;
  const QColor color = PenColor(*FPen);
  const bool copy = FPen->Mode() == pmCopy || FPen->Mode() == pmBlack || FPen->Mode() == pmWhite;
  const int off = width / 2;

  int x = from.x(), y = from.y();
  const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
  const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
  int err = dx + dy;
  QRegion stamps;
  std::vector<QRect> rects;
  while (x != to.x() || y != to.y()) {
    if (!patterned || PatternOn(pattern, FDashPhase)) {
      const QRect stamp(x - off, y - off, width, width);
      if (copy || width == 1)
        rects.push_back(stamp);
      else
        stamps += stamp;  // overlapping stamps must not invert twice
    }
    ++FDashPhase;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  for (const QRect& r : rects) FPainter->fillRect(r, color);
  if (!stamps.isEmpty()) FillRegion(*FPainter, stamps, color);
}

void TCanvas::LineTo(int x, int y) {
  const QPoint from = FPenPos;
  FPenPos = QPoint(x, y);
  if (!FPainter || !PenVisible()) return;
  ApplyRasterOp();
  FDashPhase = 0;
  PlotLine(from, QPoint(x, y));
}

void TCanvas::StrokeFrame(const QRect& path) {
  const int w = std::max(1, FPen->Width());
  if (w == 1 && !DashPattern(FPen->Style()).empty()) {
    // A patterned outline runs round the frame like a polyline.
    FDashPhase = 0;
    const QPoint tl = path.topLeft(), tr = path.topRight(), br = path.bottomRight(), bl = path.bottomLeft();
    if (path.width() == 1 || path.height() == 1) {
      PlotLine(tl, br + QPoint(path.width() == 1 ? 0 : 1, path.height() == 1 ? 0 : 1));
      return;
    }
    PlotLine(tl, tr);
    PlotLine(tr, br);
    PlotLine(br, bl);
    PlotLine(bl, tl);
    return;
  }
  const QRect outer(QPoint(path.left() - w / 2, path.top() - w / 2),
                    QPoint(path.right() - w / 2 + w - 1, path.bottom() - w / 2 + w - 1));
  QRegion frame(outer);
  const QRect inner = outer.adjusted(w, w, -w, -w);
  if (inner.isValid()) frame -= QRegion(inner);
  FillRegion(*FPainter, frame, PenColor(*FPen));
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!FPainter) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  const QRect path(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  ApplyRasterOp();
  if (BrushVisible()) {
    QRegion fill(path);
    if (PenVisible() && path.width() > 2 && path.height() > 2)
      fill = QRegion(path.adjusted(1, 1, -1, -1));  // the outline covers the edge
    else if (PenVisible())
      fill = QRegion();
    FillRegion(*FPainter, fill, BrushColor(*FBrush, *FPen));
  }
  if (PenVisible()) StrokeFrame(path);
}

namespace {
QPen QtPen(const TPen& pen) {
  QPen p(PenColor(pen));
  p.setWidth(std::max(1, pen.Width()));
  p.setJoinStyle(Qt::MiterJoin);
  p.setCapStyle(Qt::FlatCap);
  const auto& pattern = DashPattern(pen.Style());
  if (pen.Style() == psClear || pen.Mode() == pmNop) {
    p.setStyle(Qt::NoPen);
  } else if (!pattern.empty()) {
    QList<qreal> dashes;
    for (int n : pattern) dashes << qreal(n) / qreal(p.width());
    p.setDashPattern(dashes);
  }
  return p;
}
}  // namespace

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  if (!FPainter) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  if (cornerWidth <= 1 || cornerHeight <= 1) {
    Rectangle(x1, y1, x2, y2);  // corners too small to round
    return;
  }
  ApplyRasterOp();
  FPainter->setPen(QtPen(*FPen));
  FPainter->setBrush(BrushVisible() ? QBrush(BrushColor(*FBrush, *FPen)) : QBrush(Qt::NoBrush));
  FPainter->drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), cornerWidth / 2.0, cornerHeight / 2.0,
                            Qt::AbsoluteSize);
  FPainter->setBrush(Qt::NoBrush);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!FPainter) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  ApplyRasterOp();
  FPainter->setPen(QtPen(*FPen));
  FPainter->setBrush(BrushVisible() ? QBrush(BrushColor(*FBrush, *FPen)) : QBrush(Qt::NoBrush));
  if (x2 - x1 <= 2 || y2 - y1 <= 2)
    FPainter->drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));  // degenerate: a bar
  else
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

// --- text -----------------------------------------------------------------

QFont TCanvas::CurrentQFont() const { return FFont->ToQFont(); }

int TCanvas::SetTextCharacterExtra(int extra) {
  const int old = FCharExtra;
  FCharExtra = extra;
  return old;
}

int TCanvas::TextWidth(const QString& text) const {
  const QFont f = CurrentQFont();
  const QFontMetrics fm = FPainter ? QFontMetrics(f, FPainter->device()) : QFontMetrics(f);
  int w = 0;
  for (const QString& ch : Characters(text)) w += fm.horizontalAdvance(ch) + FCharExtra;
  return w;
}

int TCanvas::TextHeight(const QString&) const {
  const QFont f = CurrentQFont();
  const QFontMetrics fm = FPainter ? QFontMetrics(f, FPainter->device()) : QFontMetrics(f);
  return fm.height();
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  QRect r(x, y, 0, 0);
  DrawText(text, r, DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
}

int TCanvas::DrawText(const QString& text, QRect& r, unsigned flags) {
  const QFont font = CurrentQFont();
  const QFontMetrics fm = FPainter ? QFontMetrics(font, FPainter->device()) : QFontMetrics(font);

  // Split into lines and resolve accelerator ampersands.
  std::vector<LineLayout> lines;
  QString rest = text;
  if (flags & DT_SINGLELINE) rest.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
  if (!rest.isEmpty()) {
    QStringList raw = rest.split(QStringLiteral("\r\n"));
    QStringList split;
    for (const QString& s : raw)
      for (const QString& t : QString(s).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n')))
        split << t;
    for (const QString& s : split) {
      LineLayout line;
      const std::vector<QString> chars = Characters(s);
      for (size_t i = 0; i < chars.size(); ++i) {
        if (!(flags & DT_NOPREFIX) && chars[i] == QStringLiteral("&")) {
          if (i + 1 < chars.size()) {
            ++i;
            if (chars[i] != QStringLiteral("&")) line.Accel = int(line.Chars.size());
            line.Chars.push_back(chars[i]);
          }
          continue;
        }
        if ((flags & DT_EXPANDTABS) && chars[i] == QStringLiteral("\t")) {
          for (int k = 0; k < 8; ++k) line.Chars.push_back(QStringLiteral(" "));
          continue;
        }
        line.Chars.push_back(chars[i]);
      }
      for (const QString& ch : line.Chars) line.Width += fm.horizontalAdvance(ch) + FCharExtra;
      lines.push_back(std::move(line));
    }
  }

  const int lineHeight = fm.height();
  const int height = int(lines.size()) * lineHeight;
  if (flags & DT_CALCRECT) {
    int width = 0;
    for (const LineLayout& l : lines) width = std::max(width, l.Width);
    r.setWidth(width);
    r.setHeight(height);
    return height;
  }
  if (!FPainter) return height;

  FPainter->save();
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (!(flags & DT_NOCLIP)) FPainter->setClipRect(r, Qt::IntersectClip);
  FPainter->setFont(font);
  const QColor color = Colors::ToQColor(FFont->Color());
  FPainter->setPen(color);
  int y = r.top();
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER) y = r.top() + (r.height() - lineHeight) / 2;
    else if (flags & DT_BOTTOM) y = r.top() + r.height() - lineHeight;
  }
  for (const LineLayout& line : lines) {
    int x = r.left();
    if (flags & DT_CENTER) x = r.left() + (r.width() - line.Width) / 2;
    else if (flags & DT_RIGHT) x = r.left() + r.width() - line.Width;
    for (size_t i = 0; i < line.Chars.size(); ++i) {
      const int advance = fm.horizontalAdvance(line.Chars[i]);
      FPainter->drawText(x, y + fm.ascent(), line.Chars[i]);
      if (int(i) == line.Accel) FPainter->fillRect(QRect(x, y + fm.ascent() + 1, advance, 1), color);
      x += advance + FCharExtra;
    }
    y += lineHeight;
  }
  FPainter->restore();
  return height;
}
