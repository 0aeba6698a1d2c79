#include "CalibrationSheet.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "CalibrationText.h"
#include "PrintDevice.h"
#include "PrintLayout.h"
#include "PrintMessages.h"

namespace {
constexpr double kLineMm = 0.1;       // lines thin enough to read a tenth against
constexpr double kDigitMm = 1.4;      // height of the tick numbers
constexpr double kTitleMm = 4.0;
constexpr double kNoteMm = 2.6;
constexpr double kRulerGapMm = 20.0;  // from the centre cross down to the rulers
constexpr double kMaxSheetMm = 10000.0;

double TickMm(int k) { return k % 10 == 0 ? 3.0 : k % 5 == 0 ? 2.0 : 1.0; }
}  // namespace

TCalibrationSheet::TCalibrationSheet(const DocumentPageSetup& setup, const TPreviewCaps& caps)
    : FSetup(setup), FCaps(caps) {
  if (caps.HorzRes <= 0 || caps.VertRes <= 0 || caps.HorzSize <= 0 || caps.VertSize <= 0) return;
  if (caps.PhysicalWidth <= 0 || caps.PhysicalHeight <= 0) return;
  // The same factors the print job places cards with.
  FT = double(float(caps.HorzRes) / float(caps.HorzSize));
  FV = double(float(caps.VertRes) / float(caps.VertSize));
  if (caps.PhysicalWidth / FT > kMaxSheetMm || caps.PhysicalHeight / FV > kMaxSheetMm) return;
  for (float mm : {setup.SheetWidth, setup.SheetHeight, setup.LeftMargin, setup.TopMargin, setup.InsideMarginX,
                   setup.InsideMarginY})
    if (!std::isfinite(mm) || std::fabs(mm) > kMaxSheetMm) return;
  if (setup.Retu < 1 || setup.Dann < 1 || setup.Retu > 999 || setup.Dann > 999) return;
  FValid = true;
}

std::array<QPointF, 3> TCalibrationSheet::CrossesMm() const {
  const DocumentPageSetup& s = FSetup;
  const QPointF topLeft(s.LeftMargin, s.TopMargin);
  const QPointF bottomRight(double(s.LeftMargin) + s.Retu * double(s.SheetWidth) + (s.Retu - 1) * double(s.InsideMarginX),
                            double(s.TopMargin) + s.Dann * double(s.SheetHeight) + (s.Dann - 1) * double(s.InsideMarginY));
  const QPointF centre(FCaps.PhysicalWidth / FT / 2, FCaps.PhysicalHeight / FV / 2);
  return {topLeft, bottomRight, centre};
}

QPointF TCalibrationSheet::RulerOriginMm() const {
  const QPointF centre = CrossesMm()[2];
  return QPointF(centre.x() - RulerMm / 2.0, centre.y() + kRulerGapMm);
}

QPoint TCalibrationSheet::ToDevice(QPointF mm) const {
  return QPoint(TruncToInt(std::floor(mm.x() * FT + 0.5)) - FCaps.PhysicalOffsetX,
                TruncToInt(std::floor(mm.y() * FV + 0.5)) - FCaps.PhysicalOffsetY);
}

void TCalibrationSheet::Label(QPainter& painter, QPointF atMm, int align, const QString& text) const {
  // A box around the anchor point, wide enough for any label, aligned in it.
  const QPoint at = ToDevice(atMm);
  const int w = TruncToInt(400 * FT), h = TruncToInt(10 * FV);
  QRect box(0, 0, w, h);
  if (align & Qt::AlignLeft) box.moveLeft(at.x());
  else if (align & Qt::AlignRight) box.moveRight(at.x());
  else box.moveLeft(at.x() - w / 2);
  if (align & Qt::AlignTop) box.moveTop(at.y());
  else if (align & Qt::AlignBottom) box.moveBottom(at.y());
  else box.moveTop(at.y() - h / 2);
  painter.drawText(box, align, text);
}

