#include "FontNameList.h"

#include "FontSubstitution.h"

namespace {

// The names a Japanese system lists: those not written in ASCII alone.
bool IsJapaneseName(const QString& name) {
  for (QChar c : name)
    if (c.unicode() > 0x7F) return true;
  return false;
}

}  // namespace

QStringList FontNameList(const QStringList& installedFamilies) {
  QStringList names = installedFamilies;
  for (const auto& [name, substitutes] : JapaneseFontSubstitutes()) {
    if (!IsJapaneseName(name) || names.contains(name)) continue;
    for (const QString& s : substitutes) {
      if (installedFamilies.contains(s)) {
        names << name;
        break;
      }
    }
  }
  return names;
}
