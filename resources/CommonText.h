#pragma once
// The string table's general entries, by what they say: questions about the
// document, titles, file filters, tool hints and why a document could not
// be read.
#include "StringTable.h"

namespace CommonText {
constexpr int SaveChanges = 1001;
constexpr int InvalidFile = 1002;
constexpr int Overwrite = 1003;
constexpr int AdoptNewName = 1004;
constexpr int ClearWorksheet = 1005;
constexpr int MessageTitle = 1010;
constexpr int ProgramName = 1011;
constexpr int HelpFileName = 1013;
constexpr int SaveAsTitle = 1020;
constexpr int DocumentFilter = 1030;
constexpr int BitmapFilter = 1031;
constexpr int JpegFilter = 1032;
constexpr int DefaultFontName = 1050;
constexpr int ColorButtonHint = 1060;
constexpr int NextButton = 1081;
constexpr int TextToolHint = 1131;
constexpr int SquareToolHint = 1132;
constexpr int RectangleToolHint = 1133;
constexpr int CircleToolHint = 1134;
constexpr int EllipseToolHint = 1135;
constexpr int LineToolHint = 1136;
constexpr int PictureToolHint = 1137;
constexpr int PhraseToolHint = 1138;
// Why a document could not be read, after InvalidFile.
constexpr int CannotReadFile = 1311;
constexpr int FileTooLarge = 1312;
constexpr int FileTooShort = 1313;
constexpr int BadCardSize = 1314;
constexpr int UnknownData = 1315;
constexpr int FileDamaged = 1316;
}  // namespace CommonText
