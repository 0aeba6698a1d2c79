// Arbitrary bytes as a component stream: read as a new component of the
// class it names, and read into existing instances of every card class.
// Only the platform's read and picture errors may come out. Whatever reads
// must also write out and read back to the same bytes, and paint.
//
// Seeds: TESSOLO_WRITE_SEEDS=<folder> ./StreamFuzz writes a few valid streams
// there and exits (fuzz/seeds/StreamFuzz holds the ones it wrote).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "Bitmap.h"
#include "ClassRegistry.h"
#include "ComponentStream.h"
#include "Errors.h"
#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

const QByteArray ClassNames[] = {"TQuShape", "TLabelEx", "TImage", "TGridShape"};

TComponent* Make(int index, TComponent* owner) {
  switch (index) {
    case 0: return new TQuShape(owner);
    case 1: return new TLabelEx(owner);
    case 2: return new TImage(owner);
    default: return new TGridShape(owner);
  }
}

// Pictures whose header allows a large decode would only slow the search.
bool CheapToPaint(const TComponent& c) {
  if (auto* image = dynamic_cast<const TImage*>(&c)) return int64_t(image->Picture()->Width()) * image->Picture()->Height() <= 1'000'000;
  return true;
}

void Paint(TPanel& panel) {
  QImage image(64, 48, QImage::Format_RGB32);
  QPainter painter(&image);
  panel.PaintTo(painter, 0, 0);
}

void Same(const QByteArray& once, const TComponent& again) {
  const QByteArray twice = ComponentStream::WriteComponent(again);
  if (twice != once) {
    std::fprintf(stderr, "round trip differs:\n  %s\n  %s\n", once.toHex(' ').constData(), twice.toHex(' ').constData());
    __builtin_trap();
  }
}

// Values whose declared default differs from what a new instance holds:
// equal to the default, they are not written, and a new instance does not
// get them back (as the format has it). A grid is 65 x 65 under a
// declared size of 0; a label's ShowAccelChar starts false under a default
// of true.
bool DefaultDiffersFromNew(const TComponent& c) {
  if (auto* grid = dynamic_cast<const TGridShape*>(&c)) return grid->Width() == 0 || grid->Height() == 0;
  if (auto* label = dynamic_cast<const TLabelEx*>(&c)) return label->ShowAccelChar();
  return false;
}

// What was read writes, reads back and writes again unchanged: read into
// itself, and into a new instance.
void CheckRoundTrip(TComponent& c) {
  const QByteArray once = ComponentStream::WriteComponent(c);
  ComponentStream::ReadComponent(once, c);
  Same(once, c);
  if (DefaultDiffersFromNew(c)) return;
  std::unique_ptr<TComponent> again(ComponentStream::ReadNewComponent(once, nullptr, nullptr));
  Same(once, *again);
}

void ReadNew(const QByteArray& bytes) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 64, 48);
  std::unique_ptr<TComponent> c;
  try {
    c.reset(ComponentStream::ReadNewComponent(bytes, &panel, &panel));
  } catch (const EReadError&) {
    if (!panel.Components().empty() || panel.ControlCount() != 0) __builtin_trap();  // nothing left behind
    return;
  }
  CheckRoundTrip(*c);
  if (CheapToPaint(*c)) Paint(panel);
}

// The bytes after the class name, read into an instance of each class.
void ReadIntoEach(const QByteArray& bytes) {
  if (bytes.size() < 5 || !bytes.startsWith("TPF0") || (uchar(bytes[4]) & 0xF0) == 0xF0) return;
  const QByteArray rest = bytes.mid(5 + uchar(bytes[4]));
  for (int i = 0; i < 4; ++i) {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 64, 48);
    TComponent* c = Make(i, &panel);
    if (auto* control = dynamic_cast<TControl*>(c)) control->SetParent(&panel);
    bool whole = true;
    try {
      ComponentStream::ReadComponent(QByteArray("TPF0") + char(ClassNames[i].size()) + ClassNames[i] + rest, *c);
    } catch (const EReadError&) {
      whole = false;  // what was read before the damage stays; it must still paint
    }
    if (whole) CheckRoundTrip(*c);
    if (CheapToPaint(*c)) Paint(panel);
  }
}

void WriteSeed(const QString& folder, const char* name, const TComponent& c) {
  QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
  if (file.open(QIODevice::WriteOnly)) file.write(ComponentStream::WriteComponent(c));
}

void WriteSeeds(const QString& folder) {
  QDir().mkpath(folder);
  TQuShape shape(nullptr);
  shape.SetLeft(80);
  shape.SetTop(129);
  shape.SetShape(qustCircle);
  shape.Pen()->SetColor(clRed);
  WriteSeed(folder, "shape-circle", shape);
  shape.SetShape(qustLineb);
  shape.SetWidth(300);
  shape.SetHeight(40);
  shape.SetCursor(crHandPoint);
  shape.Pen()->SetWidth(4);
  shape.Pen()->SetStyle(psDot);
  shape.Pen()->SetMode(pmNot);
  shape.Brush()->SetColor(0x123456);
  shape.Brush()->SetStyle(bsClear);
  WriteSeed(folder, "shape-line", shape);

  TLabelEx label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(20, 30, 100, 25);
  label.SetCursor(crHandPoint);
  label.SetCaption(QStringLiteral("名刺\r\nR&D"));
  label.Font()->SetCharset(SHIFTJIS_CHARSET);
  label.Font()->SetColor(clBlack);
  label.Font()->SetSize(12);
  label.Font()->SetName(QStringLiteral("ＭＳ ゴシック"));
  label.Font()->SetStyle(FontStyleBit(fsBold));
  label.SetGap(3);
  label.SetTransparent(true);
  WriteSeed(folder, "label", label);
  label.SetCaption(QString(200, QChar(0x540D)) + QStringLiteral("한"));  // long, and wide
  WriteSeed(folder, "label-wide", label);

  TImage image(nullptr);
  image.SetTag(1);
  image.SetBounds(10, 20, 70, 50);
  QImage pixels(6, 4, QImage::Format_RGB32);
  pixels.fill(QColor(10, 200, 30));
  image.Picture()->SetGraphic(TBitmap::FromImage(pixels));
  image.SetStretch(true);
  WriteSeed(folder, "image-bitmap", image);

  TGridShape grid(nullptr);
  grid.SetBounds(0, 0, 455, 275);
  grid.Pen()->SetColor(clSilver);
  grid.Brush()->SetStyle(bsClear);
  grid.SetGridWidth(10);
  WriteSeed(folder, "grid", grid);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);  // fonts for the labels
  ClassRegistry::RegisterClass<TQuShape>();
  ClassRegistry::RegisterClass<TLabelEx>();
  ClassRegistry::RegisterClass<TImage>();
  ClassRegistry::RegisterClass<TGridShape>();
  if (const QByteArray folder = qgetenv("TESSOLO_WRITE_SEEDS"); !folder.isEmpty()) {
    WriteSeeds(QString::fromLocal8Bit(folder));
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // No copy: reads past the end land on the fuzzer's exactly sized buffer.
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    ReadNew(bytes);
    ReadIntoEach(bytes);
  } catch (const EInvalidGraphic&) {
    // A picture that reads but cannot be decoded when painted.
  }
  return 0;
}
