#pragma once
// Pens, brushes and fonts: the drawing attributes of shapes, labels and the
// canvas. Each announces changes through OnChange and copies with Assign.
#include <QFont>
#include <QString>

#include <functional>

#include "Identifiers.h"
#include "TypInfo.h"

class TGraphicsObject : public TPersistent {
 public:
  std::function<void(TGraphicsObject*)> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

class TPen : public TGraphicsObject {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent& source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode v);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle v);
  int Width() const { return FWidth; }
  void SetWidth(int v);

  bool operator==(const TPen& o) const {
    return FColor == o.FColor && FMode == o.FMode && FStyle == o.FStyle && FWidth == o.FWidth;
  }

 private:
  TColor FColor = clBlack;
  TPenMode FMode = pmCopy;
  TPenStyle FStyle = psSolid;
  int FWidth = 1;
};

class TBrush : public TGraphicsObject {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent& source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle v);

  bool operator==(const TBrush& o) const { return FColor == o.FColor && FStyle == o.FStyle; }

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// A font as the component format stores it: Height in pixels (negative for
// the character height), Size in points at 96 pixels per inch.
class TFont : public TGraphicsObject {
 public:
  static constexpr int PixelsPerInch = 96;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent& source) override;

  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  int Height() const { return FHeight; }
  void SetHeight(int v);
  int Size() const;  // -MulDiv(Height, 72, 96)
  void SetSize(int points);  // Height := -MulDiv(points, 96, 72)
  const QString& Name() const { return FName; }
  void SetName(const QString& v);  // ignores an empty name
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch v);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  bool Has(TFontStyle s) const { return (FStyle & FontStyleBit(s)) != 0; }

  bool operator==(const TFont& o) const {
    return FCharset == o.FCharset && FColor == o.FColor && FHeight == o.FHeight && FName == o.FName &&
           FPitch == o.FPitch && FStyle == o.FStyle;
  }

  // The Qt font this font draws with: the stored name (substituted by Qt's
  // font substitution where a Windows name is not installed), pixel size from
  // Height, styles. Never antialiasing-dependent in size.
  QFont ToQFont() const;

 private:
  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  int FHeight = -11;
  QString FName = QStringLiteral("MS Sans Serif");
  TFontPitch FPitch = fpDefault;
  TFontStyles FStyle = 0;
};

// MulDiv as the platform computes it: a * b / c rounded half away from zero,
// -1 when c is 0 or the result does not fit.
int MulDiv(int a, int b, int c);
