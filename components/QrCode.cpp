#include "QrCode.h"

#include <optional>

#include "Bitmap.h"
#include "Errors.h"
#include "Graphic.h"
#include "Picture.h"
#include "QrCodeStrings.h"
#include "ShiftJis.h"
#include "StringTable.h"

namespace {

// The first character a document's Shift-JIS strings cannot hold, if any.
std::optional<QString> FirstUnstorable(const QString& content) {
  if (ShiftJis::CanEncode(content)) return std::nullopt;
  for (qsizetype i = 0; i < content.size(); ++i) {
    const qsizetype len = content[i].isHighSurrogate() && i + 1 < content.size() ? 2 : 1;
    if (!ShiftJis::CanEncode(content.mid(i, len))) return content.mid(i, len);
    i += len - 1;
  }
  return QString(QChar(QChar::ReplacementCharacter));
}

void Put(uchar* at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = uchar(v >> (8 * i));
}

// One bit per module: the largest code is a 4.5 KB bitmap rather than 100 KB
// at 24 bits, in every document and on the clipboard.
QByteArray MonochromeBmp(const QImage& symbol) {
  const int w = symbol.width(), h = symbol.height();
  const int stride = (w + 31) / 32 * 4;
  constexpr int pixels = 14 + 40 + 2 * 4;  // file header, info header, two colours
  QByteArray out(pixels + stride * h, '\0');
  auto* o = reinterpret_cast<uchar*>(out.data());
  o[0] = 'B', o[1] = 'M';
  Put(o + 2, uint32_t(out.size()), 4);
  Put(o + 10, pixels, 4);
  Put(o + 14, 40, 4);
  Put(o + 18, uint32_t(w), 4);
  Put(o + 22, uint32_t(h), 4);
  Put(o + 26, 1, 2);
  Put(o + 28, 1, 2);
  Put(o + 34, uint32_t(stride * h), 4);
  Put(o + 46, 2, 4);
  Put(o + 58, 0xFFFFFF, 4);  // colour 1 white; colour 0 stays black
  const QImage rgb = symbol.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    uchar* row = o + pixels + qsizetype(stride) * (h - 1 - y);
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < w; ++x)
      if (qGray(in[x]) >= 128) row[x >> 3] |= uchar(0x80 >> (x & 7));
  }
  return out;
}

// The code's bitmap, decoded already.
TQrBitmap MakeBitmap(const TOutcomeOf<QImage>& picture) {
  if (!picture.Ok()) return TOutcome(picture);
  try {
    auto bitmap = std::make_unique<TBitmap>(MonochromeBmp(picture.Value()));
    bitmap->Image();
    return TQrBitmap(std::move(bitmap));
  } catch (const EInvalidGraphic&) {
    return TOutcome::Refused(LoadStr(QrCodeStrings::NoMemory));
  }
}

void SetBitmap(TImage& image, std::unique_ptr<TBitmap> bitmap) {
  // A code fills its bounds whatever its module count.
  const QRect bounds = image.BoundsRect();
  image.SetAutoSize(false);
  image.Picture()->SetGraphic(std::move(bitmap));
  image.SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
  image.SetStretch(true);
}

}  // namespace

bool IsQrCode(const TControl& control) {
  return control.Tag() == QrCodeTag && !control.Hint().isEmpty() && dynamic_cast<const TImage*>(&control);
}

TOutcomeOf<QImage> QrCodePicture(const QString& content, TQrLevel level) {
  if (content.trimmed().isEmpty()) return TOutcome::Refused(LoadStr(QrCodeStrings::NoContent));
  TQrSymbol symbol = EncodeQrSymbol(content.toUtf8(), level);
  switch (symbol.Failure) {
    case TQrFailure::None: break;
    case TQrFailure::Empty: return TOutcome::Refused(LoadStr(QrCodeStrings::NoContent));
    case TQrFailure::TooLong: return TOutcome::Refused(LoadStr(QrCodeStrings::TooLong).arg(QrLevelLetter(level)));
    case TQrFailure::NoMemory: return TOutcome::Refused(LoadStr(QrCodeStrings::NoMemory));
  }
  return std::move(symbol.Image);
}

TOutcome MakeQrCode(TImage& image, const QString& content, TQrLevel level) {
  // The content is kept in Hint, which a document stores as Shift-JIS.
  if (const auto c = FirstUnstorable(content)) return TOutcome::Refused(LoadStr(QrCodeStrings::NotStorable).arg(*c));
  TQrBitmap bitmap = QrCodeBitmap(content, level);
  if (!bitmap.Ok()) return TOutcome(bitmap);
  SetBitmap(image, std::move(bitmap).Value());
  image.SetTag(QrCodeTag);
  image.SetHint(content);
  return {};
}

TOutcome ReplaceQrContent(TImage& image, const QString& content) {
  return ReplaceQrBitmap(image, QrCodeBitmap(content, QrLevelOf(image)));
}

TQrBitmap QrCodeBitmap(const QString& content, TQrLevel level) { return MakeBitmap(QrCodePicture(content, level)); }

TOutcome ReplaceQrBitmap(TImage& image, TQrBitmap bitmap) {
  if (!bitmap.Ok()) return TOutcome(bitmap);
  SetBitmap(image, std::move(bitmap).Value());
  return {};
}

TQrLevel QrLevelOf(const TImage& image) {
  const TGraphic* g = image.Picture() ? image.Picture()->Graphic() : nullptr;
  if (!g || g->Empty()) return TQrLevel::M;
  try {
    return ReadQrLevel(g->Image()).value_or(TQrLevel::M);
  } catch (const EInvalidGraphic&) {
    return TQrLevel::M;
  }
}
