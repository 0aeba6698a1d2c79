// Entry of the benchmarks of the editor and the windows: a headless
// QApplication, so that widgets work without a display.
#include <QApplication>

#include "BenchRun.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RunBenchmarks(argc, argv);
}
