#pragma once
// Reading and writing documents (".tsl") and templates (".tpl"): a header
// with the card size, then tagged records up to the end of the file, card
// objects as component streams.
#include <QByteArray>
#include <QString>

#include <functional>

class TControl;
class TWorksheet;
struct DocumentPageSetup;

// What the loader needs from the window it fills.
struct DocumentLoadHooks {
  std::function<void()> ResetWorksheet;            // after the header: a fresh, empty worksheet
  std::function<void(TControl*)> AttachObject;     // each card object read, in file order
};

// The document as bytes (header, records 14, 15, 16, 12, 11, 7, 8, objects, 5).
QByteArray BuildDocumentBytes(const TWorksheet& sheet, const DocumentPageSetup& setup, QByteArrayView version8);

// Writes the document to path, replacing the earlier file only once the new
// one is safely on disk. On failure tells the user why and returns -1.
int SaveDocumentFile(const QString& path, const TWorksheet& sheet, const DocumentPageSetup& setup,
                     QByteArrayView version8);

// Reads path onto a fresh worksheet. Returns 0, or -1 after message 1002 (or a
// clear message for a damaged file); on -1 the caller discards the worksheet.
int LoadDocumentFile(const QString& path, TWorksheet& sheet, DocumentPageSetup& setup, QByteArray& version8,
                     const DocumentLoadHooks& hooks);
