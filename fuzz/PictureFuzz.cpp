// Arbitrary bytes as a picture "Data" payload, as a BMP file and as a JPEG
// file. Only the platform's own exceptions may come out; anything else (a
// crash, a sanitizer report, an unexpected exception) is a finding.
#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "Bitmap.h"
#include "Errors.h"
#include "JpegImage.h"
#include "Picture.h"

namespace {

// Huge declared sizes are legal up to the limits; decoding all of them would
// only slow the search down.
constexpr int64_t MaxDecodedPixels = 4'000'000;

void Decode(const TGraphic& graphic) {
  if (int64_t(graphic.Width()) * graphic.Height() > MaxDecodedPixels) return;
  const QImage& image = graphic.Image();
  if (!graphic.Empty() && image.size() != QSize(graphic.Width(), graphic.Height())) __builtin_trap();
}

void ReadPayload(const QByteArray& bytes) {
  TPicture picture;
  picture.ReadData(bytes);
  // What was read must write out and read back unchanged.
  const QByteArray written = picture.WriteData();
  TPicture again;
  again.ReadData(written);
  if (again.WriteData() != written) __builtin_trap();
  if (picture.Graphic()) Decode(*picture.Graphic());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // No copy: reads past the end land on the fuzzer's exactly sized buffer.
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    ReadPayload(bytes);
  } catch (const EReadError&) {
  } catch (const EInvalidGraphic&) {
  }
  try {
    Decode(TBitmap(bytes));
  } catch (const EInvalidGraphic&) {
  }
  try {
    Decode(TJPEGImage(bytes));
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
