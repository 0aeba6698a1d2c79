// The print command of the main window: the print dialog, then the card
// sheet printed on the printer (or PDF file) chosen there.
#include <QFileInfo>
#include <QPrinter>

#include <algorithm>

#include "OutputFile.h"
#include "CommonText.h"
#include "PrintJob.h"
#include "PrintMessages.h"
#include "PrinterPage.h"
#include "QPrinterDevice.h"
#include "StringTable.h"
#include "Unit3.h"

namespace {
// PDF output is resolution-free; this many device pixels per inch keep text
// and lines exact without making pictures larger than they are.
constexpr int kPdfDpi = 600;
}  // namespace

QPrinter& TForm3::CurrentPrinter() {
  if (!FPrinter) FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  const QSizeF paper(DocumentSetup.PaperWidth, DocumentSetup.PaperHeight);
  if (paper.width() > 0 && paper.height() > 0 && paper != FOfferedPaper) {
    const qreal w = paper.width(), h = paper.height();
    FPrinter->setPageSize(QPageSize(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Millimeter));
    FPrinter->setPageOrientation(w > h ? QPageLayout::Landscape : QPageLayout::Portrait);
    FOfferedPaper = paper;
  }
  TakePrinterPage(*FPrinter, PrinterPageOf ? PrinterPageOf(*FPrinter) : AskPrinterPage(*FPrinter, kPdfDpi));
  return *FPrinter;
}

bool TForm3::AfterPrintDialog(QPrinter& printer) {
  // The dialog may have switched printers, and Qt keeps the last one's
  // margins and resolution.
  TakePrinterPage(printer, PrinterPageOf ? PrinterPageOf(printer) : AskPrinterPage(printer, kPdfDpi));
  // Printing to the document's own file would put a PDF where the card was.
  if (printer.outputFormat() == QPrinter::PdfFormat && SameFile(printer.outputFileName(), DocumentFileName)) {
    UI().MessageBox(PrintMessage(PrintText::OutputIsDocument).arg(printer.outputFileName()),
                    LoadStr(CommonText::MessageTitle), mbOK);
    return false;
  }
  return true;
}

void TForm3::FilePrintClick() {
  if (!DocumentOpen || !DrawPanel) return;
  // Text being typed belongs to the card that is printed.
  if (TextEditing) CloseTextEditor();

  QPrinter& printer = CurrentPrinter();
  printer.setDocName(QFileInfo(DocumentFileName).completeBaseName());
  if (!UI().PrintSetup(printer)) return;
  if (!AfterPrintDialog(printer)) return;
  // The corrections of the printer chosen just now.
  const TPrinterCalibration calibration = PrinterCalibration(CurrentPrinterName());
  QPrinterDevice device(printer);
  const TOutcome printed = PrintCardSheet(device, BGImage, ObjectList, DocumentSetup, calibration);
  if (!printed.Ok()) UI().MessageBox(printed.Reason(), LoadStr(CommonText::MessageTitle), mbOK);
}
