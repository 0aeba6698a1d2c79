#include "PictureLoading.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "Errors.h"
#include "Graphic.h"
#include "Messages.h"

namespace {

constexpr int kFaultMessage[] = {0, 1400, 1401, 1402, 1403, 1404, 1405};

// The header names a size beyond what the program decodes.
bool SizeBeyondLimits(const QByteArray& bytes) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  const QSize size = reader.size();
  if (!size.isValid()) return false;
  return size.width() > TGraphic::MaxSide || size.height() > TGraphic::MaxSide ||
         int64_t(size.width()) * size.height() > TGraphic::MaxPixels;
}

}  // namespace

TPictureLoad ReadPictureFile(const QString& path) {
  TPictureLoad r;
  QFile file(path);
  if (!QFileInfo(path).isFile()) {
    r.Fault = TPictureFault::Missing;
    return r;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    r.Fault = TPictureFault::Unreadable;
    return r;
  }
  // Checked before the bytes are read into memory.
  if (file.size() > TGraphic::MaxFileBytes) {
    r.Fault = TPictureFault::TooLarge;
    return r;
  }
  QByteArray bytes = file.read(TGraphic::MaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    r.Fault = TPictureFault::Unreadable;
    return r;
  }
  if (bytes.size() > TGraphic::MaxFileBytes) {
    r.Fault = TPictureFault::TooLarge;
    return r;
  }
  if (bytes.isEmpty()) {
    r.Fault = TPictureFault::Empty;
    return r;
  }
  if (!bytes.startsWith("BM") && !bytes.startsWith("\xFF\xD8")) {
    r.Fault = TPictureFault::NotAPicture;
    return r;
  }
  try {
    std::unique_ptr<TGraphic> graphic = TGraphic::FromFileBytes(bytes);
    graphic->Image();  // a damaged body shows now, not at the first paint
    r.Graphic = std::move(graphic);
  } catch (const EInvalidGraphic&) {
    r.Fault = SizeBeyondLimits(bytes) ? TPictureFault::TooLarge : TPictureFault::Damaged;
  }
  return r;
}

std::unique_ptr<TGraphic> LoadPictureOrSay(const QString& path) {
  TPictureLoad load = ReadPictureFile(path);
  if (load.Graphic) return std::move(load.Graphic);
  ShowMessageId(kFaultMessage[static_cast<int>(load.Fault)], QDir::toNativeSeparators(path));
  return nullptr;
}
