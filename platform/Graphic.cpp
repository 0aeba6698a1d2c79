#include "Graphic.h"

#include <QFile>

#include "Bitmap.h"
#include "Errors.h"
#include "JpegImage.h"
#include "PictureCache.h"

const QImage& TGraphic::Image() const {
  if (FDecodeError) throw EInvalidGraphic(*FDecodeError);
  if (FImage.isNull() && !Empty()) {
    try {
      FImage = PictureCache::Decoded(FBytes, [this] { return Decode(); });
    } catch (const EInvalidGraphic& e) {
      FDecodeError = e.what();
      throw;
    }
  }
  return FImage;
}

void TGraphic::SetHeader(QByteArray bytes, int width, int height) {
  FBytes = std::move(bytes);
  FWidth = width;
  FHeight = height;
  FImage = QImage();
  FDecodeError.reset();
}

void TGraphic::CheckSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0)
    throw EInvalidGraphic("The picture has no size (" + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels).");
  if (width > MaxSide || height > MaxSide || width * height > MaxPixels)
    throw EInvalidGraphic("The picture is too large (" + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels); at most " + std::to_string(MaxSide) + " pixels a side and " +
                          std::to_string(MaxPixels / 1'000'000) + " million pixels are supported.");
}

std::unique_ptr<TGraphic> TGraphic::FromFileBytes(QByteArray bytes) {
  if (bytes.startsWith("BM")) return std::make_unique<TBitmap>(std::move(bytes));
  if (bytes.startsWith("\xFF\xD8")) return std::make_unique<TJPEGImage>(std::move(bytes));
  throw EInvalidGraphic("The data is neither a bitmap (BMP) nor a JPEG picture.");
}

std::unique_ptr<TGraphic> TGraphic::FromClassName(const QByteArray& name, QByteArray bytes) {
  if (name.compare("TBitmap", Qt::CaseInsensitive) == 0)
    return bytes.isEmpty() ? std::make_unique<TBitmap>() : std::make_unique<TBitmap>(std::move(bytes));
  if (name.compare("TJPEGImage", Qt::CaseInsensitive) == 0)
    return bytes.isEmpty() ? std::make_unique<TJPEGImage>() : std::make_unique<TJPEGImage>(std::move(bytes));
  return nullptr;
}

std::unique_ptr<TGraphic> TGraphic::LoadFromFile(const QString& path) {
  const std::string shown = QStringLiteral("\"%1\"").arg(path).toStdString();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EReadError("Cannot read the picture file " + shown + ": " + file.errorString().toStdString());
  if (file.size() > MaxFileBytes)
    throw EInvalidGraphic("The picture file " + shown + " is too large (" + std::to_string(file.size() >> 20) +
                          " MB).");
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EReadError("Cannot read the picture file " + shown + ": " + file.errorString().toStdString());
  if (bytes.size() > MaxFileBytes)
    throw EInvalidGraphic("The picture file " + shown + " is too large (" + std::to_string(bytes.size() >> 20) +
                          " MB).");
  if (bytes.isEmpty()) throw EInvalidGraphic("The picture file " + shown + " is empty.");
  try {
    return FromFileBytes(std::move(bytes));
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("The picture file " + shown + " cannot be used. " + e.what());
  }
}
