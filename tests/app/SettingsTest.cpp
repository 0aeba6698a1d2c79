// quorin.con: the byte layout, the older 60-byte form, wrong sizes and the
// bounds a damaged file may ask for.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <climits>

#include "Settings.h"

namespace {

std::int32_t Int32At(const QByteArray& b, int offset) { return qFromLittleEndian<std::int32_t>(b.constData() + offset); }

QByteArray Bytes(int size, char fill = '\0') { return QByteArray(size, fill); }

void Put(QByteArray& b, int offset, std::int32_t v) { qToLittleEndian(v, b.data() + offset); }

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace

TEST(SettingsTest, WritesSeventyTwoLittleEndianBytesWithZeroPadding) {
  TWindowSettings s;
  s.SetMainBounds(QRect(256, 207, 579, 400));  // left, top, width, height
  s.MainMaximized = 1;
  s.PreviewMaximized = 1;
  s.SetupDlgTop = -5;
  const QByteArray b = s.ToBytes();
  ASSERT_EQ(b.size(), 72);
  EXPECT_EQ(Int32At(b, 12), 207);  // top
  EXPECT_EQ(Int32At(b, 16), 256);  // left
  EXPECT_EQ(Int32At(b, 20), 400);  // height
  EXPECT_EQ(Int32At(b, 24), 579);  // width
  EXPECT_EQ(b[28], 1);
  EXPECT_EQ(b.mid(29, 3), Bytes(3));
  EXPECT_EQ(Int32At(b, 32), 104);
  EXPECT_EQ(Int32At(b, 36), 204);
  EXPECT_EQ(Int32At(b, 40), 402);
  EXPECT_EQ(Int32At(b, 44), 595);
  EXPECT_EQ(b[48], 1);
  EXPECT_EQ(b.mid(49, 3), Bytes(3));
  EXPECT_EQ(Int32At(b, 52), -5);
  EXPECT_EQ(Int32At(b, 56), 204);
  EXPECT_EQ(b.left(12), Bytes(12));
  EXPECT_EQ(b.mid(60), Bytes(12));
}

TEST(SettingsTest, CurrentFormRoundTripsAndCarriesReservedBytes) {
  QByteArray b = TWindowSettings{}.ToBytes();
  for (int i = 0; i < 12; ++i) b[i] = char(0xA0 + i);
  for (int i = 60; i < 72; ++i) b[i] = char(i);
  Put(b, 12, 11);
  Put(b, 16, 22);
  Put(b, 20, 333);
  Put(b, 24, 444);
  b[28] = 1;
  const TSettingsReadResult r = DecodeSettings(b);
  EXPECT_EQ(r.Source, TSettingsSource::Current);
  EXPECT_TRUE(r.AppliesBounds());
  EXPECT_EQ(r.Settings.MainTop, 11);
  EXPECT_EQ(r.Settings.MainLeft, 22);
  EXPECT_EQ(r.Settings.MainHeight, 333);
  EXPECT_EQ(r.Settings.MainWidth, 444);
  EXPECT_EQ(r.Settings.MainMaximized, 1);
  // Written back unchanged, reserved bytes included.
  EXPECT_EQ(r.Settings.ToBytes(), b);
}

TEST(SettingsTest, OlderSixtyByteFormIsConvertedWithoutMaximizedFlags) {
  QByteArray b = Bytes(60);
  for (int i = 0; i < 12; ++i) b[i] = char(0x10 + i);
  const std::int32_t values[] = {1, 2, 300, 400, 5, 6, 700, 800, 9, 10, 77, 88};
  for (int i = 0; i < 12; ++i) Put(b, 12 + 4 * i, values[i]);  // 52-59 are ignored
  const TSettingsReadResult r = DecodeSettings(b);
  ASSERT_EQ(r.Source, TSettingsSource::Older);
  const TWindowSettings& s = r.Settings;
  EXPECT_EQ(s.MainTop, 1);
  EXPECT_EQ(s.MainLeft, 2);
  EXPECT_EQ(s.MainHeight, 300);
  EXPECT_EQ(s.MainWidth, 400);
  EXPECT_EQ(s.PreviewTop, 5);
  EXPECT_EQ(s.PreviewLeft, 6);
  EXPECT_EQ(s.PreviewHeight, 700);
  EXPECT_EQ(s.PreviewWidth, 800);
  EXPECT_EQ(s.SetupDlgTop, 9);
  EXPECT_EQ(s.SetupDlgLeft, 10);
  EXPECT_EQ(s.MainMaximized, 0);
  EXPECT_EQ(s.PreviewMaximized, 0);
  const QByteArray written = s.ToBytes();
  EXPECT_EQ(written.size(), 72);
  EXPECT_EQ(written.left(12), b.left(12));
  EXPECT_EQ(written.mid(60), Bytes(12));
}

TEST(SettingsTest, OtherLengthsGiveDefaultsThatAreApplied) {
  const TWindowSettings defaults;
  for (int size : {0, 1, 59, 61, 71}) {
    const TSettingsReadResult r = DecodeSettings(Bytes(size, '\x7f'));
    EXPECT_EQ(r.Source, TSettingsSource::WrongSize) << size;
    EXPECT_TRUE(r.AppliesBounds()) << size;
    EXPECT_EQ(r.Settings, defaults) << size;
  }
  EXPECT_EQ(defaults.MainTop, 104);
  EXPECT_EQ(defaults.MainLeft, 204);
  EXPECT_EQ(defaults.MainHeight, 440);
  EXPECT_EQ(defaults.MainWidth, 576);
}

TEST(SettingsTest, FilesOnDisk) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("quorin.con"));

  // Missing: defaults, and the window keeps its own bounds.
  TSettingsReadResult r = ReadSettingsFile(path);
  EXPECT_EQ(r.Source, TSettingsSource::Missing);
  EXPECT_FALSE(r.AppliesBounds());

  // Longer than 72 bytes: the first 72 count.
  TWindowSettings s;
  s.MainWidth = 800;
  WriteFile(path, s.ToBytes() + QByteArray(40, '\xff'));
  r = ReadSettingsFile(path);
  EXPECT_EQ(r.Source, TSettingsSource::Current);
  EXPECT_EQ(r.Settings.MainWidth, 800);
  EXPECT_EQ(r.Settings.TrailingReserved[11], 0);

  // Written back as exactly 72 bytes.
  const TOutcome written = WriteSettingsFile(path, r.Settings);
  ASSERT_TRUE(written.Ok()) << written.Reason().toStdString();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), r.Settings.ToBytes());
  f.close();

  // Something at the path that cannot be read as a file does not stop the
  // start: defaults, applied.
  const QString folder = dir.filePath(QStringLiteral("folder.con"));
  ASSERT_TRUE(QDir().mkpath(folder));
  r = ReadSettingsFile(folder);
  EXPECT_EQ(r.Source, TSettingsSource::Unreadable);
  EXPECT_EQ(r.Settings, TWindowSettings{});

  // A folder that does not exist cannot take the file; the reason is told.
  const TOutcome refused = WriteSettingsFile(dir.filePath(QStringLiteral("missing/quorin.con")), s);
  EXPECT_FALSE(refused.Ok());
  EXPECT_FALSE(refused.Reason().isEmpty());
}

TEST(SettingsTest, DamagedBoundsAreMadeShowable) {
  const QList<QRect> screens = {QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
  // Sensible bounds stay, on either screen.
  EXPECT_EQ(SanitizeWindowBounds(204, 104, 576, 440, screens), QRect(204, 104, 576, 440));
  EXPECT_EQ(SanitizeWindowBounds(1100, 50, 500, 400, screens), QRect(1100, 50, 500, 400));
  // Off every screen: moved onto the first.
  EXPECT_EQ(SanitizeWindowBounds(5000, 5000, 576, 440, screens), QRect(0, 0, 576, 440));
  // Sizes too small or absurd are limited; extreme values do not overflow.
  const QRect r = SanitizeWindowBounds(INT_MAX, INT_MIN, INT_MIN, INT_MAX, screens);
  EXPECT_EQ(r.topLeft(), QPoint(0, 0));
  EXPECT_EQ(r.width(), 100);
  EXPECT_EQ(r.height(), 16384);
  // Without screen information the position is kept.
  EXPECT_EQ(SanitizeWindowBounds(-20, 30, 50, 60, {}), QRect(-20, 30, 100, 100));
}
