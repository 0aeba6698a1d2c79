#pragma once
// One print job: the card composed once from copies of the worksheet's
// objects, scaled to the device, and painted into every cell of the sheet
// after the crop marks. The worksheet is only read.
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

#include "Outcome.h"
#include "PrintCorrection.h"
#include "PrintLayout.h"
#include "PrinterCalibration.h"

class IPrintDevice;
class QPainter;
class TControl;
class TImage;
class TWinControl;
struct DocumentPageSetup;

// The device's capabilities as the layout reads them.
TPrintCaps ReadPrintCaps(const IPrintDevice& device);

// The crop marks of layout, with the device's default pen (black, one device
// pixel wide), where correction puts them.
void DrawCropMarks(QPainter& painter, const TSheetLayout& layout, const TPrintCorrection& correction);
// The composed card at a cell's origin, moved and stretched by correction;
// nothing when it lies wholly outside the printable area.
void PaintCardAt(QPainter& painter, TWinControl& card, QPoint origin, const TPrintCorrection& correction,
                 const QRect& printable);

// Prints one sheet. Refused when the job could not start, Failed when it
// failed on the way, each with the message to show (Japanese, the reason
// included); the job is then abandoned and nothing is printed. calibration moves
// and scales every card and crop mark for the printer it is meant for; the
// neutral one leaves the sheet exactly as the page setup alone puts it.
TOutcome PrintCardSheet(IPrintDevice& device, const TImage* background, const std::vector<TControl*>& objects,
                        const DocumentPageSetup& setup, const TPrinterCalibration& calibration = {});
