#pragma once
// Replacing a file so that it is either the old file or the whole new one,
// never a mixture (see ReplaceFile); where the folder admits no temporary
// file, the file is written in place.
#include <QByteArrayView>
#include <QString>

#include "Outcome.h"

// Failed with the reason in the user's words; the earlier file, if any, is
// then left as it was unless it was being written in place.
TOutcome WriteFileAtomically(const QString& path, QByteArrayView bytes);
