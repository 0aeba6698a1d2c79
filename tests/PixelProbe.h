#pragma once
// Small helpers for tests that check painted pixels on a QImage.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSet>

namespace PixelProbe {

inline QImage Blank(int w, int h, QColor color = Qt::white) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

inline QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
inline bool Is(const QImage& image, int x, int y, QColor color) { return At(image, x, y) == (color.rgb() & 0xFFFFFF); }

// The smallest rectangle holding every pixel that differs from background.
inline QRect Extent(const QImage& image, QColor background = Qt::white) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!Is(image, x, y, background)) box = box.united(QRect(x, y, 1, 1));
  return box;
}

// Every colour that occurs.
inline QSet<QRgb> Colours(const QImage& image) {
  QSet<QRgb> out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) out.insert(At(image, x, y));
  return out;
}

inline QSet<QRgb> ColourSet(std::initializer_list<QColor> colours) {
  QSet<QRgb> out;
  for (const QColor& c : colours) out.insert(c.rgb() & 0xFFFFFF);
  return out;
}

// Pixels of a column (or row) that have the given colour, as positions.
inline QList<int> RowsIn(const QImage& image, int x, QColor color) {
  QList<int> out;
  for (int y = 0; y < image.height(); ++y)
    if (Is(image, x, y, color)) out << y;
  return out;
}
inline QList<int> ColumnsIn(const QImage& image, int y, QColor color) {
  QList<int> out;
  for (int x = 0; x < image.width(); ++x)
    if (Is(image, x, y, color)) out << x;
  return out;
}

}  // namespace PixelProbe
