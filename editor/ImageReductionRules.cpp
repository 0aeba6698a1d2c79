#include "ImageReductionRules.h"

#include <cmath>

#include "Function1.h"
#include "Messages.h"
#include "StringTable.h"
#include "UserInterface.h"

namespace {

constexpr int kSizeRangeMessage = 1406;
constexpr int kNotANumberMessage = 1407;
constexpr int kMessageTitle = 1010;

// The dialog's own writes do not count as typing; an exception cannot leave
// the flag set.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : FFlag(flag), FBefore(flag) { FFlag = true; }
  ~BusyScope() { FFlag = FBefore; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& FFlag;
  bool FBefore;
};

}  // namespace

void TImageReductionRules::Open(int widthPx, int heightPx, TEditorUnit unit, bool fixedRatio) {
  FValue = {TUnitLength::FromPixels(widthPx), TUnitLength::FromPixels(heightPx)};
  // A picture without height has no ratio; a square one is the harmless stand-in.
  FRatio = widthPx >= 1 && heightPx >= 1 ? ToSingle(static_cast<long double>(widthPx) / heightPx) : 1.0f;
  FUnit = unit;
  FFixed = fixedRatio;
  FBusy = false;
  FText = {};
  Show(TPictureSide::Width);
  Show(TPictureSide::Height);
}

void TImageReductionRules::Write(TPictureSide side, const QString& text) {
  QString& field = FText[Index(side)];
  if (field == text) return;  // setting the same text is no change
  field = text;
  Changed(side);
}

void TImageReductionRules::FieldChanged(TPictureSide side, const QString& text) {
  FText[Index(side)] = text;
  Changed(side);
}

void TImageReductionRules::Changed(TPictureSide side) {
  if (FBusy || Text(side).isEmpty()) return;
  BusyScope busy(FBusy);
  QString& field = FText[Index(side)];
  field = FilterUnitText(FUnit, field);
  const std::optional<double> typed = ReadUnitText(FUnit, field);
  if (!typed) return;  // half typed (a lone "."): the values wait for a number
  SetValue(side, TUnitLength::FromUnit(FUnit, *typed));
  if (!FFixed) return;

  const TPictureSide other = Other(side);
  const bool fromWidth = side == TPictureSide::Width;
  if (FUnit == TEditorUnit::Pixel) {
    const long double px = Value(side).Px;
    SetValue(other, TUnitLength::FromPixels(RoundToPixels(fromWidth ? px / FRatio : px * FRatio)));
  } else {
    const float v = static_cast<float>(Value(side).Value(FUnit));
    SetValue(other, TUnitLength::FromUnit(FUnit, fromWidth ? v / FRatio : v * FRatio));
  }
  Show(other);
}

bool TImageReductionRules::FieldExit(TPictureSide side) {
  const QString left = Text(side);
  const bool number = left.isEmpty() || ReadUnitText(FUnit, FilterUnitText(FUnit, left)).has_value();
  if (!number) ShowMessageId(kNotANumberMessage, left);
  BusyScope busy(FBusy);
  if (FUnit != TEditorUnit::Pixel) {
    // Millimetres and inches describe whole pixels again.
    SetValue(TPictureSide::Width, TUnitLength::FromPixels(WidthPx()));
    SetValue(TPictureSide::Height, TUnitLength::FromPixels(HeightPx()));
  }
  // The longer side follows the shorter one, so that whole pixels keep the
  // ratio as closely as they can.
  if (FFixed && side == TPictureSide::Width && FRatio > 1.0f)
    SetValue(TPictureSide::Width,
             TUnitLength::FromPixels(RoundToPixels(static_cast<long double>(FRatio) * HeightPx())));
  if (FFixed && side == TPictureSide::Height && FRatio < 1.0f)
    SetValue(TPictureSide::Height,
             TUnitLength::FromPixels(RoundToPixels(static_cast<long double>(WidthPx()) / FRatio)));
  if (FUnit == TEditorUnit::Pixel) {
    Show(side);
  } else {
    Show(TPictureSide::Width);
    Show(TPictureSide::Height);
  }
  return number;
}

void TImageReductionRules::UnitClicked(TEditorUnit unit) {
  BusyScope busy(FBusy);
  FUnit = unit;
  Show(TPictureSide::Width);
  Show(TPictureSide::Height);
}

void TImageReductionRules::FixedRateClicked(bool checked) {
  FFixed = checked;
  if (!checked) return;
  BusyScope busy(FBusy);
  const TUnitLength& width = Value(TPictureSide::Width);
  TUnitLength height;
  switch (FUnit) {
    case TEditorUnit::Pixel:
      height = TUnitLength::FromPixels(RoundToPixels(static_cast<long double>(width.Px) / FRatio));
      break;
    case TEditorUnit::Mm:
      height = TUnitLength::FromPixels(MmToPixels(width.Mm / FRatio));
      break;
    case TEditorUnit::Inch:
      height = TUnitLength::FromInches(width.In / FRatio);
      break;
  }
  SetValue(TPictureSide::Height, height);
  Show(TPictureSide::Height);
  if (FRatio > 1.0f)
    SetValue(TPictureSide::Width,
             TUnitLength::FromPixels(RoundToPixels(static_cast<long double>(FRatio) * HeightPx())));
  Show(TPictureSide::Width);
}

bool TImageReductionRules::CheckSize() const {
  auto fits = [](int px) { return px >= MinSidePx && px <= MaxSidePx; };
  if (fits(WidthPx()) && fits(HeightPx())) return true;
  const QString text = LoadStr(kSizeRangeMessage)
                           .arg(MinSidePx)
                           .arg(MaxSidePx)
                           .arg(FormatMm(PixelsToMm(MinSidePx)), FormatMm(PixelsToMm(MaxSidePx)));
  UI().MessageBox(text, LoadStr(kMessageTitle), mbOK);
  return false;
}

TPreviewLayout TImageReductionRules::PreviewLayoutFor(int w, int h) {
  // The room beside the vertical bar and above the horizontal one.
  constexpr int kBesideV = 168, kAboveH = 170, kAll = PreviewSize;
  constexpr int kShortH = 166, kShortV = 168, kLong = 183;
  TPreviewLayout l;
  if ((w > kAll && h > kAboveH) || (w > kBesideV && w <= kAll && h > kAll)) {
    l.HBarVisible = l.VBarVisible = l.CoverVisible = true;
    l.ImagePos = QPoint(0, 0);
    l.HBarLength = kShortH;
    l.HBarMax = w - kBesideV;
    l.HBarPage = kBesideV;
    l.VBarLength = kShortV;
    l.VBarMax = h - kAboveH;
    l.VBarPage = kAboveH;
  } else if (w > kAll) {
    l.HBarVisible = true;
    l.ImagePos = QPoint(0, (kAboveH - h) / 2);
    l.HBarLength = kLong;
    l.HBarMax = w - kAll;
    l.HBarPage = kAll;
  } else if (h > kAll) {
    l.VBarVisible = true;
    l.ImagePos = QPoint((kBesideV - w) / 2, 0);
    l.VBarLength = kLong;
    l.VBarMax = h - kAll;
    l.VBarPage = kAll;
  } else {
    l.ImagePos = QPoint((kAll - w) / 2, (kAll - h) / 2);
  }
  return l;
}
