#pragma once
// TLabelEx: the text object of a card. Draws its caption with a fixed number
// of extra pixels after every character (Gap) and sizes itself to the spaced
// text.
#include "CustomLabel.h"

class TLabelEx : public TCustomLabel {
 public:
  explicit TLabelEx(TComponent* owner) : TCustomLabel(owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int Gap() const { return FGap; }
  void SetGap(int value);
  // Declared anew with a field of its own: false on every new label although
  // the published default is true, so every label streams it.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);

 protected:
  void DoDrawText(QRect& rect, unsigned flags) override;

 private:
  int FGap = 0;
  bool FShowAccelChar = false;
};
