#include "CalibrationStore.h"

#include <QStringList>

namespace {
const QString kGroup = QStringLiteral("Calibration");
}  // namespace

QString TCalibrationStore::Key(const QString& printer) {
  QString key = printer;
  key.replace(QLatin1Char('%'), QLatin1String("%25"));
  key.replace(QLatin1Char('/'), QLatin1String("%2F"));
  key.replace(QLatin1Char('\\'), QLatin1String("%5C"));
  return kGroup + QLatin1Char('/') + key;
}

TCalibrationStore::Entry TCalibrationStore::Read(const QString& printer) const {
  Entry entry;
  if (printer.isEmpty()) return entry;
  const QVariant value = FSettings.value(Key(printer));
  if (!value.isValid()) return entry;
  // A hand-written value with commas comes back as a list.
  entry.Text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                        : value.toString();
  const std::optional<TPrinterCalibration> read = TPrinterCalibration::FromText(entry.Text);
  entry.What = read ? State::Valid : State::Unreadable;
  if (read) entry.Value = *read;
  return entry;
}

bool TCalibrationStore::Write(const QString& printer, const TPrinterCalibration& value) {
  if (printer.isEmpty()) return false;
  FSettings.setValue(Key(printer), value.ToText());
  FSettings.sync();
  return FSettings.status() == QSettings::NoError;
}
