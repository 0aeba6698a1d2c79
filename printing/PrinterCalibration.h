#pragma once
// The corrections of one printer that make cards land where the page setup
// says: an offset across and down in millimetres and a scale across and down
// in percent. Held in whole steps (0.1 mm, 0.01 %) so that what is typed,
// stored and read back is the very same number.
#include <QString>

#include <array>
#include <optional>

class TPrinterCalibration {
 public:
  enum Field { OffsetX, OffsetY, ScaleX, ScaleY };
  static constexpr int FieldCount = 4;

  enum class ParseError { None, NotANumber, TooFine, OutOfRange };

  // Smallest and largest value in steps, and the decimals of one step.
  static int MinSteps(Field f);
  static int MaxSteps(Field f);
  static int Decimals(Field f);
  static int NeutralSteps(Field f);

  int Steps(Field f) const { return FSteps[f]; }
  // False (nothing changed) when steps lies outside the field's range.
  bool SetSteps(Field f, int steps);

  double OffsetXMm() const { return FSteps[OffsetX] / 10.0; }
  double OffsetYMm() const { return FSteps[OffsetY] / 10.0; }
  // As factors: 1.0 for 100 %.
  double ScaleXFactor() const { return FSteps[ScaleX] / 10000.0; }
  double ScaleYFactor() const { return FSteps[ScaleY] / 10000.0; }
  bool IsNeutral() const;

  // A value as the dialog shows it: "0.0", "-1.5", "100.00".
  static QString Format(Field f, int steps);
  // Reads a value typed by a person: an optional sign, digits and a point,
  // full-width forms and surrounding blanks allowed. Exact in steps: a
  // digit finer than a step is refused, not rounded away.
  static ParseError Parse(Field f, const QString& text, int* steps);

  // "dx_mm dy_mm sx_percent sy_percent", the form kept in tessolo.ini.
  QString ToText() const;
  // nullopt unless text is four such values, each in its range.
  static std::optional<TPrinterCalibration> FromText(const QString& text);

  bool operator==(const TPrinterCalibration&) const = default;

 private:
  std::array<int, FieldCount> FSteps{0, 0, 10000, 10000};
};
