// The canvas's drawing rules, checked pixel by pixel on a QImage.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include <set>
#include <utility>

#include "Canvas.h"
#include "PixelProbe.h"

namespace {

using namespace PixelProbe;

// A canvas bound to a painter on an image for the life of the object.
struct Surface {
  explicit Surface(QImage& image) : Painter(&image) {
    Painter.setRenderHint(QPainter::Antialiasing, true);  // the canvas must turn it off
    Canvas.BeginPaint(&Painter);
  }
  ~Surface() {
    Canvas.EndPaint();
    Painter.end();
  }
  QPainter Painter;
  TCanvas Canvas;
};

// A picture of many colours, so that inversion and overdraw show.
QImage Pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x * y) % 256));
  return image;
}

QRgb Inverted(QRgb c) { return ~c & 0xFFFFFF; }

// The pixels a pen of width w covers along a line, by the plain step-by-step
// walk, up to but not including the end point.
std::set<std::pair<int, int>> LineCover(QPoint a, QPoint b, int w) {
  std::set<std::pair<int, int>> out;
  int x = a.x(), y = a.y();
  const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y), sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
  int err = dx + dy;
  while (x != b.x() || y != b.y()) {
    for (int i = 0; i < w; ++i)
      for (int j = 0; j < w; ++j) out.insert({x - w / 2 + i, y - w / 2 + j});
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
  return out;
}

