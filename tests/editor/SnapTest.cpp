#include <gtest/gtest.h>

#include <climits>

#include "Snap.h"

TEST(SnapValueTest, RoundsToNearestMultipleHalfDownAndNegativesTowardZero) {
  EXPECT_EQ(SnapValue(14, 10), 10);
  EXPECT_EQ(SnapValue(15, 10), 10);  // exactly half rounds down
  EXPECT_EQ(SnapValue(16, 10), 20);
  EXPECT_EQ(SnapValue(0, 10), 0);
  EXPECT_EQ(SnapValue(-7, 10), 0);
  EXPECT_EQ(SnapValue(-16, 10), -10);
  EXPECT_EQ(SnapValue(7, 5), 5);
  EXPECT_EQ(SnapValue(8, 5), 10);
  EXPECT_EQ(SnapValue(1, 3), 0);
  EXPECT_EQ(SnapValue(2, 3), 3);  // odd grid: half is 1, remainder 2 goes up
  int x = 13, y = 24;
  SnapPoint(x, y, 10);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
}

TEST(SnapValueTest, DegenerateGridsAndExtremeValuesAreSafe) {
  EXPECT_EQ(SnapValue(37, 0), 37);  // no grid: no division by zero
  EXPECT_EQ(SnapValue(37, -5), 37);
  EXPECT_EQ(SnapValue(37, 1), 37);
  EXPECT_EQ(SnapValue(INT_MAX, 10), INT_MAX - 7);  // the multiple above would overflow
  EXPECT_EQ(SnapValue(INT_MIN, 10), INT_MIN + 8);
}
