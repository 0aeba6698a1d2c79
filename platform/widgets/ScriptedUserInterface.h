#pragma once
// A user interface that answers from a script and records what was asked:
// the headless stand-in for the user in tests.
#include <deque>
#include <stdexcept>
#include <vector>

#include "UserInterface.h"

class ScriptedUserInterface : public IUserInterface {
 public:
  struct Call {
    enum Kind { Message, Error, OpenFile, SaveFile, OpenPicture, Color, Print } What;
    QString Text;   // message text, or the dialog's title
    QString Title;  // message title
    TMsgDlgButtons Buttons = mbOK;
    TFileDialogRequest File;
    TColorRequest ColorAsked;
  };

  // Replies are taken in order; a question with no reply left throws, so a
  // test that forgot a prompt fails loudly.
  void ReplyButton(TModalResult r) { FButtons.push_back(r); }
  void ReplyFile(std::optional<QString> path) { FFiles.push_back(std::move(path)); }
  void ReplyColor(std::optional<TColorReply> c) { FColors.push_back(std::move(c)); }
  // The print dialog: PDF output to the file pdfPath, or nullopt to cancel.
  void ReplyPrint(std::optional<QString> pdfPath) { FPrints.push_back(std::move(pdfPath)); }

  const std::vector<Call>& Calls() const { return FCalls; }
  std::vector<QString> Messages() const;  // texts of the message boxes and errors, in order
  void Clear() { FCalls.clear(); FButtons.clear(); FFiles.clear(); FColors.clear(); FPrints.clear(); }
  bool AllRepliesUsed() const { return FButtons.empty() && FFiles.empty() && FColors.empty() && FPrints.empty(); }

  TModalResult MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) override;
  void ShowError(const QString& text) override;
  std::optional<QString> OpenFileName(const TFileDialogRequest& request) override;
  std::optional<QString> SaveFileName(const TFileDialogRequest& request) override;
  std::optional<QString> OpenPictureName(const TFileDialogRequest& request) override;
  std::optional<TColorReply> ChooseColor(const TColorRequest& request) override;
  bool PrintSetup(QPrinter& printer) override;

 private:
  std::optional<QString> NextFile(Call::Kind kind, const TFileDialogRequest& request);
  std::vector<Call> FCalls;
  std::deque<TModalResult> FButtons;
  std::deque<std::optional<QString>> FFiles;
  std::deque<std::optional<TColorReply>> FColors;
  std::deque<std::optional<QString>> FPrints;
};

// Installs a scripted interface for the lifetime of a test.
class ScopedScriptedUI {
 public:
  ScopedScriptedUI() { SetUI(&Ui); }
  ~ScopedScriptedUI() { SetUI(nullptr); }
  ScriptedUserInterface Ui;
};
