#include "PrintCorrection.h"

#include <cmath>

#include "PrintLayout.h"

TPrintCorrection::TPrintCorrection(const TPrinterCalibration& calibration, double t, double v, int sheetX, int sheetY)
    : FSx(calibration.ScaleXFactor()),
      FSy(calibration.ScaleYFactor()),
      FDx(TruncToInt(std::floor(calibration.OffsetXMm() * t + 0.5))),
      FDy(TruncToInt(std::floor(calibration.OffsetYMm() * v + 0.5))),
      FSheetX(sheetX),
      FSheetY(sheetY) {}

QPoint TPrintCorrection::Map(QPoint p) const {
  if (!Scales()) return QPoint(TruncToInt(double(p.x()) + FDx), TruncToInt(double(p.y()) + FDy));
  const double x = std::floor((double(p.x()) + FSheetX) * FSx + 0.5) - FSheetX + FDx;
  const double y = std::floor((double(p.y()) + FSheetY) * FSy + 0.5) - FSheetY + FDy;
  return QPoint(TruncToInt(x), TruncToInt(y));
}
