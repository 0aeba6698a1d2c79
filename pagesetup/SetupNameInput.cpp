#include "SetupNameInput.h"

#include <algorithm>

#include "Messages.h"
#include "ShiftJis.h"

namespace {
constexpr int kNameMissing = 1110;
constexpr int kNameTaken = 1111;
constexpr int kNameTooLong = 1201;
constexpr int kNameUnusable = 1202;

bool IsTrimmed(QChar c) { return c.unicode() <= 0x20; }

// A double quote would end the name early in the list file (it has no
// escape), a line break would split the record, and a character without a
// Shift-JIS form would come back as something else.
bool HasUnusableCharacter(const QString& name) {
  const bool control = std::any_of(name.begin(), name.end(), [](QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('"');
  });
  return control || !ShiftJis::CanEncode(name);
}
}  // namespace

QString TrimSetupName(const QString& name) {
  qsizetype begin = 0;
  qsizetype end = name.size();
  while (begin < end && IsTrimmed(name[begin])) ++begin;
  while (end > begin && IsTrimmed(name[end - 1])) --end;
  return name.mid(begin, end - begin);
}

bool AcceptSetupName(const QString& name, const SetupTable& table) {
  bool ok = true;
  if (name.isEmpty()) {
    ShowMessageId(kNameMissing);
    ok = false;
  }
  const QByteArray bytes = ShiftJis::Encode(name);
  const bool fits = bytes.size() <= SetupNameBuffer::MaxBytes;
  // Compared whole: a longer name is not taken just because its first 63
  // bytes are.
  if (fits && table.HasName(SetupNameBuffer::FromBytes(bytes))) {
    ShowMessageId(kNameTaken);
    ok = false;
  }
  if (!name.isEmpty() && HasUnusableCharacter(name)) {
    ShowMessageId(kNameUnusable);
    ok = false;
  }
  if (!fits) {
    ShowMessageId(kNameTooLong);
    ok = false;
  }
  return ok;
}
