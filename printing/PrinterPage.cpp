#include "PrinterPage.h"

#include <QPageLayout>
#include <QPrinter>

TPrinterPage AskPrinterPage(const QPrinter& printer, int pdfDpi) {
  if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
    return TPrinterPage{QMarginsF(), pdfDpi, true};
  QPrinter own(QPrinter::HighResolution);
  own.setPrinterName(printer.printerName());
  if (own.printerName() != printer.printerName()) {
    // The queue is gone; what the printer knows of it is all there is.
    return TPrinterPage{printer.pageLayout().minimumMargins(), printer.resolution(), false};
  }
  const QPageLayout chosen = printer.pageLayout();
  own.setPageOrientation(chosen.orientation());
  own.setPageSize(chosen.pageSize());
  const QPageLayout ownLayout = own.pageLayout();
  QMarginsF margins = ownLayout.minimumMargins();
  if (ownLayout.units() != QPageLayout::Millimeter) {
    // Minimum margins come in the layout's units; convert through a layout
    // that holds them as its margins.
    QPageLayout probe(ownLayout.pageSize(), ownLayout.orientation(), margins, ownLayout.units());
    margins = probe.margins(QPageLayout::Millimeter);
  }
  return TPrinterPage{margins, own.resolution(), false};
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
