#include "Messages.h"

#include "StringTable.h"

namespace {
constexpr int kMessageTitle = 1010;
}

TModalResult ShowMessageId(int id, TMsgDlgButtons buttons) {
  return UI().MessageBox(LoadStr(id), LoadStr(kMessageTitle), buttons);
}

TModalResult ShowMessageId(int id, const QString& arg, TMsgDlgButtons buttons) {
  QString text = LoadStr(id);
  const qsizetype at = text.indexOf(QLatin1String("%s"));
  if (at >= 0) text.replace(at, 2, arg);
  return UI().MessageBox(text, LoadStr(kMessageTitle), buttons);
}
