// Whole print jobs on image devices of chosen quantities: every cell painted
// where the page setup puts it, crop marks one device pixel wide and only
// around the block, pictures stretched, labels printed in full, the worksheet
// untouched, and failures that print nothing.
#include <QPicture>
#include <QSet>
#include <gtest/gtest.h>

#include "ImagePrintDevice.h"
#include "PixelProbe.h"
#include "PrintJob.h"
#include "PrintTestSupport.h"
#include "StringTable.h"

namespace {

using namespace printtest;
using PixelProbe::Is;

// 10 device pixels per millimetre; the printable area starts 5 mm across and
// 6 mm down the sheet. A worksheet pixel becomes 2 device pixels.
const TImageDeviceCaps kTenPerMm{2000, 2900, 200, 290, 2100, 2970, 50, 60};
// On that sheet, the top-left corner of the card in column i, row j (margins
// 14 and 11 mm, 91 x 55 mm cards side by side).
QPoint CellCorner(int i, int j) { return {140 + 910 * i, 110 + 550 * j}; }

int CountColour(const QImage& image, QColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += Is(image, x, y, colour);
  return n;
}

QImage Print(Card& card, const TImageDeviceCaps& caps, QString* error = nullptr) {
  ImagePrintDevice device(caps);
  const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
  EXPECT_TRUE(printed.Ok()) << printed.Reason().toStdString();
  if (error) *error = printed.Reason();
  return device.Page();
}

TEST(PrintJob, EveryCellIsPaintedAndCropMarksLieOnlyOutsideTheBlock) {
  const struct {
    int Columns, Rows;
    bool Marks;
    int TickPixels;  // distinct 2 mm ticks times 20 pixels
  } cases[] = {
      {2, 5, true, (3 + 3 + 6 + 6) * 20},  // neighbouring cards share their edge ticks
      {1, 1, true, 8 * 20},
      {2, 5, false, 0},
  };
  for (const auto& c : cases) {
    Card card;
    card.Setup.Retu = c.Columns;
    card.Setup.Dann = c.Rows;
    card.Setup.PrintTonbo = c.Marks;
    card.SetBackground(Solid(455, 275, Qt::blue));
    card.AddShape(qustRectangle, QRect(100, 50, 100, 100), clRed);
    const QImage page = Print(card, kTenPerMm);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(CountColour(page, Qt::black), c.TickPixels) << c.Columns << "x" << c.Rows;
    for (int i = 0; i < c.Columns; ++i)
      for (int j = 0; j < c.Rows; ++j) {
        const QPoint o = CellCorner(i, j);
        EXPECT_TRUE(Is(page, o.x(), o.y(), Qt::blue)) << i << "," << j;
        EXPECT_TRUE(Is(page, o.x() + 909, o.y() + 549, Qt::blue)) << i << "," << j;
        EXPECT_TRUE(Is(page, o.x() + 300, o.y() + 200, Qt::red)) << i << "," << j;
        EXPECT_TRUE(Is(page, o.x() + 197, o.y() + 200, Qt::blue)) << i << "," << j;
      }
    const QPoint last = CellCorner(c.Columns - 1, c.Rows - 1);
    EXPECT_TRUE(Is(page, 139, 300, Qt::white));
    EXPECT_TRUE(Is(page, last.x() + 910, last.y() + 300, Qt::white));
    EXPECT_TRUE(Is(page, 300, last.y() + 550, Qt::white));
    if (!c.Marks) continue;
    // The top-left ticks: 2 mm long, 2 mm off the card, in line with its edges.
    QList<int> above, beside;
    for (int y = 0; y < 110; ++y)
      if (Is(page, 140, y, Qt::black)) above << y;
    for (int x = 0; x < 140; ++x)
      if (Is(page, x, 110, Qt::black)) beside << x;
    EXPECT_EQ(above.size(), 20);
    EXPECT_EQ(above.value(0), 70);
    EXPECT_EQ(above.value(19), 89);
    EXPECT_EQ(beside.value(0), 100);
    EXPECT_EQ(beside.value(19), 119);
  }
}

TEST(PrintJob, OnA4724PixelPrinterCardsScaleTo472PercentAndTheOverflowMovesOnlyTheImage) {
  // 23.62 pixels per millimetre; the sheet is the printable area.
  const TImageDeviceCaps caps{4724, 2008, 200, 85, 4724, 2008, 0, 0};
  const struct {
    int Overflow;
    int LineLeft, LineWidth;
  } cases[] = {
      {0, 331 + 47, 472},       // the card at 14 mm; a line 100 worksheet pixels long at x = 10
      {3, 331 - 36 + 49, 488},  // moved 1.5 mm left, scaled by 488 %
  };
  for (const auto& c : cases) {
    Card card;
    card.Setup.Retu = 1;
    card.Setup.Dann = 1;
    card.Setup.OverflowAdjust = c.Overflow;
    card.AddShape(qustLinea, QRect(10, 100, 100, 0), clGreen, 0);
    const QImage page = Print(card, caps);
    ASSERT_FALSE(page.isNull());
    QList<int> green;
    for (int y = 0; y < page.height() && green.isEmpty(); ++y) green = PixelProbe::ColumnsIn(page, y, Qt::darkGreen);
    ASSERT_FALSE(green.isEmpty());
    EXPECT_EQ(green.first(), c.LineLeft) << c.Overflow;
    EXPECT_EQ(green.size(), c.LineWidth) << c.Overflow;
    // The ticks mark the card, not the enlarged image: 47 pixels at x = 331.
    QList<int> tick;
    for (int y = 0; y < 260; ++y)
      if (Is(page, 331, y, Qt::black)) tick << y;
    EXPECT_EQ(tick.size(), 47) << c.Overflow;
    EXPECT_EQ(tick.value(46), 260 - 47 - 1) << c.Overflow;
  }
}

TEST(PrintJob, OnA600By300DpiPrinterRowsAndTicksDownFollowTheVerticalScaleAndCardsTheHorizontal) {
  // t = 4724 / 200 = 23.62 and v = 3425 / 290 = 11.81 pixels per millimetre.
  const TImageDeviceCaps caps{4724, 3425, 200, 290, 4724, 3425, 0, 0};
  Card card;
  card.Setup.Retu = 1;
  card.Setup.Dann = 2;
  card.SetBackground(Solid(455, 275, Qt::blue));
  const QImage page = Print(card, caps);
  ASSERT_FALSE(page.isNull());
  // Rows at trunc(11.81 x 11 + 0.5) = 130 and trunc(11.81 x 66 + 0.5) = 779; the
  // card image 472 % of 455 x 275 worksheet pixels: 2148 x 1298 both ways.
  QRect blue;
  for (int y = 0; y < page.height(); y += 1)
    for (int x : {331 - 1, 331, 331 + 2147, 331 + 2148})
      if (Is(page, x, y, Qt::blue)) blue |= QRect(x, y, 1, 1);
  EXPECT_EQ(blue, QRect(QPoint(331, 130), QPoint(331 + 2147, 779 + 1297)));
  auto runs = [&](bool down, int at, int length) {
    QList<QPair<int, int>> found;
    for (int k = 0; k < length; ++k) {
      if (!(down ? Is(page, at, k, Qt::black) : Is(page, k, at, Qt::black))) continue;
      if (!found.isEmpty() && found.back().second == k - 1) found.back().second = k;
      else found.append({k, k});
    }
    return found;
  };
  using Runs = QList<QPair<int, int>>;
  // Ticks down are trunc(2 x 11.81) = 23 long, across trunc(2 x 23.62) = 47.
  // The bottom edge they mark is 55 mm at the horizontal scale below the
  // row's top: trunc(779 + 55 x 23.62) = 2078.
  EXPECT_EQ(runs(true, 331, page.height()), Runs({{130 - 46, 130 - 24}, {2078 + 23, 2078 + 45}}));
  EXPECT_EQ(runs(false, 130, page.width()), Runs({{331 - 94, 331 - 48}, {2480 + 47, 2480 + 93}}));
  EXPECT_EQ(runs(false, 2078, page.width()), Runs({{331 - 94, 331 - 48}, {2480 + 47, 2480 + 93}}));
}

TEST(PrintJob, PicturesAreStretchedToTheirScaledBoundsAndTheBackgroundCoversTheCard) {
  Card card;
  card.Setup.Retu = 1;
  card.Setup.Dann = 1;
  card.Setup.PrintTonbo = false;
  card.SetBackground(Solid(40, 20, Qt::blue));  // small: stretched over the card
  card.AddPicture(Solid(4, 4, Qt::green), QRect(50, 40, 100, 60), false);
  const QImage page = Print(card, kTenPerMm);
  ASSERT_FALSE(page.isNull());
  const QPoint o = CellCorner(0, 0);
  EXPECT_EQ(PixelProbe::Extent(page), QRect(o, QSize(910, 550)));
  QImage cell = page.copy(QRect(o, QSize(910, 550)));
  EXPECT_EQ(PixelProbe::Extent(cell, Qt::blue), QRect(100, 80, 200, 120));
  EXPECT_TRUE(Is(cell, 100, 80, Qt::green));
  EXPECT_TRUE(Is(cell, 299, 199, Qt::green));
}

TEST(PrintJob, ALabelNarrowerThanItsTextIsPrintedInFull) {
  const QString text = QStringLiteral("名刺印刷 Tessolo");
  auto inkOf = [&](bool narrowed) {
    Card card;
    card.Setup.Retu = 1;
    card.Setup.Dann = 1;
    card.Setup.PrintTonbo = false;
    TLabelEx* label = card.AddLabel(text, QPoint(20, 30));
    if (narrowed) {
      label->SetAutoSize(false);
      label->SetWidth(40);
    }
    return PixelProbe::Extent(Print(card, kTenPerMm));
  };
  const QRect full = inkOf(false), narrowed = inkOf(true);
  EXPECT_GT(full.width(), 2 * 40);  // wider than the narrowed box, scaled
  EXPECT_EQ(narrowed, full);
}

TEST(PrintJob, TheWorksheetIsTheSameAfterPrintingAndAfterAFailedJob) {
  Card card;
  card.SetBackground(Solid(45, 27, Qt::yellow));
  card.AddShape(qustRoundRect, QRect(5, 5, 200, 100), clRed, 3)->Brush()->SetStyle(bsClear);
  TLabelEx* label = card.AddLabel(QStringLiteral("山田 太郎"), QPoint(30, 150));
  label->SetGap(2);
  label->SetAutoSize(false);
  label->SetWidth(10);
  card.AddPicture(Solid(8, 8, Qt::cyan), QRect(300, 20, 80, 80), false);
  const std::vector<QByteArray> before = card.Streams();
  const std::vector<TControl*> objects = card.Sheet.ObjectList;

  Print(card, kTenPerMm);
  EXPECT_EQ(card.Streams(), before);
  ImagePrintDevice failing(kTenPerMm);
  failing.FailEndDoc(QStringLiteral("x"));
  EXPECT_EQ(PrintCardSheet(failing, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup).Kind(),
            TOutcome::TKind::Failed);
  EXPECT_EQ(card.Streams(), before);
  EXPECT_EQ(card.Sheet.ObjectList, objects);
}

// A device that keeps every painting command, clipped away or not.
class RecordingDevice : public IPrintDevice {
 public:
  explicit RecordingDevice(const TImageDeviceCaps& caps) : FImage(caps) {}
  int GetDeviceCaps(TDeviceCap index) const override { return FImage.GetDeviceCaps(index); }
  TOutcome BeginDoc() override {
    FPainter.begin(&Commands);
    FPainter.setClipRect(QRect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)));
    return {};
  }
  bool Printing() const override { return FPainter.isActive(); }
  QPainter& Canvas() override { return FPainter; }
  TOutcome EndDoc() override { return FPainter.end() ? TOutcome() : TOutcome::Failed(QStringLiteral("end")); }
  void Abort() override { FPainter.end(); }
  QPicture Commands;

 private:
  ImagePrintDevice FImage;
  QPainter FPainter;
};

