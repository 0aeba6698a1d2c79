// TForm3: the printer calibration command. The corrections belong to the
// printer, not to the document: they live in tessolo.ini under the printer's
// name, and printing and the preview look them up for the printer in use.
#include <QDir>
#include <QPrinter>

#include "CalibrationDlg.h"
#include "CalibrationSheet.h"
#include "CalibrationStore.h"
#include "CalibrationText.h"
#include "OwnSettings.h"
#include "QPrinterDevice.h"
#include "Unit3.h"

namespace {
constexpr int kMessageTitle = 1010;
}  // namespace

QString TForm3::CurrentPrinterName() {
  const QPrinter& printer = CurrentPrinter();
  // Output to a file goes to no printer of the user's.
  return printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
}

TPrinterCalibration TForm3::PrinterCalibration(const QString& printer, bool warn) {
  const TCalibrationStore::Entry entry = TCalibrationStore(OwnSettings()).Read(printer);
  if (entry.What == TCalibrationStore::State::Unreadable && warn)
    UI().MessageBox(CalibrationMessage(CalibrationText::UnreadableEntry).arg(printer, entry.Text),
                    LoadStr(kMessageTitle), mbOK);
  return entry.Value;
}

void TForm3::PrintCalibrationSheetNow() {
  if (TextEditing) CloseTextEditor();
  QPrinterDevice device(CurrentPrinter());
  const TOutcome printed = PrintCalibrationSheet(device, DocumentOpen ? DocumentSetup : DocumentPageSetup{});
  if (!printed.Ok()) UI().MessageBox(printed.Reason(), LoadStr(kMessageTitle), mbOK);
}

void TForm3::FilePrintCalibrationClick() {
  TCalibrationHooks hooks;
  hooks.PrinterName = [this] { return CurrentPrinterName(); };
  hooks.ChoosePrinter = [this] { return UI().PrintSetup(CurrentPrinter()); };
  hooks.Load = [this](const QString& printer) { return PrinterCalibration(printer, true); };
  hooks.Save = [this](const QString& printer, const TPrinterCalibration& values) {
    Folders().PrepareWritableFolder();  // a failure shows as the write's own
    if (TCalibrationStore(OwnSettings()).Write(printer, values)) return true;
    const QString file = Folders().WritablePath(QString::fromLatin1(OwnSettingsFileName));
    UI().MessageBox(CalibrationMessage(CalibrationText::CannotSave).arg(QDir::toNativeSeparators(file)),
                    LoadStr(kMessageTitle), mbOK);
    return false;
  };
  hooks.PrintSheet = [this] { PrintCalibrationSheetNow(); };
  TCalibrationDlg dlg(std::move(hooks), this);
  dlg.exec();
}
