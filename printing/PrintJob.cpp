#include "PrintJob.h"

#include <QPainter>

#include <cmath>
#include <new>

#include "Canvas.h"
#include "CardComposition.h"
#include "Errors.h"
#include "PrintDevice.h"
#include "PrintCorrection.h"
#include "PrintMessages.h"
#include "WinControl.h"

TPrintCaps ReadPrintCaps(const IPrintDevice& device) {
  TPrintCaps caps;
  caps.HorzRes = device.GetDeviceCaps(HORZRES);
  caps.HorzSize = device.GetDeviceCaps(HORZSIZE);
  caps.VertRes = device.GetDeviceCaps(VERTRES);
  caps.VertSize = device.GetDeviceCaps(VERTSIZE);
  caps.OffsetX = device.GetDeviceCaps(PHYSICALOFFSETX);
  caps.OffsetY = device.GetDeviceCaps(PHYSICALOFFSETY);
  return caps;
}

namespace {

// Nothing printed: the job did not start.
TOutcome Refuse(const QString& reason) { return TOutcome::Refused(PrintMessage(PrintText::CannotStart).arg(reason)); }
// The job was abandoned on the way.
TOutcome Fail(const QString& reason) { return TOutcome::Failed(PrintMessage(PrintText::FailedMidJob).arg(reason)); }

}  // namespace

void DrawCropMarks(QPainter& painter, const TSheetLayout& layout, const TPrintCorrection& correction) {
  // The device's default pen: black, one device pixel wide.
  TCanvas canvas;
  canvas.BeginPaint(&painter);
  for (const QLine& drawn : layout.CropMarks()) {
    const QLine line = correction.Map(drawn);
    canvas.MoveTo(line.x1(), line.y1());
    canvas.LineTo(line.x2(), line.y2());
  }
  canvas.EndPaint();
}

void PaintCardAt(QPainter& painter, TWinControl& card, QPoint origin, const TPrintCorrection& correction,
                 const QRect& printable) {
  const QPoint at = correction.Map(origin);
  // Cells off the printable area would be clipped away whole; painting them
  // anyway costs time and, on PDF, memory for every one of them.
  const qint64 w = qint64(std::ceil(card.Width() * correction.Sx())), h = qint64(std::ceil(card.Height() * correction.Sy()));
  auto meets = [](qint64 from, qint64 size, qint64 start, qint64 end) { return from < end && from + size > start; };
  if (!meets(at.x(), w, printable.left(), qint64(printable.left()) + printable.width()) ||
      !meets(at.y(), h, printable.top(), qint64(printable.top()) + printable.height()))
    return;
  if (!correction.Scales()) {
    card.PaintTo(painter, at.x(), at.y());
    return;
  }
  // The card composed once at the page setup's scale; the printer's own
  // stretch is the painter's, so the card stays one image.
  painter.save();
  painter.translate(at);
  painter.scale(correction.Sx(), correction.Sy());
  card.PaintTo(painter, 0, 0);
  painter.restore();
}

TOutcome PrintCardSheet(IPrintDevice& device, const TImage* background, const std::vector<TControl*>& objects,
                        const DocumentPageSetup& setup, const TPrinterCalibration& calibration) {
  if (const TOutcome started = device.BeginDoc(); !started.Ok()) return Refuse(started.Reason());

  const TPrintCaps caps = ReadPrintCaps(device);
  const TSheetLayout layout(setup, caps);
  if (!layout.Valid()) {
    device.Abort();
    const int why = layout.Problem() == TSheetLayout::TProblem::NoDevice  ? PrintText::NoDeviceInfo
                    : layout.Problem() == TSheetLayout::TProblem::NoCards ? PrintText::NoCardsOnSheet
                                                                          : PrintText::BadCardSize;
    return Refuse(PrintMessage(why));
  }

  try {
    TCardComposition card = ComposeCard(background, objects, setup.SheetWidthPx, setup.SheetHeightPx, true);
    ScaleComposition(card, layout.U());
    QPainter& painter = device.Canvas();
    const TPrintCorrection correction(calibration, layout.T(), layout.V(), caps.OffsetX, caps.OffsetY);
    DrawCropMarks(painter, layout, correction);
    const QRect printable(0, 0, caps.HorzRes, caps.VertRes);
    for (int i = 0; i < layout.Columns(); ++i)
      for (int j = 0; j < layout.Rows(); ++j)
        PaintCardAt(painter, *card.Panel, layout.CardOrigin(i, j), correction, printable);
  } catch (const EReadError&) {
    device.Abort();
    return Fail(PrintMessage(PrintText::CannotCompose));
  } catch (const std::bad_alloc&) {
    device.Abort();
    return Fail(PrintMessage(PrintText::OutOfMemory));
  }

  if (const TOutcome ended = device.EndDoc(); !ended.Ok()) return Fail(ended.Reason());
  return {};
}
