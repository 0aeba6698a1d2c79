#include "ImagePrintDevice.h"

#include <algorithm>
#include <utility>

#include "PrintMessages.h"

ImagePrintDevice::ImagePrintDevice(const TImageDeviceCaps& caps) : FCaps(caps) {}

ImagePrintDevice::~ImagePrintDevice() { Abort(); }

int ImagePrintDevice::GetDeviceCaps(TDeviceCap index) const {
  switch (index) {
    case HORZSIZE: return FCaps.HorzSize;
    case VERTSIZE: return FCaps.VertSize;
    case HORZRES: return FCaps.HorzRes;
    case VERTRES: return FCaps.VertRes;
    case PHYSICALWIDTH: return FCaps.PhysicalWidth;
    case PHYSICALHEIGHT: return FCaps.PhysicalHeight;
    case PHYSICALOFFSETX: return FCaps.PhysicalOffsetX;
    case PHYSICALOFFSETY: return FCaps.PhysicalOffsetY;
  }
  return 0;
}

TOutcome ImagePrintDevice::BeginDoc() {
  if (FPainter) Abort();
  if (!FBeginFailure.isEmpty()) return TOutcome::Refused(std::exchange(FBeginFailure, QString()));
  // The sheet holds at least the printable area where it lies.
  const int width = std::max(FCaps.PhysicalWidth, FCaps.PhysicalOffsetX + FCaps.HorzRes);
  const int height = std::max(FCaps.PhysicalHeight, FCaps.PhysicalOffsetY + FCaps.VertRes);
  constexpr qint64 MaxPixels = 400'000'000;
  if (width <= 0 || height <= 0 || qint64(width) * height > MaxPixels)
    return TOutcome::Refused(PrintMessage(PrintText::NoDeviceInfo));
  // The last page's memory is used again when no one else holds it: a job
  // after a job costs no fresh allocation of the whole sheet.
  if (FPage.size() == QSize(width, height) && FPage.isDetached())
    FSheet = std::move(FPage);
  else
    FSheet = QImage(width, height, QImage::Format_RGB32);
  FPage = QImage();
  if (FSheet.isNull()) return TOutcome::Refused(PrintMessage(PrintText::OutOfMemory));
  FJobPages.clear();
  StartPainting();
  return {};
}

void ImagePrintDevice::StartPainting() {
  FSheet.fill(Qt::white);
  FPainter = std::make_unique<QPainter>(&FSheet);
  // As a printer's device context: origin at the printable area, nothing
  // printed beyond it.
  FPainter->translate(FCaps.PhysicalOffsetX, FCaps.PhysicalOffsetY);
  FPainter->setClipRect(QRect(0, 0, FCaps.HorzRes, FCaps.VertRes));
}

TOutcome ImagePrintDevice::NewPage() {
  if (!FPainter) return TOutcome::Refused(PrintMessage(PrintText::NotPrinting));
  FPainter.reset();
  FJobPages.push_back(FSheet.copy());
  StartPainting();
  return {};
}

TOutcome ImagePrintDevice::EndDoc() {
  if (!FPainter) return TOutcome::Refused(PrintMessage(PrintText::NotPrinting));
  FPainter.reset();
  if (!FEndFailure.isEmpty()) {
    FSheet = QImage();
    return TOutcome::Failed(std::exchange(FEndFailure, QString()));
  }
  if (!FJobPages.empty()) FJobPages.push_back(FSheet.copy());
  FPage = std::move(FSheet);
  FSheet = QImage();
  ++FPages;
  return {};
}

void ImagePrintDevice::Abort() {
  FPainter.reset();
  FJobPages.clear();
  FSheet = QImage();
}
