// Dragging over large pictures: one mouse move through the worksheet widget,
// with the repaint it causes (the window is shown; Qt's backing store).
//
//   BM_DragLargePictureAtNaturalSize  a 12- or 108-megapixel photo placed at
//                                     its own size (far larger than the card)
//                                     is dragged.
//   BM_DragOverFullSizeBackground     a shape is dragged on a card whose
//                                     background is a print-resolution
//                                     picture stretched to the card.
//   BM_ResizeLargePicture             a 12-megapixel photo shown at card size
//                                     is resized with its corner mark.
// The time per iteration (in ms) is the figure to compare with the 4 ms aim.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "Gridshape.h"
#include "Image.h"
#include "PanelView.h"
#include "Picture.h"
#include "Qushape.h"
#include "Unit2.h"
#include "WinControl.h"

namespace {

// A photo-like picture: gradients and a few shapes, as JPEG file bytes.
QByteArray Photo(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(30, 90, 160));
  g.setColorAt(1, QColor(240, 200, 120));
  p.fillRect(img.rect(), g);
  for (int i = 0; i < 40; ++i) {
    p.setBrush(QColor::fromHsv((i * 37) % 360, 120, 220));
    p.drawEllipse(QPoint((i * 997) % w, (i * 613) % h), w / 12, h / 12);
  }
  p.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(85);
  writer.write(img);
  return bytes;
}

std::unique_ptr<TForm2> MakeEditor() {
  auto form = std::make_unique<TForm2>();
  form->resize(900, 700);
  form->ResetEditorWorksheet(455, 275);
  form->SnapToGrid = false;
  return form;
}

TImage* AddPicture(TForm2& form, const QByteArray& bytes, QRect bounds) {
  auto* image = new TImage(form.DrawPanel);
  image->SetParent(form.DrawPanel);
  image->Picture()->SetGraphic(TGraphic::FromFileBytes(bytes));
  image->SetStretch(true);
  image->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
  form.AttachObject(image);
  return image;
}

void Send(QWidget* view, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), view->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(view, &e);
}

int Sweep(int64_t i, int from, int span) {
  const int phase = int(i % (2 * span));
  return from + (phase < span ? phase : 2 * span - phase);
}

// Counts the paints of the worksheet widget, to prove each move repainted.
class PaintCounter : public QObject {
 public:
  int Paints = 0;
  double Area = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      ++Paints;
      const QRect r = static_cast<QPaintEvent*>(e)->region().boundingRect();
      Area += double(r.width()) * r.height();
    }
    return false;
  }
};

void Report(benchmark::State& state, const PaintCounter& counter) {
  const double moves = double(std::max<int64_t>(1, state.iterations()));
  state.counters["paints_per_move"] = counter.Paints / moves;
  state.counters["painted_px_per_move"] = counter.Area / moves;
}

// Presses at from, then sweeps right and back while the benchmark runs.
void DragLoop(benchmark::State& state, TForm2& form, QPoint from, int span) {
  form.show();
  QApplication::processEvents();
  PanelView* view = form.DrawView;
  PaintCounter counter;
  view->installEventFilter(&counter);
  Send(view, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  QApplication::processEvents();
  int64_t i = 0;
  for (auto _ : state) {
    Send(view, QEvent::MouseMove, {Sweep(++i, from.x(), span), from.y()}, Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
  }
  Send(view, QEvent::MouseButtonRelease, {Sweep(i, from.x(), span), from.y()}, Qt::LeftButton, Qt::NoButton);
  Report(state, counter);
}

void BM_DragLargePictureAtNaturalSize(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  auto form = MakeEditor();
  AddPicture(*form, Photo(w, h), QRect(20, 20, w, h));
  DragLoop(state, *form, {100, 100}, 200);
}
// 12 megapixels, and the 108 of the largest camera photos.
BENCHMARK(BM_DragLargePictureAtNaturalSize)->Args({4000, 3000})->Args({12000, 9000})->Unit(benchmark::kMillisecond);

void BM_DragOverFullSizeBackground(benchmark::State& state) {
  auto form = MakeEditor();
  form->BGImage->Picture()->SetGraphic(TGraphic::FromFileBytes(Photo(1075, 650)));
  form->BGImage->SetVisible(true);
  auto* shape = new TQuShape(form->DrawPanel);
  shape->SetParent(form->DrawPanel);
  shape->Brush()->SetColor(clRed);
  shape->SetLeft(40);
  shape->SetTop(100);
  shape->SetWidth(80);
  shape->SetHeight(50);
  form->AttachObject(shape);
  DragLoop(state, *form, {60, 120}, 300);
}
BENCHMARK(BM_DragOverFullSizeBackground)->Unit(benchmark::kMillisecond);

void BM_ResizeLargePicture(benchmark::State& state) {
  auto form = MakeEditor();
  TImage* image = AddPicture(*form, Photo(4000, 3000), QRect(10, 10, 300, 225));
  form->show();
  QApplication::processEvents();
  PanelView* view = form->DrawView;
  PaintCounter counter;
  view->installEventFilter(&counter);
  // Select it, then hold its bottom-right mark.
  Send(view, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
  Send(view, QEvent::MouseButtonRelease, {50, 50}, Qt::LeftButton, Qt::NoButton);
  form->KeepAspect = true;
  const QPoint mark(image->Left() + image->Width() + 2, image->Top() + image->Height() + 2);
  Send(view, QEvent::MouseButtonPress, mark, Qt::LeftButton, Qt::LeftButton);
  QApplication::processEvents();
  int64_t i = 0;
  for (auto _ : state) {
    const int d = Sweep(++i, 0, 120) - 60;
    Send(view, QEvent::MouseMove, mark + QPoint(d, d), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
  }
  Send(view, QEvent::MouseButtonRelease, mark, Qt::LeftButton, Qt::NoButton);
  Report(state, counter);
}
BENCHMARK(BM_ResizeLargePicture)->Unit(benchmark::kMillisecond);

}  // namespace
