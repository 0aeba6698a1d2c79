#include "Color.h"

namespace Colors {

namespace {
// Classic Windows system colours, indexed by the low byte of 0x800000nn.
constexpr uint32_t kSystemColors[] = {
    0xC0C0C0,  // scroll bar
    0x808000,  // background (desktop)
    0x800000,  // active caption
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application work space
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3-D dark shadow
    0xC0C0C0,  // 3-D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0xB5B5B5,
    0xFF0000,  // hot light
    0xF0CAA6,  // gradient active caption
    0xC0C0C0,  // gradient inactive caption
    0x800000,  // menu highlight
    0xC0C0C0,  // menu bar
};
}  // namespace

TColor ColorToRGB(TColor color) {
  const uint32_t c = static_cast<uint32_t>(color);
  if ((c & 0xFF000000u) == 0x80000000u) {
    const uint32_t index = c & 0xFFu;
    if (index < std::size(kSystemColors)) return static_cast<TColor>(kSystemColors[index]);
    return clBlack;
  }
  if (color == clNone || color == clDefault) return clWhite;
  return static_cast<TColor>(c & 0x00FFFFFFu);
}

QColor ToQColor(TColor color) {
  const uint32_t c = static_cast<uint32_t>(ColorToRGB(color));
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16));
}

}  // namespace Colors
