// The worksheet painted through a zooming painter, as the view shows it at
// other zooms than 100 %: drawn at the zoomed resolution from the objects
// themselves, never as enlarged pixels, with the grid and the marks kept thin
// and small on screen.
#include <QPainter>
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "Bitmap.h"
#include "Gridshape.h"
#include "Image.h"
#include "Picture.h"
#include "PixelProbe.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

QImage Paint(TPanel& panel, double zoom) {
  QImage out(int(panel.Width() * zoom + 0.5), int(panel.Height() * zoom + 0.5), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  p.scale(zoom, zoom);
  panel.PaintControl(p);
  return out;
}

std::unique_ptr<TPanel> Sheet() {
  auto panel = std::make_unique<TPanel>(nullptr);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetColor(clWhite);
  return panel;
}

TQuShape* Line(TPanel& panel, TPenMode mode) {
  auto* line = new TQuShape(&panel);
  line->SetParent(&panel);
  line->SetShape(qustLinea);
  line->SetLeft(10);
  line->SetTop(10);
  line->SetWidth(40);
  line->SetHeight(20);
  line->Pen()->SetMode(mode);
  return line;
}

}  // namespace

TEST(ZoomPaint, ASlantingLineIsDrawnAtTheZoomAndItsInvertingPenPaintsEachPixelOnce) {
  for (double zoom : {1.5, 2.0, 4.0}) {
    SCOPED_TRACE(zoom);
    auto copyPanel = Sheet();
    Line(*copyPanel, pmCopy);
    const QImage copied = Paint(*copyPanel, zoom);
    // Where each row of the line starts: enlarged steps of a one-pixel line
    // would repeat every start zoom times; a line drawn at the zoom moves on
    // (two device pixels a row for this slope).
    std::set<int> starts;
    int rows = 0;
    for (int y = 0; y < copied.height(); ++y) {
      const QList<int> xs = PixelProbe::ColumnsIn(copied, y, Qt::black);
      if (xs.isEmpty()) continue;
      ++rows;
      starts.insert(xs.front());
    }
    ASSERT_GT(rows, 0);
    EXPECT_GT(int(starts.size()), rows * 3 / 4);

    // The rubber band's inverting pen turns white into black exactly where a
    // black pen paints: a pixel painted twice would be white again.
    auto notPanel = Sheet();
    Line(*notPanel, pmNot);
    EXPECT_EQ(Paint(*notPanel, zoom), copied);
  }
}

TEST(ZoomPaint, TheGridStaysOneDevicePixelWideAndMarksKeepTheirSizeOnScreen) {
  for (double zoom : {0.5, 1.0, 2.0, 4.0}) {
    SCOPED_TRACE(zoom);
    auto panel = Sheet();
    auto* grid = new TGridShape(panel.get());
    grid->SetParent(panel.get());
    grid->SetBounds(0, 0, 100, 60);
    grid->Brush()->SetStyle(bsClear);
    grid->Pen()->SetColor(clSilver);
    grid->SetGridWidth(10);
    auto* mark = new TQuShape(panel.get());
    mark->SetKeepsScreenSize(true);
    mark->SetParent(panel.get());
    mark->SetLeft(42);
    mark->SetTop(23);
    mark->SetWidth(6);
    mark->SetHeight(6);
    mark->Brush()->SetColor(clWhite);
    const QImage shown = Paint(*panel, zoom);

    // A row between horizontal lines crosses each vertical line once, one
    // pixel wide.
    const int y = int(5 * zoom);
    const QList<int> xs = PixelProbe::ColumnsIn(shown, y, Qt::lightGray);
    ASSERT_EQ(xs.size(), 10);
    for (qsizetype i = 1; i < xs.size(); ++i) EXPECT_GT(xs[i] - xs[i - 1], 1);

    // The mark: its 7 x 7 black outline whatever the zoom, centred where it
    // stands.
    QImage black = shown;
    for (int py = 0; py < black.height(); ++py)
      for (int px = 0; px < black.width(); ++px)
        if (!PixelProbe::Is(black, px, py, Qt::black)) black.setPixel(px, py, qRgb(255, 255, 255));
    const QRect extent = PixelProbe::Extent(black);
    EXPECT_EQ(extent.size(), QSize(7, 7));
    EXPECT_NEAR(extent.center().x(), 45.5 * zoom, 1.0);
    EXPECT_NEAR(extent.center().y(), 26.5 * zoom, 1.0);
  }
}

TEST(ZoomPaint, APictureShownZoomedComesFromItsFullSizeData) {
  // One-pixel stripes, four times finer than the picture is shown: at 100 %
  // they blur into grey, at 400 % every stripe is there.
  QImage stripes(200, 120, QImage::Format_RGB32);
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 120; ++y) stripes.setPixel(x, y, x % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 0));
  auto panel = Sheet();
  auto* image = new TImage(panel.get());
  image->SetParent(panel.get());
  image->SetBounds(10, 20, 50, 30);
  image->SetStretch(true);
  image->Picture()->SetGraphic(TBitmap::FromImage(stripes));

  const QImage at400 = Paint(*panel, 4.0);
  EXPECT_EQ(at400.copy(40, 80, 200, 120), stripes);
  const QImage at100 = Paint(*panel, 1.0);
  const QRgb grey = PixelProbe::At(at100, 30, 30);
  EXPECT_NE(grey, 0x000000u);
  EXPECT_NE(grey, 0xFFFF00u);
}
