#include "Graphic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include "Bitmap.h"
#include "Errors.h"
#include "JpegImage.h"
#include "PictureCache.h"

const QImage& TGraphic::Image() const {
  if (FDecodeError) throw *FDecodeError;
  if (FImage.isNull() && !Empty()) {
    try {
      FImage = PictureCache::Decoded(FBytes, [this] { return Decode(); });
    } catch (const EInvalidGraphic& e) {
      FDecodeError = e;
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
                              " pixels).",
                          {ReasonId::PictureNoSize, {QString::number(width), QString::number(height)}});
  if (width > MaxSide || height > MaxSide || width * height > MaxPixels)
    throw EInvalidGraphic("The picture is too large (" + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels); at most " + std::to_string(MaxSide) + " pixels a side and " +
                              std::to_string(MaxPixels / 1'000'000) + " million pixels are supported.",
                          {ReasonId::PictureTooLarge, {QString::number(width), QString::number(height)}});
}

std::unique_ptr<TGraphic> TGraphic::FromFileBytes(QByteArray bytes) {
  if (bytes.startsWith("BM")) return std::make_unique<TBitmap>(std::move(bytes));
  if (bytes.startsWith("\xFF\xD8")) return std::make_unique<TJPEGImage>(std::move(bytes));
  throw EInvalidGraphic("The data is neither a bitmap (BMP) nor a JPEG picture.", {ReasonId::NotAPicture, {}});
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
  const QString native = QDir::toNativeSeparators(path);
  QFile file(path);
  // QFile's own message is English; errno still says why.
  errno = 0;
  if (QFileInfo(path).isDir()) errno = EISDIR;
  if (errno != 0 || !file.open(QIODevice::ReadOnly)) {
    const int error = errno != 0 ? errno : EIO;
    throw EReadError("Cannot read the picture file " + shown + ": " + file.errorString().toStdString(),
                     {ReasonId::PictureFileUnreadable, {native}},
                     EReadError("", FileErrorReason(error)));
  }
  auto tooLarge = [&](qint64 size) {
    return EInvalidGraphic("The picture file " + shown + " is too large (" + std::to_string(size >> 20) + " MB).",
                           {ReasonId::PictureFileTooLarge, {native, QString::number(size >> 20)}});
  };
  if (file.size() > MaxFileBytes) throw tooLarge(file.size());
  errno = 0;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    const int error = errno != 0 ? errno : EIO;
    throw EReadError("Cannot read the picture file " + shown + ": " + file.errorString().toStdString(),
                     {ReasonId::PictureFileUnreadable, {native}},
                     EReadError("", FileErrorReason(error)));
  }
  if (bytes.size() > MaxFileBytes) throw tooLarge(bytes.size());
  if (bytes.isEmpty())
    throw EInvalidGraphic("The picture file " + shown + " is empty.", {ReasonId::PictureFileEmpty, {native}});
  try {
    return FromFileBytes(std::move(bytes));
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("The picture file " + shown + " cannot be used. " + e.what(),
                          {ReasonId::PictureFileUnusable, {native}}, e);
  }
}
