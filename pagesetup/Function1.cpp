#include "Function1.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>

#include "ErrorText.h"
#include "ShiftJis.h"

namespace {

// Decimal digits of v, exact for every float: sign, integer digits, fraction.
struct Digits {
  bool Negative = false;
  std::string Int;
  std::string Frac;
};

Digits ExactDigits(float v) {
  char buf[200];
  auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, 60);
  std::string s(buf, res.ptr);
  Digits d;
  if (!s.empty() && s[0] == '-') {
    d.Negative = true;
    s.erase(0, 1);
  }
  const auto point = s.find('.');
  d.Int = s.substr(0, point);
  d.Frac = point == std::string::npos ? std::string() : s.substr(point + 1);
  return d;
}

// Rounds half away from zero to `decimals` places, and first to at most
// maxSignificant significant digits when maxSignificant > 0.
QByteArray FormatRounded(float v, int decimals, int maxSignificant) {
  if (!std::isfinite(v)) v = 0.0f;
  Digits d = ExactDigits(v);
  std::string all = d.Int + d.Frac;
  const int intLen = static_cast<int>(d.Int.size());
  int last = intLen + decimals - 1;  // index of the last digit kept
  if (maxSignificant > 0) {
    const auto first = all.find_first_not_of('0');
    if (first != std::string::npos) last = std::min(last, static_cast<int>(first) + maxSignificant - 1);
  }
  // Digits beyond the point that are kept must exist.
  if (static_cast<int>(all.size()) < intLen + decimals) all.append(intLen + decimals - all.size(), '0');
  const bool roundUp = last + 1 >= 0 && last + 1 < static_cast<int>(all.size()) && all[last + 1] >= '5';
  for (int i = std::max(last + 1, 0); i < static_cast<int>(all.size()); ++i) all[i] = '0';
  all.resize(intLen + decimals);
  if (roundUp) {
    int i = last;
    while (i >= 0 && all[i] == '9') all[i--] = '0';
    if (i >= 0)
      ++all[i];
    else
      all.insert(all.begin(), '1');
  }
  const int newIntLen = static_cast<int>(all.size()) - decimals;
  std::string out = all.substr(0, newIntLen);
  // Leading zeros of the integer part, but keep one.
  const auto nz = out.find_first_not_of('0');
  out = nz == std::string::npos ? std::string("0") : out.substr(nz);
  if (decimals > 0) out.append(1, '.').append(all, size_t(newIntLen));
  const bool zero = all.find_first_not_of('0') == std::string::npos;
  if (d.Negative && !zero) out.insert(out.begin(), '-');
  return QByteArray::fromStdString(out);
}

constexpr int kNotANumber = 1226;

[[noreturn]] void ThrowNotNumber(const QString& text, const char* what) {
  throw EConvertError(QStringLiteral("'%1' is not a valid %2 value").arg(text, QLatin1String(what)).toStdString(),
                      {kNotANumber, {text}});
}

// The text as ASCII, or empty when it holds anything else.
std::string AsciiOf(const QString& text) {
  std::string s;
  s.reserve(text.size());
  for (QChar c : text) {
    if (c.unicode() >= 0x80) return {};
    s.push_back(static_cast<char>(c.unicode()));
  }
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

TFilterResult KeepBytes(const QByteArray& text, int caret, bool keepPoint) {
  TFilterResult r;
  r.Text.reserve(text.size());
  int dropped = 0;
  for (char c : text) {
    // Bytes from 0x80 up are negative as signed chars, so every double-byte
    // character goes, full-width digits included.
    if (IsDigit(c) || c == 8 || (keepPoint && c == '.')) {
      r.Text.append(c);
    } else {
      --caret;
      ++dropped;
    }
  }
  r.Caret = caret;
  r.Changed = dropped > 0;
  if (!r.Changed) r.Text = text;
  return r;
}

int ClampCaret(int caret, qsizetype length) { return std::clamp(caret, 0, static_cast<int>(length)); }

bool FilterGuard = false;

void RunFilter(IFilterField& field, bool decimal) {
  if (FilterGuard) return;
  FilterGuard = true;
  struct Reset {
    ~Reset() { FilterGuard = false; }
  } reset;
  const QString text = field.FieldText();
  const int caretChars = ClampCaret(field.FieldCaret(), text.size());
  const QByteArray bytes = ShiftJis::Encode(text);
  const int caretBytes = static_cast<int>(ShiftJis::Encode(text.left(caretChars)).size());
  const TFilterResult r = decimal ? FilterDecimalText(bytes, caretBytes) : FilterDigitsText(bytes, caretBytes);
  if (!r.Changed) return;
  // Only ASCII survives, so bytes and characters count alike from here on.
  const QString filtered = QString::fromLatin1(r.Text);
  if (filtered != text) field.SetFieldText(filtered);
  if (field.FieldCaret() != r.Caret) field.SetFieldCaret(r.Caret);
}

}  // namespace

