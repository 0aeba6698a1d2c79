#include "ErrorText.h"

#include <new>

#include "StringTable.h"

namespace {
constexpr int kUnexpectedError = 1212;
constexpr int kOutOfMemory = 1213;
}  // namespace

QString ReasonText(const TReason& reason) {
  // %1 ... %9 replaced in one pass, so that a word holding "%2" stays as it is.
  const QString text = LoadStr(reason.Id);
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('%') && i + 1 < text.size() && text[i + 1] >= QLatin1Char('1') &&
        text[i + 1] <= QLatin1Char('9')) {
      const int n = text[i + 1].unicode() - '1';
      if (n < reason.Args.size()) {
        out += reason.Args[n];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

QString ReasonsText(const std::vector<TReason>& reasons) {
  QStringList lines;
  for (const TReason& r : reasons) lines << ReasonText(r);
  return lines.join(QLatin1Char('\n'));
}

QString FileErrorText(int errnum) { return ReasonText(FileErrorReason(errnum)); }

QString ErrorText(const std::exception& e) {
  if (auto* platform = dynamic_cast<const EPlatformError*>(&e); platform && !platform->Reasons().empty())
    return ReasonsText(platform->Reasons());
  if (dynamic_cast<const std::bad_alloc*>(&e)) return LoadStr(kOutOfMemory);
  return LoadStr(kUnexpectedError);
}
