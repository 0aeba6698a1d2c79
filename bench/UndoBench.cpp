// Undo and redo on a card of 1,000 objects over an 8-megapixel background,
// through the real main window.
//
//   BM_RecordStepAfterDrag  one object moved, then the step recorded (the
//                           snapshot of the whole card taken); aim 5 ms.
//   BM_Undo, BM_Redo        one step undone (redone): the card rebuilt from
//                           its snapshot; aim 30 ms each. The "Repaint"
//                           variants also paint the shown worksheet.
//   BM_HistoryMemory        heap in use after 100 drag steps, above the
//                           document itself (counter MB); aim 30 MB.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "Graphic.h"
#include "Image.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "UndoHistory.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.write(image);
  return bytes;
}

// 3,264 x 2,448: a photograph of 8 megapixels.
QByteArray Photo() {
  QImage image(3264, 2448, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) line[x] = qRgb(x * 255 / 3264, y * 255 / 2448, (x ^ y) & 0xFF);
  }
  return Encoded(image, "jpg");
}

struct Card {
  QTemporaryDir Folder;
  std::unique_ptr<TForm3> Form;

  explicit Card(bool shown) {
    Form = std::make_unique<TForm3>(nullptr, ProgramFolders(Folder.path()));
    Form->FirstActivation = false;
    Form->resize(900, 700);
    Form->ResetWorksheet();
    TWinControl* panel = Form->DrawPanel;
    const QByteArray small = Encoded(QImage(60, 40, QImage::Format_RGB32), "bmp");
    for (int i = 0; i < 1000; ++i) {
      const int x = (i * 37) % 420, y = (i * 53) % 250;
      TControl* object = nullptr;
      if (i % 10 == 9) {
        auto* image = new TImage(panel);
        image->SetParent(panel);
        image->Picture()->SetGraphic(TGraphic::FromFileBytes(small));
        image->SetStretch(true);
        image->SetBounds(x, y, 30, 20);
        object = image;
      } else if (i % 3 == 2) {
        auto* label = new TLabelEx(panel);
        label->SetParent(panel);
        label->SetTransparent(true);
        label->SetCaption(QStringLiteral("名刺 %1").arg(i));
        label->SetBounds(x, y, 60, 14);
        object = label;
      } else {
        auto* shape = new TQuShape(panel);
        shape->SetParent(panel);
        shape->SetShape(i % 2 ? qustEllipse : qustRectangle);
        shape->SetLeft(x);
        shape->SetTop(y);
        shape->SetWidth(30);
        shape->SetHeight(20);
        object = shape;
      }
      object->SetCursor(crHandPoint);
      Form->AttachObject(object);
    }
    Form->BGImage->Picture()->SetGraphic(TGraphic::FromFileBytes(Photo()));
    Form->BGImage->Show();
    Form->BGImage->Picture()->Graphic()->Image();  // decoded, as once shown
    Form->DocumentOpened(QStringLiteral("bench.tsl"));
    if (shown) {
      Form->show();
      QCoreApplication::processEvents();
    }
  }

  // Moves one object as a drag would and records the step.
  void Drag(int i) {
    auto* shape = static_cast<TQuShape*>(Form->ObjectList[500]);
    shape->SetLeft(shape->Left() + (i % 2 ? -7 : 7));
    Form->MarkModified();
    Form->History().Flush();
  }
};

void BM_RecordStepAfterDrag(benchmark::State& state) {
  Card card(false);
  int i = 0;
  for (auto _ : state) card.Drag(i++);
}
BENCHMARK(BM_RecordStepAfterDrag)->Unit(benchmark::kMillisecond);

void UndoOrRedo(benchmark::State& state, bool undo, bool shown) {
  Card card(shown);
  card.Drag(0);
  for (auto _ : state) {
    if (undo) {
      card.Form->EditUndoClick();
    } else {
      state.PauseTiming();
      card.Form->EditUndoClick();
      if (shown) QCoreApplication::processEvents();
      state.ResumeTiming();
      card.Form->EditRedoClick();
    }
    if (shown) QCoreApplication::processEvents();
    if (undo) {
      state.PauseTiming();
      card.Form->EditRedoClick();
      if (shown) QCoreApplication::processEvents();
      state.ResumeTiming();
    }
  }
}
void BM_Undo(benchmark::State& state) { UndoOrRedo(state, true, false); }
void BM_Redo(benchmark::State& state) { UndoOrRedo(state, false, false); }
void BM_UndoRepaint(benchmark::State& state) { UndoOrRedo(state, true, true); }
void BM_RedoRepaint(benchmark::State& state) { UndoOrRedo(state, false, true); }
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoRepaint)->Unit(benchmark::kMillisecond);

void BM_HistoryMemory(benchmark::State& state) {
  for (auto _ : state) {
    Card card(false);
    malloc_trim(0);
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < UndoHistory::Limit; ++i) card.Drag(i);
    const size_t after = mallinfo2().uordblks;
    state.counters["MB"] = double(after - before) / (1024.0 * 1024.0);
    state.counters["steps"] = card.Form->History().Steps();
  }
}
BENCHMARK(BM_HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
