// Replacing a file's contents: atomically through a temporary file where the
// folder allows one, in place where only the file itself may be written.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "FileReplace.h"

namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

mode_t ModeOf(const QString& path) {
  struct stat st {};
  ::stat(QFile::encodeName(path).constData(), &st);
  return st.st_mode & 07777;
}

// Makes creating the temporary file fail for the length of a test.
struct TemporaryFileFailure {
  explicit TemporaryFileFailure(int errnum) { SetTemporaryFileFailure(errnum); }
  ~TemporaryFileFailure() { SetTemporaryFileFailure(0); }
};

}  // namespace

TEST(FileReplace, ReplacesWholeKeepsThePermissionsAndLeavesNoTemporaryFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("list.txt"));
  Put(path, "an older and longer content");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  EXPECT_EQ(ReplaceFile(path, "new"), 0);
  EXPECT_EQ(Contents(path), "new");
  EXPECT_EQ(ModeOf(path), mode_t(0640));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("list.txt")});

  // A link keeps being a link; the file it names is replaced.
  const QString link = dir.filePath(QStringLiteral("link.txt"));
  ASSERT_TRUE(QFile::link(path, link));
  EXPECT_EQ(ReplaceFile(link, "through the link"), 0);
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(Contents(path), "through the link");
}

TEST(FileReplace, WhereNoTemporaryFileCanBeMadeTheFileIsWrittenInPlace) {
  QTemporaryDir dir;
  struct Case {
    const char* What;
    int TemporaryFailure;
    bool Exists;
    int Expected;
    QByteArray After;
  };
  const Case cases[] = {
      {"folder closed, file there", EACCES, true, 0, "in place"},
      {"not permitted, file there", EPERM, true, 0, "in place"},
      {"folder closed, no file", EACCES, false, EACCES, "<unreadable>"},
      {"read-only file system", EROFS, true, EROFS, "the previous, longer content"},
      {"disk full", ENOSPC, true, ENOSPC, "the previous, longer content"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    const QString path = dir.filePath(QString::fromLatin1(c.What));
    if (c.Exists) Put(path, "the previous, longer content");
    TemporaryFileFailure failure(c.TemporaryFailure);
    EXPECT_EQ(ReplaceFile(path, "in place"), c.Expected);
    EXPECT_EQ(Contents(path), c.After);
  }
}

TEST(FileReplace, AFolderWhoseFilesAreWritableIsServedInPlace) {
  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("usetpage.txt"));
  Put(path, "old");
  const QByteArray folder = QFile::encodeName(dir.path());
  ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
  const int result = ReplaceFile(path, "new list");
  ::chmod(folder.constData(), 0755);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Contents(path), "new list");
}

TEST(FileReplace, AFolderIsNoFileToReplace) {
  QTemporaryDir dir;
  EXPECT_EQ(ReplaceFile(dir.path(), "x"), EISDIR);
  EXPECT_EQ(ReplaceFile(dir.filePath(QStringLiteral("missing/file")), "x"), ENOENT);
}
