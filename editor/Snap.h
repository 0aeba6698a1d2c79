#pragma once
// Grid rounding of worksheet points. A non-negative value goes to the
// nearest multiple of the grid (exactly half way rounds down); a negative
// value goes to the multiple toward zero.

// A grid narrower than 1 pixel does not snap (there is nothing to divide by).
int SnapValue(int v, int grid);
void SnapPoint(int& x, int& y, int grid);
