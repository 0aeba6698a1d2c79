#include "PictureDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "CommonText.h"
#include "StringTable.h"

TFileDialogRequest PictureDialogRequest(TPictureUse use, const QString& folder) {
  const QString bitmaps = LoadStr(CommonText::BitmapFilter), jpegs = LoadStr(CommonText::JpegFilter);
  const bool phrase = use == TPictureUse::Phrase;
  QString base = folder;
  if (!base.isEmpty() && !base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
  TFileDialogRequest r;
  r.Filter = phrase ? jpegs + QLatin1Char('|') + bitmaps : bitmaps + QLatin1Char('|') + jpegs;
  r.FilterIndex = 1;
  r.InitialDir = folder;
  r.FileName = base + (phrase ? QStringLiteral("*.jpg") : QStringLiteral("*.bmp"));
  return r;
}

QString FolderOf(const QString& path) {
  QString dir = QFileInfo(path).absolutePath();
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

QString PersonalDocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}
