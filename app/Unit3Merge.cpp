// TForm3: mail merge. The list file is chosen and read, its columns checked
// against the card's fields, and the preview opens in merge mode; printing
// from there prints a card for every row in one job, which the user can
// cancel as a whole.
#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QSettings>

#include <memory>

#include "MergeCard.h"
#include "MergeList.h"
#include "MergeMessages.h"
#include "MergePrintJob.h"
#include "PreviewForm.h"
#include "QPrinterDevice.h"
#include "Unit3.h"

namespace {
const QString kListFolderKey = QStringLiteral("Merge/ListFolder");
const QString kLayoutKey = QStringLiteral("Merge/Layout");
constexpr int kMessageTitle = 1010;

void Say(const QString& text) { UI().MessageBox(text, LoadStr(kMessageTitle), mbOK); }
}  // namespace

void TForm3::FileMergePrintClick() {
  if (!DocumentOpen || !DrawPanel) return;
  // Text being typed belongs to the card that is printed.
  if (TextEditing) CloseTextEditor();

  TFileDialogRequest request;
  request.Title = LoadStr(MergeText::DialogTitle);
  request.Filter = LoadStr(MergeText::DialogFilter);
  request.InitialDir = OwnSettings().value(kListFolderKey).toString();
  const std::optional<QString> path = UI().OpenFileName(request);
  if (!path) return;
  OwnSettings().setValue(kListFolderKey, QFileInfo(*path).absolutePath());

  const TOutcomeOf<TMergeList> read = ReadMergeListFile(*path);
  if (!read.Ok()) return Say(read.Reason());
  const TMergeList& list = read.Value();
  const QStringList unknown = UnknownMergeFields(ObjectList, list.Columns);
  if (!unknown.isEmpty()) return Say(UnknownFieldsMessage(unknown, list.Columns));

  auto layout = std::make_shared<TMergeLayout>(OwnSettings().value(kLayoutKey).toString() == QLatin1String("cell")
                                                   ? TMergeLayout::PerCell
                                                   : TMergeLayout::PerSheet);
  TPreviewMerge merge;
  merge.List = &list;
  merge.ListName = QFileInfo(*path).fileName();
  merge.Layout = *layout;
  merge.LayoutChosen = [this, layout](TMergeLayout chosen) {
    *layout = chosen;
    OwnSettings().setValue(kLayoutKey, chosen == TMergeLayout::PerCell ? QStringLiteral("cell") : QStringLiteral("sheet"));
  };
  TPreviewHooks hooks;
  hooks.Merge = std::move(merge);
  hooks.Print = [this, &list, layout] { MergePrint(list, *layout); };
  ShowPreview(std::move(hooks));
}

void TForm3::MergePrint(const TMergeList& list, TMergeLayout layout) {
  if (!DocumentOpen || !DrawPanel) return;
  QPrinter& printer = CurrentPrinter();
  printer.setDocName(QFileInfo(DocumentFileName).completeBaseName());
  if (!UI().PrintSetup(printer)) return;
  if (!AfterPrintDialog(printer)) return;

  QWidget* above = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this;
  QProgressDialog progress(above);
  progress.setWindowTitle(LoadStr(kMessageTitle));
  progress.setCancelButtonText(LoadStr(MergeText::ProgressCancel));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(300);

  TMergeJob job;
  job.Background = BGImage;
  job.Objects = ObjectList;
  job.Setup = &DocumentSetup;
  job.List = &list;
  job.Layout = layout;
  job.Calibration = PrinterCalibration(CurrentPrinterName());
  job.Progress = [this, &progress](int done, int sheets) { return MergePrintProgress(progress, done, sheets); };
  QPrinterDevice device(printer);
  const TOutcome printed = PrintMergedSheets(device, job);
  progress.close();
  if (!printed.Ok() && printed.Kind() != TOutcome::TKind::Cancelled) Say(printed.Reason());
}

bool TForm3::MergePrintProgress(QProgressDialog& dialog, int done, int sheets) {
  dialog.setMaximum(sheets);
  dialog.setLabelText(LoadStr(MergeText::Progress).arg(done).arg(sheets));
  // Lets the dialog show and its cancel button be pressed.
  dialog.setValue(done);
  return !dialog.wasCanceled();
}
