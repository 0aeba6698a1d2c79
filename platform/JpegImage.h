#pragma once
// A JPEG picture held as its file bytes, decoded with libjpeg. The program
// never encodes JPEG: the bytes stay as read.
#include "Graphic.h"

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;  // empty
  // Reads only the header (dimensions); throws EInvalidGraphic when it is
  // not a JPEG file, its header is damaged or it is too large.
  explicit TJPEGImage(QByteArray bytes);

  QByteArray GraphicClassName() const override { return "TJPEGImage"; }
  std::unique_ptr<TGraphic> Clone() const override;

 protected:
  // Data cut short after the header decodes to a partial picture (the
  // missing part grey), as most viewers show it; damage in the header or
  // in the coded data that libjpeg cannot pass over throws EInvalidGraphic.
  QImage Decode() const override;

 private:
  TJPEGImage(const TJPEGImage&) = default;
};
