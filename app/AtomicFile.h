#pragma once
// Replacing a file so that it is either the old file or the whole new one,
// never a mixture: the bytes go to a temporary file in the same folder, are
// flushed to the disk, and only then take the file's name.
#include <QByteArrayView>
#include <QString>

// Returns false with the reason in *error (when given); the earlier file, if
// any, is then left as it was.
bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error = nullptr);