TEST(Canvas, RectangleEndsOnePixelBeforeRightAndBottom) {
  QImage image = Blank(40, 30);
  {
    Surface s(image);
    s.Canvas.Brush()->SetColor(clRed);
    s.Canvas.Rectangle(2, 3, 12, 9);
  }
  EXPECT_EQ(Extent(image), QRect(QPoint(2, 3), QPoint(11, 8)));
  EXPECT_EQ(RowsIn(image, 2, Qt::black), (QList<int>{3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(ColumnsIn(image, 8, Qt::black), (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_TRUE(Is(image, 3, 4, Qt::red));
  EXPECT_TRUE(Is(image, 10, 7, Qt::red));

  // A 4-pixel pen is centred on the same outline: 2 pixels outside, 2 inside.
  image = Blank(40, 30);
  {
    Surface s(image);
    s.Canvas.Brush()->SetColor(clRed);
    s.Canvas.Pen()->SetWidth(4);
    s.Canvas.Rectangle(10, 10, 30, 25);
  }
  EXPECT_EQ(Extent(image), QRect(QPoint(8, 8), QPoint(30, 25)));
  EXPECT_EQ(ColumnsIn(image, 15, Qt::black), (QList<int>{8, 9, 10, 11, 27, 28, 29, 30}));
  EXPECT_EQ(RowsIn(image, 15, Qt::black), (QList<int>{8, 9, 10, 11, 22, 23, 24, 25}));
  EXPECT_TRUE(Is(image, 12, 12, Qt::red));
  EXPECT_TRUE(Is(image, 26, 21, Qt::red));

  // Reversed corners draw the same; an empty rectangle draws nothing.
  QImage reversed = Blank(40, 30);
  {
    Surface s(reversed);
    s.Canvas.Brush()->SetColor(clRed);
    s.Canvas.Pen()->SetWidth(4);
    s.Canvas.Rectangle(30, 25, 10, 10);
    s.Canvas.Rectangle(5, 5, 5, 20);
  }
  EXPECT_EQ(reversed, image);
}

TEST(Canvas, LineToLeavesItsEndPointAndStampsWidePens) {
  QImage image = Blank(40, 40);
  {
    Surface s(image);
    s.Canvas.MoveTo(1, 1);
    s.Canvas.LineTo(10, 1);
    s.Canvas.MoveTo(1, 5);
    s.Canvas.LineTo(8, 12);
    EXPECT_EQ(s.Canvas.PenPos(), QPoint(8, 12));
  }
  EXPECT_EQ(ColumnsIn(image, 1, Qt::black), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(Is(image, 1 + i, 5 + i, Qt::black)) << i;
  EXPECT_TRUE(Is(image, 8, 12, Qt::white));

  // A line to its own start draws nothing.
  QImage still = Blank(10, 10);
  {
    Surface s(still);
    s.Canvas.MoveTo(4, 4);
    s.Canvas.LineTo(4, 4);
  }
  EXPECT_EQ(Extent(still), QRect());

  // Wide pens: square stamps of the pen width on every pixel of the walk.
  for (const auto& [a, b] : {std::pair{QPoint(5, 20), QPoint(15, 20)}, std::pair{QPoint(3, 3), QPoint(30, 17)},
                             std::pair{QPoint(30, 35), QPoint(22, 4)}, std::pair{QPoint(12, 30), QPoint(12, 8)}}) {
    QImage wide = Blank(40, 40);
    {
      Surface s(wide);
      s.Canvas.Pen()->SetWidth(3);
      s.Canvas.MoveTo(a.x(), a.y());
      s.Canvas.LineTo(b.x(), b.y());
    }
    const auto cover = LineCover(a, b, 3);
    int mismatches = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (Is(wide, x, y, Qt::black) != (cover.count({x, y}) == 1)) ++mismatches;
    EXPECT_EQ(mismatches, 0) << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
  }
}

TEST(Canvas, DottedPenRunsThreeOnThreeOff) {
  QImage image = Blank(40, 12);
  {
    Surface s(image);
    s.Canvas.Pen()->SetStyle(psDot);
    s.Canvas.MoveTo(0, 1);
    s.Canvas.LineTo(20, 1);
    s.Canvas.Brush()->SetStyle(bsClear);
    s.Canvas.Rectangle(0, 4, 1, 5);  // one pixel
  }
  EXPECT_EQ(ColumnsIn(image, 1, Qt::black), (QList<int>{0, 1, 2, 6, 7, 8, 12, 13, 14, 18, 19}));
  EXPECT_TRUE(Is(image, 0, 4, Qt::black));

  // A dotted outline keeps its pattern round the corners and stays on the
  // outline.
  image = Blank(40, 40);
  {
    Surface s(image);
    s.Canvas.Pen()->SetStyle(psDot);
    s.Canvas.Brush()->SetStyle(bsClear);
    s.Canvas.Rectangle(5, 5, 25, 20);
  }
  EXPECT_EQ(Extent(image), QRect(QPoint(5, 5), QPoint(24, 19)));
  EXPECT_EQ(ColumnsIn(image, 5, Qt::black), (QList<int>{5, 6, 7, 11, 12, 13, 17, 18, 19, 23, 24}));
  for (int y = 6; y < 19; ++y)
    for (int x = 6; x < 24; ++x) ASSERT_TRUE(Is(image, x, y, Qt::white)) << x << "," << y;

  // Pens wider than one pixel draw solid whatever their style, for lines
  // and for curves alike.
  for (int figure = 0; figure < 2; ++figure) {
    QImage dotted = Blank(60, 40), solid = Blank(60, 40);
    for (QImage* target : {&dotted, &solid}) {
      Surface s(*target);
      s.Canvas.Pen()->SetWidth(2);
      if (target == &dotted) s.Canvas.Pen()->SetStyle(psDot);
      s.Canvas.Brush()->SetStyle(bsClear);
      if (figure == 0) {
        s.Canvas.MoveTo(2, 2);
        s.Canvas.LineTo(50, 30);
      } else {
        s.Canvas.Ellipse(5, 5, 55, 35);
      }
    }
    EXPECT_EQ(dotted, solid) << figure;
  }
}

TEST(Canvas, InvertingPenPaintsEachPixelOnceAndUndoesItself) {
  const QImage original = Pattern(60, 50);

  // Rectangle with a wide pen and a solid brush: every pixel of the figure
  // inverted exactly once, nothing outside touched.
  QImage image = original;
  {
    Surface s(image);
    s.Canvas.Pen()->SetMode(pmNot);
    s.Canvas.Pen()->SetWidth(4);
    s.Canvas.Rectangle(10, 10, 40, 30);
  }
  const QRect figure(QPoint(8, 8), QPoint(40, 30));
  int wrong = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) {
      const QRgb was = original.pixel(x, y) & 0xFFFFFF, now = At(image, x, y);
      if (now != (figure.contains(x, y) ? Inverted(was) : was)) ++wrong;
    }
  EXPECT_EQ(wrong, 0);

  // A wide diagonal line: its cover inverted once, overlapping stamps too.
  image = original;
  {
    Surface s(image);
    s.Canvas.Pen()->SetMode(pmNot);
    s.Canvas.Pen()->SetWidth(5);
    s.Canvas.MoveTo(5, 45);
    s.Canvas.LineTo(52, 6);
  }
  const auto cover = LineCover(QPoint(5, 45), QPoint(52, 6), 5);
  wrong = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) {
      const QRgb was = original.pixel(x, y) & 0xFFFFFF;
      if (At(image, x, y) != (cover.count({x, y}) ? Inverted(was) : was)) ++wrong;
    }
  EXPECT_EQ(wrong, 0);

  // Drawing every figure twice restores the picture exactly (the rubber band).
  image = original;
  for (int pass = 0; pass < 2; ++pass) {
    Surface s(image);
    s.Canvas.Pen()->SetMode(pmNot);
    s.Canvas.Brush()->SetStyle(bsClear);
    s.Canvas.Pen()->SetStyle(psDot);
    s.Canvas.Rectangle(3, 3, 50, 40);
    s.Canvas.Ellipse(6, 6, 45, 35);
    s.Canvas.RoundRect(8, 8, 48, 30, 10, 10);
    s.Canvas.MoveTo(0, 49);
    s.Canvas.LineTo(59, 0);
  }
  EXPECT_EQ(image, original);
}

TEST(Canvas, ClearBrushLeavesTheInsideAlone) {
  QImage solid = Pattern(30, 30), clear = Pattern(30, 30);
  const QImage original = clear;
  for (QImage* target : {&solid, &clear}) {
    Surface s(*target);
    s.Canvas.Brush()->SetColor(clBlue);
    if (target == &clear) s.Canvas.Brush()->SetStyle(bsClear);
    s.Canvas.Rectangle(2, 2, 20, 20);
    s.Canvas.Ellipse(4, 22, 28, 29);
  }
  EXPECT_TRUE(Is(solid, 10, 10, Qt::blue));
  EXPECT_EQ(clear.pixel(10, 10), original.pixel(10, 10));
  EXPECT_EQ(clear.pixel(16, 25), original.pixel(16, 25));
  EXPECT_TRUE(Is(solid, 16, 25, Qt::blue));
  EXPECT_TRUE(Is(clear, 2, 10, Qt::black));

  // A clear pen draws no outline; the brush fills the whole figure.
  QImage noPen = Blank(30, 30);
  {
    Surface s(noPen);
    s.Canvas.Pen()->SetStyle(psClear);
    s.Canvas.Brush()->SetColor(clBlue);
    s.Canvas.Rectangle(2, 2, 20, 20);
  }
  EXPECT_EQ(Colours(noPen), ColourSet({Qt::white, Qt::blue}));
  EXPECT_EQ(Extent(noPen), QRect(QPoint(2, 2), QPoint(19, 19)));
}

TEST(Canvas, FiguresAreNeverAntialiasedAndStayInTheirBoxes) {
  QImage image = Blank(120, 60);
  {
    Surface s(image);
    s.Canvas.Pen()->SetColor(clRed);
    s.Canvas.Brush()->SetColor(clBlue);
    s.Canvas.Ellipse(5, 5, 35, 25);
    s.Canvas.RoundRect(40, 5, 70, 25, 12, 12);
    s.Canvas.Pen()->SetWidth(3);
    s.Canvas.Ellipse(80, 5, 115, 40);
    s.Canvas.MoveTo(5, 55);
    s.Canvas.LineTo(70, 30);
  }
  EXPECT_EQ(Colours(image), ColourSet({Qt::white, Qt::red, Qt::blue}));

  // One-pixel outlines never leave their box, and touch every side of it
  // (flat ellipses may lose their two end pixels).
  for (int kind = 0; kind < 2; ++kind) {
    const QRect flat(QPoint(3, 7), QPoint(40, 9));
    for (const QRect box : {QRect(QPoint(5, 5), QPoint(34, 24)), flat, QRect(QPoint(10, 10), QPoint(11, 30)),
                            QRect(QPoint(2, 2), QPoint(43, 33))}) {
      QImage one = Blank(50, 40);
      {
        Surface s(one);
        s.Canvas.Brush()->SetColor(clBlue);
        if (kind == 0)
          s.Canvas.Ellipse(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
        else
          s.Canvas.RoundRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1, 10, 10);
      }
      if (kind == 0 && box == flat)
        EXPECT_TRUE(box.contains(Extent(one)));
      else
        EXPECT_EQ(Extent(one), box) << kind << " " << box.width() << "x" << box.height();
    }
  }

  // Rounded corners are cut; corners below two pixels are square.
  QImage round = Blank(50, 40), square = Blank(50, 40);
  {
    Surface s(round);
    s.Canvas.RoundRect(5, 5, 45, 35, 10, 10);
  }
  {
    Surface s(square);
    s.Canvas.RoundRect(5, 5, 45, 35, 1, 1);
  }
  EXPECT_TRUE(Is(round, 5, 5, Qt::white));
  EXPECT_TRUE(Is(round, 44, 34, Qt::white));
  EXPECT_TRUE(Is(round, 25, 5, Qt::black));
  EXPECT_TRUE(Is(square, 5, 5, Qt::black));
  EXPECT_TRUE(Is(square, 44, 34, Qt::black));
}

TEST(Canvas, HugeCoordinatesAndPensNeitherOverflowNorStall) {
  QImage image = Blank(50, 50);
  {
    Surface s(image);
    s.Canvas.Pen()->SetWidth(1 << 30);
    s.Canvas.MoveTo(-2147483647, -2147483647);
    s.Canvas.LineTo(2147483647, 2147483647);
    s.Canvas.Pen()->SetWidth(1);
    s.Canvas.Pen()->SetStyle(psDot);
    s.Canvas.Brush()->SetStyle(bsClear);
    s.Canvas.MoveTo(2147483647, 10);
    s.Canvas.LineTo(-2147483647, 10);
    s.Canvas.Rectangle(-2147483647, -2147483647, 2147483647, 2147483647);
    s.Canvas.Ellipse(-2147483647, 5, 2147483647, 2147483647);
    s.Canvas.RoundRect(-2147483647, 5, 2147483647, 2147483647, 2147483647, 2147483647);
  }
  EXPECT_TRUE(Is(image, 25, 25, Qt::black));  // the huge pen covers everything
}

TEST(Canvas, TextMeasuresWithCharacterExtraAndAccelerators) {
  TCanvas canvas;
  canvas.Font()->SetName(QStringLiteral("IPAGothic"));
  canvas.Font()->SetSize(12);
  const QFontMetrics fm(canvas.Font()->ToQFont());
  auto advance = [&](const QString& s) {
    int w = 0;
    for (QChar c : s) w += fm.horizontalAdvance(c);
    return w;
  };

  EXPECT_EQ(canvas.SetTextCharacterExtra(3), 0);
  QRect r(0, 0, 1, 1);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("名刺abc"), r, DT_CALCRECT | DT_NOPREFIX), fm.height());
  EXPECT_EQ(r.width(), advance(QStringLiteral("名刺abc")) + 5 * 3);
  EXPECT_EQ(r.height(), fm.height());
  EXPECT_EQ(canvas.TextWidth(QStringLiteral("名刺abc")), r.width());

  // An ampersand marks the next character and is not counted; "&&" is one
  // ampersand; with DT_NOPREFIX every ampersand is a character.
  r = QRect();
  canvas.DrawText(QStringLiteral("R&D"), r, DT_CALCRECT);
  EXPECT_EQ(r.width(), advance(QStringLiteral("RD")) + 2 * 3);
  canvas.DrawText(QStringLiteral("R&D"), r, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(r.width(), advance(QStringLiteral("R&D")) + 3 * 3);
  canvas.DrawText(QStringLiteral("R&&D"), r, DT_CALCRECT);
  EXPECT_EQ(r.width(), advance(QStringLiteral("R&D")) + 3 * 3);

  // Lines split at CR LF; the widest line sets the width.
  canvas.SetTextCharacterExtra(0);
  canvas.DrawText(QStringLiteral("ab\r\nabcd\r\nc"), r, DT_CALCRECT);
  EXPECT_EQ(r.height(), 3 * fm.height());
  EXPECT_EQ(r.width(), advance(QStringLiteral("abcd")));
  canvas.DrawText(QStringLiteral("ab\r\nabcd"), r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.height(), fm.height());

  // Drawn: the accelerator is underlined, the ampersand itself not shown.
  QImage shown = Blank(120, 40), plain = Blank(120, 40), literal = Blank(120, 40);
  for (QImage* target : {&shown, &plain, &literal}) {
    Surface s(*target);
    s.Canvas.Font()->Assign(*canvas.Font());
    s.Canvas.Font()->SetColor(clBlack);
    QRect box(2, 2, 116, 36);
    s.Canvas.DrawText(target == &shown ? QStringLiteral("&RD") : target == &plain ? QStringLiteral("RD")
                                                                                  : QStringLiteral("&RD"),
                      box, target == &literal ? DT_NOPREFIX : 0);
  }
  EXPECT_NE(shown, plain);
  EXPECT_NE(literal, shown);
  const int underline = 2 + QFontMetrics(canvas.Font()->ToQFont(), &shown).ascent() + 1;
  const int rWidth = QFontMetrics(canvas.Font()->ToQFont(), &shown).horizontalAdvance(QLatin1Char('R'));
  for (int x = 2; x < 2 + rWidth; ++x) EXPECT_TRUE(Is(shown, x, underline, Qt::black)) << x;
}

TEST(Canvas, WordBreakBreaksAfterSpacesAndBetweenJapaneseCharacters) {
  TCanvas canvas;
  canvas.Font()->SetName(QStringLiteral("IPAGothic"));
  canvas.Font()->SetSize(12);
  const QFontMetrics fm(canvas.Font()->ToQFont());
  auto advance = [&](const QString& s) {
    int w = 0;
    for (QChar c : s) w += fm.horizontalAdvance(c);
    return w;
  };
  const unsigned flags = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;

  QRect r(0, 0, advance(QStringLiteral("aaa bbb")) + 2, 1);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("aaa bbb ccc"), r, flags), 2 * fm.height());
  EXPECT_EQ(r.width(), advance(QStringLiteral("aaa bbb")));  // the space at the break is dropped

  // A word longer than the line stays whole; hard breaks and empty lines stay.
  r = QRect(0, 0, 10, 1);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("abcdefghij"), r, flags), fm.height());
  EXPECT_EQ(r.width(), advance(QStringLiteral("abcdefghij")));
  r = QRect(0, 0, 1000, 1);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("a\r\n\r\nb"), r, flags), 3 * fm.height());

  // Japanese text breaks between any two characters; the extra counts.
  canvas.SetTextCharacterExtra(2);
  r = QRect(0, 0, advance(QStringLiteral("名刺")) + 2 * 2, 1);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("名刺名刺名刺"), r, flags), 3 * fm.height());
  EXPECT_EQ(r.width(), advance(QStringLiteral("名刺")) + 2 * 2);
  // Without DT_WORDBREAK nothing is broken.
  r = QRect(0, 0, 10, 1);
  EXPECT_EQ(canvas.DrawText(QStringLiteral("名刺名刺名刺"), r, DT_CALCRECT), fm.height());
}

}  // namespace

