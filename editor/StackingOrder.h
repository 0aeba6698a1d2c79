#pragma once
// Moving a card object to the top or the bottom of the worksheet's stacking
// order. The panel's order decides what is drawn over what; ObjectList keeps
// the card objects in the same order, bottom first, since documents are
// saved and cards printed in its order. The background picture stays the
// lowest control and the grid the next one up.
class TControl;
class TWorksheet;

// Puts object on top of everything on the worksheet and last in ObjectList.
// Does nothing for an object that is not on the worksheet.
void BringObjectToFront(TWorksheet& sheet, TControl* object);

// Puts object directly above the background picture, the grid and, when
// given, the frame (which then lies directly beneath the object), and first
// in ObjectList. Does nothing for an object that is not on the worksheet.
void SendObjectToBack(TWorksheet& sheet, TControl* object, TControl* frame);
