// Where the program reads its delivered files and writes the user's: run from
// a folder of its own, installed under a prefix, or with a folder it may not
// write; and the real check of a folder's writability.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ProgramFolders.h"

namespace {

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A prefix with bin/ and, as asked, delivered files beside the executable
// and an installed data folder.
struct Prefix {
  QTemporaryDir Root;
  QString Bin, Installed, Config;

  Prefix(bool besideData, bool installedData) {
    Bin = Root.filePath("prefix/bin");
    QDir().mkpath(Bin);
    Installed = QDir::cleanPath(QDir(Bin).filePath(InstalledDataFolderFromProgram()));
    if (installedData) QDir().mkpath(Installed + "/Template");
    if (besideData) QDir().mkpath(Bin + "/Template");
    Config = Root.filePath("home/.config/tessolo");
  }
};

TEST(ProgramFolders, DeliveredFilesBesideTheProgramWinAndUserFilesMoveOnlyWhenNeeded) {
  enum Where { kBin, kInstalled, kConfig };
  const struct {
    const char* Layout;
    bool BesideData, InstalledData, Writable;
    Where Data, Writes;
  } cases[] = {
      {"build tree", true, false, true, kBin, kBin},
      {"unpacked into a folder the user may not write", true, false, false, kBin, kConfig},
      {"installed", false, true, false, kInstalled, kConfig},
      {"installed where the user could write (root, a prefix at home)", false, true, true, kInstalled, kConfig},
      {"a build tree inside an installed prefix", true, true, true, kBin, kBin},
      {"a bare executable", false, false, true, kBin, kBin},
      {"a bare executable in a read-only folder", false, false, false, kBin, kConfig},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Layout);
    Prefix p(c.BesideData, c.InstalledData);
    QStringList asked;
    const ProgramFolders f = ProgramFolders::Decide(p.Bin, p.Config, [&](const QString& folder) {
      asked << folder;
      return c.Writable;
    });
    const QString folderOf[] = {p.Bin + "/", p.Installed + "/", p.Config + "/"};
    EXPECT_EQ(f.DataFolder(), folderOf[c.Data]);
    EXPECT_EQ(f.WritableFolder(), folderOf[c.Writes]);
    EXPECT_EQ(f.WritesToUserFolder(), c.Writes == kConfig);
    for (const QString& folder : asked) EXPECT_EQ(folder, p.Bin);  // only the program's own folder is probed
  }
}

TEST(ProgramFolders, WritabilityIsTriedNotGuessed) {
  QTemporaryDir root;
  Touch(root.filePath("file"));
  const struct {
    QString Folder;
    bool Writable;
  } cases[] = {
      {root.path(), true},
      {root.filePath("missing"), false},
      {root.filePath("file"), false},
      {QString(), false},
      // access() grants root any folder; making a file there shows it is not.
      {QStringLiteral("/proc"), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFolderWritable(c.Folder), c.Writable) << c.Folder.toStdString();
  EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"file"});  // the probe leaves nothing behind
}

}  // namespace
