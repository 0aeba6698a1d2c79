// Windows Japanese font names resolve to installed Japanese fonts while the
// name itself stays as typed.
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

#include "FontSubstitution.h"

TEST(FontSubstitutionTest, WindowsJapaneseNamesFindInstalledFonts) {
  InstallFontSubstitutions();
  for (const auto& [name, substitutes] : JapaneseFontSubstitutes()) {
    EXPECT_FALSE(substitutes.isEmpty()) << name.toStdString();
    QStringList expected;  // Qt keeps the names in lower case
    for (const QString& family : substitutes) expected << family.toLower();
    EXPECT_EQ(QFont::substitutes(name), expected) << name.toStdString();
  }
  if (!QFontDatabase::families().contains(QStringLiteral("IPAPMincho")))
    GTEST_SKIP() << "the IPA fonts are not installed";
  QFont mincho(QStringLiteral("ＭＳ Ｐ明朝"), 12);
  EXPECT_EQ(mincho.family(), QStringLiteral("ＭＳ Ｐ明朝"));
  EXPECT_EQ(QFontInfo(mincho).family(), QStringLiteral("IPAPMincho"));
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ ゴシック"))).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("MS UI Gothic"))).family(), QStringLiteral("IPAPGothic"));
}
