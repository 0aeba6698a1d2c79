#pragma once
// Windows Japanese font names ("ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック", "MS UI Gothic" ...)
// stand for installed Japanese fonts of the same kind, so that cards look
// right while the names stay as typed and as documents store them.
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The Windows name and the installed families that may stand in for it, best
// first.
const std::vector<std::pair<QString, QStringList>>& JapaneseFontSubstitutes();

// Registers every substitution with Qt's font matching. Call once at start.
void InstallFontSubstitutions();
