#pragma once
// Lengths in millimetres, inches and worksheet pixels; their display formats;
// and the character filters of the numeric entry fields.
//
// Millimetres and inches are single floats. Each conversion forms its product
// in extended precision from the single operand and the single constant, and
// only then rounds (to a single, or by adding 0.5 and truncating to pixels).
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>

#include "Errors.h"

namespace Units {
inline constexpr int PixelsPerMm = 5;
inline constexpr double MmPerPixel = 0.2;
// Single-precision constants; their bit patterns are 0x42FE0021, 0x3C0101F3,
// 0x3D214270 and 0x41CB3333.
inline constexpr float PixelsPerInch = 127.000254f;  // 1 / 0.007874, not 127
inline constexpr float InchesPerPixel = 0.007874f;
inline constexpr float InchesPerMm = 0.03937f;
inline constexpr float MmPerInch = 25.4f;
}  // namespace Units

// The unit the page setup dialog shows.
enum TPageUnit : std::int32_t { puNone = 0, puMillimetre = 1, puPixel = 2, puInch = 3 };

// trunc(x + 0.5), saturated to the 32-bit range (NaN gives 0): lengths come
// from files and fields, and no value may make the conversion undefined.
std::int32_t RoundToPixels(long double x);
// A product brought back to single precision; beyond the single range it
// saturates instead of being undefined (NaN gives 0).
float ToSingle(long double x);

std::int32_t MmToPixels(float mm);
float PixelsToMm(std::int32_t px);
float PixelsToInches(std::int32_t px);
std::int32_t InchesToPixels(float in);
float InchesToMm(float in);
float MmToInches(float mm);

// Fixed point with one decimal (millimetres) and three (inches), "." as the
// point, rounded half away from zero after at most eight significant digits.
QString FormatMm(float v);
QString FormatInch(float v);
QString FormatCount(std::int32_t n);
// The same rounding with any number of decimals and no digit limit, as the
// setup list files write their values.
QByteArray FormatFixed(float v, int decimals);

// A field's text that is not a number.
class EConvertError : public EPlatformError {
 public:
  using EPlatformError::EPlatformError;
  // The message the user sees, naming the text.
  QString Message() const;
};

// An optional sign, digits, an optional "." and digits; at least one digit.
// Throws EConvertError otherwise (a lone ".", an empty text).
float ParseDecimal(const QString& text);
// An optional sign and digits within the 32-bit range; throws EConvertError.
std::int32_t ParseCount(const QString& text);

// True when both show the same at one decimal.
bool SameAtOneDecimal(float a, float b);

// ---- Entry filters --------------------------------------------------------
// They work on the field's Shift-JIS bytes; the caret counts bytes.

struct TFilterResult {
  QByteArray Text;
  int Caret = 0;
  bool Changed = false;  // the text was rewritten
};

// Keeps the digits (and the backspace code); every dropped byte moves the
// caret one to the left, wherever it stood.
TFilterResult FilterDigitsText(const QByteArray& text, int caret);
// As above with "." kept too; then only the first point stays where it was.
TFilterResult FilterDecimalText(const QByteArray& text, int caret);

// A field as the filters see it: its text and caret in characters.
class IFilterField {
 public:
  virtual ~IFilterField() = default;
  virtual QString FieldText() const = 0;
  virtual int FieldCaret() const = 0;
  virtual void SetFieldText(const QString& text) = 0;
  virtual void SetFieldCaret(int caret) = 0;
};

// The change-event entry points. Setting the text raises the change event
// again; one process-wide guard, shared by both, makes that inner call return.
void FilterDigits(IFilterField& field);
void FilterDecimal(IFilterField& field);
