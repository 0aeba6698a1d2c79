#include "OwnSettings.h"

std::unique_ptr<QSettings> OpenOwnSettings(const QString& path) {
  return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
