#include "MergePlan.h"

#include <algorithm>
#include <climits>

TMergePlan::TMergePlan(int listRows, int columns, int rows, TMergeLayout layout)
    : FLayout(layout), FListRows(std::max(listRows, 0)), FColumns(std::max(columns, 1)) {
  // A damaged setup may ask for more cells than an int holds.
  FCells = int(std::min<long long>(1LL * FColumns * std::max(rows, 1), INT_MAX));
  FSheets = layout == TMergeLayout::PerSheet ? FListRows : int((1LL * FListRows + FCells - 1) / FCells);
}

int TMergePlan::RowAt(int sheet, int i, int j) const {
  if (sheet < 0 || sheet >= FSheets || i < 0 || i >= FColumns || j < 0) return -1;
  if (FLayout == TMergeLayout::PerSheet) return sheet;
  const long long row = 1LL * sheet * FCells + 1LL * j * FColumns + i;
  return row < FListRows && 1LL * j * FColumns + i < FCells ? int(row) : -1;
}

int TMergePlan::SheetOf(int row) const {
  row = std::clamp(row, 0, std::max(FListRows - 1, 0));
  return FLayout == TMergeLayout::PerSheet ? row : row / FCells;
}

int TMergePlan::FirstRowOn(int sheet) const {
  return FLayout == TMergeLayout::PerSheet ? sheet : int(std::min<long long>(1LL * sheet * FCells, FListRows - 1));
}

int TMergePlan::LastRowOn(int sheet) const {
  return FLayout == TMergeLayout::PerSheet ? sheet
                                           : int(std::min<long long>(1LL * (sheet + 1) * FCells, FListRows) - 1);
}
