#include "MergeList.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <utility>

#include <csv.h>

#include "ErrorText.h"
#include "MergeMessages.h"

int TMergeList::ColumnIndex(const QString& name) const {
  const QString wanted = name.trimmed();
  if (wanted.isEmpty()) return -1;
  return int(Columns.indexOf(wanted));
}

namespace {

// Message id, filled with the line it points at or else with arg.
TOutcome Refuse(int id, int line = 0, const QString& arg = {}) {
  QString text = LoadStr(id);
  if (line > 0) text = text.arg(line);
  else if (!arg.isNull()) text = text.arg(arg);
  return TOutcome::Refused(text);
}

QChar SniffDelimiter(const QString& text, const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("csv")) return QLatin1Char(',');
  if (suffix == QLatin1String("tsv") || suffix == QLatin1String("tab")) return QLatin1Char('\t');
  int commas = 0, tabs = 0;
  bool quoted = false;
  for (QChar c : text) {
    if (c == QLatin1Char('"')) quoted = !quoted;
    else if (quoted) continue;
    else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
      if (commas + tabs > 0) break;
    } else if (c == QLatin1Char(',')) ++commas;
    else if (c == QLatin1Char('\t')) ++tabs;
  }
  return tabs > commas ? QLatin1Char('\t') : QLatin1Char(',');
}

// Spaces belong to the field (RFC 4180); libcsv would trim them otherwise.
int NoSpace(unsigned char) { return 0; }

// Gathers libcsv's fields into rows and keeps to the limits on the way.
struct Collector {
  explicit Collector(TMergeList& list) : List(list) {}
  TMergeList& List;
  QStringList Cells;
  bool HeaderRead = false;
  bool Failed = false;
  TOutcome Failure;

  void Fail(TOutcome why) {
    Failed = true;
    Failure = std::move(why);
  }
  int RowLine = 0;  // the line the open row started on, 0 between rows

  void Field(const char* data, size_t length) {
    if (Failed) return;
    const QString cell = data ? QString::fromUtf8(data, qsizetype(length)) : QString();
    if (!HeaderRead) {
      if (Cells.size() == MergeListLimits::MaxColumns)
        Fail(Refuse(MergeText::TooManyColumns, 0, QString::number(MergeListLimits::MaxColumns)));
      else
        Cells << cell.trimmed();
      return;
    }
    if (Cells.size() < List.Columns.size()) Cells << cell;
    else if (!cell.trimmed().isEmpty()) Fail(Refuse(MergeText::ExtraCells, RowLine));
  }

  void Row() {
    if (Failed) return;
    const int line = RowLine;
    RowLine = 0;
    QStringList cells;
    cells.swap(Cells);
    if (!HeaderRead) {
      HeaderRead = true;
      for (qsizetype i = 0; i < cells.size(); ++i)
        if (!cells[i].isEmpty() && cells.indexOf(cells[i]) != i) {
          Fail(Refuse(MergeText::DuplicateColumn, 0, cells[i]));
          return;
        }
      List.Columns = cells;
      return;
    }
    bool empty = true;
    for (const QString& c : cells) empty = empty && c.trimmed().isEmpty();
    if (empty) return;
    if (List.RowCount() == MergeListLimits::MaxRows) {
      Fail(Refuse(MergeText::TooManyRows, 0, QString::number(MergeListLimits::MaxRows)));
      return;
    }
    // Trailing empty cells cost nothing to leave out.
    while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
    List.Rows.push_back(std::move(cells));
    List.Lines.push_back(line);
  }
};

void OnField(void* data, size_t length, void* collector) {
  static_cast<Collector*>(collector)->Field(static_cast<const char*>(data), length);
}
void OnRow(int, void* collector) { static_cast<Collector*>(collector)->Row(); }

// The end of the line starting at from: after "\n", "\r\n" or a lone "\r".
qsizetype LineEnd(const QByteArray& text, qsizetype from) {
  for (qsizetype i = from; i < text.size(); ++i) {
    if (text[i] == '\n') return i + 1;
    if (text[i] == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
  }
  return text.size();
}

struct Parser {
  csv_parser P{};
  bool Ready = false;
  explicit Parser(unsigned char delimiter) {
    Ready = csv_init(&P, CSV_STRICT | CSV_STRICT_FINI) == 0;
    if (!Ready) return;
    csv_set_delim(&P, delimiter);
    csv_set_space_func(&P, NoSpace);
  }
  ~Parser() {
    if (Ready) csv_free(&P);
  }
};

}  // namespace

TOutcomeOf<TMergeList> ReadMergeList(QByteArrayView bytes, const QString& fileName) {
  if (bytes.size() > MergeListLimits::MaxFileBytes)
    return Refuse(MergeText::TooLarge, 0, QString::number(MergeListLimits::MaxFileBytes / (1024 * 1024)));
  TMergeList list;
  std::optional<QString> text = DecodeListText(bytes, &list.Encoding);
  if (!text) return Refuse(MergeText::UnknownEncoding);
  list.Delimiter = SniffDelimiter(*text, fileName);
  // libcsv reads bytes; in UTF-8 no byte of a Japanese character can be
  // taken for a delimiter, a quote or a line break.
  const QByteArray utf8 = text->toUtf8();
  text.reset();

  Parser parser(static_cast<unsigned char>(list.Delimiter.toLatin1()));
  if (!parser.Ready) return Refuse(MergeText::ParseFailed, 1);
  Collector collector(list);
  int line = 0;
  // Fed a line at a time, so that every message can say where.
  for (qsizetype at = 0; at < utf8.size() && !collector.Failed;) {
    const qsizetype end = LineEnd(utf8, at);
    ++line;
    const bool blank = utf8[at] == '\n' || utf8[at] == '\r';
    if (collector.RowLine == 0 && !blank) collector.RowLine = line;
    const size_t length = size_t(end - at);
    if (csv_parse(&parser.P, utf8.constData() + at, length, OnField, OnRow, &collector) != length) {
      const int error = csv_error(&parser.P);
      return Refuse(error == CSV_EPARSE ? MergeText::StrayQuote : MergeText::ParseFailed, line);
    }
    at = end;
  }
  if (collector.Failed) return collector.Failure;
  const int openLine = collector.RowLine;
  if (csv_fini(&parser.P, OnField, OnRow, &collector) != 0) return Refuse(MergeText::UnclosedQuote, openLine);
  if (collector.Failed) return collector.Failure;
  if (list.Rows.empty()) return Refuse(MergeText::Empty);
  return list;
}

TOutcomeOf<TMergeList> ReadMergeListFile(const QString& path) {
  const QFileInfo info(path);
  if (info.isFile() && info.size() > MergeListLimits::MaxFileBytes)
    return Refuse(MergeText::TooLarge, 0, QString::number(MergeListLimits::MaxFileBytes / (1024 * 1024)));
  QFile file(path);
  QByteArray bytes;
  if (info.isDir() || !file.open(QIODevice::ReadOnly) ||
      (bytes = file.read(MergeListLimits::MaxFileBytes + 1), file.error() != QFileDevice::NoError)) {
    const int errnum = info.isDir() ? EISDIR : !info.exists() ? ENOENT : EACCES;
    return TOutcome::Refused(LoadStr(MergeText::CannotRead).arg(path, FileErrorText(errnum)));
  }
  return ReadMergeList(bytes, path);
}
