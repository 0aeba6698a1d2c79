#include "ResizeRules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "Snap.h"

namespace {

using i64 = int64_t;

int Clamp32(i64 v) { return int(std::clamp<i64>(v, INT_MIN, INT_MAX)); }

bool Is(int mark, std::initializer_list<int> marks) { return std::find(marks.begin(), marks.end(), mark) != marks.end(); }

// One axis: the edges at the press, the movement, and whether the far
// (right or bottom) or the near (left or top) edge is held.
struct Axis {
  i64 Pos, Size;
};

Axis MoveEdge(i64 origNear, i64 origFar, i64 delta, bool farEdge, bool snap, int grid) {
  auto snapped = [&](i64 v) { return i64(SnapValue(Clamp32(v), grid)); };
  Axis a{};
  if (farEdge) {
    const i64 r = origFar + delta;
    if (r < origNear) {  // across the near edge: the old near edge is now the far one
      a.Pos = r;
      a.Size = origNear - r;
      if (snap) {
        a.Pos = snapped(a.Pos);
        a.Size = origNear - a.Pos;
      }
      if (a.Size < 0) a = {origNear, 0};
    } else {
      a.Pos = origNear;
      a.Size = r - origNear;
      if (snap) a.Size = snapped(a.Pos + a.Size) - a.Pos;
      if (a.Size < 0) a.Size = 0;
    }
  } else {
    const i64 l = origNear + delta;
    if (origFar < l) {  // across the far edge
      a.Pos = origFar;
      a.Size = l - origFar;
      if (snap) a.Size = snapped(a.Pos + a.Size) - a.Pos;
      if (a.Size < 0) a.Size = 0;
    } else {
      a.Pos = l;
      a.Size = origFar - l;
      if (snap) {
        a.Pos = snapped(a.Pos);
        a.Size = origFar - a.Pos;
      }
      if (a.Size < 0) a = {origFar, 0};
    }
  }
  return a;
}

// Re-anchors a square or a proportion-kept picture after its size was
// matched, so that the edge opposite the mark stays put.
void ReAnchor(int mark, const TResizeStart& s, i64 dx, i64 dy, i64& left, i64& top, i64 width, i64 height) {
  if (Is(mark, {7, 2})) left = (s.OrigRight + dx < s.OrigLeft) ? s.OrigLeft - width : s.OrigLeft;
  if (Is(mark, {6, 1})) left = (i64(s.OrigRight) + s.OrigLeft) / 2 - width / 2;
  if (Is(mark, {5, 0})) left = (s.OrigRight < s.OrigLeft + dx) ? s.OrigRight : s.OrigRight - width;
  if (Is(mark, {7, 5})) top = (s.OrigBottom + dy < s.OrigTop) ? s.OrigTop - height : s.OrigTop;
  if (Is(mark, {4, 3})) top = (i64(s.OrigBottom) + s.OrigTop) / 2 - height / 2;
  if (Is(mark, {2, 0})) top = (s.OrigBottom < s.OrigTop + dy) ? s.OrigBottom : s.OrigBottom - height;
}

// trunc(x + 0.5) in extended precision, kept inside the integer range.
i64 RoundHalfUp(long double x) {
  const long double r = std::trunc(x + 0.5L);
  if (!(r == r)) return 0;
  return i64(std::clamp<long double>(r, INT_MIN, INT_MAX));
}

}  // namespace

float PictureAspectRatio(int width, int height) {
  if (width <= 0 || height <= 0) return 0.0f;
  return float(width) / float(height);
}

TResizeResult ResizeByMark(int mark, const TResizeStart& s, int dxIn, int dyIn, TResizeKind kind, bool snap,
                           int grid) {
  const i64 dx = dxIn, dy = dyIn;
  i64 left = s.OrigLeft, width = i64(s.OrigRight) - s.OrigLeft;
  i64 top = s.OrigTop, height = i64(s.OrigBottom) - s.OrigTop;

  if (Is(mark, {2, 4, 7}) || Is(mark, {0, 3, 5})) {
    const Axis a = MoveEdge(s.OrigLeft, s.OrigRight, dx, Is(mark, {2, 4, 7}), snap, grid);
    left = a.Pos;
    width = a.Size;
  }
  if (Is(mark, {5, 6, 7}) || Is(mark, {0, 1, 2})) {
    const Axis a = MoveEdge(s.OrigTop, s.OrigBottom, dy, Is(mark, {5, 6, 7}), snap, grid);
    top = a.Pos;
    height = a.Size;
  }

  TResizeResult res;
  const bool corner = Is(mark, {0, 2, 5, 7});
  switch (kind) {
    case TResizeKind::Free:
      break;
    case TResizeKind::SquareOrCircle:
      if (corner) {
        if (height < width) width = height;
        else height = width;
      } else if (Is(mark, {1, 6})) {
        width = height;
      } else {
        height = width;
      }
      ReAnchor(mark, s, dx, dy, left, top, width, height);
      break;
    case TResizeKind::Line: {
      if (!corner) break;
      const i64 sx = Is(mark, {2, 7}) ? s.OrigLeft - (s.OrigRight + dx) : s.OrigRight - (s.OrigLeft + dx);
      const i64 sy = Is(mark, {5, 7}) ? s.OrigTop - (s.OrigBottom + dy) : s.OrigBottom - (s.OrigTop + dy);
      // Signs only: the product of two large distances must not overflow.
      const int sign = (sx == 0 || sy == 0) ? 0 : ((sx < 0) == (sy < 0) ? 1 : -1);
      res.RisingLine = sign < 1;
      break;
    }
    case TResizeKind::KeptAspectPicture: {
      const long double ar = s.AspectRatio;
      if (!(ar > 0) || !std::isfinite(s.AspectRatio)) break;  // no ratio to keep
      if (corner) {
        if (width > height * ar) width = RoundHalfUp(ar * height);
        else height = RoundHalfUp(width / ar);
      } else if (Is(mark, {1, 6})) {
        width = RoundHalfUp(height * ar);
      } else {
        height = RoundHalfUp(width / ar);
      }
      ReAnchor(mark, s, dx, dy, left, top, width, height);
      break;
    }
  }
  res.Left = Clamp32(left);
  res.Top = Clamp32(top);
  res.Width = Clamp32(width);
  res.Height = Clamp32(height);
  return res;
}
