#include "Bitmap.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "Errors.h"

namespace {

constexpr int64_t FileHeaderSize = 14;
constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

uint16_t U16(const uchar* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uchar* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
int32_t S32(const uchar* p) { return int32_t(U32(p)); }
void Put16(uchar* p, uint32_t v) {
  p[0] = uchar(v);
  p[1] = uchar(v >> 8);
}
void Put32(uchar* p, uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

[[noreturn]] void Refuse(const std::string& why) {
  throw EInvalidGraphic("The bitmap cannot be read: " + why + ".", {ReasonId::BitmapUnreadable, {}});
}

bool KnownHeaderSize(uint32_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool ValidBitCount(int bits, uint32_t compression) {
  switch (compression) {
    case BI_RGB: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BI_RLE8: return bits == 8;
    case BI_RLE4: return bits == 4;
    case BI_BITFIELDS: return bits == 16 || bits == 32;
    default: return false;
  }
}

// Scales one colour channel selected by an arbitrary mask to 0..255.
struct TChannel {
  uint32_t Mask = 0, Shift = 0, Max = 0;
  explicit TChannel(uint32_t mask) : Mask(mask) {
    if (mask) {
      Shift = uint32_t(std::countr_zero(mask));
      Max = mask >> Shift;
    }
  }
  uint32_t operator()(uint32_t v) const { return Max ? uint32_t(uint64_t((v & Mask) >> Shift) * 255 / Max) : 0; }
};

}  // namespace

TBitmap::TBitmap(QByteArray bytes) {
  const int64_t size = bytes.size();
  const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
  if (size < FileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M') Refuse("it is not a BMP file");
  const int64_t headerSize = U32(d + 14);
  if (!KnownHeaderSize(uint32_t(headerSize))) Refuse("unknown header size " + std::to_string(headerSize));
  const int64_t headerEnd = FileHeaderSize + headerSize;
  if (headerEnd > size) Refuse("the file is cut short in its header");

  TLayout l;
  int64_t width, height;
  int planes;
  uint32_t colorsUsed = 0;
  if (headerSize == 12) {
    width = U16(d + 18);
    height = U16(d + 20);
    planes = U16(d + 22);
    l.BitCount = U16(d + 24);
    l.PaletteEntrySize = 3;
  } else {
    width = S32(d + 18);
    height = S32(d + 22);
    planes = U16(d + 26);
    l.BitCount = U16(d + 28);
    l.Compression = U32(d + 30);
    colorsUsed = U32(d + 46);
  }
  l.TopDown = height < 0;
  if (l.TopDown) height = -height;
  CheckSize(width, height);
  if (planes != 1) Refuse("it has " + std::to_string(planes) + " colour planes");
  if (!ValidBitCount(l.BitCount, l.Compression))
    Refuse("unsupported format (" + std::to_string(l.BitCount) + " bits per pixel, compression " +
           std::to_string(l.Compression) + ")");
  if (l.TopDown && l.Compression != BI_RGB && l.Compression != BI_BITFIELDS)
    Refuse("a compressed bitmap cannot be stored top-down");

  int64_t tableEnd = headerEnd;
  if (l.Compression == BI_BITFIELDS) {
    // A plain info header is followed by the masks; later headers hold them.
    const int64_t at = headerSize == 40 ? headerEnd : FileHeaderSize + 40;
    if (at + 12 > size) Refuse("the file is cut short in its colour masks");
    for (int i = 0; i < 3; ++i) l.Masks[i] = U32(d + at + 4 * i);
    if (headerSize == 40) tableEnd += 12;
  } else if (l.BitCount == 16) {
    l.Masks[0] = 0x7C00, l.Masks[1] = 0x03E0, l.Masks[2] = 0x001F;
  } else if (l.BitCount == 32) {
    l.Masks[0] = 0xFF0000, l.Masks[1] = 0x00FF00, l.Masks[2] = 0x0000FF;
  }
  if (l.BitCount <= 8) {
    const uint32_t full = 1u << l.BitCount;
    l.PaletteCount = int(colorsUsed == 0 || colorsUsed > full ? full : colorsUsed);
    l.PaletteOffset = tableEnd;
    if (l.PaletteOffset + int64_t(l.PaletteCount) * l.PaletteEntrySize > size)
      Refuse("the file is cut short in its colour table");
  }

  l.PixelOffset = U32(d + 10);
  if (l.PixelOffset < headerEnd || l.PixelOffset > size) Refuse("the pixel data offset lies outside the file");
  if (l.Compression == BI_RGB || l.Compression == BI_BITFIELDS) {
    const int64_t rowBits = width * l.BitCount;
    l.RowStride = (rowBits + 31) / 32 * 4;
    // The last row's padding is often left out by writers; tolerate that.
    const int64_t needed = l.RowStride * (height - 1) + (rowBits + 7) / 8;
    if (l.PixelOffset + needed > size) Refuse("the file is cut short in its pixel data");
  }
  FLayout = l;
  SetHeader(std::move(bytes), int(width), int(height));
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::unique_ptr<TBitmap>(new TBitmap(*this)); }

QImage TBitmap::Decode() const {
  QImage image(Width(), Height(), QImage::Format_RGB32);
  if (image.isNull())
    throw EInvalidGraphic("Not enough memory for a picture of " + std::to_string(Width()) + " x " +
                              std::to_string(Height()) + " pixels.",
                          {ReasonId::PictureNoMemory, {}});
  if (FLayout.Compression == BI_RLE8 || FLayout.Compression == BI_RLE4)
    DecodeRle(image);
  else
    DecodeRows(image);
  return image;
}

namespace {

std::vector<QRgb> ReadPalette(const uchar* d, int64_t offset, int count, int entrySize, int bitCount) {
  // Indices past the stored table draw black rather than reading beyond it.
  std::vector<QRgb> palette(size_t(1) << bitCount, qRgb(0, 0, 0));
  for (int i = 0; i < count; ++i) {
    const uchar* e = d + offset + int64_t(i) * entrySize;
    palette[size_t(i)] = qRgb(e[2], e[1], e[0]);
  }
  return palette;
}

}  // namespace

void TBitmap::DecodeRows(QImage& image) const {
  const auto* d = reinterpret_cast<const uchar*>(Bytes().constData());
  const TLayout& l = FLayout;
  const int w = Width(), h = Height();
  std::vector<QRgb> palette;
  if (l.BitCount <= 8) palette = ReadPalette(d, l.PaletteOffset, l.PaletteCount, l.PaletteEntrySize, l.BitCount);
  const TChannel red(l.Masks[0]), green(l.Masks[1]), blue(l.Masks[2]);
  const bool plain32 = l.BitCount == 32 && l.Masks[0] == 0xFF0000 && l.Masks[1] == 0xFF00 && l.Masks[2] == 0xFF;

  for (int y = 0; y < h; ++y) {
    const uchar* src = d + l.PixelOffset + l.RowStride * y;
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(l.TopDown ? y : h - 1 - y));
    switch (l.BitCount) {
      case 1:
        for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        break;
      case 8:
        for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
        break;
      case 16:
        for (int x = 0; x < w; ++x) {
          const uint32_t v = U16(src + 2 * x);
          dst[x] = qRgb(int(red(v)), int(green(v)), int(blue(v)));
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x, src += 3) dst[x] = qRgb(src[2], src[1], src[0]);
        break;
      case 32:
        // The fourth byte is padding, as the original bitmaps draw it.
        for (int x = 0; x < w; ++x) {
          const uint32_t v = U32(src + 4 * x);
          dst[x] = plain32 ? (0xFF000000u | v) : qRgb(int(red(v)), int(green(v)), int(blue(v)));
        }
        break;
    }
  }
}

// Run-length data is read up to its end-of-bitmap code or the end of the file;
// pixels it never sets stay black, runs past the edges are dropped.
void TBitmap::DecodeRle(QImage& image) const {
  const auto* d = reinterpret_cast<const uchar*>(Bytes().constData());
  const int64_t size = Bytes().size();
  const TLayout& l = FLayout;
  const bool four = l.Compression == BI_RLE4;
  const std::vector<QRgb> palette =
      ReadPalette(d, l.PaletteOffset, l.PaletteCount, l.PaletteEntrySize, l.BitCount);
  const int64_t w = Width(), h = Height();
  image.fill(qRgb(0, 0, 0));
  uchar* bits = image.bits();
  const int64_t bytesPerLine = image.bytesPerLine();

  int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](uint32_t index) {
    if (x < w && y < h) reinterpret_cast<QRgb*>(bits + (h - 1 - y) * bytesPerLine)[x] = palette[index];
    ++x;
  };
  int64_t p = l.PixelOffset;
  while (p + 2 <= size && y < h) {
    const int count = d[p], code = d[p + 1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? code & 0x0F : code >> 4) : uint32_t(code));
    } else if (code == 0) {
      x = 0, ++y;
    } else if (code == 1) {
      break;
    } else if (code == 2) {
      if (p + 2 > size) break;
      x += d[p], y += d[p + 1];
      p += 2;
    } else {
      // Absolute run of code pixels, padded to a whole number of words.
      const int64_t bytes = four ? (code + 1) / 2 : code;
      const int64_t avail = std::min<int64_t>(bytes, size - p);
      for (int i = 0; i < code && (four ? i / 2 : i) < avail; ++i) {
        const uchar b = d[p + (four ? i / 2 : i)];
        put(four ? ((i & 1) ? b & 0x0F : b >> 4) : b);
      }
      p += bytes + (bytes & 1);
    }
  }
}

