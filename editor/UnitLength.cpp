#include "UnitLength.h"

#include <algorithm>
#include <cmath>

#include "Function1.h"
#include "ShiftJis.h"

TEditorUnit UnitFromFlags(bool pixel, bool mm, bool inch) {
  if (pixel) return TEditorUnit::Pixel;
  if (mm) return TEditorUnit::Mm;
  if (inch) return TEditorUnit::Inch;
  return TEditorUnit::Pixel;
}

void UnitToFlags(TEditorUnit unit, bool& pixel, bool& mm, bool& inch) {
  pixel = unit == TEditorUnit::Pixel;
  mm = unit == TEditorUnit::Mm;
  inch = unit == TEditorUnit::Inch;
}

TUnitLength TUnitLength::FromPixels(std::int32_t px) { return {px, PixelsToMm(px), PixelsToInches(px)}; }

TUnitLength TUnitLength::FromMm(float mm) { return {MmToPixels(mm), mm, MmToInches(mm)}; }

TUnitLength TUnitLength::FromInches(float in) { return {InchesToPixels(in), InchesToMm(in), in}; }

TUnitLength TUnitLength::FromUnit(TEditorUnit unit, double value) {
  switch (unit) {
    case TEditorUnit::Mm: return FromMm(ToSingle(value));
    case TEditorUnit::Inch: return FromInches(ToSingle(value));
    case TEditorUnit::Pixel: break;
  }
  // A pixel field holds whole numbers only.
  if (std::isnan(value)) value = 0;
  return FromPixels(static_cast<std::int32_t>(std::clamp<double>(std::trunc(value), INT32_MIN, INT32_MAX)));
}

double TUnitLength::Value(TEditorUnit unit) const {
  switch (unit) {
    case TEditorUnit::Mm: return Mm;
    case TEditorUnit::Inch: return In;
    case TEditorUnit::Pixel: break;
  }
  return Px;
}

QString TUnitLength::Text(TEditorUnit unit) const {
  switch (unit) {
    case TEditorUnit::Mm: return FormatMm(Mm);
    case TEditorUnit::Inch: return FormatInch(In);
    case TEditorUnit::Pixel: break;
  }
  return FormatCount(Px);
}

std::optional<double> ReadUnitText(TEditorUnit unit, const QString& text) {
  try {
    if (unit == TEditorUnit::Pixel) return ParseCount(text);
    return ParseDecimal(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

QString FilterUnitText(TEditorUnit unit, const QString& text) {
  const QByteArray bytes = ShiftJis::Encode(text);
  const TFilterResult r =
      unit == TEditorUnit::Pixel ? FilterDigitsText(bytes, 0) : FilterDecimalText(bytes, 0);
  return r.Changed ? QString::fromLatin1(r.Text) : text;
}
