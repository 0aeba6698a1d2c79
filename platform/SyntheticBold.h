#pragma once
// Bold on paper for a face that has no bold weight of its own (the IPA fonts
// that stand in for the Japanese system fonts). On screen Qt's font engine
// thickens such a glyph's outline by a 24th of the em; Qt's PDF output (and
// with it every printer, which gets PDF) instead prints the glyph a second
// time a hair to the right, which comes out far lighter and leaves doubled
// notches at stroke ends. Here the glyph is printed once in the regular
// weight, as text, and its outline is stroked with a pen as wide as the
// screen's thickening, so the ink matches the worksheet and the text can
// still be found and selected.
#include <QFont>
#include <QHash>
#include <QPainterPath>
#include <QPoint>
#include <QString>

class QPaintDevice;
class QPainter;

class TSyntheticBold {
 public:
  TSyntheticBold() = default;
  // For glyphs of font (sized in the device's pixels) painted on device,
  // whose paint engine writes PDF when pdf.
  TSyntheticBold(const QFont& font, const QPaintDevice* device, bool pdf);

  // Whether glyphs are outlined here rather than left to the paint engine.
  bool Active() const { return FStrength > 0; }
  // Width of the outline pen, in the device's pixels.
  qreal Strength() const { return FStrength; }

  // Draws one character with its baseline origin at 'at'. advance is the
  // room it takes in the bold font, which underline and strike-out span.
  // When not active, plainly with the painter's font.
  void DrawGlyph(QPainter& painter, QPoint at, const QString& glyph, int advance);

  // Whether the face Qt picks for font lacks a bold weight, so that the
  // screen thickens its outlines when font asks for bold.
  static bool ScreenThickens(const QFont& font);

 private:
  const QPainterPath& Outline(const QString& glyph);

  QFont FFill;     // regular weight, without underline and strike-out
  QFont FOutline;  // the same, upright where the fill is slanted by the PDF engine
  bool FSlanted = false;
  bool FUnderline = false, FStrikeOut = false;
  qreal FUnderlinePos = 0, FStrikeOutPos = 0, FLineWidth = 1;
  qreal FStrength = 0;
  QHash<QString, QPainterPath> FOutlines;
};
