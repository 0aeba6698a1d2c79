// The component stream writer and reader, driven by property tables: value
// forms, identifiers, strings, skipping of values we do not model, and
// damaged input.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>

#include <cstdlib>
#include <functional>
#include <memory>

#include "ClassRegistry.h"
#include "ComponentStream.h"
#include "Control.h"
#include "Errors.h"
#include "GraphicsObjects.h"
#include "Identifiers.h"
#include "WinControl.h"

// Counting allocator: catches a reader that sizes a buffer from a length
// field before checking it against the bytes present. Sanitizer builds bring
// their own allocator, so the check runs in plain builds only.
#if defined(__SANITIZE_ADDRESS__)
#define TESSOLO_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define TESSOLO_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef TESSOLO_COUNT_ALLOCATIONS
#define TESSOLO_COUNT_ALLOCATIONS 1
#endif

#if TESSOLO_COUNT_ALLOCATIONS
namespace {
size_t gLargestAllocation = 0;
bool gCounting = false;
void Note(size_t n) {
  if (gCounting && n > gLargestAllocation) gLargestAllocation = n;
}
}  // namespace
extern "C" {
void* __libc_malloc(size_t);
void* __libc_realloc(void*, size_t);
void* __libc_calloc(size_t, size_t);
void* malloc(size_t n) {
  Note(n);
  return __libc_malloc(n);
}
void* realloc(void* p, size_t n) {
  Note(n);
  return __libc_realloc(p, n);
}
void* calloc(size_t count, size_t n) {
  Note(count * n);
  return __libc_calloc(count, n);
}
}
#endif

namespace {

// The largest single allocation made by f (0 where it cannot be counted).
size_t LargestAllocation(const std::function<void()>& f) {
#if TESSOLO_COUNT_ALLOCATIONS
  gLargestAllocation = 0;
  gCounting = true;
  try {
    f();
  } catch (...) {
    gCounting = false;
    throw;
  }
  gCounting = false;
  return gLargestAllocation;
#else
  f();
  return 0;
#endif
}

// A class with one published property of each kind.
class TSample : public TComponent {
 public:
  explicit TSample(TComponent* owner) : TComponent(owner) { ++Alive; }
  ~TSample() override { --Alive; }
  static inline int Alive = 0;

