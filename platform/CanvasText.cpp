// Text output of the canvas: measuring and drawing with the character extra,
// line breaks and accelerator ampersands. Characters are drawn at the
// positions their measured advances give, so that what is drawn lines up
// with what was measured, the extra included.
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "Canvas.h"
#include "Color.h"
#include "SyntheticBold.h"

namespace {
struct Glyph {
  char32_t Code;
  int Advance;
};

struct Line {
  std::vector<Glyph> Glyphs;
  int Accel = -1;     // index of the underlined character
  int64_t Width = 0;  // the extra after every character included
};

// Sums of advances and extras reach beyond int with a huge font or gap;
// they are added in 64 bits and cut to the coordinates drawing accepts.
int ToCoord(int64_t v) { return int(std::clamp<int64_t>(v, -TCanvas::MaxCoord, TCanvas::MaxCoord)); }

// What text needs of one font on one kind of device: the Qt font, its
// metrics, the advances and glyphs of the characters met so far. Shared by
// every canvas, since measuring (no device) and painting (a printer's
// resolution) alternate for every label of a merged sheet, and each switch
// would otherwise measure every character again.
struct TFace {
  TFont State;
  int DpiX = 0, DpiY = 0;
  bool Pdf = false;
  QFont Font;
  std::optional<QFontMetrics> Metrics;
  QRawFont Raw;  // the face Qt picks first; characters it lacks fall back through drawText
  std::unordered_map<char32_t, int> Advances;
  std::unordered_map<char32_t, quint32> Glyphs;
  TSyntheticBold Bold;

  int Advance(char32_t code) {
    auto it = Advances.find(code);
    if (it != Advances.end()) return it->second;
    const int advance = Metrics->horizontalAdvance(QString::fromUcs4(&code, 1));
    Advances.emplace(code, advance);
    return advance;
  }

  // 0 when the first face lacks the character.
  quint32 Glyph(char32_t code) {
    auto it = Glyphs.find(code);
    if (it != Glyphs.end()) return it->second;
    quint32 glyph = 0;
    if (Raw.isValid()) {
      const QList<quint32> found = Raw.glyphIndexesForString(QString::fromUcs4(&code, 1));
      if (found.size() == 1) glyph = found[0];
    }
    Glyphs.emplace(code, glyph);
    return glyph;
  }
};

// The faces last used, most recent first: a card uses a handful of fonts.
// painter's device, when painting (its engine is asked of the painter: a
// widget's own warns outside its paint event).
std::shared_ptr<TFace> FaceFor(const TFont& font, const QPainter* painter) {
  const QPaintDevice* device = painter ? painter->device() : nullptr;
  static std::vector<std::shared_ptr<TFace>> recent;
  constexpr size_t Kept = 32;
  const int dpiX = device ? device->logicalDpiX() : 0, dpiY = device ? device->logicalDpiY() : 0;
  const QPaintEngine* engine = painter ? painter->paintEngine() : nullptr;
  const bool pdf = engine && engine->type() == QPaintEngine::Pdf;
  for (size_t i = 0; i < recent.size(); ++i) {
    const std::shared_ptr<TFace>& f = recent[i];
    if (f->DpiX == dpiX && f->DpiY == dpiY && f->Pdf == pdf && f->State == font) {
      std::rotate(recent.begin(), recent.begin() + std::ptrdiff_t(i), recent.begin() + std::ptrdiff_t(i) + 1);
      return recent.front();
    }
  }
  auto face = std::make_shared<TFace>();
  face->State.Assign(font);
  face->DpiX = dpiX;
  face->DpiY = dpiY;
  face->Pdf = pdf;
  face->Font = font.ToQFont();
  face->Metrics.emplace(device ? QFontMetrics(face->Font, device) : QFontMetrics(face->Font));
  face->Bold = TSyntheticBold(face->Font, device, pdf);
  if (device) face->Raw = QRawFont::fromFont(face->Font);
  recent.insert(recent.begin(), face);
  if (recent.size() > Kept) recent.pop_back();
  return face;
}

}  // namespace

struct TCanvas::TextCache {
  const QPaintDevice* Device = nullptr;
  std::shared_ptr<TFace> Face;

  // The lines last laid out, kept while face, text, flags, extra and width
  // stay: a label draws its one text at every repaint, and a long text is
  // costly to lay out again.
  std::shared_ptr<TFace> LaidFace;
  QString LaidText;
  unsigned LaidFlags = 0;
  int LaidExtra = 0, LaidWidth = 0;
  std::vector<Line> Lines;
};

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

