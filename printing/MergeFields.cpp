#include "MergeFields.h"

TFieldText::TFieldText(const QString& text) {
  QString literal;
  auto flush = [&] {
    if (!literal.isEmpty()) FParts.push_back({literal, false, -1});
    literal.clear();
  };
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    const bool doubled = i + 1 < n && text[i + 1] == c;
    if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && doubled) {
      literal += c;
      ++i;
      continue;
    }
    if (c == QLatin1Char('{')) {
      const qsizetype close = text.indexOf(QLatin1Char('}'), i + 1);
      const qsizetype reopen = text.indexOf(QLatin1Char('{'), i + 1);
      if (close > i && (reopen < 0 || reopen > close)) {
        flush();
        FParts.push_back({text.mid(i + 1, close - i - 1).trimmed(), true, -1});
        FHasFields = true;
        i = close;
        continue;
      }
    }
    literal += c;
  }
  flush();
}

QStringList TFieldText::FieldNames() const {
  QStringList names;
  for (const TPart& p : FParts)
    if (p.Field && !names.contains(p.Text)) names << p.Text;
  return names;
}

QStringList TFieldText::Bind(const QStringList& columns) {
  QStringList unknown;
  for (TPart& p : FParts) {
    if (!p.Field) continue;
    p.Column = p.Text.isEmpty() ? -1 : int(columns.indexOf(p.Text));
    if (p.Column < 0 && !unknown.contains(p.Text)) unknown << p.Text;
  }
  return unknown;
}

QString TFieldText::Fill(const QStringList& row) const {
  QString out;
  for (const TPart& p : FParts) {
    if (!p.Field) out += p.Text;
    else if (p.Column >= 0) out += row.value(p.Column);
    else out += QLatin1Char('{') + p.Text + QLatin1Char('}');
  }
  return out;
}
