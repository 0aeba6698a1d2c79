// Merge fields in texts and which row goes into which cell of which sheet.
#include <gtest/gtest.h>

#include "MergeFields.h"
#include "MergePlan.h"

namespace {

TEST(MergeFields, FillsColumnsAndKeepsEscapedAndUnclosedBraces) {
  const QStringList columns = {QStringLiteral("氏名"), QStringLiteral("役職"), QStringLiteral("電話")};
  const QStringList row = {QStringLiteral("山田"), QStringLiteral("部長")};  // no phone: an empty cell
  struct Case {
    const char* Text;
    const char* Filled;
    QStringList Unknown;
  };
  const Case cases[] = {
      {"{氏名}", "山田", {}},
      {"{役職}　{氏名}様", "部長　山田様", {}},
      {"TEL:{電話};", "TEL:;", {}},
      {"{ 氏名 }", "山田", {}},
      {"{{氏名}}", "{氏名}", {}},
      {"{{{氏名}}}", "{山田}", {}},
      {"a}b{c", "a}b{c", {}},
      {"{a{氏名}", "{a山田", {}},
      {"{所属}{氏名}{所属}{FAX}", "{所属}山田{所属}{FAX}", {QStringLiteral("所属"), QStringLiteral("FAX")}},
      {"{}", "{}", {QString()}},
      {"", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    TFieldText text(QString::fromUtf8(c.Text));
    EXPECT_EQ(text.Bind(columns), c.Unknown);
    EXPECT_EQ(text.Fill(row), QString::fromUtf8(c.Filled));
  }
  EXPECT_FALSE(TFieldText(QStringLiteral("{{a}} b}")).HasFields());
  EXPECT_EQ(TFieldText(QStringLiteral("{b}{a}{b}")).FieldNames(), QStringList({"b", "a"}));
}

TEST(MergePlan, RowsLandInCellsAndSheetsByLayout) {
  // 2 columns x 3 rows on a sheet, 7 rows in the list.
  struct Case {
    TMergeLayout Layout;
    int Sheets;
    int Sheet, I, J;
    int Row;
  };
  const Case cases[] = {
      {TMergeLayout::PerSheet, 7, 0, 0, 0, 0},  {TMergeLayout::PerSheet, 7, 0, 1, 2, 0},
      {TMergeLayout::PerSheet, 7, 6, 1, 1, 6},  {TMergeLayout::PerSheet, 7, 7, 0, 0, -1},
      {TMergeLayout::PerCell, 2, 0, 0, 0, 0},   {TMergeLayout::PerCell, 2, 0, 1, 0, 1},  // across first
      {TMergeLayout::PerCell, 2, 0, 0, 1, 2},   {TMergeLayout::PerCell, 2, 0, 1, 2, 5},
      {TMergeLayout::PerCell, 2, 1, 0, 0, 6},   {TMergeLayout::PerCell, 2, 1, 1, 0, -1},  // the rest stays empty
      {TMergeLayout::PerCell, 2, 0, 2, 0, -1},  {TMergeLayout::PerCell, 2, -1, 0, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.Layout) << " sheet " << c.Sheet << " cell " << c.I << "," << c.J);
    const TMergePlan plan(7, 2, 3, c.Layout);
    EXPECT_EQ(plan.Sheets(), c.Sheets);
    EXPECT_EQ(plan.RowAt(c.Sheet, c.I, c.J), c.Row);
    if (c.Row >= 0) {
      EXPECT_EQ(plan.SheetOf(c.Row), c.Sheet);
    }
  }
  const TMergePlan cells(7, 2, 3, TMergeLayout::PerCell);
  EXPECT_EQ(cells.FirstRowOn(1), 6);
  EXPECT_EQ(cells.LastRowOn(0), 5);
  EXPECT_EQ(cells.LastRowOn(1), 6);
  // A damaged setup of 999 x 999 cells still counts one sheet.
  EXPECT_EQ(TMergePlan(3, 999, 999, TMergeLayout::PerCell).Sheets(), 1);
  EXPECT_EQ(TMergePlan(3, 0, 0, TMergeLayout::PerCell).Sheets(), 3);
}

}  // namespace
