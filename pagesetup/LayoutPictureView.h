#pragma once
// The sheet as the page setup dialog draws it: a white paper, one pixel per
// millimetre, with one outlined rectangle per card. Cards beyond the paper are
// cut at its edge.
#include <QWidget>

#include "PageSetupRules.h"

class TLayoutPictureView : public QWidget {
  Q_OBJECT
 public:
  explicit TLayoutPictureView(QWidget* parent = nullptr);

  // Takes the picture and resizes to the paper.
  void SetPicture(const LayoutPicture& picture);
  const LayoutPicture& Picture() const { return FPicture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LayoutPicture FPicture;
};
