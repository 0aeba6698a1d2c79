#pragma once
// One print job: the card composed once from copies of the worksheet's
// objects, scaled to the device, and painted into every cell of the sheet
// after the crop marks. The worksheet is only read.
#include <QString>

#include <vector>

#include "PrintLayout.h"

class IPrintDevice;
class QPainter;
class TControl;
class TImage;
struct DocumentPageSetup;

// The device's capabilities as the layout reads them.
TPrintCaps ReadPrintCaps(const IPrintDevice& device);

// The crop marks of layout, with the device's default pen (black, one device
// pixel wide).
void DrawCropMarks(QPainter& painter, const TSheetLayout& layout);

// Prints one sheet. Returns false with the message to show (Japanese, the
// reason included) in *error when the job could not start or failed on the
// way; the job is then abandoned and nothing is printed.
bool PrintCardSheet(IPrintDevice& device, const TImage* background, const std::vector<TControl*>& objects,
                    const DocumentPageSetup& setup, QString* error);
