// A mail merge of 1,000 staff rows onto A4 sheets of ten 91 x 55 mm cards at
// 600 dpi, one row to a cell: a frame, the name and title in Mincho, the
// phone and mail in Gothic, and a 22 mm QR code of the row's MECARD.
//
//   MergeBench                       run the benchmarks
//   MergeBench --write-card FOLDER   write FOLDER/card.tsl, the same card
//                                    (for bench/merge-vs-peer.sh)
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "Bitmap.h"
#include "BenchRun.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "Labelex.h"
#include "MergeList.h"
#include "MergePrintJob.h"
#include "PdfPrintDevice.h"
#include "Picture.h"
#include "Qushape.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

// A code-like picture, one pixel per module, until the card's own code is
// made from each row.
QImage Modules() {
  constexpr int n = 29;
  QImage image(n, n, QImage::Format_RGB32);
  uint32_t seed = 0x9E3779B9u;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
      auto finder = [](int a, int b) {
        if (a > 6 || b > 6) return -1;
        const int ring = std::max(std::abs(a - 3), std::abs(b - 3));
        return ring == 2 ? 0 : 1;
      };
      int f = finder(x, y);
      if (f < 0) f = finder(n - 1 - x, y);
      if (f < 0) f = finder(x, n - 1 - y);
      const bool dark = f >= 0 ? f == 1 : (seed & 1) != 0;
      image.setPixel(x, y, dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
  return image;
}

struct Card {
  TWorksheet Sheet;
  DocumentPageSetup Setup;  // 91 x 55 mm, 2 x 5, margins 14 and 11 mm

  Card() {
    Setup.PaperWidth = 210;
    Setup.PaperHeight = 297;
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Hide();
    auto* frame = new TQuShape(Sheet.DrawPanel);
    frame->SetParent(Sheet.DrawPanel);
    frame->SetShape(qustRectangle);
    frame->SetLeft(8);
    frame->SetTop(8);
    frame->SetWidth(438);
    frame->SetHeight(258);
    frame->Pen()->SetColor(TColor(0x800000));
    frame->Pen()->SetWidth(2);
    frame->Brush()->SetStyle(bsClear);
    Sheet.ObjectList.push_back(frame);
    Text(QStringLiteral("{氏名}"), QPoint(24, 40), 14, QStringLiteral("IPAexMincho"));
    Text(QStringLiteral("{役職}"), QPoint(24, 90), 9, QStringLiteral("IPAexMincho"));
    Text(QStringLiteral("TEL {電話}"), QPoint(24, 180), 8, QStringLiteral("IPAexGothic"));
    Text(QStringLiteral("{メール}"), QPoint(24, 205), 8, QStringLiteral("IPAexGothic"));
    auto* qr = new TImage(Sheet.DrawPanel);
    qr->SetParent(Sheet.DrawPanel);
    qr->SetTag(2);
    qr->SetHint(QStringLiteral("{MECARD}"));
    qr->SetBounds(325, 140, 110, 110);  // 22 mm
    qr->SetStretch(true);
    qr->Picture()->SetGraphic(TBitmap::FromImage(Modules()));
    Sheet.ObjectList.push_back(qr);
  }
  void Text(const QString& text, QPoint at, int points, const QString& font) {
    auto* label = new TLabelEx(Sheet.DrawPanel);
    label->SetParent(Sheet.DrawPanel);
    label->SetTransparent(true);
    label->SetParentFont(false);
    label->Font()->SetName(font);
    label->Font()->SetCharset(SHIFTJIS_CHARSET);
    label->Font()->SetSize(points);
    label->Font()->SetColor(clBlack);
    label->SetCaption(text);
    label->SetLeft(at.x());
    label->SetTop(at.y());
    label->SetAutoSize(true);
    label->SetAutoSize(false);
    Sheet.ObjectList.push_back(label);
  }
};

QByteArray StaffList(int rows) {
  QString text = QStringLiteral("氏名,役職,電話,メール,MECARD\r\n");
  for (int i = 1; i <= rows; ++i) {
    const QString n = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    text += QStringLiteral("山田　太郎%1,営業部　課長,03-1234-%1,staff%1@example.co.jp,"
                           "MECARD:N:山田 太郎%1;TEL:031234%1;EMAIL:staff%1@example.co.jp;;\r\n")
                .arg(n);
  }
  return text.toUtf8();
}

void BM_MergeThousandRowsToPdf(benchmark::State& state) {
  Card card;
  const TOutcomeOf<TMergeList> list = ReadMergeList(StaffList(1000), QStringLiteral("staff.csv"));
  if (!list.Ok()) {
    state.SkipWithError(list.Reason().toUtf8().constData());
    return;
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("merged.pdf"));
  for (auto _ : state) {
    PdfPrintDevice device(path, PdfPrintDevice::SheetLayout(210, 297), 600);
    TMergeJob job;
    job.Background = card.Sheet.BGImage;
    job.Objects = card.Sheet.ObjectList;
    job.Setup = &card.Setup;
    job.List = &list.Value();
    job.Layout = TMergeLayout::PerCell;
    const TOutcome printed = PrintMergedSheets(device, job);
    if (!printed.Ok()) state.SkipWithError(printed.Reason().toUtf8().constData());
  }
  state.counters["pdf_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_MergeThousandRowsToPdf)->Unit(benchmark::kMillisecond);

void BM_ReadThousandRowList(benchmark::State& state) {
  const QByteArray bytes = StaffList(1000);
  for (auto _ : state) benchmark::DoNotOptimize(ReadMergeList(bytes, QStringLiteral("staff.csv")).Value().Rows.data());
}
BENCHMARK(BM_ReadThousandRowList)->Unit(benchmark::kMillisecond);

int WriteCard(const QString& folder) {
  QDir().mkpath(folder);
  Card card;
  return SaveBenchDocument(QDir(folder).filePath(QStringLiteral("card.tsl")), card.Sheet, card.Setup);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RunBenchmarks(argc, argv, WriteCard);
}
