#include "BenchRun.h"

#include <QByteArray>
#include <benchmark/benchmark.h>

#include "DocumentIO.h"
#include "FontSubstitution.h"
#include "Version.h"

int RunBenchmarks(int argc, char** argv, int (*writeCard)(const QString&)) {
  InstallFontSubstitutions();
  if (writeCard && argc == 3 && QByteArray(argv[1]) == "--write-card") return writeCard(QString::fromLocal8Bit(argv[2]));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

int SaveBenchDocument(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup) {
  return SaveDocumentFile(path, sheet, setup, QByteArray(VersionString).leftJustified(8, '\0', true)).Ok() ? 0 : 1;
}
