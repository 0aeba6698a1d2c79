#include "PrinterCalibration.h"

#include <QStringList>

#include <algorithm>

namespace {
constexpr int kOffsetLimit = 100;               // 10.0 mm
constexpr int kScaleLow = 9800, kScaleHigh = 10200;  // 98.00 % to 102.00 %
constexpr int kNeutralScale = 10000;
// Longer than any value of the fields; refused before any digit is summed.
constexpr qsizetype kMaxTextLength = 24;

bool IsOffset(TPrinterCalibration::Field f) {
  return f == TPrinterCalibration::OffsetX || f == TPrinterCalibration::OffsetY;
}
}  // namespace

int TPrinterCalibration::MinSteps(Field f) { return IsOffset(f) ? -kOffsetLimit : kScaleLow; }
int TPrinterCalibration::MaxSteps(Field f) { return IsOffset(f) ? kOffsetLimit : kScaleHigh; }
int TPrinterCalibration::Decimals(Field f) { return IsOffset(f) ? 1 : 2; }
int TPrinterCalibration::NeutralSteps(Field f) { return IsOffset(f) ? 0 : kNeutralScale; }

bool TPrinterCalibration::SetSteps(Field f, int steps) {
  if (steps < MinSteps(f) || steps > MaxSteps(f)) return false;
  FSteps[f] = steps;
  return true;
}

bool TPrinterCalibration::IsNeutral() const { return *this == TPrinterCalibration{}; }

QString TPrinterCalibration::Format(Field f, int steps) {
  const int decimals = Decimals(f);
  const int unit = decimals == 1 ? 10 : 100;
  const int magnitude = steps < 0 ? -steps : steps;
  return QStringLiteral("%1%2.%3")
      .arg(steps < 0 ? QStringLiteral("-") : QString())
      .arg(magnitude / unit)
      .arg(magnitude % unit, decimals, 10, QLatin1Char('0'));
}

TPrinterCalibration::ParseError TPrinterCalibration::Parse(Field f, const QString& text, int* steps) {
  // Full-width digits, signs and points as a Japanese keyboard types them.
  QString t = text.normalized(QString::NormalizationForm_KC).trimmed();
  t.replace(QChar(0x2212), QLatin1Char('-'));
  if (t.isEmpty() || t.size() > kMaxTextLength) return ParseError::NotANumber;
  qsizetype i = 0;
  bool negative = false;
  if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
    negative = t[0] == QLatin1Char('-');
    ++i;
  }
  const int decimals = Decimals(f);
  long long value = 0;  // in steps; at most 24 digits are never summed past the range check
  int digits = 0, fraction = -1;
  bool tooFine = false;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c == QLatin1Char('.')) {
      if (fraction >= 0) return ParseError::NotANumber;
      fraction = 0;
      continue;
    }
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return ParseError::NotANumber;
    ++digits;
    const int d = c.unicode() - '0';
    if (fraction >= 0) {
      if (++fraction > decimals) {
        tooFine = tooFine || d != 0;
        continue;
      }
    }
    if (value > 1'000'000'000) return ParseError::OutOfRange;
    value = value * 10 + d;
  }
  if (digits == 0) return ParseError::NotANumber;
  if (tooFine) return ParseError::TooFine;
  for (int k = std::max(fraction, 0); k < decimals; ++k) value *= 10;
  if (negative) value = -value;
  if (value < MinSteps(f) || value > MaxSteps(f)) return ParseError::OutOfRange;
  *steps = int(value);
  return ParseError::None;
}

QString TPrinterCalibration::ToText() const {
  QStringList parts;
  for (int f = 0; f < FieldCount; ++f) parts << Format(Field(f), FSteps[f]);
  return parts.join(QLatin1Char(' '));
}

std::optional<TPrinterCalibration> TPrinterCalibration::FromText(const QString& text) {
  if (text.size() > FieldCount * (kMaxTextLength + 1)) return std::nullopt;
  const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.size() != FieldCount) return std::nullopt;
  TPrinterCalibration c;
  for (int f = 0; f < FieldCount; ++f) {
    int steps = 0;
    if (Parse(Field(f), parts[f], &steps) != ParseError::None) return std::nullopt;
    c.FSteps[f] = steps;
  }
  return c;
}
