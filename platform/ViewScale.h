#pragma once
// The zoom a panel is shown at, as a whole percentage: panel pixels to the
// view's device pixels and back. Device edges are rounded to the nearest
// pixel, so neighbouring panel pixels tile the view without gaps; a device
// position maps back to the panel pixel it lies in.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include <cmath>
#include <cstdint>

class ViewScale {
 public:
  static constexpr int MinPercent = 10, MaxPercent = 1000;
  // Device coordinates stay where adding a width cannot overflow.
  static constexpr int64_t Reach = int64_t(1) << 30;

  explicit ViewScale(int percent = 100) : FPercent(percent < MinPercent ? MinPercent : percent > MaxPercent ? MaxPercent : percent) {}
  int Percent() const { return FPercent; }
  bool Identity() const { return FPercent == 100; }
  double Factor() const { return FPercent / 100.0; }
  QTransform Transform() const { return QTransform::fromScale(Factor(), Factor()); }

  // A panel coordinate (an edge between pixels) on the device.
  int ToDevice(int v) const {
    // floor(v * p / 100 + 1/2) in integers, exact for every int.
    const int64_t n = int64_t(v) * FPercent * 2 + 100;
    const int64_t d = n >= 0 ? n / 200 : -((-n + 199) / 200);
    return int(d < -Reach ? -Reach : d > Reach ? Reach : d);
  }
  // The panel pixel under the device pixel at a position (its centre
  // decides, as it does for what is painted there).
  QPoint ToPanel(QPointF device) const {
    return QPoint(ToPanel(device.x()), ToPanel(device.y()));
  }
  int ToPanel(double device) const {
    const double v = std::floor((std::floor(device) + 0.5) * 100.0 / FPercent);
    if (std::isnan(v)) return 0;
    return int(v < -double(Reach) ? -double(Reach) : v > double(Reach) ? double(Reach) : v);
  }
  QPoint ToDevice(QPoint p) const { return QPoint(ToDevice(p.x()), ToDevice(p.y())); }
  // The device pixels a panel rectangle covers.
  QRect ToDevice(const QRect& r) const {
    return QRect(QPoint(ToDevice(r.left()), ToDevice(r.top())),
                 QPoint(ToDevice(r.left() + r.width()) - 1, ToDevice(r.top() + r.height()) - 1));
  }

 private:
  int FPercent;
};
