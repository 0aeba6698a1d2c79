// TQuShape: the control-bounds invariant, setters that compare first, and the
// painting of every shape kind, checked on a QImage.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "Canvas.h"
#include "ComponentStream.h"
#include "PixelProbe.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

using namespace PixelProbe;

// A white worksheet with one shape, counting repaint requests.
struct Sheet {
  Sheet() {
    Panel.SetBounds(0, 0, 200, 120);
    Panel.SetColor(clWhite);
    Panel.OnInvalidate = [this](const QRect&) { ++Repaints; };
    Shape = new TQuShape(&Panel);
    Shape->SetParent(&Panel);
  }
  QImage Paint() {
    QImage image = Blank(200, 120);
    QPainter painter(&image);
    Panel.PaintTo(painter, 0, 0);
    return image;
  }
  void Place(int left, int top, int width, int height) {
    Shape->SetLeft(left);
    Shape->SetTop(top);
    Shape->SetWidth(width);
    Shape->SetHeight(height);
  }
  TPanel Panel{nullptr};
  TQuShape* Shape;
  int Repaints = 0;
};

TEST(Shape, BoundsAreTheLogicalRectangleGrownByThePen) {
  Sheet s;
  EXPECT_EQ(s.Shape->Left(), 0);
  EXPECT_EQ(s.Shape->Width(), 0);
  EXPECT_EQ(s.Shape->Shape(), qustRectangle);
  s.Shape->SetLeft(10);
  s.Shape->SetTop(10);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(10, 10, 2, 2));

  // The worked example: pen 1, then pen 4.
  s.Place(100, 50, 40, 20);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(100, 50, 42, 22));
  s.Shape->Pen()->SetWidth(4);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(98, 48, 45, 25));
  s.Shape->Pen()->SetWidth(3);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(99, 49, 44, 24));
  EXPECT_EQ(QRect(s.Shape->Left(), s.Shape->Top(), s.Shape->Width(), s.Shape->Height()), QRect(100, 50, 40, 20));

  // SetPen copies; the shape never holds on to the argument.
  TPen pen;
  pen.SetWidth(7);
  s.Shape->SetPen(&pen);
  pen.SetWidth(1);
  EXPECT_EQ(s.Shape->Pen()->Width(), 7);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(97, 47, 48, 28));

  // Negative logical positions: pw div 2 truncates toward zero.
  s.Shape->Pen()->SetWidth(5);
  s.Place(-3, -1, 4, 2);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(-5, -3, 10, 8));
}

TEST(Shape, SettersThatChangeNothingDoNotRepaint) {
  Sheet s;
  s.Place(100, 50, 40, 20);
  s.Repaints = 0;
  s.Place(100, 50, 40, 20);
  s.Shape->SetShape(qustRectangle);
  s.Shape->Pen()->SetColor(clBlack);
  s.Shape->Brush()->SetStyle(bsSolid);
  EXPECT_EQ(s.Repaints, 0);

  s.Shape->SetShape(qustEllipse);
  EXPECT_GT(s.Repaints, 0);
  s.Repaints = 0;
  const QRect bounds = s.Shape->BoundsRect();
  s.Shape->Pen()->SetColor(clRed);  // a colour alone repaints in place
  EXPECT_GT(s.Repaints, 0);
  EXPECT_EQ(s.Shape->BoundsRect(), bounds);
  s.Repaints = 0;
  s.Shape->Brush()->SetColor(clBlue);
  EXPECT_GT(s.Repaints, 0);
  s.Repaints = 0;
  s.Shape->SetLeft(101);
  EXPECT_GT(s.Repaints, 0);
  // A fresh shape's zero size is already zero.
  TQuShape fresh(nullptr);
  fresh.SetLeft(10);
  fresh.SetTop(10);
  fresh.SetWidth(0);
  fresh.SetHeight(0);
  EXPECT_EQ(fresh.BoundsRect(), QRect(10, 10, 2, 2));
}

TEST(Shape, RectanglesCoverTheirLogicalOutline) {
  Sheet s;
  s.Place(100, 50, 40, 20);
  s.Shape->Brush()->SetColor(clRed);
  QImage image = s.Paint();
  EXPECT_EQ(Extent(image), QRect(QPoint(100, 50), QPoint(140, 70)));
  EXPECT_EQ(ColumnsIn(image, 60, Qt::black), (QList<int>{100, 140}));
  EXPECT_TRUE(Is(image, 120, 60, Qt::red));

  // Pen 4: the stroke is centred on the same outline.
  s.Shape->Pen()->SetWidth(4);
  image = s.Paint();
  EXPECT_EQ(Extent(image), QRect(QPoint(98, 48), QPoint(141, 71)));
  EXPECT_EQ(ColumnsIn(image, 60, Qt::black), (QList<int>{98, 99, 100, 101, 138, 139, 140, 141}));
  EXPECT_TRUE(s.Shape->BoundsRect().contains(Extent(image)));

  // A zero-sized rectangle is still one pixel plus the stroke.
  s.Shape->Pen()->SetWidth(1);
  s.Place(10, 10, 0, 0);
  EXPECT_EQ(Extent(s.Paint()), QRect(10, 10, 1, 1));
}

