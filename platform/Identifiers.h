#pragma once
// The widget library's identifier tables: colour, cursor and character-set
// names, and the enumerations that streams write by name.
#include <cstdint>
#include <optional>
#include <string_view>

#include "TypInfo.h"

using TColor = int32_t;     // 0x00BBGGRR, or 0x800000nn for a system colour
using TCursor = int32_t;    // cursor number; 0 default, negatives predefined
using TFontCharset = int32_t;

// Named colours.
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clScrollBar = int32_t(0x80000000), clBackground = int32_t(0x80000001),
                 clActiveCaption = int32_t(0x80000002), clInactiveCaption = int32_t(0x80000003),
                 clMenu = int32_t(0x80000004), clWindow = int32_t(0x80000005),
                 clWindowFrame = int32_t(0x80000006), clMenuText = int32_t(0x80000007),
                 clWindowText = int32_t(0x80000008), clCaptionText = int32_t(0x80000009),
                 clActiveBorder = int32_t(0x8000000A), clInactiveBorder = int32_t(0x8000000B),
                 clAppWorkSpace = int32_t(0x8000000C), clHighlight = int32_t(0x8000000D),
                 clHighlightText = int32_t(0x8000000E), clBtnFace = int32_t(0x8000000F),
                 clBtnShadow = int32_t(0x80000010), clGrayText = int32_t(0x80000011),
                 clBtnText = int32_t(0x80000012), clInactiveCaptionText = int32_t(0x80000013),
                 clBtnHighlight = int32_t(0x80000014), cl3DDkShadow = int32_t(0x80000015),
                 cl3DLight = int32_t(0x80000016), clInfoText = int32_t(0x80000017),
                 clInfoBk = int32_t(0x80000018), clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// Predefined cursors.
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;

// Character sets.
constexpr TFontCharset ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128;

// Enumerations, ordinals as the streams store them.
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t;  // bit mask of TFontStyle
constexpr TFontStyles FontStyleBit(TFontStyle s) { return TFontStyles(1u << s); }
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

namespace Identifiers {

// Writing: the name of a value, when it has one (first match in table order).
std::optional<std::string_view> ColorToIdent(TColor color);
std::optional<std::string_view> CursorToIdent(TCursor cursor);
std::optional<std::string_view> CharsetToIdent(TFontCharset charset);
// Reading: case-insensitive; also the names later library versions added.
std::optional<TColor> IdentToColor(std::string_view ident);
std::optional<TCursor> IdentToCursor(std::string_view ident);
std::optional<TFontCharset> IdentToCharset(std::string_view ident);

const TEnumInfo& PenStyles();
const TEnumInfo& PenModes();
const TEnumInfo& BrushStyles();
const TEnumInfo& FontStyles();
const TEnumInfo& FontPitches();
const TEnumInfo& Alignments();
const TEnumInfo& TextLayouts();
const TEnumInfo& Anchors();
const TEnumInfo& ColorDialogOptions();

}  // namespace Identifiers
