// Writing and reading the component streams of card objects: shapes,
// labels and pictures, in objects per second. Aims on the 2-core build
// machine: 1,000,000 shape streams written and 500,000 read per second.
#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <benchmark/benchmark.h>

#include <memory>

#include "Bitmap.h"
#include "ClassRegistry.h"
#include "ComponentStream.h"
#include "Image.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

// A shape as the editor leaves it.
void DressShape(TQuShape& s) {
  s.SetCursor(crHandPoint);
  s.SetTop(48);
  s.SetLeft(112);
  s.SetHeight(73);
  s.SetWidth(160);
  s.SetShape(qustEllipse);
  s.Pen()->SetColor(0x3366CC);
  s.Pen()->SetWidth(3);
  s.Brush()->SetColor(clYellow);
}

// A text object as the editor leaves it.
void DressLabel(TLabelEx& l) {
  l.SetAutoSize(false);
  l.SetBounds(40, 200, 180, 22);
  l.SetCursor(crHandPoint);
  l.SetCaption(QStringLiteral("株式会社テッソロ\r\n営業部 山田太郎"));
  TFont font;
  font.SetCharset(SHIFTJIS_CHARSET);
  font.SetColor(clBlack);
  font.SetSize(11);
  font.SetName(QStringLiteral("ＭＳ 明朝"));
  font.SetStyle(FontStyleBit(fsBold));
  l.SetFont(&font);
  l.SetGap(2);
  l.SetTransparent(true);
}

// A picture with a 40 KB JPEG, as a photo on a card might be.
void DressImage(TImage& image) {
  static const QByteArray jpeg = [] {
    QImage pixels(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
      for (int x = 0; x < pixels.width(); ++x) pixels.setPixel(x, y, qRgb(x % 256, (x * y) % 256, (y * 3) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpg").write(pixels);
    return bytes;
  }();
  image.SetBounds(300, 20, 120, 90);
  image.SetCursor(crHandPoint);
  image.Picture()->SetGraphic(std::make_unique<TJPEGImage>(jpeg));
  image.SetStretch(true);
}

template <class T>
void Write(benchmark::State& state, void (*dress)(T&)) {
  T object(nullptr);
  dress(object);
  int64_t bytes = 0;
  for (auto _ : state) {
    const QByteArray stream = ComponentStream::WriteComponent(object);
    benchmark::DoNotOptimize(stream.constData());
    bytes += stream.size();
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(bytes);
}

// Reading into an existing instance (the background and grid records, the
// copies made for printing read into fresh ones, below).
template <class T>
void ReadInto(benchmark::State& state, void (*dress)(T&)) {
  T source(nullptr);
  dress(source);
  const QByteArray stream = ComponentStream::WriteComponent(source);
  T target(nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(ComponentStream::ReadComponent(stream, target));
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * stream.size());
}

// What loading a document does per object: create it by class name on the
// worksheet, read it, place it.
template <class T>
void ReadNew(benchmark::State& state, void (*dress)(T&)) {
  T source(nullptr);
  dress(source);
  const QByteArray stream = ComponentStream::WriteComponent(source);
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 455, 275);
  for (auto _ : state) {
    std::unique_ptr<TComponent> c(ComponentStream::ReadNewComponent(stream, &panel, &panel));
    benchmark::DoNotOptimize(c.get());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_WriteShape(benchmark::State& state) { Write<TQuShape>(state, DressShape); }
void BM_ReadShapeInto(benchmark::State& state) { ReadInto<TQuShape>(state, DressShape); }
void BM_ReadShapeNew(benchmark::State& state) { ReadNew<TQuShape>(state, DressShape); }
void BM_WriteLabel(benchmark::State& state) { Write<TLabelEx>(state, DressLabel); }
void BM_ReadLabelInto(benchmark::State& state) { ReadInto<TLabelEx>(state, DressLabel); }
void BM_ReadLabelNew(benchmark::State& state) { ReadNew<TLabelEx>(state, DressLabel); }
void BM_WritePicture(benchmark::State& state) { Write<TImage>(state, DressImage); }
void BM_ReadPictureInto(benchmark::State& state) { ReadInto<TImage>(state, DressImage); }
void BM_ReadPictureNew(benchmark::State& state) { ReadNew<TImage>(state, DressImage); }

BENCHMARK(BM_WriteShape);
BENCHMARK(BM_ReadShapeInto);
BENCHMARK(BM_ReadShapeNew);
BENCHMARK(BM_WriteLabel);
BENCHMARK(BM_ReadLabelInto);
BENCHMARK(BM_ReadLabelNew);
BENCHMARK(BM_WritePicture);
BENCHMARK(BM_ReadPictureInto);
BENCHMARK(BM_ReadPictureNew);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ClassRegistry::RegisterClass<TQuShape>();
  ClassRegistry::RegisterClass<TLabelEx>();
  ClassRegistry::RegisterClass<TImage>();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
