// TForm2: showing and hiding the grid, and the grid settings dialog.
#include "GridSettingDlg.h"
#include "Gridshape.h"
#include "Unit2.h"
#include "WinControl.h"

void TForm2::GridButtonClick() {
  if (!GridShape) return;
  GridShape->SetVisible(!GridShape->Visible());
}

void TForm2::GridSettingClick() {
  if (!WorksheetShown() || !GridShape || !DrawPanel->ContainsControl(GridShape)) return;
  TGridSettingDlg dlg(this);
  dlg.HandIn(GridShape->GridWidth(), GridShape->Visible(), SnapToGrid,
             UnitFromFlags(UnitIsPixel, UnitIsMm, UnitIsInch));
  if (!RunGridSettingDialog(dlg)) return;
  if (!GridShape) return;
  GridShape->SetVisible(dlg.GridShown());
  SnapToGrid = dlg.SnapToGrid();
  UnitToFlags(dlg.Unit(), UnitIsPixel, UnitIsMm, UnitIsInch);
  GridShape->SetGridWidth(dlg.GridWidthPx());
}
