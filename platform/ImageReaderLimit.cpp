#include "ImageReaderLimit.h"

#include <QImageReader>

#include "Graphic.h"

void InstallImageReaderLimit() {
  // Readers may decode to 16 bits a channel (8 bytes a pixel), as 16-bit PNG
  // files are.
  constexpr int64_t kBytesPerPixel = 8;
  constexpr int64_t kMegabyte = 1024 * 1024;
  constexpr int64_t kLimit = (TGraphic::MaxPixels * kBytesPerPixel + kMegabyte - 1) / kMegabyte;
  static_assert(kLimit <= INT32_MAX);
  QImageReader::setAllocationLimit(int(kLimit));
}
