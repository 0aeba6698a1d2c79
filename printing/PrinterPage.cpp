#include "PrinterPage.h"

#include <QPageLayout>
#include <QPrinter>

namespace {
// A layout's minimum margins come in its own units.
QMarginsF MinimumMarginsMm(const QPageLayout& layout) {
  if (layout.units() == QPageLayout::Millimeter) return layout.minimumMargins();
  const QPageLayout probe(layout.pageSize(), layout.orientation(), layout.minimumMargins(), layout.units());
  return probe.margins(QPageLayout::Millimeter);
}
}  // namespace

TPrinterPage AskPrinterPage(const QPrinter& printer, int pdfDpi) {
  if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
    return TPrinterPage{QMarginsF(), pdfDpi, true};
  QPrinter own(QPrinter::HighResolution);
  own.setPrinterName(printer.printerName());
  if (own.printerName() != printer.printerName()) {
    // The queue is gone; what the printer knows of it is all there is.
    return TPrinterPage{MinimumMarginsMm(printer.pageLayout()), printer.resolution(), false};
  }
  const QPageLayout chosen = printer.pageLayout();
  own.setPageOrientation(chosen.orientation());
  own.setPageSize(chosen.pageSize());
  return TPrinterPage{MinimumMarginsMm(own.pageLayout()), own.resolution(), false};
}

void TakePrinterPage(QPrinter& printer, const TPrinterPage& page) {
  if (page.Dpi > 0 && printer.resolution() != page.Dpi) printer.setResolution(page.Dpi);
  printer.setFullPage(page.WholeSheet);
  if (page.WholeSheet) return;
  const QPageLayout now = printer.pageLayout();
  QPageLayout wanted(now.pageSize(), now.orientation(), page.MarginsMm, QPageLayout::Millimeter);
  wanted.setMinimumMargins(QMarginsF());
  wanted.setMargins(page.MarginsMm);
  // The queue refuses margins narrower than it can print; its own minimum
  // is then the nearest it takes.
  if (!printer.setPageLayout(wanted)) printer.setPageMargins(printer.pageLayout().minimumMargins(), now.units());
}
