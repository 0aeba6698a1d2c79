#pragma once
// The label base: a windowless control that draws its Caption in its Font,
// optionally transparent, aligned and auto-sized to its text. Text drawing
// goes through the virtual DoDrawText, called both to paint and (with
// DT_CALCRECT) to measure for auto-sizing.
#include <QString>

#include "Control.h"
#include "ZoomedPicture.h"

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The label properties as the platform publishes them, for subclasses to
  // list in their own streaming order.
  static TPropInfo LabelProperty(std::string_view name);

  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v) { FParentShowHint = v; }

  void Loaded() override;
  void Invalidate() override;
  void PaintControl(QPainter& painter) override;

 protected:
  void Paint() override;
  void FontChanged() override;
  // Draws the caption into rect, or measures it when DT_CALCRECT is set
  // (rect then receives the text's extent).
  virtual void DoDrawText(QRect& rect, unsigned flags);
  // Sizes the label to its text when AutoSize is on.
  void AdjustBounds();

 private:
  QString FCaption;
  bool FAutoSize = true, FTransparent = false, FWordWrap = false, FShowAccelChar = true, FParentShowHint = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  // Zoomed, text is filled from its outlines: the label is kept as a
  // picture and drawn anew only when it changes (every change invalidates).
  ZoomedPicture FZoomed;
};
