#include "LayoutPictureView.h"

#include <QPainter>

TLayoutPictureView::TLayoutPictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLayoutPictureView::SetPicture(const LayoutPicture& picture) {
  FPicture = picture;
  resize(picture.PaperWidth, picture.PaperHeight);
  update();
}

void TLayoutPictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  // A thin edge, so that a white paper stands out on the dialog.
  p.setPen(QPen(Qt::darkGray, 0));
  p.setBrush(Qt::NoBrush);
  if (width() > 0 && height() > 0) p.drawRect(0, 0, width() - 1, height() - 1);
  // Each card fills its own width x height pixels, outline included.
  p.setPen(QPen(Qt::black, 0));
  p.setBrush(Qt::white);
  for (const QRect& card : FPicture.Cards) {
    if (card.width() <= 0 || card.height() <= 0) continue;
    p.drawRect(card.x(), card.y(), card.width() - 1, card.height() - 1);
  }
}
