#pragma once
// Controls: TControl (bounds, parent, visibility, cursor, hint, mouse events)
// and TGraphicControl (no window of its own: paints on its parent inside its
// bounds through its Canvas). Card objects are plain C++ objects, not widgets;
// a PanelView shows a panel and its children on screen.
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

#include "Component.h"
#include "GraphicsObjects.h"

class QPainter;
class QTransform;
class QWidget;
class TCanvas;
class TWinControl;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

class TControl;
using TNotifyEvent = std::function<void(TControl* sender)>;
using TMouseEvent = std::function<void(TControl* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl* sender, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The control's own bounds; TQuShape redeclares Left..Height as its logical
  // rectangle, so generic code (painting, hit tests) uses these.
  int BoundsLeft() const { return FLeft; }
  int BoundsTop() const { return FTop; }
  int BoundsWidth() const { return FWidth; }
  int BoundsHeight() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Moves and sizes in one step, repainting what moved.
  virtual void SetBounds(int left, int top, int width, int height);
  QRect BoundsRect() const { return QRect(FLeft, FTop, FWidth, FHeight); }
  QRect ClientRect() const { return QRect(0, 0, FWidth, FHeight); }

  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  const QString& Hint() const { return FHint; }
  void SetHint(const QString& v) { FHint = v; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }

  // Colour and font, for the controls that draw text or a background.
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* font) { FFont->Assign(*font); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);

  // Repaints the control's area on its parent.
  virtual void Invalidate();
  void Repaint() { Invalidate(); }
  // Stacking order among the parent's children.
  void BringToFront();
  void SendToBack();

  // Paints the control with the painter's origin at the control's top-left
  // corner and the painting clipped to its bounds.
  virtual void PaintControl(QPainter& painter) = 0;
  // A real widget placed at this control's bounds by the view (the in-place
  // memo); nullptr for windowless drawing.
  virtual QWidget* NativeWidget() const { return nullptr; }
  // The scale the view shows the native widget at (1 at 100 %), so that
  // what is typed there is as large as the text it becomes.
  virtual void SetNativeScale(double) {}

  // A control that keeps its own size on screen whatever the view's zoom
  // (a selection mark): drawn and hit at Width x Height device pixels,
  // centred where its bounds map to.
  bool KeepsScreenSize() const { return FKeepsScreenSize; }
  void SetKeepsScreenSize(bool v) { FKeepsScreenSize = v; }
  // Where such a control stands in device pixels under a transform that
  // maps its parent's coordinates to the device.
  QRect ScreenBox(const QTransform& parentToDevice) const;

  // Resizes and moves by M/D, as scaling a form to another resolution does.
  virtual void ChangeScale(int M, int D);

  // Mouse input, in the control's own coordinates; the view calls these.
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick, OnDblClick;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual void Click();

 protected:
  virtual void FontChanged() { Invalidate(); }
  // The parent's font or colour changed (for ParentFont / ParentColor).
  void ParentFontChanged();
  void ParentColorChanged();
  friend class TWinControl;

 private:
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true, FEnabled = true, FShowHint = false;
  bool FParentColor = true, FParentFont = true;
  bool FKeepsScreenSize = false;
  TCursor FCursor = crDefault;
  QString FHint;
  TColor FColor = clWindow;
  std::unique_ptr<TFont> FFont;
};

// A control without a window of its own; paints with Canvas on its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TCanvas* Canvas() const { return FCanvas.get(); }
  void PaintControl(QPainter& painter) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> FCanvas;
};
