// Entry of every benchmark program: a headless QApplication, so that fonts,
// painting and widgets work without a display.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "FontSubstitution.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InstallFontSubstitutions();  // as the program does: cards name Windows fonts
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
