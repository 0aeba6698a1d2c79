#pragma once
// QR codes on the card. A stand-in until the QR code component lands: it
// recognises a code and leaves its bitmap as it is.
#include <QString>

class TControl;
class TImage;

// A QR code on the card: a TImage with Tag 2 whose Hint holds its content.
bool IsQrCode(const TControl& control);
// Re-makes the code's bitmap from content (fields already filled in), at the code's own
// error-correction level, keeping the object's bounds; the Hint is left alone. False, with a
// Japanese reason, when the content does not fit.
bool ReplaceQrContent(TImage& image, const QString& content, QString* reason);
