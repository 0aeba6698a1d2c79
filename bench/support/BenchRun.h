#pragma once
// What every benchmark program does once its application exists.
#include <QString>

class TWorksheet;
struct DocumentPageSetup;

// Installs the program's font substitutions (cards name Windows fonts) and
// runs the benchmarks; "--write-card FOLDER" instead writes the program's
// card there through writeCard, for the scripts that compare with gLabels.
int RunBenchmarks(int argc, char** argv, int (*writeCard)(const QString& folder) = nullptr);

// Saves sheet as a document at path, as the program would; 0 or 1.
int SaveBenchDocument(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup);
