#pragma once
// Reading and writing documents (".tsl") and templates (".tpl"): a header
// with the card size, then tagged records up to the end of the file, card
// objects as component streams. The byte format itself is DocumentFormat.
#include <QByteArray>
#include <QString>

#include <functional>

#include "Outcome.h"

class TControl;
class TWorksheet;
struct DocumentPageSetup;

// What the loader needs from the window it fills. Either may be left empty:
// the worksheet is then built with TWorksheet::BuildWorksheet of the header's
// size, and objects are appended to ObjectList.
struct DocumentLoadHooks {
  std::function<void()> ResetWorksheet;            // after the header: a fresh, empty worksheet
  std::function<void(TControl*)> AttachObject;     // each card object read, in file order
};

// The document as bytes (header, records 14, 15, 16, 12, 11, 7, 8, objects, 5).
// version8 is the version text (such as VersionString), NUL-padded to 8 bytes.
QByteArray BuildDocumentBytes(const TWorksheet& sheet, const DocumentPageSetup& setup, QByteArrayView version8);

// Writes the document to path, replacing the earlier file only once the new
// one is safely on disk. On failure tells the user why (the standard error
// display); the earlier file is then unchanged.
TOutcome SaveDocumentFile(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup,
                          QByteArrayView version8);

// Reads path onto a fresh worksheet. The user has been told of any failure.
// Failed after message 1002 (with what is wrong added for a damaged or too
// large file): the page setup and version8 are as before the call and the
// caller discards the worksheet (a file under 20 bytes leaves it untouched).
// Refused for a file that could not be read at all (a folder, no permission,
// gone): nothing was touched, so the document open before stays as it was.
TOutcome LoadDocumentFile(const QString& path, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                          const DocumentLoadHooks& hooks);

// The same for bytes already in memory (templates, tests, fuzzing).
TOutcome LoadDocumentBytes(QByteArrayView bytes, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                           const DocumentLoadHooks& hooks);

// The whole of a file no larger than any document can be; refused, with the
// reason in the user's words, when it cannot be read or is too large.
TOutcomeOf<QByteArray> ReadDocumentFileBytes(const QString& path);
// Whether read was refused for the file's size (its reason is then the size
// message alone; any other names the file), which callers tell as a document
// that is not valid rather than one that cannot be read.
bool DocumentTooLarge(const TOutcome& read);
