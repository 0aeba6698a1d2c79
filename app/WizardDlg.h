#pragma once
// TWizardDlg: the start wizard, the small modal dialog every new card begins
// with. Page 1 (start-up only): a new file or one made before; page 2: from
// a template or an empty card; page 3: the templates beside the program with
// a half-size preview. Its rules live in TWizardState; the dialog shows that
// state and passes the clicks on. RunWizard shows it and returns the choice.
#include <QDialog>
#include <QString>

#include <memory>

#include "TemplateFolder.h"
#include "TemplatePreview.h"
#include "WizardState.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;
class PanelView;
class TPanel;

class TWizardDlg : public QDialog {
  Q_OBJECT
 public:
  // The dialog's client size and the scroll box the preview lies in.
  static constexpr int ClientWidth = 427, ClientHeight = 300;
  static constexpr int ScrollBoxWidth = 248, ScrollBoxHeight = 161;

  // dataFolder: where "Template" is looked for; empty means this program's
  // data folder.
  explicit TWizardDlg(QWidget* parent = nullptr, const QString& dataFolder = {});
  ~TWizardDlg() override;

  // Set before showing: 1 start-up (first page), 2 File > New (second page).
  void SetStartMode(int startMode);
  int StartMode() const { return FState.StartMode(); }
  // Valid once the dialog closed with OK.
  TWizardChoice WizardChoice() const { return FState.WizardChoice(); }
  // The template last clicked (folder + file name).
  QString TemplatePath;

  const TWizardState& State() const { return FState; }
  const TemplateListing& Templates() const { return FTemplates; }
  TPanel* PreviewPanel() const { return FPreview.PreviewPanel(); }
  const std::vector<TControl*>& PreviewObjects() const { return FPreview.PreviewObjects(); }

  // ---- Controls --------------------------------------------------------
  QStackedWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QWidget* TabSheet3 = nullptr;
  QRadioButton* NewRBtn = nullptr;
  QRadioButton* OpenRBtn = nullptr;
  QRadioButton* TemplateRBtn = nullptr;
  QRadioButton* NotTemplateRBtn = nullptr;
  QListWidget* TemplateListBox = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  PanelView* PreviewView = nullptr;  // shows PreviewPanel; nullptr while none
  QPushButton* BackBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* HelpBtn = nullptr;

  // ---- Handlers ---------------------------------------------------------
  void FormActivate();
  void OKBtnClick();
  void BackBtnClick();
  void NewRBtnClick();
  void OpenRBtnClick();
  void TemplateRBtnClick();
  void NotTemplateRBtnClick();
  void TemplateListBoxClick();
  void TemplateListBoxDblClick();
  void RenderTemplatePreview();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildChoicePage(const QString& group, QRadioButton*& first, const QString& firstText,
                           QRadioButton*& second, const QString& secondText, const QImage& picture);
  QWidget* BuildTemplatePage();
  void ShowState();
  void DropPreviewView();
  void CentreOnScreen();

  TemplateListing FTemplates;
  TWizardState FState;
  TTemplatePreview FPreview;
  QWidget* FPreviewHost = nullptr;
};

struct TWizardResult {
  TWizardChoice Choice = wcNone;  // wcNone: cancelled
  QString TemplatePath;           // for wcFromTemplate
};

// Shows the wizard modally (caption string 1012) in the given start mode and
// returns what the user chose.
TWizardResult RunWizard(int startMode, const QString& dataFolder, QWidget* parent = nullptr);
