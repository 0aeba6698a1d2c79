// make_templates FOLDER [--check] [--png PICTURE_FOLDER]
// Writes the business-card templates into FOLDER (data/Template), each read
// back first to be sure it is a document the program loads. With --check,
// writes nothing and fails when a file in FOLDER differs from what the
// designs make now. With --png, also paints each card as the worksheet shows
// it, at twice the size, to look at.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>

#include "CardImage.h"
#include "DocumentFormat.h"
#include "FontSubstitution.h"
#include "DocumentPageSetup.h"
#include "TemplateDesigns.h"
#include "Worksheet.h"

namespace {

int Fail(const QString& text) {
  std::fprintf(stderr, "make_templates: %s\n", qPrintable(text));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  QStringList folders = args;
  const bool check = folders.removeAll(QStringLiteral("--check")) > 0;
  QString pictures;
  if (const qsizetype at = folders.indexOf(QStringLiteral("--png")); at >= 0 && at + 1 < folders.size()) {
    pictures = folders[at + 1];
    folders.remove(at, 2);
  }
  if (folders.size() != 1)
    return Fail(QStringLiteral("usage: make_templates FOLDER [--check] [--png PICTURE_FOLDER]"));
  InstallFontSubstitutions();
  const QDir folder(folders.front());
  if (!check && !QDir().mkpath(folder.path())) return Fail(QStringLiteral("cannot create %1").arg(folder.path()));

  std::vector<TemplateFile> files;
  try {
    files = BuildTemplates();
  } catch (const std::exception& e) {
    return Fail(QString::fromStdString(e.what()));
  }

  int differing = 0;
  for (const TemplateFile& f : files) {
    TWorksheet sheet;
    DocumentPageSetup setup;
    QByteArray version;
    const DocumentFormat::ReadResult read = DocumentFormat::ReadDocument(f.Bytes, sheet, setup, version);
    if (!read.Ok() || int(sheet.ObjectList.size()) != f.Objects)
      return Fail(QStringLiteral("%1 does not read back: %2").arg(f.FileName, read.Detail));

    if (!pictures.isEmpty()) {
      QDir().mkpath(pictures);
      const QString png = QDir(pictures).filePath(f.FileName.chopped(4) + QStringLiteral(".png"));
      const TOutcomeOf<QImage> image = RenderCardImage(sheet, 2.0);
      if (!image.Ok() || !image.Value().save(png))
        return Fail(QStringLiteral("cannot paint %1: %2").arg(png, image.Reason()));
    }

    const QString path = folder.filePath(f.FileName);
    if (check) {
      QFile existing(path);
      if (!existing.open(QIODevice::ReadOnly) || existing.readAll() != f.Bytes) {
        std::fprintf(stderr, "make_templates: %s differs from the designs\n", qPrintable(path));
        ++differing;
      }
      continue;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(f.Bytes) != f.Bytes.size() || !out.commit())
      return Fail(QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    std::printf("%8lld bytes, %2d objects  %s\n", static_cast<long long>(f.Bytes.size()), f.Objects,
                qPrintable(path));
  }
  return differing ? 1 : 0;
}
