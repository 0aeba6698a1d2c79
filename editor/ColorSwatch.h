#pragma once
// A small coloured panel with an optional caption letter: the palette's
// colour buttons and the ForColor / BackColor panels of the colour bar.
#include <QFrame>

#include <functional>

#include "Control.h"

class ColorSwatch : public QFrame {
  Q_OBJECT
 public:
  explicit ColorSwatch(QWidget* parent = nullptr);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& caption);
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor color);

  std::function<void(ColorSwatch* sender, TMouseButton button)> OnMouseDown;
  std::function<void(ColorSwatch* sender)> OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TColor FColor = clBtnFace;
  TColor FFontColor = clWindowText;
  QString FCaption;
};
