// Loading and saving a large document: 1,000 card objects over an
// 8-megapixel JPEG background. Aims: load at most 100 ms, save at most 30 ms,
// and the peak memory of a load at most three times the decoded picture plus
// 50 MB; loading keeps the JPEG bytes and decodes nothing.
//
// The peak memory is measured in a fresh process (this program run again
// with --measure-load FILE), so that building the document does not count.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/resource.h>

#include "Bitmap.h"
#include "ColorDialog.h"
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

namespace {

constexpr int kPhotoWidth = 3264, kPhotoHeight = 2448;  // 7.99 megapixels
constexpr int kObjects = 1000;

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const char* field) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qsizetype(std::strlen(field)) + 1).trimmed().split(' ')[0].toLong();
  return -1;
}

// Starts the peak anew at the current size (Linux 4.0 and later).
void ResetPeak() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (f.open(QIODevice::WriteOnly)) f.write("5");
}

long MaxRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

QByteArray PhotoJpeg() {
  QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, kPhotoWidth, kPhotoHeight);
  g.setColorAt(0, QColor(30, 80, 160));
  g.setColorAt(1, QColor(250, 200, 120));
  p.fillRect(image.rect(), g);
  QRandomGenerator rng(7);
  for (int i = 0; i < 4000; ++i) {
    p.setPen(QColor::fromRgb(rng.generate()));
    p.drawEllipse(rng.bounded(kPhotoWidth), rng.bounded(kPhotoHeight), rng.bounded(80), rng.bounded(80));
  }
  p.end();
  // Grain, so that the file is as large as a photograph's.
  for (int y = 0; y < kPhotoHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kPhotoWidth; ++x) {
      const int d = int(rng.bounded(17)) - 8;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255), std::clamp(qBlue(c) + d, 0, 255));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(90);
  writer.write(image);
  return bytes;
}

struct BigDocument {
  TWorksheet Sheet;
  DocumentPageSetup Setup;
  QByteArray Bytes;
  QTemporaryDir Dir;
  QString Path;

  BigDocument() {
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(PhotoJpeg()));
    QImage logo(32, 32, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    const std::unique_ptr<TBitmap> bitmap = TBitmap::FromImage(logo);
    for (int i = 0; i < kObjects; ++i) {
      TControl* c = nullptr;
      switch (i % 10) {
        case 0: {
          auto* image = new TImage(Sheet.DrawPanel);
          image->Picture()->SetGraphic(bitmap->Clone());
          image->SetStretch(true);
          c = image;
          break;
        }
        case 1: case 2: case 3: case 4: {
          auto* label = new TLabelEx(Sheet.DrawPanel);
          label->SetAutoSize(false);
          label->Font()->SetName(QStringLiteral("ＭＳ Ｐ明朝"));
          label->Font()->SetCharset(SHIFTJIS_CHARSET);
          label->Font()->SetSize(9 + i % 5);
          label->SetCaption(QStringLiteral("名刺の文字 %1").arg(i));
          c = label;
          break;
        }
        default: {
          auto* shape = new TQuShape(Sheet.DrawPanel);
          shape->SetShape(TQuShapeType(i % 8));
          shape->Pen()->SetWidth(1 + i % 6);
          shape->Brush()->SetColor(TColor(i * 2654435761u & 0xFFFFFF));
          c = shape;
          break;
        }
      }
      c->SetParent(Sheet.DrawPanel);
      c->SetCursor(crHandPoint);
      c->SetBounds(i % 400, (i * 7) % 250, 40, 20);
      Sheet.ObjectList.push_back(c);
    }
    Bytes = BuildDocumentBytes(Sheet, Setup, VersionString);
    Path = Dir.filePath(QStringLiteral("big.tsl"));
    QFile f(Path);
    f.open(QIODevice::WriteOnly);
    f.write(Bytes);
  }
};

BigDocument& Big() {
  static BigDocument doc;
  return doc;
}

