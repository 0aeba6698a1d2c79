#pragma once
// The printer calibration's texts in the string table, by what they say.
#include <QString>

#include "StringTable.h"

namespace CalibrationText {
constexpr int DialogCaption = 1700;
constexpr int PrinterLabel = 1701;
constexpr int ChoosePrinter = 1702;
constexpr int OffsetX = 1703;          // the four fields' names, also in messages
constexpr int OffsetY = 1704;
constexpr int ScaleX = 1705;
constexpr int ScaleY = 1706;
constexpr int OffsetRange = 1707;
constexpr int ScaleRange = 1708;
constexpr int PrintSheet = 1709;
constexpr int Ok = 1710;
constexpr int Cancel = 1711;
constexpr int HowTo = 1712;
constexpr int NoPrinter = 1713;
constexpr int NotANumber = 1714;       // "%1": the text, "%2": the field, "%3", "%4": the range
constexpr int OutOfRange = 1715;       // "%1": the field, "%2", "%3": the range
constexpr int TooFine = 1716;          // "%1": the field, "%2": one step
constexpr int UnreadableEntry = 1717;  // "%1": the printer, "%2": the entry
constexpr int CannotSave = 1718;       // "%1": the file
constexpr int NoEntry = 1719;          // "%1": the printer
constexpr int SheetTitle = 1720;
constexpr int SheetLayout = 1721;      // "%1" x "%2" mm, "%3" columns, "%4" rows
constexpr int SheetMarks = 1722;
constexpr int KeepChanges = 1723;      // "%1": the printer
constexpr int OffsetStep = 1724;
constexpr int ScaleStep = 1725;
constexpr int SheetArguments = 1726;
constexpr int PrinterArgument = 1727;
constexpr int BadPaper = 1728;         // "%1": what was given
constexpr int BadResolution = 1729;    // "%1": what was given
}  // namespace CalibrationText

inline QString CalibrationMessage(int id) { return LoadStr(id); }
