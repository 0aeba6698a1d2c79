#pragma once
// Where the eight selection marks of a shape or picture stand, which are
// shown and which sizing cursor each has; and the frame around a selected
// text. Marks: 0 top-left, 1 top-middle, 2 top-right, 3 middle-left,
// 4 middle-right, 5 bottom-left, 6 bottom-middle, 7 bottom-right.
#include <QPoint>
#include <QRect>

#include <array>

#include "Identifiers.h"

enum class THandleKind { Box, FallingLine, RisingLine };  // box; qustLinea; qustLineb

struct THandleLayout {
  std::array<QPoint, 8> Pos;     // logical left and top of each 6 x 6 mark
  std::array<bool, 8> Visible;
  std::array<TCursor, 8> Cursor;
};

constexpr int HandleSize = 6;

// The box positions: rows at top - 5, top + height / 2 - 3, top + height - 1;
// columns at left - 5, left + width / 2 - 3, left + width - 1.
std::array<QPoint, 8> BoxHandlePositions(int left, int top, int width, int height);

// The layout shown when an object is selected: a line shows only its two
// end marks, centred on its ends.
THandleLayout SelectionHandles(int left, int top, int width, int height, THandleKind kind);

// LabelFrame's logical rectangle around a text's bounds.
QRect LabelFrameRect(const QRect& label);
