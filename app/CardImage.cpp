#include "CardImage.h"

#include <QPainter>

#include <cmath>

#include "CardComposition.h"
#include "WinControl.h"
#include "Worksheet.h"

TOutcomeOf<QImage> RenderCardImage(TWorksheet& sheet, double scale) {
  TPanel* panel = sheet.DrawPanel;
  if (!panel) return TOutcome::Refused(QStringLiteral("There is no card to paint."));
  if (!std::isfinite(scale) || scale <= 0)
    return TOutcome::Refused(QStringLiteral("The scale must be a positive number."));
  const double w = std::round(panel->Width() * scale), h = std::round(panel->Height() * scale);
  if (w < 1 || h < 1 || w > MaxCardImageSide || h > MaxCardImageSide || w * h > double(MaxCardImagePixels))
    return TOutcome::Refused(QStringLiteral("An image of %1 x %2 pixels is too large; at most %3 pixels a side and "
                                            "%4 pixels in all can be made.")
                                 .arg(w)
                                 .arg(h)
                                 .arg(MaxCardImageSide)
                                 .arg(MaxCardImagePixels));
  QImage image(int(w), int(h), QImage::Format_RGB32);
  if (image.isNull()) return TOutcome::Refused(QStringLiteral("There is not enough memory for the image."));
  image.fill(Qt::white);

  // The card as printing composes it: copies of the background and the card
  // objects only, so the worksheet and its editing aids stay as they are.
  // The painter scales (rather than ScaleBy) so that text keeps the layout
  // it has on the worksheet at any scale.
  const TCardComposition card = ComposeCard(sheet.BGImage, sheet.ObjectList, panel->Width(), panel->Height(), false);
  QPainter painter(&image);
  painter.scale(w / panel->Width(), h / panel->Height());
  card.Panel->PaintTo(painter, 0, 0);
  return image;
}
