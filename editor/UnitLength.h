#pragma once
// A length held three ways at once, as the grid and picture-size dialogs
// keep it: whole worksheet pixels, millimetres and inches. Whichever of the
// three is set, the other two are derived from it, so they always agree.
#include <QString>

#include <cstdint>
#include <optional>

enum class TEditorUnit { Pixel, Mm, Inch };

// The editor keeps the unit as three flags; a set of flags with none set
// counts as pixels.
TEditorUnit UnitFromFlags(bool pixel, bool mm, bool inch);
void UnitToFlags(TEditorUnit unit, bool& pixel, bool& mm, bool& inch);

struct TUnitLength {
  std::int32_t Px = 0;
  float Mm = 0.0f;
  float In = 0.0f;

  static TUnitLength FromPixels(std::int32_t px);
  static TUnitLength FromMm(float mm);
  static TUnitLength FromInches(float in);
  // The value of a field in its unit: a whole number of pixels, or a
  // millimetre or inch value.
  static TUnitLength FromUnit(TEditorUnit unit, double value);

  // The value in the unit as a number (pixels as a whole number).
  double Value(TEditorUnit unit) const;
  // Pixels as an integer, millimetres with one decimal, inches with three.
  QString Text(TEditorUnit unit) const;

  bool operator==(const TUnitLength&) const = default;
};

// A field's text read in its unit (an integer for pixels, a decimal number
// otherwise); nullopt when the text is no number, such as a lone ".".
std::optional<double> ReadUnitText(TEditorUnit unit, const QString& text);

// The field's text with the unit's entry filter applied: digits only for
// pixels, digits and one decimal point otherwise.
QString FilterUnitText(TEditorUnit unit, const QString& text);
