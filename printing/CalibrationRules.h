#pragma once
// What the printer calibration dialog does with its four fields, without its
// widgets: each field's text and value, checked when the focus leaves it and
// again on OK. Bad text is named to the user and the field shows its last
// good value again, so nothing typed before is lost.
#include <QString>

#include <array>

#include "PrinterCalibration.h"

class TCalibrationRules {
 public:
  using Field = TPrinterCalibration::Field;

  // Opening on a printer's stored values.
  void Open(const TPrinterCalibration& values);

  // The user changed a field's text.
  void Edited(Field f, const QString& text);
  // The focus left a field. False when its text was no value of the field:
  // the user has been told, and the field shows its value again.
  bool FieldExit(Field f);
  // Up and down keys: one step, held within the field's range.
  void Step(Field f, int steps);
  // OK may close the dialog: every field holds a good value. Otherwise the
  // user has been told about the first bad field, put in *bad.
  bool Accept(Field* bad);

  const QString& Text(Field f) const { return FText[f]; }
  const TPrinterCalibration& Values() const { return FValues; }
  // Whether the values differ from those the dialog opened with.
  bool Changed() const { return FValues != FOpened; }

  // The message for text that is not a good value of the field; empty for
  // a good one.
  static QString Problem(Field f, const QString& text);

 private:
  void Show(Field f);
  bool Commit(Field f);

  TPrinterCalibration FValues, FOpened;
  std::array<QString, TPrinterCalibration::FieldCount> FText;
};
