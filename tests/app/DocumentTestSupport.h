#pragma once
// Shared by the document tests: building worksheets, pictures and files, and
// walking the records of written bytes with the platform's stream reader.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "ColorDialog.h"
#include "ComponentStream.h"
#include "DocumentFormat.h"
#include "DocumentIO.h"
#include "DocumentPageSetup.h"
#include "Gridshape.h"
#include "Image.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "Version.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace doctest {

inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

inline QByteArray Version() { return QByteArray(VersionString); }

// A document as the main window holds one.
struct Document {
  TWorksheet Sheet;
  DocumentPageSetup Setup;
  QByteArray Version8;
  int Resets = 0;

  Document() {
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Hide();  // as a new document starts
  }
  // The hooks a window gives: its own worksheet of the setup's size.
  DocumentLoadHooks Hooks() {
    return {[this] {
              ++Resets;
              Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
            },
            [this](TControl* c) { Sheet.ObjectList.push_back(c); }};
  }
  DocumentFormat::ReadResult Read(QByteArrayView bytes) {
    return DocumentFormat::ReadDocument(bytes, Sheet, Setup, Version8, Hooks());
  }
  QByteArray Bytes() const { return BuildDocumentBytes(Sheet, Setup, Version()); }

  template <class T>
  T* Add() {
    T* c = new T(Sheet.DrawPanel);
    c->SetParent(Sheet.DrawPanel);
    c->SetCursor(crHandPoint);
    Sheet.ObjectList.push_back(c);
    return c;
  }
  TQuShape* AddShape(TQuShapeType type, int l, int t, int w, int h) {
    auto* s = Add<TQuShape>();
    s->SetShape(type);
    s->SetLeft(l);
    s->SetTop(t);
    s->SetWidth(w);
    s->SetHeight(h);
    return s;
  }
  TLabelEx* AddLabel(const QString& caption, int l, int t) {
    auto* label = Add<TLabelEx>();
    label->SetAutoSize(false);
    label->SetBounds(l, t, 120, 24);
    label->Font()->SetName(QStringLiteral("ＭＳ Ｐ明朝"));
    label->Font()->SetCharset(SHIFTJIS_CHARSET);
    label->Font()->SetColor(clBlack);
    label->Font()->SetSize(12);
    label->SetParentFont(false);
    label->SetCaption(caption);
    return label;
  }
  TImage* AddPicture(std::unique_ptr<TGraphic> graphic, int l, int t, int w, int h, int tag = 0) {
    auto* image = Add<TImage>();
    image->SetBounds(l, t, w, h);
    image->SetTag(tag);
    image->SetStretch(true);
    image->Picture()->SetGraphic(std::move(graphic));
    return image;
  }
};

inline QImage Pattern(int w, int h, QColor a, QColor b) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(a);
  QPainter p(&image);
  p.fillRect(w / 4, h / 4, w / 2, h / 2, b);
  return image;
}

inline QByteArray JpegBytes(const QImage& image, int quality = 85) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  EXPECT_TRUE(writer.write(image));
  return bytes;
}

inline std::unique_ptr<TGraphic> Jpeg(const QImage& image) { return std::make_unique<TJPEGImage>(JpegBytes(image)); }
inline std::unique_ptr<TGraphic> Bitmap(const QImage& image) { return TBitmap::FromImage(image); }

inline QByteArray TestFile(const char* name) {
  QFile f(QStringLiteral(TESSOLO_TEST_DATA "/documents/") + QLatin1String(name));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
  return f.readAll();
}

// The record tags of a document in file order, found with the platform's
// component reader (not the document reader under test). Fails the test and
// stops at bytes it cannot walk.
inline std::vector<int> RecordTags(const QByteArray& bytes) {
  std::vector<int> tags;
  qsizetype pos = 16;
  auto fixed = [](int tag) -> qsizetype {
    switch (tag) {
      case 9: return 28;
      case 10: case 11: return 1;
      case 12: case 13: case 16: return 4;
      case 14: return 8;
      case 15: return 100;
      default: return -1;
    }
  };
  while (pos + 4 <= bytes.size()) {
    const int tag = qFromLittleEndian<qint32>(bytes.constData() + pos);
    pos += 4;
    tags.push_back(tag);
    if (const qsizetype n = fixed(tag); n >= 0) {
      pos += n;
      continue;
    }
    std::unique_ptr<TComponent> c;
    const QByteArray cls = ComponentStream::PeekClassName(QByteArrayView(bytes).sliced(pos));
    if (cls == "TQuShape") c = std::make_unique<TQuShape>(nullptr);
    else if (cls == "TLabelEx") c = std::make_unique<TLabelEx>(nullptr);
    else if (cls == "TImage") c = std::make_unique<TImage>(nullptr);
    else if (cls == "TGridShape") c = std::make_unique<TGridShape>(nullptr);
    else if (cls == "TColorDialog") c = std::make_unique<TColorDialog>(nullptr);
    if (!c) {
      ADD_FAILURE() << "unknown class " << cls.constData() << " in record " << tag;
      break;
    }
    pos += ComponentStream::ReadComponent(QByteArrayView(bytes).sliced(pos), *c);
  }
  EXPECT_EQ(pos, bytes.size()) << "records do not end at the end of the file";
  return tags;
}

}  // namespace doctest