TEST(Shape, SquaresAndCirclesAreCentredOnTheShorterSide) {
  for (TQuShapeType kind : {qustSquare, qustRoundSquare, qustCircle}) {
    Sheet s;
    s.Place(100, 50, 40, 20);
    s.Shape->SetShape(kind);
    QImage image = s.Paint();
    EXPECT_EQ(Extent(image), QRect(QPoint(110, 50), QPoint(130, 70))) << kind;
    s.Place(100, 10, 20, 40);
    image = s.Paint();
    EXPECT_EQ(Extent(image), QRect(QPoint(100, 20), QPoint(120, 40))) << kind;
    s.Shape->Pen()->SetWidth(4);
    image = s.Paint();
    EXPECT_TRUE(s.Shape->BoundsRect().contains(Extent(image))) << kind;
  }
}

TEST(Shape, LinesRunCornerToCornerWithoutTheirEndPoint) {
  Sheet s;
  s.Place(100, 50, 40, 20);
  s.Shape->SetShape(qustLinea);
  QImage image = s.Paint();
  EXPECT_TRUE(Is(image, 100, 50, Qt::black));
  EXPECT_TRUE(Is(image, 139, 70, Qt::black));
  EXPECT_TRUE(Is(image, 140, 70, Qt::white));
  EXPECT_EQ(Extent(image), QRect(QPoint(100, 50), QPoint(139, 70)));

  s.Shape->SetShape(qustLineb);
  image = s.Paint();
  EXPECT_TRUE(Is(image, 100, 70, Qt::black));
  EXPECT_TRUE(Is(image, 139, 50, Qt::black));
  EXPECT_TRUE(Is(image, 140, 50, Qt::white));
  EXPECT_EQ(Extent(image), QRect(QPoint(100, 50), QPoint(139, 70)));

  // Width 0: vertical; Linea downward from the top, Lineb upward from the bottom.
  s.Place(30, 10, 0, 15);
  s.Shape->SetShape(qustLinea);
  EXPECT_EQ(RowsIn(s.Paint(), 30, Qt::black).size(), 15);
  EXPECT_EQ(Extent(s.Paint()), QRect(30, 10, 1, 15));
  s.Shape->SetShape(qustLineb);
  EXPECT_EQ(Extent(s.Paint()), QRect(30, 11, 1, 15));
}

TEST(Shape, RoundedCornersUseAQuarterOfTheShorterSide) {
  Sheet s;
  s.Place(100, 50, 40, 20);
  s.Shape->SetShape(qustRoundRect);
  QImage image = s.Paint();
  EXPECT_EQ(Extent(image), QRect(QPoint(100, 50), QPoint(140, 70)));
  EXPECT_TRUE(Is(image, 100, 50, Qt::white));
  EXPECT_TRUE(Is(image, 140, 70, Qt::white));
  EXPECT_TRUE(Is(image, 120, 50, Qt::black));
  EXPECT_TRUE(Is(image, 100, 60, Qt::black));

  // 40 x 3: corners of 0 x 0, square.
  s.Place(100, 50, 40, 3);
  image = s.Paint();
  EXPECT_TRUE(Is(image, 100, 50, Qt::black));
  EXPECT_TRUE(Is(image, 140, 53, Qt::black));
}

TEST(Shape, AFigureWithoutWidthOrHeightStillShowsAsTheRectangleWouldDoIt) {
  // A click with a tool makes such a figure; it must not be invisible.
  struct Case {
    int Width, Height;
  };
  const Case sizes[] = {{0, 0}, {0, 20}, {30, 0}, {1, 12}};
  for (const Case& size : sizes) {
    for (int pw : {1, 3}) {
      for (auto [figure, rectangle] : {std::pair{qustEllipse, qustRectangle}, std::pair{qustCircle, qustSquare}}) {
        SCOPED_TRACE(testing::Message() << size.Width << " x " << size.Height << " pen " << pw << " kind " << figure);
        Sheet a, b;
        for (Sheet* s : {&a, &b}) {
          s->Place(50, 30, size.Width, size.Height);
          s->Shape->Pen()->SetWidth(pw);
        }
        a.Shape->SetShape(figure);
        b.Shape->SetShape(rectangle);
        const QImage drawn = a.Paint();
        EXPECT_FALSE(Extent(drawn).isEmpty());
        EXPECT_EQ(drawn, b.Paint());
      }
    }
  }
}

