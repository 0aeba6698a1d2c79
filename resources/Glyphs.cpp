#include "Glyphs.h"

#include <algorithm>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

constexpr int kSize = 20;
const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kBlue(40, 90, 190);
const QColor kYellow(240, 200, 60);
const QColor kGreen(60, 150, 70);

QPixmap Blank(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

void SetInk(QPainter& p, qreal width = 1.0, const QColor& color = kInk) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
}

// A sheet of paper with a folded corner.
void DrawPage(QPainter& p, QRectF r) {
  const qreal fold = 5;
  QPolygonF page;
  page << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold) << r.bottomRight()
       << r.bottomLeft();
  p.setBrush(kPaper);
  p.drawPolygon(page);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF() << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
                             << QPointF(r.right(), r.top() + fold));
}

void DrawLetter(QPainter& p, const QString& text, bool bold, bool italic, bool underline, int pixelSize = 15) {
  QFont f(QStringLiteral("DejaVu Serif"));
  f.setStyleHint(QFont::Serif);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  p.setFont(f);
  p.setPen(kInk);
  p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void DrawPrinter(QPainter& p) {
  SetInk(p);
  p.setBrush(kPaper);
  p.drawRect(QRectF(5.5, 2.5, 9, 6));  // paper going in
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(2.5, 8.5, 15, 7));  // body
  p.setBrush(kPaper);
  p.drawRect(QRectF(5.5, 13.5, 9, 5));  // paper coming out
  p.setBrush(kGreen);
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(14, 10, 2, 2));
}

void DrawPictureFrame(QPainter& p, QRectF r) {
  SetInk(p);
  p.setBrush(QColor(200, 225, 250));
  p.drawRect(r);
  // A hill and the sun.
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  QPolygonF hill;
  hill << QPointF(r.left() + 0.5, r.bottom() - 0.5) << QPointF(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45)
       << QPointF(r.left() + r.width() * 0.65, r.top() + r.height() * 0.7)
       << QPointF(r.left() + r.width() * 0.8, r.top() + r.height() * 0.55) << QPointF(r.right() - 0.5, r.bottom() - 0.5);
  p.drawPolygon(hill);
  p.setBrush(kYellow);
  p.drawEllipse(QPointF(r.right() - r.width() * 0.25, r.top() + r.height() * 0.28), 2.2, 2.2);
}

