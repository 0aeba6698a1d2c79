#pragma once
// quorin.con: the window positions kept between runs. 72 bytes, little
// endian, no header; an older 60-byte form without the maximized flags is
// still read. Geometry is the window's client area in screen pixels.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>

#include "Outcome.h"

struct TWindowSettings {
  static constexpr int FileSize = 72;
  static constexpr int OlderFileSize = 60;

  std::array<std::uint8_t, 12> LeadingReserved{};  // carried over from the file read
  std::int32_t MainTop = 104;
  std::int32_t MainLeft = 204;
  std::int32_t MainHeight = 440;
  std::int32_t MainWidth = 576;
  std::uint8_t MainMaximized = 0;
  std::int32_t PreviewTop = 104;
  std::int32_t PreviewLeft = 204;
  std::int32_t PreviewHeight = 402;
  std::int32_t PreviewWidth = 595;
  std::uint8_t PreviewMaximized = 0;
  std::int32_t SetupDlgTop = 104;
  std::int32_t SetupDlgLeft = 204;
  std::array<std::uint8_t, 12> TrailingReserved{};  // carried over from the file read

  // The 72 bytes as written.
  QByteArray ToBytes() const;

  void SetMainBounds(const QRect& r);

  bool operator==(const TWindowSettings&) const = default;
};

// How the settings were found.
enum class TSettingsSource {
  Missing,     // no file: defaults, the window keeps its own start-up bounds
  Current,     // the 72-byte form (or the first 72 bytes of a longer file)
  Older,       // the 60-byte form
  WrongSize,   // any other length: defaults, applied to the window
  Unreadable,  // a file that exists but cannot be opened: defaults, applied
};

struct TSettingsReadResult {
  TWindowSettings Settings;
  TSettingsSource Source = TSettingsSource::Missing;
  // Whether the main window takes MainTop, MainLeft, MainHeight, MainWidth.
  bool AppliesBounds() const { return Source != TSettingsSource::Missing; }
};

// Decodes the first bytes of a settings file (at most 72 are looked at).
TSettingsReadResult DecodeSettings(QByteArrayView bytes);

// Reads the file at path.
TSettingsReadResult ReadSettingsFile(const QString& path);

// Writes the 72 bytes, replacing the earlier file only once the new one is
// complete.
TOutcome WriteSettingsFile(const QString& path, const TWindowSettings& settings);

// Bounds that can be shown: position and size kept within sensible limits
// and, when the window would lie wholly off every screen, moved onto the
// first one. An empty screen list leaves the position alone.
QRect SanitizeWindowBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                           const QList<QRect>& screens);
