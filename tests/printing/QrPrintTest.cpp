// Printed QR codes are sharp: at 600 dpi every module is whole device pixels
// of pure black or white, its edges within a pixel of where they belong.
#include <gtest/gtest.h>

#include <cmath>

#include "ImagePrintDevice.h"
#include "PrintJob.h"
#include "PrintTestSupport.h"
#include "QrCode.h"

namespace {

using namespace printtest;

// 600 dpi on a 100 x 60 mm sheet, printable to its edges.
const TImageDeviceCaps k600Dpi{2362, 1417, 100, 60, 2362, 1417, 0, 0};

QRect DarkBox(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < page.width(); ++x)
      if (qGray(line[x]) < 128) box |= QRect(x, y, 1, 1);
  }
  return box;
}

TEST(QrPrint, At600DpiModulesArePureBlackOrWhiteWithEdgesOnWholePixels) {
  const struct {
    QString Content;
    TQrLevel Level;
    QRect Bounds;  // worksheet pixels
  } cases[] = {
      {QStringLiteral("https://example.jp/"), TQrLevel::M, QRect(40, 30, 100, 100)},
      {QString(300, QChar(u'7')), TQrLevel::H, QRect(13, 7, 151, 151)},
      {QStringLiteral("名刺"), TQrLevel::L, QRect(200, 101, 37, 37)},
  };
  for (const auto& c : cases) {
    Card card;
    card.Setup.Retu = card.Setup.Dann = 1;
    card.Setup.LeftMargin = card.Setup.TopMargin = 0.0f;
    card.Setup.PrintTonbo = 0;
    TImage* code = card.Add<TImage>();
    ASSERT_TRUE(MakeQrCode(*code, c.Content, c.Level).Ok());
    code->SetBounds(c.Bounds.left(), c.Bounds.top(), c.Bounds.width(), c.Bounds.height());

    ImagePrintDevice device(k600Dpi);
    ASSERT_TRUE(PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup).Ok());
    const QImage page = device.Page().convertToFormat(QImage::Format_RGB32);

    int grey = 0;
    for (int y = 0; y < page.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
      for (int x = 0; x < page.width(); ++x) grey += (line[x] & 0xFFFFFF) != 0 && (line[x] & 0xFFFFFF) != 0xFFFFFF;
    }
    EXPECT_EQ(grey, 0) << c.Bounds.width();

    // The dark modules run from module 4 to module 4 + n of the picture.
    const QImage symbol = code->Picture()->Graphic()->Image();
    const int n = symbol.width() - 2 * QrQuietZone;
    const QRect box = DarkBox(page);
    const double step = box.width() / double(n);
    EXPECT_NEAR(box.height(), box.width(), 1);
    EXPECT_GE(step, 2.0);
    int wrong = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
      const double fy = (y + 0.5 - box.top()) / step;
      const int my = std::min(n - 1, int(fy));
      if (std::min(fy - my, my + 1 - fy) * step < 1.0) continue;  // within a pixel of an edge
      for (int x = box.left(); x <= box.right(); ++x) {
        const double fx = (x + 0.5 - box.left()) / step;
        const int mx = std::min(n - 1, int(fx));
        if (std::min(fx - mx, mx + 1 - fx) * step < 1.0) continue;
        const bool dark = qGray(symbol.pixel(mx + QrQuietZone, my + QrQuietZone)) < 128;
        wrong += dark != (qGray(page.pixel(x, y)) < 128);
      }
    }
    EXPECT_EQ(wrong, 0) << c.Bounds.width() << " px wide, " << n << " modules";
  }
}

}  // namespace