void DrawGlyph(QPainter& p, GlyphKind kind) {
  p.setRenderHint(QPainter::Antialiasing, true);
  switch (kind) {
    case GlyphKind::Text:
      DrawLetter(p, QStringLiteral("A"), true, false, false, 17);
      break;
    case GlyphKind::Pointer: {
      QPolygonF arrow;
      arrow << QPointF(5, 2) << QPointF(5, 16) << QPointF(8.5, 12.5) << QPointF(11, 18) << QPointF(13, 17)
            << QPointF(10.5, 11.5) << QPointF(15, 11.5);
      SetInk(p);
      p.setBrush(kPaper);
      p.drawPolygon(arrow);
      break;
    }
    case GlyphKind::Square:
      p.setRenderHint(QPainter::Antialiasing, false);
      SetInk(p, 2);
      p.drawRect(4, 4, 12, 12);
      break;
    case GlyphKind::Rectangle:
      p.setRenderHint(QPainter::Antialiasing, false);
      SetInk(p, 2);
      p.drawRect(2, 6, 16, 9);
      break;
    case GlyphKind::Circle:
      SetInk(p, 1.8);
      p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
      break;
    case GlyphKind::Ellipse:
      SetInk(p, 1.8);
      p.drawEllipse(QPointF(10, 10), 8, 5);
      break;
    case GlyphKind::Line:
      SetInk(p, 1.8);
      p.drawLine(QPointF(3, 17), QPointF(17, 3));
      break;
    case GlyphKind::Picture:
      DrawPictureFrame(p, QRectF(2.5, 4.5, 15, 11));
      break;
    case GlyphKind::FileNew:
      SetInk(p);
      DrawPage(p, QRectF(4.5, 2.5, 11, 15));
      SetInk(p, 1.5, kYellow);
      p.drawLine(QPointF(13, 12), QPointF(19, 18));
      p.drawLine(QPointF(19, 12), QPointF(13, 18));
      p.drawLine(QPointF(16, 11), QPointF(16, 19));
      break;
    case GlyphKind::FileOpen: {
      SetInk(p);
      p.setBrush(QColor(235, 200, 110));
      p.drawRect(QRectF(2.5, 6.5, 13, 10));
      p.drawLine(QPointF(2.5, 6.5), QPointF(4.5, 4.5));
      p.drawLine(QPointF(4.5, 4.5), QPointF(8.5, 4.5));
      p.drawLine(QPointF(8.5, 4.5), QPointF(9.5, 6.5));
      QPolygonF flap;
      flap << QPointF(2.5, 16.5) << QPointF(6.5, 10.5) << QPointF(18.5, 10.5) << QPointF(15.5, 16.5);
      p.setBrush(kYellow);
      p.drawPolygon(flap);
      break;
    }
    case GlyphKind::FileSave:
      SetInk(p);
      p.setBrush(kBlue);
      p.drawRect(QRectF(2.5, 2.5, 15, 15));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 2.5, 9, 6));
      p.setBrush(QColor(210, 210, 210));
      p.drawRect(QRectF(5.5, 11.5, 9, 6));
      break;
    case GlyphKind::PrintPreview:
      SetInk(p);
      DrawPage(p, QRectF(2.5, 1.5, 11, 15));
      SetInk(p, 1.6);
      p.setBrush(QColor(220, 240, 255, 200));
      p.drawEllipse(QPointF(12, 11), 4, 4);
      SetInk(p, 2.2);
      p.drawLine(QPointF(15, 14), QPointF(18.5, 17.5));
      break;
    case GlyphKind::Print:
      DrawPrinter(p);
      break;
    case GlyphKind::PrintSetup:
      SetInk(p);
      DrawPage(p, QRectF(2.5, 2.5, 13, 16));
      // A card layout: two columns of small cards.
      p.setBrush(QColor(200, 220, 245));
      for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col) p.drawRect(QRectF(4.5 + col * 5, 6.5 + row * 4, 4, 3));
      break;
    case GlyphKind::Help: {
      SetInk(p);
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(10, 10), 8, 8);
      QFont f(QStringLiteral("DejaVu Sans"));
      f.setPixelSize(13);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case GlyphKind::Bold:
      DrawLetter(p, QStringLiteral("B"), true, false, false);
      break;
    case GlyphKind::Italic:
      DrawLetter(p, QStringLiteral("I"), false, true, false);
      break;
    case GlyphKind::Underline:
      DrawLetter(p, QStringLiteral("U"), false, false, true);
      break;
    case GlyphKind::Cut:
      SetInk(p, 1.4);
      p.drawLine(QPointF(7, 2), QPointF(12.5, 12));
      p.drawLine(QPointF(13, 2), QPointF(7.5, 12));
      p.drawEllipse(QPointF(6, 15), 3, 3);
      p.drawEllipse(QPointF(14, 15), 3, 3);
      break;
    case GlyphKind::Copy:
      SetInk(p);
      DrawPage(p, QRectF(2.5, 1.5, 10, 12));
      DrawPage(p, QRectF(7.5, 6.5, 10, 12));
      break;
    case GlyphKind::Paste:
      SetInk(p);
      p.setBrush(QColor(190, 140, 80));
      p.drawRect(QRectF(2.5, 3.5, 12, 15));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(5.5, 1.5, 6, 4));
      DrawPage(p, QRectF(8.5, 8.5, 9, 10));
      break;
    case GlyphKind::BackgroundPicture:
      DrawPictureFrame(p, QRectF(1.5, 3.5, 17, 13));
      SetInk(p);
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0.5, 2.5, 19, 15));
      break;
    case GlyphKind::Grid:
      p.setRenderHint(QPainter::Antialiasing, false);
      SetInk(p, 1, QColor(110, 110, 110));
      for (int i = 2; i <= 18; i += 4) {
        p.drawLine(i, 2, i, 18);
        p.drawLine(2, i, 18, i);
      }
      break;
    case GlyphKind::CharacterGap: {
      QFont f(QStringLiteral("DejaVu Sans"));
      f.setPixelSize(11);
      f.setBold(true);
      p.setFont(f);
      p.setPen(kInk);
      p.drawText(QRect(0, 0, 9, 12), Qt::AlignCenter, QStringLiteral("A"));
      p.drawText(QRect(15, 0, 9, 12), Qt::AlignCenter, QStringLiteral("B"));
      SetInk(p, 1, kBlue);
      p.drawLine(QPointF(6, 16.5), QPointF(18, 16.5));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF() << QPointF(5, 16.5) << QPointF(8, 14.5) << QPointF(8, 18.5));
      p.drawPolygon(QPolygonF() << QPointF(19, 16.5) << QPointF(16, 14.5) << QPointF(16, 18.5));
      break;
    }
    case GlyphKind::CardIcon: {
      SetInk(p, 1.2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(2.5, 7.5, 27, 17));
      p.setBrush(kBlue);
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(5, 10, 4, 4));
      SetInk(p, 1.4);
      p.drawLine(QPointF(11, 11), QPointF(25, 11));
      SetInk(p, 1, QColor(120, 120, 120));
      p.drawLine(QPointF(11, 16), QPointF(22, 16));
      p.drawLine(QPointF(11, 19), QPointF(24, 19));
      p.drawLine(QPointF(11, 22), QPointF(20, 22));
      break;
    }
  }
}

}  // namespace

QPixmap GlyphPixmap(GlyphKind kind) {
  const int size = kind == GlyphKind::CharacterGap ? 24 : kind == GlyphKind::CardIcon ? 32 : kSize;
  QPixmap pm = Blank(size, kind == GlyphKind::CharacterGap ? 20 : size);
  QPainter p(&pm);
  DrawGlyph(p, kind);
  return pm;
}

QIcon GlyphIcon(GlyphKind kind) { return QIcon(GlyphPixmap(kind)); }

QPixmap LineStyleGlyph(bool dotted) {
  QPixmap pm = Blank(44, 7);
  QPainter p(&pm);
  if (dotted) {
    for (int x = 0; x < pm.width(); x += 3) p.fillRect(x, 3, 1, 1, kInk);
  } else {
    p.fillRect(0, 3, pm.width(), 1, kInk);
  }
  return pm;
}

QPixmap LineWidthGlyph(int width) {
  width = std::clamp(width, 1, 6);
  QPixmap pm = Blank(44, 7);
  QPainter p(&pm);
  p.fillRect(0, (pm.height() - width) / 2, pm.width(), width, kInk);
  return pm;
}
