// Painting a full worksheet: a 455 x 275 panel with a background picture, the
// grid and 200 card objects (shapes of every kind, Japanese text labels, a
// few pictures), onto an image. Aim: at most 8 ms per frame at 100 %, and at
// most 16 ms for the whole worksheet zoomed to 400 % (1820 x 1100 pixels).
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "Bitmap.h"
#include "Gridshape.h"
#include "Image.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

constexpr int SheetWidth = 455, SheetHeight = 275, ObjectCount = 200;

struct Random {
  uint32_t State = 0x2545F491u;
  int Next(int below) {
    State ^= State << 13, State ^= State >> 17, State ^= State << 5;
    return int(State % uint32_t(below));
  }
};

QImage Photo(int w, int h) {
  QImage pixels(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, ((x + y) * 3) % 256));
  return pixels;
}

QByteArray Jpeg(const QImage& pixels) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "jpg").write(pixels);
  return bytes;
}

// The worksheet as the editor builds it: background picture, grid, objects.
std::unique_ptr<TPanel> Worksheet() {
  auto panel = std::make_unique<TPanel>(nullptr);
  panel->SetBounds(10, 10, SheetWidth, SheetHeight);
  panel->SetColor(clWindow);

  auto* background = new TImage(panel.get());
  background->SetBounds(0, 0, SheetWidth, SheetHeight);
  background->SetEnabled(false);
  background->SetStretch(true);
  background->Picture()->SetGraphic(std::make_unique<TJPEGImage>(Jpeg(Photo(640, 400))));
  background->SetParent(panel.get());

  auto* grid = new TGridShape(panel.get());
  grid->SetBounds(0, 0, SheetWidth, SheetHeight);
  grid->SetEnabled(false);
  grid->Brush()->SetStyle(bsClear);
  grid->Pen()->SetColor(clSilver);
  grid->SetGridWidth(10);
  grid->SetParent(panel.get());

  static const QString texts[] = {QStringLiteral("株式会社テッソロ"), QStringLiteral("営業部 部長"),
                                  QStringLiteral("山田 太郎"), QStringLiteral("〒100-0001 東京都千代田区"),
                                  QStringLiteral("TEL 03-1234-5678\r\nFAX 03-1234-5679"),
                                  QStringLiteral("yamada@example.co.jp")};
  static const char* fonts[] = {"IPAMincho", "IPAGothic", "IPAexMincho", "IPAexGothic"};
  Random random;
  for (int i = 0; i < ObjectCount; ++i) {
    const int kind = i % 10;
    if (kind < 6) {  // shapes: 60 %
      auto* shape = new TQuShape(panel.get());
      shape->SetCursor(crHandPoint);
      shape->SetLeft(random.Next(SheetWidth - 40));
      shape->SetTop(random.Next(SheetHeight - 30));
      shape->SetWidth(5 + random.Next(120));
      shape->SetHeight(5 + random.Next(80));
      shape->SetShape(TQuShapeType(random.Next(8)));
      shape->Pen()->SetWidth(1 + random.Next(4));
      shape->Pen()->SetColor(TColor(random.Next(0x1000000)));
      if (random.Next(4) == 0) shape->Pen()->SetStyle(psDot);
      shape->Brush()->SetColor(TColor(random.Next(0x1000000)));
      if (random.Next(2) == 0) shape->Brush()->SetStyle(bsClear);
      shape->SetParent(panel.get());
    } else if (kind < 9 || i % 40 != 9) {  // labels
      auto* label = new TLabelEx(panel.get());
      TFont font;
      font.SetCharset(SHIFTJIS_CHARSET);
      font.SetName(QString::fromLatin1(fonts[random.Next(4)]));
      font.SetSize(8 + random.Next(10));
      font.SetColor(TColor(random.Next(0x1000000)));
      if (random.Next(3) == 0) font.SetStyle(FontStyleBit(fsBold));
      label->SetFont(&font);
      label->SetGap(random.Next(4));
      label->SetCaption(texts[random.Next(6)]);
      label->SetAutoSize(false);
      label->SetLeft(random.Next(SheetWidth - 60));
      label->SetTop(random.Next(SheetHeight - 20));
      label->SetTransparent(true);
      label->SetCursor(crHandPoint);
      label->SetParent(panel.get());
    } else {  // pictures: one in forty
      auto* image = new TImage(panel.get());
      image->SetBounds(random.Next(SheetWidth - 80), random.Next(SheetHeight - 60), 80, 60);
      image->SetStretch(true);
      image->Picture()->SetGraphic(i % 80 == 9 ? std::unique_ptr<TGraphic>(TBitmap::FromImage(Photo(160, 120)))
                                               : std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>(Jpeg(Photo(200, 150)))));
      image->SetCursor(crHandPoint);
      image->SetParent(panel.get());
    }
  }
  return panel;
}

