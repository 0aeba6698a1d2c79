#include "SpeedButton.h"

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QToolButton::clicked, this, [this]() {
    if (OnClick) OnClick();
  });
}

void TSpeedButton::SetDown(bool down) {
  if (FGroupIndex == 0) {
    setCheckable(down);
    setChecked(down);
    return;
  }
  setCheckable(true);
  if (down && parentWidget()) {
    for (TSpeedButton* other : parentWidget()->findChildren<TSpeedButton*>(QString(), Qt::FindDirectChildrenOnly))
      if (other != this && other->FGroupIndex == FGroupIndex) other->setChecked(false);
  }
  setChecked(down);
}

void TSpeedButton::nextCheckState() {
  if (FGroupIndex == 0) return;
  if (isChecked()) {
    if (FAllowAllUp) setChecked(false);  // else a grouped button stays down
  } else {
    SetDown(true);
  }
}
