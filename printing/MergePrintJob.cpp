#include "MergePrintJob.h"

#include <QPainter>

#include <future>
#include <new>
#include <vector>

#include "CardComposition.h"
#include "DocumentPageSetup.h"
#include "Errors.h"
#include "MergeCard.h"
#include "MergeList.h"
#include "MergeMessages.h"
#include "PrintDevice.h"
#include "PrintJob.h"
#include "PrintMessages.h"
#include "WinControl.h"

namespace {

TOutcome Abandon(IPrintDevice& device, const QString& reason) {
  device.Abort();
  return TOutcome::Failed(PrintMessage(PrintText::FailedMidJob).arg(reason));
}

}  // namespace

QString UnknownFieldsMessage(const QStringList& unknown, const QStringList& columns) {
  if (unknown.isEmpty()) return {};
  QStringList fields, named;
  for (const QString& f : unknown) fields << QLatin1Char('{') + f + QLatin1Char('}');
  for (const QString& c : columns)
    if (!c.isEmpty()) named << c;
  return LoadStr(MergeText::UnknownFields)
      .arg(fields.join(QStringLiteral("  ")), named.join(QStringLiteral(", ")));
}

TOutcome PrintMergedSheets(IPrintDevice& device, const TMergeJob& job) {
  const TMergeList& list = *job.List;
  const DocumentPageSetup& setup = *job.Setup;
  const QStringList unknown = UnknownMergeFields(job.Objects, list.Columns);
  if (!unknown.isEmpty()) return TOutcome::Refused(UnknownFieldsMessage(unknown, list.Columns));

  const TPrintCaps caps = ReadPrintCaps(device);
  const TSheetLayout layout(setup, caps);
  const TMergePlan plan(list.RowCount(), layout.Columns(), layout.Rows(), job.Layout);
  if (plan.Sheets() == 0) return TOutcome::Refused(LoadStr(MergeText::Empty));

  if (const TOutcome started = device.BeginDoc(); !started.Ok())
    return TOutcome::Refused(PrintMessage(PrintText::CannotStart).arg(started.Reason()));
  if (!layout.Valid()) {
    device.Abort();
    const bool deviceKnown = caps.HorzRes > 0 && caps.VertRes > 0 && caps.HorzSize > 0 && caps.VertSize > 0;
    return TOutcome::Refused(PrintMessage(PrintText::CannotStart)
                                 .arg(PrintMessage(deviceKnown ? PrintText::BadCardSize : PrintText::NoDeviceInfo)));
  }

  try {
    TCardComposition card = ComposeCard(job.Background, job.Objects, setup.SheetWidthPx, setup.SheetHeightPx, true);
    ScaleComposition(card, layout.U());
    const TPrintCorrection correction(job.Calibration, layout.T(), layout.V(), caps.OffsetX, caps.OffsetY);
    const QRect printable(0, 0, caps.HorzRes, caps.VertRes);
    TMergeCard merge(card, true);
    merge.Bind(list.Columns);
    // The QR codes of a sheet's rows are made on a second thread while the
    // sheet before it prints: encoding them is a good part of the work.
    using TSheetCodes = std::vector<TMergeCard::TCodes>;
    auto makeCodes = [&](int sheet) {
      const int first = plan.FirstRowOn(sheet), last = plan.LastRowOn(sheet);
      return std::async(std::launch::async, [&merge, &list, first, last] {
        TSheetCodes codes;
        for (int row = first; row <= last; ++row) codes.push_back(merge.MakeCodes(list.Rows[size_t(row)]));
        return codes;
      });
    };
    std::future<TSheetCodes> next;
    if (merge.HasCodes()) next = makeCodes(0);
    int filled = -1;  // the row the card holds
    for (int sheet = 0; sheet < plan.Sheets(); ++sheet) {
      if (job.Progress && !job.Progress(sheet, plan.Sheets())) {
        device.Abort();
        return TOutcome::Cancelled();
      }
      if (sheet > 0)
        if (const TOutcome paged = device.NewPage(); !paged.Ok()) return Abandon(device, paged.Reason());
      TSheetCodes codes;
      if (next.valid()) codes = next.get();
      if (merge.HasCodes() && sheet + 1 < plan.Sheets()) next = makeCodes(sheet + 1);
      const int first = plan.FirstRowOn(sheet);
      QPainter& painter = device.Canvas();
      DrawCropMarks(painter, layout, correction);
      for (int i = 0; i < layout.Columns(); ++i)
        for (int j = 0; j < layout.Rows(); ++j) {
          const int row = plan.RowAt(sheet, i, j);
          if (row < 0) continue;
          const size_t made = size_t(row - first);
          if (row != filled) {
            const TOutcome applied = merge.Apply(list.Rows[size_t(row)], made < codes.size() ? &codes[made] : nullptr);
            if (!applied.Ok()) {
              device.Abort();
              return TOutcome::Failed(
                  LoadStr(MergeText::QrDoesNotFit).arg(list.Lines[size_t(row)]).arg(applied.Reason()));
            }
          }
          filled = row;
          PaintCardAt(painter, *card.Panel, layout.CardOrigin(i, j), correction, printable);
        }
    }
    if (job.Progress) job.Progress(plan.Sheets(), plan.Sheets());
  } catch (const EReadError&) {
    return Abandon(device, PrintMessage(PrintText::CannotCompose));
  } catch (const std::bad_alloc&) {
    return Abandon(device, PrintMessage(PrintText::OutOfMemory));
  }

  if (const TOutcome ended = device.EndDoc(); !ended.Ok())
    return TOutcome::Failed(PrintMessage(PrintText::FailedMidJob).arg(ended.Reason()));
  return {};
}
