#pragma once
// The screen's cursor table: the predefined cursor numbers and the custom
// cursors the program registers under positive numbers.
#include <QCursor>

#include "Identifiers.h"

namespace Cursors {

void Register(TCursor id, const QCursor& cursor);
QCursor ToQCursor(TCursor id);  // unknown numbers give the arrow

}  // namespace Cursors
