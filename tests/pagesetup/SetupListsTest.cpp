#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include "ScriptedUserInterface.h"
#include "SetupLists.h"
#include "SetupNameInput.h"
#include "ShiftJis.h"
#include "StringTable.h"

namespace {

QByteArray Sjis(const char* utf8) { return ShiftJis::Encode(QString::fromUtf8(utf8)); }

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Lines(int count, const char* prefix) {
  QByteArray text = "The VarnettDx version 2.0g\r\n";
  for (int i = 0; i < count; ++i)
    text += "\"" + QByteArray(prefix) + QByteArray::number(i) + "\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n";
  return text;
}

PageSetup Values(const char* name) {
  PageSetup s;
  s.SetupName = SetupNameBuffer::FromText(QString::fromUtf8(name));
  s.PaperWidth = 210.0f;
  s.PaperHeight = 297.0f;
  s.SheetWidth = 91.0f;
  s.SheetHeight = 55.0f;
  s.Retu = 2;
  s.Dann = 5;
  s.LeftMargin = 14.0f;
  s.TopMargin = 11.0f;
  return s;
}

const char kHeader[] = "The VarnettDx version 2.0g\r\n";
const char kDefaultLine[] = ", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n";

}  // namespace

TEST(SetupListFiles, ReaderSkipsWhatIsNotARecordAndReadsTheRest) {
  QTemporaryDir dir;
  const QString path = dir.filePath("usetpage.txt");
  SetupTable table;
  WriteBytes(path, kHeader);
  EXPECT_EQ(ReadSetupFile(path, table, 0), 0);
  EXPECT_EQ(ReadSetupFile(dir.filePath("missing.txt"), table, 0), 0);

  const QByteArray longName = QByteArray(62, 'a') + Sjis("名");  // 64 bytes: the last character does not fit
  WriteBytes(path, QByteArray(kHeader) + "\r\n" +
                       "\"A, B\", 215.9, 279.4, 88.9, 50.8, 2,5,19.0,12.7,0.0,0.0\r\n"
                       "\"nine\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0\r\n"
                       "\"blanks\",   210.0, 297.0, 91.0, 55.0,    2,  5,12.5mm,x,0.0,0.0 trailing\n"
                       "\"" + longName + "\", 1, 2, 3, 4, 5,6,7,8,9,10\r\n"
                       "\"inf\", inf, nan, 1e999, 0x10, 99999999999,5,0,0,0,0\r\n");
  EXPECT_EQ(ReadSetupFile(path, table, 0), 3);
  EXPECT_EQ(table.Records[0].SetupName.Bytes(), "A, B");
  EXPECT_FLOAT_EQ(table.Records[0].PaperWidth, 215.9f);
  EXPECT_FLOAT_EQ(table.Records[0].TopMargin, 12.7f);
  EXPECT_EQ(table.Records[1].SetupName.Bytes(), "blanks");
  EXPECT_EQ(table.Records[1].Dann, 5);
  EXPECT_FLOAT_EQ(table.Records[1].LeftMargin, 12.5f);
  EXPECT_FLOAT_EQ(table.Records[1].TopMargin, 0.0f);
  EXPECT_EQ(table.Records[2].SetupName.Bytes(), QByteArray(62, 'a'));
  EXPECT_EQ(table.Records[2].Dann, 6);
  // Values no card has are read as 0 or held at the range's end, never
  // undefined; such a record is not offered.
  const std::optional<PageSetup> odd =
      ParseSetupLine("\"inf\", inf, nan, 1e999, 0x10, 99999999999,5,0,0,0,0");
  ASSERT_TRUE(odd);
  EXPECT_FLOAT_EQ(odd->PaperWidth, 0.0f);
  EXPECT_FLOAT_EQ(odd->PaperHeight, 0.0f);
  EXPECT_GT(odd->SheetWidth, 1e38f);
  EXPECT_FLOAT_EQ(odd->SheetHeight, 0.0f);
  EXPECT_EQ(odd->Retu, 2147483647);

  // A document's name field need not end in a NUL.
  char field[64];
  std::fill(std::begin(field), std::end(field), 'n');
  EXPECT_EQ(SetupNameBuffer::FromField(field).Bytes(), QByteArray(63, 'n'));
}

TEST(SetupListFiles, BothListsTogetherHoldAtMost256) {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("msetpage.txt"), Lines(250, "m"));
  WriteBytes(dir.filePath("usetpage.txt"), Lines(10, "u"));
  SetupLists lists(dir.path());
  lists.Load();
  EXPECT_EQ(lists.Table().MasterCount, 250);
  EXPECT_EQ(lists.Table().UserCount, 6);
  EXPECT_TRUE(lists.Table().IsFull());
  EXPECT_EQ(lists.Table().Records[255].SetupName.Bytes(), "u5");
}

