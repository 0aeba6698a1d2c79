// The composed card: copies in list order by class name, pictures
// stretched, labels fitted and widened, and the copies' own values scaled.
#include <gtest/gtest.h>

#include "CardComposition.h"
#include "Gridshape.h"
#include "PrintTestSupport.h"

namespace {

using namespace printtest;

TEST(CardComposition, CopiesCardObjectsInListOrderAndSkipsOtherClasses) {
  Card card;
  card.AddShape(qustCircle, QRect(1, 2, 30, 30), clRed);
  card.Sheet.ObjectList.push_back(card.Sheet.GridShape);  // not a card object
  card.AddLabel(QStringLiteral("文字"), QPoint(5, 6));
  card.AddPicture(Solid(2, 2, Qt::black), QRect(7, 8, 9, 10), false)->SetAutoSize(true);
  const TCardComposition c = ComposeCard(card.Sheet.BGImage, card.Sheet.ObjectList, 455, 275, false);
  ASSERT_EQ(c.Copies.size(), 3u);
  EXPECT_EQ(c.Copies[0]->ClassName(), "TQuShape");
  EXPECT_EQ(c.Copies[1]->ClassName(), "TLabelEx");
  EXPECT_EQ(c.Copies[2]->ClassName(), "TImage");
  // Bottom to top on the panel: the background, then the list.
  const std::vector<TControl*>& stack = c.Panel->Controls();
  ASSERT_EQ(stack.size(), 4u);
  EXPECT_EQ(stack[0], c.Background);
  EXPECT_TRUE(std::equal(c.Copies.begin(), c.Copies.end(), stack.begin() + 1));
  auto* picture = static_cast<TImage*>(c.Copies[2]);
  EXPECT_TRUE(picture->Stretch());
  EXPECT_FALSE(picture->AutoSize());  // so that scaling reaches it
  EXPECT_EQ(c.Panel->BoundsRect(), QRect(0, 0, 455, 275));
  EXPECT_FALSE(c.Panel->Visible());
  // The copy's picture is the original's, decoded once.
  const TImage* original = static_cast<TImage*>(card.Sheet.ObjectList.back());
  EXPECT_EQ(picture->Picture()->Graphic()->Image().cacheKey(), original->Picture()->Graphic()->Image().cacheKey());
}

TEST(CardComposition, ScalingSetsEachShapesRectangleAndPenAndEachLabelsGap) {
  const struct {
    int U;
    QRect Logical, Scaled;
    int Pen, ScaledPen, Gap, ScaledGap;
  } cases[] = {
      {472, QRect(10, 20, 100, 55), QRect(47, 94, 472, 260), 2, 9, 3, 14},
      {40, QRect(3, 7, 455, 1), QRect(1, 3, 182, 0), 1, 0, 1, 0},
      {100, QRect(4, 5, 6, 7), QRect(4, 5, 6, 7), 5, 5, 2, 2},
  };
  for (const auto& c : cases) {
    Card card;
    card.AddShape(qustRectangle, c.Logical, clBlue, c.Pen);
    card.AddLabel(QStringLiteral("abc"), QPoint(0, 0))->SetGap(c.Gap);
    TCardComposition composed = ComposeCard(card.Sheet.BGImage, card.Sheet.ObjectList, 455, 275, false);
    ScaleComposition(composed, c.U);
    auto* shape = static_cast<TQuShape*>(composed.Copies[0]);
    EXPECT_EQ(QRect(shape->Left(), shape->Top(), shape->Width(), shape->Height()), c.Scaled) << c.U;
    EXPECT_EQ(shape->Pen()->Width(), c.ScaledPen) << c.U;
    EXPECT_EQ(static_cast<TLabelEx*>(composed.Copies[1])->Gap(), c.ScaledGap) << c.U;
    EXPECT_EQ(composed.Panel->Width(), MulDiv(455, c.U, 100)) << c.U;
  }
}

TEST(CardComposition, PrintedLabelsAreFittedToTheirTextAndWidenedByFourLetters) {
  Card card;
  TLabelEx* narrow = card.AddLabel(QStringLiteral("印刷される文字"), QPoint(10, 10));
  narrow->SetAutoSize(false);
  narrow->SetWidth(12);
  TLabelEx* fitted = card.AddLabel(QStringLiteral("印刷される文字"), QPoint(10, 60));
  const int textWidth = fitted->Width();
  const TCardComposition screen = ComposeCard(card.Sheet.BGImage, card.Sheet.ObjectList, 455, 275, false);
  const TCardComposition print = ComposeCard(card.Sheet.BGImage, card.Sheet.ObjectList, 455, 275, true);
  EXPECT_EQ(screen.Copies[0]->Width(), 12);  // the preview leaves labels as they are
  const int widened = print.Copies[0]->Width();
  EXPECT_EQ(print.Copies[1]->Width(), widened);
  // "aaaa" in a 20-pixel font is wider than a few pixels and narrower than the text.
  EXPECT_GT(widened - textWidth, 10);
  EXPECT_LT(widened - textWidth, textWidth / 2);
  EXPECT_EQ(narrow->Width(), 12);  // the worksheet's label is not touched
}

}  // namespace
