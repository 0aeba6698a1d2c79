#pragma once
// A print device: what the printing rules read from a printer's device
// context (its capabilities) and a painter whose origin is the top-left
// corner of the printable area, as a printer's device context has it.
// Implementations: QPrinterDevice (real printers through CUPS, and PDF) and
// ImagePrintDevice (an image whose quantities a test chooses).
#include <QString>

#include "Outcome.h"
#include "StringTable.h"

class QPainter;

// Capability indices, as a printer's device context numbers them.
enum TDeviceCap : int {
  HORZSIZE = 4,          // printable width, millimetres
  VERTSIZE = 6,          // printable height, millimetres
  HORZRES = 8,           // printable width, device pixels
  VERTRES = 10,          // printable height, device pixels
  PHYSICALWIDTH = 110,   // whole sheet width, device pixels
  PHYSICALHEIGHT = 111,  // whole sheet height, device pixels
  PHYSICALOFFSETX = 112, // sheet's left edge to printable area, device pixels
  PHYSICALOFFSETY = 113, // sheet's top edge to printable area, device pixels
};

class IPrintDevice {
 public:
  virtual ~IPrintDevice() = default;

  // The capabilities can be read at any time, also before BeginDoc (the
  // preview reads them without printing anything). Unknown indices give 0.
  virtual int GetDeviceCaps(TDeviceCap index) const = 0;

  // Starts the one page of a job. Refused, with the reason in Japanese, when
  // the device cannot start it (nothing is printed then).
  virtual TOutcome BeginDoc() = 0;
  // True between a successful BeginDoc and EndDoc or Abort.
  virtual bool Printing() const = 0;
  // The page's painter, origin at the printable area's top-left corner, one
  // unit a device pixel. Only while Printing().
  virtual QPainter& Canvas() = 0;
  // Finishes the job and sends the page. Failed, with the reason in
  // Japanese, when the device failed while producing it (the job is then
  // abandoned and no half-written output is left behind); Refused when no
  // job was printing.
  virtual TOutcome EndDoc() = 0;
  // Abandons the job; nothing is printed.
  virtual void Abort() = 0;
  // Ends the page being printed and starts the next of the same job, which
  // Canvas() then paints. Failed, with the reason in Japanese, when it
  // cannot; a device of one page per job refuses.
  virtual TOutcome NewPage() {
    constexpr int kSinglePageDevice = 1668;
    return TOutcome::Refused(LoadStr(kSinglePageDevice));
  }
};
