#include "CardImage.h"

#include <QPainter>

#include <cmath>

#include "CardComposition.h"
#include "StringTable.h"
#include "WinControl.h"
#include "Worksheet.h"

TOutcomeOf<QImage> RenderCardImage(TWorksheet& sheet, double scale) {
  TPanel* panel = sheet.DrawPanel;
  if (!panel) return TOutcome::Refused(LoadStr(CardImageText::NoCard));
  if (!std::isfinite(scale) || scale <= 0) return TOutcome::Refused(LoadStr(CardImageText::BadScale));
  const double w = std::round(panel->Width() * scale), h = std::round(panel->Height() * scale);
  if (w < 1 || h < 1 || w > MaxCardImageSide || h > MaxCardImageSide || w * h > double(MaxCardImagePixels))
    return TOutcome::Refused(LoadStr(CardImageText::TooLarge)
                                 .arg(w)
                                 .arg(h)
                                 .arg(MaxCardImageSide)
                                 .arg(MaxCardImagePixels));
  QImage image(int(w), int(h), QImage::Format_RGB32);
  if (image.isNull()) return TOutcome::Refused(LoadStr(CardImageText::NoMemory));
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
