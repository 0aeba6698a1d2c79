#include "DocumentIO.h"

#include <QDir>
#include <QFile>

#include "AtomicFile.h"
#include "DocumentFormat.h"
#include "Messages.h"
#include "StringTable.h"

namespace {

constexpr int kInvalidFile = 1002;
constexpr int kMessageTitle = 1010;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Message 1002 with what is wrong, for a file that is damaged inside.
void ShowInvalidDocument(const QString& detail) {
  UI().MessageBox(LoadStr(kInvalidFile) + QStringLiteral("\n\n") + detail, LoadStr(kMessageTitle), mbOK);
}

}  // namespace

int SaveDocumentFile(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup,
                     QByteArrayView version8) {
  const QByteArray bytes = BuildDocumentBytes(sheet, setup, version8);
  QString why;
  if (!WriteFileAtomically(path, bytes, &why)) {
    UI().ShowError(QStringLiteral("Cannot save file \"%1\". %2\nThe document has not been saved.")
                       .arg(Shown(path), why));
    return -1;
  }
  return 0;
}

std::optional<QByteArray> ReadDocumentFileBytes(const QString& path, QString* error, bool* tooLarge) {
  if (tooLarge) *tooLarge = false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("Cannot open file \"%1\". %2").arg(Shown(path), file.errorString());
    return std::nullopt;
  }
  const qint64 size = file.size();
  if (size > DocumentFormat::MaxDocumentBytes) {
    if (tooLarge) *tooLarge = true;
    if (error) *error = QStringLiteral("The file has %1 bytes, more than any document.").arg(size);
    return std::nullopt;
  }
  QByteArray bytes;
  if (!file.isSequential()) {
    bytes = file.readAll();
  } else {
    // A pipe has no size to check beforehand: read it in pieces up to the limit.
    for (QByteArray piece; !(piece = file.read(1 << 20)).isEmpty();) {
      if (bytes.size() + piece.size() > DocumentFormat::MaxDocumentBytes) {
        if (tooLarge) *tooLarge = true;
        if (error) *error = QStringLiteral("The file has more bytes than any document.");
        return std::nullopt;
      }
      bytes += piece;
    }
  }
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = QStringLiteral("Cannot read file \"%1\". %2").arg(Shown(path), file.errorString());
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
    if (tooLarge)
      ShowInvalidDocument(why);
    else
      UI().ShowError(why);
    return -1;
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
