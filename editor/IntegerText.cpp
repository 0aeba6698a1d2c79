#include "IntegerText.h"

#include "ErrorText.h"

namespace {
constexpr int kNotAnInteger = 1227;
}

std::optional<int> ReadIntegerText(const QString& text) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return v;
}

QString InvalidIntegerMessage(const QString& text) { return ReasonText({kNotAnInteger, {text}}); }
