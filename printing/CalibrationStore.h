#pragma once
// The printers' calibrations in tessolo.ini: the group "Calibration" with one
// key per printer name and the value "dx_mm dy_mm sx_percent sy_percent".
// Printer names may hold any character; "/" and "\" would make QSettings
// split the key into groups, so the name is escaped before QSettings sees it.
#include <QSettings>
#include <QString>

#include "PrinterCalibration.h"

class TCalibrationStore {
 public:
  enum class State { Missing, Valid, Unreadable };
  struct Entry {
    State What = State::Missing;
    TPrinterCalibration Value;  // neutral unless What is Valid
    QString Text;               // as stored, for telling the user
  };

  // settings must outlive the store.
  explicit TCalibrationStore(QSettings& settings) : FSettings(settings) {}

  Entry Read(const QString& printer) const;
  // Writes the entry and the file; false when there is no name or the file
  // cannot be written.
  bool Write(const QString& printer, const TPrinterCalibration& value);

  // The key under the group for a printer name.
  static QString Key(const QString& printer);

 private:
  QSettings& FSettings;
};
