#include "CustomColors.h"

namespace {
constexpr uint32_t kUnset = 0xFFFFFFFFu;

QString LineFor(int index, std::optional<TColor> color) {
  const QString value = color ? QString::number(uint32_t(*color), 16).toUpper().rightJustified(6, QLatin1Char('0'))
                              : QString::number(kUnset, 16).toUpper();
  return QStringLiteral("Color") + QChar(u'A' + index) + QLatin1Char('=') + value;
}
}  // namespace

TCustomColors TCustomColors::FromLines(const QStringList& lines) {
  TCustomColors out;
  for (const QString& line : lines) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QString name = line.left(eq).trimmed();
    if (eq < 0 || name.size() != 6 || !name.startsWith(QLatin1String("Color"), Qt::CaseInsensitive)) continue;
    const int index = name[5].toUpper().unicode() - u'A';
    if (index < 0 || index >= Count) continue;
    bool ok = false;
    const uint32_t v = line.mid(eq + 1).trimmed().toUInt(&ok, 16);
    out.FColors[size_t(index)] = ok && v != kUnset ? std::optional<TColor>(TColor(v)) : std::nullopt;
    out.FLines[size_t(index)] = line;
  }
  return out;
}

QStringList TCustomColors::ToLines() const {
  QStringList out;
  for (int i = 0; i < Count; ++i) {
    const QString& kept = FLines[size_t(i)];
    out << (kept.isEmpty() ? LineFor(i, FColors[size_t(i)]) : kept);
  }
  return out;
}

void TCustomColors::Set(int index, std::optional<TColor> color) {
  if (index < 0 || index >= Count || FColors[size_t(index)] == color) return;
  FColors[size_t(index)] = color;
  FLines[size_t(index)].clear();
}