void TCalibrationSheet::PaintCross(QPainter& painter, QPointF c) const {
  painter.drawLine(ToDevice({c.x() - ArmMm, c.y()}), ToDevice({c.x() + ArmMm, c.y()}));
  painter.drawLine(ToDevice({c.x(), c.y() - ArmMm}), ToDevice({c.x(), c.y() + ArmMm}));
  for (int k = -ArmMm; k <= ArmMm; ++k) {
    if (k == 0) continue;
    const double len = std::min(TickMm(k), 2.0);
    // Ticks below the arm across and right of the arm down, numbers every
    // 2 mm under the one and left of the other: nothing of one arm touches
    // the other's, even beside the centre.
    painter.drawLine(ToDevice({c.x() + k, c.y()}), ToDevice({c.x() + k, c.y() + len}));
    painter.drawLine(ToDevice({c.x(), c.y() + k}), ToDevice({c.x() + len, c.y() + k}));
    if (k % 2 != 0) continue;
    const QString number = QString::number(k);
    Label(painter, {c.x() + k, c.y() + 2.3}, Qt::AlignHCenter | Qt::AlignTop, number);
    Label(painter, {c.x() - 0.5, c.y() + k}, Qt::AlignRight | Qt::AlignVCenter, number);
  }
}

void TCalibrationSheet::PaintRulers(QPainter& painter) const {
  const QPointF o = RulerOriginMm();
  painter.drawLine(ToDevice(o), ToDevice({o.x() + RulerMm, o.y()}));
  painter.drawLine(ToDevice(o), ToDevice({o.x(), o.y() + RulerMm}));
  // Ticks on the outside of the corner they form, numbered every 10 mm.
  for (int k = 0; k <= RulerMm; ++k) {
    const double len = TickMm(k);
    painter.drawLine(ToDevice({o.x() + k, o.y()}), ToDevice({o.x() + k, o.y() - len}));
    painter.drawLine(ToDevice({o.x(), o.y() + k}), ToDevice({o.x() - len, o.y() + k}));
    if (k % 10 != 0) continue;
    const QString number = QString::number(k);
    Label(painter, {o.x() + k, o.y() - len - 0.4}, Qt::AlignHCenter | Qt::AlignBottom, number);
    Label(painter, {o.x() - len - 0.5, o.y() + k}, Qt::AlignRight | Qt::AlignVCenter, number);
  }
}

void TCalibrationSheet::Paint(QPainter& painter) const {
  if (!FValid) return;
  painter.save();
  QPen pen(Qt::black);
  pen.setWidth(std::max(1, TruncToInt(kLineMm * FT + 0.5)));
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  QFont font(QStringLiteral("IPAexGothic"));
  font.setPixelSize(std::max(1, TruncToInt(kDigitMm * FV + 0.5)));
  painter.setFont(font);
  for (const QPointF& c : CrossesMm()) PaintCross(painter, c);
  PaintRulers(painter);

  const QPointF centre = CrossesMm()[2];
  const DocumentPageSetup& s = FSetup;
  font.setPixelSize(std::max(1, TruncToInt(kTitleMm * FV + 0.5)));
  painter.setFont(font);
  Label(painter, {centre.x(), centre.y() - 32}, Qt::AlignHCenter | Qt::AlignBottom,
        CalibrationMessage(CalibrationText::SheetTitle));
  font.setPixelSize(std::max(1, TruncToInt(kNoteMm * FV + 0.5)));
  painter.setFont(font);
  Label(painter, {centre.x(), centre.y() - 28}, Qt::AlignHCenter | Qt::AlignBottom,
        CalibrationMessage(CalibrationText::SheetLayout)
            .arg(QString::number(s.SheetWidth, 'f', 1), QString::number(s.SheetHeight, 'f', 1))
            .arg(s.Retu)
            .arg(s.Dann));
  Label(painter, {centre.x(), centre.y() - 24}, Qt::AlignHCenter | Qt::AlignBottom,
        CalibrationMessage(CalibrationText::SheetMarks));
  painter.restore();
}

TOutcome PrintCalibrationSheet(IPrintDevice& device, const DocumentPageSetup& setup) {
  if (const TOutcome started = device.BeginDoc(); !started.Ok())
    return TOutcome::Refused(PrintMessage(PrintText::CannotStart).arg(started.Reason()));
  const TCalibrationSheet sheet(setup, TPreviewCaps::Read(device));
  if (!sheet.Valid()) {
    device.Abort();
    return TOutcome::Refused(PrintMessage(PrintText::CannotStart).arg(PrintMessage(PrintText::NoDeviceInfo)));
  }
  sheet.Paint(device.Canvas());
  if (const TOutcome ended = device.EndDoc(); !ended.Ok())
    return TOutcome::Failed(PrintMessage(PrintText::FailedMidJob).arg(ended.Reason()));
  return {};
}