  static const TEnumInfo& Kinds() {
    static const TEnumInfo info{{"skOne", "skTwo", "skThree"}};
    return info;
  }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = [] {
      using P = Published<TSample>;
      TClassInfo c("TSample", &TComponent::StaticClassInfo());
      c.Add(P::Integer("Always", [](const TSample& s) { return s.Always; }, [](TSample& s, int64_t v) { s.Always = int(v); }));
      c.Add(P::Integer("Number", [](const TSample& s) { return s.Number; }, [](TSample& s, int64_t v) { s.Number = int(v); }, 0));
      c.Add(P::Ordinal("Color", TPropKind::Color, [](const TSample& s) { return s.Color; },
                       [](TSample& s, int64_t v) { s.Color = TColor(v); }, clBlack));
      c.Add(P::Ordinal("Cursor", TPropKind::Cursor, [](const TSample& s) { return s.Cursor; },
                       [](TSample& s, int64_t v) { s.Cursor = TCursor(v); }, crDefault));
      c.Add(P::Ordinal("Charset", TPropKind::Charset, [](const TSample& s) { return s.Charset; },
                       [](TSample& s, int64_t v) { s.Charset = TFontCharset(v); }, DEFAULT_CHARSET));
      c.Add(P::Enum("Kind", Kinds(), [](const TSample& s) { return s.Kind; }, [](TSample& s, int64_t v) { s.Kind = int(v); }, 0));
      c.Add(P::Set("Styles", Identifiers::FontStyles(), [](const TSample& s) { return s.Styles; },
                   [](TSample& s, int64_t v) { s.Styles = v; }, 0));
      c.Add(P::Bool("Flag", [](const TSample& s) { return s.Flag; }, [](TSample& s, bool v) { s.Flag = v; }, false));
      c.Add(P::String("Text", [](const TSample& s) { return s.Text; }, [](TSample& s, const QString& v) { s.Text = v; }));
      c.Add(P::Object("Pen", [](TSample& s) -> TPersistent* { return &s.Pen; }));
      c.Add(P::List("Lines", [](const TSample& s) { return s.Lines; }, [](TSample& s, const QStringList& v) { s.Lines = v; }));
      c.Add(StoredWhen(P::Binary("Data", [](const TSample& s) { return s.Data; },
                                 [](TSample& s, const QByteArray& v) { s.Data = v; }),
                       [](const TPersistent& o) { return !static_cast<const TSample&>(o).Data.isEmpty(); }));
      return c;
    }();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int Number = 0, Always = 0, Kind = 0;
  TColor Color = clBlack;
  TCursor Cursor = crDefault;
  TFontCharset Charset = DEFAULT_CHARSET;
  int64_t Styles = 0;
  bool Flag = false;
  QString Text;
  TPen Pen;
  QStringList Lines;
  QByteArray Data;
};

QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

QByteArray Short(const QByteArray& s) { return char(s.size()) + s; }
QByteArray Prop(const QByteArray& name, const QByteArray& value) { return Short(name) + value; }
QByteArray Ident(const QByteArray& name) { return '\x07' + Short(name); }

// A TSample stream holding the given properties (Always = 0 first, as the
// writer puts it).
QByteArray SampleStream(const QByteArray& props, const QByteArray& header = {}) {
  return "TPF0" + header + Short("TSample") + '\0' + Prop("Always", Hex("02 00")) + props + '\0' + '\0';
}

QByteArray Write(const TSample& s) { return ComponentStream::WriteComponent(s); }

// The value bytes of the one property a sample writes besides Always.
QByteArray ValueOf(const TSample& s, const QByteArray& name) {
  const QByteArray stream = Write(s);
  const QByteArray head = SampleStream({}).chopped(2) + Short(name);
  if (!stream.startsWith(head) || !stream.endsWith(QByteArray(2, '\0'))) return "<" + stream.toHex(' ') + ">";
  return stream.mid(head.size(), stream.size() - head.size() - 2);
}

TEST(ComponentStreamWrite, IntegersTakeTheSmallestForm) {
  TSample s(nullptr);
  const std::pair<int, const char*> cases[] = {
      {80, "02 50"},          {-11, "02 F5"},          {127, "02 7F"},          {-128, "02 80"},
      {129, "03 81 00"},      {163, "03 A3 00"},       {-129, "03 7F FF"},      {32767, "03 FF 7F"},
      {-32768, "03 00 80"},   {32768, "04 00 80 00 00"}, {70000, "04 70 11 01 00"}, {-70000, "04 90 EE FE FF"},
  };
  for (const auto& [value, bytes] : cases) {
    s.Number = value;
    EXPECT_EQ(ValueOf(s, "Number").toHex(' '), Hex(bytes).toHex(' ')) << value;
    TSample back(nullptr);
    ComponentStream::ReadComponent(Write(s), back);
    EXPECT_EQ(back.Number, value);
  }
  // A property without a default is written even when zero; one with a
  // default only when it differs.
  s.Number = 0;
  EXPECT_EQ(Write(s), SampleStream({}));
}

TEST(ComponentStreamWrite, NamedOrdinalsAreIdentifiersAndOthersIntegers) {
  TSample s(nullptr);
  s.Color = clRed;
  EXPECT_EQ(ValueOf(s, "Color"), Ident("clRed"));
  s.Color = clWindow;
  EXPECT_EQ(ValueOf(s, "Color"), Ident("clWindow"));
  s.Color = 0x123456;
  EXPECT_EQ(ValueOf(s, "Color"), Hex("04 56 34 12 00"));
  s.Color = clDefault;  // not in the table
  EXPECT_EQ(ValueOf(s, "Color"), Hex("04 00 00 00 20"));
  s.Color = TColor(0x80000019);  // a system colour without a name
  EXPECT_EQ(ValueOf(s, "Color"), Hex("04 19 00 00 80"));
  s.Color = clBlack;

  s.Cursor = crHandPoint;
  EXPECT_EQ(ValueOf(s, "Cursor"), Ident("crHandPoint"));
  s.Cursor = crSizeAll;  // first of the two names wins
  EXPECT_EQ(ValueOf(s, "Cursor"), Ident("crSizeAll"));
  s.Cursor = crNone;
  EXPECT_EQ(ValueOf(s, "Cursor"), Hex("02 FF"));
  s.Cursor = crDefault;

  s.Charset = SHIFTJIS_CHARSET;
  EXPECT_EQ(ValueOf(s, "Charset"), Ident("SHIFTJIS_CHARSET"));
  s.Charset = 100;
  EXPECT_EQ(ValueOf(s, "Charset"), Hex("02 64"));
  s.Charset = DEFAULT_CHARSET;

  s.Kind = 2;
  EXPECT_EQ(ValueOf(s, "Kind"), Ident("skThree"));

  // Reading: names in any case, later library names, integers.
  TSample back(nullptr);
  ComponentStream::ReadComponent(SampleStream(Prop("Color", Ident("CLRED")) + Prop("Cursor", Ident("crsize")) +
                                              Prop("Charset", Ident("shiftjis_charset")) + Prop("Kind", Ident("SKTWO"))),
                                 back);
  EXPECT_EQ(back.Color, clRed);
  EXPECT_EQ(back.Cursor, crSizeAll);
  EXPECT_EQ(back.Charset, SHIFTJIS_CHARSET);
  EXPECT_EQ(back.Kind, 1);
  ComponentStream::ReadComponent(SampleStream(Prop("Color", Ident("clMoneyGreen")) + Prop("Cursor", Hex("02 EB"))), back);
  EXPECT_EQ(back.Color, 0xC0DCC0);
  EXPECT_EQ(back.Cursor, crHandPoint);
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Color", Ident("clPlaid"))), back), EReadError);
  // Case folding is for letters only.
  EXPECT_TRUE(SameText("Pen.Color", "PEN.color"));
  EXPECT_FALSE(SameText("a@", "a`"));
  EXPECT_FALSE(SameText("a[", "a{"));
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Kind", Ident("skFour"))), back), EReadError);
}

TEST(ComponentStreamWrite, OrdinalWithoutANameRoundTrips) {
  // An enumeration value outside its names is written as an integer; the
  // reader must take back what the writer wrote.
  TSample s(nullptr);
  s.Kind = 9;
  EXPECT_EQ(ValueOf(s, "Kind"), Hex("02 09"));
  TSample back(nullptr);
  ComponentStream::ReadComponent(Write(s), back);
  EXPECT_EQ(back.Kind, 9);
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Kind", Hex("03 00 01"))), back), EReadError);
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Kind", Hex("02 FF"))), back), EReadError);
}

TEST(ComponentStreamWrite, SetsListElementNamesInOrdinalOrder) {
  TSample s(nullptr);
  s.Styles = FontStyleBit(fsUnderline) | FontStyleBit(fsBold);
  EXPECT_EQ(ValueOf(s, "Styles"), '\x0B' + Short("fsBold") + Short("fsUnderline") + '\0');
  TSample back(nullptr);
  ComponentStream::ReadComponent(Write(s), back);
  EXPECT_EQ(back.Styles, s.Styles);

  // An empty set differs from a non-empty default and is written as 0B 00.
  ComponentStream::ReadComponent(SampleStream(Prop("Styles", Hex("0B 00"))), back);
  EXPECT_EQ(back.Styles, 0);
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Styles", '\x0B' + Short("fsWavy") + '\0')), back),
               EReadError);
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Styles", Ident("fsBold"))), back), EReadError);
}

