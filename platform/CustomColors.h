#pragma once
// The colour dialog's sixteen custom colours as a document keeps them: lines
// "ColorA=BBGGRR" to "ColorP=...", FFFFFFFF for one never set. White that the
// user chose (FFFFFF) is a colour like any other, not the unset entry.
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "Identifiers.h"

class TCustomColors {
 public:
  static constexpr int Count = 16;

  // Lines are found by their letter; missing or unreadable ones are unset.
  static TCustomColors FromLines(const QStringList& lines);
  // Sixteen lines, A to P. An entry whose colour is what the lines it came
  // from said keeps its line as it was written.
  QStringList ToLines() const;

  const std::optional<TColor>& At(int index) const { return FColors[size_t(index)]; }
  void Set(int index, std::optional<TColor> color);

 private:
  std::array<std::optional<TColor>, Count> FColors;
  std::array<QString, Count> FLines;  // as read; empty once changed
};
