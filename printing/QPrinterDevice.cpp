#include "QPrinterDevice.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

#include "PrintMessages.h"

QPrinterDevice::QPrinterDevice(QPrinter& printer) : FPrinter(printer) {}

QPrinterDevice::~QPrinterDevice() { Abort(); }

void QPrinterDevice::SetUpPdf(QPrinter& printer, const QString& path, double widthMm, double heightMm, int dpi) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setResolution(dpi);
  printer.setFullPage(true);
  // Page sizes are portrait; a sheet wider than high is one turned.
  const QPageSize size(QSizeF(std::min(widthMm, heightMm), std::max(widthMm, heightMm)), QPageSize::Millimeter,
                       QString(), QPageSize::ExactMatch);
  const auto orientation = widthMm > heightMm ? QPageLayout::Landscape : QPageLayout::Portrait;
  printer.setPageLayout(QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  printer.setFullPage(true);
}

bool QPrinterDevice::IsPdf() const { return FPrinter.outputFormat() == QPrinter::PdfFormat; }

int QPrinterDevice::GetDeviceCaps(TDeviceCap index) const {
  const QPageLayout layout = FPrinter.pageLayout();
  const int dpi = FPrinter.resolution();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  const QRectF paintMm = layout.paintRect(QPageLayout::Millimeter);
  switch (index) {
    case HORZSIZE: return int(std::lround(paintMm.width()));
    case VERTSIZE: return int(std::lround(paintMm.height()));
    case HORZRES: return paint.width();
    case VERTRES: return paint.height();
    case PHYSICALWIDTH: return full.width();
    case PHYSICALHEIGHT: return full.height();
    case PHYSICALOFFSETX: return paint.left() - full.left();
    case PHYSICALOFFSETY: return paint.top() - full.top();
  }
  return 0;
}

bool QPrinterDevice::BeginDoc(QString* error) {
  if (FPainter) Abort();
  auto fail = [&](const QString& why) {
    Abort();
    if (error) *error = why;
    return false;
  };
  if (!IsPdf()) {
    FPainter = std::make_unique<QPainter>();
    if (!FPainter->begin(&FPrinter)) return fail(PrintMessage(PrintText::PrinterRefused));
    return true;
  }
  const QString path = FPrinter.outputFileName();
  if (path.isEmpty()) return fail(PrintMessage(PrintText::CannotWriteFile).arg(QString(), QString()));
  FFile = std::make_unique<QSaveFile>(path);
  if (!FFile->open(QIODevice::WriteOnly))
    return fail(PrintMessage(PrintText::CannotWriteFile).arg(path, FFile->errorString()));
  FPdf = std::make_unique<QPdfWriter>(FFile.get());
  FPdf->setCreator(QStringLiteral("Tessolo"));
  FPdf->setTitle(FPrinter.docName().isEmpty() ? QFileInfo(path).completeBaseName() : FPrinter.docName());
  FPdf->setResolution(FPrinter.resolution());
  FPdf->setPageLayout(FPrinter.pageLayout());
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(FPdf.get())) return fail(PrintMessage(PrintText::CannotWriteFile).arg(path, QString()));
  return true;
}

bool QPrinterDevice::EndDoc(QString* error) {
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  const bool ended = FPainter->end();
  FPainter.reset();
  if (!IsPdf() || !FFile) {
    if (!ended || FPrinter.printerState() == QPrinter::Error) {
      if (error) *error = PrintMessage(PrintText::PrinterSendFailed);
      return false;
    }
    return true;
  }
  FPdf.reset();
  // The writer reports little; the file tells whether it all went to disk.
  const QString path = FFile->fileName();
  bool ok = ended && FFile->error() == QFileDevice::NoError;
  QString why = ok ? QString() : PrintMessage(PrintText::PdfIncomplete).arg(path);
  if (ok && !FFile->commit()) {
    ok = false;
    why = PrintMessage(PrintText::CannotWriteFile).arg(path, FFile->errorString());
  }
  FFile.reset();  // uncommitted: the temporary file goes, the earlier file stays
  if (!ok && error) *error = why;
  return ok;
}

void QPrinterDevice::Abort() {
  if (FPainter && FPainter->isActive()) {
    if (!IsPdf()) FPrinter.abort();
    FPainter->end();
  }
  FPainter.reset();
  FPdf.reset();
  if (FFile) FFile->cancelWriting();
  FFile.reset();
}
