// The plain rules behind the font bar and the stacking order, where the
// editor's flows do not reach them.
#include <gtest/gtest.h>

#include "FontBoxRules.h"
#include "FontNameList.h"
#include "FontSubstitution.h"
#include "Qushape.h"
#include "ShiftJis.h"
#include "StackingOrder.h"
#include "WinControl.h"
#include "Worksheet.h"

TEST(FontBoxRules, ReadsIntegersWithinTheBoxsLimitsAndSaysWhyNot) {
  const struct {
    TFontBox Box;
    QString Text;
    std::optional<int> Value;
  } rows[] = {
      {TFontBox::Size, " +14 ", 14},     {TFontBox::Size, "1 4", std::nullopt}, {TFontBox::Size, "-", std::nullopt},
      {TFontBox::Size, QString(400, QLatin1Char('9')), std::nullopt}, {TFontBox::Size, "0000000000000000012", 12},
      {TFontBox::Gap, "-0", 0},          {TFontBox::Gap, "-1", std::nullopt},   {TFontBox::Gap, "２", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text.toStdString());
    const TFontBoxValue v = ReadFontBoxValue(row.Box, row.Text);
    EXPECT_EQ(v.Value, row.Value);
    EXPECT_EQ(v.Refusal.isEmpty(), row.Value.has_value());
    EXPECT_TRUE(ShiftJis::CanEncode(v.Refusal));
  }
  EXPECT_TRUE(ReadFontBoxValue(TFontBox::Gap, "abc").Refusal.contains(QStringLiteral("abc")));
}

TEST(FontNameList, OffersInstalledFontsThenWindowsNamesThatCanBeDrawn) {
  const auto& table = JapaneseFontSubstitutes();
  const auto pmincho = std::find_if(table.begin(), table.end(),
                                    [](const auto& e) { return e.first == QStringLiteral("ＭＳ Ｐ明朝"); });
  ASSERT_NE(pmincho, table.end());
  EXPECT_EQ(FontNameList({QStringLiteral("DejaVu Sans")}), QStringList{QStringLiteral("DejaVu Sans")})
      << "no stand-in installed, no Windows names";
  const QStringList installed{QStringLiteral("DejaVu Sans"), pmincho->second.front(), QStringLiteral("ＭＳ 明朝")};
  const QStringList names = FontNameList(installed);
  EXPECT_EQ(names.mid(0, installed.size()), installed) << "installed fonts first, in the platform's order";
  EXPECT_TRUE(names.contains(QStringLiteral("ＭＳ Ｐ明朝")));
  EXPECT_FALSE(names.contains(QStringLiteral("MS PMincho"))) << "only the names a Japanese system lists";
  EXPECT_EQ(QStringList(names).removeDuplicates(), 0);
}

TEST(FontNameList, ListsAFamilyOfSeveralFoundriesOnceByItsPlainName) {
  const struct {
    QStringList Installed;
    QStringList Listed;
  } rows[] = {
      {{"C059 [UKWN]", "C059 [urw]", "DejaVu Sans"}, {"C059", "DejaVu Sans"}},
      {{"Nimbus Sans [UKWN]", "Nimbus Sans", "Nimbus Sans [urw]"}, {"Nimbus Sans"}},
      {{"Odd [Name] Font", "[]", "Tail ]"}, {"Odd [Name] Font", "[]", "Tail ]"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Installed.join(QLatin1Char('|')).toStdString());
    EXPECT_EQ(FontNameList(row.Installed), row.Listed);
  }
  // A stand-in known only under its foundry's name still brings its Windows name.
  const auto& table = JapaneseFontSubstitutes();
  const auto pmincho = std::find_if(table.begin(), table.end(),
                                    [](const auto& e) { return e.first == QStringLiteral("ＭＳ Ｐ明朝"); });
  ASSERT_NE(pmincho, table.end());
  EXPECT_TRUE(FontNameList({pmincho->second.front() + QStringLiteral(" [x]")}).contains(QStringLiteral("ＭＳ Ｐ明朝")));
}

TEST(StackingOrder, AnObjectNotOnTheWorksheetChangesNothingAndEmptyEntriesGo) {
  TWorksheet sheet;
  sheet.BuildWorksheet(200, 100);
  auto* a = new TQuShape(sheet.DrawPanel);
  a->SetParent(sheet.DrawPanel);
  sheet.ObjectList = {a, nullptr};
  TQuShape stranger(nullptr);
  const std::vector<TControl*> panel = sheet.DrawPanel->Controls();
  BringObjectToFront(sheet, &stranger);
  SendObjectToBack(sheet, &stranger, a);
  SendObjectToBack(sheet, nullptr, nullptr);
  EXPECT_EQ(sheet.DrawPanel->Controls(), panel);
  EXPECT_EQ(sheet.ObjectList.size(), 2u);
  BringObjectToFront(sheet, a);
  EXPECT_EQ(sheet.ObjectList, std::vector<TControl*>{a});
}
