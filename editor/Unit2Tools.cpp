// TForm2: choosing a tool and what the worksheet does with the mouse for it:
// the rubber band of a new shape, opening a new text, placing a picture.
#include <QComboBox>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdlib>

#include "Gridshape.h"
#include "Qushape.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit2.h"
#include "WinControl.h"

void TForm2::ChooseTool(int code, TSpeedButton* button, bool* flag, TCursor cursor, int instructionId) {
  if (TextEditing) CloseTextEditor();
  CurrentTool = code;
  // Already down after a real click; also when the handler is called directly.
  button->SetDown(true);
  ResetTool();
  if (flag) *flag = true;
  if (DrawPanel) {
    SetWorksheetCursor(cursor);
    if (instructionId) {
      const QString instruction = LoadStr(instructionId);
      DrawPanel->SetHint(instruction);
      button->setToolTip(instruction);
      DrawPanel->SetShowHint(true);
    }
  }
}

void TForm2::PointButtonClick() { ChooseTool(ToolPointer, PointButton, nullptr, crDefault, 0); }
void TForm2::LineButtonClick() { ChooseTool(ToolLine, LineButton, &ShapeToolActive, ShapeCursor, 1140); }
void TForm2::SquareButtonClick() { ChooseTool(ToolSquare, SquareButton, &ShapeToolActive, ShapeCursor, 1140); }
void TForm2::RectButtonClick() { ChooseTool(ToolRectangle, RectButton, &ShapeToolActive, ShapeCursor, 1140); }
void TForm2::CircleButtonClick() { ChooseTool(ToolCircle, CircleButton, &ShapeToolActive, ShapeCursor, 1140); }
void TForm2::EllipseButtonClick() { ChooseTool(ToolEllipse, EllipseButton, &ShapeToolActive, ShapeCursor, 1140); }
void TForm2::TextButtonClick() { ChooseTool(ToolText, TextButton, &NewTextPending, TextCursor, 1139); }
void TForm2::imageButtonClick() { ChooseTool(ToolPicture, imageButton, &PictureToolActive, ImageCursor, 1141); }
void TForm2::CFButtonClick() { ChooseTool(ToolPicture, CFButton, &PhraseToolActive, ImageCursor, 1142); }

void TForm2::LeaveToolState() {
  if (TextEditing) CloseTextEditor();
  ReturnToPointer();
}

void TForm2::ReturnToPointer() {
  ResetTool();
  CurrentTool = ToolPointer;
  PointButton->SetDown(true);
  SetWorksheetCursor(crDefault);
}

void TForm2::DrawPanelMouseDown(TControl*, TMouseButton, TShiftState shift, int x, int y) {
  // A second button pressed while a shape is still being drawn: the
  // unfinished shape would stay on the worksheet without being listed.
  if (MouseIsDown && ShapeToolActive && CurShape &&
      std::find(ObjectList.begin(), ObjectList.end(), CurShape) == ObjectList.end()) {
    delete CurShape;
    CurShape = nullptr;
  }
  if (HasSelection) Deselect();
  // Closing turns the typed text into a label and ends the text tool, so a
  // press outside an open editor only closes it.
  if (TextEditing) CloseTextEditor();
  TestMemo->setFocus(Qt::OtherFocusReason);
  MouseIsDown = true;
  SnapIfApplies(shift, x, y);
  DownX = CurX = x;
  DownY = CurY = y;
  RubberLeft = DownX;
  RubberTop = DownY;
  RubberWidth = RubberHeight = 0;

  if (ShapeToolActive && DrawPanel) {
    auto* shape = new TQuShape(DrawPanel);
    shape->SetParent(DrawPanel);
    shape->OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState sh, int px, int py) {
      ShapeMouseDown(s, b, sh, px, py);
    };
    shape->OnMouseMove = [this](TControl* s, TShiftState sh, int px, int py) { ShapeMouseMove(s, sh, px, py); };
    shape->OnMouseUp = [this](TControl* s, TMouseButton b, TShiftState sh, int px, int py) {
      ShapeMouseUp(s, b, sh, px, py);
    };
    shape->SetCursor(crHandPoint);
    shape->SetTop(DownY);
    shape->SetLeft(DownX);
    shape->SetHeight(0);
    shape->SetWidth(0);
    shape->Pen()->SetStyle(PenStyle);
    shape->Pen()->SetWidth(PenWidth);
    shape->Brush()->SetStyle(bsClear);
    shape->SetShape(TQuShapeType(CurrentTool));
    // While it is drawn it inverts what lies below.
    shape->Pen()->SetMode(pmNot);
    CurShape = shape;
  }
  if (NewTextPending) OpenNewTextEditor();
}

void TForm2::DrawPanelMouseMove(TControl*, TShiftState shift, int x, int y) {
  SnapIfApplies(shift, x, y);
  if (!MouseIsDown) return;
  CurX = x;
  CurY = y;
  if (!ShapeToolActive || !CurShape) return;
  // Distances in 64 bits: two far-apart points must not overflow.
  const int64_t w = std::llabs(int64_t(DownX) - x), h = std::llabs(int64_t(DownY) - y);
  RubberWidth = int(std::min<int64_t>(w, INT32_MAX));
  RubberHeight = int(std::min<int64_t>(h, INT32_MAX));
  if (CurrentTool == ToolLine) {
    const bool rising = (int64_t(DownX) - x) * (int64_t(DownY) - y) < 0;
    CurShape->SetShape(rising ? qustLineb : qustLinea);
  }
  if (CurrentTool == ToolSquare || CurrentTool == ToolCircle) {
    if (RubberHeight < RubberWidth) RubberWidth = RubberHeight;
    else RubberHeight = RubberWidth;
  }
  RubberLeft = DownX > CurX ? DownX - RubberWidth : DownX;
  RubberTop = DownY > CurY ? DownY - RubberHeight : DownY;
  CurShape->SetTop(RubberTop);
  CurShape->SetLeft(RubberLeft);
  CurShape->SetHeight(RubberHeight);
  CurShape->SetWidth(RubberWidth);
}

void TForm2::DrawPanelMouseUp(TControl* sender, TMouseButton button, TShiftState shift, int x, int y) {
  const QPoint screen = ScreenPointOf(sender, x, y);  // the menu opens where the mouse is
  SnapIfApplies(shift, x, y);
  // A release whose press did not start here creates nothing: CurShape
  // would then be an object already listed.
  const bool pressedHere = MouseIsDown;
  MouseIsDown = false;
  GestureEnded();
  if (PointButton->Down() && button == mbRight) ShowPopupFor(TPopupTarget::Worksheet, false, screen);
  if (!pressedHere) return;

  if (ShapeToolActive && CurShape && std::find(ObjectList.begin(), ObjectList.end(), CurShape) == ObjectList.end()) {
    CurShape->SetTop(RubberTop);
    CurShape->SetLeft(RubberLeft);
    CurShape->SetHeight(RubberHeight);
    CurShape->SetWidth(RubberWidth);
    CurShape->Pen()->SetMode(pmCopy);
    CurShape->Pen()->SetColor(DrawColor);
    CurShape->Brush()->SetColor(FillColor);
    CurShape->Brush()->SetStyle(FillStyle);
    ObjectList.push_back(CurShape);
    MarkModified();
    ReturnToPointer();
  } else if (PictureToolActive) {
    InsertPicture(0);
    ReturnToPointer();
  } else if (PhraseToolActive) {
    InsertPicture(1);
    ReturnToPointer();
  }
}
