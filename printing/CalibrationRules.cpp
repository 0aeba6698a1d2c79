#include "CalibrationRules.h"

#include <algorithm>

#include "CalibrationText.h"
#include "UserInterface.h"

namespace {
constexpr int kMessageTitle = 1010;

int FieldName(TPrinterCalibration::Field f) {
  switch (f) {
    case TPrinterCalibration::OffsetX: return CalibrationText::OffsetX;
    case TPrinterCalibration::OffsetY: return CalibrationText::OffsetY;
    case TPrinterCalibration::ScaleX: return CalibrationText::ScaleX;
    case TPrinterCalibration::ScaleY: return CalibrationText::ScaleY;
  }
  return CalibrationText::OffsetX;
}

bool IsOffset(TPrinterCalibration::Field f) {
  return f == TPrinterCalibration::OffsetX || f == TPrinterCalibration::OffsetY;
}

void Tell(const QString& text) { UI().MessageBox(text, LoadStr(kMessageTitle), mbOK); }
}  // namespace

void TCalibrationRules::Open(const TPrinterCalibration& values) {
  FValues = FOpened = values;
  for (int f = 0; f < TPrinterCalibration::FieldCount; ++f) Show(Field(f));
}

void TCalibrationRules::Show(Field f) { FText[f] = TPrinterCalibration::Format(f, FValues.Steps(f)); }

// Taken only once the field is left: a half-typed number ("-", "1.") is no
// value yet, and bad text must give back the value from before the edit.
void TCalibrationRules::Edited(Field f, const QString& text) { FText[f] = text; }

bool TCalibrationRules::Commit(Field f) {
  int steps = 0;
  const QString problem = Problem(f, FText[f]);
  if (problem.isEmpty() && TPrinterCalibration::Parse(f, FText[f], &steps) == TPrinterCalibration::ParseError::None)
    FValues.SetSteps(f, steps);
  // Shown before the text is put back, so that the message names what was typed.
  else
    Tell(problem);
  Show(f);
  return problem.isEmpty();
}

QString TCalibrationRules::Problem(Field f, const QString& text) {
  int steps = 0;
  const QString name = CalibrationMessage(FieldName(f));
  const QString low = TPrinterCalibration::Format(f, TPrinterCalibration::MinSteps(f));
  const QString high = TPrinterCalibration::Format(f, TPrinterCalibration::MaxSteps(f));
  switch (TPrinterCalibration::Parse(f, text, &steps)) {
    case TPrinterCalibration::ParseError::None: return {};
    case TPrinterCalibration::ParseError::NotANumber:
      return CalibrationMessage(CalibrationText::NotANumber).arg(text.trimmed(), name, low, high);
    case TPrinterCalibration::ParseError::OutOfRange:
      return CalibrationMessage(CalibrationText::OutOfRange).arg(name, low, high);
    case TPrinterCalibration::ParseError::TooFine:
      return CalibrationMessage(CalibrationText::TooFine)
          .arg(name, CalibrationMessage(IsOffset(f) ? CalibrationText::OffsetStep : CalibrationText::ScaleStep));
  }
  return {};
}

bool TCalibrationRules::FieldExit(Field f) { return Commit(f); }

void TCalibrationRules::Step(Field f, int steps) {
  // From what the field shows when that reads, else from the value.
  int now = FValues.Steps(f);
  TPrinterCalibration::Parse(f, FText[f], &now);
  const long long wanted = (long long)now + steps;
  FValues.SetSteps(f, int(std::clamp<long long>(wanted, TPrinterCalibration::MinSteps(f), TPrinterCalibration::MaxSteps(f))));
  Show(f);
}

bool TCalibrationRules::Accept(Field* bad) {
  for (int i = 0; i < TPrinterCalibration::FieldCount; ++i) {
    const Field f = Field(i);
    if (Commit(f)) continue;
    if (bad) *bad = f;
    return false;
  }
  return true;
}