std::unique_ptr<TBitmap> TBitmap::FromImage(const QImage& image) {
  if (image.isNull()) throw EInvalidGraphic("There is no picture to make a bitmap of.", {ReasonId::NoPicture, {}});
  const int w = image.width(), h = image.height();
  CheckSize(w, h);
  const QImage src = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (src.isNull())
    throw EInvalidGraphic("Not enough memory to convert the picture.", {ReasonId::PictureNoMemory, {}});

  const int64_t stride = (int64_t(w) * 3 + 3) / 4 * 4;
  const int64_t dataOffset = FileHeaderSize + 40;
  const int64_t total = dataOffset + stride * h;
  QByteArray out(qsizetype(total), '\0');
  auto* o = reinterpret_cast<uchar*>(out.data());
  o[0] = 'B', o[1] = 'M';
  Put32(o + 2, uint32_t(total));
  Put32(o + 10, uint32_t(dataOffset));
  Put32(o + 14, 40);
  Put32(o + 18, uint32_t(w));
  Put32(o + 22, uint32_t(h));
  Put16(o + 26, 1);
  Put16(o + 28, 24);
  Put32(o + 34, uint32_t(stride * h));
  Put32(o + 38, uint32_t(std::max(0, src.dotsPerMeterX())));
  Put32(o + 42, uint32_t(std::max(0, src.dotsPerMeterY())));
  const bool alpha = src.hasAlphaChannel();
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    uchar* row = o + dataOffset + stride * (h - 1 - y);
    for (int x = 0; x < w; ++x, row += 3) {
      const QRgb c = line[x];
      const int a = alpha ? qAlpha(c) : 255;
      // Over white: c * a + 255 * (1 - a), rounded.
      auto over = [a](int v) { return uchar((v * a + 255 * (255 - a) + 127) / 255); };
      row[0] = over(qBlue(c)), row[1] = over(qGreen(c)), row[2] = over(qRed(c));
    }
  }
  return std::make_unique<TBitmap>(std::move(out));
}
