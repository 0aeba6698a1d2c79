#pragma once
// TForm3: the main window. Adds to the editor (TForm2) the application shell:
// settings, the document open on the worksheet, the toolbar and menu
// commands, help and the About box. Document commands, page setup and
// printing are spread over further files by concern.
#include <QByteArray>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "DocumentPageSetup.h"
#include "MergePlan.h"
#include "PrinterCalibration.h"
#include "PrinterPage.h"
#include "Settings.h"
#include "Unit2.h"
#include "UserInterface.h"

class IPrintDevice;
struct DocumentSnapshot;
class UndoHistory;
class TAboutDXDlg;
class THelpWindow;
class QPrinter;
class QProgressDialog;
class TPreviewForm;
struct TMergeList;
struct TPreviewHooks;

class TForm3 : public TForm2 {
  Q_OBJECT
 public:
  // folders: where the delivered files are read (help, templates, picture
  // folders, setup lists) and quorin.con and usetpage.txt written; a single
  // folder holds both. Empty means this program's folders.
  explicit TForm3(QWidget* parent = nullptr, const ProgramFolders& folders = {});
  ~TForm3() override;

  // ---- Main-window state ---------------------------------------------------
  QString DefaultFileName;   // "newfile.tsl"
  QString DocumentFileName;  // path of the document, or DefaultFileName
  bool DocumentOpen = false;
  bool FirstActivation = true;
  QString SettingsPath;        // the writable folder + "quorin.con"
  QByteArray VersionString;    // "2.0g", NUL-padded to 8 bytes
  QByteArray DocumentVersion;  // the version bytes of the document last read
  TWindowSettings WindowSettings;
  DocumentPageSetup DocumentSetup;
  TFileDialogRequest OpenDialog1, SaveDialog1;
  // The arguments after the program name, as the command line gave them.
  QStringList CommandLineArguments;

  // ---- Settings ------------------------------------------------------------
  void ReadSettings();
  // Why quorin.con could not be written, when it could not.
  TOutcome WriteSettings();

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
  // 0, or -1 after the user was told why (ReadDocument).
  int LoadDocument(const QString& path);
  // Reads path onto the worksheet; the user has been told of any failure.
  // Refused: the file could not be read and nothing was touched. Failed:
  // an invalid document, the worksheet is to be discarded. Virtual so that
  // a test can stand in for it.
  virtual TOutcome ReadDocument(const QString& path);
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

  // ---- Print preview (Unit3Preview.cpp) --------------------------------------
  // The device whose sheet the preview shows, made afresh for every look
  // since the page setup may have changed the paper. Virtual so that tests
  // can stand in a printer of their choosing.
  virtual std::unique_ptr<IPrintDevice> PreviewDevice();
  // The printer that printing and the preview use, kept while the window
  // lives so that the printer and paper chosen in the print dialog stay
  // chosen. The document's paper is offered whenever it changes.
  QPrinter& CurrentPrinter();
  // What the printer needs after the print dialog: the chosen queue's own
  // margins and resolution; PDF output at our resolution, the whole sheet.
  // False, with the user told, when the output would be the document itself.
  bool AfterPrintDialog(QPrinter& printer);
  // Opens the preview window where it was last left, with hooks' print
  // command and merge mode; the page setup and document hooks are added.
  void ShowPreview(TPreviewHooks hooks);
  // What the chosen print queue fixes about the page (its margins on the
  // paper, its resolution), asked whenever the printer is used. Tests stand
  // in queues of their own.
  std::function<TPrinterPage(const QPrinter&)> PrinterPageOf;
  // Shows the preview window modally; virtual so that tests can drive it.
  virtual void ShowPreviewModal(TPreviewForm& form);

  // ---- Undo and redo (Unit3Undo.cpp) ------------------------------------------
  // While text is typed in place they act on that text.
  void EditUndoClick();
  void EditRedoClick();
  void UpdateUndoCommands();
  UndoHistory& History() const { return *FHistory; }

  // ---- Mail merge (Unit3Merge.cpp) ---------------------------------------------
  // Chooses a list file and opens the preview in merge mode; a list that
  // cannot be read, or fields it has no column for, are reported instead.
  void FileMergePrintClick();
  // The print dialog, then a card for every row of list, with progress.
  void MergePrint(const TMergeList& list, TMergeLayout layout);
  // Shows that done of sheets are printed; false when the user cancelled.
  // Virtual so that tests can act while the job runs.
  virtual bool MergePrintProgress(QProgressDialog& dialog, int done, int sheets);

  // ---- Printer calibration (Unit3Calibration.cpp) ----------------------------
  // The dialog with the current printer's corrections, kept in tessolo.ini.
  void FilePrintCalibrationClick();
  // The name the current printer's corrections are kept under; empty when
  // output goes to no printer. Virtual so that tests can name a printer.
  virtual QString CurrentPrinterName();
  // The corrections stored for printer; neutral when none are, or when the
  // entry does not read (then, with warn, the user is told).
  TPrinterCalibration PrinterCalibration(const QString& printer, bool warn = false);
  // The calibration sheet for the document's page setup (the default one
  // without a document) on the current printer; failures are shown.
  void PrintCalibrationSheetNow();

  // The About box as About1Click shows it.
  std::unique_ptr<TAboutDXDlg> CreateAboutBox();
  // The help window, once help has been asked for.
  THelpWindow* HelpWindow() const;

 protected:
  void CardChanged(int mergeKey) override;
  void GestureEnded() override;
  void TextEntryChanged() override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void WireCommands();
  void WireUndo();
  void RestoreDocument(const DocumentSnapshot& snapshot, bool withSheetSettings);
  void ApplyMainBounds();

  QPointer<THelpWindow> FHelpWindow;
  std::unique_ptr<QPrinter> FPrinter;
  QSizeF FOfferedPaper;  // the document paper last offered to FPrinter (mm)
  std::unique_ptr<UndoHistory> FHistory;
  bool FRestoring = false;
};
