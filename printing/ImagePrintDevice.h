#pragma once
// A print device that prints into an image of the whole sheet, with
// quantities the caller chooses: tests and benchmarks stand it in for a
// printer of any resolution, printable area and paper.
#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

#include "PrintDevice.h"

struct TImageDeviceCaps {
  int HorzRes = 0, VertRes = 0;                // printable area, device pixels
  int HorzSize = 0, VertSize = 0;              // printable area, millimetres
  int PhysicalWidth = 0, PhysicalHeight = 0;   // the sheet, device pixels
  int PhysicalOffsetX = 0, PhysicalOffsetY = 0;
};

class ImagePrintDevice : public IPrintDevice {
 public:
  explicit ImagePrintDevice(const TImageDeviceCaps& caps);
  ~ImagePrintDevice() override;

  int GetDeviceCaps(TDeviceCap index) const override;
  TOutcome BeginDoc() override;
  bool Printing() const override { return FPainter != nullptr; }
  QPainter& Canvas() override { return *FPainter; }
  TOutcome EndDoc() override;
  void Abort() override;
  // The finished page goes to JobPages(); the next starts white.
  TOutcome NewPage() override;

  // The page finished by the last EndDoc: the whole sheet, white where
  // nothing was printed (the margins the printer cannot reach stay white).
  // Null before the first page, from the next BeginDoc on and after an
  // abandoned job.
  const QImage& Page() const { return FPage; }
  int PagesPrinted() const { return FPages; }
  // Every page of the last job, when it had more than one, the last as well.
  const std::vector<QImage>& JobPages() const { return FJobPages; }

  // Makes the next BeginDoc or EndDoc fail with reason, as a printer that
  // is gone or out of paper does.
  void FailBeginDoc(const QString& reason) { FBeginFailure = reason; }
  void FailEndDoc(const QString& reason) { FEndFailure = reason; }

 private:
  TImageDeviceCaps FCaps;
  void StartPainting();

  QImage FSheet, FPage;
  std::vector<QImage> FJobPages;
  std::unique_ptr<QPainter> FPainter;
  QString FBeginFailure, FEndFailure;
  int FPages = 0;
};
