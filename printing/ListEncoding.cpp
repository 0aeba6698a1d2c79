#include "ListEncoding.h"

#include <QStringDecoder>

#include "ShiftJis.h"

namespace {

std::optional<QString> StrictUtf8(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

// Every byte where code page 932 allows it: single bytes (ASCII and the
// half-width katakana), or a lead byte followed by a trail byte.
bool WellFormedCp932(QByteArrayView bytes) {
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
    if (!ShiftJis::IsLeadByte(b) || i + 1 == bytes.size()) return false;
    const auto t = static_cast<unsigned char>(bytes[++i]);
    if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
  }
  return true;
}

}  // namespace

std::optional<QString> DecodeListText(QByteArrayView bytes, TListEncoding* found) {
  if (bytes.contains('\0')) return std::nullopt;
  auto say = [found](TListEncoding e) {
    if (found) *found = e;
  };
  const bool bom = bytes.startsWith("\xEF\xBB\xBF");
  if (std::optional<QString> text = StrictUtf8(bom ? bytes.sliced(3) : bytes)) {
    say(bom ? TListEncoding::Utf8WithBom : TListEncoding::Utf8);
    return text;
  }
  if (bom || !WellFormedCp932(bytes)) return std::nullopt;
  // Well-formed pairs may still name no character (unassigned codes).
  QString text = ShiftJis::Decode(bytes);
  if (text.contains(QChar(QChar::ReplacementCharacter))) return std::nullopt;
  say(TListEncoding::ShiftJis);
  return text;
}
