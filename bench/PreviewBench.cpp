// Rebuilding the print preview of a card of 2 x 5 on an A4 sheet: a 2-megapixel
// JPEG background, five texts, five shapes and a bitmap logo, copied into ten
// card panels. The preview is rebuilt at every activation of its window, so
// the aim is at most 30 ms a rebuild; the first paint of the rebuilt sheet,
// which scales the pictures, is measured with it.
#include <QApplication>
#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "Bitmap.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "ImagePrintDevice.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "Picture.h"
#include "PreviewForm.h"
#include "Qushape.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

QByteArray PhotoJpeg() {
  QImage image(1800, 1100, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, image.width(), image.height());
  g.setColorAt(0, QColor(30, 80, 160));
  g.setColorAt(1, QColor(250, 200, 120));
  p.fillRect(image.rect(), g);
  p.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "jpeg").write(image);
  return bytes;
}

struct Card {
  TWorksheet Sheet;
  DocumentPageSetup Setup;
  ImagePrintDevice Printer{{4800, 6814, 203, 288, 4960, 7016, 94, 100}};

  Card() {
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(PhotoJpeg()));
    for (int i = 0; i < 5; ++i) {
      auto* shape = Add<TQuShape>();
      shape->SetShape(TQuShapeType(i));
      shape->SetLeft(20 + 80 * i);
      shape->SetTop(20);
      shape->SetWidth(60);
      shape->SetHeight(40);
      shape->Pen()->SetWidth(1 + i);
      auto* label = Add<TLabelEx>();
      label->SetBounds(30, 90 + 32 * i, 300, 28);
      label->Font()->SetSize(12 + 2 * i);
      label->SetCaption(QStringLiteral("株式会社テソロ 営業部 %1").arg(i));
      label->SetGap(i);
    }
    QImage logo(120, 120, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    auto* picture = Add<TImage>();
    picture->SetBounds(320, 140, 100, 100);
    picture->SetStretch(true);
    picture->Picture()->SetGraphic(TBitmap::FromImage(logo));
  }
  template <class T>
  T* Add() {
    T* c = new T(Sheet.DrawPanel);
    c->SetParent(Sheet.DrawPanel);
    Sheet.ObjectList.push_back(c);
    return c;
  }
  TPreviewHooks Hooks() {
    TPreviewHooks hooks;
    hooks.Device = [this] { return &Printer; };
    hooks.Document = [this] { return TPreviewDocument{&Setup, Sheet.BGImage, Sheet.ObjectList}; };
    return hooks;
  }
};

void BM_PreviewRebuild(benchmark::State& state) {
  Card card;
  TPreviewForm form(card.Hooks());
  for (auto _ : state) {
    form.FormActivate();
    benchmark::DoNotOptimize(form.CardPanels().data());
  }
  if (form.CardPanels().size() != 10) state.SkipWithError("not ten cards");
}
BENCHMARK(BM_PreviewRebuild)->Unit(benchmark::kMillisecond);

void BM_PreviewRebuildAndPaint(benchmark::State& state) {
  Card card;
  TPreviewForm form(card.Hooks());
  QImage sheet(420, 593, QImage::Format_RGB32);
  for (auto _ : state) {
    form.FormActivate();
    QPainter p(&sheet);
    form.PreviewPanel()->PaintTo(p, 0, 0);
  }
}
BENCHMARK(BM_PreviewRebuildAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace
