#include "PreviewLayout.h"

#include <algorithm>
#include <cmath>

#include "DocumentPageSetup.h"
#include "PrintDevice.h"
#include "PrintJob.h"

namespace {
// Truncation toward zero, kept where an int holds it whatever a damaged
// setup or an odd device gives.
int Trunc(float v) {
  constexpr float Limit = float(1 << 30);
  if (std::isnan(v)) return 0;
  return int(std::clamp(v, -Limit, Limit));
}
}  // namespace

TPreviewCaps TPreviewCaps::Read(const IPrintDevice& device) {
  // The printable area as printing reads it; the preview adds the whole sheet.
  const TPrintCaps area = ReadPrintCaps(device);
  TPreviewCaps c;
  c.HorzSize = area.HorzSize;
  c.VertSize = area.VertSize;
  c.HorzRes = area.HorzRes;
  c.VertRes = area.VertRes;
  c.PhysicalOffsetX = area.OffsetX;
  c.PhysicalOffsetY = area.OffsetY;
  c.PhysicalWidth = device.GetDeviceCaps(PHYSICALWIDTH);
  c.PhysicalHeight = device.GetDeviceCaps(PHYSICALHEIGHT);
  return c;
}

std::optional<TPreviewLayout> TPreviewLayout::FromCaps(const TPreviewCaps& caps) {
  if (caps.HorzSize <= 0 || caps.VertSize <= 0 || caps.HorzRes <= 0 || caps.VertRes <= 0 ||
      caps.PhysicalWidth <= 0 || caps.PhysicalHeight <= 0 || caps.PhysicalOffsetX < 0 || caps.PhysicalOffsetY < 0 ||
      caps.PhysicalOffsetX >= caps.PhysicalWidth || caps.PhysicalOffsetY >= caps.PhysicalHeight)
    return std::nullopt;
  TPreviewLayout l;
  l.Pw = float(caps.PhysicalWidth) * float(caps.HorzSize) / float(caps.HorzRes);
  l.Ph = float(caps.PhysicalHeight) * float(caps.VertSize) / float(caps.VertRes);
  if (!(l.Pw <= MaxPaperMm && l.Ph <= MaxPaperMm)) return std::nullopt;
  l.PanelSize = QSize(Trunc(l.Pw * PixelsPerMm + 0.5f), Trunc(l.Ph * PixelsPerMm + 0.5f));
  if (l.PanelSize.isEmpty()) return std::nullopt;
  l.sx = float(l.PanelSize.width()) / float(caps.PhysicalWidth);
  l.sy = float(l.PanelSize.height()) / float(caps.PhysicalHeight);
  l.PrintableArea = QRect(Trunc(float(caps.PhysicalOffsetX) * l.sx + 0.5f),
                          Trunc(float(caps.PhysicalOffsetY) * l.sy + 0.5f),
                          Trunc(float(caps.HorzRes) * l.sx + 0.5f), Trunc(float(caps.VertRes) * l.sy + 0.5f));
  // Preview pixels per millimetre times 0.2 mm per worksheet pixel.
  l.s = Trunc(float(caps.HorzRes) * l.sx / float(caps.HorzSize) * 0.2f * 100.0f + 0.5f);
  return l;
}

QPoint TPreviewLayout::CellPosition(const DocumentPageSetup& setup, QSize cardSize, int i, int j) const {
  const float x = setup.LeftMargin * PixelsPerMm - float(PrintableArea.left()) +
                  (float(cardSize.width()) + setup.InsideMarginX * PixelsPerMm) * float(i) + 0.5f;
  const float y = setup.TopMargin * PixelsPerMm - float(PrintableArea.top()) +
                  (float(cardSize.height()) + setup.InsideMarginY * PixelsPerMm) * float(j) + 0.5f;
  return QPoint(Trunc(x), Trunc(y));
}

std::vector<TPreviewCell> TPreviewLayout::VisibleCells(const DocumentPageSetup& setup, QSize cardSize,
                                                       const TPrintCorrection& correction) const {
  std::vector<TPreviewCell> cells;
  if (cardSize.isEmpty()) return cells;
  const QSize shown = correction.Scales() ? QSize(Trunc(float(cardSize.width() * correction.Sx() + 0.5)),
                                                 Trunc(float(cardSize.height() * correction.Sy() + 0.5)))
                                          : cardSize;
  const QRect area(QPoint(0, 0), PrintableArea.size());
  for (int i = 0; i < setup.Retu; ++i) {
    const int x = correction.Map(CellPosition(setup, cardSize, i, 0)).x();
    if (x >= area.width() || x + shown.width() <= 0) continue;  // the whole column is off the area
    for (int j = 0; j < setup.Dann; ++j) {
      const QRect bounds(correction.Map(CellPosition(setup, cardSize, i, j)), shown);
      if (bounds.intersects(area)) cells.push_back({i, j, bounds});
    }
  }
  return cells;
}

TPrintCorrection TPreviewLayout::Correction(const TPrinterCalibration& calibration) const {
  return TPrintCorrection(calibration, PixelsPerMm, PixelsPerMm, PrintableArea.left(), PrintableArea.top());
}
