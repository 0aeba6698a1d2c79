#include "ScriptedUserInterface.h"

#include <QPrinter>
#include <QStringList>

std::vector<QString> ScriptedUserInterface::Messages() const {
  std::vector<QString> out;
  for (const Call& c : FCalls)
    if (c.What == Call::Message || c.What == Call::Error) out.push_back(c.Text);
  return out;
}

TModalResult ScriptedUserInterface::MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) {
  FCalls.push_back({Call::Message, text, title, buttons, {}, {}});
  if (FButtons.empty()) {
    if (buttons == mbOK) return mrOk;  // a plain notice needs no scripted answer
    throw std::logic_error("unscripted message box: " + text.toStdString());
  }
  TModalResult r = FButtons.front();
  FButtons.pop_front();
  return r;
}

void ScriptedUserInterface::ShowError(const QString& text) { FCalls.push_back({Call::Error, text, {}, mbOK, {}, {}}); }

std::optional<QString> ScriptedUserInterface::NextFile(Call::Kind kind, const TFileDialogRequest& request) {
  FCalls.push_back({kind, request.Title, {}, mbOK, request, {}});
  if (FFiles.empty()) throw std::logic_error("unscripted file dialog");
  auto r = FFiles.front();
  FFiles.pop_front();
  return r;
}

std::optional<QString> ScriptedUserInterface::OpenFileName(const TFileDialogRequest& request) {
  return NextFile(Call::OpenFile, request);
}
std::optional<QString> ScriptedUserInterface::SaveFileName(const TFileDialogRequest& request) {
  return NextFile(Call::SaveFile, request);
}
std::optional<QString> ScriptedUserInterface::OpenPictureName(const TFileDialogRequest& request) {
  return NextFile(Call::OpenPicture, request);
}

std::optional<TColorReply> ScriptedUserInterface::ChooseColor(const TColorRequest& request) {
  FCalls.push_back({Call::Color, {}, {}, mbOK, {}, request});
  if (FColors.empty()) throw std::logic_error("unscripted colour dialog");
  auto r = FColors.front();
  FColors.pop_front();
  return r;
}

bool ScriptedUserInterface::PrintSetup(QPrinter& printer) {
  FCalls.push_back({Call::Print, {}, {}, mbOK, {}, {}});
  if (FPrints.empty()) throw std::logic_error("unscripted print dialog");
  const std::optional<QString> path = FPrints.front();
  FPrints.pop_front();
  if (!path) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*path);
  return true;
}
