// The picture-size dialog's value rules and its preview layout, and the grid
// dialog's spacing rules, without their windows.
#include <gtest/gtest.h>

#include <vector>

#include "GridSettingRules.h"
#include "ImageReductionRules.h"
#include "ScriptedUserInterface.h"
#include "ShiftJis.h"
#include "StringTable.h"

namespace {

using U = TEditorUnit;

// One thing the user does in the picture-size dialog.
struct Act {
  enum Kind { TypeW, TypeH, LeaveW, LeaveH, Unit, Fix } What;
  QString Text = {};
  U To = U::Pixel;
  bool On = false;
};
Act TypeW(const char* t) { return {Act::TypeW, QString::fromUtf8(t)}; }
Act TypeH(const char* t) { return {Act::TypeH, QString::fromUtf8(t)}; }
Act LeaveW() { return {Act::LeaveW}; }
Act LeaveH() { return {Act::LeaveH}; }
Act Switch(U u) { return {Act::Unit, {}, u}; }
Act Fix(bool on) { return {Act::Fix, {}, U::Pixel, on}; }

struct SizeCase {
  const char* Name;
  int W, H;
  U Unit;
  bool Fixed;
  std::vector<Act> Acts;
  const char* WidthText;
  const char* HeightText;
  int WidthPx, HeightPx;
};

void Perform(TImageReductionRules& r, const std::vector<Act>& acts) {
  for (const Act& a : acts) {
    switch (a.What) {
      case Act::TypeW: r.FieldChanged(TPictureSide::Width, a.Text); break;
      case Act::TypeH: r.FieldChanged(TPictureSide::Height, a.Text); break;
      case Act::LeaveW: r.FieldExit(TPictureSide::Width); break;
      case Act::LeaveH: r.FieldExit(TPictureSide::Height); break;
      case Act::Unit: r.UnitClicked(a.To); break;
      case Act::Fix: r.FixedRateClicked(a.On); break;
    }
  }
}

}  // namespace

TEST(PictureSizeRules, FieldsFollowTheEntryRules) {
  const SizeCase cases[] = {
      {"opens in millimetres", 300, 200, U::Mm, true, {}, "60.0", "40.0", 300, 200},
      {"opens in inches", 300, 200, U::Inch, true, {}, "2.362", "1.575", 300, 200},
      {"opens in inches, ratio free", 300, 200, U::Inch, false, {}, "2.362", "1.575", 300, 200},
      {"opens in pixels", 300, 200, U::Pixel, true, {}, "300", "200", 300, 200},
      {"unit switch shows the stored values", 300, 200, U::Pixel, true, {Switch(U::Mm)}, "60.0", "40.0", 300, 200},
      {"fixed: width typed gives the height", 300, 200, U::Pixel, true, {TypeW("150")}, "150", "100", 150, 100},
      {"fixed: leaving the width re-derives it", 300, 200, U::Pixel, true, {TypeW("150"), LeaveW()}, "150", "100",
       150, 100},
      {"fixed, tall: height typed gives the width", 200, 300, U::Pixel, true, {TypeH("100")}, "67", "100", 67, 100},
      {"fixed, tall: leaving the height keeps it", 200, 300, U::Pixel, true, {TypeH("100"), LeaveH()}, "67", "100",
       67, 100},
      {"fixed, mm: width typed", 300, 200, U::Mm, true, {TypeW("25")}, "25", "16.7", 125, 83},
      {"fixed, mm: leaving shows whole pixels", 300, 200, U::Mm, true, {TypeW("25"), LeaveW()}, "25.0", "16.6", 125,
       83},
      {"free ratio: the other side stays", 300, 200, U::Pixel, false, {TypeW("150"), LeaveW()}, "150", "200", 150,
       200},
      {"ticking the box derives the height", 300, 200, U::Pixel, false, {TypeW("150"), Fix(true)}, "150", "100", 150,
       100},
      {"ticking in mm snaps the height to pixels", 300, 200, U::Mm, false, {TypeW("25"), Fix(true)}, "25.0", "16.6",
       125, 83},
      {"clearing the box changes nothing", 300, 200, U::Pixel, true, {Fix(false), TypeW("150")}, "150", "200", 150,
       200},
      {"letters are dropped while typing", 300, 200, U::Pixel, false, {TypeW("1a5")}, "15", "200", 15, 200},
      {"a second point is dropped", 300, 200, U::Mm, false, {TypeW("1.2.3")}, "1.23", "40.0", 6, 200},
      {"an emptied field keeps the last value", 300, 200, U::Mm, false, {TypeW(""), LeaveW()}, "60.0", "40.0", 300,
       200},
  };
  for (const SizeCase& c : cases) {
    ScopedScriptedUI ui;
    TImageReductionRules r;
    r.Open(c.W, c.H, c.Unit, c.Fixed);
    Perform(r, c.Acts);
    EXPECT_EQ(r.Text(TPictureSide::Width), QString::fromUtf8(c.WidthText)) << c.Name;
    EXPECT_EQ(r.Text(TPictureSide::Height), QString::fromUtf8(c.HeightText)) << c.Name;
    EXPECT_EQ(r.WidthPx(), c.WidthPx) << c.Name;
    EXPECT_EQ(r.HeightPx(), c.HeightPx) << c.Name;
    EXPECT_TRUE(ui.Ui.Messages().empty()) << c.Name;
  }
}

