#include "Settings.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

#include "AtomicFile.h"

namespace {

std::int32_t Int32At(QByteArrayView b, int offset) {
  return qFromLittleEndian<std::int32_t>(b.data() + offset);
}

void PutInt32(QByteArray& b, int offset, std::int32_t v) { qToLittleEndian(v, b.data() + offset); }

template <std::size_t N>
void CopyBytes(std::array<std::uint8_t, N>& to, QByteArrayView from, int offset) {
  std::memcpy(to.data(), from.data() + offset, N);
}

// Large enough for any desktop, small enough that a damaged file cannot ask
// for an absurd window.
constexpr int kMinSide = 100;
constexpr int kMaxSide = 16384;
constexpr int kMaxCoordinate = 1 << 20;

}  // namespace

QByteArray TWindowSettings::ToBytes() const {
  QByteArray b(FileSize, '\0');
  std::memcpy(b.data(), LeadingReserved.data(), LeadingReserved.size());
  PutInt32(b, 12, MainTop);
  PutInt32(b, 16, MainLeft);
  PutInt32(b, 20, MainHeight);
  PutInt32(b, 24, MainWidth);
  b[28] = char(MainMaximized);
  PutInt32(b, 32, PreviewTop);
  PutInt32(b, 36, PreviewLeft);
  PutInt32(b, 40, PreviewHeight);
  PutInt32(b, 44, PreviewWidth);
  b[48] = char(PreviewMaximized);
  PutInt32(b, 52, SetupDlgTop);
  PutInt32(b, 56, SetupDlgLeft);
  std::memcpy(b.data() + 60, TrailingReserved.data(), TrailingReserved.size());
  return b;
}

void TWindowSettings::SetMainBounds(const QRect& r) {
  MainTop = r.top();
  MainLeft = r.left();
  MainHeight = r.height();
  MainWidth = r.width();
}

TSettingsReadResult DecodeSettings(QByteArrayView bytes) {
  TSettingsReadResult result;
  TWindowSettings& s = result.Settings;
  const qsizetype n = std::min<qsizetype>(bytes.size(), TWindowSettings::FileSize);
  if (n == TWindowSettings::FileSize) {
    CopyBytes(s.LeadingReserved, bytes, 0);
    s.MainTop = Int32At(bytes, 12);
    s.MainLeft = Int32At(bytes, 16);
    s.MainHeight = Int32At(bytes, 20);
    s.MainWidth = Int32At(bytes, 24);
    s.MainMaximized = std::uint8_t(bytes[28]);
    s.PreviewTop = Int32At(bytes, 32);
    s.PreviewLeft = Int32At(bytes, 36);
    s.PreviewHeight = Int32At(bytes, 40);
    s.PreviewWidth = Int32At(bytes, 44);
    s.PreviewMaximized = std::uint8_t(bytes[48]);
    s.SetupDlgTop = Int32At(bytes, 52);
    s.SetupDlgLeft = Int32At(bytes, 56);
    CopyBytes(s.TrailingReserved, bytes, 60);
    result.Source = TSettingsSource::Current;
  } else if (n == TWindowSettings::OlderFileSize) {
    CopyBytes(s.LeadingReserved, bytes, 0);
    s.MainTop = Int32At(bytes, 12);
    s.MainLeft = Int32At(bytes, 16);
    s.MainHeight = Int32At(bytes, 20);
    s.MainWidth = Int32At(bytes, 24);
    s.PreviewTop = Int32At(bytes, 28);
    s.PreviewLeft = Int32At(bytes, 32);
    s.PreviewHeight = Int32At(bytes, 36);
    s.PreviewWidth = Int32At(bytes, 40);
    s.SetupDlgTop = Int32At(bytes, 44);
    s.SetupDlgLeft = Int32At(bytes, 48);
    result.Source = TSettingsSource::Older;
  } else {
    result.Source = TSettingsSource::WrongSize;
  }
  return result;
}

TSettingsReadResult ReadSettingsFile(const QString& path) {
  QFile file(path);
  if (!file.exists()) return {};
  if (!file.open(QIODevice::ReadOnly)) {
    // A file that only remembers window positions must not keep the
    // program from starting.
    TSettingsReadResult result;
    result.Source = TSettingsSource::Unreadable;
    return result;
  }
  const QByteArray bytes = file.read(TWindowSettings::FileSize);
  return DecodeSettings(bytes);
}

TOutcome WriteSettingsFile(const QString& path, const TWindowSettings& settings) {
  return WriteFileAtomically(path, settings.ToBytes());
}

QRect SanitizeWindowBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                           const QList<QRect>& screens) {
  QRect wanted(std::clamp(left, -kMaxCoordinate, kMaxCoordinate), std::clamp(top, -kMaxCoordinate, kMaxCoordinate),
               std::clamp(width, kMinSide, kMaxSide), std::clamp(height, kMinSide, kMaxSide));
  if (screens.isEmpty()) return wanted;
  for (const QRect& screen : screens)
    if (screen.intersects(wanted)) return wanted;
  const QRect& first = screens.front();
  wanted.moveTopLeft(first.topLeft());
  return wanted;
}
