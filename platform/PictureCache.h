#pragma once
// Decoded pictures shared by content, and their scaled copies shared by size.
// A picture copied by streaming (printing, the preview, the clipboard) holds
// the same bytes as its original; it gets the same decoded QImage rather than
// decoding them again, and every copy drawn at one size gets the very same
// scaled QImage, so a PDF embeds a picture shown in ten cells once (Qt's PDF
// writer shares images by cacheKey). Bounded by the memory the images take;
// the least recently used go first.
#include <QByteArray>
#include <QImage>
#include <QSize>

#include <functional>

namespace PictureCache {

// The image decoded from bytes: decode() runs only when no image of equal
// bytes is held. What decode() throws passes through, and nothing is kept.
QImage Decoded(const QByteArray& bytes, const std::function<QImage()>& decode);

// source scaled to size with smooth filtering, made once per source image
// and size while held.
QImage Scaled(const QImage& source, QSize size);

// Empties the cache (tests; low memory).
void Clear();
// Bytes of image data held.
qint64 HeldBytes();

}  // namespace PictureCache
