#include "DocumentIO.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AtomicFile.h"
#include "DocumentFormat.h"
#include "ErrorText.h"
#include "Messages.h"
#include "StringTable.h"

namespace {

constexpr int kInvalidFile = 1002;
constexpr int kMessageTitle = 1010;
constexpr int kCannotRead = 1214;
constexpr int kCannotSave = 1215;
constexpr int kTooLarge = 1216;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Message 1002 with what is wrong, for a file that is damaged inside.
void ShowInvalidDocument(const QString& detail) {
  UI().MessageBox(LoadStr(kInvalidFile) + QStringLiteral("\n\n") + detail, LoadStr(kMessageTitle), mbOK);
}

QString CannotRead(const QString& path, int errnum) {
  return ReasonText({kCannotRead, {Shown(path)}}) + QLatin1Char('\n') + FileErrorText(errnum);
}

}  // namespace

int SaveDocumentFile(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup,
                     QByteArrayView version8) {
  const QByteArray bytes = BuildDocumentBytes(sheet, setup, version8);
  QString why;
  if (!WriteFileAtomically(path, bytes, &why)) {
    UI().ShowError(ReasonText({kCannotSave, {Shown(path)}}) + QLatin1Char('\n') + why);
    return -1;
  }
  return 0;
}

std::optional<QByteArray> ReadDocumentFileBytes(const QString& path, QString* error, bool* tooLarge) {
  if (tooLarge) *tooLarge = false;
  // Opened here rather than by QFile, whose reasons are English and which
  // cannot tell a folder from another failure.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  int failure = fd < 0 ? errno : 0;
  if (failure == 0 && ::fstat(fd, &st) != 0) failure = errno;
  if (failure == 0 && S_ISDIR(st.st_mode)) failure = EISDIR;
  if (failure != 0) {
    if (fd >= 0) ::close(fd);
    if (error) *error = CannotRead(path, failure);
    return std::nullopt;
  }
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    if (error) *error = CannotRead(path, EIO);
    return std::nullopt;
  }
  const qint64 size = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
  if (size > DocumentFormat::MaxDocumentBytes) {
    if (tooLarge) *tooLarge = true;
    if (error) *error = LoadStr(kTooLarge);
    return std::nullopt;
  }
  // A pipe has no size to check beforehand: read it in pieces up to the limit.
  QByteArray bytes;
  if (size > 0) bytes.reserve(size);
  errno = 0;
  for (QByteArray piece; !(piece = file.read(1 << 20)).isEmpty();) {
    if (bytes.size() + piece.size() > DocumentFormat::MaxDocumentBytes) {
      if (tooLarge) *tooLarge = true;
      if (error) *error = LoadStr(kTooLarge);
      return std::nullopt;
    }
    bytes += piece;
  }
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = CannotRead(path, errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  return bytes;
}

int LoadDocumentFile(const QString& path, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                     const DocumentLoadHooks& hooks) {
  QString why;
  bool tooLarge = false;
  const std::optional<QByteArray> bytes = ReadDocumentFileBytes(path, &why, &tooLarge);
  if (!bytes) {
    if (tooLarge) {
      ShowInvalidDocument(why);
      return -1;
    }
    UI().ShowError(why);
    return LoadNotRead;
  }
  return LoadDocumentBytes(*bytes, sheet, setup, version8, hooks);
}

int LoadDocumentBytes(QByteArrayView bytes, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                      const DocumentLoadHooks& hooks) {
  using DocumentFormat::ReadError;
  const DocumentFormat::ReadResult r = DocumentFormat::ReadDocument(bytes, sheet, setup, version8, hooks);
  switch (r.Error) {
    case ReadError::None: return 0;
    case ReadError::TooShort:
    case ReadError::UnknownTag: ShowMessageId(kInvalidFile); break;
    case ReadError::BadHeader:
    case ReadError::Damaged:
      ShowInvalidDocument(r.Detail);
      break;
  }
  return -1;
}
