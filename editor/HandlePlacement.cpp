#include "HandlePlacement.h"

std::array<QPoint, 8> BoxHandlePositions(int left, int top, int width, int height) {
  const int rows[3] = {top - 5, top + height / 2 - 3, top + height - 1};
  const int cols[3] = {left - 5, left + width / 2 - 3, left + width - 1};
  return {QPoint(cols[0], rows[0]), QPoint(cols[1], rows[0]), QPoint(cols[2], rows[0]),
          QPoint(cols[0], rows[1]), QPoint(cols[2], rows[1]),
          QPoint(cols[0], rows[2]), QPoint(cols[1], rows[2]), QPoint(cols[2], rows[2])};
}

THandleLayout SelectionHandles(int left, int top, int width, int height, THandleKind kind) {
  THandleLayout l;
  l.Pos = BoxHandlePositions(left, top, width, height);
  l.Visible.fill(true);
  l.Cursor = {crSizeNWSE, crSizeNS, crSizeNESW, crSizeWE, crSizeWE, crSizeNESW, crSizeNS, crSizeNWSE};
  if (kind == THandleKind::Box) return l;
  l.Visible.fill(false);
  for (int i : {0, 2, 5, 7}) l.Cursor[i] = crSizeWE;
  if (kind == THandleKind::FallingLine) {
    l.Visible[0] = l.Visible[7] = true;
    l.Pos[0] = QPoint(left - 3, top - 3);
    l.Pos[7] = QPoint(left + width - 3, top + height - 3);
  } else {
    l.Visible[2] = l.Visible[5] = true;
    l.Pos[2] = QPoint(left + width - 3, top - 3);
    l.Pos[5] = QPoint(left - 3, top + height - 3);
  }
  return l;
}

QRect LabelFrameRect(const QRect& label) {
  return QRect(label.left() - 5, label.top() - 5, label.width() + 10, label.height() + 10);
}