void BM_PaintWorksheet(benchmark::State& state) {
  const std::unique_ptr<TPanel> panel = Worksheet();
  QImage frame(SheetWidth, SheetHeight, QImage::Format_RGB32);
  {
    QPainter warm(&frame);  // first paint decodes and scales the pictures
    panel->PaintTo(warm, 0, 0);
  }
  for (auto _ : state) {
    QPainter painter(&frame);
    panel->PaintTo(painter, 0, 0);
    painter.end();
    benchmark::DoNotOptimize(frame.constBits());
  }
  state.SetItemsProcessed(state.iterations() * ObjectCount);
}
BENCHMARK(BM_PaintWorksheet)->Unit(benchmark::kMillisecond);

// The whole worksheet zoomed, as the view paints it: through a scale, the
// pictures scaled once to their zoomed size (the first paint).
void BM_PaintWorksheetZoomed(benchmark::State& state) {
  const std::unique_ptr<TPanel> panel = Worksheet();
  const double zoom = double(state.range(0)) / 100.0;
  QImage frame(int(SheetWidth * zoom + 0.5), int(SheetHeight * zoom + 0.5), QImage::Format_RGB32);
  auto paint = [&] {
    QPainter painter(&frame);
    painter.scale(zoom, zoom);
    panel->PaintTo(painter, 0, 0);
  };
  paint();
  for (auto _ : state) {
    paint();
    benchmark::DoNotOptimize(frame.constBits());
  }
  state.SetItemsProcessed(state.iterations() * ObjectCount);
}
BENCHMARK(BM_PaintWorksheetZoomed)->Arg(50)->Arg(150)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

// What the view repaints at 400 %: the part of the worksheet the scroll box
// shows (here 860 x 520 device pixels, a maximised window's worth), scrolled
// to the middle.
void BM_PaintVisiblePartAt400(benchmark::State& state) {
  const std::unique_ptr<TPanel> panel = Worksheet();
  QImage frame(860, 520, QImage::Format_RGB32);
  auto paint = [&] {
    QPainter painter(&frame);
    painter.translate(-480, -290);
    painter.setClipRect(QRect(480, 290, 860, 520));
    painter.scale(4, 4);
    panel->PaintTo(painter, 0, 0);
  };
  paint();
  for (auto _ : state) {
    paint();
    benchmark::DoNotOptimize(frame.constBits());
  }
}
BENCHMARK(BM_PaintVisiblePartAt400)->Unit(benchmark::kMillisecond);

// A repaint of a small area, as moving one object asks for.
void BM_PaintSmallArea(benchmark::State& state) {
  const std::unique_ptr<TPanel> panel = Worksheet();
  QImage frame(SheetWidth, SheetHeight, QImage::Format_RGB32);
  {
    QPainter warm(&frame);
    panel->PaintTo(warm, 0, 0);
  }
  for (auto _ : state) {
    QPainter painter(&frame);
    painter.setClipRect(QRect(200, 100, 60, 40));
    panel->PaintTo(painter, 0, 0);
  }
}
BENCHMARK(BM_PaintSmallArea)->Unit(benchmark::kMicrosecond);

// A repaint of the worksheet holding a label of one long line pasted from
// another program (arg: characters), which reaches far beyond the sheet.
// Aim: at most 20 ms, whatever the length.
void BM_PaintLongText(benchmark::State& state) {
  const std::unique_ptr<TPanel> panel = Worksheet();
  auto* label = new TLabelEx(panel.get());
  TFont font;
  font.SetName(QStringLiteral("IPAGothic"));
  font.SetSize(12);
  label->SetFont(&font);
  label->SetGap(1);
  const QString pattern = QStringLiteral("株式会社テッソロ Tessolo 名刺印刷 0123456789 ");
  label->SetCaption(pattern.repeated(int(state.range(0) / pattern.size()) + 1).left(state.range(0)));
  label->SetTransparent(true);
  label->SetLeft(20);
  label->SetTop(120);
  label->SetParent(panel.get());
  QImage frame(SheetWidth, SheetHeight, QImage::Format_RGB32);
  {
    QPainter warm(&frame);
    panel->PaintTo(warm, 0, 0);
  }
  for (auto _ : state) {
    QPainter painter(&frame);
    panel->PaintTo(painter, 0, 0);
    painter.end();
    benchmark::DoNotOptimize(frame.constBits());
  }
  state.counters["width"] = label->Width();
}
BENCHMARK(BM_PaintLongText)->Arg(100)->Arg(200000)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
