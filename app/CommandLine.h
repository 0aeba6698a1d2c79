#pragma once
// The command line: the document to open at start, and the headless commands
// "tessolo --info FILE", "tessolo --export-png OUT.png FILE [--scale N]" and
// "tessolo --print-pdf OUT.pdf FILE [--paper NAME|WxH] [--dpi N] [--printer
// NAME] [--merge LIST [--merge-layout sheet|cell]]" and "tessolo
// --calibration-sheet OUT.pdf [--paper ...] [FILE]", which run
// without a display and create no window.
#include <QString>
#include <QStringList>

#include <optional>

#include "ProgramFolders.h"

// When the arguments ask for a headless command, runs it, stores its exit
// code (0 done, 1 the document or the output failed, 2 wrong arguments) and
// returns true; otherwise returns false and the window starts.
//
// Call it first in main, before any application object exists: it then makes
// its own QGuiApplication on the "offscreen" platform (fonts and painting
// need one) and destroys it before returning, so main creates its
// QApplication only when this returns false. If an application object
// already exists it is used; it must then be a QGuiApplication.
bool TryRunCommandLine(int argc, char** argv, int* exitCode);
// The same with the folders whose tessolo.ini holds the printers' corrections
// (empty: this program's folders).
bool TryRunCommandLine(int argc, char** argv, int* exitCode, const ProgramFolders& folders);

// The document named on the command line, for opening at start: exactly one
// argument after the program whose lower-cased form ends in ".tsl". The
// lower-cased path is taken when such a file exists, otherwise the path as
// given (file names are case-sensitive here); nullopt when neither is a file.
// arguments as QCoreApplication::arguments() gives them, the program first.
std::optional<QString> DocumentPathFromArguments(const QStringList& arguments);
