#include "OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>

#include "ErrorText.h"
#include "PrintMessages.h"

QString OutputFileProblem(const QString& path) {
  if (path.isEmpty()) return PrintMessage(PrintText::NoOutputName);
  const QFileInfo file(path);
  if (file.isDir()) return FileErrorText(EISDIR);
  const QFileInfo folder(file.absolutePath());
  if (!folder.isDir()) return PrintMessage(folder.exists() ? PrintText::FolderReadOnly : PrintText::NoSuchFolder);
  if (!folder.isWritable()) return PrintMessage(PrintText::FolderReadOnly);
  if (file.exists() && !file.isWritable()) return PrintMessage(PrintText::OutputReadOnly);
  return {};
}

QString OutputFileMessage(const QString& path, const QString& problem) {
  if (path.isEmpty()) return problem;
  return PrintMessage(PrintText::CannotWriteFile).arg(QDir::toNativeSeparators(path), problem);
}

bool SameFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  struct stat sa {}, sb {};
  if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
    return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
