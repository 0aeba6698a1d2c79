#pragma once
// A worksheet built in code for the printing tests, and what it looks like
// as component streams (to prove printing never changes it).
#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "ComponentStream.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace printtest {

struct Card {
  TWorksheet Sheet;
  DocumentPageSetup Setup;

  Card() { Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx); }

  template <class T>
  T* Add() {
    T* c = new T(Sheet.DrawPanel);
    c->SetParent(Sheet.DrawPanel);
    Sheet.ObjectList.push_back(c);
    return c;
  }
  // A filled shape in one colour, pen and brush alike.
  TQuShape* AddShape(TQuShapeType type, QRect logical, TColor color, int penWidth = 1) {
    auto* s = Add<TQuShape>();
    s->SetShape(type);
    s->SetLeft(logical.left());
    s->SetTop(logical.top());
    s->SetWidth(logical.width());
    s->SetHeight(logical.height());
    s->Pen()->SetColor(color);
    s->Pen()->SetWidth(penWidth);
    s->Brush()->SetColor(color);
    return s;
  }
  TLabelEx* AddLabel(const QString& caption, QPoint at, int fontHeight = -20) {
    auto* label = Add<TLabelEx>();
    label->SetTransparent(true);
    label->Font()->SetName(QStringLiteral("IPAexGothic"));
    label->Font()->SetHeight(fontHeight);
    label->Font()->SetColor(clBlack);
    label->SetCaption(caption);
    label->SetLeft(at.x());
    label->SetTop(at.y());
    return label;
  }
  TImage* AddPicture(const QImage& image, QRect bounds, bool stretch) {
    auto* picture = Add<TImage>();
    picture->Picture()->SetGraphic(TBitmap::FromImage(image));
    picture->SetStretch(stretch);
    picture->SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    return picture;
  }
  void SetBackground(const QImage& image) {
    Sheet.BGImage->Picture()->SetGraphic(TBitmap::FromImage(image));
    Sheet.BGImage->Show();
  }
  // Every control on the worksheet as a stream, in stacking order.
  std::vector<QByteArray> Streams() const {
    std::vector<QByteArray> out;
    for (const TControl* c : Sheet.DrawPanel->Controls()) out.push_back(ComponentStream::WriteComponent(*c));
    out.push_back(ComponentStream::WriteComponent(*Sheet.DrawPanel));
    return out;
  }
};

inline QImage Solid(int w, int h, QColor color) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

}  // namespace printtest
