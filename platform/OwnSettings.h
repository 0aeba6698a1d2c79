#pragma once
// tessolo.ini: the settings of our own that quorin.con, whose 72 bytes are
// fixed, has no room for (the zoom, the last merge-list folder, printer
// corrections). An INI file through QSettings, in the same writable folder
// as quorin.con.
#include <QSettings>
#include <QString>

#include <memory>

inline constexpr char OwnSettingsFileName[] = "tessolo.ini";

// The settings file at path. A value set is written back when the object
// goes or on sync(); a file that cannot be written loses only these values.
std::unique_ptr<QSettings> OpenOwnSettings(const QString& path);
