// Changing the colour of one selected object among 200 with a palette
// button: the handler plus the repaint it causes. The colour alternates, so
// every iteration is a real change.
//
//   BM_PaletteColourWithRepaint  the window is shown; each press is followed
//                                by the event processing that repaints what
//                                it damaged (through Qt's backing store).
//   BM_PaletteColourDamageOnly   the handler plus painting exactly the
//                                region the change invalidated into an image.
// damaged_px counts the pixels invalidated per change: the object's own
// bounds and nothing more. The time per iteration (in ms) is the figure to
// compare with the 2 ms aim.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "ColorSwatch.h"
#include "Labelex.h"
#include "PanelView.h"
#include "Qushape.h"
#include "Unit2.h"
#include "WinControl.h"

namespace {

std::unique_ptr<TForm2> MakeEditor(TQuShape** target) {
  auto form = std::make_unique<TForm2>();
  form->resize(900, 700);
  form->ResetEditorWorksheet(455, 275);
  TWinControl* panel = form->DrawPanel;
  for (int i = 0; i < 200; ++i) {
    const int x = (i * 37) % 420, y = (i * 53) % 250;
    if (i % 4 == 3) {
      auto* l = new TLabelEx(panel);
      l->SetParent(panel);
      l->SetTransparent(true);
      l->Font()->SetName(QStringLiteral("ＭＳ Ｐ明朝"));
      l->Font()->SetSize(10 + i % 8);
      l->SetCaption(QStringLiteral("名刺 Card %1").arg(i));
      l->SetLeft(x);
      l->SetTop(y);
      form->AttachObject(l);
      continue;
    }
    auto* s = new TQuShape(panel);
    s->SetParent(panel);
    s->SetShape(TQuShapeType(std::array{0, 1, 4, 5, 6, 7}[i % 6]));
    s->SetLeft(x);
    s->SetTop(y);
    s->SetWidth(30 + i % 20);
    s->SetHeight(20 + i % 15);
    s->Pen()->SetWidth(1 + i % 3);
    s->Brush()->SetStyle(i % 2 ? bsSolid : bsClear);
    s->Brush()->SetColor(TColor(0x40A0F0 + i));
    form->AttachObject(s);
  }
  // The one whose colour changes: a filled rectangle in the middle.
  auto* s = new TQuShape(panel);
  s->SetParent(panel);
  s->SetLeft(200);
  s->SetTop(120);
  s->SetWidth(60);
  s->SetHeight(40);
  s->Pen()->SetWidth(3);
  form->AttachObject(s);
  form->SelectObject(s, s->Top(), s->Width(), s->Height(), s->Left());
  *target = s;
  return form;
}

// A press of palette button i with the right button: the fill colour.
void PressPalette(TForm2& form, int i) {
  ColorSwatch* b = form.ColorButtons[i];
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(4, 4), b->mapToGlobal(QPointF(4, 4)), Qt::RightButton,
                Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(b, &e);
}

void BM_PaletteColourWithRepaint(benchmark::State& state) {
  TQuShape* target = nullptr;
  auto form = MakeEditor(&target);
  form->show();
  QApplication::processEvents();
  int64_t i = 0;
  for (auto _ : state) {
    PressPalette(*form, (++i % 2) ? 4 : 12);
    QApplication::processEvents();
  }
  benchmark::DoNotOptimize(target->Brush()->Color());
}
BENCHMARK(BM_PaletteColourWithRepaint)->Unit(benchmark::kMillisecond);

void BM_PaletteColourDamageOnly(benchmark::State& state) {
  TQuShape* target = nullptr;
  auto form = MakeEditor(&target);
  TWinControl* panel = form->DrawPanel;
  QRegion damage;
  double damaged = 0;
  auto previous = panel->OnInvalidate;
  panel->OnInvalidate = [&damage, previous](const QRect& r) {
    damage += r;
    if (previous) previous(r);
  };
  QImage frame(panel->Width(), panel->Height(), QImage::Format_ARGB32_Premultiplied);
  {
    QPainter warm(&frame);
    panel->PaintControl(warm);
  }
  int64_t i = 0;
  for (auto _ : state) {
    damage = QRegion();
    PressPalette(*form, (++i % 2) ? 4 : 12);
    QPainter p(&frame);
    p.setClipRegion(damage);
    panel->PaintControl(p);
    for (const QRect& r : damage) damaged += double(r.width()) * r.height();
  }
  const QRect bounds = target->BoundsRect();
  state.counters["damaged_px"] = damaged / double(std::max<int64_t>(1, state.iterations()));
  state.counters["object_px"] = double(bounds.width()) * bounds.height();
}
BENCHMARK(BM_PaletteColourDamageOnly)->Unit(benchmark::kMillisecond);

}  // namespace
