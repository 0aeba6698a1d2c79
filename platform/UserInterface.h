#pragma once
// Everything that asks the user something goes through this interface: message
// boxes, file dialogs, the colour dialog and the print dialog. The program
// installs the Qt implementation; tests install a ScriptedUserInterface that
// answers from a script, so that every command flow runs headless.
#include <QString>
#include <QStringList>

#include <optional>

#include "Identifiers.h"

class QPrinter;
class QWidget;

enum TMsgDlgButtons { mbOK, mbOKCancel, mbYesNo, mbYesNoCancel };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct TFileDialogRequest {
  QString Title;          // empty: the platform's default title
  QString Filter;         // "Description|*.ext;*.ext2|Description|*.ext"
  int FilterIndex = 1;    // 1-based, as the platform counts
  QString InitialDir;
  QString FileName;       // initial file name (may hold a folder and a pattern)
  QString DefaultExt;
};

struct TColorRequest {
  TColor Color = clBlack;     // initial colour
  QStringList CustomColors;   // "ColorA=FFFFFF" ... as the colour dialog keeps them
};

struct TColorReply {
  TColor Color = clBlack;
  QStringList CustomColors;
};

class IUserInterface {
 public:
  virtual ~IUserInterface() = default;

  // A modal message box without an icon; returns the button pressed.
  virtual TModalResult MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) = 0;
  // The application's standard error display (an error the program does not
  // handle itself).
  virtual void ShowError(const QString& text) = 0;
  // File dialogs; nullopt when cancelled.
  virtual std::optional<QString> OpenFileName(const TFileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFileName(const TFileDialogRequest& request) = 0;
  virtual std::optional<QString> OpenPictureName(const TFileDialogRequest& request) = 0;
  // The colour dialog; nullopt when cancelled.
  virtual std::optional<TColorReply> ChooseColor(const TColorRequest& request) = 0;
  // The print dialog on printer (printer, paper, copies, or PDF output to a
  // file); false when cancelled. printer keeps what the user chose.
  virtual bool PrintSetup(QPrinter& printer) = 0;
  // The parent for modal windows (nullptr when headless).
  virtual QWidget* DialogParent() const { return nullptr; }
};

// The interface in use. Never null: until a window installs its own, one
// with no window (HeadlessUserInterface), so that what reads and prints
// documents needs no widgets.
IUserInterface& UI();
// Installs an implementation (not owned); nullptr restores the default.
void SetUI(IUserInterface* ui);

// Messages and errors go to standard error; every question is declined (the
// dialogs cancelled, a question answered Cancel, or No where it has no Cancel).
class HeadlessUserInterface : public IUserInterface {
 public:
  TModalResult MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) override;
  void ShowError(const QString& text) override;
  std::optional<QString> OpenFileName(const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<QString> SaveFileName(const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<QString> OpenPictureName(const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<TColorReply> ChooseColor(const TColorRequest&) override { return std::nullopt; }
  bool PrintSetup(QPrinter&) override { return false; }
};

// The Qt implementation with real dialogs (platform/widgets; the window
// installs it).
class QtUserInterface : public IUserInterface {
 public:
  TModalResult MessageBox(const QString& text, const QString& title, TMsgDlgButtons buttons) override;
  void ShowError(const QString& text) override;
  std::optional<QString> OpenFileName(const TFileDialogRequest& request) override;
  std::optional<QString> SaveFileName(const TFileDialogRequest& request) override;
  std::optional<QString> OpenPictureName(const TFileDialogRequest& request) override;
  std::optional<TColorReply> ChooseColor(const TColorRequest& request) override;
  bool PrintSetup(QPrinter& printer) override;
  QWidget* DialogParent() const override { return FParent; }
  void SetDialogParent(QWidget* parent) { FParent = parent; }

 private:
  QWidget* FParent = nullptr;
};