TEST(SetupListFiles, RegisterAndDeleteRewriteTheWholeUserList) {
  ScopedScriptedUI ui;
  QTemporaryDir dir;
  WriteBytes(dir.filePath("msetpage.txt"), Lines(1, "m"));
  WriteBytes(dir.filePath("usetpage.txt"), Lines(1, "u"));
  SetupLists lists(dir.path());
  lists.Load();
  EXPECT_EQ(lists.RegisterSetup(SetupNameBuffer::FromText(QString::fromUtf8("名刺 A")), Values("")), 3);
  EXPECT_EQ(ReadBytes(lists.UserPath()), QByteArray(kHeader) + "\"u0\"" + kDefaultLine + "\"" + Sjis("名刺 A") +
                                             "\"" + kDefaultLine);
  EXPECT_EQ(lists.DeleteSetup(2), 1);  // the one before: the last master setup
  EXPECT_EQ(lists.Table().UserCount, 1);
  EXPECT_EQ(ReadBytes(lists.UserPath()), QByteArray(kHeader) + "\"" + Sjis("名刺 A") + "\"" + kDefaultLine);
  EXPECT_EQ(lists.DeleteSetup(1), 1);  // a master setup is never deleted
  EXPECT_TRUE(ui.Ui.Messages().empty());

  // Deleting from a full table moves every later record up one slot.
  WriteBytes(dir.filePath("msetpage.txt"), Lines(200, "m"));
  WriteBytes(dir.filePath("usetpage.txt"), Lines(56, "u"));
  lists.Load();
  ASSERT_TRUE(lists.Table().IsFull());
  EXPECT_EQ(lists.DeleteSetup(211), 210);  // user record u10
  EXPECT_EQ(lists.Table().Count(), 255);
  EXPECT_EQ(lists.Table().Records[210].SetupName.Bytes(), "u11");
  EXPECT_EQ(lists.Table().Records[254].SetupName.Bytes(), "u55");
  EXPECT_TRUE(lists.Table().Records[255].SetupName.IsEmpty());
  lists.Load();
  EXPECT_EQ(lists.Table().UserCount, 55);
}

TEST(SetupListFiles, FailedSaveShows1120AndKeepsTableAndFile) {
  ScopedScriptedUI ui;
  QTemporaryDir dir;
  // A folder that is a regular file cannot hold a list (chmod would not stop root).
  WriteBytes(dir.filePath("notafolder"), "x");
  SetupLists broken(dir.filePath("notafolder"));
  broken.Load();
  EXPECT_EQ(broken.RegisterSetup(SetupNameBuffer::FromText("new"), Values("")), 0);
  EXPECT_EQ(broken.Table().UserCount, 0);
  EXPECT_TRUE(broken.Table().Records[0].SetupName.IsEmpty());
  ASSERT_EQ(ui.Ui.Calls().size(), 1u);
  EXPECT_EQ(ui.Ui.Calls()[0].Text, LoadStr(1120));
  EXPECT_EQ(ui.Ui.Calls()[0].Title, "Tessolo Message");

  // A write that fails part way leaves the previous list whole.
  const QByteArray before = Lines(3, "u");
  WriteBytes(dir.filePath("usetpage.txt"), before);
  SetupLists lists(dir.path());
  lists.Load();
  const SetupTable table = lists.Table();
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 40;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int registered = lists.RegisterSetup(SetupNameBuffer::FromText("new"), Values(""));
  const int deleted = lists.DeleteSetup(2);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(registered, 0);
  EXPECT_EQ(deleted, 2);
  EXPECT_EQ(lists.Table().UserCount, 3);
  EXPECT_EQ(lists.Table().Records[0].SetupName, table.Records[0].SetupName);
  EXPECT_EQ(lists.Table().Records[1].SetupName, table.Records[1].SetupName);
  EXPECT_EQ(ReadBytes(dir.filePath("usetpage.txt")), before);
  EXPECT_EQ(ui.Ui.Messages().size(), 3u);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary file left behind
}