TCanvas::TextCache& TCanvas::Text() const {
  const QPaintDevice* device = FPainter ? FPainter->device() : nullptr;
  if (!FText) FText = std::make_unique<TextCache>();
  TextCache& t = *FText;
  if (!t.Face || t.Device != device || !(t.Face->State == *FFont) ||
      t.Face->DpiX != (device ? device->logicalDpiX() : 0) || t.Face->DpiY != (device ? device->logicalDpiY() : 0)) {
    t.Face = FaceFor(*FFont, FPainter);
    t.Device = device;
  }
  return t;
}

namespace {

bool IsWide(char32_t c) { return c >= 0x2E80; }  // CJK and beyond: a break may come between two

// Code points of s, surrogate pairs joined.
std::vector<char32_t> CodePoints(QStringView s) {
  std::vector<char32_t> out;
  out.reserve(size_t(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      out.push_back(QChar::surrogateToUcs4(s[i], s[i + 1]));
      ++i;
    } else {
      out.push_back(s[i].unicode());
    }
  }
  return out;
}

// A line may end before glyph k: after a run of spaces, or between two
// characters of which one is wide.
bool BreakBefore(const std::vector<Glyph>& g, size_t k) {
  if (k == 0 || k >= g.size() || g[k].Code == U' ') return false;
  return g[k - 1].Code == U' ' || IsWide(g[k - 1].Code) || IsWide(g[k].Code);
}

// Soft breaks where a line would pass the right edge, at the last place
// that allows one; a word longer than the line stays whole. Spaces at a
// soft break are dropped.
std::vector<Line> WordBreak(std::vector<Line> lines, int width, int64_t extra) {
  std::vector<Line> out;
  for (const Line& line : lines) {
    const std::vector<Glyph>& g = line.Glyphs;
    if (g.empty()) {
      out.push_back(line);
      continue;
    }
    size_t start = 0;
    while (start < g.size()) {
      size_t end = start;
      for (int64_t used = 0; end < g.size() && (end == start || used + g[end].Advance + extra <= width); ++end)
        used += g[end].Advance + extra;
      size_t last = end;
      if (end < g.size()) {
        size_t b = end;
        while (b > start && !BreakBefore(g, b)) --b;
        if (b > start) {
          end = b;
        } else {
          while (end < g.size() && !BreakBefore(g, end)) ++end;
        }
        last = end;
        while (last > start && g[last - 1].Code == U' ') --last;
      }
      Line piece;
      piece.Glyphs.assign(g.begin() + std::ptrdiff_t(start), g.begin() + std::ptrdiff_t(last));
      if (line.Accel >= int(start) && line.Accel < int(last)) piece.Accel = line.Accel - int(start);
      for (const Glyph& x : piece.Glyphs) piece.Width += x.Advance + extra;
      out.push_back(std::move(piece));
      start = end;
    }
  }
  return out;
}

// The lines of text as drawn: hard lines with accelerators resolved and tabs
// expanded, then soft breaks when asked for.
const std::vector<Line>& LayOut(TCanvas::TextCache& cache, const QString& text, unsigned flags, int extra, int width) {
  if (!(flags & DT_WORDBREAK)) width = 0;
  TFace& face = *cache.Face;
  if (cache.LaidFace == cache.Face && cache.LaidFlags == flags && cache.LaidExtra == extra && cache.LaidWidth == width &&
      cache.LaidText == text)
    return cache.Lines;
  // Hard lines, with accelerators resolved and tabs expanded.
  std::vector<Line> lines;
  QString rest = text;
  if (flags & DT_SINGLELINE) rest.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
  if (!rest.isEmpty()) {
    rest.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (QStringView s : QStringView(rest).split(QLatin1Char('\n'))) {
      Line line;
      const std::vector<char32_t> codes = CodePoints(s);
      for (size_t i = 0; i < codes.size(); ++i) {
        char32_t c = codes[i];
        if (!(flags & DT_NOPREFIX) && c == U'&') {
          if (i + 1 >= codes.size()) continue;
          c = codes[++i];
          if (c != U'&') line.Accel = int(line.Glyphs.size());
        } else if ((flags & DT_EXPANDTABS) && c == U'\t') {
          for (int k = 0; k < 8; ++k) line.Glyphs.push_back({U' ', face.Advance(U' ')});
          continue;
        }
        line.Glyphs.push_back({c, face.Advance(c)});
      }
      for (const Glyph& g : line.Glyphs) line.Width += int64_t(g.Advance) + extra;
      lines.push_back(std::move(line));
    }
  }

  if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) lines = WordBreak(std::move(lines), width, extra);

  cache.Lines = std::move(lines);
  cache.LaidText = text;
  cache.LaidFlags = flags;
  cache.LaidExtra = extra;
  cache.LaidWidth = width;
  cache.LaidFace = cache.Face;
  return cache.Lines;
}

}  // namespace

int TCanvas::SetTextCharacterExtra(int extra) {
  const int old = FCharExtra;
  FCharExtra = extra;
  return old;
}

