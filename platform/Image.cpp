#include "Image.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>

#include "Canvas.h"
#include "Errors.h"
#include "Graphic.h"
#include "Picture.h"
#include "PictureCache.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this](TPicture*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo info = [] {
    using P = Published<TImage>;
    TClassInfo c("TImage", &TGraphicControl::StaticClassInfo());
    c.Add(P::Bool("AutoSize", [](const TImage& o) { return o.AutoSize(); }, [](TImage& o, bool v) { o.SetAutoSize(v); },
                  false));
    c.Add(P::Bool("Center", [](const TImage& o) { return o.Center(); }, [](TImage& o, bool v) { o.SetCenter(v); }, false));
    c.Add(P::Ordinal("DragCursor", TPropKind::Cursor, [](const TImage&) { return crDrag; }, [](TImage&, int64_t) {},
                     crDrag));
    c.Add(P::Bool("Enabled", [](const TImage& o) { return o.Enabled(); }, [](TImage& o, bool v) { o.SetEnabled(v); },
                  true));
    c.Add(P::Bool("ParentShowHint", [](const TImage& o) { return o.ParentShowHint(); },
                  [](TImage& o, bool v) { o.SetParentShowHint(v); }, true));
    c.Add(P::Object("Picture", [](TImage& o) -> TPersistent* { return o.Picture(); }));
    c.Add(StoredWhen(P::Bool("ShowHint", [](const TImage& o) { return o.ShowHint(); },
                             [](TImage& o, bool v) { o.SetShowHint(v); }),
                     [](const TPersistent& o) { return !static_cast<const TImage&>(o).ParentShowHint(); }));
    c.Add(P::Bool("Stretch", [](const TImage& o) { return o.Stretch(); }, [](TImage& o, bool v) { o.SetStretch(v); },
                  false));
    c.Add(P::Bool("Transparent", [](const TImage& o) { return o.Transparent(); },
                  [](TImage& o, bool v) { o.SetTransparent(v); }, false));
    c.Add(P::Bool("Visible", [](const TImage& o) { return o.Visible(); }, [](TImage& o, bool v) { o.SetVisible(v); },
                  true));
    return c;
  }();
  return info;
}

void TImage::SetPicture(const TPicture* picture) { FPicture->Assign(*picture); }

void TImage::SetStretch(bool v) {
  if (FStretch == v) return;
  FStretch = v;
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  if (FAutoSize == v) return;
  FAutoSize = v;
  if (v) PictureChanged();
}

void TImage::SetCenter(bool v) {
  if (FCenter == v) return;
  FCenter = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  if (FTransparent == v) return;
  FTransparent = v;
  Invalidate();
}

void TImage::SetPixelExact(bool v) {
  if (FPixelExact == v) return;
  FPixelExact = v;
  Invalidate();
}

void TImage::SetBounds(int left, int top, int width, int height) {
  if (FAutoSize && FPicture && FPicture->Width() > 0 && FPicture->Height() > 0) {
    width = FPicture->Width();
    height = FPicture->Height();
  }
  TGraphicControl::SetBounds(left, top, width, height);
}

void TImage::PictureChanged() {
  FScaledValid = false;
  FScaled = QImage();
  FCellsValid = false;
  FCells = QImage();
  SetBounds(Left(), Top(), Width(), Height());  // AutoSize takes the new picture's size
  Invalidate();
}

QRect TImage::DestRect() const {
  if (FStretch) return ClientRect();
  const int w = FPicture->Width(), h = FPicture->Height();
  if (FCenter) return QRect((Width() - w) / 2, (Height() - h) / 2, w, h);
  return QRect(0, 0, w, h);
}

const QImage& TImage::ReducedTo(const QSize& size) const {
  if (!FScaledValid || FScaled.size() != size) {
    FScaled = PictureCache::Scaled(FPicture->Graphic()->Image(), size);
    FScaledValid = true;
  }
  return FScaled;
}

namespace {

// image in one bit per pixel, black 0 and white 1, or a null image when it
// holds any other colour.
QImage OneBit(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  QImage out(rgb.size(), QImage::Format_Mono);
  if (rgb.isNull() || out.isNull()) return QImage();
  out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  out.fill(0);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* bits = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb c = in[x] & 0xFFFFFF;
      if (c == 0xFFFFFF) bits[x >> 3] |= uchar(0x80 >> (x & 7));
      else if (c != 0) return QImage();
    }
  }
  return out;
}

}  // namespace

const QImage& TImage::Cells() const {
  if (!FCellsValid) {
    FCells = OneBit(FPicture->Graphic()->Image());
    if (FCells.isNull()) FCells = FPicture->Graphic()->Image();
    FCellsValid = true;
  }
  return FCells;
}

bool TImage::PaintZoomed(QPainter& painter, const QRect& dest) const {
  // Shown zoomed, the picture is scaled from its full-size data to the
  // device pixels it covers, once per size, and drawn unscaled: as sharp as
  // printing makes it, and no filtering at every repaint.
  const QRectF mapped = painter.worldTransform().mapRect(QRectF(dest));
  const QRect device(QPoint(int(std::lround(mapped.left())), int(std::lround(mapped.top()))),
                     QPoint(int(std::lround(mapped.right())) - 1, int(std::lround(mapped.bottom())) - 1));
  constexpr qint64 MaxScaledPixels = 16LL * 1024 * 1024;
  if (device.isEmpty() || qint64(device.width()) * device.height() > MaxScaledPixels) return false;
  const QImage& scaled = ReducedTo(device.size());
  if (scaled.isNull()) return false;
  painter.save();
  painter.setWorldTransform(QTransform());
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(device.topLeft(), scaled);
  painter.restore();
  return true;
}

void TImage::Paint() {
  const TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  const QRect dest = DestRect();
  if (dest.isEmpty()) return;
  try {
    QPainter* p = Canvas()->Painter();
    // A bitmap keeps its exact pixels in a PDF; a JPEG picture may be
    // stored as JPEG again.
    const bool lossless = p && g->GraphicClassName() == "TBitmap";
    if (p) p->setRenderHint(QPainter::LosslessImageRendering, lossless);
    if (FPixelExact && p) {
      // The small picture itself, enlarged by the painter: a PDF stores it
      // once at its own size, and a raster device repeats whole pixels.
      p->setRenderHint(QPainter::SmoothPixmapTransform, false);
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      p->drawImage(dest, Cells());
      return;
    }
    if (p && p->worldTransform().type() == QTransform::TxScale && !p->viewTransformEnabled() && PaintZoomed(*p, dest))
      return;
    const bool plain = p && p->transform().type() <= QTransform::TxTranslate;
    const bool reduced = dest.size() != QSize(g->Width(), g->Height()) && dest.width() <= g->Width() &&
                         dest.height() <= g->Height();
    if (plain && reduced) {
      // Scaled once per size with good filtering, the same image for every
      // copy of the picture drawn at that size (a PDF stores it once).
      Canvas()->StretchDrawImage(dest, ReducedTo(dest.size()));
    } else {
      // At its own size, or enlarged: the painter scales only the part that
      // shows, where a full-size copy could take gigabytes.
      Canvas()->StretchDraw(dest, *g);
    }
  } catch (const EInvalidGraphic&) {
    // A picture that cannot be decoded shows nothing rather than stopping the paint.
  }
}
