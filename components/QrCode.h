#pragma once
// QR codes on the card. A code is an ordinary picture object, so documents
// and the clipboard carry it unchanged: a TImage with Tag 2, a TBitmap of its
// modules at one pixel each (quiet zone included) stretched to its bounds,
// and its content in Hint. Its error-correction level is read back from the
// bitmap's own format bits.
#include <QString>

#include <memory>

#include "Image.h"
#include "Outcome.h"
#include "QrSymbol.h"

class TBitmap;

inline constexpr int QrCodeTag = 2;

// A QR code on the card: a TImage with Tag 2 whose Hint holds its content.
bool IsQrCode(const TControl& control);

// Re-makes the code's bitmap from content (fields already filled in), at the
// code's own error-correction level, keeping the object's bounds; the Hint
// is left alone. Refused, with a Japanese reason and image untouched, when
// the content does not fit.
TOutcome ReplaceQrContent(TImage& image, const QString& content);

// The bitmap of a code, as a document stores it and decoded already.
using TQrBitmap = TOutcomeOf<std::unique_ptr<TBitmap>>;
// ReplaceQrContent with the bitmap already made by QrCodeBitmap; a bitmap
// that was not made gives its own outcome and leaves image untouched.
TOutcome ReplaceQrBitmap(TImage& image, TQrBitmap bitmap);

// Makes image the code of content at level: its bitmap, Tag, Hint and
// Stretch; its bounds are left to the caller. Refused, with a Japanese
// reason and image untouched, when the content is empty, cannot be stored
// in a document or does not fit.
TOutcome MakeQrCode(TImage& image, const QString& content, TQrLevel level);

// The code's module picture for content, refused with a Japanese reason
// (shared by placing, replacing and the dialog's preview). Touches no
// object, so a merge makes the next rows' codes on another thread.
TOutcomeOf<QImage> QrCodePicture(const QString& content, TQrLevel level);

// The bitmap of content's code, refused with a Japanese reason. Touches no
// object either.
TQrBitmap QrCodeBitmap(const QString& content, TQrLevel level);

// The level the code's bitmap was made at (M when it cannot be read).
TQrLevel QrLevelOf(const TImage& image);
