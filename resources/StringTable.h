#pragma once
// The program's string table: every user message, one number each.
#include <QString>

// The text of string id, exactly as the program shows it; empty when unknown.
QString LoadStr(int id);
