#include "GridSettingRules.h"

#include "Messages.h"

namespace {
constexpr int kNotANumberMessage = 1407;
constexpr int kSpacingTooSmallMessage = 1408;
}  // namespace

void TGridSettingRules::Open(int gridWidthPx, TEditorUnit unit) {
  FValue = TUnitLength::FromPixels(gridWidthPx);
  FUnit = unit;
  Show();
}

void TGridSettingRules::Show() { FText = FValue.Text(FUnit); }

void TGridSettingRules::UnitClicked(TEditorUnit unit) {
  FUnit = unit;
  Show();
}

void TGridSettingRules::MemoChanged(const QString& text) {
  FText = text;
  if (FText.isEmpty()) return;
  FText = FilterUnitText(FUnit, FText);
  // A half-typed number (a lone ".") leaves the spacing as it was.
  if (const std::optional<double> typed = ReadUnitText(FUnit, FText)) FValue = TUnitLength::FromUnit(FUnit, *typed);
}

bool TGridSettingRules::MemoExit() {
  const bool number = FText.isEmpty() || ReadUnitText(FUnit, FilterUnitText(FUnit, FText)).has_value();
  if (!number) ShowMessageId(kNotANumberMessage, FText);
  // The field ends up showing a whole number of pixels.
  if (FUnit != TEditorUnit::Pixel) {
    FValue = TUnitLength::FromPixels(FValue.Px);
    Show();
  }
  return number;
}

bool TGridSettingRules::CheckSpacing() const {
  if (FValue.Px >= 1) return true;
  ShowMessageId(kSpacingTooSmallMessage);
  return false;
}
