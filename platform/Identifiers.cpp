#include "Identifiers.h"

namespace Identifiers {

namespace {

struct Named {
  std::string_view Name;
  int32_t Value;
};

template <size_t N>
std::optional<std::string_view> ToIdent(const Named (&table)[N], int32_t value) {
  for (const Named& n : table)
    if (n.Value == value) return n.Name;
  return std::nullopt;
}

template <size_t N>
std::optional<int32_t> FromIdent(const Named (&table)[N], std::string_view ident) {
  for (const Named& n : table)
    if (SameText(n.Name, ident)) return n.Value;
  return std::nullopt;
}

const Named kColors[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
    {"clBtnText", clBtnText}, {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk}, {"clNone", clNone},
};

// Read only: names added by later versions of the library.
const Named kLaterColors[] = {
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clHotLight", int32_t(0x8000001A)}, {"clGradientActiveCaption", int32_t(0x8000001B)},
    {"clGradientInactiveCaption", int32_t(0x8000001C)}, {"clMenuHighlight", int32_t(0x8000001D)},
    {"clMenuBar", int32_t(0x8000001E)},
};

const Named kCursors[] = {
    {"crDefault", crDefault}, {"crArrow", crArrow}, {"crCross", crCross}, {"crIBeam", crIBeam},
    {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
    {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crDrag", crDrag}, {"crNoDrop", crNoDrop},
    {"crHSplit", crHSplit}, {"crVSplit", crVSplit}, {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},
    {"crNo", crNo}, {"crAppStart", crAppStart}, {"crHelp", crHelp}, {"crHandPoint", crHandPoint},
    {"crSizeAll", crSizeAll}, {"crSize", crSizeAll},
};

const Named kCharsets[] = {
    {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2}, {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129}, {"JOHAB_CHARSET", 130}, {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161}, {"TURKISH_CHARSET", 162}, {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186}, {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

}  // namespace

std::optional<std::string_view> ColorToIdent(TColor color) { return ToIdent(kColors, color); }
std::optional<std::string_view> CursorToIdent(TCursor cursor) { return ToIdent(kCursors, cursor); }
std::optional<std::string_view> CharsetToIdent(TFontCharset charset) { return ToIdent(kCharsets, charset); }

std::optional<TColor> IdentToColor(std::string_view ident) {
  if (auto c = FromIdent(kColors, ident)) return c;
  return FromIdent(kLaterColors, ident);
}
std::optional<TCursor> IdentToCursor(std::string_view ident) { return FromIdent(kCursors, ident); }
std::optional<TFontCharset> IdentToCharset(std::string_view ident) { return FromIdent(kCharsets, ident); }

const TEnumInfo& PenStyles() {
  static const TEnumInfo info{{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
  return info;
}
const TEnumInfo& PenModes() {
  static const TEnumInfo info{{"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                               "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
                               "pmNotMask", "pmXor", "pmNotXor"}};
  return info;
}
const TEnumInfo& BrushStyles() {
  static const TEnumInfo info{
      {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};
  return info;
}
const TEnumInfo& FontStyles() {
  static const TEnumInfo info{{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
  return info;
}
const TEnumInfo& FontPitches() {
  static const TEnumInfo info{{"fpDefault", "fpVariable", "fpFixed"}};
  return info;
}
const TEnumInfo& Alignments() {
  static const TEnumInfo info{{"taLeftJustify", "taRightJustify", "taCenter"}};
  return info;
}
const TEnumInfo& TextLayouts() {
  static const TEnumInfo info{{"tlTop", "tlCenter", "tlBottom"}};
  return info;
}
const TEnumInfo& Anchors() {
  static const TEnumInfo info{{"akLeft", "akTop", "akRight", "akBottom"}};
  return info;
}
const TEnumInfo& ColorDialogOptions() {
  static const TEnumInfo info{{"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"}};
  return info;
}

}  // namespace Identifiers
