#pragma once
// The bytes of a document (".tsl") or template (".tpl"): a 16-byte header
// with the card size, then tagged records up to the end of the file. Card
// objects, the background, the grid and the colour dialog travel as
// component streams. Nothing here asks the user anything; DocumentIO turns
// a failed read into the program's message.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

#include "DocumentIO.h"
#include "PageSetupLimits.h"

class TWorksheet;
struct DocumentPageSetup;

namespace DocumentFormat {

constexpr qsizetype HeaderSize = 16;
// A file shorter than the header and one record tag is not a document.
constexpr qsizetype MinimumSize = 20;
constexpr qsizetype VersionSize = 8;
constexpr qsizetype SetupRecordSize = 100;
constexpr qsizetype OldSetupRecordSize = 28;

enum RecordTag : int32_t {
  rtShape = 2,
  rtOldLabel = 3,  // read as rtLabel, never written
  rtPicture = 4,
  rtColorDialog = 5,
  rtBackground = 7,
  rtGrid = 8,
  rtOldPageSetup = 9,  // read only: paper assumed A4
  rtOldOverflow = 10,  // read only
  rtPrintTonbo = 11,
  rtOverflowAdjust = 12,
  rtUnused = 13,  // 4 bytes skipped
  rtVersion = 14,
  rtPageSetup = 15,
  rtPageUnit = 16,
  rtLabel = 17,
};

// Page-setup values outside the limits the page setup dialog keeps are
// damage that would otherwise upset the worksheet, the layout or printing.
constexpr int32_t MaxSheetPixels = PageLimits::MaxSheetPixels;
constexpr float MaxLengthMm = PageLimits::MaxLengthMm;
constexpr int32_t MaxCardCount = PageLimits::MaxCount;
constexpr int32_t MinOverflowAdjust = PageLimits::MinOverflowAdjust, MaxOverflowAdjust = PageLimits::MaxOverflowAdjust;
// Larger files are refused before they are read into memory.
constexpr qint64 MaxDocumentBytes = 1024LL * 1024 * 1024;

// The version field written into documents: the text NUL-padded to 8 bytes
// (at most 7 bytes of text, so that it stays NUL-terminated).
QByteArray VersionField(QByteArrayView text);

// The version field as text, up to its first NUL.
QString VersionText(QByteArrayView version8);

enum class ReadError {
  None,
  TooShort,    // under MinimumSize bytes: nothing was touched
  BadHeader,   // a card size no worksheet can have: nothing was touched
  UnknownTag,  // a record tag outside the table
  Damaged,     // a record or component stream cut short or unreadable
};

struct ReadResult {
  ReadError Error = ReadError::None;
  QString Detail;                // what is wrong and where, for TooShort..Damaged
  bool WorksheetReset = false;   // ResetWorksheet ran: the caller discards it on failure
  bool Ok() const { return Error == ReadError::None; }
};

// Reads a document onto a fresh worksheet, as LoadDocument does, without any
// message. On failure the page setup and version are restored to what they
// were and, once WorksheetReset, the worksheet holds what was read so far.
// Empty hooks build the worksheet with sheet.BuildWorksheet and append each
// object to sheet.ObjectList. Pictures are not decoded.
ReadResult ReadDocument(QByteArrayView bytes, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                        const DocumentLoadHooks& hooks = {});

}  // namespace DocumentFormat