TEST(ComponentStreamWrite, StringsChooseShortLongOrWideForm) {
  TSample s(nullptr);
  s.Text = QString(255, QLatin1Char('x'));
  EXPECT_EQ(ValueOf(s, "Text").left(2), Hex("06 FF"));
  s.Text = QString(256, QLatin1Char('x'));
  EXPECT_EQ(ValueOf(s, "Text").left(5), Hex("0C 00 01 00 00"));

  // 300 bytes of Shift-JIS from 150 Japanese characters.
  s.Text = QString(150, QChar(0x540D));  // 名
  const QByteArray value = ValueOf(s, "Text");
  EXPECT_EQ(value.left(5), Hex("0C 2C 01 00 00"));
  EXPECT_EQ(value.mid(5, 2), Hex("96 BC"));
  TSample back(nullptr);
  ComponentStream::ReadComponent(Write(s), back);
  EXPECT_EQ(back.Text, s.Text);

  // Lines separated by CR LF stay as they are.
  s.Text = QStringLiteral("一行目\r\n二行目");
  ComponentStream::ReadComponent(Write(s), back);
  EXPECT_EQ(back.Text, s.Text);

  // Text Shift-JIS cannot hold is kept whole as a wide string of UTF-16 units.
  s.Text = QStringLiteral("Café 한글 ") + QString::fromUcs4(U"\U0001F600");
  const QByteArray wide = ValueOf(s, "Text");
  ASSERT_EQ(wide.left(5), Hex("12 0A 00 00 00"));
  EXPECT_EQ(wide.size(), 5 + 2 * 10);
  EXPECT_EQ(wide.mid(5, 4), Hex("43 00 61 00"));
  ComponentStream::ReadComponent(Write(s), back);
  EXPECT_EQ(back.Text, s.Text);

  // UTF-8 strings of later library versions are read.
  ComponentStream::ReadComponent(SampleStream(Prop("Text", Hex("14 03 00 00 00 E5 90 8D"))), back);
  EXPECT_EQ(back.Text, QStringLiteral("名"));
  // An empty string is not written at all.
  s.Text.clear();
  EXPECT_EQ(Write(s), SampleStream({}));
}

