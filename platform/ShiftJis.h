#pragma once
// Shift-JIS (Windows code page 932) text, the encoding of every file and
// stream the program reads or writes.
#include <QByteArray>
#include <QString>

namespace ShiftJis {

// Encodes text as code page 932. Returns false in *ok (when given) if a
// character has no code page 932 form; the returned bytes then hold a
// substitute for it, so callers that must not lose text check ok.
QByteArray Encode(const QString& text, bool* ok = nullptr);

// True when every character of text has a code page 932 form.
bool CanEncode(const QString& text);

// Decodes code page 932 bytes. Bytes that are not valid code page 932 become
// a substitute character (the codec's, or U+FFFD for a lead byte cut off at
// the end) so that damaged input never stops a reader and loses no more.
QString Decode(QByteArrayView bytes);

// Cuts bytes to at most maxBytes without splitting a double-byte character.
QByteArray TruncateBytes(const QByteArray& bytes, qsizetype maxBytes);

// True when b is the first byte of a double-byte character.
bool IsLeadByte(unsigned char b);

}  // namespace ShiftJis
