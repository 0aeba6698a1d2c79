// Decoding a 12-megapixel photo-like JPEG: TJPEGImage against Qt's own
// reader, and the ratio of the two (below 1 means ours is faster).
#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "JpegImage.h"

namespace {

constexpr int PhotoWidth = 4000, PhotoHeight = 3000;

// Smooth gradients and soft blobs with fine noise on top, encoded once at
// quality 90, so the coded data is as dense as a camera picture's.
const QByteArray& Photo() {
  static const QByteArray bytes = [] {
    QImage image(PhotoWidth, PhotoHeight, QImage::Format_RGB32);
    uint32_t seed = 0x9E3779B9u;
    auto noise = [&seed] {
      seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
      return int(seed % 25) - 12;
    };
    for (int y = 0; y < PhotoHeight; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      const double fy = y / double(PhotoHeight);
      for (int x = 0; x < PhotoWidth; ++x) {
        const double fx = x / double(PhotoWidth);
        const double blob = 60 * std::sin(fx * 9.0 + std::cos(fy * 7.0)) * std::cos(fy * 5.0);
        const int r = int(40 + 150 * fx + blob) + noise();
        const int g = int(70 + 120 * fy - blob / 2) + noise();
        const int b = int(180 - 110 * fx * fy + blob / 3) + noise();
        line[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
      }
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image)) std::fprintf(stderr, "cannot encode the test photo\n");
    return out;
  }();
  return bytes;
}

QImage ReadWithQt(const QByteArray& jpeg) {
  QByteArray shared = jpeg;
  QBuffer buffer(&shared);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  return reader.read();
}

void BM_TJPEGImage(benchmark::State& state) {
  const QByteArray& jpeg = Photo();
  for (auto _ : state) {
    TJPEGImage image(jpeg);
    benchmark::DoNotOptimize(image.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * PhotoWidth * PhotoHeight);
}
BENCHMARK(BM_TJPEGImage)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_QImageReader(benchmark::State& state) {
  const QByteArray& jpeg = Photo();
  for (auto _ : state) {
    const QImage image = ReadWithQt(jpeg);
    if (image.isNull()) state.SkipWithError("Qt cannot read the photo");
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * PhotoWidth * PhotoHeight);
}
BENCHMARK(BM_QImageReader)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Keeps each benchmark's wall and process CPU time per iteration (the
// medians when repeated). Qt may convert on helper threads, so CPU time is
// counted for the whole process.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::pair<double, double>> Times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string& name = run.run_name.function_name;
      if ((run.run_type == Run::RT_Iteration && !Times.count(name)) ||
          (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"))
        Times[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// Both decoders must deliver the same picture for the race to be fair.
void ComparePictures() {
  const QImage ours = TJPEGImage(Photo()).Image();
  const QImage qt = ReadWithQt(Photo()).convertToFormat(QImage::Format_RGB32);
  int worst = 0;
  for (int y = 0; y < PhotoHeight; y += 7)
    for (int x = 0; x < PhotoWidth; x += 5) {
      const QRgb a = ours.pixel(x, y), b = qt.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                        std::abs(qBlue(a) - qBlue(b))});
    }
  std::printf("Photo: %d x %d, %.1f MB of JPEG; largest channel difference from Qt's decode: %d\n", PhotoWidth,
              PhotoHeight, Photo().size() / 1e6, worst);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ComparePictures();
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ours = reporter.Times.find("BM_TJPEGImage"), qt = reporter.Times.find("BM_QImageReader");
  if (ours != reporter.Times.end() && qt != reporter.Times.end())
    std::printf("TJPEGImage / QImageReader ratio: wall time %.3f, process CPU time %.3f\n",
                ours->second.first / qt->second.first, ours->second.second / qt->second.second);
  benchmark::Shutdown();
  return 0;
}
