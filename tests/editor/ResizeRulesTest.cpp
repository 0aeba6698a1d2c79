#include <gtest/gtest.h>

#include "ResizeRules.h"

namespace {
TResizeStart Rect(int left, int top, int width, int height, float ratio = 0) {
  return {left, top, left + width, top + height, ratio};
}
}  // namespace

TEST(ResizeRulesTest, EdgesMoveAndFlipAcrossTheFixedEdge) {
  // Right-middle mark of a 40-wide rectangle at 100 dragged left by 60.
  TResizeResult r = ResizeByMark(4, Rect(100, 50, 40, 20), -60, 0, TResizeKind::Free, false, 10);
  EXPECT_EQ(r.Left, 80);
  EXPECT_EQ(r.Width, 20);
  EXPECT_EQ(r.Top, 50);
  EXPECT_EQ(r.Height, 20);
  // Left edge dragged across the right edge.
  r = ResizeByMark(3, Rect(100, 50, 40, 20), 55, 0, TResizeKind::Free, false, 10);
  EXPECT_EQ(r.Left, 140);
  EXPECT_EQ(r.Width, 15);
  // Top edge dragged below the bottom edge with the top-left mark.
  r = ResizeByMark(0, Rect(100, 50, 40, 20), 10, 30, TResizeKind::Free, false, 10);
  EXPECT_EQ(r.Left, 110);
  EXPECT_EQ(r.Width, 30);
  EXPECT_EQ(r.Top, 70);
  EXPECT_EQ(r.Height, 10);
  // Side marks leave the other axis alone.
  r = ResizeByMark(6, Rect(100, 50, 40, 20), 33, 5, TResizeKind::Free, false, 10);
  EXPECT_EQ(r.Left, 100);
  EXPECT_EQ(r.Width, 40);
  EXPECT_EQ(r.Height, 25);
}

TEST(ResizeRulesTest, SnappingMovesOnlyTheDraggedEdgeAndNeverGivesNegativeSizes) {
  // Right edge at 143, dragged 0: the right edge snaps to 140, the left stays.
  TResizeResult r = ResizeByMark(4, Rect(101, 50, 42, 20), 0, 0, TResizeKind::Free, true, 10);
  EXPECT_EQ(r.Left, 101);
  EXPECT_EQ(r.Left + r.Width, 140);
  r = ResizeByMark(4, Rect(101, 50, 42, 20), 7, 0, TResizeKind::Free, true, 10);
  EXPECT_EQ(r.Left + r.Width, 150);
  // Left edge snapped keeping the right edge.
  r = ResizeByMark(3, Rect(101, 50, 42, 20), 3, 0, TResizeKind::Free, true, 10);
  EXPECT_EQ(r.Left, 100);
  EXPECT_EQ(r.Left + r.Width, 143);
  // A narrow object whose snapped edge passes the fixed one stays empty at
  // the fixed edge instead of getting a negative width.
  r = ResizeByMark(4, Rect(101, 50, 3, 20), 0, 0, TResizeKind::Free, true, 10);
  EXPECT_EQ(r.Left, 101);
  EXPECT_EQ(r.Width, 0);
  r = ResizeByMark(3, Rect(106, 50, 3, 20), 0, 0, TResizeKind::Free, true, 10);
  EXPECT_EQ(r.Left, 109);
  EXPECT_EQ(r.Width, 0);
}

TEST(ResizeRulesTest, SquaresAndCirclesStaySquareAnchoredOppositeTheMark) {
  // Bottom-right of a 40x40 circle at (100,100) by (+30,+10): 50x50 in place.
  TResizeResult r = ResizeByMark(7, Rect(100, 100, 40, 40), 30, 10, TResizeKind::SquareOrCircle, false, 10);
  EXPECT_EQ(r.Left, 100);
  EXPECT_EQ(r.Top, 100);
  EXPECT_EQ(r.Width, 50);
  EXPECT_EQ(r.Height, 50);
  // Top-left mark: the bottom-right corner stays.
  r = ResizeByMark(0, Rect(100, 100, 40, 40), -30, -10, TResizeKind::SquareOrCircle, false, 10);
  EXPECT_EQ(r.Width, 50);
  EXPECT_EQ(r.Height, 50);
  EXPECT_EQ(r.Left + r.Width, 140);
  EXPECT_EQ(r.Top + r.Height, 140);
  // Bottom-middle: width follows height, centred horizontally.
  r = ResizeByMark(6, Rect(100, 100, 40, 40), 0, 20, TResizeKind::SquareOrCircle, false, 10);
  EXPECT_EQ(r.Width, 60);
  EXPECT_EQ(r.Height, 60);
  EXPECT_EQ(r.Left, 120 - 30);
  // Bottom-right dragged past the left edge: the square lies left of the old left edge.
  r = ResizeByMark(7, Rect(100, 100, 40, 40), -60, 0, TResizeKind::SquareOrCircle, false, 10);
  EXPECT_EQ(r.Width, 20);
  EXPECT_EQ(r.Left, 80);
  EXPECT_EQ(r.Top, 100);
}

