#include "WizardDlg.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include "CommonText.h"
#include "DialogFrame.h"
#include "PanelView.h"
#include "ProgramFolders.h"
#include "StringTable.h"
#include "UserInterface.h"
#include "WinControl.h"
#include "WizardPictures.h"

namespace {
constexpr int kWelcomeCaption = 1012;
}

TWizardDlg::TWizardDlg(QWidget* parent, const QString& dataFolder)
    : QDialog(parent),
      FTemplates(FindTemplates(dataFolder.isEmpty() ? ProgramFolders::ForThisProgram().DataFolder() : dataFolder)),
      FState(1, int(FTemplates.TemplateFiles.size())) {
  setWindowTitle(LoadStr(kWelcomeCaption));
  setFixedSize(ClientWidth, ClientHeight);
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  SetDialogFrame(this);

  // A page control whose tabs are hidden: the pages follow one another only
  // through OK and Back.
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setGeometry(0, 0, ClientWidth, 256);
  PageControl1 = new QStackedWidget(frame);
  PageControl1->setGeometry(1, 1, ClientWidth - 2, 254);
  TabSheet1 = BuildChoicePage(QStringLiteral("どちらのファイルを開きますか？"), NewRBtn, QStringLiteral("新しいファイル"),
                              OpenRBtn, QStringLiteral("以前に作ったファイル"), WizardPictures::OpenPicture());
  TabSheet2 = BuildChoicePage(QStringLiteral("新規作成"), TemplateRBtn, QStringLiteral("テンプレートを使う"),
                              NotTemplateRBtn, QStringLiteral("テンプレートを使わない"), WizardPictures::NewPicture());
  TabSheet3 = BuildTemplatePage();
  PageControl1->addWidget(TabSheet1);
  PageControl1->addWidget(TabSheet2);
  PageControl1->addWidget(TabSheet3);

  auto button = [this](const QString& caption, int left) {
    auto* b = new QPushButton(caption, this);
    b->setGeometry(left, 266, 75, 25);
    return b;
  };
  BackBtn = button(QStringLiteral("戻る"), 100);
  OKBtn = button(LoadStr(CommonText::NextButton), 180);
  CancelBtn = button(QStringLiteral("キャンセル"), 262);
  HelpBtn = button(QStringLiteral("ヘルプ(&H)"), 344);
  HelpBtn->setVisible(false);
  OKBtn->setDefault(true);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(BackBtn, &QPushButton::clicked, this, [this] { BackBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(NewRBtn, &QRadioButton::clicked, this, [this] { NewRBtnClick(); });
  connect(OpenRBtn, &QRadioButton::clicked, this, [this] { OpenRBtnClick(); });
  connect(TemplateRBtn, &QRadioButton::clicked, this, [this] { TemplateRBtnClick(); });
  connect(NotTemplateRBtn, &QRadioButton::clicked, this, [this] { NotTemplateRBtnClick(); });
  // Selection, not the current row: the list makes its first row current
  // when it gets the focus from the keyboard, which is no choice.
  connect(TemplateListBox, &QListWidget::itemSelectionChanged, this, [this] { TemplateListBoxClick(); });
  TemplateListBox->viewport()->installEventFilter(this);

  ShowState();
}

TWizardDlg::~TWizardDlg() { DropPreviewView(); }

QWidget* TWizardDlg::BuildChoicePage(const QString& group, QRadioButton*& first, const QString& firstText,
                                     QRadioButton*& second, const QString& secondText, const QImage& picture) {
  auto* page = new QWidget;
  auto* box = new QGroupBox(group, page);
  box->setGeometry(16, 24, 228, 120);
  first = new QRadioButton(firstText, box);
  first->setGeometry(20, 36, 200, 24);
  second = new QRadioButton(secondText, box);
  second->setGeometry(20, 72, 200, 24);
  auto* pictureLabel = new QLabel(page);
  pictureLabel->setGeometry(258, 28, WizardPictures::Width, WizardPictures::Height);
  pictureLabel->setPixmap(QPixmap::fromImage(picture));
  return page;
}

QWidget* TWizardDlg::BuildTemplatePage() {
  auto* page = new QWidget;
  auto* choose = new QLabel(QStringLiteral("テンプレートを選択してください"), page);
  choose->setGeometry(8, 8, 410, 18);
  auto* preview = new QLabel(QStringLiteral("プレビュー"), page);
  preview->setGeometry(170, 30, 248, 18);
  TemplateListBox = new QListWidget(page);
  TemplateListBox->setGeometry(8, 50, 153, 161);
  TemplateListBox->setSelectionMode(QAbstractItemView::SingleSelection);
  TemplateListBox->addItems(FTemplates.Names);
  ScrollBox1 = new QScrollArea(page);
  ScrollBox1->setGeometry(170, 50, ScrollBoxWidth, ScrollBoxHeight);
  ScrollBox1->setWidgetResizable(false);
  FPreviewHost = new QWidget;
  FPreviewHost->resize(0, 0);
  ScrollBox1->setWidget(FPreviewHost);
  return page;
}

void TWizardDlg::SetStartMode(int startMode) {
  FState = TWizardState(startMode, int(FTemplates.TemplateFiles.size()));
  ShowState();
}

void TWizardDlg::ShowState() {
  PageControl1->setCurrentIndex(FState.Page());
  const QSignalBlocker b1(NewRBtn), b2(OpenRBtn), b3(TemplateRBtn), b4(NotTemplateRBtn);
  (FState.NewChecked() ? NewRBtn : OpenRBtn)->setChecked(true);
  (FState.TemplateChecked() ? TemplateRBtn : NotTemplateRBtn)->setChecked(true);
  OKBtn->setText(FState.OKCaption());
  OKBtn->setEnabled(FState.OKEnabled());
  BackBtn->setEnabled(FState.BackEnabled());
}

// ---- Handlers ------------------------------------------------------------------

void TWizardDlg::FormActivate() {
  FState.FormActivate();
  ShowState();
}

void TWizardDlg::OKBtnClick() {
  const bool done = FState.OKBtnClick();
  ShowState();
  if (done) accept();
}

void TWizardDlg::BackBtnClick() {
  FState.BackBtnClick();
  ShowState();
}

void TWizardDlg::NewRBtnClick() {
  FState.NewRBtnClick();
  ShowState();
}

void TWizardDlg::OpenRBtnClick() {
  FState.OpenRBtnClick();
  ShowState();
}

void TWizardDlg::TemplateRBtnClick() {
  FState.TemplateRBtnClick();
  ShowState();
}

void TWizardDlg::NotTemplateRBtnClick() {
  FState.NotTemplateRBtnClick();
  ShowState();
}

void TWizardDlg::TemplateListBoxClick() {
  const QList<QListWidgetItem*> selected = TemplateListBox->selectedItems();
  if (selected.isEmpty()) return;
  FState.TemplateListBoxClick(TemplateListBox->row(selected.front()));
  TemplatePath = FTemplates.PathAt(FState.TemplateIndex());
  ShowState();
  RenderTemplatePreview();
}

void TWizardDlg::TemplateListBoxDblClick() {
  if (TemplateListBox->selectedItems().isEmpty()) return;
  TemplatePath = FTemplates.PathAt(FState.TemplateIndex());
  const bool done = FState.TemplateListBoxDblClick();
  ShowState();
  if (done) accept();
}

void TWizardDlg::DropPreviewView() {
  // The view lets go of the panel before the panel is destroyed.
  delete PreviewView;
  PreviewView = nullptr;
}

void TWizardDlg::RenderTemplatePreview() {
  DropPreviewView();
  const TTemplatePreview::TRenderResult result =
      FPreview.Render(TemplatePath, QSize(ScrollBoxWidth, ScrollBoxHeight));
  if (result != TTemplatePreview::prShown) {
    FPreviewHost->resize(0, 0);
    // What the platform says about a file it cannot read; a record the
    // preview does not know leaves it empty without a word.
    if (result == TTemplatePreview::prFailed) UI().ShowError(FPreview.ErrorText());
    return;
  }
  TPanel* panel = FPreview.PreviewPanel();
  // Exactly the panel's extent: the box scrolls only where the card does
  // not fit.
  FPreviewHost->resize(panel->Left() + panel->Width(), panel->Top() + panel->Height());
  PreviewView = new PanelView(panel, FPreviewHost);
  // Preview objects do not react to the mouse.
  PreviewView->setAttribute(Qt::WA_TransparentForMouseEvents);
  PreviewView->show();
  ScrollBox1->horizontalScrollBar()->setValue(0);
  ScrollBox1->verticalScrollBar()->setValue(0);
}

// ---- Window events --------------------------------------------------------------

void TWizardDlg::CentreOnScreen() {
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void TWizardDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen();
  // Headless there may be no activation; the state picks its page once.
  FormActivate();
}

void TWizardDlg::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QDialog::changeEvent(event);
}

bool TWizardDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TemplateListBox->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    TemplateListBoxDblClick();
    // Once chosen, the list has nothing more to do with the click.
    return FState.WizardChoice() == wcFromTemplate;
  }
  return QDialog::eventFilter(watched, event);
}

TWizardResult RunWizard(int startMode, const QString& dataFolder, QWidget* parent) {
  TWizardDlg dialog(parent, dataFolder);
  dialog.SetStartMode(startMode);
  TWizardResult result;
  if (dialog.exec() == QDialog::Accepted) {
    result.Choice = dialog.WizardChoice();
    if (result.Choice == wcFromTemplate) result.TemplatePath = dialog.TemplatePath;
  }
  return result;
}
