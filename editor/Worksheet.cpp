#include "Worksheet.h"

#include <algorithm>

#include "ColorDialog.h"
#include "Gridshape.h"
#include "Image.h"
#include "WinControl.h"

TWorksheet::~TWorksheet() {
  DiscardWorksheet();
  delete ColorDialog;
}

void TWorksheet::DiscardWorksheet() {
  delete DrawPanel;  // owns the background, the grid and every card object
  DrawPanel = nullptr;
  BGImage = nullptr;
  GridShape = nullptr;
  ObjectList.clear();
}

void TWorksheet::ResetColorDialog() {
  delete ColorDialog;
  ColorDialog = new TColorDialog(nullptr);
}

void TWorksheet::BuildWorksheet(int widthPx, int heightPx) {
  DiscardWorksheet();
  DrawPanel = new TPanel(nullptr);
  DrawPanel->SetName("DrawPanel");
  DrawPanel->SetColor(clWindow);
  DrawPanel->SetCaption(QStringLiteral("   "));
  DrawPanel->SetBounds(10, 10, widthPx, heightPx);
  // The window font, which text pasted from other programs keeps.
  DrawPanel->Font()->SetName(QStringLiteral("ＭＳ Ｐゴシック"));
  DrawPanel->Font()->SetHeight(-12);
  DrawPanel->Font()->SetCharset(SHIFTJIS_CHARSET);
  DrawPanel->Font()->SetColor(clWindowText);

  BGImage = new TImage(DrawPanel);
  BGImage->SetParent(DrawPanel);
  BGImage->SetBounds(0, 0, widthPx, heightPx);
  BGImage->SetEnabled(false);
  BGImage->SetAutoSize(false);
  BGImage->SetStretch(true);

  GridShape = new TGridShape(DrawPanel);
  GridShape->SetParent(DrawPanel);
  GridShape->SetBounds(0, 0, widthPx, heightPx);
  GridShape->Brush()->SetStyle(bsClear);
  GridShape->SetEnabled(false);
  GridShape->SetGridWidth(10);
  GridShape->Pen()->SetColor(TColor(0xC0C0C0));

  ResetColorDialog();
  ObjectList.clear();
}

void TWorksheet::ReplaceBackground() {
  if (!DrawPanel) return;
  delete BGImage;
  BGImage = new TImage(DrawPanel);
  BGImage->SetParent(DrawPanel);
  BGImage->SetBounds(0, 0, DrawPanel->Width(), DrawPanel->Height());
  BGImage->SetEnabled(false);
  BGImage->SetVisible(false);
  BGImage->SetAutoSize(false);
  BGImage->SetStretch(true);
  BGImage->SendToBack();
}

void TWorksheet::RemoveObject(TControl* obj) {
  auto it = std::find(ObjectList.begin(), ObjectList.end(), obj);
  if (it != ObjectList.end()) ObjectList.erase(it);
  delete obj;
}
