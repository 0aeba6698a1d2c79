#pragma once
// The print device of a PDF file, on QPdfWriter alone (no QPrinter, no print
// system), for the headless commands and for PDF chosen in the print dialog.
// The document is made in memory and written through a temporary file beside
// the output that takes its name only once the whole document is on disk, so
// a failed job (a full disk included) leaves no half-written file and an
// earlier file of that name as it was.
#include <QPageLayout>
#include <QPainter>
#include <QString>

#include <memory>

#include "PrintDevice.h"

class QBuffer;
class QPdfWriter;

class PdfPrintDevice : public IPrintDevice {
 public:
  // layout: the paper and its margins; dpi: device pixels per inch; title:
  // the document's title (empty: the output's base name).
  PdfPrintDevice(const QString& path, const QPageLayout& layout, int dpi, const QString& title = QString());
  ~PdfPrintDevice() override;

  int GetDeviceCaps(TDeviceCap index) const override;
  TOutcome BeginDoc() override;
  bool Printing() const override { return FPainter != nullptr; }
  QPainter& Canvas() override { return *FPainter; }
  TOutcome EndDoc() override;
  void Abort() override;
  TOutcome NewPage() override;

  // The paper widthMm x heightMm, the whole sheet printable (no margins, so
  // the offsets are 0).
  static QPageLayout SheetLayout(double widthMm, double heightMm);
  // A printer's capabilities for a page laid out so at dpi.
  static int CapsOf(const QPageLayout& layout, int dpi, TDeviceCap index);

 private:
  QString FPath;
  QPageLayout FLayout;
  int FDpi;
  QString FTitle;
  std::unique_ptr<QBuffer> FBuffer;
  std::unique_ptr<QPdfWriter> FPdf;
  std::unique_ptr<QPainter> FPainter;
};
