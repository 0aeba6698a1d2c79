#include "ArrowKeys.h"

std::optional<QPoint> ArrowKeyStep(uint16_t key, TShiftState shift, bool snapToGrid, int gridWidth) {
  // Alt switches snapping off for the mouse as well; a grid without a
  // spacing has no step to take.
  const bool snaps = snapToGrid && !(shift & (ssCtrl | ssAlt)) && gridWidth >= 1;
  const int step = snaps ? gridWidth : 1;
  switch (key) {
    case VK_LEFT: return QPoint(-step, 0);
    case VK_RIGHT: return QPoint(step, 0);
    case VK_UP: return QPoint(0, -step);
    case VK_DOWN: return QPoint(0, step);
    default: return std::nullopt;
  }
}
