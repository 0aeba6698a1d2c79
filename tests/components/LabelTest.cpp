// TLabelEx: the character gap in measuring and drawing, the auto-size rule
// (gaps only between characters, height plus size div 5) and ampersands
// drawn as they are. Advances are measured here, never assumed.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QPicture>

#include <climits>
#include <string>

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

TEST(Label, HugeGapsAndFontsMeasureWithinTheCoordinateRange) {
  constexpr int Max = TCanvas::MaxCoord;
  const struct {
    const char* Caption;
    int Gap, FontHeight;
    int Width;  // -1: anything from 0 to the largest coordinate; -2: the text's own width
  } cases[] = {
      {"abc", 1 << 24, -16, -2},  // gaps far beyond any card, still exact
      {"abc", 1 << 30, -16, Max},
      {"abc", INT_MAX, -16, Max},
      {"abc", INT_MIN, -16, -1},
      {"abc", -(1 << 30), -16, -1},
      {"abc", 0, INT_MIN, -1},
      {"abc", 0, INT_MAX, -1},
      {"abc", INT_MAX, INT_MIN, Max},
  };
  for (const auto& c : cases) {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 100, 40);
    auto* label = new TLabelEx(&panel);
    label->SetParent(&panel);
    label->Font()->SetName(QStringLiteral("IPAGothic"));
    label->Font()->SetHeight(c.FontHeight);
    label->SetGap(c.Gap);
    label->SetCaption(QString::fromLatin1(c.Caption));
    const std::string what = std::to_string(c.Gap) + " " + std::to_string(c.FontHeight);
    const int width = c.Width == -2 ? Advance(*label->Font(), QStringLiteral("abc")) + 2 * c.Gap : c.Width;
    if (width >= 0) {
      EXPECT_EQ(label->Width(), width) << what;
    }
    EXPECT_TRUE(label->Width() >= 0 && label->Width() <= Max) << what << ": " << label->Width();
    EXPECT_TRUE(label->Height() >= 0 && label->Height() <= Max) << what << ": " << label->Height();
    QImage image = Blank(100, 40);
    QPainter painter(&image);
    panel.PaintTo(painter, 0, 0);
  }
}

// A label far wider than the worksheet: long text pasted from elsewhere.
struct LongLabel {
  explicit LongLabel(const QString& caption) : Panel(nullptr) {
    Panel.SetBounds(0, 0, 400, 60);
    Panel.SetColor(clWhite);
    Label = new TLabelEx(&Panel);
    Label->SetParent(&Panel);
    Label->SetTransparent(true);
    UseFont(*Label, 14);
    Label->Font()->SetStyle(FontStyleBit(fsItalic) | FontStyleBit(fsUnderline));  // glyphs reach past their advance
    Label->SetGap(1);
    Label->SetCaption(caption);
    Label->SetLeft(-3);
  }
  TPanel Panel;
  TLabelEx* Label;
};

TEST(Label, ARepaintDrawsOnlyTheGlyphsItShowsAndTheSamePixelsAsAWholePaint) {
  QString text;
  while (text.size() < 3000) text += QStringLiteral("名刺 Tessolo fjord WAVE 株式会社 ");
  LongLabel whole(text);
  QImage all = Blank(400, 60), strips = Blank(400, 60);
  {
    QPainter painter(&all);
    whole.Panel.PaintTo(painter, 0, 0);
  }
  // Repainted in narrow damaged strips, as a window repaints after a drag.
  for (int x = 0; x < 400; x += 23) {
    QPainter painter(&strips);
    painter.setClipRect(QRect(x, 0, 23, 60));
    whole.Panel.PaintTo(painter, 0, 0);
  }
  EXPECT_EQ(strips, all);

  // What a repaint draws is the same for a text of 40 characters as for one
  // of 200,000.
  auto recorded = [](const QString& caption) {
    LongLabel label(caption);
    QPicture commands;
    QPainter painter(&commands);
    painter.setClipRect(QRect(0, 0, 400, 60));
    label.Panel.PaintTo(painter, 0, 0);
    painter.end();
    return commands.size();
  };
  const uint shortText = recorded(text.left(40)), longText = recorded(text.repeated(70).left(200000));
  EXPECT_LT(longText, 2 * shortText) << shortText;
}

}  // namespace