// However the canvas hands glyphs to the painter, they come out as the
// painter draws each character at its measured place: Japanese, Latin, a
// character the font lacks (drawn from another face), with spacing, on two
// lines, and with the font's measurements taken on another device before.
TEST(Canvas, TextDrawsWhatThePainterDrawsForEachCharacterAtItsPlace) {
  const QString text = QStringLiteral("名刺 Ab\u05D0\u05D1\r\n住所 1-2");
  for (int extra : {0, 4}) {
    SCOPED_TRACE(extra);
    QImage drawn = Blank(260, 80), expected = Blank(260, 80);
    {
      TCanvas measuring;  // a font met without a device first shares nothing wrong
      measuring.Font()->SetName(QStringLiteral("IPAexGothic"));
      measuring.Font()->SetSize(14);
      QRect r(0, 0, 1, 1);
      measuring.DrawText(text, r, DT_CALCRECT);
      Surface s(drawn);
      s.Canvas.Font()->Assign(*measuring.Font());
      s.Canvas.Font()->SetColor(clBlack);
      s.Canvas.SetTextCharacterExtra(extra);
      QRect box(3, 4, 250, 70);
      s.Canvas.DrawText(text, box, DT_NOPREFIX);
    }
    QPainter p(&expected);
    TFont font;
    font.SetName(QStringLiteral("IPAexGothic"));
    font.SetSize(14);
    p.setFont(font.ToQFont());
    p.setPen(Qt::black);
    const QFontMetrics fm(p.font(), &expected);
    int y = 4;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
      int x = 3;
      for (QChar c : line) {
        if (c != QLatin1Char(' ')) p.drawText(QPoint(x, y + fm.ascent()), QString(c));
        x += fm.horizontalAdvance(QString(c)) + extra;
      }
      y += fm.height();
    }
    p.end();
    EXPECT_EQ(drawn, expected);
  }
}
