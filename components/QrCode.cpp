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

void Say(QString* reason, const QString& text) {
  if (reason) *reason = text;
}

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

bool SetBitmap(TImage& image, const QImage& picture, QString* reason) {
  std::unique_ptr<TBitmap> bitmap;
  try {
    bitmap = TBitmap::FromImage(picture);
  } catch (const EInvalidGraphic&) {
    Say(reason, LoadStr(QrCodeStrings::NoMemory));
    return false;
  }
  // A code fills its bounds whatever its module count.
  const QRect bounds = image.BoundsRect();
  image.SetAutoSize(false);
  image.Picture()->SetGraphic(std::move(bitmap));
  image.SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
  image.SetStretch(true);
  return true;
}

}  // namespace

bool IsQrCode(const TControl& control) {
  return control.Tag() == QrCodeTag && !control.Hint().isEmpty() && dynamic_cast<const TImage*>(&control);
}

QImage QrCodePicture(const QString& content, TQrLevel level, QString* reason) {
  if (content.trimmed().isEmpty()) {
    Say(reason, LoadStr(QrCodeStrings::NoContent));
    return QImage();
  }
  const TQrSymbol symbol = EncodeQrSymbol(content.toUtf8(), level);
  switch (symbol.Failure) {
    case TQrFailure::None: return symbol.Image;
    case TQrFailure::Empty: Say(reason, LoadStr(QrCodeStrings::NoContent)); break;
    case TQrFailure::TooLong: Say(reason, LoadStr(QrCodeStrings::TooLong).arg(QrLevelLetter(level))); break;
    case TQrFailure::NoMemory: Say(reason, LoadStr(QrCodeStrings::NoMemory)); break;
  }
  return QImage();
}

bool MakeQrCode(TImage& image, const QString& content, TQrLevel level, QString* reason) {
  // The content is kept in Hint, which a document stores as Shift-JIS.
  if (const auto c = FirstUnstorable(content)) {
    Say(reason, LoadStr(QrCodeStrings::NotStorable).arg(*c));
    return false;
  }
  const QImage picture = QrCodePicture(content, level, reason);
  if (picture.isNull() || !SetBitmap(image, picture, reason)) return false;
  image.SetTag(QrCodeTag);
  image.SetHint(content);
  return true;
}

bool ReplaceQrContent(TImage& image, const QString& content, QString* reason) {
  const QImage picture = QrCodePicture(content, QrLevelOf(image), reason);
  return !picture.isNull() && SetBitmap(image, picture, reason);
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
