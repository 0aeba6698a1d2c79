// The start wizard's rules without its window: pages, the OK caption, which
// buttons can be pressed, and the choice, for both start modes.
#include <gtest/gtest.h>

#include "StringTable.h"
#include "WizardState.h"

namespace {

const QString kOK = QStringLiteral("ＯＫ");
const QString kNext = QStringLiteral("次へ");

struct Expect {
  TWizardPage Page;
  QString Caption;
  bool OK, Back;
};

void Check(const TWizardState& s, const Expect& e, int line) {
  SCOPED_TRACE(line);
  EXPECT_EQ(s.Page(), e.Page);
  EXPECT_EQ(s.OKCaption(), e.Caption);
  EXPECT_EQ(s.OKEnabled(), e.OK);
  EXPECT_EQ(s.BackEnabled(), e.Back);
}
#define CHECK_STATE(s, ...) Check(s, Expect{__VA_ARGS__}, __LINE__)

TEST(WizardState, CaptionsAreTheStringTableOnes) {
  EXPECT_EQ(LoadStr(1080), kOK);
  EXPECT_EQ(LoadStr(1081), kNext);
}

TEST(WizardState, StartUpWalksForwardAndBackWithTheCaptionFollowingTheRadioButtons) {
  TWizardState s(1, 2);
  s.FormActivate();
  CHECK_STATE(s, wpTabSheet1, kNext, true, false);
  s.OpenRBtnClick();
  CHECK_STATE(s, wpTabSheet1, kOK, true, false);
  s.NewRBtnClick();
  CHECK_STATE(s, wpTabSheet1, kNext, true, false);

  EXPECT_FALSE(s.OKBtnClick());
  CHECK_STATE(s, wpTabSheet2, kNext, true, true);
  s.NotTemplateRBtnClick();
  CHECK_STATE(s, wpTabSheet2, kOK, true, true);

  // Back to the first page: Back goes grey, the caption follows NewRBtn.
  s.BackBtnClick();
  CHECK_STATE(s, wpTabSheet1, kNext, true, false);
  // Forward again: the second page remembers "no template".
  EXPECT_FALSE(s.OKBtnClick());
  CHECK_STATE(s, wpTabSheet2, kOK, true, true);
  EXPECT_TRUE(s.OKBtnClick());
  EXPECT_EQ(s.WizardChoice(), wcNewDocument);
}

TEST(WizardState, OpeningAnEarlierFileEndsOnTheFirstPage) {
  TWizardState s(1, 0);
  s.FormActivate();
  s.OpenRBtnClick();
  EXPECT_TRUE(s.OKBtnClick());
  EXPECT_EQ(s.WizardChoice(), wcOpenFile);
  EXPECT_EQ(s.Page(), wpTabSheet1);
}

TEST(WizardState, FileNewStartsOnTheSecondPageAndNeverGoesBackToTheFirst) {
  TWizardState s(2, 3);
  s.FormActivate();
  CHECK_STATE(s, wpTabSheet2, kNext, true, false);
  s.BackBtnClick();  // disabled there; nothing may happen if it comes anyway
  CHECK_STATE(s, wpTabSheet2, kNext, true, false);

  EXPECT_FALSE(s.OKBtnClick());
  CHECK_STATE(s, wpTabSheet3, kOK, false, true);
  EXPECT_FALSE(s.OKBtnClick());  // no template selected: nothing happens
  EXPECT_EQ(s.WizardChoice(), wcNone);

  s.TemplateListBoxClick(1);
  CHECK_STATE(s, wpTabSheet3, kOK, true, true);
  s.BackBtnClick();
  CHECK_STATE(s, wpTabSheet2, kNext, true, false);
  // The selection stays, so OK is ready on the template page at once.
  EXPECT_FALSE(s.OKBtnClick());
  CHECK_STATE(s, wpTabSheet3, kOK, true, true);
  EXPECT_EQ(s.TemplateIndex(), 1);
  EXPECT_TRUE(s.OKBtnClick());
  EXPECT_EQ(s.WizardChoice(), wcFromTemplate);
}

TEST(WizardState, StartUpBackFromTheTemplatePageKeepsBackEnabled) {
  TWizardState s(1, 1);
  s.FormActivate();
  s.OKBtnClick();
  s.OKBtnClick();
  CHECK_STATE(s, wpTabSheet3, kOK, false, true);
  s.BackBtnClick();
  CHECK_STATE(s, wpTabSheet2, kNext, true, true);
}

TEST(WizardState, DoubleClickChoosesOnlyWithASelectedTemplate) {
  TWizardState s(2, 2);
  s.FormActivate();
  s.OKBtnClick();
  EXPECT_FALSE(s.TemplateListBoxDblClick());
  s.TemplateListBoxClick(-1);
  s.TemplateListBoxClick(2);  // beyond the list
  EXPECT_EQ(s.TemplateIndex(), -1);
  EXPECT_FALSE(s.OKEnabled());
  s.TemplateListBoxClick(0);
  EXPECT_TRUE(s.TemplateListBoxDblClick());
  EXPECT_EQ(s.WizardChoice(), wcFromTemplate);
}

TEST(WizardState, AnEmptyTemplateListLeavesOnlyTheWayBack) {
  TWizardState s(1, 0);
  s.FormActivate();
  s.OKBtnClick();
  s.OKBtnClick();
  CHECK_STATE(s, wpTabSheet3, kOK, false, true);
  s.TemplateListBoxClick(0);
  EXPECT_FALSE(s.OKEnabled());
  s.BackBtnClick();
  s.NotTemplateRBtnClick();
  EXPECT_TRUE(s.OKBtnClick());
  EXPECT_EQ(s.WizardChoice(), wcNewDocument);
}

TEST(WizardState, ComingBackToTheWizardKeepsThePageItShows) {
  // Activated again after an error box or another window: the user stays
  // where they were, with buttons that fit the page.
  TWizardState s(1, 2);
  s.FormActivate();
  s.OKBtnClick();
  s.OKBtnClick();
  s.TemplateListBoxClick(0);
  s.FormActivate();
  CHECK_STATE(s, wpTabSheet3, kOK, true, true);
}

}  // namespace
