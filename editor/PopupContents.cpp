#include "PopupContents.h"

#include <algorithm>

bool TPopupContents::Has(TPopupItem item) const { return std::find(Items.begin(), Items.end(), item) != Items.end(); }

TPopupContents PopupContentsFor(TPopupTarget target, bool shapeFilled, bool backgroundShown) {
  TPopupContents c;
  switch (target) {
    case TPopupTarget::Shape:
      if (shapeFilled) {
        c.Items = {TPopupItem::PenColorChange, TPopupItem::BrushColorChange, TPopupItem::Brushed, TPopupItem::Order};
        c.BrushedCaptionId = 1071;  // make transparent
      } else {
        c.Items = {TPopupItem::PenColorChange, TPopupItem::Brushed, TPopupItem::Order};
        c.BrushedCaptionId = 1070;  // fill
      }
      break;
    case TPopupTarget::Picture:
      c.Items = {TPopupItem::ImageReduction, TPopupItem::Order, TPopupItem::ImageChange};
      break;
    case TPopupTarget::QrCode:
      // A code is re-made from its content, never replaced by a file.
      c.Items = {TPopupItem::ImageReduction, TPopupItem::Order, TPopupItem::QrCodeEdit};
      break;
    case TPopupTarget::Text:
      c.Items = {TPopupItem::FontColorChange, TPopupItem::Order};
      break;
    case TPopupTarget::Worksheet:
      c.Items = {TPopupItem::GridSetting, TPopupItem::BGImageSetting};
      if (backgroundShown) c.Items.push_back(TPopupItem::BGImageClear);
      c.Items.push_back(TPopupItem::QrCodeInsert);
      break;
  }
  return c;
}
