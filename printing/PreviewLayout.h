#pragma once
// Where the print preview puts things: the whole sheet at two screen pixels
// per millimetre, the printable area on it, the scale that brings a card
// from worksheet pixels to the preview and the place of each card. Computed
// in single precision from the printer's quantities, as the printer sees the
// sheet.
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

#include "PrintCorrection.h"

class IPrintDevice;
struct DocumentPageSetup;

// The device quantities the preview reads.
struct TPreviewCaps {
  int HorzSize = 0, VertSize = 0;              // printable area, millimetres
  int HorzRes = 0, VertRes = 0;                // printable area, device pixels
  int PhysicalWidth = 0, PhysicalHeight = 0;   // the whole sheet, device pixels
  int PhysicalOffsetX = 0, PhysicalOffsetY = 0;  // sheet edge to printable area, device pixels

  static TPreviewCaps Read(const IPrintDevice& device);
};

// One card of the sheet: its column and row and its place inside the
// printable area.
struct TPreviewCell {
  int Column = 0, Row = 0;
  QRect Bounds;
};

class TPreviewLayout {
 public:
  // Preview pixels per millimetre of paper.
  static constexpr float PixelsPerMm = 2.0f;
  // A sheet larger than this is no sheet a printer reports.
  static constexpr float MaxPaperMm = 10000.0f;

  // nullopt when the quantities describe no sheet: a size that is not
  // positive, a printable area off the sheet or a sheet beyond any paper (a
  // device with no printer behind it reports such numbers).
  static std::optional<TPreviewLayout> FromCaps(const TPreviewCaps& caps);

  float Pw = 0, Ph = 0;   // the sheet, millimetres
  QSize PanelSize;        // the sheet in preview pixels
  float sx = 0, sy = 0;   // preview pixels per device pixel
  QRect PrintableArea;    // inside the sheet, preview pixels
  int s = 0;              // card scale, percent of a worksheet pixel

  // The card of column i and row j, cardSize large (the scaled card), with
  // its position relative to the printable area: the margins count from the
  // sheet's edge.
  QPoint CellPosition(const DocumentPageSetup& setup, QSize cardSize, int i, int j) const;

  // Every card that shows, columns outer and rows inner. A card lying wholly
  // outside the printable area would be cut away entirely, and an empty card
  // shows nothing, so neither is listed: a damaged setup of 999 x 999 cards
  // costs no more than the cards the sheet can hold.
  // With a correction, the cells lie where it moves them (the card size
  // given is the one before it scales them) and are as large as it makes them.
  std::vector<TPreviewCell> VisibleCells(const DocumentPageSetup& setup, QSize cardSize,
                                         const TPrintCorrection& correction = {}) const;
  // The correction of calibration at the preview's scale.
  TPrintCorrection Correction(const TPrinterCalibration& calibration) const;
};
