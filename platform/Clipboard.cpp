#include "Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

#include <algorithm>
#include <string>

#include "ComponentStream.h"
#include "Component.h"
#include "Errors.h"
#include "Graphic.h"

namespace {

// Other programs offer a BMP file under any of these names.
const char* const kBmpTypes[] = {"image/bmp", "image/x-bmp", "image/x-ms-bmp", "image/x-MS-bmp"};

bool IsBmpType(const QString& format) {
  for (const char* t : kBmpTypes)
    if (format.compare(QLatin1String(t), Qt::CaseInsensitive) == 0) return true;
  return false;
}

bool WithinPictureLimits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= TGraphic::MaxSide && height <= TGraphic::MaxSide &&
         width * height <= TGraphic::MaxPixels;
}

// The size a BMP file's header gives, without reading further; an empty
// size when the header is cut short.
QSize BmpHeaderSize(const QByteArray& bytes) {
  const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
  auto u16 = [d](int at) { return int64_t(d[at] | d[at + 1] << 8); };
  auto s32 = [d](int at) { return int64_t(int32_t(uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 |
                                                  uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24)); };
  if (bytes.size() < 18) return {};
  const int64_t headerSize = s32(14);
  int64_t w, h;
  if (headerSize == 12) {
    if (bytes.size() < 22) return {};
    w = u16(18), h = u16(20);
  } else {
    if (bytes.size() < 26) return {};
    w = s32(18), h = s32(22);
    if (h < 0) h = -h;
  }
  // Anything beyond the limits reads as one past them, which is refused.
  const int64_t cap = TGraphic::MaxSide + 1;
  return QSize(int(std::min(w, cap)), int(std::min(h, cap)));
}

TClipboardPicture Refused(TClipboardPicture::Status status) {
  TClipboardPicture p;
  p.Result = status;
  return p;
}

TClipboardPicture Taken(std::unique_ptr<TBitmap> bitmap) {
  TClipboardPicture p;
  p.Result = TClipboardPicture::Ok;
  p.Bitmap = std::move(bitmap);
  return p;
}

TClipboardPicture FromBmpFile(const QByteArray& bytes) {
  const QSize size = BmpHeaderSize(bytes);
  if (size.isValid() && !WithinPictureLimits(size.width(), size.height()))
    return Refused(TClipboardPicture::TooLarge);
  try {
    return Taken(std::make_unique<TBitmap>(bytes));
  } catch (const EInvalidGraphic&) {
    return Refused(TClipboardPicture::Unreadable);
  }
}

TClipboardPicture FromImage(const QImage& image) {
  if (image.isNull()) return Refused(TClipboardPicture::Unreadable);
  if (!WithinPictureLimits(image.width(), image.height())) return Refused(TClipboardPicture::TooLarge);
  try {
    return Taken(TBitmap::FromImage(image));
  } catch (const EInvalidGraphic&) {
    return Refused(TClipboardPicture::Unreadable);
  }
}

// Encoded picture data (PNG and the like): the header's size is checked
// before the pixels are decoded.
TClipboardPicture FromEncoded(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (size.isValid() && !WithinPictureLimits(size.width(), size.height())) return Refused(TClipboardPicture::TooLarge);
  return FromImage(reader.read());
}

std::string Printable(const QByteArray& name) {
  std::string out;
  for (char c : name) out += (c >= 0x20 && c < 0x7F) ? c : '?';
  return out;
}

}  // namespace

TClipboard::TClipboard(QClipboard* clipboard)
    : FClipboard(clipboard ? clipboard : QGuiApplication::clipboard()) {}

TClipboard::~TClipboard() {
  // A content left open is still placed.
  FOpenCount = 0;
  Commit();
}

const QMimeData* TClipboard::Data() const { return FClipboard ? FClipboard->mimeData() : nullptr; }

QMimeData* TClipboard::Target() {
  if (!FPending) FPending = std::make_unique<QMimeData>();
  return FPending.get();
}

void TClipboard::Commit() {
  if (FOpenCount > 0 || !FPending || !FClipboard) return;
  FClipboard->setMimeData(FPending.release());  // the clipboard takes it
}

void TClipboard::Open() { ++FOpenCount; }

void TClipboard::Close() {
  if (FOpenCount > 0 && --FOpenCount == 0) Commit();
}

