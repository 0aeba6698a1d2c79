// Documents on disk: a save replaces the file whole or not at all and says
// why it failed; a file that cannot be read is reported without touching
// the worksheet; the document named on the command line.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

#include <sys/resource.h>

#include "CommandLine.h"
#include "DocumentTestSupport.h"
#include "ErrorText.h"
#include "FileReplace.h"
#include "ScriptedUserInterface.h"
#include "Settings.h"
#include "SetupLists.h"
#include "StringTable.h"

namespace {

using namespace doctest;

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Files may grow to at most limit bytes while it lives; writing more fails
// (EFBIG) instead of killing the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit l = FOld;
    l.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

 private:
  rlimit FOld{};
  void (*FOldHandler)(int) = nullptr;
};

TEST(DocumentFiles, SavingWritesTheBytesAndReplacesAnEarlierFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("card.tsl"));
  Put(path, "an older, longer file that must be replaced entirely");
  Document doc;
  doc.AddLabel(QStringLiteral("保存"), 3, 4);
  ScopedScriptedUI ui;
  EXPECT_TRUE(SaveDocumentFile(path, doc.Sheet, doc.Setup, Version()).Ok());
  EXPECT_EQ(Contents(path), doc.Bytes());
  EXPECT_TRUE(ui.Ui.Calls().empty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("card.tsl")});  // no leftovers

  Document loaded;
  EXPECT_TRUE(LoadDocumentFile(path, loaded.Sheet, loaded.Setup, loaded.Version8, loaded.Hooks()).Ok());
  ASSERT_EQ(loaded.Sheet.ObjectList.size(), 1u);
  EXPECT_TRUE(ui.Ui.Calls().empty());
}

TEST(DocumentFiles, AFailedSaveSaysWhyAndKeepsTheEarlierFile) {
  QTemporaryDir dir;
  Document doc;
  for (int i = 0; i < 50; ++i) doc.AddLabel(QStringLiteral("line %1").arg(i), 0, i * 5);
  const QByteArray bytes = doc.Bytes();
  ASSERT_GT(bytes.size(), 4096);

  // The disk fills up half way: the earlier document must survive whole.
  const QString path = dir.filePath(QStringLiteral("card.tsl"));
  const QByteArray earlier = Document().Bytes();
  Put(path, earlier);
  {
    ScopedScriptedUI ui;
    TOutcome result;
    {
      FileSizeLimit limit(4096);
      result = SaveDocumentFile(path, doc.Sheet, doc.Setup, Version());
    }
    EXPECT_EQ(result.Kind(), TOutcome::TKind::Failed);
    ASSERT_EQ(ui.Ui.Calls().size(), 1u);
    EXPECT_EQ(ui.Ui.Calls()[0].What, ScriptedUserInterface::Call::Error);
    EXPECT_TRUE(ui.Ui.Calls()[0].Text.contains(QDir::toNativeSeparators(path))) << ui.Ui.Calls()[0].Text.toStdString();
  }
  EXPECT_EQ(Contents(path), earlier);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("card.tsl")});

  // A folder that does not exist, and a path that is a folder: the user is
  // told which file and why, in Japanese.
  const std::pair<QString, int> failures[] = {{dir.filePath(QStringLiteral("missing/card.tsl")), ENOENT},
                                              {dir.path(), EISDIR}};
  for (const auto& [bad, why] : failures) {
    ScopedScriptedUI ui;
    EXPECT_EQ(SaveDocumentFile(bad, doc.Sheet, doc.Setup, Version()).Kind(), TOutcome::TKind::Failed);
    EXPECT_EQ(ui.Ui.Messages(), std::vector<QString>{ReasonText({1215, {QDir::toNativeSeparators(bad)}}) +
                                                      QLatin1Char('\n') + FileErrorText(why)});
  }
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing"))));
}

