#include "GraphicsObjects.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t p = int64_t(a) * int64_t(b);
  int64_t q = (std::llabs(p) + std::llabs(int64_t(c)) / 2) / std::llabs(int64_t(c));
  if ((p < 0) != (c < 0)) q = -q;
  if (q < INT_MIN || q > INT_MAX) return -1;  // overflow, as the platform reports it
  return static_cast<int>(q);
}

// --- TPen ---------------------------------------------------------------

const TClassInfo& TPen::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TPen>;
    TClassInfo c("TPen", nullptr);
    c.Add(P::Ordinal("Color", TPropKind::Color, [](const TPen& p) { return p.Color(); },
                     [](TPen& p, int64_t v) { p.SetColor(TColor(v)); }, clBlack));
    c.Add(P::Enum("Mode", Identifiers::PenModes(), [](const TPen& p) { return p.Mode(); },
                  [](TPen& p, int64_t v) { p.SetMode(TPenMode(v)); }, pmCopy));
    c.Add(P::Enum("Style", Identifiers::PenStyles(), [](const TPen& p) { return p.Style(); },
                  [](TPen& p, int64_t v) { p.SetStyle(TPenStyle(v)); }, psSolid));
    c.Add(P::Integer("Width", [](const TPen& p) { return p.Width(); }, [](TPen& p, int64_t v) { p.SetWidth(int(v)); },
                     1));
    return c;
  }();
  return info;
}

void TPen::Assign(const TPersistent& source) {
  if (auto* p = dynamic_cast<const TPen*>(&source)) {
    FColor = p->FColor;
    FMode = p->FMode;
    FStyle = p->FStyle;
    FWidth = p->FWidth;
    Changed();
  }
}

void TPen::SetColor(TColor v) {
  if (FColor != v) {
    FColor = v;
    Changed();
  }
}
void TPen::SetMode(TPenMode v) {
  if (FMode != v) {
    FMode = v;
    Changed();
  }
}
void TPen::SetStyle(TPenStyle v) {
  if (FStyle != v) {
    FStyle = v;
    Changed();
  }
}
void TPen::SetWidth(int v) {
  if (v < 0) v = 0;
  if (FWidth != v) {
    FWidth = v;
    Changed();
  }
}

// --- TBrush -------------------------------------------------------------

const TClassInfo& TBrush::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TBrush>;
    TClassInfo c("TBrush", nullptr);
    c.Add(P::Ordinal("Color", TPropKind::Color, [](const TBrush& b) { return b.Color(); },
                     [](TBrush& b, int64_t v) { b.SetColor(TColor(v)); }, clWhite));
    c.Add(P::Enum("Style", Identifiers::BrushStyles(), [](const TBrush& b) { return b.Style(); },
                  [](TBrush& b, int64_t v) { b.SetStyle(TBrushStyle(v)); }, bsSolid));
    return c;
  }();
  return info;
}

void TBrush::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBrush*>(&source)) {
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
  }
}

void TBrush::SetColor(TColor v) {
  if (FColor != v) {
    FColor = v;
    Changed();
  }
}
void TBrush::SetStyle(TBrushStyle v) {
  if (FStyle != v) {
    FStyle = v;
    Changed();
  }
}

// --- TFont --------------------------------------------------------------

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TFont>;
    TClassInfo c("TFont", nullptr);
    c.Add(P::Ordinal("Charset", TPropKind::Charset, [](const TFont& f) { return f.Charset(); },
                     [](TFont& f, int64_t v) { f.SetCharset(TFontCharset(v)); }));
    c.Add(P::Ordinal("Color", TPropKind::Color, [](const TFont& f) { return f.Color(); },
                     [](TFont& f, int64_t v) { f.SetColor(TColor(v)); }));
    c.Add(P::Integer("Height", [](const TFont& f) { return f.Height(); },
                     [](TFont& f, int64_t v) { f.SetHeight(int(v)); }));
    c.Add(P::String("Name", [](const TFont& f) { return f.Name(); },
                    [](TFont& f, const QString& v) { f.SetName(v); }));
    c.Add(P::Enum("Pitch", Identifiers::FontPitches(), [](const TFont& f) { return f.Pitch(); },
                  [](TFont& f, int64_t v) { f.SetPitch(TFontPitch(v)); }, fpDefault));
    c.Add(P::Set("Style", Identifiers::FontStyles(), [](const TFont& f) { return f.Style(); },
                 [](TFont& f, int64_t v) { f.SetStyle(TFontStyles(v & 0x0F)); }));
    return c;
  }();
  return info;
}

void TFont::Assign(const TPersistent& source) {
  if (auto* f = dynamic_cast<const TFont*>(&source)) {
    FCharset = f->FCharset;
    FColor = f->FColor;
    FHeight = f->FHeight;
    FName = f->FName;
    FPitch = f->FPitch;
    FStyle = f->FStyle;
    Changed();
  }
}

void TFont::SetCharset(TFontCharset v) {
  v &= 0xFF;  // a byte, as the platform holds it
  if (FCharset != v) {
    FCharset = v;
    Changed();
  }
}
void TFont::SetColor(TColor v) {
  if (FColor != v) {
    FColor = v;
    Changed();
  }
}
void TFont::SetHeight(int v) {
  if (FHeight != v) {
    FHeight = v;
    Changed();
  }
}
int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }
void TFont::SetSize(int points) {
  const int h = MulDiv(points, PixelsPerInch, 72);
  SetHeight(h == INT_MIN ? INT_MAX : -h);
}
void TFont::SetName(const QString& v) {
  // An empty name is ignored, as the platform does: a font always has one,
  // and streams leave an empty one out.
  if (!v.isEmpty() && FName != v) {
    FName = v;
    Changed();
  }
}
void TFont::SetPitch(TFontPitch v) {
  if (FPitch != v) {
    FPitch = v;
    Changed();
  }
}
void TFont::SetStyle(TFontStyles v) {
  if (FStyle != v) {
    FStyle = v;
    Changed();
  }
}

QFont TFont::ToQFont() const {
  QFont f(FName);
  // A negative height is the character height (cell height minus internal
  // leading); a positive one the cell height. Qt's pixel size is the em size,
  // close to the character height, which is what cards are measured in.
  // Heights from a damaged document may be anything an int holds; the font
  // engine takes sizes far below that.
  constexpr int64_t MaxPixels = 0x7FFF;
  const int64_t h = FHeight;
  const int64_t px = h < 0 ? -h : (h * 4 + 2) / 5;
  f.setPixelSize(int(std::clamp<int64_t>(px, 1, MaxPixels)));
  f.setBold(Has(fsBold));
  f.setItalic(Has(fsItalic));
  f.setUnderline(Has(fsUnderline));
  f.setStrikeOut(Has(fsStrikeOut));
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}