TEST(ResizeRulesTest, LinesChangeKindToKeepJoiningTheFixedEnd) {
  // Falling line; its bottom-right end dragged to the left of the top-left end.
  TResizeResult r = ResizeByMark(7, Rect(100, 50, 40, 20), -60, 0, TResizeKind::Line, false, 10);
  EXPECT_TRUE(r.RisingLine);
  EXPECT_EQ(r.Left, 80);
  EXPECT_EQ(r.Width, 20);
  r = ResizeByMark(7, Rect(100, 50, 40, 20), 10, 10, TResizeKind::Line, false, 10);
  EXPECT_FALSE(r.RisingLine);
  // Rising line: its top-right end dragged below the bottom-left end.
  r = ResizeByMark(2, Rect(100, 50, 40, 20), 0, 30, TResizeKind::Line, false, 10);
  EXPECT_FALSE(r.RisingLine);
  r = ResizeByMark(2, Rect(100, 50, 40, 20), 5, -5, TResizeKind::Line, false, 10);
  EXPECT_TRUE(r.RisingLine);
  // A drag that leaves no horizontal extent counts as rising (product 0).
  r = ResizeByMark(7, Rect(100, 50, 40, 20), -40, 0, TResizeKind::Line, false, 10);
  EXPECT_TRUE(r.RisingLine);
}

TEST(ResizeRulesTest, PicturesKeepTheirRatioWithHalfUpRounding) {
  const float ratio = PictureAspectRatio(200, 100);
  EXPECT_FLOAT_EQ(ratio, 2.0f);
  // Bottom-middle down by 30: 260 x 130, centred on the old centre.
  TResizeResult r = ResizeByMark(6, Rect(100, 50, 200, 100, ratio), 0, 30, TResizeKind::KeptAspectPicture, false, 10);
  EXPECT_EQ(r.Width, 260);
  EXPECT_EQ(r.Height, 130);
  EXPECT_EQ(r.Left + r.Width / 2, 200);
  EXPECT_EQ(r.Top, 50);
  // Corner: the side that is too long gives way.
  r = ResizeByMark(7, Rect(0, 0, 200, 100, ratio), 100, 0, TResizeKind::KeptAspectPicture, false, 10);
  EXPECT_EQ(r.Width, 200);
  EXPECT_EQ(r.Height, 100);
  r = ResizeByMark(7, Rect(0, 0, 200, 100, ratio), -99, 0, TResizeKind::KeptAspectPicture, false, 10);
  EXPECT_EQ(r.Width, 101);
  EXPECT_EQ(r.Height, 51);  // trunc(50.5 + 0.5)
  // Right-middle on a 3:1 picture: 100 / 3 = 33.33 -> 33.
  r = ResizeByMark(4, Rect(0, 0, 300, 100, PictureAspectRatio(300, 100)), -200, 0, TResizeKind::KeptAspectPicture,
                   false, 10);
  EXPECT_EQ(r.Width, 100);
  EXPECT_EQ(r.Height, 33);
  EXPECT_EQ(r.Top, 50 - 16);  // centred vertically
}

TEST(ResizeRulesTest, PictureWithoutRatioResizesFreely) {
  EXPECT_EQ(PictureAspectRatio(200, 0), 0.0f);
  EXPECT_EQ(PictureAspectRatio(0, 10), 0.0f);
  const TResizeResult r = ResizeByMark(7, Rect(0, 0, 200, 0, 0.0f), 10, 20, TResizeKind::KeptAspectPicture, false, 10);
  EXPECT_EQ(r.Width, 210);
  EXPECT_EQ(r.Height, 20);
}
