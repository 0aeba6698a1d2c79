#pragma once
// Where the copies of the card go on the sheet, in device pixels: the scale
// from worksheet pixels to the device, each cell's origin with the overflow
// shift, and the crop marks around the block of cards. Plain arithmetic on
// the page setup and the device's capabilities.
#include <QLine>
#include <QPoint>
#include <QRect>

#include <vector>

#include "DocumentPageSetup.h"

struct TPrintCaps {
  int HorzRes = 0, VertRes = 0;    // printable area, device pixels
  int HorzSize = 0, VertSize = 0;  // printable area, millimetres
  int OffsetX = 0, OffsetY = 0;    // sheet's corner to the printable area, device pixels
};

class TSheetLayout {
 public:
  TSheetLayout(const DocumentPageSetup& setup, const TPrintCaps& caps);

  // Whether the quantities allow printing: a device that reports its size,
  // a card of some size, a scale within what a device can hold.
  bool Valid() const { return FValid; }
  // Why the quantities do not allow printing.
  enum class TProblem { None, NoDevice, NoCards, BadCard };
  TProblem Problem() const { return FProblem; }

  float T() const { return FT; }  // device pixels per millimetre, across
  float V() const { return FV; }  // and down
  // One worksheet pixel becomes U / 100 device pixels, both ways.
  int U() const { return FU; }

  // Where the card image of column i, row j is painted: the cell's corner
  // moved left and up by half the overflow adjustment.
  QPoint CardOrigin(int i, int j) const;
  // The card's own edges in cell (i, j): left E, top H, right J, bottom I
  // (the right and bottom as coordinates, not as a QRect's last pixel).
  struct TEdges {
    int E, H, J, I;
  };
  TEdges CardEdges(int i, int j) const;
  // The tick length of the crop marks, 2 mm across and down.
  int TickX() const { return FBx; }
  int TickY() const { return FBy; }
  // The crop marks, each from p1 to p2 with p2 itself not drawn; only on the
  // outside of the block of cards. Empty when crop marks are off.
  std::vector<QLine> CropMarks() const;

  // Cells in painting order: columns outer, rows inner.
  int Columns() const { return FColumns; }
  int Rows() const { return FRows; }

 private:
  DocumentPageSetup FSetup;
  TPrintCaps FCaps;
  bool FValid = false;
  TProblem FProblem = TProblem::NoDevice;
  float FT = 0, FV = 0, FA = 0, FB = 0;
  int FU = 0, FBx = 0, FBy = 0;
  int FColumns = 0, FRows = 0;
};

// trunc(v) kept within int (the device's clipping takes care of the rest).
int TruncToInt(double v);