TEST(SetupListFiles, MatchDocumentSetupFindsTheSetupOrSaysWhy) {
  ScopedScriptedUI ui;
  QTemporaryDir dir;
  WriteBytes(dir.filePath("msetpage.txt"), QByteArray(kHeader) + "\"M\"" + kDefaultLine + "\"U\"" + kDefaultLine);
  WriteBytes(dir.filePath("usetpage.txt"), QByteArray(kHeader) + "\"M\"" + kDefaultLine + "\"U\"" + kDefaultLine);
  SetupLists lists(dir.path());
  lists.Load();
  DocumentPageSetup doc;
  doc.PaperWidth = 210.0f;
  doc.PaperHeight = 297.0f;
  doc.SetupName = SetupNameBuffer::FromText("M");
  doc.SetupKind = skMaster;
  EXPECT_EQ(lists.MatchDocumentSetup(doc, false, false), 3);  // the last of that name
  EXPECT_EQ(lists.MatchDocumentSetup(doc, true, false), 1);
  EXPECT_EQ(lists.MatchDocumentSetup(doc, false, true), 0);
  doc.SetupKind = skUser;
  doc.SetupName = SetupNameBuffer::FromText("U");
  doc.LeftMargin = 14.04f;  // the same at one decimal
  EXPECT_EQ(lists.MatchDocumentSetup(doc, false, false), 2);
  EXPECT_TRUE(ui.Ui.Messages().empty());

  doc.LeftMargin = 14.06f;
  EXPECT_EQ(lists.MatchDocumentSetup(doc, false, false), 0);
  doc.SetupName = SetupNameBuffer::FromText("gone");
  EXPECT_EQ(lists.MatchDocumentSetup(doc, false, false), 0);
  doc.SetupKind = skMaster;
  EXPECT_EQ(lists.MatchDocumentSetup(doc, false, false), 0);
  const auto m = ui.Ui.Messages();
  ASSERT_EQ(m.size(), 4u);  // one 1101 per record of that name
  EXPECT_EQ(m[0], LoadStr(1101).replace("%s", "U"));
  EXPECT_EQ(m[1], m[0]);
  EXPECT_EQ(m[2], QString::fromUtf8("\"gone\"の設定情報がありません。\n\nこの設定情報を登録するには、名前をつけてユーザー設定の保存をしてください。"));
  EXPECT_EQ(m[3], QString::fromUtf8("\"gone\"の設定情報がありません。"));

  SetupLists empty(dir.filePath("nothing"));
  empty.Load();
  EXPECT_EQ(empty.MatchDocumentSetup(doc, true, false), 0);  // no first setup to preselect
}

TEST(SetupListFiles, DeliveredMasterListReadsWhole) {
  const QString path = QDir::cleanPath(QStringLiteral(TESSOLO_TEST_DATA "/../../data/msetpage.txt"));
  const QByteArray bytes = ReadBytes(path);
  ASSERT_FALSE(bytes.isEmpty());
  QList<QByteArray> lines = bytes.split('\n');
  ASSERT_EQ(lines.takeLast(), "");
  ASSERT_EQ(lines.takeFirst(), "The VarnettDx version 2.0g\r");
  SetupTable table;
  ASSERT_EQ(ReadSetupFile(path, table, 0), lines.size());
  bool hasDefault = false, hasLetter = false;
  for (int i = 0; i < lines.size(); ++i) {
    const PageSetup& r = table.Records[i];
    EXPECT_EQ(FormatSetupLine(r) + "\r", lines[i]);  // the program would write it the same
    EXPECT_TRUE(ShiftJis::Decode(r.SetupName.Bytes()).indexOf(QChar(0xFFFD)) < 0);
    EXPECT_GE(RightMarginOf(r.PaperWidth, r.Retu, r.SheetWidth, r.LeftMargin, r.InsideMarginX), 0.0f);
    EXPECT_GE(BottomMarginOf(r.PaperHeight, r.Dann, r.SheetHeight, r.TopMargin, r.InsideMarginY), 0.0f);
    hasDefault |= r.SheetWidth == 91.0f && r.Retu == 2 && r.Dann == 5 && r.LeftMargin == 14.0f && r.TopMargin == 11.0f;
    hasLetter |= r.PaperWidth == 215.9f && r.SheetWidth == 88.9f && r.Retu * r.Dann == 10;
  }
  EXPECT_TRUE(hasDefault && hasLetter);
  EXPECT_EQ(table.Records[0].LeftMargin, 14.0f);  // a new document starts on the first one
}

TEST(SetupNameDialog, NamesAreCheckedBeforeTheyReachTheList) {
  ScopedScriptedUI ui;
  SetupTable table;
  table.Records[0].SetupName = SetupNameBuffer::FromText("Card");
  table.Records[1].SetupName = SetupNameBuffer::FromText("");
  table.UserCount = 2;
  EXPECT_EQ(TrimSetupName(QString::fromUtf8(" \t名刺\r\n")), QString::fromUtf8("名刺"));
  EXPECT_EQ(TrimSetupName(QString::fromUtf8("\u3000\u3000")), QString::fromUtf8("\u3000\u3000"));
  EXPECT_TRUE(AcceptSetupName("card", table));  // case counts
  EXPECT_TRUE(AcceptSetupName(QString::fromUtf8("\u3000\u3000"), table));
  EXPECT_TRUE(AcceptSetupName(QString(63, QLatin1Char('a')), table));
  EXPECT_TRUE(ui.Ui.Messages().empty());

  EXPECT_FALSE(AcceptSetupName("Card", table));
  EXPECT_FALSE(AcceptSetupName("", table));  // empty, and an empty name is taken too
  EXPECT_FALSE(AcceptSetupName(QString(64, QLatin1Char('a')), table));
  EXPECT_FALSE(AcceptSetupName(QString::fromUtf8("名").repeated(32), table));
  EXPECT_FALSE(AcceptSetupName("say \"hi\"", table));
  EXPECT_FALSE(AcceptSetupName(QString::fromUtf8("😀"), table));
  const std::vector<QString> expected = {LoadStr(1111), LoadStr(1110), LoadStr(1111), LoadStr(1201),
                                         LoadStr(1201), LoadStr(1202), LoadStr(1202)};
  EXPECT_EQ(ui.Ui.Messages(), expected);
}
