#pragma once
// TForm3: the main window. Adds to the editor (TForm2) the application shell:
// settings, the document open on the worksheet, the toolbar and menu
// commands, help and the About box. Document commands, page setup and
// printing are spread over further files by concern.
#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

#include "DocumentPageSetup.h"
#include "Settings.h"
#include "Unit2.h"
#include "UserInterface.h"

class TAboutDXDlg;
class THelpWindow;

// The clipboard format of copied card objects (component streams).
inline constexpr char kComponentMimeType[] = "application/x-tessolo-component";

class TForm3 : public TForm2 {
  Q_OBJECT
 public:
  // programFolder: where the program's files live (quorin.con, help, picture
  // folders); empty means the executable's folder.
  explicit TForm3(QWidget* parent = nullptr, const QString& programFolder = {});
  ~TForm3() override;

  // ---- Main-window state ---------------------------------------------------
  QString DefaultFileName;   // "newfile.tsl"
  QString DocumentFileName;  // path of the document, or DefaultFileName
  bool DocumentOpen = false;
  bool FirstActivation = true;
  QString SettingsPath;        // ProgramFolder() + "quorin.con"
  QByteArray VersionString;    // "2.0g", NUL-padded to 8 bytes
  QByteArray DocumentVersion;  // the version bytes of the document last read
  TWindowSettings WindowSettings;
  DocumentPageSetup DocumentSetup;
  TFileDialogRequest OpenDialog1, SaveDialog1;
  // The arguments after the program name, as the command line gave them.
  QStringList CommandLineArguments;

  // ---- Settings ------------------------------------------------------------
  void ReadSettings();
  // Returns false (with the reason) when quorin.con could not be written.
  bool WriteSettings(QString* error = nullptr);

  // ---- Start-up ------------------------------------------------------------
  void FormActivate();
  bool OpenFromCommandLine();
  // The start wizard in mode 1 (start-up) or 2 (New), and what its choice
  // leads to. Virtual so that tests can stand in for the modal wizard.
  virtual void RunStartWizard(int startMode);

  // ---- Documents -----------------------------------------------------------
  void ResetWorksheet();
  // 0 on success, -1 after the user was told why.
  int SaveDocument(const QString& path);
  // 0, -1 for an invalid document, LoadNotRead for a file that could not be
  // read (nothing touched). Virtual so that a test can stand in for it.
  virtual int LoadDocument(const QString& path);
  void SetDocumentCaption();
  // The document named name is on the worksheet: caption, DocumentOpen and
  // the commands follow.
  void DocumentOpened(const QString& name);
  // A load failed: the worksheet goes, nothing is open or modified.
  void DocumentLoadFailed();

  // ---- Command enabling ------------------------------------------------------
  void UpdateCommands();
  void UpdatePasteCommand();
  void FileMenuClick();

  // ---- Commands ------------------------------------------------------------
  // The clipboard, background and grid commands are the editor's.
  void FileNewClick();
  void FileOpenClick();
  void FileSaveClick();
  void FileSaveAsClick();
  void WorkSheetClearClick();
  void FilePreviewClick();
  void FilePrintClick();
  void FilePrintSetupClick();
  void FileExitClick();
  // Whether the window may close; writes the settings when it will.
  bool FormCloseQuery();

  // ---- Document operations (Unit3Commands.cpp) --------------------------------
  // Whether the calling command may go on (offers to save a modified document).
  bool ConfirmDiscard();
  // 0 when written, -1 when the user cancelled the save dialog or the write failed.
  int SaveDocumentAs();
  // Appends ".tsl" unless the name already ends in exactly ".tsl".
  static QString EnsureExtension(const QString& fileName);
  // The page setup dialog for a new, empty document.
  void NewDocument();
  void OpenDocument();
  // Writes quorin.con, telling the user when that fails; the close goes on.
  bool WriteSettingsOrSay();
  // The save dialog with the overwrite question until a name is written:
  // 0 with the name in *chosen, -1 when cancelled or the write failed.
  int SaveThroughDialog(QString* chosen);
  void Contents1Click();
  void About1Click();

  // The About box as About1Click shows it.
  std::unique_ptr<TAboutDXDlg> CreateAboutBox();
  // The help window, once help has been asked for.
  THelpWindow* HelpWindow() const;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void WireCommands();
  void ApplyMainBounds();

  QPointer<THelpWindow> FHelpWindow;
};
