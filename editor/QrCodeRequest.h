#pragma once
// What the QR code dialog asks for, without the dialog: the kind of content
// and its fields, the error-correction level and the size. The content a
// code stores is made from it, and a stored content opens it again.
#include <QString>

#include "QrContact.h"
#include "QrSymbol.h"

enum class TQrContentKind { Text, Contact };

struct TQrRequest {
  TQrContentKind Kind = TQrContentKind::Text;
  QString Text;
  TQrContact Contact;
  TContactFormat Format = TContactFormat::VCard;
  TQrLevel Level = TQrLevel::M;
  float SizeMm = 20.0f;

  // The text the code encodes (and its Hint holds).
  QString Content() const;
  // Size in worksheet pixels, rounded as the editor rounds millimetres.
  int SizePx() const;

  // The dialog opened on a code: a vCard or MECARD we can read opens as a
  // contact, anything else as text.
  static TQrRequest FromContent(const QString& content, TQrLevel level, int sizePx);
};

// The sizes the dialog accepts, in millimetres.
inline constexpr float QrMinSizeMm = 2.0f, QrMaxSizeMm = 300.0f;
