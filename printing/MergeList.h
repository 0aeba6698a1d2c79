#pragma once
// The list a mail merge prints from: a CSV or TSV file whose first row names
// the columns and whose other rows are one person each. Read through libcsv
// (RFC 4180 quoting: delimiters, quotes and line breaks inside quotes).
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

#include "ListEncoding.h"
#include "Outcome.h"

struct TMergeList {
  // The header's names, trimmed; an empty name is a column no field can reach.
  QStringList Columns;
  // One entry per person, no longer than Columns; cells a row leaves out
  // are empty (read them through Cell). Wholly empty rows are not here.
  std::vector<QStringList> Rows;
  // The line of the file each row starts on, for messages.
  std::vector<int> Lines;
  TListEncoding Encoding = TListEncoding::Utf8;
  QChar Delimiter = QLatin1Char(',');

  int RowCount() const { return int(Rows.size()); }
  QString Cell(int row, int column) const { return Rows[size_t(row)].value(column); }
  // The index of the column called name (trimmed), or -1.
  int ColumnIndex(const QString& name) const;
};

// Bounds checked before anything is read or kept: far beyond a staff list,
// far below what would strain memory.
namespace MergeListLimits {
constexpr qsizetype MaxFileBytes = 16 * 1024 * 1024;
constexpr int MaxRows = 100000;
constexpr int MaxColumns = 500;
}  // namespace MergeListLimits

// Reads a list from bytes. fileName's extension chooses the delimiter
// (".csv" comma, ".tsv" and ".tab" tab); any other is told by the header
// line, whichever of the two it holds more of outside quotes. A list that
// cannot be printed from is refused with the message (MergeText), which
// names the line where one is to blame.
TOutcomeOf<TMergeList> ReadMergeList(QByteArrayView bytes, const QString& fileName);
// Reads the file at path; one larger than MaxFileBytes is refused unread.
TOutcomeOf<TMergeList> ReadMergeListFile(const QString& path);
