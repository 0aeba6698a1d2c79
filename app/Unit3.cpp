// TForm3: construction, activation, window messages, command enabling, help
// and the About box.
#include "Unit3.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include "AboutDialog.h"
#include "Clipboard.h"
#include "CommandLine.h"
#include "CommonText.h"
#include "DocumentIO.h"
#include "ErrorText.h"
#include "HelpWindow.h"
#include "Image.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "UndoHistory.h"
#include "Version.h"

namespace {
constexpr int kHelpUnavailable = 1224;
constexpr int kSettingsUnsaved = 1225;
}  // namespace

TForm3::TForm3(QWidget* parent, const ProgramFolders& folders) : TForm2(parent) {
  SetProgramFolder(folders.IsEmpty() ? ProgramFolders::ForThisProgram() : folders);
  SettingsPath = Folders().WritablePath(QStringLiteral("quorin.con"));
  ReadSettings();
  VersionString = QByteArray(::VersionString).leftJustified(8, '\0', true);
  DocumentSetup = DocumentPageSetup{};
  DefaultFileName = QStringLiteral("newfile.tsl");
  setWindowTitle(LoadStr(CommonText::ProgramName));
  Modified = false;
  DocumentOpen = false;
  WireUndo();
  WireCommands();
  FHistory->Reset(true);
  UpdateCommands();
  SaveDialog1.Title = LoadStr(CommonText::SaveAsTitle);
  FirstActivation = true;
  CommandLineArguments = QCoreApplication::arguments().mid(1);
}

TForm3::~TForm3() = default;

void TForm3::WireCommands() {
  connect(FileMenu, &QMenu::aboutToShow, this, [this] { FileMenuClick(); });
  const std::pair<QAction*, void (TForm3::*)()> items[] = {
      {FileNew, &TForm3::FileNewClick},
      {FileOpen, &TForm3::FileOpenClick},
      {FileSave, &TForm3::FileSaveClick},
      {FileSaveAs, &TForm3::FileSaveAsClick},
      {WorkSheetClear, &TForm3::WorkSheetClearClick},
      {FilePreview, &TForm3::FilePreviewClick},
      {FilePrint, &TForm3::FilePrintClick},
      {FileMergePrint, &TForm3::FileMergePrintClick},
      {FilePrintSetup, &TForm3::FilePrintSetupClick},
      {FilePrintCalibration, &TForm3::FilePrintCalibrationClick},
      {FileExit, &TForm3::FileExitClick},
      {Contents1, &TForm3::Contents1Click},
      {About1, &TForm3::About1Click},
  };
  for (const auto& [action, handler] : items) connect(action, &QAction::triggered, this, handler);
  const std::pair<TSpeedButton*, void (TForm3::*)()> buttons[] = {
      {FileNewButton, &TForm3::FileNewClick},
      {FileOpenButton, &TForm3::FileOpenClick},
      {FileSaveButton, &TForm3::FileSaveClick},
      {PrintPreviewButton, &TForm3::FilePreviewClick},
      {PrintButton, &TForm3::FilePrintClick},
      {PrintSetupButton, &TForm3::FilePrintSetupClick},
      {HelpButton, &TForm3::Contents1Click},
  };
  for (const auto& [button, handler] : buttons) button->OnClick = [this, handler = handler] { (this->*handler)(); };
  // Paste follows the clipboard while the program runs, not only when the
  // window is activated again.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdatePasteCommand(); });
}

// ---- Settings -----------------------------------------------------------------

void TForm3::ReadSettings() {
  const TSettingsReadResult read = ReadSettingsFile(SettingsPath);
  WindowSettings = read.Settings;
  if (read.AppliesBounds()) ApplyMainBounds();
}

void TForm3::ApplyMainBounds() {
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  setGeometry(SanitizeWindowBounds(WindowSettings.MainLeft, WindowSettings.MainTop, WindowSettings.MainWidth,
                                   WindowSettings.MainHeight, screens));
}

TOutcome TForm3::WriteSettings() {
  // While maximized, the bounds stored when the window was maximized stay.
  if (!WindowSettings.MainMaximized) WindowSettings.SetMainBounds(geometry());
  Folders().PrepareWritableFolder();  // a failure shows as the write's own
  return WriteSettingsFile(SettingsPath, WindowSettings);
}

// ---- Start-up -------------------------------------------------------------------

void TForm3::showEvent(QShowEvent* event) {
  TForm2::showEvent(event);
  // Without a window manager the window may never be activated; the start-up
  // sequence runs anyway once the window is on screen.
  if (FirstActivation) QTimer::singleShot(0, this, [this] { if (FirstActivation) FormActivate(); });
}

void TForm3::FormActivate() {
  if (WindowSettings.MainMaximized && !(windowState() & Qt::WindowMaximized))
    setWindowState(windowState() | Qt::WindowMaximized);
  if (!FirstActivation) return;
  FirstActivation = false;
  if (!OpenFromCommandLine()) RunStartWizard(1);
}

bool TForm3::OpenFromCommandLine() {
  const std::optional<QString> path =
      DocumentPathFromArguments(QStringList{QCoreApplication::applicationFilePath()} + CommandLineArguments);
  if (!path) return false;
  const TOutcome loaded = ReadDocument(*path);
  if (loaded.Ok()) {
    DocumentOpened(*path);
    return true;
  }
  if (loaded.Kind() != TOutcome::TKind::Refused) DocumentLoadFailed();
  return false;
}

