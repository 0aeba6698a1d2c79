#include "PageSetupRecord.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "Function1.h"
#include "ShiftJis.h"

SetupNameBuffer SetupNameBuffer::FromBytes(QByteArrayView bytes) {
  const qsizetype nul = bytes.indexOf('\0');
  if (nul >= 0) bytes = bytes.first(nul);
  const QByteArray cut = ShiftJis::TruncateBytes(bytes.toByteArray(), MaxBytes);
  SetupNameBuffer name;
  std::memcpy(name.FBytes.data(), cut.constData(), static_cast<std::size_t>(cut.size()));
  return name;
}

SetupNameBuffer SetupNameBuffer::FromText(const QString& text) { return FromBytes(ShiftJis::Encode(text)); }

SetupNameBuffer SetupNameBuffer::FromField(const char (&field)[Capacity]) {
  return FromBytes(QByteArrayView(field, Capacity));
}

QByteArray SetupNameBuffer::Bytes() const { return QByteArray(FBytes.data()); }

QString SetupNameBuffer::Text() const { return ShiftJis::Decode(Bytes()); }

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of s that reads as a decimal number: sign,
// digits, point, digits, exponent. Infinities, NaN and hexadecimal are not
// lengths, so they read as 0 like any other text.
std::size_t NumberPrefix(std::string_view s, bool allowFraction) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (allowFraction && i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (allowFraction && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

std::string_view SkipBlanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

float ScanFloat(std::string_view s) {
  s = SkipBlanks(s);
  const std::size_t n = NumberPrefix(s, true);
  if (n == 0) return 0.0f;
  std::string_view num = s.substr(0, n);
  bool negative = false;
  if (num[0] == '+' || num[0] == '-') {
    negative = num[0] == '-';
    num.remove_prefix(1);
  }
  double d = 0.0;
  auto res = std::from_chars(num.data(), num.data() + num.size(), d);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small reads as 0, too large saturates.
    const std::size_t e = num.find_first_of("eE");
    const bool tiny = e != std::string_view::npos ? (e + 1 < num.size() && num[e + 1] == '-')
                                                  : num.substr(0, num.find('.')).find_first_not_of('0') ==
                                                        std::string_view::npos;
    d = tiny ? 0.0 : DBL_MAX;
  }
  // A value beyond the single range saturates; it is bad data, not a crash.
  return ToSingle(negative ? -d : d);
}

std::int32_t ScanInt(std::string_view s) {
  s = SkipBlanks(s);
  const std::size_t n = NumberPrefix(s, false);
  if (n == 0) return 0;
  std::size_t i = 0;
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') negative = s[i++] == '-';
  long long v = 0;
  for (; i < n; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) v = 2147483648LL;  // saturate
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) v = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

}  // namespace

float RightMarginOf(float paperWidth, std::int32_t retu, float sheetWidth, float leftMargin, float insideMarginX) {
  const long double used = static_cast<long double>(retu) * sheetWidth + leftMargin +
                           (static_cast<long double>(retu) - 1) * insideMarginX;
  return ToSingle(paperWidth - used);
}

float BottomMarginOf(float paperHeight, std::int32_t dann, float sheetHeight, float topMargin, float insideMarginY) {
  const long double used = static_cast<long double>(dann) * sheetHeight + topMargin +
                           (static_cast<long double>(dann) - 1) * insideMarginY;
  return ToSingle(paperHeight - used);
}

QByteArray FormatSetupLine(const PageSetup& s) {
  QByteArray line;
  line += '"';
  line += s.SetupName.Bytes();
  line += "\", ";
  line += FormatFixed(s.PaperWidth, 1) + ", ";
  line += FormatFixed(s.PaperHeight, 1) + ", ";
  line += FormatFixed(s.SheetWidth, 1) + ", ";
  line += FormatFixed(s.SheetHeight, 1) + ", ";
  line += QByteArray::number(s.Retu) + ",";
  line += QByteArray::number(s.Dann) + ",";
  line += FormatFixed(s.LeftMargin, 1) + ",";
  line += FormatFixed(s.TopMargin, 1) + ",";
  line += FormatFixed(s.InsideMarginX, 1) + ",";
  line += FormatFixed(s.InsideMarginY, 1);
  return line;
}

std::optional<PageSetup> ParseSetupLine(QByteArrayView line) {
  const std::string_view s(line.data(), static_cast<std::size_t>(line.size()));
  const std::size_t open = s.find('"');
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = s.find('"', open + 1);
  if (close == std::string_view::npos) return std::nullopt;

  // Each value starts after the next comma; the name's own commas lie before
  // the closing quote and are never looked at.
  std::string_view values[10];
  std::size_t at = close + 1;
  for (auto& v : values) {
    const std::size_t comma = s.find(',', at);
    if (comma == std::string_view::npos) return std::nullopt;
    v = s.substr(comma + 1);
    at = comma + 1;
  }
  PageSetup r;
  r.SetupName = SetupNameBuffer::FromBytes(line.sliced(open + 1, close - open - 1));
  r.PaperWidth = ScanFloat(values[0]);
  r.PaperHeight = ScanFloat(values[1]);
  r.SheetWidth = ScanFloat(values[2]);
  r.SheetHeight = ScanFloat(values[3]);
  r.Retu = ScanInt(values[4]);
  r.Dann = ScanInt(values[5]);
  r.LeftMargin = ScanFloat(values[6]);
  r.TopMargin = ScanFloat(values[7]);
  r.InsideMarginX = ScanFloat(values[8]);
  r.InsideMarginY = ScanFloat(values[9]);
  return r;
}
