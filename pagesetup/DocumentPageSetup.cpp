#include "DocumentPageSetup.h"

PageSetup SetupOf(const DocumentPageSetup& doc) {
  PageSetup s;
  s.SetupName = doc.SetupName;
  s.PaperWidth = doc.PaperWidth;
  s.PaperHeight = doc.PaperHeight;
  s.SheetWidth = doc.SheetWidth;
  s.SheetHeight = doc.SheetHeight;
  s.Retu = doc.Retu;
  s.Dann = doc.Dann;
  s.LeftMargin = doc.LeftMargin;
  s.TopMargin = doc.TopMargin;
  s.InsideMarginX = doc.InsideMarginX;
  s.InsideMarginY = doc.InsideMarginY;
  return s;
}

TakeBackResult TakeBackPageSetup(DocumentPageSetup& doc, const DocumentPageSetup& dlg) {
  TakeBackResult r;
  if (dlg.SheetWidthPx != doc.SheetWidthPx || dlg.SheetHeightPx != doc.SheetHeightPx) {
    doc.SheetWidth = dlg.SheetWidth;
    doc.SheetHeight = dlg.SheetHeight;
    doc.SheetWidthPx = dlg.SheetWidthPx;
    doc.SheetHeightPx = dlg.SheetHeightPx;
    r.Modified = r.CardSizeChanged = true;
  }
  if (dlg.LeftMargin != doc.LeftMargin || dlg.TopMargin != doc.TopMargin || dlg.Retu != doc.Retu ||
      dlg.Dann != doc.Dann || dlg.InsideMarginX != doc.InsideMarginX || dlg.InsideMarginY != doc.InsideMarginY ||
      dlg.PaperWidth != doc.PaperWidth || dlg.PaperHeight != doc.PaperHeight) {
    doc.LeftMargin = dlg.LeftMargin;
    doc.TopMargin = dlg.TopMargin;
    doc.Retu = dlg.Retu;
    doc.Dann = dlg.Dann;
    doc.InsideMarginX = dlg.InsideMarginX;
    doc.InsideMarginY = dlg.InsideMarginY;
    doc.PaperWidth = dlg.PaperWidth;
    doc.PaperHeight = dlg.PaperHeight;
    r.Modified = true;
  }
  if (dlg.SetupName != doc.SetupName || dlg.SetupKind != doc.SetupKind) {
    doc.SetupName = dlg.SetupName;
    doc.SetupKind = dlg.SetupKind;
    r.Modified = true;
  }
  if (dlg.PageUnit != doc.PageUnit) {
    doc.PageUnit = dlg.PageUnit;
    r.Modified = true;
  }
  if (dlg.OverflowAdjust != doc.OverflowAdjust) {
    doc.OverflowAdjust = dlg.OverflowAdjust;
    r.Modified = true;
  }
  if (dlg.PrintTonbo != doc.PrintTonbo) {
    doc.PrintTonbo = dlg.PrintTonbo;
    r.Modified = true;
  }
  doc.LegacyPageSetup = false;
  return r;
}