void BM_BuildDocumentBytes(benchmark::State& state) {
  BigDocument& doc = Big();
  for (auto _ : state) benchmark::DoNotOptimize(BuildDocumentBytes(doc.Sheet, doc.Setup, VersionString));
  state.counters["MB"] = double(doc.Bytes.size()) / 1e6;
}
BENCHMARK(BM_BuildDocumentBytes)->Unit(benchmark::kMillisecond);

// Building, writing a temporary file, flushing it to the disk and renaming.
void BM_SaveDocumentFile(benchmark::State& state) {
  BigDocument& doc = Big();
  const QString path = doc.Dir.filePath(QStringLiteral("saved.tsl"));
  for (auto _ : state)
    if (!SaveDocumentFile(path, doc.Sheet, doc.Setup, VersionString).Ok()) state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveDocumentFile)->Unit(benchmark::kMillisecond);

void BM_ReadDocumentBytes(benchmark::State& state) {
  BigDocument& doc = Big();
  for (auto _ : state) {
    TWorksheet sheet;
    DocumentPageSetup setup;
    QByteArray version;
    if (!DocumentFormat::ReadDocument(doc.Bytes, sheet, setup, version).Ok()) state.SkipWithError("read failed");
  }
}
BENCHMARK(BM_ReadDocumentBytes)->Unit(benchmark::kMillisecond);

// Reading the file as well, and taking the worksheet down again.
void BM_LoadDocumentFile(benchmark::State& state) {
  BigDocument& doc = Big();
  for (auto _ : state) {
    TWorksheet sheet;
    DocumentPageSetup setup;
    QByteArray version;
    if (!LoadDocumentFile(doc.Path, sheet, setup, version, {}).Ok()) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadDocumentFile)->Unit(benchmark::kMillisecond);

// Child process: one load, then the peak resident size.
int MeasureLoad(const char* path) {
  int argc = 1;
  char name[] = "DocumentBench";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  const long before = StatusKb("VmRSS:");
  ResetPeak();
  TWorksheet sheet;
  DocumentPageSetup setup;
  QByteArray version;
  const int result = LoadDocumentFile(QString::fromLocal8Bit(path), sheet, setup, version, {}).Ok() ? 0 : -1;
  const long peak = StatusKb("VmHWM:");
  std::printf("%d %ld %ld %ld %zu\n", result, before, peak, MaxRssKb(), sheet.ObjectList.size());
  return result == 0 ? 0 : 1;
}

void ReportPeakMemory() {
  BigDocument& doc = Big();
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure-load"), doc.Path});
  if (!child.waitForFinished(60000) || child.exitCode() != 0) {
    std::printf("peak memory: the measuring process failed\n");
    return;
  }
  int result = 0;
  long before = 0, after = 0, maxRss = 0;
  size_t objects = 0;
  std::sscanf(child.readAllStandardOutput().constData(), "%d %ld %ld %ld %zu", &result, &before, &after, &maxRss,
              &objects);
  const double decodedMb = double(kPhotoWidth) * kPhotoHeight * 4 / (1024.0 * 1024.0);
  std::printf("document: %.1f MB (%d objects, %d x %d JPEG of %.1f MB)\n", double(doc.Bytes.size()) / 1e6, kObjects,
              kPhotoWidth, kPhotoHeight, double(doc.Sheet.BGImage->Picture()->Graphic()->Bytes().size()) / 1e6);
  std::printf("peak memory during a load: %.1f MB (%.1f MB resident before it, %.1f MB added; %zu objects); "
              "process peak %.1f MB\n",
              after / 1024.0, before / 1024.0, (after - before) / 1024.0, objects, maxRss / 1024.0);
  std::printf("aim: at most %.1f MB (3 x %.1f MB decoded picture + 50 MB)\n", 3 * decodedMb + 50, decodedMb);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::strcmp(argv[1], "--measure-load") == 0) return MeasureLoad(argv[2]);
  QGuiApplication app(argc, argv);
  ReportPeakMemory();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
