#pragma once
// A Windows bitmap held as its BMP file bytes. The headers are checked when
// the bitmap is made; pixels are decoded here (not by a codec plugin) so that
// every read is bounded by what the checked headers allow.
#include <cstdint>

#include "Graphic.h"

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;  // empty
  // Throws EInvalidGraphic unless bytes are a BMP file we can decode.
  explicit TBitmap(QByteArray bytes);

  QByteArray GraphicClassName() const override { return "TBitmap"; }
  std::unique_ptr<TGraphic> Clone() const override;

  // A 24-bit BMP file of image; transparency is flattened onto white.
  // Throws EInvalidGraphic for a null or too large image.
  static std::unique_ptr<TBitmap> FromImage(const QImage& image);

 protected:
  QImage Decode() const override;

 private:
  TBitmap(const TBitmap&) = default;

  // Where the checked headers put things.
  struct TLayout {
    int BitCount = 0;
    uint32_t Compression = 0;
    bool TopDown = false;
    int64_t PixelOffset = 0;
    int64_t RowStride = 0;  // uncompressed rows only
    int64_t PaletteOffset = 0;
    int PaletteCount = 0;
    int PaletteEntrySize = 4;
    uint32_t Masks[3] = {0, 0, 0};  // red, green, blue (16 and 32 bits)
  };
  TLayout FLayout;

  void DecodeRows(QImage& image) const;
  void DecodeRle(QImage& image) const;
};
