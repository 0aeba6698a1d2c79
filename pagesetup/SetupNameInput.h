#pragma once
// The rules of the name dialog that registers the current values as a user
// setup.
#include <QString>

#include "SetupLists.h"

// Leading and trailing blanks and control characters go; an ideographic space
// is text and stays.
QString TrimSetupName(const QString& name);

// The check run when the name dialog closes with OK: shows every message that
// applies (an empty name, a name the lists already hold, a name too long for a
// setup record or holding a character the list file cannot keep) and returns
// true when the name can be registered.
bool AcceptSetupName(const QString& name, const SetupTable& table);
