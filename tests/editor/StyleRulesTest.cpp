// The plain rules behind the style and font commands: reading the font
// boxes, the font names offered, and the stacking order on a worksheet
// without a window.
#include <gtest/gtest.h>

#include "FontBoxRules.h"
#include "FontNameList.h"
#include "FontSubstitution.h"
#include "Gridshape.h"
#include "Image.h"
#include "Qushape.h"
#include "ShiftJis.h"
#include "StackingOrder.h"
#include "WinControl.h"
#include "Worksheet.h"

TEST(FontBoxRules, ReadsIntegersWithinTheBoxsLimitsAndSaysWhyNot) {
  const TFontBoxLimits size = FontBoxLimits(TFontBox::Size);
  struct Row {
    TFontBox Box;
    QString Text;
    std::optional<int> Value;
  };
  const Row rows[] = {
      {TFontBox::Size, " 14 ", 14},
      {TFontBox::Size, "+9", 9},
      {TFontBox::Size, "-9", std::nullopt},
      {TFontBox::Size, "1 4", std::nullopt},
      {TFontBox::Size, "", std::nullopt},
      {TFontBox::Size, "-", std::nullopt},
      {TFontBox::Size, QString::number(size.Min - 1), std::nullopt},
      {TFontBox::Size, QString(400, QLatin1Char('9')), std::nullopt},
      {TFontBox::Size, "000000000000000000000012", 12},
      {TFontBox::Gap, "0", 0},
      {TFontBox::Gap, "-0", 0},
      {TFontBox::Gap, "-1", std::nullopt},
      {TFontBox::Gap, "２", std::nullopt},  // a full-width digit is not a digit
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Text.toStdString());
    const TFontBoxValue v = ReadFontBoxValue(row.Box, row.Text);
    EXPECT_EQ(v.Value, row.Value);
    EXPECT_EQ(v.Refusal.isEmpty(), row.Value.has_value());
    if (!v.Refusal.isEmpty()) {
      EXPECT_TRUE(ShiftJis::CanEncode(v.Refusal));
    }
  }
  // Out of range names the range; not a number names the text.
  EXPECT_TRUE(ReadFontBoxValue(TFontBox::Size, "0").Refusal.contains(QString::number(size.Max)));
  EXPECT_TRUE(ReadFontBoxValue(TFontBox::Gap, "abc").Refusal.contains(QStringLiteral("abc")));
  EXPECT_NE(ReadFontBoxValue(TFontBox::Size, "0").Refusal, ReadFontBoxValue(TFontBox::Gap, "-1").Refusal);
}

TEST(FontNameList, OffersInstalledFontsThenWindowsNamesThatCanBeDrawn) {
  const auto& table = JapaneseFontSubstitutes();
  const auto pmincho = std::find_if(table.begin(), table.end(), [](const auto& e) {
    return e.first == QStringLiteral("ＭＳ Ｐ明朝");
  });
  ASSERT_NE(pmincho, table.end());
  const QString standIn = pmincho->second.front();

  const QStringList none = FontNameList({QStringLiteral("DejaVu Sans")});
  EXPECT_EQ(none, QStringList{QStringLiteral("DejaVu Sans")}) << "no Japanese font, no Windows names";

  const QStringList installed{QStringLiteral("DejaVu Sans"), standIn, QStringLiteral("ＭＳ 明朝")};
  const QStringList names = FontNameList(installed);
  EXPECT_EQ(names.mid(0, installed.size()), installed) << "installed fonts first, in the platform's order";
  EXPECT_TRUE(names.contains(QStringLiteral("ＭＳ Ｐ明朝")));
  EXPECT_EQ(names.count(QStringLiteral("ＭＳ 明朝")), 1) << "an installed name is not offered twice";
  EXPECT_FALSE(names.contains(QStringLiteral("MS PMincho"))) << "only the names a Japanese system lists";
  EXPECT_EQ(QStringList(names).removeDuplicates(), 0);
}

class StackingOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Sheet.BuildWorksheet(200, 100);
    for (int i = 0; i < 3; ++i) {
      auto* s = new TQuShape(Sheet.DrawPanel);
      s->SetParent(Sheet.DrawPanel);
      Objects.push_back(s);
      Sheet.ObjectList.push_back(s);
    }
    Frame = new TQuShape(Sheet.DrawPanel);  // a mark, not a card object
    Frame->SetParent(Sheet.DrawPanel);
  }
  std::vector<TControl*> Panel() const { return Sheet.DrawPanel->Controls(); }
  TWorksheet Sheet;
  std::vector<TControl*> Objects;
  TQuShape* Frame = nullptr;
};

TEST_F(StackingOrderTest, BackKeepsBackgroundAndGridBelowAndTheFrameUnderItsObject) {
  TControl *a = Objects[0], *b = Objects[1], *c = Objects[2];
  SendObjectToBack(Sheet, c, Frame);
  EXPECT_EQ(Panel(), (std::vector<TControl*>{Sheet.BGImage, Sheet.GridShape, Frame, c, a, b}));
  EXPECT_EQ(Sheet.ObjectList, (std::vector<TControl*>{c, a, b}));
  SendObjectToBack(Sheet, b, nullptr);
  EXPECT_EQ(Panel(), (std::vector<TControl*>{Sheet.BGImage, Sheet.GridShape, b, Frame, c, a}));
  EXPECT_EQ(Sheet.ObjectList, (std::vector<TControl*>{b, c, a}));
}

TEST_F(StackingOrderTest, FrontPutsTheObjectOverEverythingAndPacksTheList) {
  TControl *a = Objects[0], *b = Objects[1], *c = Objects[2];
  Sheet.ObjectList.insert(Sheet.ObjectList.begin() + 1, nullptr);
  BringObjectToFront(Sheet, a);
  EXPECT_EQ(Panel().back(), a);
  EXPECT_EQ(Sheet.ObjectList, (std::vector<TControl*>{b, c, a}));
}

TEST_F(StackingOrderTest, AnObjectNotOnTheWorksheetChangesNothing) {
  TQuShape stranger(nullptr);
  const auto panel = Panel();
  const auto list = Sheet.ObjectList;
  BringObjectToFront(Sheet, &stranger);
  SendObjectToBack(Sheet, &stranger, Frame);
  SendObjectToBack(Sheet, nullptr, nullptr);
  EXPECT_EQ(Panel(), panel);
  EXPECT_EQ(Sheet.ObjectList, list);
}
