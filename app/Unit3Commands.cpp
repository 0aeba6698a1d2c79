// The document commands of the main window: New, Open, Save, Save As, clear
// worksheet, page setup, and the close query.
#include <QFileInfo>

#include "DocumentIO.h"
#include "CommonText.h"
#include "Image.h"
#include "Messages.h"
#include "PageSetDlg.h"
#include "PageSetupCommand.h"
#include "StartWizardFlow.h"
#include "StringTable.h"
#include "UndoHistory.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {
// The name the user chose in the save dialog, nullopt when cancelled.
std::optional<QString> AskSaveName(TFileDialogRequest& dialog) {
  dialog.Filter = LoadStr(CommonText::DocumentFilter);
  return UI().SaveFileName(dialog);
}
}  // namespace

QString TForm3::EnsureExtension(const QString& fileName) {
  return fileName.endsWith(QStringLiteral(".tsl"), Qt::CaseSensitive) ? fileName : fileName + QStringLiteral(".tsl");
}

bool TForm3::ConfirmDiscard() {
  if (!Modified) return true;
  while (true) {
    switch (ShowMessageId(CommonText::SaveChanges, mbYesNoCancel)) {
      case mrYes:
        if (DocumentFileName != DefaultFileName) {
          // A document that could not be saved is not given up.
          return SaveDocument(DocumentFileName) == 0;
        }
        if (SaveDocumentAs() == 0) return true;
        continue;  // the save dialog was cancelled (or the write failed): ask again
      case mrNo: return true;
      default: return false;
    }
  }
}

int TForm3::SaveThroughDialog(QString* chosen) {
  SaveDialog1.FileName = DocumentFileName;
  while (true) {
    const std::optional<QString> name = AskSaveName(SaveDialog1);
    if (!name) return -1;
    *chosen = EnsureExtension(*name);
    SaveDialog1.FileName = *chosen;
    if (QFileInfo::exists(*chosen) && ShowMessageId(CommonText::Overwrite, mbOKCancel) != mrOk) continue;
    return SaveDocument(*chosen);  // a failed write has shown its reason
  }
}

int TForm3::SaveDocumentAs() {
  const bool wasModified = Modified;
  const bool wasLegacy = DocumentSetup.LegacyPageSetup;
  QString chosen;
  if (SaveThroughDialog(&chosen) != 0) return -1;
  if (DocumentFileName == DefaultFileName) {
    DocumentFileName = chosen;
    SetDocumentCaption();
  } else if (DocumentFileName != chosen) {
    if (ShowMessageId(CommonText::AdoptNewName, mbYesNo) == mrYes) {
      DocumentFileName = chosen;
      SetDocumentCaption();
    } else {
      // Only the copy holds the edits: the document's own file is as
      // unsaved as before, and which state of the history it holds is no
      // longer known.
      Modified = wasModified;
      DocumentSetup.LegacyPageSetup = wasLegacy;
      if (wasModified) History().ForgetSaved();
    }
  }
  return 0;
}

void TForm3::RunStartWizard(int startMode) {
  TStartWizardHooks hooks;
  hooks.ShowWizard = [this](int mode) { return RunWizard(mode, Folders().DataFolder(), this); };
  hooks.OpenDocument = [this] { OpenDocument(); };
  hooks.NewDocument = [this] { NewDocument(); };
  hooks.LoadDocument = [this](const QString& path) { return ReadDocument(path); };
  hooks.DiscardDocument = [this] { DocumentLoadFailed(); };
  hooks.TemplateOpened = [this](const QString& name) { DocumentOpened(name); };
  RunStartWizardFlow(startMode, DefaultFileName, hooks);
}

void TForm3::FileNewClick() {
  if (!ConfirmDiscard()) return;
  RunStartWizard(2);
}

void TForm3::NewDocument() {
  DocumentSetup.LegacyPageSetup = false;
  const std::optional<DocumentPageSetup> chosen =
      RunPageSetupDialog(PageSetupDialogMode::NewDocument, DocumentSetup, Folders(), WindowSettings.SetupDlgTop,
                         WindowSettings.SetupDlgLeft, this);
  if (!chosen) return;
  DocumentSetup = *chosen;
  DocumentSetup.LegacyPageSetup = false;
  ResetWorksheet();
  if (BGImage) BGImage->SetVisible(false);
  Modified = true;
  DocumentOpened(DefaultFileName);
}

void TForm3::OpenDocument() {
  if (!ConfirmDiscard()) return;
  OpenDialog1.Filter = LoadStr(CommonText::DocumentFilter);
  const std::optional<QString> path = UI().OpenFileName(OpenDialog1);
  if (!path) return;
  const TOutcome loaded = ReadDocument(*path);
  if (loaded.Kind() == TOutcome::TKind::Refused) return;  // nothing was touched
  if (!loaded.Ok()) {
    DocumentLoadFailed();
    return;
  }
  DocumentOpened(*path);
}

void TForm3::FileOpenClick() { OpenDocument(); }

void TForm3::FileSaveClick() {
  if (!DocumentOpen) return;
  if (DocumentFileName != DefaultFileName)
    SaveDocument(DocumentFileName);
  else
    SaveDocumentAs();
}

void TForm3::FileSaveAsClick() {
  if (!DocumentOpen) return;
  SaveDocumentAs();
}

void TForm3::WorkSheetClearClick() {
  if (!DocumentOpen) return;
  if (ShowMessageId(CommonText::ClearWorksheet, mbOKCancel) != mrOk) return;
  // Clearing is undone like any edit, the grid spacing and custom colours
  // it resets included.
  LeaveToolState();
  History().BeforeSheetReset();
  ResetWorksheet();
  if (BGImage) BGImage->SetVisible(false);
  Modified = true;
  History().Changed();
}

void TForm3::FilePrintSetupClick() {
  if (!DocumentOpen || !DrawPanel) return;
  const int oldWidth = DrawPanel->Width(), oldHeight = DrawPanel->Height();
  if (PageSetupCommand(DocumentSetup, *this, WindowSettings.SetupDlgTop, WindowSettings.SetupDlgLeft, Folders(),
                       this))
    MarkModified();
  if (DrawPanel && (DrawPanel->Width() != oldWidth || DrawPanel->Height() != oldHeight)) WorksheetResized();
}

bool TForm3::FormCloseQuery() {
  if (Modified) {
    switch (ShowMessageId(CommonText::SaveChanges, mbYesNoCancel)) {
      case mrYes:
        if (DocumentFileName != DefaultFileName) {
          if (SaveDocument(DocumentFileName) != 0) return false;  // keep what could not be saved
          break;
        }
        {
          // No renaming and no question 1004 when closing.
          QString chosen;
          if (SaveThroughDialog(&chosen) != 0) return false;
        }
        break;
      case mrNo: break;
      default: return false;
    }
  }
  WriteSettingsOrSay();
  return true;
}
