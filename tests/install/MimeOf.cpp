// Prints, one a line, the type the desktop's type database gives each file
// named, as a file manager built on Qt would see it.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QMimeDatabase types;
  for (const QString& path : QCoreApplication::arguments().mid(1))
    std::printf("%s\n", qPrintable(types.mimeTypeForFile(path).name()));
  return 0;
}
