// A printer's corrections on whole print jobs of an image device: offsets
// move every card and crop mark by exactly their device pixels, scales
// stretch the cards and their pitch about the sheet's corner, and without
// corrections the sheet is the very one printed before.
#include <gtest/gtest.h>

#include "ImagePrintDevice.h"
#include "PixelProbe.h"
#include "PrintJob.h"
#include "PrintTestSupport.h"

namespace {

using namespace printtest;
using PixelProbe::Is;

// 10 device pixels per millimetre; the printable area starts 5 mm across and
// 6 mm down the sheet.
const TImageDeviceCaps kTenPerMm{2000, 2900, 200, 290, 2100, 2970, 50, 60};

TPrinterCalibration Calibration(const char* text) {
  const std::optional<TPrinterCalibration> c = TPrinterCalibration::FromText(QString::fromLatin1(text));
  EXPECT_TRUE(c.has_value()) << text;
  return c.value_or(TPrinterCalibration{});
}

QImage Print(Card& card, const TPrinterCalibration& calibration) {
  ImagePrintDevice device(kTenPerMm);
  const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup, calibration);
  EXPECT_TRUE(printed.Ok()) << printed.Reason().toStdString();
  return device.Page();
}

// 2 x 5 blue cards with a red square and crop marks.
void MakeBlue(Card& card) {
  card.SetBackground(Solid(455, 275, Qt::blue));
  card.AddShape(qustRectangle, QRect(100, 50, 100, 100), clRed);
}

TEST(PrintCorrection, OffsetsMoveEveryCardAndTickByExactlyTheirDevicePixels) {
  Card card;
  MakeBlue(card);
  const QImage plain = Print(card, {});
  ASSERT_FALSE(plain.isNull());
  const struct {
    const char* Text;
    int Dx, Dy;
  } cases[] = {{"1.5 -0.7 100.00 100.00", 15, -7}, {"-4.0 5.0 100.00 100.00", -40, 50}, {"0.1 0.0 100.00 100.00", 1, 0}};
  for (const auto& c : cases) {
    const QImage moved = Print(card, Calibration(c.Text));
    ASSERT_EQ(moved.size(), plain.size());
    // Every pixel of the sheet is the plain sheet's pixel from where it moved.
    int wrong = 0;
    for (int y = 0; y < moved.height(); ++y)
      for (int x = 0; x < moved.width(); ++x) {
        const int fromX = x - c.Dx, fromY = y - c.Dy;
        const bool inside = fromX >= 0 && fromY >= 0 && fromX < plain.width() && fromY < plain.height();
        const QRgb expected = inside ? plain.pixel(fromX, fromY) : QColor(Qt::white).rgb();
        wrong += moved.pixel(x, y) != expected;
      }
    EXPECT_EQ(wrong, 0) << c.Text;
  }
}

TEST(PrintCorrection, AScaleStretchesTheCardsAndTheirPitchAboutTheSheetsCorner) {
  Card card;
  MakeBlue(card);
  card.Setup.PrintTonbo = false;
  card.Setup.InsideMarginX = 5;  // columns 96 mm apart
  const struct {
    const char* Text;
    int FirstLeft, SecondLeft;  // where the columns start on the sheet, device pixels
    int Width;                  // of one card
    int FirstTop, Height;
  } cases[] = {
      {"0.0 0.0 100.00 100.00", 140, 1100, 910, 110, 550},
      // 91 mm wide cards become 91.91 mm; the second column, 110 mm from the
      // sheet's edge, moves to 111.1 mm. Down nothing changes.
      {"0.0 0.0 101.00 100.00", 141, 1111, 919, 110, 550},
      // Scaled first, then moved.
      {"2.0 0.0 99.00 98.00", 159, 1109, 901, 108, 539},
  };
  for (const auto& c : cases) {
    const QImage page = Print(card, Calibration(c.Text));
    ASSERT_FALSE(page.isNull());
    const int y = c.FirstTop + 20;
    QList<int> blue = PixelProbe::ColumnsIn(page, y, Qt::blue);
    ASSERT_FALSE(blue.isEmpty()) << c.Text;
    EXPECT_EQ(blue.first(), c.FirstLeft) << c.Text;
    int firstRight = c.FirstLeft;
    while (Is(page, firstRight + 1, y, Qt::blue)) ++firstRight;
    EXPECT_NEAR(firstRight - c.FirstLeft + 1, c.Width, 1) << c.Text;
    EXPECT_NEAR(blue.last() - c.SecondLeft + 1, c.Width, 1) << c.Text;
    EXPECT_TRUE(Is(page, c.SecondLeft, y, Qt::blue)) << c.Text;
    EXPECT_FALSE(Is(page, c.SecondLeft - 2, y, Qt::blue)) << c.Text;
    const QList<int> down = PixelProbe::RowsIn(page, c.FirstLeft + 10, Qt::blue);
    ASSERT_FALSE(down.isEmpty()) << c.Text;
    EXPECT_EQ(down.first(), c.FirstTop) << c.Text;
    EXPECT_NEAR(down.last() - down.first() + 1, 5 * c.Height, 5) << c.Text;
  }
}

TEST(PrintCorrection, WithoutCorrectionsTheSheetIsTheOnePrintedBefore) {
  Card card;
  MakeBlue(card);
  ImagePrintDevice device(kTenPerMm);
  ASSERT_TRUE(PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup).Ok());
  const QImage before = device.Page().copy();
  EXPECT_EQ(Print(card, TPrinterCalibration{}), before);
  EXPECT_EQ(Print(card, Calibration("0.0 -0.0 100.00 100.00")), before);
}

}  // namespace
