#pragma once
// The page setup the open document carries: kept by the main window, stored
// in the document, edited through the page setup dialog, read by printing.
#include <cstdint>

#include "PageSetupRecord.h"

// Where a document's page setup came from.
enum TSetupKind : std::int32_t { skFree = 0, skUser = 1, skMaster = 2 };

struct DocumentPageSetup {
  float SheetWidth = 91.0f;  // card size, millimetres
  float SheetHeight = 55.0f;
  std::int32_t SheetWidthPx = 455;  // the worksheet, 5 pixels per millimetre
  std::int32_t SheetHeightPx = 275;
  SetupNameBuffer SetupName;  // empty for the free setting
  std::int32_t SetupKind = skFree;
  float PaperWidth = 0.0f;  // 0 until a setup is chosen or a document read
  float PaperHeight = 0.0f;
  std::int32_t Retu = 2;  // columns
  std::int32_t Dann = 5;  // rows
  float LeftMargin = 14.0f;
  float TopMargin = 11.0f;
  float InsideMarginX = 0.0f;
  float InsideMarginY = 0.0f;
  std::int32_t PageUnit = 0;        // 0 is taken as millimetres
  std::int32_t OverflowAdjust = 0;  // -3..+3 mm added to the printed card width
  std::uint8_t PrintTonbo = 1;      // print crop marks
  bool LegacyPageSetup = false;     // read from the older format without a setup name
};

// The document's layout values as a setup record, named as the document names
// its setup.
PageSetup SetupOf(const DocumentPageSetup& doc);

struct TakeBackResult {
  bool Modified = false;         // some group differed
  bool CardSizeChanged = false;  // the worksheet must be resized
};

// Takes the dialog's values into the document group by group (card size,
// layout, origin, unit, overflow, crop marks), each only when it differs, and
// clears LegacyPageSetup.
TakeBackResult TakeBackPageSetup(DocumentPageSetup& doc, const DocumentPageSetup& dialog);
