// Placeholder until the headless commands land.
#include "CommandLine.h"

bool TryRunCommandLine(int, char**, int*) { return false; }
