#include "CalibrationDlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CalibrationText.h"
#include "DialogFrame.h"
#include "DialogPlacement.h"
#include "FocusExit.h"
#include "UserInterface.h"

namespace {
constexpr int kMessageTitle = 1010;
constexpr int kClientWidth = 460, kClientHeight = 318;
constexpr int kPageSteps = 10;  // Page Up and Page Down move ten steps

QLabel* NewLabel(QWidget* parent, const QString& text, QRect bounds) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(bounds);
  return label;
}
}  // namespace

TCalibrationDlg::TCalibrationDlg(TCalibrationHooks hooks, QWidget* parent) : QDialog(parent), FHooks(std::move(hooks)) {
  using namespace CalibrationText;
  setObjectName(QStringLiteral("CalibrationDlg"));
  setWindowTitle(CalibrationMessage(DialogCaption));
  setFixedSize(kClientWidth, kClientHeight);
  SetDialogFrame(this);

  NewLabel(this, CalibrationMessage(PrinterLabel), QRect(16, 16, 72, 22));
  PrinterNameLabel = NewLabel(this, QString(), QRect(88, 16, 228, 22));
  PrinterNameLabel->setObjectName(QStringLiteral("PrinterNameLabel"));
  ChoosePrinterBtn = new QPushButton(CalibrationMessage(ChoosePrinter), this);
  ChoosePrinterBtn->setObjectName(QStringLiteral("ChoosePrinterBtn"));
  ChoosePrinterBtn->setGeometry(324, 14, 120, 26);
  ChoosePrinterBtn->setAutoDefault(false);
  connect(ChoosePrinterBtn, &QPushButton::clicked, this, &TCalibrationDlg::ChoosePrinterBtnClick);

  const struct {
    const char* Name;
    int Caption, Unit;
  } fields[] = {{"OffsetXEdit", OffsetX, OffsetRange},
                {"OffsetYEdit", OffsetY, OffsetRange},
                {"ScaleXEdit", ScaleX, ScaleRange},
                {"ScaleYEdit", ScaleY, ScaleRange}};
  for (int i = 0; i < TPrinterCalibration::FieldCount; ++i) {
    const int top = 56 + 32 * i;
    const Field f = Field(i);
    QLabel* caption = NewLabel(this, CalibrationMessage(fields[i].Caption), QRect(16, top, 80, 24));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(fields[i].Name));
    edit->setGeometry(100, top, 76, 24);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(12);
    caption->setBuddy(edit);
    NewLabel(this, CalibrationMessage(fields[i].Unit), QRect(184, top, 260, 24));
    // Text the dialog sets is the rules' own; taking it back changes nothing.
    connect(edit, &QLineEdit::textChanged, this, [this, f](const QString& text) { FieldEdited(f, text); });
    edit->installEventFilter(this);
    FExits[i] = std::make_unique<FocusExit>(edit, [this, f] { FieldExit(f); });
    Fields[i] = edit;
  }

  HowToLabel = NewLabel(this, CalibrationMessage(HowTo), QRect(16, 190, 428, 78));
  HowToLabel->setObjectName(QStringLiteral("HowToLabel"));
  HowToLabel->setWordWrap(true);
  HowToLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  PrintSheetBtn = new QPushButton(CalibrationMessage(PrintSheet), this);
  PrintSheetBtn->setObjectName(QStringLiteral("PrintSheetBtn"));
  PrintSheetBtn->setGeometry(16, 278, 160, 26);
  PrintSheetBtn->setAutoDefault(false);
  connect(PrintSheetBtn, &QPushButton::clicked, this, &TCalibrationDlg::PrintSheetBtnClick);
  OKBtn = new QPushButton(CalibrationMessage(Ok), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(268, 278, 80, 26);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &TCalibrationDlg::OKBtnClick);
  CancelBtn = new QPushButton(CalibrationMessage(Cancel), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(364, 278, 80, 26);
  CancelBtn->setAutoDefault(false);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  LoadPrinter();
}

TCalibrationDlg::~TCalibrationDlg() {
  // The watchers go before the fields they watch.
  for (auto& exit : FExits) exit.reset();
}

void TCalibrationDlg::LoadPrinter() {
  FPrinter = FHooks.PrinterName ? FHooks.PrinterName() : QString();
  const bool known = !FPrinter.isEmpty();
  PrinterNameLabel->setText(known ? FPrinter : CalibrationMessage(CalibrationText::NoPrinter));
  FRules.Open(known && FHooks.Load ? FHooks.Load(FPrinter) : TPrinterCalibration{});
  // Without a printer there is nothing to correct or to print on.
  for (QLineEdit* edit : Fields) edit->setEnabled(known);
  PrintSheetBtn->setEnabled(known);
  OKBtn->setEnabled(known);
  Refresh();
}

void TCalibrationDlg::Refresh() {
  for (int i = 0; i < TPrinterCalibration::FieldCount; ++i)
    if (Fields[i]->text() != FRules.Text(Field(i))) Fields[i]->setText(FRules.Text(Field(i)));
}

void TCalibrationDlg::FieldEdited(Field f, const QString& text) { FRules.Edited(f, text); }

void TCalibrationDlg::FieldExit(Field f) {
  FRules.FieldExit(f);
  Refresh();
}

bool TCalibrationDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (int i = 0; i < TPrinterCalibration::FieldCount; ++i) {
      if (watched != Fields[i]) continue;
      int steps = 0;
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up: steps = 1; break;
        case Qt::Key_Down: steps = -1; break;
        case Qt::Key_PageUp: steps = kPageSteps; break;
        case Qt::Key_PageDown: steps = -kPageSteps; break;
        default: break;
      }
      if (steps == 0) break;
      FRules.Step(Field(i), steps);
      Refresh();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TCalibrationDlg::ChoosePrinterBtnClick() {
  // Values changed for the printer shown are not dropped unasked.
  if (!FPrinter.isEmpty()) {
    const bool good = FRules.Accept(nullptr);
    Refresh();
    if (!good) return;
  }
  if (!FPrinter.isEmpty() && FRules.Changed()) {
    const TModalResult keep = UI().MessageBox(CalibrationMessage(CalibrationText::KeepChanges).arg(FPrinter),
                                              LoadStr(kMessageTitle), mbYesNoCancel);
    if (keep == mrCancel) return;
    if (keep == mrYes && (!FHooks.Save || !FHooks.Save(FPrinter, FRules.Values()))) return;
  }
  if (!FHooks.ChoosePrinter || !FHooks.ChoosePrinter()) return;
  LoadPrinter();
}

void TCalibrationDlg::PrintSheetBtnClick() {
  if (FHooks.PrintSheet) FHooks.PrintSheet();
}

void TCalibrationDlg::OKBtnClick() {
  Field bad = Field(0);
  if (!FRules.Accept(&bad)) {
    Refresh();
    Fields[bad]->setFocus();
    Fields[bad]->selectAll();
    return;
  }
  Refresh();
  if (FPrinter.isEmpty() || !FHooks.Save || !FHooks.Save(FPrinter, FRules.Values())) return;
  accept();
}

void TCalibrationDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}
