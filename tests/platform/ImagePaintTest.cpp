// How the picture control paints a picture shown at another size than its
// own: reduced from a cached copy, enlarged without a copy of the whole size.
#include <QPainter>
#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "Image.h"
#include "PixelProbe.h"
#include "Picture.h"
#include "WinControl.h"

namespace {

// A picture whose left half is red and right half blue.
std::unique_ptr<TGraphic> Halves(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::blue);
  QPainter(&img).fillRect(0, 0, w / 2, h, Qt::red);
  return TBitmap::FromImage(img);
}

QImage Paint(TPanel& panel) {
  QImage out(panel.Width(), panel.Height(), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  panel.PaintControl(p);
  return out;
}

}  // namespace

TEST(ImagePaint, APictureShownAtOtherSizesKeepsItsContentWhereverItIs) {
  // Sizes in turn, as a resize by the marks or the size dialog gives them:
  // smaller (several halvings, then fewer), larger than the picture, and one
  // side larger than the picture and the other smaller.
  const QSize sizes[] = {{100, 50}, {300, 150}, {90, 40}, {1600, 120}, {700, 900}, {20000, 20000}};
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 400, 300);
  auto* image = new TImage(&panel);
  image->SetParent(&panel);
  image->SetStretch(true);
  image->Picture()->SetGraphic(Halves(800, 400));
  for (const QSize& size : sizes) {
    // Centred on the panel, so that only a part of a large one shows.
    image->SetBounds(200 - size.width() / 2, 150 - size.height() / 2, size.width(), size.height());
    const QImage shot = Paint(panel);
    const std::string name = std::to_string(size.width()) + " x " + std::to_string(size.height());
    EXPECT_TRUE(PixelProbe::Is(shot, 200 - std::min(size.width() / 4, 190), 150, Qt::red)) << name;
    EXPECT_TRUE(PixelProbe::Is(shot, 200 + std::min(size.width() / 4, 190), 150, Qt::blue)) << name;
  }
}
