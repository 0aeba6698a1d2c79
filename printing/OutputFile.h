#pragma once
// Checks on the file a job is to write (a PDF, an exported image), made
// before anything is rendered, so that a job that cannot end well does not
// start, and a document is never written over by its own print-out.
#include <QString>

// What keeps path from becoming the output, in Japanese; empty when nothing
// does: no name, a folder, a folder that is missing or closed to new files,
// an existing file that may not be written.
QString OutputFileProblem(const QString& path);
// The message for a problem of path: the file named, then the problem.
QString OutputFileMessage(const QString& path, const QString& problem);

// Whether a and b are one and the same existing file, however each is
// reached (relative paths, symbolic links, hard links): same device and inode.
bool SameFile(const QString& a, const QString& b);
