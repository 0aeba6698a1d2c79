#include "FileReplace.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int gTemporaryFileFailure = 0;

int WriteAll(int fd, QByteArrayView bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += qsizetype(n);
  }
  return 0;
}

// Everything written and flushed to the disk, and the handle closed.
int FinishAndClose(int fd, QByteArrayView bytes) {
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

// The new name must reach the disk too, or a crash could bring the old file back.
void SyncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return int(mask);
}

// Over the old contents from the start, then cut to the new length.
int WriteInPlace(const QByteArray& target, QByteArrayView bytes) {
  const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0) error = errno;
  if (error != 0) {
    ::close(fd);
    return error;
  }
  return FinishAndClose(fd, QByteArrayView());
}

}  // namespace

void SetTemporaryFileFailure(int errnum) { gTemporaryFileFailure = errnum; }

int ReplaceFile(const QString& path, QByteArrayView bytes) {
  // A link is followed: the file it names gets the new contents.
  QFileInfo info(path);
  if (info.isSymLink() && info.exists()) info = QFileInfo(info.symLinkTarget());
  const QByteArray target = QFile::encodeName(info.absoluteFilePath());
  const QByteArray folder = QFile::encodeName(info.absolutePath());

  struct stat old {};
  const bool exists = ::stat(target.constData(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return EISDIR;

  QByteArray temporary = folder + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
  int fd = -1;
  if (gTemporaryFileFailure != 0)
    errno = gTemporaryFileFailure;
  else
    fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    // A folder closed to new files: the file itself may still be writable.
    if (exists && (error == EACCES || error == EPERM)) return WriteInPlace(target, bytes);
    return error;
  }
  // The file keeps its permissions; a new one gets what the user's mask allows.
  ::fchmod(fd, exists ? (old.st_mode & 07777) : mode_t(0666 & ~CurrentUmask()));
  int error = FinishAndClose(fd, bytes);
  if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.constData());
    return error;
  }
  SyncFolder(folder);
  return 0;
}
