// Printing one A4 sheet of ten 91 x 55 mm cards at 600 dpi: the card composed
// from copies of the worksheet, scaled to the device and painted into every
// cell after the crop marks. The card: an 8-megapixel photograph as the
// background, a frame, a circle, a line and two lines of Japanese text.
//
//   PrintBench                       run the benchmarks
//   PrintBench --write-card FOLDER   write FOLDER/card.tsl and FOLDER/photo.jpg
//                                    (the same card, for bench/print-vs-peer.sh)
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "BenchRun.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "ImagePrintDevice.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "PdfPrintDevice.h"
#include "Picture.h"
#include "PictureCache.h"
#include "PrintJob.h"
#include "Qushape.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

constexpr int PhotoWidth = 3464, PhotoHeight = 2309;  // 8.0 megapixels, 3:2

// Smooth sky and ground with fine grain, so that it compresses like a photo.
QByteArray PhotoJpeg() {
  QImage pixels(PhotoWidth, PhotoHeight, QImage::Format_RGB32);
  uint32_t seed = 0x2545F491u;
  for (int y = 0; y < PhotoHeight; ++y) {
    auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    const double v = double(y) / PhotoHeight;
    for (int x = 0; x < PhotoWidth; ++x) {
      seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
      const int grain = int(seed % 17) - 8;
      const double u = double(x) / PhotoWidth;
      const bool ground = v > 0.62 + 0.08 * std::sin(u * 9.0);
      const int r = ground ? int(40 + 60 * u) : int(250 - 120 * v);
      const int g = ground ? int(70 + 40 * v) : int(170 - 60 * v + 30 * u);
      const int b = ground ? 40 : int(110 + 140 * (1 - v));
      row[x] = qRgb(qBound(0, r + grain, 255), qBound(0, g + grain, 255), qBound(0, b + grain, 255));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.setQuality(90);
  writer.write(pixels);
  return bytes;
}

const QByteArray& Photo() {
  static const QByteArray bytes = PhotoJpeg();
  return bytes;
}

struct Card {
  TWorksheet Sheet;
  DocumentPageSetup Setup;  // 91 x 55 mm, 2 x 5, margins 14 and 11 mm, crop marks

  Card() {
    Setup.PaperWidth = 210;
    Setup.PaperHeight = 297;
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(Photo()));
    Sheet.BGImage->Show();
    Shape(qustRoundRect, QRect(8, 8, 438, 258), TColor(0x800000), 2);  // navy frame
    Shape(qustCircle, QRect(370, 30, 50, 50), TColor(0x0000FF), 1)->Brush()->SetStyle(bsSolid);
    Shape(qustLinea, QRect(30, 175, 390, 0), clWhite, 1);
    Text(QStringLiteral("山田　太郎"), QPoint(30, 120), 18);
    Text(QStringLiteral("株式会社テッソロ　営業部"), QPoint(30, 190), 10);
  }
  TQuShape* Shape(TQuShapeType type, QRect r, TColor color, int pen) {
    auto* s = new TQuShape(Sheet.DrawPanel);
    s->SetParent(Sheet.DrawPanel);
    s->SetShape(type);
    s->SetLeft(r.left());
    s->SetTop(r.top());
    s->SetWidth(r.width());
    s->SetHeight(r.height());
    s->Pen()->SetColor(color);
    s->Pen()->SetWidth(pen);
    s->Brush()->SetColor(color);
    s->Brush()->SetStyle(bsClear);
    Sheet.ObjectList.push_back(s);
    return s;
  }
  void Text(const QString& text, QPoint at, int points) {
    auto* label = new TLabelEx(Sheet.DrawPanel);
    label->SetParent(Sheet.DrawPanel);
    label->SetTransparent(true);
    label->Font()->SetName(QStringLiteral("IPAexMincho"));
    label->Font()->SetCharset(SHIFTJIS_CHARSET);
    label->Font()->SetSize(points);
    label->Font()->SetColor(clWhite);
    label->SetCaption(text);
    label->SetLeft(at.x());
    label->SetTop(at.y());
    label->SetAutoSize(false);
    Sheet.ObjectList.push_back(label);
  }
};

// A4 at 600 dpi, the whole sheet printable, as a PDF printer gives it.
const TImageDeviceCaps kA4At600{4960, 7016, 210, 297, 4960, 7016, 0, 0};

void BM_PrintSheetOnImage(benchmark::State& state) {
  Card card;
  ImagePrintDevice device(kA4At600);
  for (auto _ : state) {
    const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
    if (!printed.Ok()) state.SkipWithError(printed.Reason().toUtf8().constData());
    benchmark::DoNotOptimize(device.Page().constBits());
  }
}
BENCHMARK(BM_PrintSheetOnImage)->Unit(benchmark::kMillisecond);

void PrintPdf(benchmark::State& state, bool cold, int cells = 0) {
  Card card;
  if (cells > 0) card.Setup.Retu = card.Setup.Dann = cells;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
  for (auto _ : state) {
    if (cold) {
      // As a document just opened: its picture not yet decoded anywhere.
      state.PauseTiming();
      PictureCache::Clear();
      card.Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(Photo()));
      state.ResumeTiming();
    }
    PdfPrintDevice device(path, PdfPrintDevice::SheetLayout(210, 297), 600);
    const TOutcome printed = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
    if (!printed.Ok()) state.SkipWithError(printed.Reason().toUtf8().constData());
  }
  state.counters["pdf_bytes"] = double(QFileInfo(path).size());
}
void BM_PrintSheetToPdf(benchmark::State& state) { PrintPdf(state, false); }
void BM_PrintSheetToPdfFirstTime(benchmark::State& state) { PrintPdf(state, true); }
BENCHMARK(BM_PrintSheetToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintSheetToPdfFirstTime)->Unit(benchmark::kMillisecond);
// 999 x 999 cells, nearly all of them off the page.
void BM_PrintCrowdedSheetToPdf(benchmark::State& state) { PrintPdf(state, false, 999); }
BENCHMARK(BM_PrintCrowdedSheetToPdf)->Unit(benchmark::kMillisecond);

int WriteCard(const QString& folder) {
  QDir().mkpath(folder);
  QFile photo(QDir(folder).filePath(QStringLiteral("photo.jpg")));
  if (!photo.open(QIODevice::WriteOnly) || photo.write(Photo()) != Photo().size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(photo.fileName()));
    return 1;
  }
  photo.close();
  Card card;
  return SaveBenchDocument(QDir(folder).filePath(QStringLiteral("card.tsl")), card.Sheet, card.Setup);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RunBenchmarks(argc, argv, WriteCard);
}
