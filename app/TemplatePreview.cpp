#include "TemplatePreview.h"

#include <cmath>
#include <limits>

#include "DocumentFormat.h"
#include "DocumentPageSetup.h"
#include "Gridshape.h"
#include "Qushape.h"
#include "WinControl.h"

namespace {

constexpr int kScaleM = 50, kScaleD = 100;

int Scaled(int value, int M, int D) {
  const float v = float(value) * float(M) / float(D) + 0.5f;
  // A damaged template may hold any value; float-to-int outside the range
  // would be undefined.
  if (!(v > -2147483648.0f)) return std::numeric_limits<int>::min();
  if (!(v < 2147483520.0f)) return 2147483520;
  return int(std::trunc(v));
}

}  // namespace

void TTemplatePreview::Clear() {
  FSheet.DiscardWorksheet();
  FError.clear();
}

TTemplatePreview::TRenderResult TTemplatePreview::Render(const QString& path, QSize scrollBox) {
  Clear();
  const TOutcomeOf<QByteArray> bytes = ReadDocumentFileBytes(path);
  if (!bytes.Ok()) {
    FError = bytes.Reason();
    return prFailed;
  }
  return RenderBytes(bytes.Value(), scrollBox);
}

TTemplatePreview::TRenderResult TTemplatePreview::RenderBytes(QByteArrayView bytes, QSize scrollBox) {
  using DocumentFormat::ReadError;
  Clear();
  // The template's page setup and version are read and not kept.
  DocumentPageSetup setup;
  QByteArray version;
  const DocumentFormat::ReadResult read = DocumentFormat::ReadDocument(bytes, FSheet, setup, version);
  if (!read.Ok()) {
    const bool quiet = read.Error == ReadError::UnknownTag;
    FSheet.DiscardWorksheet();
    if (quiet) return prHidden;
    FError = read.Detail;
    return prFailed;
  }

  TPanel* panel = FSheet.DrawPanel;
  panel->SetVisible(false);
  // The preview shows no grid.
  delete FSheet.GridShape;
  FSheet.GridShape = nullptr;
  panel->SetColor(TColor(0xFFFFFF));
  panel->SetCaption(QString());

  panel->ScaleBy(kScaleM, kScaleD);
  ScaleShapes(FSheet.ObjectList, kScaleM, kScaleD);
  const QPoint at = CentredInScrollBox(scrollBox, QSize(panel->Width(), panel->Height()));
  panel->SetBounds(at.x(), at.y(), panel->Width(), panel->Height());
  panel->SetVisible(true);
  return prShown;
}

void ScaleShapes(const std::vector<TControl*>& objects, int M, int D) {
  if (D == 0) return;
  for (TControl* object : objects) {
    auto* shape = dynamic_cast<TQuShape*>(object);
    if (!shape) continue;
    shape->SetTop(Scaled(shape->Top(), M, D));
    shape->SetLeft(Scaled(shape->Left(), M, D));
    shape->SetWidth(Scaled(shape->Width(), M, D));
    shape->SetHeight(Scaled(shape->Height(), M, D));
    shape->Pen()->SetWidth(Scaled(shape->Pen()->Width(), M, D));
    // Recomputes the control's bounds from the logical rectangle even where
    // no value changed, and repaints.
    shape->StyleChanged(nullptr);
  }
}

QPoint CentredInScrollBox(QSize scrollBox, QSize panel) {
  const int left = panel.width() < scrollBox.width() ? (scrollBox.width() - panel.width()) / 2 : 0;
  const int top = panel.height() < scrollBox.height() ? (scrollBox.height() - panel.height()) / 2 : 0;
  return QPoint(left, top);
}
