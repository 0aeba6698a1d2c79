#include "Snap.h"

#include <climits>
#include <cstdint>

int SnapValue(int v, int grid) {
  if (grid < 1) return v;
  const int q = v / grid;  // both truncate toward zero; r has the sign of v
  const int r = v % grid;
  const int h = grid / 2;
  const int64_t up = (int64_t(q) + 1) * grid;
  // The next multiple may lie beyond the integer range; the one below does not.
  if (r > h && up <= INT_MAX) return int(up);
  return q * grid;
}

void SnapPoint(int& x, int& y, int grid) {
  x = SnapValue(x, grid);
  y = SnapValue(y, grid);
}
