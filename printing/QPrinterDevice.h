#pragma once
// The print device of a QPrinter as the print dialog left it: a real printer
// (through the system's print queue) or PDF output to a file, which a
// PdfPrintDevice makes.
#include <QPainter>
#include <QPrinter>

#include <memory>

#include "PrintDevice.h"

class PdfPrintDevice;

class QPrinterDevice : public IPrintDevice {
 public:
  // printer must outlive the device.
  explicit QPrinterDevice(QPrinter& printer);
  ~QPrinterDevice() override;

  int GetDeviceCaps(TDeviceCap index) const override;
  TOutcome BeginDoc() override;
  bool Printing() const override;
  QPainter& Canvas() override;
  TOutcome EndDoc() override;
  void Abort() override;
  TOutcome NewPage() override;

  // A PDF QPrinter with the paper widthMm x heightMm, the whole sheet
  // printable (no margins, so the offsets are 0), at dpi device pixels per
  // inch, writing to path.
  static void SetUpPdf(QPrinter& printer, const QString& path, double widthMm, double heightMm, int dpi);

 private:
  bool IsPdf() const;

  QPrinter& FPrinter;
  std::unique_ptr<PdfPrintDevice> FPdf;  // PDF output, while printing
  std::unique_ptr<QPainter> FPainter;    // a printer, while printing
};
