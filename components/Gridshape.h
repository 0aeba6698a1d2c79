#pragma once
// TGridShape: the worksheet's alignment grid, evenly spaced vertical and
// horizontal lines behind the card objects.
#include <memory>

#include "Control.h"

class TGridShape : public TGraphicControl {
 public:
  explicit TGridShape(TComponent* owner);
  ~TGridShape() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* value) { FPen->Assign(*value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* value) { FBrush->Assign(*value); }
  int GridWidth() const { return FGridWidth; }
  void SetGridWidth(int value);

  void StyleChanged(TGraphicsObject* sender);

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  int FGridWidth = 0;
};
