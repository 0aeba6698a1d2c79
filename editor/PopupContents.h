#pragma once
// Which items of the object popup menu fit what was clicked. Every other item
// stays hidden; the menu shows the chosen ones in its own fixed order.
#include <vector>

enum class TPopupItem {
  PenColorChange, BrushColorChange, Brushed, FontColorChange, ImageChange, ImageReduction, Order,
  BGImageSetting, BGImageClear, GridSetting, QrCodeEdit, QrCodeInsert
};

enum class TPopupTarget { Shape, Picture, Text, Worksheet, QrCode };

struct TPopupContents {
  std::vector<TPopupItem> Items;  // in the order they are made visible
  int BrushedCaptionId = 0;       // string id for "Brushed", 0 when it is not shown
  bool Has(TPopupItem item) const;
};

// shapeFilled: the clicked shape's brush is solid rather than clear;
// backgroundShown: the worksheet's background picture is visible.
TPopupContents PopupContentsFor(TPopupTarget target, bool shapeFilled, bool backgroundShown);