bool TClipboard::HasFormat(TClipboardFormat format) const {
  const QMimeData* d = Data();
  if (!d) return false;
  switch (format) {
    case TClipboardFormat::Text: return d->hasText();
    case TClipboardFormat::Component: return d->hasFormat(QLatin1String(kComponentMimeType));
    case TClipboardFormat::Bitmap:
      if (d->hasImage()) return true;
      for (const QString& f : d->formats())
        if (f.startsWith(QLatin1String("image/"), Qt::CaseInsensitive)) return true;
      return false;
  }
  return false;
}

bool TClipboard::HasPastableFormat() const {
  return HasFormat(TClipboardFormat::Text) || HasFormat(TClipboardFormat::Bitmap) ||
         HasFormat(TClipboardFormat::Component);
}

void TClipboard::SetComponent(const TComponent& component) {
  Target()->setData(QLatin1String(kComponentMimeType), ComponentStream::WriteComponent(component));
  Commit();
}

TComponent* TClipboard::GetComponent(TComponent* owner, TWinControl* parent,
                                     const std::set<QByteArray>& allowed) const {
  const QMimeData* d = Data();
  if (!d || !d->hasFormat(QLatin1String(kComponentMimeType))) throw EReadError("The clipboard holds no component.");
  const QByteArray bytes = d->data(QLatin1String(kComponentMimeType));
  if (bytes.size() > MaxDataBytes)
    throw EReadError("The component on the clipboard has " + std::to_string(bytes.size()) + " bytes, more than any.");
  const QByteArray className = ComponentStream::PeekClassName(bytes);
  if (!allowed.count(className))
    throw EClassNotFound("The clipboard holds a " + Printable(className) + ", which cannot be pasted here.");
  qsizetype used = 0;
  std::unique_ptr<TComponent> component(ComponentStream::ReadNewComponent(bytes, owner, parent, &used));
  if (used != bytes.size())
    throw EReadError("The component on the clipboard is followed by " + std::to_string(bytes.size() - used) +
                     " bytes that belong to nothing.");
  return component.release();
}

QString TClipboard::AsText() const {
  const QMimeData* d = Data();
  if (!d) return {};
  QString text = d->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void TClipboard::SetAsText(const QString& text) {
  QString host = text;
  host.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Target()->setText(host);
  Commit();
}

void TClipboard::SetPicture(const TGraphic& graphic) {
  try {
    const QImage& image = graphic.Image();
    if (!image.isNull()) Target()->setImageData(image);
  } catch (const EInvalidGraphic&) {
    // Other programs get no picture; our own format still carries it.
  }
  Commit();
}

TClipboardPicture TClipboard::GetPicture() const {
  const QMimeData* d = Data();
  if (!d) return {};
  // The first form that gives a picture wins; when none does, a picture
  // that was too large is the better reason to give.
  TClipboardPicture::Status refused = TClipboardPicture::None;
  auto consider = [&refused](TClipboardPicture p) {
    if (p.Result == TClipboardPicture::TooLarge || refused == TClipboardPicture::None) refused = p.Result;
    return p;
  };
  const QStringList formats = d->formats();
  // A BMP file is kept as it is; other encoded pictures become one.
  for (const QString& f : formats) {
    if (!IsBmpType(f)) continue;
    const QByteArray bytes = d->data(f);
    if (bytes.size() > MaxDataBytes) {
      consider(Refused(TClipboardPicture::TooLarge));
      continue;
    }
    if (!bytes.startsWith("BM")) continue;
    if (TClipboardPicture p = consider(FromBmpFile(bytes)); p.Result == TClipboardPicture::Ok) return p;
  }
  for (const QString& f : formats) {
    if (!f.startsWith(QLatin1String("image/"), Qt::CaseInsensitive) || IsBmpType(f)) continue;
    const QByteArray bytes = d->data(f);
    if (bytes.size() > MaxDataBytes) {
      consider(Refused(TClipboardPicture::TooLarge));
      continue;
    }
    if (bytes.isEmpty()) continue;
    if (TClipboardPicture p = consider(FromEncoded(bytes)); p.Result == TClipboardPicture::Ok) return p;
  }
  // A picture put by this process is already an image.
  if (d->hasImage()) {
    if (TClipboardPicture p = consider(FromImage(qvariant_cast<QImage>(d->imageData())));
        p.Result == TClipboardPicture::Ok)
      return p;
  }
  return Refused(refused);
}
