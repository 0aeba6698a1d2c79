#pragma once
// The picture of a QR code: libqrencode's modules at one pixel each with the
// 4-module quiet zone, and the error-correction level read back from such a
// picture's own format bits (so a stored code needs no field of its own).
#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

enum class TQrLevel { L, M, Q, H };

// The level's letter ("L", "M", "Q", "H").
QString QrLevelLetter(TQrLevel level);

enum class TQrFailure { None, Empty, TooLong, NoMemory };

struct TQrSymbol {
  QImage Image;  // black modules on white, quiet zone included; null on failure
  TQrFailure Failure = TQrFailure::None;
};

// Encodes data (8-bit mode, smallest version that holds it) at level.
TQrSymbol EncodeQrSymbol(const QByteArray& data, TQrLevel level);

// The level written in a symbol picture made as above; nullopt when the
// picture is no such symbol or its format bits are too damaged to tell.
std::optional<TQrLevel> ReadQrLevel(const QImage& symbol);

// Quiet zone width in modules on every side.
inline constexpr int QrQuietZone = 4;
