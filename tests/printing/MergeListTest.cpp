// The merge list reader: encodings, RFC 4180 quoting in CSV and TSV, and the
// messages for lists that cannot be printed from.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

#include "ErrorText.h"
#include "MergeList.h"
#include "MergeMessages.h"
#include "ShiftJis.h"

namespace {

QByteArray Utf8(const char* text) { return QByteArray(text); }
QByteArray Sjis(const char* text) { return ShiftJis::Encode(QString::fromUtf8(text)); }

struct ListCase {
  const char* Name;
  QByteArray Bytes;
  const char* File;
  TListEncoding Encoding;
  QStringList Columns;
  std::vector<QStringList> Rows;
  std::vector<int> Lines;
};

TEST(MergeList, ReadsEncodingsQuotingAndBothDelimiters) {
  const QString name = QStringLiteral("氏名"), title = QStringLiteral("役職");
  const ListCase cases[] = {
      {"utf-8 without a mark", Utf8("氏名,役職\n山田 太郎,部長\n"), "a.csv", TListEncoding::Utf8,
       {name, title}, {{"山田 太郎", "部長"}}, {2}},
      {"utf-8 with a mark, CRLF", Utf8("\xEF\xBB\xBF氏名,役職\r\n山田,部長\r\n佐藤,課長"), "a.csv",
       TListEncoding::Utf8WithBom, {name, title}, {{"山田", "部長"}, {"佐藤", "課長"}}, {2, 3}},
      {"shift-jis as Excel saves it", Sjis("氏名,役職\r\n表 ソ能,部長\r\n"), "a.csv", TListEncoding::ShiftJis,
       {name, title}, {{"表 ソ能", "部長"}}, {2}},
      {"commas, quotes and line breaks in quotes", Utf8("氏名,役職\n\"佐藤, 花子\",\"課長 \"\"代理\"\"\"\n"
                                                         "\"鈴木\n一郎\",\"営業\r\n企画\"\n高橋,係長\n"),
       "a.csv", TListEncoding::Utf8, {name, title},
       {{"佐藤, 花子", "課長 \"代理\""}, {"鈴木\n一郎", "営業\r\n企画"}, {"高橋", "係長"}}, {2, 3, 6}},
      {"tsv by extension keeps commas", Utf8("氏名\t役職\n山田, 太郎\t\"部\t長\"\n"), "a.tsv",
       TListEncoding::Utf8, {name, title}, {{"山田, 太郎", "部\t長"}}, {2}},
      {"tsv told by its header", Utf8("氏名\t役職\n山田\t部長\n"), "list.txt", TListEncoding::Utf8,
       {name, title}, {{"山田", "部長"}}, {2}},
      {"empty rows skipped, short rows padded, spaces kept",
       Utf8(" 氏名 ,役職\n\n,\n 山田 \n,部長,\n"), "a.csv", TListEncoding::Utf8, {name, title},
       {{" 山田 "}, {"", "部長"}}, {4, 5}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TOutcomeOf<TMergeList> r = ReadMergeList(c.Bytes, QString::fromLatin1(c.File));
    ASSERT_TRUE(r.Ok()) << r.Reason().toStdString();
    const TMergeList& list = r.Value();
    EXPECT_EQ(list.Encoding, c.Encoding);
    EXPECT_EQ(list.Columns, c.Columns);
    ASSERT_EQ(list.Rows.size(), c.Rows.size());
    for (size_t i = 0; i < c.Rows.size(); ++i)
      for (int col = 0; col < c.Columns.size(); ++col)
        EXPECT_EQ(list.Cell(int(i), col), c.Rows[i].value(col)) << i << "," << col;
    EXPECT_EQ(list.Lines, c.Lines);
  }
}

TEST(MergeList, RefusesWhatCannotBePrintedWithTheLine) {
  struct Case {
    const char* Name;
    QByteArray Bytes;
    QString Reason;  // the message, the line it points at filled in
  };
  auto at = [](int id, int line) { return LoadStr(id).arg(line); };
  QByteArray manyColumns;
  for (int i = 0; i <= MergeListLimits::MaxColumns; ++i) manyColumns += "c" + QByteArray::number(i) + ",";
  const Case cases[] = {
      {"a quote left open", Utf8("氏名,役職\n山田,部長\n\"佐藤,課長\n高橋,係長\n"),
       at(MergeText::UnclosedQuote, 3)},
      {"a quote left open after a quoted break", Utf8("氏名\n\"a\nb\"\n\"c\n\nd"), at(MergeText::UnclosedQuote, 4)},
      {"a quote inside a bare field", Utf8("氏名,役職\n山田,部\"長\n"), at(MergeText::StrayQuote, 2)},
      {"text after a closing quote", Utf8("氏名\n\n\"山田\"様\n"), at(MergeText::StrayQuote, 3)},
      {"no rows under the header", Utf8("氏名,役職\n,\n\n"), LoadStr(MergeText::Empty)},
      {"nothing at all", QByteArray(), LoadStr(MergeText::Empty)},
      {"neither utf-8 nor shift-jis", QByteArray("\x81\x20\xFF\xFE", 4), LoadStr(MergeText::UnknownEncoding)},
      {"utf-16 with its mark", QByteArray("\xFF\xFE" "a\0,\0b\0", 8), LoadStr(MergeText::UnknownEncoding)},
      {"a cell beyond the header", Utf8("氏名\n山田\n佐藤,課長\n"), at(MergeText::ExtraCells, 3)},
      {"a column named twice", Utf8("氏名,氏名\na,b\n"),
       LoadStr(MergeText::DuplicateColumn).arg(QStringLiteral("氏名"))},
      {"too many columns", manyColumns + "\nx\n", LoadStr(MergeText::TooManyColumns).arg(MergeListLimits::MaxColumns)},
      {"too large", QByteArray(MergeListLimits::MaxFileBytes + 1, 'a'), LoadStr(MergeText::TooLarge).arg(16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TOutcomeOf<TMergeList> r = ReadMergeList(c.Bytes, QStringLiteral("list.csv"));
    EXPECT_EQ(r.Kind(), TOutcome::TKind::Refused);
    EXPECT_EQ(r.Reason(), c.Reason);
  }
}

TEST(MergeList, TooManyRowsIsRefusedAndAFileIsReadWhole) {
  QByteArray rows = "n\n";
  for (int i = 0; i <= MergeListLimits::MaxRows; ++i) rows += "x\n";
  EXPECT_EQ(ReadMergeList(rows, QStringLiteral("a.csv")).Reason(),
            LoadStr(MergeText::TooManyRows).arg(MergeListLimits::MaxRows));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("staff.csv"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Sjis("氏名\n山田\n"));
  f.close();
  const TOutcomeOf<TMergeList> r = ReadMergeListFile(path);
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.Value().Cell(0, 0), QStringLiteral("山田"));
  const QString gone = dir.filePath(QStringLiteral("gone.csv"));
  EXPECT_EQ(ReadMergeListFile(gone).Reason(), LoadStr(MergeText::CannotRead).arg(gone, FileErrorText(ENOENT)));
}

}  // namespace
