#pragma once
// The headless command line: "tessolo --info FILE" and
// "tessolo --export-png OUT.png FILE [--scale N]". Runs without a display.

// When the arguments ask for a headless command, runs it, stores its exit
// code and returns true; otherwise returns false and the window starts.
bool TryRunCommandLine(int argc, char** argv, int* exitCode);
