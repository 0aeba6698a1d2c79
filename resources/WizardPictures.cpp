#include "WizardPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace WizardPictures {

namespace {

const QColor kPaper(255, 255, 252);
const QColor kInk(40, 60, 100);
const QColor kAccent(200, 80, 40);

QImage Canvas(QColor top, QColor bottom) {
  QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, Height);
  sky.setColorAt(0, top);
  sky.setColorAt(1, bottom);
  p.fillRect(image.rect(), sky);
  return image;
}

// A business card seen slightly from above, with a few lines of "text".
void Card(QPainter& p, QPointF centre, qreal angle, bool written) {
  p.save();
  p.translate(centre);
  p.rotate(angle);
  const QRectF card(-46, -28, 92, 56);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(card.translated(3, 4), 3, 3);
  p.setPen(QPen(QColor(150, 150, 150), 1));
  p.setBrush(kPaper);
  p.drawRoundedRect(card, 3, 3);
  if (written) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(-46, -28, 8, 56).adjusted(0.5, 0.5, 0, -0.5));
    p.setBrush(kInk);
    p.drawRect(QRectF(-30, -14, 40, 6));
    p.setBrush(QColor(120, 130, 150));
    p.drawRect(QRectF(-30, 2, 60, 3));
    p.drawRect(QRectF(-30, 9, 52, 3));
    p.drawRect(QRectF(-30, 16, 44, 3));
  }
  p.restore();
}

}  // namespace

QImage OpenPicture() {
  QImage image = Canvas(QColor(214, 232, 248), QColor(246, 250, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // The back of the folder, the cards kept in it, then its front.
  QPainterPath back;
  back.moveTo(18, 70);
  back.lineTo(58, 70);
  back.lineTo(66, 80);
  back.lineTo(132, 80);
  back.lineTo(132, 160);
  back.lineTo(18, 160);
  back.closeSubpath();
  p.setPen(QPen(QColor(170, 120, 40), 1.5));
  p.setBrush(QColor(232, 180, 80));
  p.drawPath(back);

  Card(p, QPointF(70, 92), -8, true);
  Card(p, QPointF(82, 100), 6, true);

  QPainterPath front;
  front.moveTo(12, 112);
  front.lineTo(138, 112);
  front.lineTo(128, 168);
  front.lineTo(22, 168);
  front.closeSubpath();
  QLinearGradient shade(0, 112, 0, 168);
  shade.setColorAt(0, QColor(250, 206, 110));
  shade.setColorAt(1, QColor(226, 168, 64));
  p.setBrush(shade);
  p.drawPath(front);

  // A curved arrow: taking a card out again.
  p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath arrow;
  arrow.moveTo(40, 52);
  arrow.cubicTo(46, 20, 96, 14, 112, 40);
  p.drawPath(arrow);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(104, 44), QPointF(120, 50), QPointF(118, 32)}));
  return image;
}

QImage NewPicture() {
  QImage image = Canvas(QColor(224, 242, 226), QColor(250, 255, 248));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // A small stack of finished cards behind a fresh, empty one.
  Card(p, QPointF(70, 120), -14, true);
  Card(p, QPointF(76, 112), -4, false);

  // A pen laid across the fresh card.
  p.save();
  p.translate(92, 104);
  p.rotate(-38);
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(QColor(40, 90, 170));
  p.drawRoundedRect(QRectF(-6, -52, 12, 70), 3, 3);
  p.setBrush(QColor(230, 200, 150));
  p.drawPolygon(QPolygonF({QPointF(-6, 18), QPointF(6, 18), QPointF(0, 34)}));
  p.setBrush(QColor(40, 40, 40));
  p.drawPolygon(QPolygonF({QPointF(-2, 29), QPointF(2, 29), QPointF(0, 34)}));
  p.setBrush(QColor(210, 210, 220));
  p.drawRect(QRectF(-6, -40, 12, 4));
  p.restore();

  // A sparkle: something new.
  auto star = [&p](QPointF c, qreal r, QColor colour) {
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(s);
  };
  star(QPointF(34, 46), 16, QColor(240, 170, 30));
  star(QPointF(62, 30), 8, QColor(240, 190, 60));
  star(QPointF(122, 160), 10, QColor(240, 170, 30));
  return image;
}

}  // namespace WizardPictures
