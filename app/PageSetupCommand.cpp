#include "PageSetupCommand.h"

#include "Gridshape.h"
#include "Image.h"
#include "PageSetDlg.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {
void ResizeKeepingPlace(TControl* control, int width, int height) {
  if (control) control->SetBounds(control->Left(), control->Top(), width, height);
}
}  // namespace

bool ApplyPageSetup(DocumentPageSetup& doc, TWorksheet& sheet, const DocumentPageSetup& dialogValues) {
  const TakeBackResult back = TakeBackPageSetup(doc, dialogValues);
  if (back.CardSizeChanged && sheet.DrawPanel) {
    ResizeKeepingPlace(sheet.DrawPanel, doc.SheetWidthPx, doc.SheetHeightPx);
    // The background and the grid cover the panel, whatever size it took.
    ResizeKeepingPlace(sheet.BGImage, sheet.DrawPanel->Width(), sheet.DrawPanel->Height());
    ResizeKeepingPlace(sheet.GridShape, sheet.DrawPanel->Width(), sheet.DrawPanel->Height());
  }
  return back.Modified;
}

bool PageSetupCommand(DocumentPageSetup& doc, TWorksheet& sheet, int& dlgTop, int& dlgLeft,
                      const ProgramFolders& folders, QWidget* parent) {
  const std::optional<DocumentPageSetup> values =
      RunPageSetupDialog(PageSetupDialogMode::Document, doc, folders, dlgTop, dlgLeft, parent);
  if (!values) return false;
  return ApplyPageSetup(doc, sheet, *values);
}
