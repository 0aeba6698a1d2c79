#include "GridSettingDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "DialogFrame.h"
#include "DialogPlacement.h"
#include "StringTable.h"
#include "UnitField.h"

namespace {
constexpr int kCaption = 1421, kShowGrid = 1422, kFitGrid = 1423, kSpacing = 1424;
constexpr int kUnit = 1414, kMm = 1415, kInch = 1416, kPixel = 1417, kOK = 1418, kCancel = 1419;
constexpr int kClientWidth = 300, kClientHeight = 206;
}  // namespace

TGridSettingDlg::TGridSettingDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("GridSettingDlg"));
  setWindowTitle(LoadStr(kCaption));
  setFixedSize(kClientWidth, kClientHeight);
  SetDialogFrame(this);

  GridDspCheckBox = new QCheckBox(LoadStr(kShowGrid), this);
  GridDspCheckBox->setObjectName(QStringLiteral("GridDspCheckBox"));
  GridDspCheckBox->setGeometry(16, 12, 268, 22);
  FitGridCheckBox = new QCheckBox(LoadStr(kFitGrid), this);
  FitGridCheckBox->setObjectName(QStringLiteral("FitGridCheckBox"));
  FitGridCheckBox->setGeometry(16, 38, 268, 22);

  GridLabel = new QLabel(LoadStr(kSpacing), this);
  GridLabel->setObjectName(QStringLiteral("GridLabel"));
  GridLabel->setGeometry(16, 72, 96, 24);
  GridMemo = new UnitField(this);
  GridMemo->setObjectName(QStringLiteral("GridMemo"));
  GridMemo->setGeometry(116, 72, 88, 24);
  GridLabel->setBuddy(GridMemo);
  connect(GridMemo, &UnitField::Edited, this, &TGridSettingDlg::GridMemoChange);
  connect(GridMemo, &UnitField::Left, this, &TGridSettingDlg::GridMemoExit);

  GroupBox = new QGroupBox(LoadStr(kUnit), this);
  GroupBox->setObjectName(QStringLiteral("GroupBox"));
  GroupBox->setGeometry(16, 104, 268, 54);
  auto addUnit = [this](QRadioButton*& button, const char* name, int text, int x, TEditorUnit unit) {
    button = new QRadioButton(LoadStr(text), GroupBox);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, 22, 84, 22);
    connect(button, &QRadioButton::clicked, this, [this, unit] { TanniClick(unit); });
  };
  addUnit(TanniMmRB, "TanniMmRB", kMm, 12, TEditorUnit::Mm);
  addUnit(TanniInRB, "TanniInRB", kInch, 96, TEditorUnit::Inch);
  addUnit(TanniPixRB, "TanniPixRB", kPixel, 180, TEditorUnit::Pixel);

  OKBtn = new QPushButton(LoadStr(kOK), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(112, 170, 80, 26);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &TGridSettingDlg::OKBtnClick);
  CancelBtn = new QPushButton(LoadStr(kCancel), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(204, 170, 80, 26);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TGridSettingDlg::HandIn(int gridWidthPx, bool gridShown, bool snapToGrid, TEditorUnit unit) {
  GridDspCheckBox->setChecked(gridShown);
  FitGridCheckBox->setChecked(snapToGrid);
  FRules.Open(gridWidthPx, unit);
  Refresh();
}

bool TGridSettingDlg::GridShown() const { return GridDspCheckBox->isChecked(); }
bool TGridSettingDlg::SnapToGrid() const { return FitGridCheckBox->isChecked(); }

void TGridSettingDlg::Refresh() {
  const TEditorUnit unit = FRules.Unit();
  TanniMmRB->setChecked(unit == TEditorUnit::Mm);
  TanniInRB->setChecked(unit == TEditorUnit::Inch);
  TanniPixRB->setChecked(unit == TEditorUnit::Pixel);
  GridMemo->SetUnit(unit);
  if (GridMemo->text() != FRules.Text()) GridMemo->ShowText(FRules.Text());
}

void TGridSettingDlg::TanniClick(TEditorUnit unit) {
  FRules.UnitClicked(unit);
  Refresh();
}

void TGridSettingDlg::GridMemoChange(const QString& text) {
  FRules.MemoChanged(text);
  Refresh();
}

void TGridSettingDlg::GridMemoExit() {
  FRules.MemoExit();
  Refresh();
}

void TGridSettingDlg::OKBtnClick() {
  // Enter presses OK while the caret is still in the field: its exit rule
  // runs first, as on leaving it, and a refused text keeps the dialog open.
  if (focusWidget() == GridMemo) {
    const bool taken = FRules.MemoExit();
    Refresh();
    if (!taken) return;
  }
  if (FRules.CheckSpacing()) accept();
}

void TGridSettingDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}
