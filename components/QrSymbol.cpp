#include "QrSymbol.h"

#include <qrencode.h>

#include <array>
#include <bit>
#include <cerrno>
#include <memory>

namespace {

// 40-H holds at most 1273 bytes and 40-L 2953; anything longer need not
// reach the encoder.
constexpr qsizetype MaxBytes = 2953;

QRecLevel ToLibrary(TQrLevel level) {
  switch (level) {
    case TQrLevel::L: return QR_ECLEVEL_L;
    case TQrLevel::M: return QR_ECLEVEL_M;
    case TQrLevel::Q: return QR_ECLEVEL_Q;
    case TQrLevel::H: return QR_ECLEVEL_H;
  }
  return QR_ECLEVEL_M;
}

// The two level bits of the format information.
int LevelBits(TQrLevel level) {
  switch (level) {
    case TQrLevel::L: return 1;
    case TQrLevel::M: return 0;
    case TQrLevel::Q: return 3;
    case TQrLevel::H: return 2;
  }
  return 0;
}

// The 15-bit format word: BCH(15,5) over level and mask, then the fixed mask.
int FormatWord(TQrLevel level, int mask) {
  const int data = (LevelBits(level) << 3) | mask;
  int rem = data << 10;
  for (int bit = 14; bit >= 10; --bit)
    if (rem & (1 << bit)) rem ^= 0x537 << (bit - 10);
  return ((data << 10) | rem) ^ 0x5412;
}

}  // namespace

QString QrLevelLetter(TQrLevel level) {
  static const char* const letters[] = {"L", "M", "Q", "H"};
  return QString::fromLatin1(letters[int(level)]);
}

TQrSymbol EncodeQrSymbol(const QByteArray& data, TQrLevel level) {
  TQrSymbol out;
  if (data.isEmpty()) {
    out.Failure = TQrFailure::Empty;
    return out;
  }
  if (data.size() > MaxBytes) {
    out.Failure = TQrFailure::TooLong;
    return out;
  }
  errno = 0;
  std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
      QRcode_encodeData(int(data.size()), reinterpret_cast<const unsigned char*>(data.constData()), 0,
                        ToLibrary(level)),
      &QRcode_free);
  if (!code) {
    out.Failure = errno == ENOMEM ? TQrFailure::NoMemory : TQrFailure::TooLong;
    return out;
  }
  const int n = code->width;
  if (n < 21 || n > 177) {
    out.Failure = TQrFailure::TooLong;
    return out;
  }
  const int side = n + 2 * QrQuietZone;
  QImage image(side, side, QImage::Format_RGB32);
  if (image.isNull()) {
    out.Failure = TQrFailure::NoMemory;
    return out;
  }
  image.fill(Qt::white);
  for (int y = 0; y < n; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y + QrQuietZone)) + QrQuietZone;
    const unsigned char* row = code->data + qsizetype(y) * n;
    for (int x = 0; x < n; ++x)
      if (row[x] & 1) line[x] = qRgb(0, 0, 0);
  }
  out.Image = image;
  return out;
}

std::optional<TQrLevel> ReadQrLevel(const QImage& symbol) {
  const int side = symbol.width();
  const int n = side - 2 * QrQuietZone;
  if (symbol.height() != side || n < 21 || n > 177 || (n - 17) % 4 != 0) return std::nullopt;
  auto dark = [&](int row, int col) {
    return qGray(symbol.pixel(col + QrQuietZone, row + QrQuietZone)) < 128;
  };
  // Both copies, placed as the encoder places them (bit 0 first).
  int nearCorner = 0, split = 0;
  for (int k = 0; k < 15; ++k) {
    const bool a = k < 8 ? dark(k < 6 ? k : k + 1, 8) : dark(8, k == 8 ? 7 : 14 - k);
    const bool b = k < 8 ? dark(8, n - 1 - k) : dark(n - 15 + k, 8);
    nearCorner |= int(a) << k;
    split |= int(b) << k;
  }
  std::optional<TQrLevel> best;
  int bestDistance = 7;  // up to 3 wrong bits in each copy
  for (TQrLevel level : {TQrLevel::L, TQrLevel::M, TQrLevel::Q, TQrLevel::H}) {
    for (int mask = 0; mask < 8; ++mask) {
      const int word = FormatWord(level, mask);
      const int d = std::popcount(unsigned(word ^ nearCorner)) + std::popcount(unsigned(word ^ split));
      if (d < bestDistance) {
        bestDistance = d;
        best = level;
      }
    }
  }
  return best;
}
