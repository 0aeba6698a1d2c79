#pragma once
// Which encoding a list file saved by a spreadsheet is in: UTF-8 with or
// without a byte-order mark, or Shift-JIS (code page 932, what Excel on a
// Japanese Windows writes as "CSV").
#include <QByteArrayView>
#include <QString>

#include <optional>

enum class TListEncoding { Utf8, Utf8WithBom, ShiftJis };

// The text of bytes, the mark dropped. UTF-8 is tried first: Japanese text in
// Shift-JIS is practically never valid UTF-8, while the reverse is common.
// nullopt when the bytes are neither, or hold a NUL (UTF-16 and binary files
// do; text files do not).
std::optional<QString> DecodeListText(QByteArrayView bytes, TListEncoding* found = nullptr);
