#pragma once
// QR codes on the card. A code is an ordinary picture object, so documents
// and the clipboard carry it unchanged: a TImage with Tag 2, a TBitmap of its
// modules at one pixel each (quiet zone included) stretched to its bounds,
// and its content in Hint. Its error-correction level is read back from the
// bitmap's own format bits.
#include <QString>

#include <memory>

#include "Image.h"
#include "QrSymbol.h"

class TBitmap;

inline constexpr int QrCodeTag = 2;

// A QR code on the card: a TImage with Tag 2 whose Hint holds its content.
bool IsQrCode(const TControl& control);

// Re-makes the code's bitmap from content (fields already filled in), at the
// code's own error-correction level, keeping the object's bounds; the Hint
// is left alone. False, with a Japanese reason, when the content does not fit.
bool ReplaceQrContent(TImage& image, const QString& content, QString* reason);
// The same with the code's bitmap already made by QrCodeBitmap; false for
// none (its reason was given there).
bool ReplaceQrBitmap(TImage& image, std::unique_ptr<TBitmap> bitmap);

// Makes image the code of content at level: its bitmap, Tag, Hint and
// Stretch; its bounds are left to the caller. False, with a Japanese reason
// and image untouched, when the content is empty, cannot be stored in a
// document or does not fit.
bool MakeQrCode(TImage& image, const QString& content, TQrLevel level, QString* reason);

// The code's module picture for content, or a null image with a Japanese
// reason (shared by placing, replacing and the dialog's preview). Touches no
// object, so a merge makes the next rows' codes on another thread.
QImage QrCodePicture(const QString& content, TQrLevel level, QString* reason);

// The bitmap of content's code, as a document stores it and decoded already,
// or null with a Japanese reason. Touches no object either.
std::unique_ptr<TBitmap> QrCodeBitmap(const QString& content, TQrLevel level, QString* reason);

// The level the code's bitmap was made at (M when it cannot be read).
TQrLevel QrLevelOf(const TImage& image);
