#include "ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <unistd.h>

#ifndef TESSOLO_DATA_FROM_BIN
#error "TESSOLO_DATA_FROM_BIN: the installed data folder relative to the installed executable"
#endif

namespace {

QString WithSeparator(QString folder) {
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

// Any of these beside the executable marks the folder the program was
// unpacked or built into.
bool HoldsDeliveredFiles(const QString& folder) {
  static const char* const kDelivered[] = {"msetpage.txt", "Template", "CPhrase", "bkimages", "tessolo.hlp"};
  const QDir dir(folder);
  for (const char* name : kDelivered)
    if (dir.exists(QLatin1String(name))) return true;
  return false;
}

}  // namespace

ProgramFolders::ProgramFolders(const QString& folder)
    : FDataFolder(WithSeparator(folder)), FWritableFolder(FDataFolder) {}

ProgramFolders::ProgramFolders(const QString& dataFolder, const QString& writableFolder, bool userFolder)
    : FDataFolder(WithSeparator(dataFolder)), FWritableFolder(WithSeparator(writableFolder)), FUserFolder(userFolder) {}

ProgramFolders ProgramFolders::Decide(const QString& programFolder, const QString& configFolder,
                                      const WritableTest& isWritable) {
  const QString installed = QDir::cleanPath(QDir(programFolder).filePath(InstalledDataFolderFromProgram()));
  // Installed: even a program folder the user could write (root, or a prefix
  // in the home folder) is not the place for one user's settings.
  if (!HoldsDeliveredFiles(programFolder) && QFileInfo(installed).isDir())
    return ProgramFolders(installed, configFolder, true);
  if (isWritable(programFolder)) return ProgramFolders(programFolder);
  return ProgramFolders(programFolder, configFolder, true);
}

ProgramFolders ProgramFolders::ForThisProgram() {
  return Decide(QCoreApplication::applicationDirPath(), UserConfigFolder(), IsFolderWritable);
}

QString ProgramFolders::ReadPath(const QString& name) const {
  const QString own = WritablePath(name);
  if (FWritableFolder == FDataFolder || QFileInfo::exists(own)) return own;
  const QString beside = DataPath(name);
  return QFileInfo::exists(beside) ? beside : own;
}

bool ProgramFolders::PrepareWritableFolder() const {
  if (!FUserFolder) return true;
  return QDir().mkpath(FWritableFolder);
}

QString InstalledDataFolderFromProgram() { return QStringLiteral(TESSOLO_DATA_FROM_BIN); }

QString UserConfigFolder() {
  // A fixed lower-case name rather than one built from the application name,
  // which is the title "Tessolo" and is unset for the headless commands.
  return WithSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
         QStringLiteral("tessolo/");
}

bool IsFolderWritable(const QString& folder) {
  if (folder.isEmpty() || ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) return false;
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tessolo-probe-XXXXXX")));
  return probe.open();
}