TEST(PrintJob, CellsOffThePrintableAreaAreNotPaintedAtAll) {
  // 3 x 6 cells meet the printable area of the ten-per-millimetre device.
  const struct {
    int Columns, Rows;
  } cases[] = {{3, 6}, {4, 7}, {50, 50}, {999, 999}};
  QByteArray visibleOnly;
  for (const auto& c : cases) {
    Card card;
    card.Setup.Retu = c.Columns;
    card.Setup.Dann = c.Rows;
    card.Setup.PrintTonbo = false;
    card.AddShape(qustEllipse, QRect(10, 10, 300, 200), clRed);
    card.AddLabel(QStringLiteral("名刺"), QPoint(20, 220));
    RecordingDevice device(kTenPerMm);
    ASSERT_TRUE(PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup).Ok());
    const QByteArray commands(device.Commands.data(), qsizetype(device.Commands.size()));
    if (visibleOnly.isEmpty()) visibleOnly = commands;
    EXPECT_EQ(commands.size(), visibleOnly.size()) << c.Columns << "x" << c.Rows;
  }
}

TEST(PrintJob, FailuresPrintNothingAndSayWhyInJapanese) {
  const QString gone = QStringLiteral("プリンタが見つかりません。");
  const struct {
    const char* Name;
    std::function<void(ImagePrintDevice&)> Break;
    TImageDeviceCaps Caps;
    TOutcome::TKind Kind;
    QString Expected;
  } cases[] = {
      {"cannot start", [&](ImagePrintDevice& d) { d.FailBeginDoc(gone); }, kTenPerMm, TOutcome::TKind::Refused,
       LoadStr(1300).arg(gone)},
      {"fails at the end", [&](ImagePrintDevice& d) { d.FailEndDoc(gone); }, kTenPerMm, TOutcome::TKind::Failed,
       LoadStr(1301).arg(gone)},
      {"reports no size", [](ImagePrintDevice&) {}, {2000, 2900, 0, 0, 2100, 2970, 0, 0}, TOutcome::TKind::Refused,
       LoadStr(1300).arg(LoadStr(1302))},
  };
  for (const auto& c : cases) {
    Card card;
    card.AddShape(qustEllipse, QRect(10, 10, 50, 50), clRed);
    ImagePrintDevice device(c.Caps);
    c.Break(device);
    const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
    EXPECT_EQ(printed.Kind(), c.Kind) << c.Name;
    EXPECT_EQ(printed.Reason(), c.Expected) << c.Name;
    EXPECT_EQ(device.PagesPrinted(), 0) << c.Name;
    EXPECT_FALSE(device.Printing()) << c.Name;
  }
}

}  // namespace
