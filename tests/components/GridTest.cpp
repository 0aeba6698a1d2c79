// TGridShape: where the lines fall, spacings that would never end the loops,
// and repaints only on real changes.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "Gridshape.h"
#include "PixelProbe.h"
#include "WinControl.h"

namespace {

using namespace PixelProbe;

struct GridSheet {
  explicit GridSheet(int w = 120, int h = 70) : W(w), H(h) {
    Panel.SetBounds(0, 0, w, h);
    Panel.SetColor(clWhite);
    Panel.OnInvalidate = [this](const QRect&) { ++Repaints; };
    Grid = new TGridShape(&Panel);
    Grid->SetParent(&Panel);
  }
  QImage Paint() {
    QImage image = Blank(W, H);
    QPainter painter(&image);
    Panel.PaintTo(painter, 0, 0);
    return image;
  }
  int W, H;
  TPanel Panel{nullptr};
  TGridShape* Grid;
  int Repaints = 0;
};

TEST(Grid, LinesStartAtTheEdgesAndStopBeforeTheFarSide) {
  GridSheet s;
  s.Grid->SetBounds(0, 0, 100, 50);
  s.Grid->SetGridWidth(10);
  const QImage image = s.Paint();
  // Vertical lines at 0, 10, ..., 90 over rows 0..49; horizontal ones at
  // 0, 10, ..., 40 over columns 0..99; nothing on the far edges.
  EXPECT_EQ(ColumnsIn(image, 45, Qt::black), (QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
  EXPECT_EQ(RowsIn(image, 95, Qt::black), (QList<int>{0, 10, 20, 30, 40}));
  EXPECT_EQ(RowsIn(image, 90, Qt::black).size(), 50);
  EXPECT_EQ(ColumnsIn(image, 40, Qt::black).size(), 100);
  EXPECT_EQ(Extent(image), QRect(0, 0, 100, 50));

  // A grid placed elsewhere draws in its own coordinates.
  s.Grid->SetBounds(7, 3, 21, 21);
  const QImage moved = s.Paint();
  EXPECT_EQ(ColumnsIn(moved, 10, Qt::black), (QList<int>{7, 17, 27}));
  EXPECT_EQ(Extent(moved), QRect(7, 3, 21, 21));

  // A spacing above both sides leaves the two edge lines.
  s.Grid->SetGridWidth(500);
  const QImage edges = s.Paint();
  EXPECT_EQ(ColumnsIn(edges, 10, Qt::black), (QList<int>{7}));
  EXPECT_EQ(RowsIn(edges, 20, Qt::black), (QList<int>{3}));
}

TEST(Grid, APartialRepaintShowsWhatTheWholePaintShowsThere) {
  // Areas starting or ending right beside a line, in both directions.
  const QRect areas[] = {QRect(21, 0, 10, 70), QRect(0, 21, 120, 7), QRect(5, 5, 14, 14), QRect(41, 41, 1, 1)};
  for (int pw : {1, 2, 3, 5, 8}) {
    GridSheet s;
    s.Grid->SetBounds(0, 0, 120, 70);
    s.Grid->SetGridWidth(20);
    s.Grid->Pen()->SetWidth(pw);
    const QImage whole = s.Paint();
    for (const QRect& area : areas) {
      SCOPED_TRACE(testing::Message() << "pen " << pw << " area " << area.x() << "," << area.y());
      QImage part = Blank(s.W, s.H);
      {
        QPainter painter(&part);
        painter.setClipRect(area);
        s.Panel.PaintTo(painter, 0, 0);
      }
      EXPECT_EQ(part.copy(area), whole.copy(area));
    }
  }
}

TEST(Grid, SpacingBelowOneOrAnEmptySideDrawsNothingAndEnds) {
  GridSheet s;
  s.Grid->SetBounds(0, 0, 100, 50);
  for (int g : {0, -1, -10, INT_MIN}) {
    s.Grid->SetGridWidth(g);
    EXPECT_EQ(Extent(s.Paint()), QRect()) << g;
  }
  s.Grid->SetGridWidth(10);
  s.Grid->SetBounds(0, 0, 0, 50);
  EXPECT_EQ(Extent(s.Paint()), QRect());
  s.Grid->SetBounds(0, 0, 100, 0);
  EXPECT_EQ(Extent(s.Paint()), QRect());

  // An absurd size with spacing 1 costs only what can show.
  s.Grid->SetBounds(0, 0, INT_MAX, INT_MAX);
  s.Grid->SetGridWidth(1);
  const auto start = std::chrono::steady_clock::now();
  const QImage full = s.Paint();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(Colours(full), ColourSet({Qt::black}));
}

TEST(Grid, RepaintsOnlyForRealChangesAndKeepsItsBounds) {
  GridSheet s;
  s.Grid->SetBounds(0, 0, 100, 50);
  s.Grid->SetGridWidth(10);
  s.Repaints = 0;
  s.Grid->SetGridWidth(10);
  s.Grid->Pen()->SetColor(clBlack);
  EXPECT_EQ(s.Repaints, 0);
  s.Grid->SetGridWidth(12);
  EXPECT_GT(s.Repaints, 0);
  s.Repaints = 0;
  s.Grid->Pen()->SetColor(clSilver);
  EXPECT_GT(s.Repaints, 0);
  s.Grid->Pen()->SetWidth(5);  // unlike a shape, the grid's bounds ignore its pen
  EXPECT_EQ(s.Grid->BoundsRect(), QRect(0, 0, 100, 50));

  // The editor's grid: silver one-pixel lines, clear brush.
  s.Grid->Pen()->SetWidth(1);
  s.Grid->Brush()->SetStyle(bsClear);
  s.Grid->SetGridWidth(10);
  EXPECT_EQ(Colours(s.Paint()), ColourSet({Qt::white, QColor(192, 192, 192)}));
}

}  // namespace
