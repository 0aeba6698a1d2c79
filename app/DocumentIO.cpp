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

TOutcome SaveDocumentFile(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup,
                          QByteArrayView version8) {
  const QByteArray bytes = BuildDocumentBytes(sheet, setup, version8);
  const TOutcome written = WriteFileAtomically(path, bytes);
  if (written.Ok()) return written;
  const TOutcome saved =
      TOutcome::Failed(ReasonText({kCannotSave, {Shown(path)}}) + QLatin1Char('\n') + written.Reason());
  UI().ShowError(saved.Reason());
  return saved;
}

bool DocumentTooLarge(const TOutcome& read) { return !read.Ok() && read.Reason() == LoadStr(kTooLarge); }

TOutcomeOf<QByteArray> ReadDocumentFileBytes(const QString& path) {
  // Opened here rather than by QFile, whose reasons are English and which
  // cannot tell a folder from another failure.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  int failure = fd < 0 ? errno : 0;
  if (failure == 0 && ::fstat(fd, &st) != 0) failure = errno;
  if (failure == 0 && S_ISDIR(st.st_mode)) failure = EISDIR;
  if (failure != 0) {
    if (fd >= 0) ::close(fd);
    return TOutcome::Refused(CannotRead(path, failure));
  }
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return TOutcome::Refused(CannotRead(path, EIO));
  }
  const qint64 size = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
  if (size > DocumentFormat::MaxDocumentBytes) return TOutcome::Refused(LoadStr(kTooLarge));
  // A pipe has no size to check beforehand: read it in pieces up to the limit.
  QByteArray bytes;
  if (size > 0) bytes.reserve(size);
  errno = 0;
  for (QByteArray piece; !(piece = file.read(1 << 20)).isEmpty();) {
    if (bytes.size() + piece.size() > DocumentFormat::MaxDocumentBytes) return TOutcome::Refused(LoadStr(kTooLarge));
    bytes += piece;
  }
  if (file.error() != QFileDevice::NoError) return TOutcome::Refused(CannotRead(path, errno != 0 ? errno : EIO));
  return bytes;
}

TOutcome LoadDocumentFile(const QString& path, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                          const DocumentLoadHooks& hooks) {
  const TOutcomeOf<QByteArray> bytes = ReadDocumentFileBytes(path);
  if (!bytes.Ok()) {
    // Too large is told as a document that is not valid, and the caller
    // discards as it does for one: what the window shows is no longer it.
    if (DocumentTooLarge(bytes)) {
      ShowInvalidDocument(bytes.Reason());
      return TOutcome::Failed(LoadStr(kInvalidFile) + QStringLiteral("\n\n") + bytes.Reason());
    }
    UI().ShowError(bytes.Reason());
    return TOutcome(bytes);
  }
  return LoadDocumentBytes(bytes.Value(), sheet, setup, version8, hooks);
}

TOutcome LoadDocumentBytes(QByteArrayView bytes, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                           const DocumentLoadHooks& hooks) {
  using DocumentFormat::ReadError;
  const DocumentFormat::ReadResult r = DocumentFormat::ReadDocument(bytes, sheet, setup, version8, hooks);
  switch (r.Error) {
    case ReadError::None: return {};
    case ReadError::TooShort:
    case ReadError::UnknownTag: ShowMessageId(kInvalidFile); return TOutcome::Failed(LoadStr(kInvalidFile));
    case ReadError::BadHeader:
    case ReadError::Damaged:
      ShowInvalidDocument(r.Detail);
      break;
  }
  return TOutcome::Failed(LoadStr(kInvalidFile) + QStringLiteral("\n\n") + r.Detail);
}
