#pragma once
// What a control draws under a zooming painter, kept as a picture at the size
// it shows on screen. Text through a large scale is filled from its outlines
// at every repaint; drawing the kept picture instead costs one blit. The
// picture is drawn with the control's own code, at the same position within
// a device pixel, so that what shows is the same as drawing directly.
//
// Only for a raster painter through a plain scale (not at 100 %, not to a
// printer or PDF, which keep their vectors). The owner calls Forget whenever
// what it draws changes; size, zoom, position within a pixel and the
// device's resolution are checked here.
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <cstdint>
#include <functional>

class ZoomedPicture {
 public:
  // One picture at most this large, and all of them together at most this:
  // beyond, controls are drawn directly as without pictures.
  static constexpr int64_t MaxPixels = int64_t(4) << 20;
  static constexpr int64_t MaxTotalPixels = int64_t(32) << 20;

  ZoomedPicture() = default;
  ~ZoomedPicture() { Forget(); }
  ZoomedPicture(const ZoomedPicture&) = delete;
  ZoomedPicture& operator=(const ZoomedPicture&) = delete;

  // Draws a control of the given size through painter (its origin at the
  // control's top-left corner), from the kept picture or by drawing it anew
  // with draw. False when no picture applies: the caller draws directly.
  bool Paint(QPainter& painter, QSize size, const std::function<void(QPainter&)>& draw);
  // Drops the picture (the control changed).
  void Forget();
  bool Kept() const { return !FImage.isNull(); }

  // Pixels held by all pictures.
  static int64_t TotalPixels() { return Total; }
  // Off, every control is drawn directly (to compare against).
  static void SetEnabled(bool v) { Enabled = v; }

 private:
  struct Key {
    QSize Size;
    double M11 = 0, M22 = 0, Dx = 0, Dy = 0;  // scale and position within a device pixel
    int DpiX = 0, DpiY = 0;
    QPainter::RenderHints Hints;
    bool operator==(const Key&) const = default;
  };
  void Keep(QImage image, const Key& key);

  QImage FImage;
  Key FKey;
  static inline int64_t Total = 0;
  static inline bool Enabled = true;
};
