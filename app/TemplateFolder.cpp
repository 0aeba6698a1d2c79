#include "TemplateFolder.h"

#include <QDir>
#include <QDirIterator>

namespace {
const QString kExtension = QStringLiteral(".tpl");
}

QString TemplateListing::PathAt(int index) const {
  if (index < 0 || index >= TemplateFiles.size()) return {};
  return Folder + TemplateFiles[index];
}

TemplateListing FindTemplates(const QString& programFolder) {
  TemplateListing listing;
  QString folder = programFolder;
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator()))
    folder += QLatin1Char('/');
  listing.Folder = folder + QStringLiteral("Template/");
  listing.TemplatePattern = listing.Folder + QLatin1Char('*') + kExtension;

  // Unsorted on purpose: the list shows the templates as the folder holds them.
  QDirIterator it(listing.Folder, QDir::Files | QDir::Hidden | QDir::System);
  while (it.hasNext()) {
    it.next();
    const QString name = it.fileName();
    if (name.size() < kExtension.size() || !name.endsWith(kExtension, Qt::CaseInsensitive)) continue;
    listing.TemplateFiles << name;
    listing.Names << name.chopped(kExtension.size());
  }
  return listing;
}
