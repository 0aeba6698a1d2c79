#pragma once
// Colour values 0x00BBGGRR and their resolution to RGB. System colours resolve
// to fixed classic values, never to the desktop theme, so that a card looks
// and prints the same on every machine.
#include <QColor>

#include "Identifiers.h"

namespace Colors {

// The RGB value (0x00BBGGRR) a colour stands for; system colours resolve to
// the classic fixed palette (window white, window text black, button face
// silver ...). clNone and clDefault resolve to white.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

inline bool IsSystemColor(TColor color) { return (uint32_t(color) & 0xFF000000u) != 0; }

}  // namespace Colors
