// Where the cards and crop marks go on the sheet, for devices of chosen
// quantities: the scale, each cell's origin with the overflow shift, and
// marks only around the outside of the block.
#include <QSet>
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "PrintLayout.h"

namespace {

// A printer of 23.62 pixels per millimetre both ways (4724 px over 200 mm).
TPrintCaps Printer4724(int offsetX = 0, int offsetY = 0) { return {4724, 6614, 200, 280, offsetX, offsetY}; }

DocumentPageSetup CardSetup(int overflow = 0, int columns = 2, int rows = 5) {
  DocumentPageSetup s;  // 91 x 55 mm card, 455 x 275 worksheet pixels, margins 14 / 11 mm
  s.OverflowAdjust = overflow;
  s.Retu = columns;
  s.Dann = rows;
  return s;
}

TEST(SheetLayout, ScaleAndTickLengthFollowTheDeviceAndTheOverflow) {
  const struct {
    TPrintCaps Caps;
    int Overflow, U, Tick;
  } cases[] = {
      {Printer4724(), 0, 472, 47},
      {Printer4724(), 3, 488, 47},
      {Printer4724(), -3, 457, 47},
      {{4800, 6800, 203, 288, 80, 80}, 0, 473, 47},  // an A4 printer with margins
      {{2000, 2900, 200, 290, 0, 0}, 0, 200, 20},    // 10 pixels per millimetre
  };
  for (const auto& c : cases) {
    const TSheetLayout layout(CardSetup(c.Overflow), c.Caps);
    ASSERT_TRUE(layout.Valid()) << c.U;
    EXPECT_EQ(layout.U(), c.U);
    EXPECT_EQ(layout.TickX(), c.Tick) << c.U;
    EXPECT_EQ(layout.TickY(), c.Tick) << c.U;
  }
}

TEST(SheetLayout, CardOriginsCountFromThePaperCornerAndShiftByHalfTheOverflow) {
  DocumentPageSetup s = CardSetup(3);
  s.InsideMarginX = 2.5f;
  s.InsideMarginY = 1.5f;
  DocumentPageSetup plain = s;
  plain.OverflowAdjust = 0;
  const TSheetLayout shifted(s, Printer4724(118, 99)), unshifted(plain, Printer4724(118, 99));
  const struct {
    int I, J;
    QPoint Plain, Shifted;
  } cells[] = {
      {0, 0, {213, 161}, {177, 139}},
      {1, 0, {2421, 161}, {2386, 139}},
      {0, 4, {213, 5499}, {177, 5478}},
      {1, 4, {2421, 5499}, {2386, 5478}},
  };
  for (const auto& c : cells) {
    EXPECT_EQ(unshifted.CardOrigin(c.I, c.J), c.Plain) << c.I << "," << c.J;
    EXPECT_EQ(shifted.CardOrigin(c.I, c.J), c.Shifted) << c.I << "," << c.J;
    // The crop marks keep to the card's own corner whatever the overflow.
    const TSheetLayout::TEdges e = shifted.CardEdges(c.I, c.J);
    EXPECT_EQ(QPoint(e.E, e.H), c.Plain);
  }
}

TEST(SheetLayout, CropMarksLieOnlyOutsideTheBlockAndMarkTheCardEdges) {
  const struct {
    int Columns, Rows, Overflow;
    bool Marks;
    size_t Lines;
  } cases[] = {
      {2, 5, 0, true, 2 * 2 + 2 * 2 + 5 * 2 + 5 * 2},
      {2, 5, 3, true, 28},
      {1, 1, 0, true, 8},
      {3, 3, -2, true, 3 * 2 * 2 + 3 * 2 * 2},
      {2, 5, 0, false, 0},
  };
  for (const auto& c : cases) {
    DocumentPageSetup s = CardSetup(c.Overflow, c.Columns, c.Rows);
    s.PrintTonbo = c.Marks;
    const TSheetLayout layout(s, Printer4724(50, 40));
    const std::vector<QLine> lines = layout.CropMarks();
    ASSERT_EQ(lines.size(), c.Lines) << c.Columns << "x" << c.Rows;
    const TSheetLayout::TEdges first = layout.CardEdges(0, 0), last = layout.CardEdges(c.Columns - 1, c.Rows - 1);
    const QRect block(QPoint(first.E, first.H), QPoint(last.J, last.I));
    QSet<int> xs, ys;  // the card edges the marks line up with
    for (int i = 0; i < c.Columns; ++i)
      for (int j = 0; j < c.Rows; ++j) {
        const TSheetLayout::TEdges e = layout.CardEdges(i, j);
        xs << e.E << e.J;
        ys << e.H << e.I;
      }
    for (const QLine& l : lines) {
      const bool vertical = l.x1() == l.x2();
      ASSERT_TRUE(vertical || l.y1() == l.y2());
      // 2 mm long, starting 2 mm from the block, pointing away from it.
      EXPECT_EQ(std::abs(vertical ? l.dy() : l.dx()), vertical ? layout.TickY() : layout.TickX());
      const QRect near = QRect(l.p1(), l.p2()).normalized();
      EXPECT_FALSE(near.intersects(block.adjusted(-layout.TickX() + 1, -layout.TickY() + 1, layout.TickX() - 1,
                                                  layout.TickY() - 1)))
          << l.x1() << "," << l.y1();
      EXPECT_TRUE(vertical ? xs.contains(l.x1()) : ys.contains(l.y1()));
    }
  }
}

TEST(SheetLayout, QuantitiesNoDeviceOrCardCanHaveAreRefused) {
  const TPrintCaps none{};
  DocumentPageSetup zeroWidth = CardSetup();
  zeroWidth.SheetWidth = 0;
  DocumentPageSetup noPixels = CardSetup();
  noPixels.SheetWidthPx = 0;
  DocumentPageSetup noColumns = CardSetup();
  noColumns.Retu = 0;
  DocumentPageSetup absurdMargin = CardSetup();
  absurdMargin.LeftMargin = std::numeric_limits<float>::infinity();
  const TPrintCaps tooFine{2000000000, 2000000000, 1, 1, 0, 0};
  const struct {
    DocumentPageSetup S;
    TPrintCaps Caps;
  } cases[] = {{CardSetup(), none}, {zeroWidth, Printer4724()}, {noPixels, Printer4724()}, {noColumns, Printer4724()},
               {absurdMargin, Printer4724()}, {CardSetup(), tooFine}};
  for (const auto& c : cases) {
    const TSheetLayout layout(c.S, c.Caps);
    EXPECT_FALSE(layout.Valid());
    EXPECT_TRUE(layout.CropMarks().empty());
  }
}

}  // namespace
