#pragma once
// The values a page setup may hold. The page setup dialog refuses anything
// outside them, the setup lists skip a record outside them, and a document
// holding one is refused as damaged; so whatever the dialog accepts is saved
// and read back, and nothing read can upset the worksheet, layout or printing.
#include <cstdint>

#include "DocumentPageSetup.h"
#include "PageSetupRecord.h"

namespace PageLimits {

// Paper size, margins and gaps, in millimetres, of either sign.
inline constexpr float MaxLengthMm = 10000.0f;
// Columns and rows.
inline constexpr std::int32_t MaxCount = 999;
// The card (worksheet): more than 0, at most 600 mm and 3000 worksheet pixels.
inline constexpr float MaxSheetMm = 600.0f;
inline constexpr std::int32_t MaxSheetPixels = 3000;
inline constexpr std::int32_t MinOverflowAdjust = -3, MaxOverflowAdjust = 3;

bool LengthOk(float mm);
bool CountOk(std::int32_t n);
bool SheetMmOk(float mm);
bool SheetPixelsOk(std::int32_t px);
bool OverflowAdjustOk(std::int32_t v);
bool SetupKindOk(std::int32_t kind);

// A named setup of the lists: every value within its limits (a card size
// may be 0 there).
bool SetupOk(const PageSetup& s);
// A document's page setup as a document or the dialog gives it.
bool DocumentSetupOk(const DocumentPageSetup& s);

}  // namespace PageLimits
