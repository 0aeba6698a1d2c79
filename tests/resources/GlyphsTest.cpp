// The drawn button pictures and cursors: each one exists, has something on it
// and keeps its size.
#include <QImage>
#include <gtest/gtest.h>

#include "CursorImages.h"
#include "Cursors.h"
#include "Glyphs.h"

namespace {

// Pixels that are not fully transparent.
int InkedPixels(const QPixmap& pm) {
  const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) > 0;
  return n;
}

}  // namespace

TEST(GlyphsTest, EveryGlyphIsDrawnAndFitsItsButton) {
  for (int k = int(GlyphKind::Text); k <= int(GlyphKind::CardIcon); ++k) {
    const QPixmap pm = GlyphPixmap(GlyphKind(k));
    EXPECT_LE(pm.width(), 32) << k;
    EXPECT_LE(pm.height(), 32) << k;
    EXPECT_GT(InkedPixels(pm), 10) << k;
  }
  EXPECT_EQ(GlyphPixmap(GlyphKind::Pointer).size(), QSize(20, 20));
  // Line samples fit a 59 x 11 button and grow with the width.
  int previous = 0;
  for (int w = 1; w <= 6; ++w) {
    const QPixmap pm = LineWidthGlyph(w);
    EXPECT_LE(pm.height(), 9);
    const int inked = InkedPixels(pm);
    EXPECT_GT(inked, previous) << w;
    previous = inked;
  }
  EXPECT_LT(InkedPixels(LineStyleGlyph(true)), InkedPixels(LineStyleGlyph(false)));
}

TEST(GlyphsTest, CustomCursorsAreRegisteredByNumber) {
  for (const char* name : {"SHAPECURSOR", "IMAGECURSOR", "TEXTCURSOR"}) {
    const std::optional<QCursor> c = LoadCursor(QLatin1String(name));
    ASSERT_TRUE(c.has_value()) << name;
    EXPECT_EQ(c->shape(), Qt::BitmapCursor) << name;
    EXPECT_GT(InkedPixels(c->pixmap()), 20) << name;
  }
  EXPECT_FALSE(LoadCursor(QStringLiteral("NOSUCHCURSOR")).has_value());
  RegisterCustomCursors();
  for (TCursor id : {1, 2, 3}) EXPECT_EQ(Cursors::ToQCursor(id).shape(), Qt::BitmapCursor) << id;
  EXPECT_EQ(Cursors::ToQCursor(4).shape(), Qt::ArrowCursor);
}
