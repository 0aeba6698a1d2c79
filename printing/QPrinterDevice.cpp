#include "QPrinterDevice.h"

#include <QPageLayout>

#include "PdfPrintDevice.h"
#include "PrintMessages.h"

QPrinterDevice::QPrinterDevice(QPrinter& printer) : FPrinter(printer) {}

QPrinterDevice::~QPrinterDevice() { Abort(); }

void QPrinterDevice::SetUpPdf(QPrinter& printer, const QString& path, double widthMm, double heightMm, int dpi) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setResolution(dpi);
  printer.setFullPage(true);
  printer.setPageLayout(PdfPrintDevice::SheetLayout(widthMm, heightMm));
  printer.setFullPage(true);
}

bool QPrinterDevice::IsPdf() const { return FPrinter.outputFormat() == QPrinter::PdfFormat; }

int QPrinterDevice::GetDeviceCaps(TDeviceCap index) const {
  return PdfPrintDevice::CapsOf(FPrinter.pageLayout(), FPrinter.resolution(), index);
}

bool QPrinterDevice::Printing() const { return FPdf ? FPdf->Printing() : FPainter != nullptr; }

QPainter& QPrinterDevice::Canvas() { return FPdf ? FPdf->Canvas() : *FPainter; }

bool QPrinterDevice::BeginDoc(QString* error) {
  if (Printing()) Abort();
  if (IsPdf()) {
    FPdf = std::make_unique<PdfPrintDevice>(FPrinter.outputFileName(), FPrinter.pageLayout(), FPrinter.resolution(),
                                            FPrinter.docName());
    if (FPdf->BeginDoc(error)) return true;
    FPdf.reset();
    return false;
  }
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(&FPrinter)) {
    Abort();
    if (error) *error = PrintMessage(PrintText::PrinterRefused);
    return false;
  }
  return true;
}

bool QPrinterDevice::EndDoc(QString* error) {
  if (FPdf) {
    const bool done = FPdf->EndDoc(error);
    FPdf.reset();
    return done;
  }
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  const bool ended = FPainter->end();
  FPainter.reset();
  if (!ended || FPrinter.printerState() == QPrinter::Error) {
    if (error) *error = PrintMessage(PrintText::PrinterSendFailed);
    return false;
  }
  return true;
}

bool QPrinterDevice::NewPage(QString* error) {
  if (FPdf) return FPdf->NewPage(error);
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  const bool started = FPrinter.newPage();
  if (!started && error) *error = PrintMessage(PrintText::PrinterSendFailed);
  return started;
}

void QPrinterDevice::Abort() {
  if (FPdf) {
    FPdf->Abort();
    FPdf.reset();
  }
  if (FPainter && FPainter->isActive()) {
    FPrinter.abort();
    FPainter->end();
  }
  FPainter.reset();
}