TEST(ComponentStreamWrite, SubObjectsListsAndBinaryFollowTheirOwner) {
  TSample s(nullptr);
  s.Pen.SetColor(clRed);
  s.Pen.SetWidth(3);
  s.Lines = {"a", "bb"};
  s.Data = QByteArray("\x00\x01\x02", 3);
  const QByteArray expected = SampleStream(
      Prop("Pen.Color", Ident("clRed")) + Prop("Pen.Width", Hex("02 03")) +
      Prop("Lines", Hex("01") + '\x06' + Short("a") + '\x06' + Short("bb") + '\0') +
      Prop("Data", Hex("0A 03 00 00 00 00 01 02")));
  EXPECT_EQ(Write(s), expected);
  TSample back(nullptr);
  ComponentStream::ReadComponent(expected, back);
  EXPECT_EQ(back.Pen.Color(), clRed);
  EXPECT_EQ(back.Pen.Width(), 3);
  EXPECT_EQ(back.Lines, s.Lines);
  EXPECT_EQ(back.Data, s.Data);
}

TEST(ComponentStreamRead, SkipsEveryValueItDoesNotModel) {
  const QByteArray unknown =
      Prop("Ext", Hex("05 00 00 00 00 00 00 00 80 FF 3F")) + Prop("Nil", Hex("0D")) +
      Prop("Coll", Hex("0E") + Hex("01") + Prop("A", Hex("02 01")) + '\0' + Hex("02 05 01") +
                       Prop("B", Hex("01 02 01 02 02 00")) + '\0' + Hex("03 00 01 01 00") + '\0') +
      Prop("Sgl", Hex("0F 00 00 80 3F")) + Prop("Cur", Hex("10 10 27 00 00 00 00 00 00")) +
      Prop("Dat", Hex("11 00 00 00 00 00 00 F0 3F")) + Prop("Wide", Hex("12 02 00 00 00 41 00 42 00")) +
      Prop("I64", Hex("13 01 02 03 04 05 06 07 08")) + Prop("Utf", Hex("14 02 00 00 00 68 69")) +
      Prop("Dbl", Hex("15 00 00 00 00 00 00 F0 3F")) + Prop("Lst", Hex("01 01 06 01 78 00 07 02 69 64 09 00")) +
      Prop("Bin", Hex("0A 02 00 00 00 FF FF")) + Prop("St", Hex("0B 01 61 02 62 63 00")) +
      Prop("LStr", Hex("0C 01 00 00 00 7A")) + Prop("Flg", Hex("08")) + Prop("Flg2", Hex("09")) +
      Prop("Idn", Ident("whatever")) +
      // Known names used in ways we do not model.
      Prop("Pen", Hex("02 01")) + Prop("Pen.Shade", Hex("02 01")) + Prop("Number.Part", Hex("02 01")) +
      Prop("Pen.", Hex("02 01")) + Prop(".Color", Hex("02 01"));
  const QByteArray known = Prop("Number", Hex("02 2A")) + Prop("Pen.Color", Ident("clBlue"));
  // Two child objects, one with the inline prefix and a child of its own.
  const QByteArray children = Short("TChild") + Short("a") + Prop("X", Hex("02 01")) + '\0' + '\0' + Hex("F2 02 03") +
                              Short("TChild") + '\0' + '\0' + Short("TGrand") + '\0' + '\0' + '\0' + '\0';
  const QByteArray stream = "TPF0" + Hex("F1") + Short("TSample") + Short("Named") + Prop("Always", Hex("02 00")) +
                            unknown + known + '\0' + children + '\0' + "trailing";
  TSample s(nullptr);
  const qsizetype used = ComponentStream::ReadComponent(stream, s);
  EXPECT_EQ(s.Number, 42);
  EXPECT_EQ(s.Pen.Color(), clBlue);
  EXPECT_EQ(used, stream.size() - 8);  // the bytes after the stream are left alone

  // The child-position prefix carries an integer before the class name.
  TSample t(nullptr);
  ComponentStream::ReadComponent(SampleStream(Prop("Number", Hex("02 07")), Hex("F2 03 10 00")), t);
  EXPECT_EQ(t.Number, 7);
}

