// The preview's geometry from the printer's quantities, where the cards go,
// and what the preview window remembers of its bounds.
#include <gtest/gtest.h>

#include "DocumentPageSetup.h"
#include "PreviewLayout.h"
#include "PreviewWindowBounds.h"

namespace {

// HORZSIZE, VERTSIZE, HORZRES, VERTRES, PHYSICALWIDTH, PHYSICALHEIGHT, offsets.
TPreviewCaps Caps(int hs, int vs, int hr, int vr, int pw, int ph, int ox, int oy) {
  return TPreviewCaps{hs, vs, hr, vr, pw, ph, ox, oy};
}
// An A4 laser printer at 600 dpi, 4 mm unprintable at each side.
const TPreviewCaps kA4Laser = Caps(203, 288, 4800, 6814, 4960, 7016, 94, 100);

}  // namespace

TEST(PreviewLayoutTest, TheSheetIsTwoPixelsPerMillimetreWithThePrintableAreaWhereThePrinterPutsIt) {
  struct Case {
    const char* printer;
    TPreviewCaps caps;
    QSize sheet;
    QRect printable;
  } cases[] = {
      {"A4 laser, 600 dpi", kA4Laser, {420, 593}, {8, 8, 406, 576}},
      {"A4 PDF, whole page printable", Caps(210, 297, 9921, 14031, 9921, 14031, 0, 0), {420, 594}, {0, 0, 420, 594}},
      {"Letter, 300 dpi", Caps(203, 271, 2400, 3200, 2550, 3300, 75, 50), {431, 559}, {13, 8, 406, 542}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printer);
    const std::optional<TPreviewLayout> l = TPreviewLayout::FromCaps(c.caps);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->PanelSize, c.sheet);
    EXPECT_EQ(l->PrintableArea, c.printable);
    // Two preview pixels per millimetre, 0.2 mm per worksheet pixel.
    EXPECT_EQ(l->s, 40);
  }
  const std::optional<TPreviewLayout> a4 = TPreviewLayout::FromCaps(kA4Laser);
  EXPECT_NEAR(a4->Pw, 209.77f, 0.01f);
  EXPECT_NEAR(a4->sx, 0.0847f, 0.0001f);
}

TEST(PreviewLayoutTest, QuantitiesThatDescribeNoSheetGiveNoLayoutInsteadOfADivisionByZero) {
  const struct {
    const char* why;
    TPreviewCaps caps;
  } cases[] = {
      {"no device context", TPreviewCaps{}},
      {"no printable width", Caps(203, 288, 0, 6814, 4960, 7016, 94, 100)},
      {"no millimetres", Caps(0, 288, 4800, 6814, 4960, 7016, 94, 100)},
      {"no sheet height", Caps(203, 288, 4800, 6814, 4960, 0, 94, 100)},
      {"offset before the sheet", Caps(203, 288, 4800, 6814, 4960, 7016, -1, 100)},
      {"offset beyond the sheet", Caps(203, 288, 4800, 6814, 4960, 7016, 94, 7016)},
      {"a sheet kilometres long", Caps(1000000, 288, 1, 6814, 2000000000, 7016, 0, 0)},
  };
  for (const auto& c : cases) EXPECT_FALSE(TPreviewLayout::FromCaps(c.caps)) << c.why;
}

TEST(PreviewLayoutTest, CardsStandAtTheirMarginsFromTheSheetEdgeColumnsFirst) {
  const TPreviewLayout l = *TPreviewLayout::FromCaps(kA4Laser);
  const QSize card(182, 110);  // 91 x 55 mm at two pixels per millimetre
  DocumentPageSetup setup;     // 2 x 5 cards, margins 14 and 11 mm, no gaps
  // 28 pixels from the sheet's edge, the printable area begins at 8.
  EXPECT_EQ(l.CellPosition(setup, card, 0, 0), QPoint(20, 14));

  const std::vector<TPreviewCell> cells = l.VisibleCells(setup, card);
  ASSERT_EQ(cells.size(), 10u);
  EXPECT_EQ(cells[1].Row, 1);  // rows inside columns
  EXPECT_EQ(cells[1].Bounds.topLeft(), QPoint(20, 124));
  EXPECT_EQ(cells[5].Column, 1);
  EXPECT_EQ(cells[5].Bounds, QRect(QPoint(202, 14), card));  // touching the first column

  setup.InsideMarginX = 5.0f;
  setup.InsideMarginY = 2.5f;
  EXPECT_EQ(l.CellPosition(setup, card, 1, 2), QPoint(20 + 182 + 10, 14 + 2 * (110 + 5)));
  setup.LeftMargin = 0.0f;  // into the grey margin: cut, not moved
  const std::vector<TPreviewCell> cut = l.VisibleCells(setup, card);
  ASSERT_FALSE(cut.empty());
  EXPECT_LT(cut.front().Bounds.left(), 0);
}

TEST(PreviewLayoutTest, OnlyCardsThatReachThePrintableAreaAreMade) {
  const TPreviewLayout l = *TPreviewLayout::FromCaps(kA4Laser);
  DocumentPageSetup setup;
  setup.Dann = 10;  // rows from y = 14 every 110 pixels; the area is 576 high
  std::vector<TPreviewCell> cells = l.VisibleCells(setup, QSize(182, 110));
  EXPECT_EQ(cells.size(), 2u * 6u);  // the sixth row is cut by the edge and stays
  EXPECT_EQ(cells.back().Bounds.top(), 564);

  setup.Retu = 999;
  setup.Dann = 999;  // what a damaged file may hold
  cells = l.VisibleCells(setup, QSize(182, 110));
  EXPECT_EQ(cells.size(), 3u * 6u);
  EXPECT_TRUE(l.VisibleCells(setup, QSize(0, 0)).empty());
}

TEST(PreviewWindowBoundsTest, TheNextOpeningGetsTheLastNormalBoundsAndTheMaximizedState) {
  using W = TPreviewWindowBounds;
  const QRect opened(204, 104, 595, 402), normal(300, 200, 640, 480), maximizedGeometry(0, 0, 1280, 1024);
  struct Case {
    const char* story;
    bool openedMaximized;
    bool maximize, restore;
    W::TCloseState closed;
    QRect current;
    TRememberedBounds expected;
  } cases[] = {
      {"moved and closed", false, false, false, W::csNormal, normal, {normal, false}},
      {"maximized and closed", false, true, false, W::csMaximized, maximizedGeometry, {normal, true}},
      {"maximized, minimized, closed", false, true, false, W::csMinimized, maximizedGeometry, {normal, true}},
      {"minimized and closed", false, false, false, W::csMinimized, normal, {normal, false}},
      {"maximized, restored, minimized", false, true, true, W::csMinimized, normal, {normal, false}},
      {"opened maximized, closed so", true, false, false, W::csMaximized, maximizedGeometry, {opened, true}},
      {"opened maximized, restored", true, false, true, W::csNormal, normal, {normal, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.story);
    W w;
    w.Opened(opened, c.openedMaximized);
    if (c.maximize) w.Maximizing(normal);
    if (c.restore) w.RestoredFromMaximized();
    EXPECT_EQ(w.Closed(c.closed, c.current), c.expected);
  }
}
