// TLabelEx: the character gap in measuring and drawing, the auto-size rule
// (gaps only between characters, height plus size div 5) and ampersands
// drawn as they are. Advances are measured here, never assumed.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "Canvas.h"
#include "Labelex.h"
#include "PixelProbe.h"
#include "WinControl.h"

namespace {

using namespace PixelProbe;

void UseFont(TLabelEx& label, int points) {
  TFont font;
  font.SetName(QStringLiteral("IPAGothic"));
  font.SetCharset(SHIFTJIS_CHARSET);
  font.SetSize(points);
  label.SetFont(&font);
}

int Advance(const TFont& font, const QString& text) {
  const QFontMetrics fm(font.ToQFont());
  int w = 0;
  for (QChar c : text) w += fm.horizontalAdvance(c);
  return w;
}
int LineHeight(const TFont& font) { return QFontMetrics(font.ToQFont()).height(); }

TEST(Label, AutoSizeCountsGapsBetweenCharactersAndAddsAFifthOfTheSize) {
  TLabelEx label(nullptr);
  EXPECT_EQ(label.Gap(), 0);
  EXPECT_FALSE(label.ShowAccelChar());
  EXPECT_TRUE(label.AutoSize());
  UseFont(label, 12);
  label.SetGap(3);
  label.SetCaption(QStringLiteral("ABCDE"));
  EXPECT_EQ(label.Width(), Advance(*label.Font(), QStringLiteral("ABCDE")) + 5 * 3 - 3);
  EXPECT_EQ(label.Height(), LineHeight(*label.Font()) + 12 / 5);

  // Japanese text and several lines: the widest line, one line height each.
  label.SetCaption(QStringLiteral("名刺\r\n株式会社"));
  EXPECT_EQ(label.Width(), Advance(*label.Font(), QStringLiteral("株式会社")) + 4 * 3 - 3);
  EXPECT_EQ(label.Height(), 2 * LineHeight(*label.Font()) + 2);

  // An empty caption measures as one space.
  label.SetCaption(QString());
  EXPECT_EQ(label.Width(), Advance(*label.Font(), QStringLiteral(" ")));
  EXPECT_EQ(label.Height(), LineHeight(*label.Font()) + 2);

  // The extra height is the point size div 5.
  label.SetGap(0);
  label.SetCaption(QStringLiteral("A"));
  for (const auto& [points, extra] : {std::pair{5, 1}, {9, 1}, {10, 2}, {14, 2}, {15, 3}, {72, 14}}) {
    UseFont(label, points);
    EXPECT_EQ(label.Height(), LineHeight(*label.Font()) + extra) << points;
    EXPECT_EQ(label.Width(), Advance(*label.Font(), QStringLiteral("A"))) << points;
  }
}

TEST(Label, AmpersandsAreOrdinaryCharactersUnlessAcceleratorsAreShown) {
  TLabelEx label(nullptr);
  UseFont(label, 12);
  label.SetGap(2);
  label.SetCaption(QStringLiteral("R&D"));
  EXPECT_EQ(label.Width(), Advance(*label.Font(), QStringLiteral("R&D")) + 3 * 2 - 2);
  label.SetShowAccelChar(true);
  label.SetAutoSize(false);
  label.SetAutoSize(true);
  EXPECT_EQ(label.Width(), Advance(*label.Font(), QStringLiteral("RD")) + 2 * 2 - 2);

  // Drawn: exactly what the canvas draws for the text with its ampersand.
  label.SetShowAccelChar(false);
  label.SetAutoSize(false);
  label.SetBounds(5, 6, 120, 40);
  label.SetTransparent(true);
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 140, 60);
  panel.SetColor(clWhite);
  label.SetParent(&panel);
  QImage drawn = Blank(140, 60);
  {
    QPainter painter(&drawn);
    panel.PaintTo(painter, 0, 0);
  }
  label.SetParent(nullptr);
  QImage expected = Blank(140, 60);
  {
    QPainter painter(&expected);
    painter.translate(5, 6);
    TCanvas canvas;
    canvas.BeginPaint(&painter);
    canvas.Font()->Assign(*label.Font());
    canvas.SetTextCharacterExtra(2);
    QRect r(0, 0, 120, 40);
    canvas.DrawText(QStringLiteral("R&D"), r, DT_NOPREFIX);
    canvas.EndPaint();
  }
  EXPECT_EQ(drawn, expected);
  EXPECT_NE(Extent(drawn), QRect());
}

TEST(Label, SetGapRepaintsAlwaysAndResizesOnlyOnTheNextAutoSizePass) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 300, 100);
  int repaints = 0;
  panel.OnInvalidate = [&](const QRect&) { ++repaints; };
  auto* label = new TLabelEx(&panel);
  label->SetParent(&panel);
  UseFont(*label, 12);
  label->SetCaption(QStringLiteral("名刺"));
  const int width = label->Width();

  repaints = 0;
  label->SetGap(0);  // unchanged, repaints all the same
  EXPECT_GT(repaints, 0);
  repaints = 0;
  label->SetGap(10);
  EXPECT_GT(repaints, 0);
  EXPECT_EQ(label->Width(), width);
  label->SetAutoSize(false);
  label->SetAutoSize(true);
  EXPECT_EQ(label->Width(), width + 10);

  // With AutoSize off the gap never changes the size.
  label->SetAutoSize(false);
  label->SetGap(20);
  label->SetCaption(QStringLiteral("名刺名刺"));
  EXPECT_EQ(label->Width(), width + 10);

  // Other setters compare first.
  repaints = 0;
  label->SetCaption(QStringLiteral("名刺名刺"));
  label->SetTransparent(false);
  label->SetAlignment(taLeftJustify);
  EXPECT_EQ(repaints, 0);
}

TEST(Label, DisabledTextIsEngravedAndOpaqueLabelsFillTheirBackground) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 120, 50);
  panel.SetColor(clWhite);
  auto* label = new TLabelEx(&panel);
  label->SetParent(&panel);
  UseFont(*label, 20);
  label->SetCaption(QStringLiteral("名刺"));
  label->SetColor(clYellow);
  QImage image = Blank(120, 50);
  {
    QPainter painter(&image);
    panel.PaintTo(painter, 0, 0);
  }
  EXPECT_TRUE(Is(image, label->Width() - 1, label->Height() - 1, Qt::yellow));

  label->SetEnabled(false);
  image = Blank(120, 50);
  {
    QPainter painter(&image);
    panel.PaintTo(painter, 0, 0);
  }
  // Shadow grey on top of the highlight white.
  EXPECT_TRUE(Colours(image).contains(QColor(128, 128, 128).rgb() & 0xFFFFFF));
  EXPECT_TRUE(Colours(image).contains(QColor(255, 255, 255).rgb() & 0xFFFFFF));
}

}  // namespace
