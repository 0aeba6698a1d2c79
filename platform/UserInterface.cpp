#include "UserInterface.h"

#include <cstdio>

namespace {
IUserInterface* gInstalled = nullptr;

void ToStandardError(const QString& text) {
  const QByteArray bytes = text.toUtf8() + '\n';
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}
}  // namespace

IUserInterface& UI() {
  static HeadlessUserInterface headless;
  return gInstalled ? *gInstalled : headless;
}

void SetUI(IUserInterface* ui) { gInstalled = ui; }

TModalResult HeadlessUserInterface::MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) {
  ToStandardError(title.isEmpty() ? text : title + QStringLiteral(": ") + text);
  switch (buttons) {
    case mbOK: return mrOk;
    case mbOKCancel:
    case mbYesNoCancel: return mrCancel;
    case mbYesNo: return mrNo;
  }
  return mrCancel;
}

void HeadlessUserInterface::ShowError(const QString& text) { ToStandardError(text); }
