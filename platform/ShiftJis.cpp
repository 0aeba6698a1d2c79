#include "ShiftJis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ShiftJis {

namespace {
constexpr const char* kCodePage = "windows-31j";
}

bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QByteArray Encode(const QString& text, bool* ok) {
  bool allAscii = true;
  for (QChar c : text) {
    if (c.unicode() >= 0x80) {
      allAscii = false;
      break;
    }
  }
  if (allAscii) {  // the common case, and independent of the codec
    if (ok) *ok = true;
    return text.toLatin1();
  }
  QStringEncoder encoder(kCodePage);
  QByteArray bytes = encoder.encode(text);
  if (ok) *ok = encoder.isValid() && !encoder.hasError();
  return bytes;
}

bool CanEncode(const QString& text) {
  bool ok = false;
  Encode(text, &ok);
  return ok;
}

QString Decode(QByteArrayView bytes) {
  bool allAscii = true;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      allAscii = false;
      break;
    }
  }
  if (allAscii) return QString::fromLatin1(bytes.data(), bytes.size());
  QStringDecoder decoder(kCodePage);
  QString text = decoder.decode(bytes);
  // The codec keeps a lead byte cut off at the end as the start of a
  // character to come; here nothing comes, so it must not vanish.
  qsizetype i = 0;
  while (i < bytes.size()) i += IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
  if (i > bytes.size()) text += QChar(QChar::ReplacementCharacter);
  return text;
}

QByteArray TruncateBytes(const QByteArray& bytes, qsizetype maxBytes) {
  if (bytes.size() <= maxBytes) return bytes;
  qsizetype i = 0;
  while (i < maxBytes) {
    const qsizetype step = IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
  }
  return bytes.left(i);
}

}  // namespace ShiftJis
