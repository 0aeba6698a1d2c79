#include "StackingOrder.h"

#include <algorithm>

#include "Gridshape.h"
#include "Image.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

bool OnWorksheet(const TWorksheet& sheet, const TControl* c) {
  return c && sheet.DrawPanel && sheet.DrawPanel->ContainsControl(c);
}

// Takes object out of the list and drops empty entries.
void TakeOut(TWorksheet& sheet, TControl* object) {
  auto& list = sheet.ObjectList;
  list.erase(std::remove_if(list.begin(), list.end(), [object](TControl* c) { return c == object || !c; }),
             list.end());
}

}  // namespace

void BringObjectToFront(TWorksheet& sheet, TControl* object) {
  if (!OnWorksheet(sheet, object)) return;
  object->BringToFront();
  TakeOut(sheet, object);
  sheet.ObjectList.push_back(object);
}

void SendObjectToBack(TWorksheet& sheet, TControl* object, TControl* frame) {
  if (!OnWorksheet(sheet, object)) return;
  // Each send puts its control beneath the ones sent before it.
  object->SendToBack();
  if (OnWorksheet(sheet, frame)) frame->SendToBack();
  if (OnWorksheet(sheet, sheet.GridShape)) sheet.GridShape->SendToBack();
  if (OnWorksheet(sheet, sheet.BGImage)) sheet.BGImage->SendToBack();
  TakeOut(sheet, object);
  sheet.ObjectList.insert(sheet.ObjectList.begin(), object);
}
