#include "SyntheticBold.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// The style the face itself declares, read from its tables as FreeType
// reads them for Qt.
struct FaceStyle {
  bool HasOs2 = false;  // Qt thickens nothing without one
  bool Bold = false, Italic = false, FixedPitch = false;
  int WeightClass = 400;
};

quint32 BigEndian(const QByteArray& table, qsizetype at, int bytes) {
  quint32 v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | uchar(table[at + i]);
  return v;
}

FaceStyle StyleOf(const QFont& font) {
  FaceStyle s;
  const QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return s;
  const QByteArray os2 = raw.fontTable("OS/2");
  if (os2.size() < 64) return s;  // fsSelection is the last field needed
  s.HasOs2 = true;
  s.WeightClass = int(BigEndian(os2, 4, 2));
  const quint32 selection = BigEndian(os2, 62, 2);
  s.Bold = selection & 0x20;
  s.Italic = selection & 0x201;  // italic or oblique
  const QByteArray post = raw.fontTable("post");
  s.FixedPitch = post.size() >= 16 && BigEndian(post, 12, 4) != 0;
  return s;
}

// Qt's font engine thickens a glyph only under these conditions.
bool Thickened(const QFont& font, const FaceStyle& face) {
  return font.weight() >= QFont::Bold && face.HasOs2 && !face.Bold && !face.FixedPitch && face.WeightClass < 700;
}

// The slant Qt's PDF output gives a face without italic, in x per unit of
// height above the baseline.
constexpr qreal PdfSlant = 0.3;

}  // namespace

bool TSyntheticBold::ScreenThickens(const QFont& font) { return Thickened(font, StyleOf(font)); }

TSyntheticBold::TSyntheticBold(const QFont& font, const QPaintDevice* device, bool pdf) {
  if (!pdf || font.pixelSize() <= 0 || font.weight() < QFont::Bold) return;
  const FaceStyle face = StyleOf(font);
  if (!Thickened(font, face)) return;
  // The screen's strength is a 24th of the em, whatever the size: Qt's own
  // limit of 64 pixels is about screen glyphs, and on paper every size
  // would pass it.
  FStrength = font.pixelSize() / 24.0;
  // The face's own weight, so that the fill is the face the screen thickens.
  FFill = font;
  FFill.setWeight(QFont::Weight(std::clamp(face.WeightClass, 1, 699)));
  FFill.setUnderline(false);
  FFill.setStrikeOut(false);
  FOutline = FFill;
  FSlanted = font.italic() && !face.Italic;
  if (FSlanted) FOutline.setItalic(false);
  FUnderline = font.underline();
  FStrikeOut = font.strikeOut();
  const QFontMetricsF metrics(font, device);
  FLineWidth = std::max(metrics.lineWidth(), 1.0);
  FUnderlinePos = std::ceil(metrics.underlinePos()) + 0.5;
  FStrikeOutPos = metrics.strikeOutPos();
}

const QPainterPath& TSyntheticBold::Outline(const QString& glyph) {
  auto it = FOutlines.constFind(glyph);
  if (it != FOutlines.constEnd()) return *it;
  QPainterPath path;
  path.addText(0, 0, FOutline, glyph);
  // The PDF engine slants the fill itself, more than the screen's engine
  // would; the outline has to follow the fill.
  if (FSlanted) path = QTransform(1, 0, -PdfSlant, 1, 0, 0).map(path);
  return *FOutlines.insert(glyph, path);
}

void TSyntheticBold::DrawGlyph(QPainter& painter, QPoint at, const QString& glyph, int advance) {
  if (!Active()) {
    painter.drawText(at, glyph);
    return;
  }
  painter.setFont(FFill);
  painter.drawText(at, glyph);
  const QColor color = painter.pen().color();
  // Half the pen lies outside the outline: the glyph grows by the strength
  // across, as the screen's thickening makes it, centred on its place.
  painter.strokePath(Outline(glyph).translated(at), QPen(color, FStrength, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  // Lines span the bold advance, as on screen, not the narrower regular one.
  if (FUnderline) painter.fillRect(QRectF(at.x(), at.y() + FUnderlinePos - FLineWidth / 2, advance, FLineWidth), color);
  if (FStrikeOut) painter.fillRect(QRectF(at.x(), at.y() - FStrikeOutPos - FLineWidth / 2, advance, FLineWidth), color);
}
