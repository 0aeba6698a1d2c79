#include "ZoomedPicture.h"

#include <QPaintDevice>
#include <QPaintEngine>

#include <cmath>
#include <utility>

void ZoomedPicture::Forget() {
  Total -= int64_t(FImage.width()) * FImage.height();
  FImage = QImage();
}

void ZoomedPicture::Keep(QImage image, const Key& key) {
  Forget();
  FImage = std::move(image);
  FKey = key;
  Total += int64_t(FImage.width()) * FImage.height();
}

bool ZoomedPicture::Paint(QPainter& painter, QSize size, const std::function<void(QPainter&)>& draw) {
  if (!Enabled) return false;
  const QPaintDevice* device = painter.device();
  const QPaintEngine* engine = painter.paintEngine();
  if (!device || !engine || engine->type() != QPaintEngine::Raster || device->devicePixelRatio() != 1) return false;
  // Other modes and opacity apply to each stroke, not to the control as a
  // whole.
  if (painter.viewTransformEnabled() || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
      painter.opacity() != 1.0)
    return false;
  const QTransform& t = painter.worldTransform();
  if (t.type() != QTransform::TxScale || !(t.m11() > 0) || !(t.m22() > 0)) return false;
  if (size.width() <= 0 || size.height() <= 0) return false;

  // The picture starts at the device pixel holding the control's corner and
  // keeps the corner's place within that pixel.
  constexpr double Reach = double(1 << 30);
  const double ox = std::floor(t.dx()), oy = std::floor(t.dy());
  if (!(std::abs(ox) < Reach && std::abs(oy) < Reach)) return false;
  const Key key{size, t.m11(), t.m22(), t.dx() - ox, t.dy() - oy, device->logicalDpiX(), device->logicalDpiY(),
                painter.renderHints()};
  const QPoint at{int(ox), int(oy)};

  if (!(Kept() && FKey == key)) {
    const double w = std::ceil(key.Dx + t.m11() * size.width()), h = std::ceil(key.Dy + t.m22() * size.height());
    const int64_t held = int64_t(FImage.width()) * FImage.height();
    if (!(w >= 1 && h >= 1 && w * h <= double(MaxPixels)) || Total - held + int64_t(w * h) > MaxTotalPixels) {
      Forget();
      return false;
    }
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
      Forget();
      return false;
    }
    // Text is measured at the device's resolution.
    image.setDotsPerMeterX(int(std::lround(key.DpiX / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(key.DpiY / 0.0254)));
    image.fill(Qt::transparent);
    {
      QPainter p(&image);
      p.setRenderHints(key.Hints);
      p.setWorldTransform(QTransform(t.m11(), 0, 0, t.m22(), key.Dx, key.Dy));
      p.setClipRect(QRect(QPoint(0, 0), size));  // as the parent clips the control
      draw(p);
    }
    Keep(std::move(image), key);
  }

  painter.save();
  painter.setWorldTransform(QTransform());
  painter.drawImage(at, FImage);
  painter.restore();
  return true;
}
