#include "FontNameList.h"

#include "FontSubstitution.h"

namespace {

// The names a Japanese system lists: those not written in ASCII alone.
bool IsJapaneseName(const QString& name) {
  for (QChar c : name)
    if (c.unicode() > 0x7F) return true;
  return false;
}

// Qt tells apart a family that several foundries make as "Name [Foundry]";
// documents and the font matcher know it by its plain name.
QString PlainFamily(const QString& family) {
  if (!family.endsWith(QLatin1Char(']'))) return family;
  const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
  return open > 0 ? family.left(open) : family;
}

}  // namespace

QStringList FontNameList(const QStringList& installedFamilies) {
  QStringList names;
  for (const QString& family : installedFamilies) {
    const QString plain = PlainFamily(family);
    if (!names.contains(plain)) names << plain;
  }
  for (const auto& [name, substitutes] : JapaneseFontSubstitutes()) {
    if (!IsJapaneseName(name) || names.contains(name)) continue;
    for (const QString& s : substitutes) {
      if (names.contains(s)) {
        names << name;
        break;
      }
    }
  }
  return names;
}