TEST(ComponentStreamRead, DamagedInputGivesReadErrorsOnly) {
  TSample full(nullptr);
  full.Number = 300;
  full.Color = 0x123456;
  full.Cursor = crHandPoint;
  full.Kind = 1;
  full.Styles = 5;
  full.Flag = true;
  full.Text = QStringLiteral("名刺") + QString(300, QLatin1Char('y'));
  full.Pen.SetStyle(psDot);
  full.Lines = {"x", "y"};
  full.Data = "abc";
  const QByteArray stream = Write(full);

  // Cut short at every position.
  for (qsizetype n = 0; n < stream.size(); ++n) {
    TSample s(nullptr);
    EXPECT_THROW(ComponentStream::ReadComponent(stream.left(n), s), EReadError) << "cut at " << n;
  }

  // Absurd lengths, in modelled and in skipped properties.
  const QByteArray absurd[] = {
      Prop("Text", Hex("0C FF FF FF FF 41")), Prop("Text", Hex("12 FF FF FF 7F 41 00")),
      Prop("Text", Hex("14 00 00 00 80 41")), Prop("Data", Hex("0A FF FF FF FF 00")),
      Prop("Xyz", Hex("0A FF FF FF FF 00")),  Prop("Xyz", Hex("12 FF FF FF FF 00")),
      Prop("Xyz", Hex("0C 00 00 00 80 00")),  Prop("Text", Hex("06 FF 41")),
      Prop("Lines", Hex("01 0C FF FF FF 7F")),
  };
  for (const QByteArray& props : absurd) {
    TSample s(nullptr);
    EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(props), s), EReadError) << props.toHex(' ').constData();
  }
  const size_t largest = LargestAllocation([&] {
    for (const QByteArray& props : absurd) {
      TSample s(nullptr);
      try {
        ComponentStream::ReadComponent(SampleStream(props), s);
      } catch (const EReadError&) {
      }
    }
  });
  EXPECT_LT(largest, size_t(64 * 1024)) << "a length field was trusted before it was checked";

  // Unknown value types, wrong values for the property's kind, bad header.
  const QByteArray bad[] = {
      SampleStream(Prop("Xyz", Hex("7F"))), SampleStream(Prop("Number", Hex("7F"))),
      SampleStream(Prop("Number", Ident("clRed"))), SampleStream(Prop("Flag", Hex("02 01"))),
      SampleStream(Prop("Text", Hex("02 01"))), SampleStream(Prop("Data", Hex("06 01 41"))),
      SampleStream(Prop("Lines", Hex("06 01 41"))), SampleStream(Prop("Lines", Hex("01 02 01 00"))),
      SampleStream(Prop("Xyz", Hex("0E 07 00"))), "TPF1" + SampleStream({}).mid(4), SampleStream({}).left(4) + Hex("00 00 00 00"),
  };
  for (const QByteArray& b : bad) {
    TSample s(nullptr);
    EXPECT_THROW(ComponentStream::ReadComponent(b, s), EReadError) << b.toHex(' ').constData();
  }

  // A stream of another class is not read into this instance.
  TSample s(nullptr);
  EXPECT_THROW(ComponentStream::ReadComponent("TPF0" + Short("TOther") + Hex("00 00 00"), s), EReadError);

  // Deep nesting of lists, collections and child objects ends in an error,
  // not in a stack overflow.
  const int depth = 200000;
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Xyz", QByteArray(depth, '\x01'))), s), EReadError);
  QByteArray collections;
  for (int i = 0; i < depth / 8; ++i) collections += Hex("0E 01") + Short("P");
  EXPECT_THROW(ComponentStream::ReadComponent(SampleStream(Prop("Xyz", collections)), s), EReadError);
  QByteArray nested = "TPF0" + Short("TSample") + Hex("00 00");
  for (int i = 0; i < depth / 4; ++i) nested += Short("TC") + Hex("00 00");
  EXPECT_THROW(ComponentStream::ReadComponent(nested, s), EReadError);
}

