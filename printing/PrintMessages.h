#pragma once
// The printing messages of the string table, by what they say.
#include <QString>

#include "StringTable.h"

namespace PrintText {
constexpr int CannotStart = 1300;      // "%1": the reason
constexpr int FailedMidJob = 1301;     // "%1": the reason
constexpr int NoDeviceInfo = 1302;
constexpr int BadCardSize = 1303;
constexpr int CannotCompose = 1304;
constexpr int OutOfMemory = 1305;
constexpr int CannotWriteFile = 1306;  // "%1": the file, "%2": the system's reason
constexpr int PrinterRefused = 1307;
constexpr int PrinterSendFailed = 1308;
constexpr int NotPrinting = 1309;
constexpr int PdfIncomplete = 1310;    // "%1": the file
constexpr int NoSuchFolder = 1317;
constexpr int FolderReadOnly = 1318;
constexpr int CannotCreateFile = 1319;
constexpr int DiskWriteFailed = 1320;
constexpr int OutputIsDocument = 1540;  // "%1": the file
constexpr int NoOutputName = 1541;
constexpr int OutputReadOnly = 1542;
constexpr int PaperOutOfRange = 1543;   // "%1", "%2": width and height, mm
constexpr int NoCardsOnSheet = 1544;
constexpr int CannotEncodePng = 1545;
}  // namespace PrintText

inline QString PrintMessage(int id) { return LoadStr(id); }