TEST(Shape, EveryKindPaintsInsideItsBoundsInExactColours) {
  for (int kind = 0; kind < 8; ++kind) {
    for (int pw : {1, 4}) {
      Sheet s;
      s.Place(50, 30, 60, 35);
      s.Shape->SetShape(TQuShapeType(kind));
      s.Shape->Pen()->SetWidth(pw);
      s.Shape->Pen()->SetColor(clRed);
      s.Shape->Brush()->SetColor(clBlue);
      const QImage image = s.Paint();
      EXPECT_FALSE(Extent(image).isEmpty()) << kind;
      EXPECT_TRUE(s.Shape->BoundsRect().contains(Extent(image))) << kind << " pen " << pw;
      EXPECT_TRUE(ColourSet({Qt::white, Qt::red, Qt::blue}).contains(Colours(image))) << kind;
    }
  }
  // A kind outside the eight draws nothing, but the canvas takes the pen
  // and brush all the same.
  Sheet s;
  s.Place(50, 30, 60, 35);
  s.Shape->SetShape(TQuShapeType(9));
  s.Shape->Pen()->SetColor(clRed);
  s.Shape->Brush()->SetStyle(bsClear);
  EXPECT_EQ(Extent(s.Paint()), QRect());
  EXPECT_EQ(s.Shape->Canvas()->Pen()->Color(), clRed);
  EXPECT_EQ(s.Shape->Canvas()->Brush()->Style(), bsClear);
  // ... and survives a round trip through a stream.
  TQuShape back(nullptr);
  ComponentStream::ReadComponent(ComponentStream::WriteComponent(*s.Shape), back);
  EXPECT_EQ(back.Shape(), TQuShapeType(9));
}

TEST(Shape, DottedAndInvertingPensReachThePainting) {
  Sheet s;
  s.Place(20, 20, 60, 30);
  s.Shape->Pen()->SetStyle(psDot);
  s.Shape->Brush()->SetStyle(bsClear);
  const QImage dotted = s.Paint();
  const QList<int> top = ColumnsIn(dotted, 20, Qt::black);
  EXPECT_EQ(top.mid(0, 6), (QList<int>{20, 21, 22, 26, 27, 28}));

  // The rubber band: an inverting pen over a black panel shows white.
  s.Panel.SetColor(clBlack);
  s.Shape->Pen()->SetStyle(psSolid);
  s.Shape->Pen()->SetMode(pmNot);
  const QImage inverted = s.Paint();
  EXPECT_TRUE(Is(inverted, 20, 35, Qt::white));
  EXPECT_TRUE(Is(inverted, 50, 35, Qt::black));
}

TEST(Shape, ScalingLeavesTheLogicalRectangleToItsOwner) {
  // Printing scales the panel, then sets each shape's logical values from
  // the unscaled ones; the panel's scaling must not scale them first.
  Sheet s;
  s.Place(10, 20, 30, 40);
  s.Panel.ScaleBy(2, 1);
  EXPECT_EQ(QRect(s.Shape->Left(), s.Shape->Top(), s.Shape->Width(), s.Shape->Height()), QRect(10, 20, 30, 40));
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(20, 40, 64, 84));
  s.Place(20, 40, 60, 80);
  EXPECT_EQ(s.Shape->BoundsRect(), QRect(20, 40, 62, 82));
}

TEST(Shape, AbsurdValuesNeitherOverflowNorStall) {
  Sheet s;
  s.Place(INT_MAX, INT_MIN, INT_MAX, INT_MAX);
  s.Shape->Pen()->SetWidth(INT_MAX);
  for (int kind = 0; kind < 8; ++kind) {
    s.Shape->SetShape(TQuShapeType(kind));
    s.Paint();
  }
  s.Place(-100, -100, INT_MAX, INT_MAX);
  s.Shape->Pen()->SetWidth(3);
  for (int kind = 0; kind < 8; ++kind) {
    s.Shape->SetShape(TQuShapeType(kind));
    s.Paint();
  }
  s.Panel.ScaleBy(INT_MAX, 1);
  TQuShape back(nullptr);
  ComponentStream::ReadComponent(ComponentStream::WriteComponent(*s.Shape), back);
  EXPECT_EQ(back.Width(), INT_MAX);
  EXPECT_EQ(back.Left(), -100);
}

}  // namespace
