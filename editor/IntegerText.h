#pragma once
// Reading the font bar's size and gap boxes as decimal integers.
#include <QString>

#include <optional>

// The text as a decimal integer (surrounding blanks allowed, as the
// platform's conversion allows them); nullopt when it is not one.
std::optional<int> ReadIntegerText(const QString& text);

// The message telling that text is not a number.
QString InvalidIntegerMessage(const QString& text);
