#pragma once
// A picture held as the exact bytes of the file it came from. The bytes are
// what documents store; pixels are decoded only when first asked for, and
// the header is checked (including the size limits) when the graphic is made,
// so a graphic that exists always has sane dimensions.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Errors.h"

class TGraphic {
 public:
  // Limits against absurd or hostile headers; a card never needs more.
  static constexpr int64_t MaxSide = 30000;
  // 120 million: the 12000 x 9000 photos of 108-megapixel cameras fit.
  static constexpr int64_t MaxPixels = 120'000'000;
  // Files larger than this are refused before being read into memory.
  static constexpr int64_t MaxFileBytes = 512LL * 1024 * 1024;

  virtual ~TGraphic() = default;

  virtual QByteArray GraphicClassName() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  const QByteArray& Bytes() const { return FBytes; }
  bool Empty() const { return FBytes.isEmpty(); }

  // Decoded on first use and kept; a null image for an empty graphic.
  // Throws EInvalidGraphic when the data cannot be decoded (every time, the
  // failure is remembered rather than retried).
  const QImage& Image() const;

  // A graphic of the kind the bytes' signature names ("BM" bitmap, FF D8
  // JPEG). Throws EInvalidGraphic for other or damaged data.
  static std::unique_ptr<TGraphic> FromFileBytes(QByteArray bytes);
  // A graphic of a stored class name ("TBitmap", "TJPEGImage"; empty bytes
  // give an empty graphic); nullptr for a class name we do not know.
  // Throws EInvalidGraphic when the bytes do not fit the class.
  static std::unique_ptr<TGraphic> FromClassName(const QByteArray& name, QByteArray bytes);
  // Throws EReadError when the file cannot be read, EInvalidGraphic when it
  // is not a picture we can use; both messages name the file.
  static std::unique_ptr<TGraphic> LoadFromFile(const QString& path);

 protected:
  TGraphic() = default;
  TGraphic(const TGraphic&) = default;
  TGraphic& operator=(const TGraphic&) = delete;

  // Called by subclass constructors once the header has been read.
  void SetHeader(QByteArray bytes, int width, int height);
  // Throws EInvalidGraphic unless width x height is within the limits.
  static void CheckSize(int64_t width, int64_t height);
  virtual QImage Decode() const = 0;

 private:
  QByteArray FBytes;
  int FWidth = 0;
  int FHeight = 0;
  mutable QImage FImage;
  mutable std::optional<EInvalidGraphic> FDecodeError;
};
