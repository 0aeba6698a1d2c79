#pragma once
// TCalibrationDlg: the corrections of the current printer, four fields for
// the offset (mm) and scale (%) across and down, a button that prints the
// calibration sheet and a short note on how to read it. The value rules live
// in TCalibrationRules; what the dialog reads, stores and prints comes
// through TCalibrationHooks, so it knows nothing of the main window.
#include <QDialog>

#include <array>
#include <functional>
#include <memory>

#include "CalibrationRules.h"

class FocusExit;
class QLabel;
class QLineEdit;
class QPushButton;

struct TCalibrationHooks {
  // The current printer's name; empty when there is none.
  std::function<QString()> PrinterName;
  // The print dialog; true when the user chose (perhaps another printer).
  std::function<bool()> ChoosePrinter;
  // The stored values of a printer (neutral when none are stored).
  std::function<TPrinterCalibration(const QString& printer)> Load;
  // Stores them; false after the user was told why it failed.
  std::function<bool(const QString& printer, const TPrinterCalibration& values)> Save;
  // Prints the calibration sheet on the current printer.
  std::function<void()> PrintSheet;
};

class TCalibrationDlg : public QDialog {
  Q_OBJECT
 public:
  using Field = TPrinterCalibration::Field;

  explicit TCalibrationDlg(TCalibrationHooks hooks, QWidget* parent = nullptr);
  ~TCalibrationDlg() override;

  // The printer the values belong to, and the values as they stand.
  const QString& Printer() const { return FPrinter; }
  const TCalibrationRules& Rules() const { return FRules; }

  // ---- Controls -----------------------------------------------------------
  QLabel* PrinterNameLabel = nullptr;
  QPushButton* ChoosePrinterBtn = nullptr;
  std::array<QLineEdit*, TPrinterCalibration::FieldCount> Fields{};
  QLabel* HowToLabel = nullptr;
  QPushButton* PrintSheetBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // ---- Events -------------------------------------------------------------
  void FieldEdited(Field f, const QString& text);
  void FieldExit(Field f);
  void ChoosePrinterBtnClick();
  void PrintSheetBtnClick();
  // Stores the values and closes, unless a field is bad or storing failed.
  void OKBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LoadPrinter();
  void Refresh();

  TCalibrationHooks FHooks;
  TCalibrationRules FRules;
  QString FPrinter;
  std::array<std::unique_ptr<FocusExit>, TPrinterCalibration::FieldCount> FExits;
};
