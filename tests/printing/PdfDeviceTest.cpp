// PDF output through QPrinter: the whole sheet printable from its corner, one
// embedded copy of a picture however many cells show it, and no file (or the
// earlier file unchanged) when a job cannot be written.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "JpegImage.h"
#include "PdfPrintDevice.h"
#include "PrintJob.h"
#include "PrintTestSupport.h"
#include "QPrinterDevice.h"
#include "StringTable.h"

namespace {

using namespace printtest;

// A photograph-like JPEG (noise compresses badly, as photos do).
QByteArray NoisyJpeg(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 255 / w, random.bounded(256), y * 255 / h));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 90);
  return bytes;
}

TEST(PdfDevice, TheWholeSheetIsPrintableFromItsCorner) {
  QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
  const struct {
    double W, H;
    int Dpi, Mm, Px;
  } papers[] = {{210, 297, 600, 210, 4961}, {297, 210, 300, 297, 3508}, {100, 150, 72, 100, 283}};
  for (const auto& p : papers) {
    QPrinterDevice::SetUpPdf(printer, QStringLiteral("x.pdf"), p.W, p.H, p.Dpi);
    const QPrinterDevice device(printer);
    EXPECT_EQ(device.GetDeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_EQ(device.GetDeviceCaps(PHYSICALOFFSETY), 0);
    EXPECT_EQ(device.GetDeviceCaps(HORZSIZE), p.Mm);
    EXPECT_NEAR(device.GetDeviceCaps(HORZRES), p.Px, p.Px / 500);  // Qt rounds pages to whole points
    EXPECT_EQ(device.GetDeviceCaps(HORZRES), device.GetDeviceCaps(PHYSICALWIDTH));
    EXPECT_EQ(device.GetDeviceCaps(VERTRES), device.GetDeviceCaps(PHYSICALHEIGHT));
    EXPECT_EQ(device.GetDeviceCaps(VERTRES) > device.GetDeviceCaps(HORZRES), p.H > p.W);
  }
}

// The headless commands print on PdfPrintDevice, the print dialog's PDF on a
// QPrinter: the same paper must give the same device and the same document.
TEST(PdfDevice, APdfQPrinterAndTheHeadlessDeviceMakeTheSameDocument) {
  QTemporaryDir dir;
  Card card;
  card.Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(NoisyJpeg(120, 80)));
  card.Sheet.BGImage->Show();
  card.AddShape(qustEllipse, QRect(5, 5, 60, 40), clBlue);
  auto withoutDate = [](const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray kept;
    for (const QByteArray& line : f.readAll().split('\n'))
      if (!line.contains("/CreationDate")) kept += line + '\n';
    return kept;
  };
  const struct {
    double W, H;
    int Dpi;
  } papers[] = {{210, 297, 600}, {257, 182, 300}, {91, 55, 72}};
  for (const auto& p : papers) {
    SCOPED_TRACE(testing::Message() << p.W << "x" << p.H << " " << p.Dpi);
    const QString viaPrinter = dir.filePath(QStringLiteral("printer.pdf"));
    const QString viaWriter = dir.filePath(QStringLiteral("writer.pdf"));
    QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
    QPrinterDevice::SetUpPdf(printer, viaPrinter, p.W, p.H, p.Dpi);
    printer.setDocName(QStringLiteral("card"));
    QPrinterDevice printerDevice(printer);
    PdfPrintDevice writerDevice(viaWriter, PdfPrintDevice::SheetLayout(p.W, p.H), p.Dpi, QStringLiteral("card"));
    for (const TDeviceCap cap : {HORZSIZE, VERTSIZE, HORZRES, VERTRES, PHYSICALWIDTH, PHYSICALHEIGHT,
                                 PHYSICALOFFSETX, PHYSICALOFFSETY})
      EXPECT_EQ(printerDevice.GetDeviceCaps(cap), writerDevice.GetDeviceCaps(cap)) << int(cap);
    ASSERT_TRUE(PrintCardSheet(printerDevice, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup).Ok());
    ASSERT_TRUE(PrintCardSheet(writerDevice, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup).Ok());
    EXPECT_EQ(withoutDate(viaPrinter), withoutDate(viaWriter));
  }
}

TEST(PdfDevice, APictureInTenCellsIsDecodedAndEmbeddedOnce) {
  QTemporaryDir dir;
  Card card;
  card.Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(NoisyJpeg(1200, 800)));
  card.Sheet.BGImage->Show();
  auto sizeFor = [&](int columns, int rows) {
    card.Setup.Retu = columns;
    card.Setup.Dann = rows;
    const QString path = dir.filePath(QStringLiteral("%1x%2.pdf").arg(columns).arg(rows));
    QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
    QPrinterDevice::SetUpPdf(printer, path, 210, 297, 600);
    QPrinterDevice device(printer);
    const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
    EXPECT_TRUE(printed.Ok()) << printed.Reason().toStdString();
    return QFileInfo(path).size();
  };
  const qint64 one = sizeFor(1, 1), ten = sizeFor(2, 5);
  EXPECT_GT(one, 50'000);  // the picture is in it
  EXPECT_LT(ten, one + 10'000);
}

TEST(PdfDevice, AJobThatCannotBeWrittenLeavesNoFileAndTheEarlierFileAsItWas) {
  QTemporaryDir dir;
  const QString existing = dir.filePath(QStringLiteral("old.pdf"));
  {
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("earlier");
  }
  Card card;
  card.AddShape(qustRectangle, QRect(1, 1, 10, 10), clRed);
  const QString missingFolder = dir.filePath(QStringLiteral("no/such/card.pdf"));
  const struct {
    QString Path;
    bool AbortMidJob;
    QString Expected;
  } cases[] = {
      {missingFolder, false, LoadStr(1300)},
      {existing, true, QString()},
  };
  for (const auto& c : cases) {
    QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
    QPrinterDevice::SetUpPdf(printer, c.Path, 210, 297, 300);
    QPrinterDevice device(printer);
    if (c.AbortMidJob) {
      ASSERT_TRUE(device.BeginDoc().Ok());
      device.Canvas().fillRect(0, 0, 100, 100, Qt::black);
      device.Abort();
    } else {
      const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
      EXPECT_EQ(printed.Kind(), TOutcome::TKind::Refused);
      const QString& error = printed.Reason();
      EXPECT_TRUE(error.startsWith(c.Expected.section(QStringLiteral("%1"), 0, 0))) << error.toStdString();
      EXPECT_TRUE(error.contains(c.Path)) << error.toStdString();
    }
  }
  EXPECT_FALSE(QFile::exists(missingFolder));
  QFile f(existing);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "earlier");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
}

}  // namespace
