#pragma once
// Resizing a selected shape or picture by one of its eight marks. The result
// depends only on the object's edges at the press, the mouse movement since
// the press and the kind of object, so every move event recomputes it from
// scratch. Dragging an edge across the opposite one flips the object over
// that edge; squares and circles stay square; a line keeps joining its fixed
// end and the dragged end (changing between falling and rising); a picture
// with a kept aspect keeps its proportions.

enum class TResizeKind { Free, SquareOrCircle, Line, KeptAspectPicture };

struct TResizeStart {
  int OrigLeft = 0, OrigTop = 0, OrigRight = 0, OrigBottom = 0;
  float AspectRatio = 0.0f;  // width / height of a picture at the press
};

struct TResizeResult {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool RisingLine = false;  // for TResizeKind::Line: qustLineb rather than qustLinea
};

// mark 0..7; snap: whether the moving edge goes to the grid of width grid.
TResizeResult ResizeByMark(int mark, const TResizeStart& start, int dx, int dy, TResizeKind kind, bool snap,
                           int grid);

// width / height as a single float; 0 when the picture has no usable ratio
// (an empty side), in which case its proportions are not kept.
float PictureAspectRatio(int width, int height);
