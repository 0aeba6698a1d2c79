#pragma once
// The mail-merge texts of the string table, by what they say.
#include "StringTable.h"

namespace MergeText {
constexpr int CannotRead = 1640;         // "%1": the file, "%2": the system's reason
constexpr int TooLarge = 1641;           // "%1": the limit in MB
constexpr int UnclosedQuote = 1642;      // "%1": the line the field starts on
constexpr int StrayQuote = 1643;         // "%1": the line
constexpr int Empty = 1644;
constexpr int UnknownEncoding = 1645;
constexpr int TooManyRows = 1646;        // "%1": the limit
constexpr int TooManyColumns = 1647;     // "%1": the limit
constexpr int ExtraCells = 1648;         // "%1": the line
constexpr int DuplicateColumn = 1649;    // "%1": the column
constexpr int UnknownFields = 1650;      // "%1": the fields, "%2": the list's columns
constexpr int QrDoesNotFit = 1651;       // "%1": the row's line in the list, "%2": the reason
constexpr int DialogFilter = 1652;
constexpr int DialogTitle = 1653;
constexpr int LayoutPerSheet = 1654;
constexpr int LayoutPerCell = 1655;
constexpr int RowOfRows = 1656;          // "%1 / %2"
constexpr int RowsOfRows = 1657;         // "%1～%2 / %3"
constexpr int SheetCount = 1658;         // "%1": sheets
constexpr int Progress = 1659;           // "%1 / %2": sheets
constexpr int ProgressCancel = 1660;
constexpr int PreviousRow = 1661;
constexpr int NextRow = 1662;
constexpr int PreviewCaption = 1663;     // "%1": the list file
constexpr int BadLayoutArgument = 1664;  // "%1": what was given
constexpr int ListArgumentMissing = 1665;
constexpr int ParseFailed = 1666;        // "%1": the line
constexpr int LayoutLabel = 1667;
}  // namespace MergeText
