// The preview's geometry from the printer's quantities and where the cards go.
#include <gtest/gtest.h>

#include "DocumentPageSetup.h"
#include "PreviewLayout.h"

namespace {
// HORZSIZE, VERTSIZE, HORZRES, VERTRES, PHYSICALWIDTH, PHYSICALHEIGHT, offsets.
// An A4 laser printer at 600 dpi, 4 mm unprintable at each side.
const TPreviewCaps kA4Laser{203, 288, 4800, 6814, 4960, 7016, 94, 100};
}  // namespace

TEST(PreviewLayoutTest, TheSheetIsTwoPixelsPerMillimetreWithThePrintableAreaWhereThePrinterPutsIt) {
  const struct {
    const char* printer;
    TPreviewCaps caps;
    QSize sheet;
    QRect printable;
  } cases[] = {
      {"A4 laser, 600 dpi", kA4Laser, {420, 593}, {8, 8, 406, 576}},
      {"A4 PDF, whole page printable", {210, 297, 9921, 14031, 9921, 14031, 0, 0}, {420, 594}, {0, 0, 420, 594}},
      {"Letter, 300 dpi", {203, 271, 2400, 3200, 2550, 3300, 75, 50}, {431, 559}, {13, 8, 406, 542}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.printer);
    const std::optional<TPreviewLayout> l = TPreviewLayout::FromCaps(c.caps);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->PanelSize, c.sheet);
    EXPECT_EQ(l->PrintableArea, c.printable);
    EXPECT_EQ(l->s, 40);  // two pixels per millimetre, 0.2 mm per worksheet pixel
  }
}

TEST(PreviewLayoutTest, QuantitiesThatDescribeNoSheetGiveNoLayoutInsteadOfADivisionByZero) {
  const struct {
    const char* why;
    TPreviewCaps caps;
  } cases[] = {
      {"no device context", TPreviewCaps{}},
      {"no printable width", {203, 288, 0, 6814, 4960, 7016, 94, 100}},
      {"no millimetres", {0, 288, 4800, 6814, 4960, 7016, 94, 100}},
      {"offset before the sheet", {203, 288, 4800, 6814, 4960, 7016, -1, 100}},
      {"offset beyond the sheet", {203, 288, 4800, 6814, 4960, 7016, 94, 7016}},
      {"a sheet kilometres long", {1000000, 288, 1, 6814, 2000000000, 7016, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_FALSE(TPreviewLayout::FromCaps(c.caps)) << c.why;
}

TEST(PreviewLayoutTest, CardsKeepTheirGapsAndOnlyThoseReachingThePrintableAreaAreMade) {
  const TPreviewLayout l = *TPreviewLayout::FromCaps(kA4Laser);
  const QSize card(182, 110);  // 91 x 55 mm
  DocumentPageSetup setup;     // margins 14 and 11 mm from the sheet's edge
  setup.InsideMarginX = 5.0f;
  setup.InsideMarginY = 2.5f;
  EXPECT_EQ(l.CellPosition(setup, card, 1, 2), QPoint(20 + 182 + 10, 14 + 2 * (110 + 5)));

  setup = DocumentPageSetup{};
  setup.Dann = 10;  // rows every 110 pixels from 14; the area is 576 high
  std::vector<TPreviewCell> cells = l.VisibleCells(setup, card);
  ASSERT_EQ(cells.size(), 2u * 6u);  // the sixth row is cut by the edge and stays
  EXPECT_EQ(cells[1].Row, 1);        // rows inside columns
  EXPECT_EQ(cells.back().Bounds, QRect(QPoint(202, 564), card));

  setup.Retu = setup.Dann = 999;  // what a damaged file may hold
  EXPECT_EQ(l.VisibleCells(setup, card).size(), 3u * 6u);
  setup.LeftMargin = 0.0f;  // into the grey margin: cut, not moved
  EXPECT_LT(l.VisibleCells(setup, card).front().Bounds.left(), 0);
}
