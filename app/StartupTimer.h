#pragma once
// Start-up measurement: with TESSOLO_STARTUP_TIME set in the environment the
// program prints how long it took from the process's start until the main
// window was shown, its first activation had run and the event queue was
// empty, then quits.
#include <QObject>

class TForm3;

// Milliseconds since the process started (from the system's process table;
// -1 where that is not available).
double MillisecondsSinceProcessStart();

// Watches window; prints the figure to standard output and quits the
// application once the window is idle.
void ReportStartupTimeWhenIdle(TForm3* window, double msAtMainStart);
