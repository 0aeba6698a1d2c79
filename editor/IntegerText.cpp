#include "IntegerText.h"

#include "StringTable.h"

std::optional<int> ReadIntegerText(const QString& text) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return v;
}

QString InvalidIntegerMessage(const QString& text) { return LoadStr(1352).arg(text); }
