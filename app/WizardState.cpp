#include "WizardState.h"

#include "StringTable.h"

namespace {
constexpr int kOKCaption = 1080;    // "ＯＫ": the press ends the wizard
constexpr int kNextCaption = 1081;  // "次へ": the press moves to another page
}  // namespace

TWizardState::TWizardState(int startMode, int templateCount)
    : FStartMode(startMode == 2 ? 2 : 1),
      FTemplateCount(templateCount < 0 ? 0 : templateCount),
      FPage(FStartMode == 2 ? wpTabSheet2 : wpTabSheet1),
      FOKCaption(LoadStr(kNextCaption)) {}

void TWizardState::SetNextCaption(bool ends) { FOKCaption = LoadStr(ends ? kOKCaption : kNextCaption); }

void TWizardState::FormActivate() {
  // Only the first activation picks the starting page. Coming back to the
  // wizard from another window (or from an error box about a template) must
  // not throw the user back to the first page with the buttons of another.
  if (FActivated) return;
  FActivated = true;
  FBackEnabled = false;
  FPage = FStartMode == 2 ? wpTabSheet2 : wpTabSheet1;
}

bool TWizardState::OKBtnClick() {
  switch (FPage) {
    case wpTabSheet1:
      if (!FNewChecked) {
        FChoice = wcOpenFile;
        return true;
      }
      FPage = wpTabSheet2;
      FBackEnabled = true;
      SetNextCaption(!FTemplateChecked);
      return false;
    case wpTabSheet2:
      if (!FTemplateChecked) {
        FChoice = wcNewDocument;
        return true;
      }
      FPage = wpTabSheet3;
      SetNextCaption(true);
      FOKEnabled = FTemplateIndex >= 0;
      FBackEnabled = true;
      return false;
    case wpTabSheet3:
      if (FTemplateIndex < 0) return false;
      FChoice = wcFromTemplate;
      return true;
  }
  return false;
}

void TWizardState::BackBtnClick() {
  switch (FPage) {
    case wpTabSheet1: return;
    case wpTabSheet2:
      // File > New never shows the first page.
      if (FStartMode == 2) return;
      FPage = wpTabSheet1;
      FBackEnabled = false;
      FOKEnabled = true;
      SetNextCaption(!FNewChecked);
      return;
    case wpTabSheet3:
      FPage = wpTabSheet2;
      FOKEnabled = true;
      SetNextCaption(!FTemplateChecked);
      if (FStartMode == 2) FBackEnabled = false;
      return;
  }
}

void TWizardState::NewRBtnClick() {
  FNewChecked = true;
  SetNextCaption(false);
}

void TWizardState::OpenRBtnClick() {
  FNewChecked = false;
  SetNextCaption(true);
}

void TWizardState::TemplateRBtnClick() {
  FTemplateChecked = true;
  SetNextCaption(false);
}

void TWizardState::NotTemplateRBtnClick() {
  FTemplateChecked = false;
  SetNextCaption(true);
}

void TWizardState::TemplateListBoxClick(int index) {
  if (index < 0 || index >= FTemplateCount) return;
  FTemplateIndex = index;
  FOKEnabled = true;
}

bool TWizardState::TemplateListBoxDblClick() {
  if (FTemplateIndex < 0) return false;
  FChoice = wcFromTemplate;
  return true;
}