TEST(PictureSizeRules, AHalfTypedNumberWaitsAndLeavingRestoresTheField) {
  ScopedScriptedUI ui;
  TImageReductionRules r;
  r.Open(300, 200, U::Mm, true);
  r.FieldChanged(TPictureSide::Width, QStringLiteral("."));
  EXPECT_EQ(r.WidthPx(), 300);
  EXPECT_EQ(r.HeightPx(), 200);
  EXPECT_TRUE(ui.Ui.Messages().empty());  // no complaint while typing
  // Typing goes on normally after the point.
  r.FieldChanged(TPictureSide::Width, QStringLiteral(".5"));
  EXPECT_EQ(r.WidthPx(), 3);
  r.FieldChanged(TPictureSide::Width, QStringLiteral("."));
  EXPECT_FALSE(r.FieldExit(TPictureSide::Width));
  ASSERT_EQ(ui.Ui.Messages().size(), 1u);
  EXPECT_TRUE(ui.Ui.Messages()[0].contains(QStringLiteral("「.」")));
  EXPECT_EQ(r.Text(TPictureSide::Width), QStringLiteral("0.6"));
  EXPECT_EQ(r.WidthPx(), 3);
}

TEST(PictureSizeRules, OnlySizesAPictureCanTakeAreAccepted) {
  struct Case {
    int W, H;
    bool Accepted;
  } cases[] = {
      {TImageReductionRules::MinSidePx, TImageReductionRules::MinSidePx, true},
      {TImageReductionRules::MaxSidePx, 10, true},
      {TImageReductionRules::MinSidePx - 1, 10, false},
      {10, TImageReductionRules::MinSidePx - 1, false},
      {TImageReductionRules::MaxSidePx + 1, 10, false},
  };
  for (const Case& c : cases) {
    ScopedScriptedUI ui;
    TImageReductionRules r;
    r.Open(100, 100, U::Pixel, false);
    r.FieldChanged(TPictureSide::Width, QString::number(c.W));
    r.FieldChanged(TPictureSide::Height, QString::number(c.H));
    EXPECT_EQ(r.CheckSize(), c.Accepted) << c.W << " x " << c.H;
    EXPECT_EQ(ui.Ui.Messages().size(), c.Accepted ? 0u : 1u) << c.W << " x " << c.H;
  }
  // Below half a pixel in millimetres is no pixel at all.
  ScopedScriptedUI ui;
  TImageReductionRules r;
  r.Open(100, 100, U::Mm, false);
  r.FieldChanged(TPictureSide::Height, QStringLiteral("0.05"));
  EXPECT_FALSE(r.CheckSize());
}

TEST(PictureSizeRules, APictureWithoutHeightStillOpens) {
  ScopedScriptedUI ui;
  TImageReductionRules r;
  r.Open(120, 0, U::Pixel, true);
  r.FieldChanged(TPictureSide::Height, QStringLiteral("40"));
  EXPECT_GT(r.WidthPx(), 0);
  EXPECT_TRUE(r.CheckSize());
}

