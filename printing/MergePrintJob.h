#pragma once
// Printing a card for every row of a merge list: one job of as many sheets as
// the layout needs. The card is composed and scaled once; each row fills it
// in before it is painted. A job that is cancelled or fails is abandoned as a
// whole, so nothing of it is printed (PDF output is written only at the end).
#include <QString>

#include <functional>
#include <vector>

#include "MergePlan.h"
#include "Outcome.h"
#include "PrinterCalibration.h"

class IPrintDevice;
class TControl;
class TImage;
struct DocumentPageSetup;
struct TMergeList;

struct TMergeJob {
  const TImage* Background = nullptr;
  std::vector<TControl*> Objects;  // bottom first
  const DocumentPageSetup* Setup = nullptr;
  const TMergeList* List = nullptr;
  TMergeLayout Layout = TMergeLayout::PerSheet;
  // The corrections of the printer the sheets are for; none by default.
  TPrinterCalibration Calibration;
  // Asked before each sheet with the sheets done and their number; false
  // cancels the job. None: the job runs to its end.
  std::function<bool(int done, int sheets)> Progress;
};

// Prints the job. Fields that name no column of the list refuse it before
// the device is started, with their names in the reason (Japanese); so does
// an empty list. Refused or Failed for any other failure, with its reason;
// Cancelled when Progress stopped it.
TOutcome PrintMergedSheets(IPrintDevice& device, const TMergeJob& job);

// The message for fields naming no column of columns (empty when none).
QString UnknownFieldsMessage(const QStringList& unknown, const QStringList& columns);
