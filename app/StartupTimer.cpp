#include "StartupTimer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

#include "Unit3.h"

double MillisecondsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  const QByteArray line = stat.readAll();
  // The command name may hold spaces; the fields after it are counted from
  // its closing parenthesis. The start time is field 22.
  const qsizetype close = line.lastIndexOf(')');
  if (close < 0) return -1;
  const QList<QByteArray> fields = line.mid(close + 2).split(' ');
  if (fields.size() < 20) return -1;
  bool ok = false;
  const double startTicks = fields[19].toDouble(&ok);
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (!ok || ticksPerSecond <= 0) return -1;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
  return nowMs - startTicks * 1000.0 / double(ticksPerSecond);
}

void ReportStartupTimeWhenIdle(TForm3* window, double msAtMainStart) {
  // A zero-interval timer runs when no other event is waiting.
  auto* idle = new QTimer(window);
  idle->setInterval(0);
  QObject::connect(idle, &QTimer::timeout, window, [window, idle, msAtMainStart] {
    if (window->FirstActivation || !window->isVisible()) return;
    idle->stop();
    const double total = MillisecondsSinceProcessStart();
    std::printf("startup: %.0f ms from process start (%.0f ms before main, clock resolution 10 ms)\n", total,
                msAtMainStart);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  idle->start();
}
