// Arbitrary bytes as a mail-merge list (a CSV or TSV file anyone may have
// saved from anything). The reader either refuses the list with a message or
// offers one within its limits: no row longer than its header, no wholly
// empty row, a line for every row. A crash, a sanitizer report or an
// exception escaping is a finding.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "MergeList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the extension, so that both delimiters and the
  // sniffing are reached.
  static const char* const kNames[] = {"list.csv", "list.tsv", "list.txt"};
  const QString name = QString::fromLatin1(kNames[data[0] % 3]);
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  const TOutcomeOf<TMergeList> r = ReadMergeList(bytes, name);
  if (!r.Ok()) {
    if (r.Reason().isEmpty()) std::abort();
    return 0;
  }
  const TMergeList& list = r.Value();
  if (list.Rows.empty() || list.Rows.size() != list.Lines.size()) std::abort();
  if (list.Columns.size() > MergeListLimits::MaxColumns || list.RowCount() > MergeListLimits::MaxRows) std::abort();
  int previous = 1;
  for (size_t i = 0; i < list.Rows.size(); ++i) {
    if (list.Rows[i].size() > list.Columns.size() || list.Lines[i] <= previous) std::abort();
    previous = list.Lines[i];
    bool empty = true;
    for (const QString& cell : list.Rows[i]) empty = empty && cell.trimmed().isEmpty();
    if (empty) std::abort();
  }
  return 0;
}