TEST(PictureSizeRules, PreviewShowsTheBarsTheSizeNeeds) {
  struct Case {
    int W, H;
    bool HBar, VBar, Cover;
    QPoint Pos;
    int HMax, VMax;
  } cases[] = {
      {400, 100, true, false, false, {0, 35}, 215, 0},
      {100, 400, false, true, false, {34, 0}, 0, 215},
      {400, 300, true, true, true, {0, 0}, 232, 130},
      {180, 190, true, true, true, {0, 0}, 12, 20},
      {180, 180, false, false, false, {2, 2}, 0, 0},
      {185, 171, false, false, false, {0, 7}, 0, 0},
      {186, 171, true, true, true, {0, 0}, 18, 1},
  };
  for (const Case& c : cases) {
    const TPreviewLayout l = TImageReductionRules::PreviewLayoutFor(c.W, c.H);
    const std::string name = std::to_string(c.W) + " x " + std::to_string(c.H);
    EXPECT_EQ(l.HBarVisible, c.HBar) << name;
    EXPECT_EQ(l.VBarVisible, c.VBar) << name;
    EXPECT_EQ(l.CoverVisible, c.Cover) << name;
    EXPECT_EQ(l.ImagePos, c.Pos) << name;
    // A bar's page plus its range is the whole picture.
    if (c.HBar) {
      EXPECT_EQ(l.HBarMax, c.HMax) << name;
      EXPECT_EQ(l.HBarMax + l.HBarPage, c.W) << name;
    }
    if (c.VBar) {
      EXPECT_EQ(l.VBarMax, c.VMax) << name;
      EXPECT_EQ(l.VBarMax + l.VBarPage, c.H) << name;
    }
  }
}

TEST(GridSettingRules, SpacingIsHeldInWholePixels) {
  struct Case {
    const char* Name;
    U Unit;
    const char* Typed;  // nullptr: only opened
    int Px;
    const char* Shown;  // after leaving the field
  } cases[] = {
      {"10 in millimetres", U::Mm, nullptr, 10, "2.0"},
      {"10 in inches", U::Inch, nullptr, 10, "0.079"},
      {"3 mm", U::Mm, "3", 15, "3.0"},
      {"2.5 mm rounds half up", U::Mm, "2.5", 13, "2.6"},
      {"2.1 mm is held just below 2.1", U::Mm, "2.1", 10, "2.0"},
      {"0.5 inch", U::Inch, "0.5", 64, "0.504"},
      {"pixels stay as typed", U::Pixel, "12", 12, "12"},
      {"a lone point keeps the spacing", U::Mm, ".", 10, "2.0"},
  };
  for (const Case& c : cases) {
    ScopedScriptedUI ui;
    TGridSettingRules r;
    r.Open(10, c.Unit);
    if (c.Typed) r.MemoChanged(QString::fromUtf8(c.Typed));
    EXPECT_EQ(r.Value().Px, c.Px) << c.Name;
    r.MemoExit();
    EXPECT_EQ(r.Text(), QString::fromUtf8(c.Shown)) << c.Name;
    EXPECT_EQ(r.Value().Px, c.Px) << c.Name;
  }
}

TEST(GridSettingRules, ASpacingBelowOnePixelIsRefused) {
  for (const auto& [unit, typed] : {std::pair{U::Pixel, "0"}, {U::Mm, "0.09"}, {U::Inch, "0.003"}}) {
    ScopedScriptedUI ui;
    TGridSettingRules r;
    r.Open(10, unit);
    r.MemoChanged(QString::fromUtf8(typed));
    EXPECT_FALSE(r.CheckSpacing()) << typed;
    EXPECT_EQ(ui.Ui.Messages().size(), 1u) << typed;
    r.MemoChanged(QStringLiteral("1"));
    EXPECT_TRUE(r.CheckSpacing()) << typed;
  }
}

TEST(PictureMessages, EveryTextHasAShiftJisForm) {
  int count = 0;
  for (int id = 1400; id <= 1449; ++id) {
    const QString text = LoadStr(id);
    if (text.isEmpty()) continue;
    ++count;
    EXPECT_TRUE(ShiftJis::CanEncode(text)) << id;
  }
  EXPECT_GT(count, 0);
}