int TCanvas::TextWidth(const QString& text) const {
  TextCache& cache = Text();
  int64_t w = 0;
  for (char32_t c : CodePoints(text)) w += int64_t(cache.Face->Advance(c)) + FCharExtra;
  return ToCoord(w);
}

int TCanvas::TextHeight(const QString&) const { return Text().Face->Metrics->height(); }

void TCanvas::TextOut(int x, int y, const QString& text) {
  QRect r(x, y, 0, 0);
  DrawText(text, r, DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
}

int TCanvas::DrawText(const QString& text, QRect& r, unsigned flags) {
  TextCache& cache = Text();
  TFace& face = *cache.Face;
  const QFontMetrics& fm = *face.Metrics;

  const std::vector<Line>& lines = LayOut(cache, text, flags, FCharExtra, r.width());

  const int lineHeight = fm.height();
  const int height = ToCoord(int64_t(lines.size()) * lineHeight);
  if (flags & DT_CALCRECT) {
    int64_t width = 0;
    for (const Line& l : lines) width = std::max(width, l.Width);
    r.setRight(ToCoord(int64_t(r.left()) + ToCoord(width) - 1));
    r.setBottom(ToCoord(int64_t(r.top()) + height - 1));
    return height;
  }
  if (!FPainter) return height;

  FPainter->save();
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  // A label's text box is its whole control, which is clipped already; an
  // extra clip that changes nothing would still be written out again with
  // every later change of a PDF's graphics state.
  if (!(flags & DT_NOCLIP) && !(FPainter->hasClipping() && r.contains(FPainter->clipBoundingRect().toAlignedRect())))
    FPainter->setClipRect(r, Qt::IntersectClip);
  FPainter->setFont(face.Font);
  const QColor color = Colors::ToQColor(FFont->Color());
  FPainter->setPen(color);
  const int64_t left = r.left(), top = r.top(), rectWidth = int64_t(r.right()) - left + 1;
  int64_t y = top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER) y = top + (int64_t(r.bottom()) - top + 1 - lineHeight) / 2;
    else if (flags & DT_BOTTOM) y = int64_t(r.bottom()) + 1 - lineHeight;
  }
  // Only glyphs near the visible area are drawn, so that a repaint costs
  // what it shows, however long the text (glyphs may reach a little beyond
  // their line and their advance).
  const QRect visible = ClipRect();
  const int64_t reach = 2 * int64_t(lineHeight) + 2;
  const int64_t minX = int64_t(visible.left()) - reach, maxX = int64_t(visible.right()) + reach;
  const bool decorated = face.Font.underline() || face.Font.strikeOut();
  // A line's glyphs go to the painter as one run at the measured places:
  // one text object in a PDF rather than one per character, and no shaping
  // of each character again. Lines, outlined bold and characters the first
  // face lacks are drawn one by one, as the painter draws them.
  const bool inRuns = !decorated && !face.Bold.Active() && face.Raw.isValid();
  std::vector<quint32> runGlyphs;
  std::vector<QPointF> runPlaces;
  for (const Line& line : lines) {
    if (y > visible.bottom() + lineHeight || y + 2 * lineHeight <= visible.top()) {
      y += lineHeight;
      continue;
    }
    int64_t x = left;
    if (flags & DT_CENTER) x = left + (rectWidth - line.Width) / 2;
    else if (flags & DT_RIGHT) x = left + rectWidth - line.Width;
    runGlyphs.clear();
    runPlaces.clear();
    for (size_t i = 0; i < line.Glyphs.size(); ++i) {
      const Glyph& g = line.Glyphs[i];
      const int64_t next = x + g.Advance + FCharExtra;
      if (x > maxX) {
        // Advances are never negative: with no negative extra, every glyph
        // after this one lies further right still.
        if (FCharExtra >= 0) break;
      } else if (x + g.Advance >= minX) {
        const int gx = int(x), gy = int(y);
        const QPoint baseline(gx, gy + fm.ascent());
        if (g.Code != U' ' || decorated) {
          const quint32 glyph = inRuns ? face.Glyph(g.Code) : 0;
          if (glyph != 0) {
            runGlyphs.push_back(glyph);
            runPlaces.push_back(baseline);
          } else {
            face.Bold.DrawGlyph(*FPainter, baseline, QString::fromUcs4(&g.Code, 1), g.Advance);
          }
        }
        if (int(i) == line.Accel) FPainter->fillRect(QRect(gx, gy + fm.ascent() + 1, g.Advance, 1), color);
      }
      x = next;
    }
    if (!runGlyphs.empty()) {
      QGlyphRun run;
      run.setRawFont(face.Raw);
      run.setRawData(runGlyphs.data(), runPlaces.data(), int(runGlyphs.size()));
      FPainter->drawGlyphRun(QPointF(0, 0), run);
    }
    y += lineHeight;
  }
  FPainter->restore();
  return height;
}
