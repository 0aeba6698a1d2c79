#pragma once
// The print device of a QPrinter as the print dialog left it: a real printer
// (through the system's print queue) or PDF output to a file. PDF is made in
// memory and written through a temporary file beside the output that takes
// its name only once the whole document is on disk, so a failed job (a full
// disk included) leaves no half-written file and an earlier file of that name
// as it was.
#include <QPainter>
#include <QPrinter>

#include <memory>

#include "PrintDevice.h"

class QBuffer;
class QPdfWriter;

class QPrinterDevice : public IPrintDevice {
 public:
  // printer must outlive the device.
  explicit QPrinterDevice(QPrinter& printer);
  ~QPrinterDevice() override;

  int GetDeviceCaps(TDeviceCap index) const override;
  bool BeginDoc(QString* error) override;
  bool Printing() const override { return FPainter != nullptr; }
  QPainter& Canvas() override { return *FPainter; }
  bool EndDoc(QString* error) override;
  void Abort() override;
  bool NewPage(QString* error) override;

  // A PDF QPrinter with the paper widthMm x heightMm, the whole sheet
  // printable (no margins, so the offsets are 0), at dpi device pixels per
  // inch, writing to path.
  static void SetUpPdf(QPrinter& printer, const QString& path, double widthMm, double heightMm, int dpi);

 private:
  bool IsPdf() const;

  QPrinter& FPrinter;
  // PDF: the document is made in memory and written out at the end, where
  // every write can be checked.
  std::unique_ptr<QBuffer> FBuffer;
  std::unique_ptr<QPdfWriter> FPdf;
  std::unique_ptr<QPainter> FPainter;
};
