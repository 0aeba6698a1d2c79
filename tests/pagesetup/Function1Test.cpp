#include <gtest/gtest.h>

#include <cstring>

#include "Function1.h"
#include "NumericField.h"
#include "ShiftJis.h"

namespace {
std::uint32_t Bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}
}  // namespace

TEST(Units, ConstantsAreTheSingleValuesOfTheScaleRecord) {
  EXPECT_EQ(Bits(Units::PixelsPerInch), 0x42FE0021u);
  EXPECT_EQ(Bits(Units::InchesPerPixel), 0x3C0101F3u);
  EXPECT_EQ(Bits(Units::InchesPerMm), 0x3D214270u);
  EXPECT_EQ(Bits(Units::MmPerInch), 0x41CB3333u);
}

TEST(Units, ConversionsRoundAsTheWorksheetNeeds) {
  EXPECT_EQ(MmToPixels(91.0f), 455);
  EXPECT_EQ(MmToPixels(55.0f), 275);
  EXPECT_EQ(MmToPixels(-4.9f), -24);  // moved toward zero by the added half
  EXPECT_EQ(FormatInch(PixelsToInches(455)), "3.583");
  EXPECT_EQ(InchesToPixels(3.583f), 455);
  EXPECT_EQ(InchesToPixels(3.5f), 445);
  EXPECT_FLOAT_EQ(PixelsToMm(455), 91.0f);
  EXPECT_EQ(FormatMm(PixelsToMm(70)), "14.0");
  // Nothing a file or field can hold makes a conversion undefined.
  EXPECT_EQ(MmToPixels(3.0e38f), 2147483647);
  EXPECT_EQ(MmToPixels(-3.0e38f), -2147483647 - 1);
}

TEST(Units, FormatsRoundHalfAwayFromZeroAtTheirDecimals) {
  EXPECT_EQ(FormatMm(91.0f), "91.0");
  EXPECT_EQ(FormatMm(0.0f), "0.0");
  EXPECT_EQ(FormatMm(-2.4f), "-2.4");
  EXPECT_EQ(FormatMm(-0.04f), "0.0");
  EXPECT_EQ(FormatMm(0.25f), "0.3");  // an exact tie
  EXPECT_EQ(FormatMm(9.96f), "10.0");
  EXPECT_EQ(FormatMm(215.9f), "215.9");  // held as 215.899994
  EXPECT_EQ(FormatMm(123456789.0f), "123456790.0");  // eight significant digits
  EXPECT_EQ(FormatInch(0.5f), "0.500");
  EXPECT_EQ(FormatCount(-7), "-7");
  EXPECT_EQ(FormatFixed(215.9f, 1), "215.9");
  EXPECT_TRUE(SameAtOneDecimal(14.04f, 14.0f));
  EXPECT_FALSE(SameAtOneDecimal(14.06f, 14.0f));
}

TEST(Units, ParsingAcceptsOnlyNumbers) {
  EXPECT_FLOAT_EQ(ParseDecimal("12."), 12.0f);
  EXPECT_FLOAT_EQ(ParseDecimal(".5"), 0.5f);
  EXPECT_FLOAT_EQ(ParseDecimal("-77.0"), -77.0f);
  EXPECT_THROW(ParseDecimal("."), EConvertError);
  EXPECT_THROW(ParseDecimal(""), EConvertError);
  EXPECT_THROW(ParseDecimal("1e5"), EConvertError);
  EXPECT_THROW(ParseDecimal(QString(60, QLatin1Char('9'))), EConvertError);
  EXPECT_EQ(ParseCount("07"), 7);
  EXPECT_THROW(ParseCount("99999999999"), EConvertError);
  EXPECT_THROW(ParseCount("+-5"), EConvertError);
  try {
    ParseDecimal(".");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("「.」は正しい数値ではありません。"));
  }
}

TEST(EntryFilters, DropBytesAndMoveTheCaretByThem) {
  // A full-width digit is two bytes; both go, and the caret goes back two.
  const QByteArray fullWidth = ShiftJis::Encode(QString::fromUtf8("１"));
  ASSERT_EQ(fullWidth.size(), 2);
  TFilterResult r = FilterDigitsText("12" + fullWidth + "34", 4);
  EXPECT_EQ(r.Text, "1234");
  EXPECT_EQ(r.Caret, 2);
  EXPECT_EQ(FilterDigitsText("7x", 2).Text, "7");
  EXPECT_EQ(FilterDigitsText("1.5", 3).Text, "15");
  // A byte dropped after the caret moves it too, but never before the start.
  EXPECT_EQ(FilterDigitsText("x9", 0).Caret, 0);
  // Nothing dropped: the field is left alone.
  r = FilterDigitsText("123", 1);
  EXPECT_FALSE(r.Changed);
  EXPECT_EQ(r.Caret, 1);
}

TEST(EntryFilters, DecimalKeepsOnlyTheFirstPointWhereItStood) {
  TFilterResult r = FilterDecimalText("1.2.3", 5);
  EXPECT_EQ(r.Text, "1.23");
  EXPECT_EQ(r.Caret, 4);
  r = FilterDecimalText("12a", 3);
  EXPECT_EQ(r.Text, "12");
  EXPECT_EQ(r.Caret, 2);
  EXPECT_EQ(FilterDecimalText("-2.4", 4).Text, "2.4");  // no sign can be typed
  EXPECT_EQ(FilterDecimalText(".5", 1).Text, ".5");
  r = FilterDecimalText("..", 2);
  EXPECT_EQ(r.Text, ".");
  EXPECT_EQ(r.Caret, 1);
}

TEST(NumericFieldWidget, FiltersTypedAndSetTextOnce) {
  NumericField decimal(NumericField::Decimal, 5);
  int changes = 0;
  QObject::connect(&decimal, &NumericField::FieldChanged, [&] { ++changes; });
  for (const char* key : {"1", "2", "a", "3"}) decimal.insert(QString::fromLatin1(key));
  EXPECT_EQ(decimal.text(), "123");
  EXPECT_EQ(decimal.cursorPosition(), 3);
  EXPECT_GT(changes, 0);

  decimal.setText("12");
  decimal.setCursorPosition(2);
  decimal.insert(QString::fromUtf8("１"));
  EXPECT_EQ(decimal.text(), "12");
  EXPECT_EQ(decimal.cursorPosition(), 2);

  decimal.setText("1.2.3");  // as pasted or set by the program
  EXPECT_EQ(decimal.text(), "1.23");

  // Typing is held to the length; the program may show a longer value.
  decimal.setText("12345");
  decimal.setCursorPosition(5);
  decimal.insert("6");
  EXPECT_EQ(decimal.text(), "12345");

  NumericField digits(NumericField::Digits, 2);
  digits.insert("7x");
  EXPECT_EQ(digits.text(), "7");
  digits.setText("123");
  EXPECT_EQ(digits.text(), "123");
}
