#pragma once
// TImage: the picture control. Shows a bitmap or JPEG picture at its natural
// size or stretched to its bounds; streams its picture as "Picture.Data".
#include <QImage>

class QPainter;

#include <memory>

#include "Control.h"

class TPicture;

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* picture);  // copies
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  // With AutoSize on, a picture's size wins over any other.
  void SetBounds(int left, int top, int width, int height) override;
  bool Center() const { return FCenter; }
  void SetCenter(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // Each picture pixel is a cell (a QR module): scaled without smoothing, so
  // cell edges stay sharp and black stays black. Not streamed.
  bool PixelExact() const { return FPixelExact; }
  void SetPixelExact(bool v);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v) { FParentShowHint = v; }

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  QRect DestRect() const;
  // Under a zooming painter; false when the picture is left to the painter.
  bool PaintZoomed(QPainter& painter, const QRect& dest) const;

  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false, FAutoSize = false, FCenter = false, FTransparent = false, FParentShowHint = true;
  bool FPixelExact = false;
  // The picture scaled to a size (smaller than its own, or the size it
  // covers on a zoomed view).
  const QImage& ReducedTo(const QSize& size) const;

  // The picture reduced to the last size it was shown at, so that repainting
  // does not even look the size up in the shared cache every frame.
  mutable QImage FScaled;
  mutable bool FScaledValid = false;
  // A pixel-exact picture in one bit per pixel when it is only black and
  // white: a PDF stores it so, a 24th of its colour size.
  const QImage& Cells() const;
  mutable QImage FCells;
  mutable bool FCellsValid = false;
};
