#pragma once
// A loaded document described as one JSON object, for scripts and for the
// "--info" command: card size, page setup, version, background, grid, every
// card object in stacking order and the colour dialog. Colours are numbers
// (0x00BBGGRR as stored), styles and modes their enumerator names, and
// pictures are described by their stored bytes without being decoded.
#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QJsonValue>

class TPicture;
class TWorksheet;
struct DocumentPageSetup;

QJsonObject DescribeDocument(const TWorksheet& sheet, const DocumentPageSetup& setup, QByteArrayView version8);

// null, or {"class", "bytes", "sha256", "width", "height"}.
QJsonValue DescribePicture(const TPicture* picture);

// The description as indented UTF-8 JSON text ending in a line break.
QByteArray DocumentInfoJson(const TWorksheet& sheet, const DocumentPageSetup& setup, QByteArrayView version8);
