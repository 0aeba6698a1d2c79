// Shift-JIS (code page 932) text: the Windows variant's own mappings, text
// it cannot hold, damaged bytes and cutting without splitting a character.
#include <gtest/gtest.h>

#include "ShiftJis.h"

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

TEST(ShiftJis, UsesTheWindowsCodePageMappings) {
  bool ok = false;
  EXPECT_EQ(ShiftJis::Encode(QStringLiteral("名刺"), &ok), Hex("96 BC 8E 68"));
  EXPECT_TRUE(ok);
  EXPECT_EQ(ShiftJis::Encode(QStringLiteral("ｶﾅ"), &ok), Hex("B6 C5"));  // half-width katakana: one byte each
  // Characters where code page 932 differs from plain Shift_JIS: full-width
  // tilde and minus, and the NEC extensions (circled digits, Roman numerals).
  EXPECT_EQ(ShiftJis::Encode(QStringLiteral("～－①Ⅰ"), &ok), Hex("81 60 81 7C 87 40 87 54"));
  EXPECT_TRUE(ok);
  EXPECT_EQ(ShiftJis::Decode(Hex("81 60 81 7C 87 40 87 54")), QStringLiteral("～－①Ⅰ"));
  EXPECT_EQ(ShiftJis::Decode(Hex("82 A0 82 A2 0D 0A 41")), QStringLiteral("あい\r\nA"));
  EXPECT_EQ(ShiftJis::Decode(QByteArray()), QString());
  EXPECT_EQ(ShiftJis::Encode(QString(), &ok), QByteArray());
  EXPECT_TRUE(ok);
}

TEST(ShiftJis, ReportsTextItCannotHold) {
  bool ok = true;
  ShiftJis::Encode(QStringLiteral("한글"), &ok);
  EXPECT_FALSE(ok);
  ShiftJis::Encode(QStringLiteral("Café"), &ok);
  EXPECT_FALSE(ok);
  ShiftJis::Encode(QString::fromUcs4(U"名\U0001F600"), &ok);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(ShiftJis::CanEncode(QStringLiteral("€")));
  EXPECT_TRUE(ShiftJis::CanEncode(QStringLiteral("ABC 名刺 ｶﾅ")));
}

TEST(ShiftJis, DamagedBytesDecodeWithoutLosingTheRest) {
  // A lead byte at the end, an invalid trail byte and bytes no character
  // uses all come back as replacement characters, the rest as it was.
  const QString cut = ShiftJis::Decode(Hex("41 96"));
  EXPECT_TRUE(cut.startsWith(QLatin1Char('A')));
  EXPECT_GE(cut.size(), 2);
  EXPECT_TRUE(ShiftJis::Decode(Hex("96 20 42")).endsWith(QLatin1Char('B')));
  EXPECT_TRUE(ShiftJis::Decode(Hex("41 FF 42")).startsWith(QLatin1Char('A')));
  EXPECT_TRUE(ShiftJis::Decode(Hex("41 FF 42")).endsWith(QLatin1Char('B')));
}

TEST(ShiftJis, TruncationNeverSplitsADoubleByteCharacter) {
  const QByteArray text = ShiftJis::Encode(QStringLiteral("A名刺B"));  // 41 96BC 8E68 42
  EXPECT_EQ(ShiftJis::TruncateBytes(text, 10), text);
  EXPECT_EQ(ShiftJis::TruncateBytes(text, 6), text);
  EXPECT_EQ(ShiftJis::TruncateBytes(text, 5), text.left(5));
  EXPECT_EQ(ShiftJis::TruncateBytes(text, 4), text.left(3));  // not half of 刺
  EXPECT_EQ(ShiftJis::TruncateBytes(text, 2), text.left(1));
  EXPECT_EQ(ShiftJis::TruncateBytes(text, 0), QByteArray());
  // Half-width katakana (A1-DF) are single bytes, not lead bytes.
  EXPECT_EQ(ShiftJis::TruncateBytes(Hex("B6 C5 B6"), 2), Hex("B6 C5"));
  EXPECT_TRUE(ShiftJis::IsLeadByte(0x81));
  EXPECT_TRUE(ShiftJis::IsLeadByte(0xFC));
  EXPECT_FALSE(ShiftJis::IsLeadByte(0xA0));
  EXPECT_FALSE(ShiftJis::IsLeadByte(0xB6));
  EXPECT_FALSE(ShiftJis::IsLeadByte(0x7F));
}

}  // namespace
