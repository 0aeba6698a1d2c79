#pragma once
// The rules of the start wizard without its window: which page is shown,
// which radio buttons are checked, the OK button's caption and whether OK and
// Back can be pressed, and what the user chose. TWizardDlg shows this state
// and sends every click here.
#include <QString>

// What the wizard ended with.
enum TWizardChoice : int {
  wcNone = 0,          // cancelled, or not finished
  wcOpenFile = 1,      // open a file made before
  wcNewDocument = 2,   // an empty card (the page setup dialog follows)
  wcFromTemplate = 3,  // a new card from the template at TemplatePath
};

enum TWizardPage : int { wpTabSheet1 = 0, wpTabSheet2 = 1, wpTabSheet3 = 2 };

class TWizardState {
 public:
  // startMode 1: at start-up, from the first page; 2: File > New, from the
  // second page. templateCount: the entries of the template list.
  TWizardState(int startMode, int templateCount);

  int StartMode() const { return FStartMode; }
  TWizardPage Page() const { return FPage; }
  // The radio buttons: NewRBtn (else OpenRBtn), TemplateRBtn (else
  // NotTemplateRBtn).
  bool NewChecked() const { return FNewChecked; }
  bool TemplateChecked() const { return FTemplateChecked; }
  const QString& OKCaption() const { return FOKCaption; }
  bool OKEnabled() const { return FOKEnabled; }
  bool BackEnabled() const { return FBackEnabled; }
  int TemplateIndex() const { return FTemplateIndex; }  // -1: none selected
  TWizardChoice WizardChoice() const { return FChoice; }

  // Handlers; the OK ones return true when the dialog closes with OK.
  void FormActivate();
  bool OKBtnClick();
  void BackBtnClick();
  void NewRBtnClick();
  void OpenRBtnClick();
  void TemplateRBtnClick();
  void NotTemplateRBtnClick();
  // A click on entry index of the template list (-1: no entry).
  void TemplateListBoxClick(int index);
  bool TemplateListBoxDblClick();

 private:
  void SetNextCaption(bool ends);

  int FStartMode;
  int FTemplateCount;
  TWizardPage FPage;
  bool FNewChecked = true;
  bool FTemplateChecked = true;
  QString FOKCaption;
  bool FOKEnabled = true;
  bool FBackEnabled = false;
  bool FActivated = false;
  int FTemplateIndex = -1;
  TWizardChoice FChoice = wcNone;
};
