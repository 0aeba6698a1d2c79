#include "ImagePrintDevice.h"

#include <algorithm>

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

bool ImagePrintDevice::BeginDoc(QString* error) {
  if (FPainter) Abort();
  if (!FBeginFailure.isEmpty()) {
    if (error) *error = FBeginFailure;
    FBeginFailure.clear();
    return false;
  }
  // The sheet holds at least the printable area where it lies.
  const int width = std::max(FCaps.PhysicalWidth, FCaps.PhysicalOffsetX + FCaps.HorzRes);
  const int height = std::max(FCaps.PhysicalHeight, FCaps.PhysicalOffsetY + FCaps.VertRes);
  constexpr qint64 MaxPixels = 400'000'000;
  if (width <= 0 || height <= 0 || qint64(width) * height > MaxPixels) {
    if (error) *error = PrintMessage(PrintText::NoDeviceInfo);
    return false;
  }
  // The last page's memory is used again when no one else holds it: a job
  // after a job costs no fresh allocation of the whole sheet.
  if (FPage.size() == QSize(width, height) && FPage.isDetached())
    FSheet = std::move(FPage);
  else
    FSheet = QImage(width, height, QImage::Format_RGB32);
  FPage = QImage();
  if (FSheet.isNull()) {
    if (error) *error = PrintMessage(PrintText::OutOfMemory);
    return false;
  }
  FJobPages.clear();
  StartPainting();
  return true;
}

void ImagePrintDevice::StartPainting() {
  FSheet.fill(Qt::white);
  FPainter = std::make_unique<QPainter>(&FSheet);
  // As a printer's device context: origin at the printable area, nothing
  // printed beyond it.
  FPainter->translate(FCaps.PhysicalOffsetX, FCaps.PhysicalOffsetY);
  FPainter->setClipRect(QRect(0, 0, FCaps.HorzRes, FCaps.VertRes));
}

bool ImagePrintDevice::NewPage(QString* error) {
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  FPainter.reset();
  FJobPages.push_back(FSheet.copy());
  StartPainting();
  return true;
}

bool ImagePrintDevice::EndDoc(QString* error) {
  if (!FPainter) {
    if (error) *error = PrintMessage(PrintText::NotPrinting);
    return false;
  }
  FPainter.reset();
  if (!FEndFailure.isEmpty()) {
    if (error) *error = FEndFailure;
    FEndFailure.clear();
    FSheet = QImage();
    return false;
  }
  if (!FJobPages.empty()) FJobPages.push_back(FSheet.copy());
  FPage = std::move(FSheet);
  FSheet = QImage();
  ++FPages;
  return true;
}

void ImagePrintDevice::Abort() {
  FPainter.reset();
  FJobPages.clear();
  FSheet = QImage();
}
