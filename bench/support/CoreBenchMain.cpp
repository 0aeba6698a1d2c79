// Entry of the benchmarks of the core: a headless QGuiApplication (fonts and
// painting need one), no widgets.
#include <QGuiApplication>

#include "BenchRun.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RunBenchmarks(argc, argv);
}