TEST(DocumentFiles, AFileThatCannotBeReadIsReportedAndTheWorksheetKept) {
  QTemporaryDir dir;
  Document doc;
  TQuShape* shape = doc.AddShape(qustSquare, 1, 1, 9, 9);
  ScopedScriptedUI ui;
  const QString missing = dir.filePath(QStringLiteral("nothing.tsl"));
  EXPECT_EQ(LoadDocumentFile(missing, doc.Sheet, doc.Setup, doc.Version8, doc.Hooks()).Kind(),
            TOutcome::TKind::Refused);
  EXPECT_EQ(doc.Resets, 0);
  EXPECT_EQ(doc.Sheet.ObjectList, std::vector<TControl*>{shape});
  ASSERT_EQ(ui.Ui.Calls().size(), 1u);
  EXPECT_EQ(ui.Ui.Calls()[0].What, ScriptedUserInterface::Call::Error);
  EXPECT_TRUE(ui.Ui.Calls()[0].Text.contains(QStringLiteral("nothing.tsl")));

  // A file larger than any document is refused before it is read (sparse here).
  const QString huge = dir.filePath(QStringLiteral("huge.tsl"));
  {
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(DocumentFormat::MaxDocumentBytes + 1));
  }
  ui.Ui.Clear();
  EXPECT_EQ(LoadDocumentFile(huge, doc.Sheet, doc.Setup, doc.Version8, doc.Hooks()).Kind(), TOutcome::TKind::Failed);
  EXPECT_EQ(doc.Resets, 0);
  ASSERT_EQ(ui.Ui.Messages().size(), 1u);
  EXPECT_TRUE(ui.Ui.Messages()[0].startsWith(LoadStr(1002)));
}

TEST(CommandLineDocument, OnlyOneTslArgumentOpensLowerCasedOrAsGiven) {
  // Relative names, so that the lower-cased whole path stays inside the folder.
  QTemporaryDir dir;
  const QString cwd = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  Put(QStringLiteral("card.tsl"), "x");
  Put(QStringLiteral("Mixed.TSL"), "x");
  Put(QStringLiteral("card.tpl"), "x");
  ASSERT_TRUE(QDir().mkdir(QStringLiteral("folder.tsl")));
  auto open = [&](QStringList args) { return DocumentPathFromArguments(QStringList{QStringLiteral("tessolo")} + args); };

  EXPECT_EQ(open({"card.tsl"}), QStringLiteral("card.tsl"));
  // The lower-cased path is preferred when it exists ...
  EXPECT_EQ(open({"CARD.TSL"}), QStringLiteral("card.tsl"));
  // ... and the path as given is opened when only it exists.
  EXPECT_EQ(open({"Mixed.TSL"}), QStringLiteral("Mixed.TSL"));
  EXPECT_EQ(open({}), std::nullopt);
  EXPECT_EQ(open({"card.tsl", "card.tsl"}), std::nullopt);
  EXPECT_EQ(open({"absent.tsl"}), std::nullopt);
  EXPECT_EQ(open({"card.tpl"}), std::nullopt);
  EXPECT_EQ(open({"folder.tsl"}), std::nullopt);
  QDir::setCurrent(cwd);
}

}  // namespace

TEST(DocumentFiles, EveryWriterSavesInPlaceWhereTheFolderAdmitsNoNewFile) {
  QTemporaryDir dir;
  Document doc;
  doc.AddShape(qustCircle, 5, 5, 30, 30);
  SetupTable table;
  table.UserCount = 1;
  table.Records[0].SetupName = SetupNameBuffer::FromText(QStringLiteral("mine"));
  struct Writer {
    const char* File;
    std::function<bool(const QString&)> Write;
  };
  const Writer writers[] = {
      {"card.tsl", [&](const QString& p) { return SaveDocumentFile(p, doc.Sheet, doc.Setup, Version()).Ok(); }},
      {"quorin.con", [](const QString& p) { return WriteSettingsFile(p, TWindowSettings{}).Ok(); }},
      {"usetpage.txt", [&](const QString& p) { return WriteUserFile(p, table) == 0; }},
  };
  for (const Writer& w : writers) {
    SCOPED_TRACE(w.File);
    const QString fresh = dir.filePath(QStringLiteral("fresh-") + QLatin1String(w.File));
    ASSERT_TRUE(w.Write(fresh));
    const QString path = dir.filePath(QLatin1String(w.File));
    Put(path, QByteArray(Contents(fresh).size() + 100, 'o'));  // longer: nothing of it may remain
    ScopedScriptedUI ui;
    SetTemporaryFileFailure(EACCES);
    const bool written = w.Write(path);
    SetTemporaryFileFailure(0);
    EXPECT_TRUE(written);
    EXPECT_EQ(Contents(path), Contents(fresh));
    EXPECT_TRUE(ui.Ui.Calls().empty());
  }
}
