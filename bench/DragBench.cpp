// Dragging one object across a worksheet that holds 200 objects: one mouse
// move through the worksheet widget, including the repaint it causes.
//
//   BM_DragMoveWithRepaint  the window is shown; each move is followed by
//                           the event processing that repaints what it
//                           damaged (through Qt's backing store).
//   BM_DragMoveDamageOnly   the handlers plus painting exactly the region
//                           the move invalidated into an image.
// The time per iteration (in ms) is the figure to compare with the 4 ms aim.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "Gridshape.h"
#include "Image.h"
#include "Labelex.h"
#include "PanelView.h"
#include "Picture.h"
#include "Qushape.h"
#include "Unit2.h"
#include "WinControl.h"

namespace {

// Counts the paints of the worksheet widget, to prove each move repainted.
class PaintCounter : public QObject {
 public:
  int Paints = 0;
  double Area = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      ++Paints;
      Area += double(static_cast<QPaintEvent*>(e)->region().boundingRect().width()) *
              static_cast<QPaintEvent*>(e)->region().boundingRect().height();
    }
    return false;
  }
};

std::unique_ptr<TForm2> MakeEditor() {
  auto form = std::make_unique<TForm2>();
  form->resize(900, 700);
  form->ResetEditorWorksheet(455, 275);
  TWinControl* panel = form->DrawPanel;
  QImage pixels(60, 40, QImage::Format_RGB32);
  pixels.fill(Qt::darkCyan);
  QByteArray bmp;
  {
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    pixels.save(&buffer, "BMP");
  }
  // 200 objects spread over the card: shapes of every kind, texts, pictures.
  for (int i = 0; i < 200; ++i) {
    const int x = (i * 37) % 420, y = (i * 53) % 250;
    TControl* object = nullptr;
    switch (i % 5) {
      case 0:
      case 1:
      case 2: {
        auto* s = new TQuShape(panel);
        s->SetParent(panel);
        s->SetShape(TQuShapeType(std::array{0, 1, 4, 5, 6, 7}[i % 6]));
        s->SetLeft(x);
        s->SetTop(y);
        s->SetWidth(30 + i % 20);
        s->SetHeight(20 + i % 15);
        s->Pen()->SetWidth(1 + i % 3);
        if (i % 2) {
          s->Brush()->SetStyle(bsSolid);
          s->Brush()->SetColor(TColor(0x40A0F0 + i));
        } else {
          s->Brush()->SetStyle(bsClear);
        }
        object = s;
        break;
      }
      case 3: {
        auto* l = new TLabelEx(panel);
        l->SetParent(panel);
        l->SetTransparent(true);
        l->Font()->SetName(QStringLiteral("ＭＳ Ｐ明朝"));
        l->Font()->SetSize(10 + i % 8);
        l->SetCaption(QStringLiteral("名刺 Card %1").arg(i));
        l->SetGap(i % 3);
        l->SetLeft(x);
        l->SetTop(y);
        object = l;
        break;
      }
      default: {
        auto* im = new TImage(panel);
        im->SetParent(panel);
        im->Picture()->SetGraphic(TGraphic::FromFileBytes(bmp));
        im->SetStretch(true);
        im->SetBounds(x, y, 60, 40);
        object = im;
        break;
      }
    }
    form->AttachObject(object);
  }
  // The one being dragged: a filled rectangle on top.
  auto* moving = new TQuShape(panel);
  moving->SetParent(panel);
  moving->Brush()->SetColor(clRed);
  moving->SetLeft(20);
  moving->SetTop(100);
  moving->SetWidth(60);
  moving->SetHeight(40);
  form->AttachObject(moving);
  form->SnapToGrid = false;
  return form;
}

void Send(QWidget* view, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), view->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(view, &e);
}

// The x of step i of a drag that sweeps right and back across the card.
int SweepX(int64_t i) {
  const int phase = int(i % 700);
  return 50 + (phase < 350 ? phase : 700 - phase);
}

void BM_DragMoveWithRepaint(benchmark::State& state) {
  auto form = MakeEditor();
  form->show();
  QApplication::processEvents();
  PanelView* view = form->DrawView;
  PaintCounter counter;
  view->installEventFilter(&counter);
  Send(view, QEvent::MouseButtonPress, {50, 120}, Qt::LeftButton, Qt::LeftButton);
  int64_t i = 0;
  for (auto _ : state) {
    Send(view, QEvent::MouseMove, {SweepX(++i), 120}, Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
  }
  Send(view, QEvent::MouseButtonRelease, {SweepX(i), 120}, Qt::LeftButton, Qt::NoButton);
  state.counters["paints_per_move"] = double(counter.Paints) / double(std::max<int64_t>(1, state.iterations()));
  state.counters["painted_px_per_move"] = counter.Area / double(std::max<int64_t>(1, state.iterations()));
}
BENCHMARK(BM_DragMoveWithRepaint)->Unit(benchmark::kMillisecond);

void BM_DragMoveDamageOnly(benchmark::State& state) {
  auto form = MakeEditor();
  PanelView* view = form->DrawView;
  TWinControl* panel = form->DrawPanel;
  // Collect what the move invalidates, then paint exactly that.
  QRegion damage;
  auto previous = panel->OnInvalidate;
  panel->OnInvalidate = [&damage, previous](const QRect& r) {
    damage += r;
    if (previous) previous(r);
  };
  QImage target(panel->Width(), panel->Height(), QImage::Format_ARGB32_Premultiplied);
  Send(view, QEvent::MouseButtonPress, {50, 120}, Qt::LeftButton, Qt::LeftButton);
  int64_t i = 0;
  for (auto _ : state) {
    damage = QRegion();
    Send(view, QEvent::MouseMove, {SweepX(++i), 120}, Qt::NoButton, Qt::LeftButton);
    QPainter p(&target);
    p.setClipRegion(damage);
    panel->PaintControl(p);
  }
  Send(view, QEvent::MouseButtonRelease, {SweepX(i), 120}, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_DragMoveDamageOnly)->Unit(benchmark::kMillisecond);

}  // namespace
