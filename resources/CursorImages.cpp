#include "CursorImages.h"

#include <functional>

#include <QPainter>
#include <QPixmap>

#include "Cursors.h"

namespace {

constexpr int kSize = 32;

// Everything is drawn twice, wide in white and thin in black, so that the
// cursor shows on dark and light cards alike.
void Outlined(QPainter& p, const std::function<void()>& draw) {
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
  draw();
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
  draw();
}

// The cross whose centre is the hot spot, at (8, 8).
void Cross(QPainter& p) {
  Outlined(p, [&p]() {
    p.drawLine(8, 1, 8, 15);
    p.drawLine(1, 8, 15, 8);
  });
}

QCursor ShapeCursor() {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  Cross(p);
  Outlined(p, [&p]() {
    p.setBrush(Qt::NoBrush);
    p.drawRect(13, 13, 10, 7);
    p.drawEllipse(17, 17, 8, 8);
  });
  return QCursor(pm, 8, 8);
}

QCursor ImageCursor() {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  Cross(p);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(200, 225, 250));
  p.drawRect(13, 14, 14, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 150, 70));
  p.drawPolygon(QPolygon() << QPoint(14, 24) << QPoint(18, 18) << QPoint(21, 22) << QPoint(23, 20) << QPoint(27, 24));
  p.setBrush(QColor(240, 200, 60));
  p.drawEllipse(22, 15, 3, 3);
  return QCursor(pm, 8, 8);
}

QCursor TextCursor() {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  // An I-beam whose top-left is the hot spot: the text starts where the
  // press lands.
  Outlined(p, [&p]() {
    p.drawLine(4, 1, 4, 17);
    p.drawLine(1, 1, 7, 1);
    p.drawLine(1, 17, 7, 17);
  });
  QFont f(QStringLiteral("DejaVu Serif"));
  f.setPixelSize(12);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(QRect(9, 10, 12, 14), Qt::AlignCenter, QStringLiteral("A"));
  return QCursor(pm, 4, 1);
}

}  // namespace

std::optional<QCursor> LoadCursor(const QString& resourceName) {
  if (resourceName == QLatin1String("SHAPECURSOR")) return ShapeCursor();
  if (resourceName == QLatin1String("IMAGECURSOR")) return ImageCursor();
  if (resourceName == QLatin1String("TEXTCURSOR")) return TextCursor();
  return std::nullopt;
}

void RegisterCustomCursors() {
  const char* const names[] = {"SHAPECURSOR", "IMAGECURSOR", "TEXTCURSOR"};
  for (int i = 0; i < 3; ++i)
    Cursors::Register(TCursor(i + 1), LoadCursor(QLatin1String(names[i])).value_or(QCursor(Qt::ArrowCursor)));
}
