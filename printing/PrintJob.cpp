#include "PrintJob.h"

#include <QPainter>

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

bool Fail(QString* error, int message, const QString& reason) {
  if (error) *error = PrintMessage(message).arg(reason);
  return false;
}

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

void PaintCardAt(QPainter& painter, TWinControl& card, QPoint origin, const TPrintCorrection& correction) {
  const QPoint at = correction.Map(origin);
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

bool PrintCardSheet(IPrintDevice& device, const TImage* background, const std::vector<TControl*>& objects,
                    const DocumentPageSetup& setup, QString* error, const TPrinterCalibration& calibration) {
  QString why;
  if (!device.BeginDoc(&why)) return Fail(error, PrintText::CannotStart, why);

  const TPrintCaps caps = ReadPrintCaps(device);
  const TSheetLayout layout(setup, caps);
  if (!layout.Valid()) {
    device.Abort();
    const bool deviceKnown = caps.HorzRes > 0 && caps.VertRes > 0 && caps.HorzSize > 0 && caps.VertSize > 0;
    return Fail(error, PrintText::CannotStart,
                PrintMessage(deviceKnown ? PrintText::BadCardSize : PrintText::NoDeviceInfo));
  }

  try {
    TCardComposition card = ComposeCard(background, objects, setup.SheetWidthPx, setup.SheetHeightPx, true);
    ScaleComposition(card, layout.U());
    QPainter& painter = device.Canvas();
    const TPrintCorrection correction(calibration, layout.T(), layout.V(), caps.OffsetX, caps.OffsetY);
    DrawCropMarks(painter, layout, correction);
    for (int i = 0; i < layout.Columns(); ++i)
      for (int j = 0; j < layout.Rows(); ++j) PaintCardAt(painter, *card.Panel, layout.CardOrigin(i, j), correction);
  } catch (const EReadError&) {
    device.Abort();
    return Fail(error, PrintText::FailedMidJob, PrintMessage(PrintText::CannotCompose));
  } catch (const std::bad_alloc&) {
    device.Abort();
    return Fail(error, PrintText::FailedMidJob, PrintMessage(PrintText::OutOfMemory));
  }

  if (!device.EndDoc(&why)) return Fail(error, PrintText::FailedMidJob, why);
  return true;
}
