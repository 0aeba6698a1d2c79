// Pens, brushes, fonts and colours: defaults the streams rely on, the font
// height and point size relation at 96 pixels per inch, MulDiv rounding,
// change notifications and Assign.
#include <gtest/gtest.h>

#include "Color.h"
#include "GraphicsObjects.h"

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(1, -1, 2), -1);
  EXPECT_EQ(MulDiv(1, 1, -2), -1);
  EXPECT_EQ(MulDiv(-1, -1, -2), -1);
  EXPECT_EQ(MulDiv(5, 7, 0), -1);
  // The product is taken wide, as the platform does.
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);
  EXPECT_EQ(MulDiv(2147483647, 2, 2), 2147483647);
  EXPECT_EQ(MulDiv(2147483647, 2, 1), -1);  // overflow
  EXPECT_EQ(MulDiv(-2147483647 - 1, 1, -1), -1);
}

TEST(Font, HeightAndPointSizeAgreeAt96PixelsPerInch) {
  const std::pair<int, int> table[] = {{6, -8},   {7, -9},   {8, -11},  {9, -12},  {10, -13},
                                       {11, -15}, {12, -16}, {14, -19}, {16, -21}, {18, -24},
                                       {20, -27}, {24, -32}, {36, -48}, {72, -96}};
  TFont font;
  for (const auto& [size, height] : table) {
    font.SetSize(size);
    EXPECT_EQ(font.Height(), height) << size << " pt";
    EXPECT_EQ(font.Size(), size) << height << " px";
  }
  font.SetHeight(-11);
  EXPECT_EQ(font.Size(), 8);
  font.SetHeight(-10);  // 7.5 points: half rounds up
  EXPECT_EQ(font.Size(), 8);
  font.SetHeight(16);  // a positive height is the cell height, still converted
  EXPECT_EQ(font.Size(), -12);
}

TEST(GraphicsObjects, DefaultsAreThoseTheStreamsLeaveOut) {
  const TPen pen;
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Mode(), pmCopy);
  EXPECT_EQ(pen.Style(), psSolid);
  EXPECT_EQ(pen.Width(), 1);
  const TBrush brush;
  EXPECT_EQ(brush.Color(), clWhite);
  EXPECT_EQ(brush.Style(), bsSolid);
  const TFont font;
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Name(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(font.Style(), 0);
  EXPECT_EQ(font.Pitch(), fpDefault);
}

TEST(GraphicsObjects, OnChangeFiresOncePerRealChangeAndOnAssign) {
  int changes = 0;
  TPen pen;
  pen.OnChange = [&](TGraphicsObject* sender) {
    EXPECT_EQ(sender, &pen);
    ++changes;
  };
  pen.SetColor(clBlack);
  pen.SetWidth(1);
  pen.SetMode(pmCopy);
  pen.SetStyle(psSolid);
  EXPECT_EQ(changes, 0);
  pen.SetColor(clRed);
  pen.SetWidth(4);
  pen.SetMode(pmNot);
  pen.SetStyle(psDot);
  EXPECT_EQ(changes, 4);
  pen.SetWidth(-3);  // no negative widths
  EXPECT_EQ(pen.Width(), 0);

  TPen other;
  other.SetColor(clBlue);
  other.SetWidth(7);
  changes = 0;
  pen.Assign(other);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(pen == other);

  TBrush brush, from;
  int brushChanges = 0;
  brush.OnChange = [&](TGraphicsObject*) { ++brushChanges; };
  from.SetColor(clLime);
  from.SetStyle(bsClear);
  brush.Assign(from);
  EXPECT_EQ(brushChanges, 1);
  EXPECT_TRUE(brush == from);
  brush.Assign(pen);  // another class: nothing happens
  EXPECT_EQ(brushChanges, 1);
  EXPECT_EQ(brush.Color(), clLime);

  TFont font, source;
  int fontChanges = 0;
  font.OnChange = [&](TGraphicsObject*) { ++fontChanges; };
  source.SetName(QStringLiteral("ＭＳ 明朝"));
  source.SetSize(12);
  source.SetCharset(SHIFTJIS_CHARSET);
  source.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  source.SetColor(clNavy);
  font.Assign(source);
  EXPECT_EQ(fontChanges, 1);
  EXPECT_TRUE(font == source);
  font.SetName(QStringLiteral("ＭＳ 明朝"));
  font.SetStyle(source.Style());
  font.SetName(QString());  // a font always has a name; streams leave an empty one out
  EXPECT_EQ(font.Name(), QStringLiteral("ＭＳ 明朝"));
  EXPECT_EQ(fontChanges, 1);
  font.SetCharset(SHIFTJIS_CHARSET + 256);  // a byte, as the platform holds it
  EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
  EXPECT_EQ(fontChanges, 1);

  const QFont q = font.ToQFont();
  EXPECT_EQ(q.pixelSize(), 16);
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.italic());
  EXPECT_FALSE(q.underline());
}

TEST(Colors, SystemColoursResolveToFixedClassicValues) {
  EXPECT_EQ(Colors::ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(Colors::ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(Colors::ColorToRGB(clBtnFace), clSilver);
  EXPECT_EQ(Colors::ColorToRGB(clBtnShadow), clGray);
  EXPECT_EQ(Colors::ColorToRGB(clBtnHighlight), clWhite);
  EXPECT_EQ(Colors::ColorToRGB(TColor(0x800000FF)), clBlack);  // no such system colour
  EXPECT_EQ(Colors::ColorToRGB(0x123456), 0x123456);
  EXPECT_EQ(Colors::ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(Colors::ToQColor(0x332211), QColor(0x11, 0x22, 0x33));  // 0x00BBGGRR
  EXPECT_EQ(Colors::FromQColor(QColor(0x11, 0x22, 0x33)), 0x332211);
  EXPECT_TRUE(Colors::IsSystemColor(clBtnFace));
  EXPECT_FALSE(Colors::IsSystemColor(clWhite));
}

}  // namespace
