#pragma once
// The sheet a user prints to calibrate a printer: a cross with ticks every
// millimetre, numbered every two (±10 mm), where the page setup puts the
// top-left and the bottom-right corner of the block of cards and at the
// sheet's centre, and a 100 mm ruler across and one down to read the scale
// from. Positions follow the printing rules (the same device pixels per
// millimetre), and no correction is applied: what the user reads is the
// printer's own error.
#include <QPoint>
#include <QPointF>
#include <QString>

#include <array>

#include "DocumentPageSetup.h"
#include "Outcome.h"
#include "PreviewLayout.h"

class IPrintDevice;
class QPainter;

class TCalibrationSheet {
 public:
  static constexpr int ArmMm = 10;     // each arm of a cross
  static constexpr int RulerMm = 100;  // each ruler

  TCalibrationSheet(const DocumentPageSetup& setup, const TPreviewCaps& caps);

  // False for a device that reports no size.
  bool Valid() const { return FValid; }

  // The centres of the crosses, millimetres from the sheet's corner: the
  // block's top-left corner, its bottom-right corner, the sheet's centre.
  std::array<QPointF, 3> CrossesMm() const;
  // Where both rulers start (their 0); the one across runs right, the one
  // down runs down.
  QPointF RulerOriginMm() const;
  // A point of the sheet in millimetres as a position of the device's
  // painter.
  QPoint ToDevice(QPointF mm) const;

  void Paint(QPainter& painter) const;

 private:
  void PaintCross(QPainter& painter, QPointF centreMm) const;
  void PaintRulers(QPainter& painter) const;
  void Label(QPainter& painter, QPointF atMm, int align, const QString& text) const;

  DocumentPageSetup FSetup;
  TPreviewCaps FCaps;
  bool FValid = false;
  double FT = 0, FV = 0;  // device pixels per millimetre, across and down
};

// Prints the sheet for setup on device as one job. Refused or Failed, with
// the message to show (Japanese), when the job could not start or failed;
// nothing is printed then.
TOutcome PrintCalibrationSheet(IPrintDevice& device, const DocumentPageSetup& setup);
