// Makes documents holding QR codes for the decoding test: reads a JSON list
// of {"file", "content", "level", "size_mm"} and writes each file as a card
// with that one code in its top-left corner area.
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#include "DocumentIO.h"
#include "DocumentPageSetup.h"
#include "QrCode.h"
#include "UnitLength.h"
#include "Version.h"
#include "WinControl.h"
#include "Worksheet.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_qr_documents LIST.json\n");
    return 2;
  }
  QFile list(QString::fromLocal8Bit(argv[1]));
  if (!list.open(QIODevice::ReadOnly)) return 1;
  const QJsonArray items = QJsonDocument::fromJson(list.readAll()).array();
  for (const QJsonValue& v : items) {
    const QJsonObject item = v.toObject();
    const QString level = item["level"].toString();
    const TQrLevel l = level == u"L" ? TQrLevel::L : level == u"Q" ? TQrLevel::Q
                       : level == u"H" ? TQrLevel::H : TQrLevel::M;
    TWorksheet sheet;
    DocumentPageSetup setup;
    sheet.BuildWorksheet(setup.SheetWidthPx, setup.SheetHeightPx);
    sheet.BGImage->Hide();
    auto* code = new TImage(sheet.DrawPanel);
    code->SetParent(sheet.DrawPanel);
    code->SetCursor(crHandPoint);
    if (const TOutcome made = MakeQrCode(*code, item["content"].toString(), l); !made.Ok()) {
      std::fprintf(stderr, "%s\n", made.Reason().toUtf8().constData());
      return 1;
    }
    const int side = TUnitLength::FromMm(float(item["size_mm"].toDouble())).Px;
    code->SetBounds(20, 20, side, side);
    sheet.ObjectList.push_back(code);
    if (!SaveDocumentFile(item["file"].toString(), sheet, setup, QByteArray(VersionString)).Ok()) return 1;
  }
  return 0;
}
