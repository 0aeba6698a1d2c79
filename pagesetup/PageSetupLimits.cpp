#include "PageSetupLimits.h"

#include <cmath>

namespace PageLimits {

bool LengthOk(float mm) { return std::isfinite(mm) && std::fabs(mm) <= MaxLengthMm; }
bool CountOk(std::int32_t n) { return n >= 0 && n <= MaxCount; }
bool SheetMmOk(float mm) { return std::isfinite(mm) && mm > 0.0f && mm <= MaxSheetMm; }
bool SheetPixelsOk(std::int32_t px) { return px >= 1 && px <= MaxSheetPixels; }
bool OverflowAdjustOk(std::int32_t v) { return v >= MinOverflowAdjust && v <= MaxOverflowAdjust; }
bool SetupKindOk(std::int32_t kind) { return kind >= skFree && kind <= skMaster; }

namespace {
// A listed card may be empty: the free setting registers whatever was typed,
// and OK asks for a size only when the setup is used.
bool ListedSheetOk(float mm) { return std::isfinite(mm) && mm >= 0.0f && mm <= MaxSheetMm; }
}  // namespace

bool SetupOk(const PageSetup& s) {
  return LengthOk(s.PaperWidth) && LengthOk(s.PaperHeight) && ListedSheetOk(s.SheetWidth) &&
         ListedSheetOk(s.SheetHeight) &&
         CountOk(s.Retu) && CountOk(s.Dann) && LengthOk(s.LeftMargin) && LengthOk(s.TopMargin) &&
         LengthOk(s.InsideMarginX) && LengthOk(s.InsideMarginY);
}

bool DocumentSetupOk(const DocumentPageSetup& s) {
  return SheetMmOk(s.SheetWidth) && SheetMmOk(s.SheetHeight) && SheetPixelsOk(s.SheetWidthPx) &&
         SheetPixelsOk(s.SheetHeightPx) && SetupKindOk(s.SetupKind) && LengthOk(s.PaperWidth) &&
         LengthOk(s.PaperHeight) && CountOk(s.Retu) && CountOk(s.Dann) && LengthOk(s.LeftMargin) &&
         LengthOk(s.TopMargin) && LengthOk(s.InsideMarginX) && LengthOk(s.InsideMarginY) &&
         OverflowAdjustOk(s.OverflowAdjust);
}

}  // namespace PageLimits
