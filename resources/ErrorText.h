#pragma once
// What went wrong, in the user's words: the reasons errors carry turned into
// the texts of the string table.
#include <QString>

#include <exception>
#include <vector>

#include "Errors.h"

// The text of reason.Id with its words in place of %1, %2 ...
QString ReasonText(const TReason& reason);
// One line per reason.
QString ReasonsText(const std::vector<TReason>& reasons);
// The reason a file operation failed, from its errno.
QString FileErrorText(int errnum);
// What an error says to the user: its reasons, or a general text when it
// gives none (never the English description meant for developers).
QString ErrorText(const std::exception& e);
