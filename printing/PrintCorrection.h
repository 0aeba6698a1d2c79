#pragma once
// A printer's calibration in device pixels: every position is scaled about
// the sheet's top-left corner and then moved by the offset, so that what the
// page setup places lands there on that printer. Positions are those of the
// device's painter (origin at the printable area).
#include <QLine>
#include <QPoint>

#include "PrinterCalibration.h"

class TPrintCorrection {
 public:
  // None: every position stays.
  TPrintCorrection() = default;
  // t and v: device pixels per millimetre across and down; sheetX and sheetY:
  // from the sheet's corner to the painter's origin, device pixels.
  TPrintCorrection(const TPrinterCalibration& calibration, double t, double v, int sheetX, int sheetY);

  bool IsNone() const { return FDx == 0 && FDy == 0 && !Scales(); }
  // Whether sizes change (otherwise positions only move by whole pixels).
  bool Scales() const { return FSx != 1.0 || FSy != 1.0; }
  double Sx() const { return FSx; }
  double Sy() const { return FSy; }
  // The offset in whole device pixels, so that everything moves alike.
  int Dx() const { return FDx; }
  int Dy() const { return FDy; }

  QPoint Map(QPoint p) const;
  QLine Map(const QLine& line) const { return QLine(Map(line.p1()), Map(line.p2())); }

 private:
  double FSx = 1.0, FSy = 1.0;
  int FDx = 0, FDy = 0;
  int FSheetX = 0, FSheetY = 0;
};
