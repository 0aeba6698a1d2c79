#include "QrCodeRequest.h"

#include "UnitLength.h"

QString TQrRequest::Content() const {
  if (Kind == TQrContentKind::Text) return Text;
  // A contact with no field filled in is no content, not an empty card.
  return Contact.Empty() ? QString() : EncodeContact(Contact, Format);
}

int TQrRequest::SizePx() const { return TUnitLength::FromMm(SizeMm).Px; }

TQrRequest TQrRequest::FromContent(const QString& content, TQrLevel level, int sizePx) {
  TQrRequest r;
  r.Level = level;
  r.SizeMm = TUnitLength::FromPixels(sizePx).Mm;
  // A contact opens as one only when its fields make the very same text, so
  // saving unchanged loses nothing we do not understand.
  const auto decoded = DecodeContact(content);
  if (decoded && EncodeContact(decoded->Contact, decoded->Format) == content) {
    r.Kind = TQrContentKind::Contact;
    r.Contact = decoded->Contact;
    r.Format = decoded->Format;
  } else {
    r.Text = content;
  }
  return r;
}