TEST(ClassRegistry, CreatesByNameAndLeavesNothingBehindOnFailure) {
  ClassRegistry::RegisterClass<TSample>();
  EXPECT_TRUE(ClassRegistry::IsRegistered("TSample"));
  EXPECT_FALSE(ClassRegistry::IsRegistered("TNothing"));

  TComponent owner(nullptr);
  std::unique_ptr<TComponent> made(ClassRegistry::Create("TSample", &owner));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassName(), "TSample");
  EXPECT_EQ(made->Owner(), &owner);
  made.reset();
  EXPECT_TRUE(owner.Components().empty());
  EXPECT_EQ(ClassRegistry::Create("TNothing", &owner), nullptr);

  TSample original(nullptr);
  original.Number = 5;
  qsizetype used = 0;
  TComponent* read = ComponentStream::ReadNewComponent(Write(original), &owner, nullptr, &used);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(static_cast<TSample*>(read)->Number, 5);
  EXPECT_EQ(used, Write(original).size());
  EXPECT_EQ(owner.Components().size(), 1u);
  delete read;

  const int alive = TSample::Alive;
  EXPECT_THROW(ComponentStream::ReadNewComponent("TPF0" + Short("TNothing") + Hex("00 00 00"), &owner, nullptr),
               EClassNotFound);
  const QByteArray stream = Write(original);
  for (qsizetype n = 0; n < stream.size(); ++n)
    EXPECT_THROW(ComponentStream::ReadNewComponent(stream.left(n), &owner, nullptr), EReadError);
  EXPECT_EQ(TSample::Alive, alive);
  EXPECT_TRUE(owner.Components().empty());
}

}  // namespace
