// TForm2: the View menu's zoom, Ctrl with the wheel over the worksheet, and
// the zoom kept in tessolo.ini.
#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>

#include "PanelView.h"
#include "Unit2.h"
#include "WinControl.h"

namespace {
constexpr char kZoomKey[] = "Worksheet/Zoom";
// The gap the scroll box keeps round the worksheet, in screen pixels.
constexpr int kMargin = 10;
}  // namespace

void TForm2::WireZoomCommands() {
  connect(ViewZoomIn, &QAction::triggered, this, [this] { ZoomInClick(); });
  connect(ViewZoomOut, &QAction::triggered, this, [this] { ZoomOutClick(); });
  connect(ViewFit, &QAction::triggered, this, [this] { ZoomFitClick(); });
  for (size_t i = 0; i < ViewZoomSteps.size(); ++i)
    connect(ViewZoomSteps[i], &QAction::triggered, this, [this, i] { ZoomStepClick(ZoomLevels::Steps[i]); });
}

int TForm2::WorksheetZoom() const {
  if (!FZoom.FitWindow) return FZoom.Percent;
  if (!DrawPanel) return ZoomLevels::Normal;
  return ZoomLevels::Fit(QSize(DrawPanel->Width(), DrawPanel->Height()), ScrollBox0->maximumViewportSize(), kMargin);
}

void TForm2::ZoomStepClick(int percent) { ChooseZoom({false, percent}); }
void TForm2::ZoomFitClick() { ChooseZoom({true, ZoomLevels::Normal}); }
void TForm2::ZoomInClick() { ChooseZoom({false, ZoomLevels::In(WorksheetZoom())}); }
void TForm2::ZoomOutClick() { ChooseZoom({false, ZoomLevels::Out(WorksheetZoom())}); }

void TForm2::ZoomByWheel(int steps, QPoint viewPos) {
  int percent = WorksheetZoom();
  for (int i = 0; i < steps; ++i) percent = ZoomLevels::In(percent);
  for (int i = 0; i > steps; --i) percent = ZoomLevels::Out(percent);
  // The point under the mouse stays under it.
  ChooseZoom({false, percent}, DrawView ? DrawView->mapTo(ScrollBox0->viewport(), viewPos) : QPoint());
}

void TForm2::ReadZoomSetting() {
  FZoom = ZoomLevels::FromText(OwnSettings().value(QLatin1String(kZoomKey)).toString());
  ApplyZoom();
}

void TForm2::ChooseZoom(ZoomLevels::TZoomSetting setting, std::optional<QPoint> viewportAnchor) {
  FZoom = setting;
  OwnSettings().setValue(QLatin1String(kZoomKey), ZoomLevels::ToText(FZoom));
  OwnSettings().sync();
  ApplyZoom(viewportAnchor);
}

void TForm2::ApplyZoom(std::optional<QPoint> viewportAnchor) {
  ViewFit->setChecked(FZoom.FitWindow);
  for (size_t i = 0; i < ViewZoomSteps.size(); ++i)
    ViewZoomSteps[i]->setChecked(!FZoom.FitWindow && ZoomLevels::Steps[i] == FZoom.Percent);
  if (!DrawPanel || !DrawView) return;

  QScrollBar* h = ScrollBox0->horizontalScrollBar();
  QScrollBar* v = ScrollBox0->verticalScrollBar();
  const QPoint anchor = viewportAnchor.value_or(ScrollBox0->viewport()->rect().center());
  // The anchor in worksheet pixels (fractions kept) before the change.
  const double before = DrawView->Zoom() / 100.0;
  const QPointF sheetPoint = QPointF(anchor.x() + h->value() - DrawView->x(), anchor.y() + v->value() - DrawView->y()) / before;

  DrawView->SetZoom(WorksheetZoom());
  if (QWidget* holder = DrawView->parentWidget())
    holder->resize(DrawView->x() + DrawView->width() + kMargin, DrawView->y() + DrawView->height() + kMargin);
  DrawView->update();

  const QPointF after = sheetPoint * (DrawView->Zoom() / 100.0);
  h->setValue(int(after.x()) + DrawView->x() - anchor.x());
  v->setValue(int(after.y()) + DrawView->y() - anchor.y());
}
