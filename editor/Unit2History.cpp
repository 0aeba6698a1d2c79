// TForm2: the editor's share of undo and redo: putting a card taken earlier
// back on the worksheet.
#include "CardSnapshot.h"
#include "Unit2.h"
#include "WinControl.h"

void TForm2::RestoreCard(const CardSnapshot& snapshot, bool withSheetSettings) {
  if (!DrawPanel) return;
  // Nothing of the card before may stay selected, typed into or half drawn:
  // the marks, the frame and the editor go with the objects they belonged to.
  LeaveToolState();
  AbandonTextEditor();
  ForgetWorksheetObjects();
  RestoreCardSnapshot(snapshot, *this, withSheetSettings, [this](TControl* object) { AttachObject(object); });
  ++FArrowBurst;
}
