// The print command of the main window: the print dialog, then the card
// sheet printed on the printer (or PDF file) chosen there.
#include <QFileInfo>
#include <QPrinter>

#include <algorithm>

#include "PrintJob.h"
#include "QPrinterDevice.h"
#include "StringTable.h"
#include "Unit3.h"

namespace {
// PDF output is resolution-free; this many device pixels per inch keep text
// and lines exact without making pictures larger than they are.
constexpr int kPdfDpi = 600;
}  // namespace

void TForm3::FilePrintClick() {
  if (!DocumentOpen || !DrawPanel) return;
  // Text being typed belongs to the card that is printed.
  if (TextEditing) CloseTextEditor();

  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QFileInfo(DocumentFileName).completeBaseName());
  // The document's paper is offered first; the printer's paper decides.
  if (DocumentSetup.PaperWidth > 0 && DocumentSetup.PaperHeight > 0) {
    const float w = DocumentSetup.PaperWidth, h = DocumentSetup.PaperHeight;
    printer.setPageSize(QPageSize(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Millimeter));
    printer.setPageOrientation(w > h ? QPageLayout::Landscape : QPageLayout::Portrait);
  }
  if (!UI().PrintSetup(printer)) return;
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    printer.setResolution(kPdfDpi);
    printer.setFullPage(true);
  }

  QPrinterDevice device(printer);
  QString error;
  if (!PrintCardSheet(device, BGImage, ObjectList, DocumentSetup, &error)) UI().MessageBox(error, LoadStr(1010), mbOK);
}
