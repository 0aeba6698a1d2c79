#include "PrintJob.h"

#include <QPainter>

#include <new>

#include "Canvas.h"
#include "CardComposition.h"
#include "Errors.h"
#include "PrintDevice.h"
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

void DrawCropMarks(QPainter& painter, const TSheetLayout& layout) {
  // The device's default pen: black, one device pixel wide.
  TCanvas canvas;
  canvas.BeginPaint(&painter);
  for (const QLine& line : layout.CropMarks()) {
    canvas.MoveTo(line.x1(), line.y1());
    canvas.LineTo(line.x2(), line.y2());
  }
  canvas.EndPaint();
}

}  // namespace

bool PrintCardSheet(IPrintDevice& device, const TImage* background, const std::vector<TControl*>& objects,
                    const DocumentPageSetup& setup, QString* error) {
  QString why;
  if (!device.BeginDoc(&why)) return Fail(error, PrintText::CannotStart, why);

  const TPrintCaps caps = ReadPrintCaps(device);
  const TSheetLayout layout(setup, caps);
  if (!layout.Valid()) {
    device.Abort();
    const int why = layout.Problem() == TSheetLayout::TProblem::NoDevice  ? PrintText::NoDeviceInfo
                    : layout.Problem() == TSheetLayout::TProblem::NoCards ? PrintText::NoCardsOnSheet
                                                                          : PrintText::BadCardSize;
    return Fail(error, PrintText::CannotStart, PrintMessage(why));
  }

  try {
    TCardComposition card = ComposeCard(background, objects, setup.SheetWidthPx, setup.SheetHeightPx, true);
    ScaleComposition(card, layout.U());
    QPainter& painter = device.Canvas();
    DrawCropMarks(painter, layout);
    // Cells off the printable area would be clipped away whole; painting
    // them anyway costs time and, on PDF, memory for every one of them.
    const qint64 w = card.Panel->Width(), h = card.Panel->Height();
    auto meets = [](qint64 at, qint64 size, qint64 area) { return at < area && at + size > 0; };
    for (int i = 0; i < layout.Columns(); ++i) {
      if (!meets(layout.CardOrigin(i, 0).x(), w, caps.HorzRes)) continue;
      for (int j = 0; j < layout.Rows(); ++j) {
        const QPoint at = layout.CardOrigin(i, j);
        if (meets(at.y(), h, caps.VertRes)) card.Panel->PaintTo(painter, at.x(), at.y());
      }
    }
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
