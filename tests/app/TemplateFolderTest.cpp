// Finding the templates beside the program: directory order, the extension
// in any case, names without it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <dirent.h>

#include "TemplateFolder.h"

namespace {

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("x");
}

// The folder's entries as the operating system returns them.
QStringList DirectoryOrder(const QString& folder) {
  QStringList names;
  DIR* d = opendir(QFile::encodeName(folder).constData());
  if (!d) return names;
  while (dirent* e = readdir(d)) names << QFile::decodeName(e->d_name);
  closedir(d);
  return names;
}

TEST(TemplateFolder, ListsTplFilesInDirectoryOrderWithAnyCaseOfTheExtension) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("Template"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QStringList made = {QStringLiteral("zeta.tpl"),   QStringLiteral("アルファ.tpl"), QStringLiteral("OLD.TPL"),
                            QStringLiteral("mixed.Tpl"),  QStringLiteral("note.txt"),     QStringLiteral("tpl"),
                            QStringLiteral("backup.tpl~"), QStringLiteral("beta.tpl")};
  for (const QString& name : made) Touch(QDir(folder).filePath(name));
  ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath(QStringLiteral("folder.tpl"))));

  QStringList expected;
  for (const QString& name : DirectoryOrder(folder))
    if (name.endsWith(QStringLiteral(".tpl"), Qt::CaseInsensitive) && name != QStringLiteral("folder.tpl"))
      expected << name;
  ASSERT_EQ(expected.size(), 5);

  // The program folder given without its final separator.
  const TemplateListing listing = FindTemplates(dir.path());
  EXPECT_EQ(listing.TemplateFiles, expected);
  ASSERT_EQ(listing.Names.size(), expected.size());
  for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(listing.Names[i], expected[i].chopped(4));
  EXPECT_EQ(listing.Folder, folder + QLatin1Char('/'));
  EXPECT_EQ(listing.TemplatePattern, folder + QStringLiteral("/*.tpl"));
  EXPECT_EQ(listing.PathAt(1), folder + QLatin1Char('/') + expected[1]);
  EXPECT_EQ(listing.PathAt(5), QString());
  EXPECT_EQ(listing.PathAt(-1), QString());
}

TEST(TemplateFolder, NoFolderGivesAnEmptyList) {
  QTemporaryDir dir;
  const TemplateListing listing = FindTemplates(dir.path() + QLatin1Char('/'));
  EXPECT_TRUE(listing.TemplateFiles.isEmpty());
  EXPECT_TRUE(listing.Names.isEmpty());
  EXPECT_EQ(listing.Folder, dir.path() + QStringLiteral("/Template/"));
}

}  // namespace
