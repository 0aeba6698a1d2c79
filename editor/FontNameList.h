#pragma once
// The names the font name box offers: the fonts installed on this machine,
// then the Japanese Windows names that documents carry (ＭＳ Ｐ明朝,
// ＭＳ ゴシック and their kin), kept as they are stored and drawn through the
// font substitution, when one of their stand-ins is installed.
#include <QStringList>

QStringList FontNameList(const QStringList& installedFamilies);
