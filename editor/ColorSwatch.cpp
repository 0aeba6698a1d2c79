#include "ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

#include "Color.h"

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
}

void ColorSwatch::SetColor(TColor color) {
  FColor = color;
  update();
}

void ColorSwatch::SetCaption(const QString& caption) {
  FCaption = caption;
  update();
}

void ColorSwatch::SetFontColor(TColor color) {
  FFontColor = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    p.fillRect(rect(), Colors::ToQColor(FColor));
    if (!FCaption.isEmpty()) {
      p.setPen(Colors::ToQColor(FFontColor));
      QFont f = font();
      f.setBold(true);
      p.setFont(f);
      p.drawText(rect(), Qt::AlignCenter, FCaption);
    }
  }
  QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  if (!OnMouseDown) return;
  const TMouseButton b = event->button() == Qt::RightButton    ? mbRight
                         : event->button() == Qt::MiddleButton ? mbMiddle
                                                               : mbLeft;
  OnMouseDown(this, b);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (OnClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) OnClick(this);
}
