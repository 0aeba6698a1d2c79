#pragma once
// What the chosen print queue itself fixes about the page: the margins it
// cannot print in on the chosen paper, and its resolution. Qt carries both
// over from the printer chosen before when the print dialog switches
// printers, so they are asked afresh and given to the printer after every
// choice. PDF output has neither: the whole sheet at the resolution we pick.
#include <QMarginsF>

class QPrinter;

struct TPrinterPage {
  QMarginsF MarginsMm;
  int Dpi = 0;
  bool WholeSheet = false;
  bool operator==(const TPrinterPage&) const = default;
};

// Asks the system about printer's queue through a printer object of its
// own, which carries nothing over; for PDF output the whole sheet at pdfDpi.
TPrinterPage AskPrinterPage(const QPrinter& printer, int pdfDpi);

// Keeps printer's paper and orientation and gives it page's margins and
// resolution.
void TakePrinterPage(QPrinter& printer, const TPrinterPage& page);
