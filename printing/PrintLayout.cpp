#include "PrintLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// A card image wider or taller than this many device pixels is no card.
constexpr double MaxImageSide = 1 << 20;
constexpr int MaxCells = 999;
}  // namespace

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  return int(std::clamp(std::trunc(v), double(INT_MIN), double(INT_MAX)));
}

TSheetLayout::TSheetLayout(const DocumentPageSetup& setup, const TPrintCaps& caps) : FSetup(setup), FCaps(caps) {
  const DocumentPageSetup& s = FSetup;
  if (caps.HorzRes <= 0 || caps.VertRes <= 0 || caps.HorzSize <= 0 || caps.VertSize <= 0) return;
  FProblem = TProblem::NoCards;
  if (s.Retu < 1 || s.Dann < 1) return;
  FProblem = TProblem::BadCard;
  if (!(s.SheetWidth > 0) || !(s.SheetHeight > 0) || s.SheetWidthPx <= 0 || s.SheetHeightPx <= 0) return;
  if (s.Retu > MaxCells || s.Dann > MaxCells) return;
  for (float mm : {s.SheetWidth, s.SheetHeight, s.LeftMargin, s.TopMargin, s.InsideMarginX, s.InsideMarginY})
    if (!std::isfinite(mm)) return;
  FT = float(caps.HorzRes) / float(caps.HorzSize);
  FV = float(caps.VertRes) / float(caps.VertSize);
  const double u = std::trunc((double(s.OverflowAdjust) + double(s.SheetWidth)) * double(FT) / s.SheetWidthPx * 100 + 0.5);
  if (!(u >= 1) || double(s.SheetWidthPx) * u / 100 > MaxImageSide || double(s.SheetHeightPx) * u / 100 > MaxImageSide)
    return;
  FU = int(u);
  FA = float(s.OverflowAdjust * 0.5);
  FB = float(double(s.OverflowAdjust) * double(s.SheetHeight) / double(s.SheetWidth) * 0.5);
  FBx = TruncToInt(2 * double(FT));
  FBy = TruncToInt(2 * double(FV));
  FColumns = s.Retu;
  FRows = s.Dann;
  FValid = true;
  FProblem = TProblem::None;
}

QPoint TSheetLayout::CardOrigin(int i, int j) const {
  const DocumentPageSetup& s = FSetup;
  const double x = double(FT) * ((double(s.SheetWidth) + s.InsideMarginX) * i + s.LeftMargin - FA) - FCaps.OffsetX + 0.5;
  const double y = double(FV) * ((double(s.SheetHeight) + s.InsideMarginY) * j + s.TopMargin - FB) - FCaps.OffsetY + 0.5;
  return QPoint(TruncToInt(x), TruncToInt(y));
}

TSheetLayout::TEdges TSheetLayout::CardEdges(int i, int j) const {
  const DocumentPageSetup& s = FSetup;
  TEdges e;
  e.E = TruncToInt(double(FT) * ((double(s.SheetWidth) + s.InsideMarginX) * i + s.LeftMargin) - FCaps.OffsetX + 0.5);
  e.J = TruncToInt(e.E + double(s.SheetWidth) * FT);
  e.H = TruncToInt(double(FV) * ((double(s.SheetHeight) + s.InsideMarginY) * j + s.TopMargin) - FCaps.OffsetY + 0.5);
  // The card image is scaled by the horizontal factor both ways; so is the
  // bottom edge its marks show.
  e.I = TruncToInt(e.H + double(s.SheetHeight) * FT);
  return e;
}

std::vector<QLine> TSheetLayout::CropMarks() const {
  std::vector<QLine> lines;
  if (!FValid || !FSetup.PrintTonbo) return lines;
  const int bx = FBx, by = FBy;
  for (int i = 0; i < FColumns; ++i) {
    for (int j = 0; j < FRows; ++j) {
      if (i != 0 && i != FColumns - 1 && j != 0 && j != FRows - 1) continue;
      const TEdges e = CardEdges(i, j);
      if (j == 0) {
        lines.emplace_back(e.E, e.H - 2 * by, e.E, e.H - by);
        lines.emplace_back(e.J, e.H - 2 * by, e.J, e.H - by);
      }
      if (j == FRows - 1) {
        lines.emplace_back(e.E, e.I + by, e.E, e.I + 2 * by);
        lines.emplace_back(e.J, e.I + by, e.J, e.I + 2 * by);
      }
      if (i == 0) {
        lines.emplace_back(e.E - 2 * bx, e.H, e.E - bx, e.H);
        lines.emplace_back(e.E - 2 * bx, e.I, e.E - bx, e.I);
      }
      if (i == FColumns - 1) {
        lines.emplace_back(e.J + bx, e.H, e.J + 2 * bx, e.H);
        lines.emplace_back(e.J + bx, e.I, e.J + 2 * bx, e.I);
      }
    }
  }
  return lines;
}