void TForm3::DocumentOpened(const QString& name) {
  DocumentFileName = name;
  SetDocumentCaption();
  DocumentOpen = true;
  // A document just opened has no history; as read, it is the saved state.
  FHistory->Reset(!Modified);
  UpdateCommands();
}

void TForm3::DocumentLoadFailed() {
  if (DrawPanel) DiscardEditorWorksheet();
  Modified = false;
  DocumentOpen = false;
  FHistory->Reset(true);
  UpdateCommands();
}


// ---- Documents ------------------------------------------------------------------

void TForm3::ResetWorksheet() { ResetEditorWorksheet(DocumentSetup.SheetWidthPx, DocumentSetup.SheetHeightPx); }

int TForm3::SaveDocument(const QString& path) {
  if (TextEditing) CloseTextEditor();
  if (!SaveDocumentFile(path, *this, DocumentSetup, VersionString).Ok()) return -1;
  Modified = false;
  DocumentSetup.LegacyPageSetup = false;
  FHistory->Saved();
  return 0;
}

int TForm3::LoadDocument(const QString& path) { return ReadDocument(path).Ok() ? 0 : -1; }

TOutcome TForm3::ReadDocument(const QString& path) {
  DocumentLoadHooks hooks;
  hooks.ResetWorksheet = [this] { ResetWorksheet(); };
  hooks.AttachObject = [this](TControl* object) { AttachObject(object); };
  // LegacyPageSetup is the reader's to set: an old-form record 9 sets it.
  const TOutcome result = LoadDocumentFile(path, *this, DocumentSetup, DocumentVersion, hooks);
  if (result.Ok()) Modified = false;
  return result;
}

void TForm3::SetDocumentCaption() {
  setWindowTitle(LoadStr(CommonText::ProgramName) + QStringLiteral("  ") + DocumentFileName);
}

// ---- Command enabling -------------------------------------------------------------

void TForm3::UpdateCommands() {
  for (TSpeedButton* b : {FileSaveButton, PrintSetupButton, PrintPreviewButton, PrintButton, BGImageButton, GridButton})
    b->setEnabled(DocumentOpen);
  // Shortcuts reach the File items without the menu dropping down.
  FileMenuClick();
  UpdatePasteCommand();
  UpdateUndoCommands();
}

void TForm3::UpdatePasteCommand() {
  const bool enable = TClipboard().HasPastableFormat() && WorksheetShown();
  EditPaste->setEnabled(enable);
  PasteButton->setEnabled(enable);
}

void TForm3::FileMenuClick() {
  for (QAction* a : {FileSave, FileSaveAs, WorkSheetClear, FilePrint, FilePrintSetup, FilePreview, FileMergePrint})
    a->setEnabled(DocumentOpen);
  // The calibration needs no document: its sheet then shows the default setup.
  for (QAction* a : {FileNew, FileOpen, FilePrintCalibration, FileExit}) a->setEnabled(true);
}

// ---- Commands -------------------------------------------------------------------
// The document commands live in Unit3Commands.cpp.

// Printing is in Unit3Printing.cpp, its preview in Unit3Preview.cpp.

void TForm3::FileExitClick() { close(); }

void TForm3::Contents1Click() {
  if (!FHelpWindow) FHelpWindow = new THelpWindow(this);
  if (!FHelpWindow->OpenTopic(HelpFile, QStringLiteral("top"))) {
    UI().MessageBox(ReasonText({kHelpUnavailable, {QDir::toNativeSeparators(HelpFile)}}),
                    LoadStr(CommonText::MessageTitle), mbOK);
    return;
  }
  FHelpWindow->show();
  FHelpWindow->raise();
  FHelpWindow->activateWindow();
}

std::unique_ptr<TAboutDXDlg> TForm3::CreateAboutBox() {
  auto box = std::make_unique<TAboutDXDlg>(this);
  const qsizetype end = VersionString.indexOf('\0');
  box->Version->setText(QStringLiteral("Version ") + QString::fromLatin1(VersionString.left(end)));
  return box;
}

void TForm3::About1Click() { CreateAboutBox()->exec(); }

// ---- Window messages --------------------------------------------------------------

void TForm3::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    const Qt::WindowStates now = windowState();
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if (now & Qt::WindowMinimized) {
      // Minimizing changes nothing.
    } else if (now & Qt::WindowMaximized) {
      if (!(before & Qt::WindowMaximized)) {
        WindowSettings.MainMaximized = 1;
        const QRect restored = normalGeometry();
        WindowSettings.SetMainBounds(restored.isValid() ? restored : geometry());
      }
    } else {
      WindowSettings.MainMaximized = 0;
    }
  } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    UpdatePasteCommand();
    FormActivate();
  }
  TForm2::changeEvent(event);
}

void TForm3::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  if (FHelpWindow) FHelpWindow->close();
  event->accept();
}

bool TForm3::WriteSettingsOrSay() {
  // The window closes even when its positions cannot be kept.
  const TOutcome written = WriteSettings();
  if (written.Ok()) return true;
  UI().MessageBox(ReasonText({kSettingsUnsaved, {QDir::toNativeSeparators(SettingsPath)}}) + QLatin1Char('\n') +
                      written.Reason(),
                  LoadStr(CommonText::MessageTitle), mbOK);
  return false;
}

THelpWindow* TForm3::HelpWindow() const { return FHelpWindow.data(); }