std::int32_t RoundToPixels(long double x) {
  const long double r = std::trunc(x + 0.5L);
  if (std::isnan(r)) return 0;
  if (r >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (r <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

float ToSingle(long double x) {
  if (std::isnan(x)) return 0.0f;
  if (x > FLT_MAX) return FLT_MAX;
  if (x < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(x);
}

std::int32_t MmToPixels(float mm) { return RoundToPixels(static_cast<long double>(mm) * Units::PixelsPerMm); }
float PixelsToMm(std::int32_t px) { return ToSingle(static_cast<long double>(px) * Units::MmPerPixel); }
float PixelsToInches(std::int32_t px) { return ToSingle(static_cast<long double>(px) * Units::InchesPerPixel); }
std::int32_t InchesToPixels(float in) { return RoundToPixels(static_cast<long double>(in) * Units::PixelsPerInch); }
float InchesToMm(float in) { return ToSingle(static_cast<long double>(in) * Units::MmPerInch); }
float MmToInches(float mm) { return ToSingle(static_cast<long double>(mm) * Units::InchesPerMm); }

// Beyond eight integer digits the value keeps its fixed form (rounded to eight
// significant digits), so that a shown value survives the field's filter.
QString EConvertError::Message() const { return ErrorText(*this); }

QString FormatMm(float v) { return QString::fromLatin1(FormatRounded(v, 1, 8)); }
QString FormatInch(float v) { return QString::fromLatin1(FormatRounded(v, 3, 8)); }
QString FormatCount(std::int32_t n) { return QString::number(n); }
QByteArray FormatFixed(float v, int decimals) { return FormatRounded(v, decimals, 0); }

float ParseDecimal(const QString& text) {
  const std::string s = AsciiOf(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t start = i;
  int digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0 || i != s.size()) ThrowNotNumber(text, "floating point");
  float v = 0.0f;
  auto res = std::from_chars(s.data() + start, s.data() + s.size(), v, std::chars_format::fixed);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small for a single is zero; too large is not a length.
    double d = 0.0;
    auto dres = std::from_chars(s.data() + start, s.data() + s.size(), d, std::chars_format::fixed);
    if (dres.ec != std::errc() || d > FLT_MAX) ThrowNotNumber(text, "floating point");
    v = static_cast<float>(d);
  } else if (res.ec != std::errc()) {
    ThrowNotNumber(text, "floating point");
  }
  return negative ? -v : v;
}

std::int32_t ParseCount(const QString& text) {
  const std::string s = AsciiOf(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) ThrowNotNumber(text, "integer");
  long long n = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) ThrowNotNumber(text, "integer");
    n = n * 10 + (s[i] - '0');
    if (n > 2147483648LL) ThrowNotNumber(text, "integer");
  }
  if (negative) n = -n;
  if (n > std::numeric_limits<std::int32_t>::max()) ThrowNotNumber(text, "integer");
  return static_cast<std::int32_t>(n);
}

bool SameAtOneDecimal(float a, float b) { return FormatMm(a) == FormatMm(b); }

TFilterResult FilterDigitsText(const QByteArray& text, int caret) {
  TFilterResult r = KeepBytes(text, caret, false);
  if (r.Changed) r.Caret = ClampCaret(r.Caret, r.Text.size());
  return r;
}

TFilterResult FilterDecimalText(const QByteArray& text, int caret) {
  TFilterResult r = KeepBytes(text, caret, true);
  const qsizetype p = r.Text.indexOf('.');
  if (p >= 0) {
    // Every point goes, then one comes back where the first stood; the caret
    // follows the count, not the places.
    r.Caret -= static_cast<int>(r.Text.count('.'));
    r.Text.replace(".", "");
    r.Text.insert(p, '.');
    r.Caret += 1;
    r.Changed = true;
  }
  if (r.Changed) r.Caret = ClampCaret(r.Caret, r.Text.size());
  return r;
}

void FilterDigits(IFilterField& field) { RunFilter(field, false); }
void FilterDecimal(IFilterField& field) { RunFilter(field, true); }
