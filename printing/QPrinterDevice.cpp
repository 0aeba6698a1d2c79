#include "QPrinterDevice.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

#include <cerrno>

#include <unistd.h>

#include "ErrorText.h"
#include "OutputFile.h"
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
  // A file that cannot be written is found before anything is printed.
  if (const QString why = OutputFileProblem(path); !why.isEmpty())
    return fail(OutputFileMessage(path, why));
  FBuffer = std::make_unique<QBuffer>();
  FBuffer->open(QIODevice::WriteOnly);
  FPdf = std::make_unique<QPdfWriter>(FBuffer.get());
  FPdf->setCreator(QStringLiteral("Tessolo"));
  FPdf->setTitle(FPrinter.docName().isEmpty() ? QFileInfo(path).completeBaseName() : FPrinter.docName());
  FPdf->setResolution(FPrinter.resolution());
  FPdf->setPageLayout(FPrinter.pageLayout());
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(FPdf.get())) return fail(PrintMessage(PrintText::OutOfMemory));
  return true;
}

namespace {
// The whole of bytes under path, through a temporary file beside it that
// takes the name only once every byte is on the disk.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString* why) {
  // The file or its folder may have changed while the page was made.
  if (*why = OutputFileProblem(path); !why->isEmpty()) return false;
  QSaveFile file(path);
  auto reason = [&](int message, int errnum) {
    // The system's reason in our words; Qt's own are English.
    *why = PrintMessage(message);
    if (errnum != 0) *why += QLatin1Char('\n') + FileErrorText(errnum);
    return false;
  };
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) return reason(PrintText::CannotCreateFile, errno);
  if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
    const int errnum = errno;
    file.cancelWriting();
    return reason(PrintText::DiskWriteFailed, errnum);
  }
  errno = 0;
  if (!file.commit()) return reason(PrintText::DiskWriteFailed, errno);
  return true;
}
}  // namespace

bool QPrinterDevice::EndDoc(QString* error) {
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  const bool ended = FPainter->end();
  FPainter.reset();
  if (!IsPdf() || !FBuffer) {
    if (!ended || FPrinter.printerState() == QPrinter::Error) {
      if (error) *error = PrintMessage(PrintText::PrinterSendFailed);
      return false;
    }
    return true;
  }
  FPdf.reset();
  const QString path = FPrinter.outputFileName();
  const QByteArray bytes = FBuffer->data();
  FBuffer.reset();
  // The writer reports little: a document that does not end as a PDF ends
  // was not made whole.
  if (!ended || !bytes.trimmed().endsWith("%%EOF")) {
    if (error) *error = PrintMessage(PrintText::PdfIncomplete).arg(QDir::toNativeSeparators(path));
    return false;
  }
  QString why;
  if (!WriteWhole(path, bytes, &why)) {
    if (error) *error = PrintMessage(PrintText::CannotWriteFile).arg(QDir::toNativeSeparators(path), why);
    return false;
  }
  return true;
}

bool QPrinterDevice::NewPage(QString* error) {
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  const bool started = FPdf ? FPdf->newPage() : FPrinter.newPage();
  if (!started && error) *error = PrintMessage(IsPdf() ? PrintText::OutOfMemory : PrintText::PrinterSendFailed);
  return started;
}

void QPrinterDevice::Abort() {
  if (FPainter && FPainter->isActive()) {
    if (!IsPdf()) FPrinter.abort();
    FPainter->end();
  }
  FPainter.reset();
  FPdf.reset();
  FBuffer.reset();
}
