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

TOutcome QPrinterDevice::BeginDoc() {
  if (Printing()) Abort();
  if (IsPdf()) {
    FPdf = std::make_unique<PdfPrintDevice>(FPrinter.outputFileName(), FPrinter.pageLayout(), FPrinter.resolution(),
                                            FPrinter.docName());
    TOutcome started = FPdf->BeginDoc();
    if (!started.Ok()) FPdf.reset();
    return started;
  }
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(&FPrinter)) {
    Abort();
    return TOutcome::Refused(PrintMessage(PrintText::PrinterRefused));
  }
  return {};
}

TOutcome QPrinterDevice::EndDoc() {
  if (FPdf) {
    TOutcome done = FPdf->EndDoc();
    FPdf.reset();
    return done;
  }
  if (!FPainter) return TOutcome::Refused(PrintMessage(PrintText::NotPrinting));
  const bool ended = FPainter->end();
  FPainter.reset();
  if (!ended || FPrinter.printerState() == QPrinter::Error)
    return TOutcome::Failed(PrintMessage(PrintText::PrinterSendFailed));
  return {};
}

TOutcome QPrinterDevice::NewPage() {
  if (FPdf) return FPdf->NewPage();
  if (!FPainter) return TOutcome::Refused(PrintMessage(PrintText::NotPrinting));
  if (!FPrinter.newPage()) return TOutcome::Failed(PrintMessage(PrintText::PrinterSendFailed));
  return {};
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
