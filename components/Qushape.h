#pragma once
// TQuShape: the drawn figure of a card (rectangles, squares, rounded variants,
// ellipses, circles and the two diagonal lines). It keeps its own logical
// rectangle; the control's bounds are that rectangle grown by the pen width,
// so that a thick outline is centred on the logical outline and never cut off.
#include <memory>

#include "Control.h"

enum TQuShapeType : uint8_t {
  qustRectangle, qustSquare, qustRoundRect, qustRoundSquare, qustEllipse, qustCircle, qustLinea, qustLineb
};

class TQuShape : public TGraphicControl {
 public:
  explicit TQuShape(TComponent* owner);
  ~TQuShape() override;
  static const TClassInfo& StaticClassInfo();
  static const TEnumInfo& ShapeTypes();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TQuShapeType Shape() const { return FShape; }
  void SetShape(TQuShapeType value);
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* value) { FPen->Assign(*value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* value) { FBrush->Assign(*value); }

  // The logical rectangle (these hide the control's own bounds, as the
  // published properties of the shape do).
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v);
  void SetTop(int v);
  void SetWidth(int v);
  void SetHeight(int v);

  void StyleChanged(TGraphicsObject* sender);

 protected:
  void Paint() override;

 private:
  void UpdateBounds();

  TQuShapeType FShape = qustRectangle;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
};
