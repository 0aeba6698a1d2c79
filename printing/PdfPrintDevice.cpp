#include "PdfPrintDevice.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include <unistd.h>

#include "ErrorText.h"
#include "OutputFile.h"
#include "PrintMessages.h"

PdfPrintDevice::PdfPrintDevice(const QString& path, const QPageLayout& layout, int dpi, const QString& title)
    : FPath(path), FLayout(layout), FDpi(dpi), FTitle(title) {}

PdfPrintDevice::~PdfPrintDevice() { Abort(); }

QPageLayout PdfPrintDevice::SheetLayout(double widthMm, double heightMm) {
  // Page sizes are portrait; a sheet wider than high is one turned.
  const QPageSize size(QSizeF(std::min(widthMm, heightMm), std::max(widthMm, heightMm)), QPageSize::Millimeter,
                       QString(), QPageSize::ExactMatch);
  const auto orientation = widthMm > heightMm ? QPageLayout::Landscape : QPageLayout::Portrait;
  return QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

int PdfPrintDevice::CapsOf(const QPageLayout& layout, int dpi, TDeviceCap index) {
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

int PdfPrintDevice::GetDeviceCaps(TDeviceCap index) const { return CapsOf(FLayout, FDpi, index); }

TOutcome PdfPrintDevice::BeginDoc() {
  if (FPainter) Abort();
  auto fail = [&](const QString& why) {
    Abort();
    return TOutcome::Refused(why);
  };
  // A file that cannot be written is found before anything is printed.
  if (const QString why = OutputFileProblem(FPath); !why.isEmpty()) return fail(OutputFileMessage(FPath, why));
  FBuffer = std::make_unique<QBuffer>();
  FBuffer->open(QIODevice::WriteOnly);
  FPdf = std::make_unique<QPdfWriter>(FBuffer.get());
  FPdf->setCreator(QStringLiteral("Tessolo"));
  FPdf->setTitle(FTitle.isEmpty() ? QFileInfo(FPath).completeBaseName() : FTitle);
  FPdf->setResolution(FDpi);
  FPdf->setPageLayout(FLayout);
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(FPdf.get())) return fail(PrintMessage(PrintText::OutOfMemory));
  return {};
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

TOutcome PdfPrintDevice::EndDoc() {
  if (!FPainter) return TOutcome::Refused(PrintMessage(PrintText::NotPrinting));
  const bool ended = FPainter->end();
  FPainter.reset();
  FPdf.reset();
  const QByteArray bytes = FBuffer ? FBuffer->data() : QByteArray();
  FBuffer.reset();
  // The writer reports little: a document that does not end as a PDF ends
  // was not made whole.
  if (!ended || !bytes.trimmed().endsWith("%%EOF"))
    return TOutcome::Failed(PrintMessage(PrintText::PdfIncomplete).arg(QDir::toNativeSeparators(FPath)));
  QString why;
  if (!WriteWhole(FPath, bytes, &why))
    return TOutcome::Failed(PrintMessage(PrintText::CannotWriteFile).arg(QDir::toNativeSeparators(FPath), why));
  return {};
}

TOutcome PdfPrintDevice::NewPage() {
  if (!FPainter) return TOutcome::Refused(PrintMessage(PrintText::NotPrinting));
  if (!FPdf->newPage()) return TOutcome::Failed(PrintMessage(PrintText::OutOfMemory));
  return {};
}

void PdfPrintDevice::Abort() {
  if (FPainter && FPainter->isActive()) FPainter->end();
  FPainter.reset();
  FPdf.reset();
  FBuffer.reset();
}
