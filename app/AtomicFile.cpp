#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool Fail(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}

// The new name must reach the disk too, or a crash could bring the old file back.
void SyncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
  if (QFileInfo(path).isDir()) return Fail(error, QStringLiteral("It is a folder."));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Fail(error, file.errorString());
  qsizetype done = 0;
  while (done < bytes.size()) {
    const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      const QString why = file.errorString();
      file.cancelWriting();
      return Fail(error, why);
    }
    done += qsizetype(n);
  }
  if (!file.flush()) {
    const QString why = file.errorString();
    file.cancelWriting();
    return Fail(error, why);
  }
  if (::fsync(file.handle()) != 0) {
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    file.cancelWriting();
    return Fail(error, why);
  }
  if (!file.commit()) return Fail(error, file.errorString());
  SyncFolder(QFileInfo(path).absolutePath());
  return true;
}
