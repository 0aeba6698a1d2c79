// Entry of the benchmarks of the core: a headless QGuiApplication (fonts and
// painting need one), no widgets.
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include "FontSubstitution.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  InstallFontSubstitutions();  // as the program does: cards name Windows fonts
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
