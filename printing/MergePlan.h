#pragma once
// Which row of a merge list goes into which cell of which sheet.
//   PerSheet (1人1シート): every row fills a whole sheet, as business cards
//                          are ordered: sheet s is row s in every cell.
//   PerCell (1人1枚):      the rows fill the cells in reading order (across,
//                          then down), as labels and badges are printed; the
//                          last sheet's remaining cells stay empty.
enum class TMergeLayout { PerSheet, PerCell };

class TMergePlan {
 public:
  // columns x rows cells on a sheet (at least one is assumed).
  TMergePlan(int listRows, int columns, int rows, TMergeLayout layout);

  TMergeLayout Layout() const { return FLayout; }
  int Sheets() const { return FSheets; }
  int CellsPerSheet() const { return FCells; }
  // The row printed in column i, row j of sheet; -1 for a cell left empty.
  int RowAt(int sheet, int i, int j) const;
  // The sheet that row is printed on (its first, there being one).
  int SheetOf(int row) const;
  // The first and last row on sheet.
  int FirstRowOn(int sheet) const;
  int LastRowOn(int sheet) const;

 private:
  TMergeLayout FLayout;
  int FListRows, FColumns, FCells, FSheets;
};
