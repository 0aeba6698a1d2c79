// Building the bytes of a document: header, records 14, 15, 16, 12, 11, 7, 8,
// one record per card object in stacking order, then 5.
#include <QtEndian>

#include <cstring>

#include "ColorDialog.h"
#include "ComponentStream.h"
#include "DocumentFormat.h"
#include "DocumentPageSetup.h"
#include "Graphic.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "Worksheet.h"

namespace DocumentFormat {

QByteArray VersionField(QByteArrayView text) {
  QByteArray field(VersionSize, '\0');
  const qsizetype nul = text.indexOf('\0');
  if (nul >= 0) text = text.first(nul);
  std::memcpy(field.data(), text.data(), size_t(std::min<qsizetype>(text.size(), VersionSize - 1)));
  return field;
}

QString VersionText(QByteArrayView version8) {
  const qsizetype nul = version8.indexOf('\0');
  return QString::fromLatin1(nul >= 0 ? version8.first(nul) : version8);
}

}  // namespace DocumentFormat

namespace {

using namespace DocumentFormat;

class RecordWriter {
 public:
  explicit RecordWriter(QByteArray& out) : FOut(out) {}

  void Int32(int32_t v) {
    char b[4];
    qToLittleEndian<qint32>(v, b);
    FOut.append(b, 4);
  }
  void Float32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Int32(int32_t(bits));
  }
  void Byte(uint8_t v) { FOut.append(char(v)); }
  void Raw(QByteArrayView bytes) { FOut.append(bytes); }
  void Component(int32_t tag, const TComponent& c) {
    Int32(tag);
    ComponentStream::WriteComponent(c, FOut);
  }

 private:
  QByteArray& FOut;
};

void WritePageSetup(RecordWriter& w, const DocumentPageSetup& s) {
  w.Int32(rtPageSetup);
  const auto& name = s.SetupName.Field();
  w.Raw(QByteArrayView(name.data(), qsizetype(name.size())));
  w.Int32(s.SetupKind);
  w.Float32(s.PaperWidth);
  w.Float32(s.PaperHeight);
  w.Int32(s.Retu);
  w.Int32(s.Dann);
  w.Float32(s.LeftMargin);
  w.Float32(s.TopMargin);
  w.Float32(s.InsideMarginX);
  w.Float32(s.InsideMarginY);
}

qsizetype PictureBytes(const TControl* c) {
  auto* image = dynamic_cast<const TImage*>(c);
  if (!image || !image->Picture()->Graphic()) return 0;
  return image->Picture()->Graphic()->Bytes().size();
}

// Enough room for the whole file, so that large pictures are copied once.
qsizetype EstimatedSize(const TWorksheet& sheet) {
  qsizetype n = 4096 + PictureBytes(sheet.BGImage);
  for (const TControl* c : sheet.ObjectList) n += 256 + PictureBytes(c);
  return n;
}

void WriteDocument(RecordWriter& w, const TWorksheet& sheet, const TColorDialog* dialog, const DocumentPageSetup& setup,
                   QByteArrayView version8) {
  w.Float32(setup.SheetWidth);
  w.Float32(setup.SheetHeight);
  w.Int32(setup.SheetWidthPx);
  w.Int32(setup.SheetHeightPx);

  w.Int32(rtVersion);
  w.Raw(VersionField(version8));
  WritePageSetup(w, setup);
  w.Int32(rtPageUnit);
  w.Int32(setup.PageUnit);
  w.Int32(rtOverflowAdjust);
  w.Int32(setup.OverflowAdjust);
  w.Int32(rtPrintTonbo);
  w.Byte(setup.PrintTonbo);
  w.Component(rtBackground, *sheet.BGImage);
  w.Component(rtGrid, *sheet.GridShape);

  for (const TControl* c : sheet.ObjectList) {
    if (!c) continue;
    const QByteArray cls = c->ClassName();
    if (cls == "TQuShape")
      w.Component(rtShape, *c);
    else if (cls == "TLabelEx")
      w.Component(rtLabel, *c);
    else if (cls == "TImage")
      w.Component(rtPicture, *c);
  }

  if (dialog) {
    w.Component(rtColorDialog, *dialog);
  } else {
    const TColorDialog fresh(nullptr);
    w.Component(rtColorDialog, fresh);
  }
}

}  // namespace

QByteArray BuildDocumentBytes(const TWorksheet& sheet, const DocumentPageSetup& setup, QByteArrayView version8) {
  QByteArray out;
  RecordWriter w(out);
  if (!sheet.BGImage || !sheet.GridShape) {
    // No worksheet (nothing was ever opened): the document of an empty card.
    TWorksheet empty;
    empty.BuildWorksheet(setup.SheetWidthPx, setup.SheetHeightPx);
    empty.BGImage->Hide();
    out.reserve(EstimatedSize(empty));
    WriteDocument(w, empty, sheet.ColorDialog, setup, version8);
    return out;
  }
  out.reserve(EstimatedSize(sheet));
  WriteDocument(w, sheet, sheet.ColorDialog, setup, version8);
  return out;
}
