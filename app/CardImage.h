#pragma once
// The card as the worksheet shows it (background picture and card objects;
// no grid, no selection marks or other editing aids) painted into an image,
// for PNG export.
#include <QImage>
#include <QString>

#include "Outcome.h"

class TWorksheet;

// Limits of an exported image, against scales that would exhaust memory.
inline constexpr int MaxCardImageSide = 30000;
inline constexpr qint64 MaxCardImagePixels = 100'000'000;

// Why an image is refused (string-table ids).
namespace CardImageText {
constexpr int NoCard = 1780;
constexpr int BadScale = 1781;
constexpr int TooLarge = 1782;  // "%1" x "%2": the size; "%3", "%4": the limits
constexpr int NoMemory = 1783;
}  // namespace CardImageText

// Paints the worksheet at scale output pixels per worksheet pixel. Refused
// when the image would be too large or there is no worksheet. The card is
// composed from copies, as printing does; the worksheet is not touched.
TOutcomeOf<QImage> RenderCardImage(TWorksheet& sheet, double scale);
