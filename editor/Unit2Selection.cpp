// TForm2: pressing, moving and selecting card objects; the selection marks
// and resizing with them; the frame around a selected text; deleting.
#include <QAction>
#include <QComboBox>

#include <algorithm>
#include <climits>

#include "ArrowKeys.h"
#include "HandlePlacement.h"
#include "Image.h"
#include "Labelex.h"
#include "QrCode.h"
#include "Qushape.h"
#include "ResizeRules.h"
#include "SpeedButton.h"
#include "Unit2.h"
#include "WinControl.h"

namespace {

// Position and size as the editor works with them: a shape's logical
// rectangle, any other control's own bounds.
QRect ObjectRect(const TControl* c) {
  if (auto* s = dynamic_cast<const TQuShape*>(c)) return QRect(s->Left(), s->Top(), s->Width(), s->Height());
  return QRect(c->Left(), c->Top(), c->Width(), c->Height());
}

void MoveObject(TControl* c, int left, int top) {
  if (auto* s = dynamic_cast<TQuShape*>(c)) {
    s->SetLeft(left);
    s->SetTop(top);
  } else {
    c->SetBounds(left, top, c->Width(), c->Height());
  }
}

int AddClamped(int a, int b, int c) { return int(std::clamp<int64_t>(int64_t(a) + b - c, INT_MIN, INT_MAX)); }

}  // namespace

// ---- Moving objects -------------------------------------------------------

void TForm2::ObjectMouseDown(TControl* object, TShiftState shift, int x, int y) {
  SnapIfApplies(shift, x, y);
  if (HasSelection) Deselect();
  if (auto* label = dynamic_cast<TLabelEx*>(object)) {
    // An editor open on a new text or on another label is closed first.
    if (TextEditing && (NewTextPending || CurLabel != label)) CloseTextEditor();
    CurLabel = label;
  } else if (auto* shape = dynamic_cast<TQuShape*>(object)) {
    CurShape = shape;
  } else if (auto* image = dynamic_cast<TImage*>(object)) {
    CurImage = image;
  }
  Dragging = true;
  DownX = x;
  DownY = y;
  const QRect r = ObjectRect(object);
  RubberLeft = r.left();
  RubberTop = r.top();
}

void TForm2::ObjectMouseMove(TControl* object, TShiftState shift, int x, int y) {
  if (!Dragging) return;
  SnapIfApplies(shift, x, y);
  // The point is relative to the object, which follows the mouse, so this is
  // the movement since the previous step.
  const QRect r = ObjectRect(object);
  int left = AddClamped(r.left(), x, DownX);
  int top = AddClamped(r.top(), y, DownY);
  if (SnapApplies(shift)) {
    SnapValue(left);
    SnapValue(top);
  }
  MoveObject(object, left, top);
}

void TForm2::ObjectMouseUp(TControl* object, TMouseButton button, TShiftState, int x, int y) {
  Dragging = false;
  const bool reEdited = object == SelectedObject && ReEditing;
  auto* label = dynamic_cast<TLabelEx*>(object);
  QRect r = ObjectRect(object);
  if (!(label && reEdited)) SelectObject(object, r.top(), r.width(), r.height(), r.left());
  if (r.left() != RubberLeft || r.top() != RubberTop) MarkModified();
  GestureEnded();
  if (button != mbRight) return;
  if (auto* shape = dynamic_cast<TQuShape*>(object))
    ShowPopupFor(TPopupTarget::Shape, shape->Brush()->Style() != bsClear, ScreenPointOf(object, x, y));
  else if (dynamic_cast<TImage*>(object))
    ShowPopupFor(IsQrCode(*object) ? TPopupTarget::QrCode : TPopupTarget::Picture, false,
                 ScreenPointOf(object, x, y));
  else if (label)
    ShowPopupFor(TPopupTarget::Text, false, ScreenPointOf(object, x, y));
}

void TForm2::ShapeMouseDown(TControl* s, TMouseButton, TShiftState sh, int x, int y) { ObjectMouseDown(s, sh, x, y); }
void TForm2::ShapeMouseMove(TControl* s, TShiftState sh, int x, int y) { ObjectMouseMove(s, sh, x, y); }
void TForm2::ShapeMouseUp(TControl* s, TMouseButton b, TShiftState sh, int x, int y) { ObjectMouseUp(s, b, sh, x, y); }
void TForm2::ImageMouseDown(TControl* s, TMouseButton, TShiftState sh, int x, int y) { ObjectMouseDown(s, sh, x, y); }
void TForm2::ImageMouseMove(TControl* s, TShiftState sh, int x, int y) { ObjectMouseMove(s, sh, x, y); }
void TForm2::ImageMouseUp(TControl* s, TMouseButton b, TShiftState sh, int x, int y) {
  ObjectMouseUp(s, b, sh, x, y);
  // The dialog opens after the double-click's release, so no drag is left
  // waiting for a release the dialog took.
  if (FPendingQrEdit == s) {
    FPendingQrEdit = nullptr;
    EditQrCode(dynamic_cast<TImage*>(s));
  }
}
void TForm2::LabelMouseDown(TControl* s, TMouseButton, TShiftState sh, int x, int y) { ObjectMouseDown(s, sh, x, y); }
void TForm2::LabelMouseMove(TControl* s, TShiftState sh, int x, int y) { ObjectMouseMove(s, sh, x, y); }
void TForm2::LabelMouseUp(TControl* s, TMouseButton b, TShiftState sh, int x, int y) { ObjectMouseUp(s, b, sh, x, y); }

// ---- Selection --------------------------------------------------------------

void TForm2::SelectObject(TControl* object, int top, int width, int height, int left) {
  if (TextEditing) CloseTextEditor();
  ResetTool();
  CurrentTool = ToolPointer;
  PointButton->SetDown(true);
  SetWorksheetCursor(crDefault);
  if (!object || !DrawPanel || !DrawPanel->ContainsControl(object)) return;  // gone meanwhile

  ++FArrowBurst;
  HasSelection = true;
  SelectedObject = object;
  SetCutCopyEnabled(true);

  if (auto* shape = dynamic_cast<TQuShape*>(object)) {
    SetFontControlsEnabled(false);
    CreateHandles(left, top, width, height, true, shape->Shape());
    PressWidthButton(shape->Pen()->Width());
    PressStyleButton(shape->Pen()->Style());
  } else if (auto* label = dynamic_cast<TLabelEx*>(object)) {
    CreateLabelFrame(label);
    SetLineControlsEnabled(false);
    BoldButton->SetDown(label->Font()->Has(fsBold));
    ItalicButton->SetDown(label->Font()->Has(fsItalic));
    UnderlineButton->SetDown(label->Font()->Has(fsUnderline));
    FontNameComboBox->setEditText(label->Font()->Name());
    FontSizeComboBox->setEditText(QString::number(label->Font()->Size()));
    GapComboBox->setEditText(QString::number(label->Gap()));
  } else if (dynamic_cast<TImage*>(object)) {
    SetFontControlsEnabled(false);
    SetLineControlsEnabled(false);
    CreateHandles(left, top, width, height, false, qustRectangle);
  }
}

void TForm2::Deselect() {
  const bool had = HasSelection;
  ++FArrowBurst;
  HasSelection = false;
  SetCutCopyEnabled(false);
  SetFontControlsEnabled(true);
  SetLineControlsEnabled(true);
  // Only a selection that exists has marks, a frame or font boxes showing
  // its settings; applying the boxes to an object that is not selected would
  // give it the editor's settings.
  if (!had || !SelectedObject) return;
  if (auto* label = dynamic_cast<TLabelEx*>(SelectedObject)) {
    delete LabelFrame;
    LabelFrame = nullptr;
    ApplyFontBoxesToLabel(label);
  } else {
    DestroyHandles();
    PressWidthButton(PenWidth);
    PressStyleButton(PenStyle);
  }
}

void TForm2::ApplyFontBoxesToLabel(TLabelEx* label) {
  // A box holding something that is not a number, or one out of range, is
  // reported and left out; the rest of the deselection still happens, so
  // nothing is half done.
  const TFontBoxValue size = ReadFontBoxValue(TFontBox::Size, FontSizeComboBox->currentText());
  if (size.Value) {
    if (*size.Value != label->Font()->Size()) {
      label->Font()->SetSize(*size.Value);
      MarkModified();
    }
  } else {
    ReportRefusal(size.Refusal);
  }
  const QString name = FontNameComboBox->currentText();
  if (!name.isEmpty() && name != label->Font()->Name()) {
    label->Font()->SetName(name);
    MarkModified();
  }
  const TFontBoxValue gap = ReadFontBoxValue(TFontBox::Gap, GapComboBox->currentText());
  if (gap.Value) {
    if (*gap.Value != label->Gap()) {
      label->SetGap(*gap.Value);
      MarkModified();
    }
  } else {
    ReportRefusal(gap.Refusal);
  }
  FitLabel(label);
  ShowEditorFontSettings();
}

void TForm2::ShowEditorFontSettings() {
  BoldButton->SetDown(FontBold);
  ItalicButton->SetDown(FontItalic);
  UnderlineButton->SetDown(FontUnderline);
  FontNameComboBox->setEditText(FontName);
  FontSizeComboBox->setEditText(QString::number(FontSize));
  GapComboBox->setEditText(QString::number(FontGap));
}

void TForm2::SetFontControlsEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{BoldButton, ItalicButton, UnderlineButton, FontNameComboBox,
                                                    FontSizeComboBox, GapComboBox})
    w->setEnabled(enabled);
}

void TForm2::SetLineControlsEnabled(bool enabled) {
  psSolidButton->setEnabled(enabled);
  psDotButton->setEnabled(enabled);
  for (TSpeedButton* b : WidthButtons()) b->setEnabled(enabled);
}

void TForm2::SetCutCopyEnabled(bool enabled) {
  EditCut->setEnabled(enabled);
  EditCopy->setEnabled(enabled);
  CutButton->setEnabled(enabled);
  CopyButton->setEnabled(enabled);
}

void TForm2::PressWidthButton(int width) {
  if (width >= 1 && width <= 6) WidthButtons()[width - 1]->SetDown(true);
}

void TForm2::PressStyleButton(TPenStyle style) {
  if (style == psSolid) psSolidButton->SetDown(true);
  else if (style == psDot) psDotButton->SetDown(true);
}

// ---- Marks ------------------------------------------------------------------

void TForm2::CreateHandles(int left, int top, int width, int height, bool shape, TQuShapeType kind) {
  DestroyHandles();
  if (!DrawPanel) return;
  THandleKind handleKind = THandleKind::Box;
  if (shape && kind == qustLinea) handleKind = THandleKind::FallingLine;
  if (shape && kind == qustLineb) handleKind = THandleKind::RisingLine;
  const THandleLayout layout = SelectionHandles(left, top, width, height, handleKind);
  // The corner marks lie above the side marks.
  for (int i : {1, 3, 4, 6, 0, 2, 5, 7}) {
    auto* h = new TQuShape(DrawPanel);
    h->SetTag(i);
    h->SetKeepsScreenSize(true);  // as easy to grip at any zoom
    h->SetVisible(layout.Visible[i]);
    h->SetParent(DrawPanel);
    h->SetShape(qustRectangle);
    h->Pen()->SetColor(clBlack);
    h->Pen()->SetWidth(1);
    h->Brush()->SetColor(clWhite);
    h->Brush()->SetStyle(bsSolid);
    h->SetLeft(layout.Pos[i].x());
    h->SetTop(layout.Pos[i].y());
    h->SetWidth(HandleSize);
    h->SetHeight(HandleSize);
    h->SetCursor(layout.Cursor[i]);
    h->OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) { HandleMouseDown(s, b, sh, x, y); };
    h->OnMouseMove = [this](TControl* s, TShiftState sh, int x, int y) { HandleMouseMove(s, sh, x, y); };
    h->OnMouseUp = [this](TControl* s, TMouseButton b, TShiftState sh, int x, int y) { HandleMouseUp(s, b, sh, x, y); };
    Handles[i] = h;
  }
}

void TForm2::PlaceHandles(int left, int top, int width, int height) {
  const auto pos = BoxHandlePositions(left, top, width, height);
  for (int i = 0; i < 8; ++i) {
    if (!Handles[i]) continue;
    Handles[i]->SetLeft(pos[i].x());
    Handles[i]->SetTop(pos[i].y());
  }
}

void TForm2::DestroyHandles() {
  for (TQuShape*& h : Handles) {
    delete h;
    h = nullptr;
  }
}

void TForm2::CreateLabelFrame(const TLabelEx* label) {
  delete LabelFrame;
  LabelFrame = nullptr;
  if (!DrawPanel) return;
  const QRect r = LabelFrameRect(label->BoundsRect());
  auto* f = new TQuShape(DrawPanel);
  f->SetEnabled(false);  // the mouse reaches the text below
  f->SetParent(DrawPanel);
  f->SetShape(qustRectangle);
  f->Pen()->SetColor(TColor(0xC0C0C0));
  f->Pen()->SetWidth(3);
  f->Brush()->SetStyle(bsClear);
  f->SetLeft(r.left());
  f->SetTop(r.top());
  f->SetWidth(r.width());
  f->SetHeight(r.height());
  LabelFrame = f;
}

void TForm2::HandleMouseDown(TControl*, TMouseButton, TShiftState shift, int x, int y) {
  TControl* target = SelectedObject;
  if (!HasSelection || !target) return;
  SnapIfApplies(shift, x, y);
  Dragging = true;
  DownX = x;
  DownY = y;
  const QRect r = ObjectRect(target);
  OrigLeft = r.left();
  OrigTop = r.top();
  OrigRight = int(std::clamp<int64_t>(int64_t(r.left()) + r.width(), INT_MIN, INT_MAX));
  OrigBottom = int(std::clamp<int64_t>(int64_t(r.top()) + r.height(), INT_MIN, INT_MAX));
  RubberWidth = r.width();
  RubberHeight = r.height();
  // A picture with an empty side has no ratio to keep (0).
  if (dynamic_cast<TImage*>(target)) AspectRatio = PictureAspectRatio(r.width(), r.height());
}

void TForm2::HandleMouseMove(TControl* sender, TShiftState shift, int x, int y) {
  TControl* target = SelectedObject;
  if (!Dragging || !HasSelection || !target) return;
  SnapIfApplies(shift, x, y);
  const int dx = AddClamped(x, 0, DownX), dy = AddClamped(y, 0, DownY);
  const int mark = int(sender->Tag());

  TResizeKind kind = TResizeKind::Free;
  auto* shape = dynamic_cast<TQuShape*>(target);
  if (shape) {
    const TQuShapeType k = shape->Shape();
    if (k == qustSquare || k == qustCircle) kind = TResizeKind::SquareOrCircle;
    else if (k == qustLinea || k == qustLineb) kind = TResizeKind::Line;
  } else if (KeepAspect) {
    kind = TResizeKind::KeptAspectPicture;
  }
  TResizeStart start{OrigLeft, OrigTop, OrigRight, OrigBottom, AspectRatio};
  const TResizeResult r = ResizeByMark(mark, start, dx, dy, kind, SnapApplies(shift), GridWidth());
  if (shape) {
    shape->SetLeft(r.Left);
    shape->SetTop(r.Top);
    shape->SetWidth(r.Width);
    shape->SetHeight(r.Height);
    if (kind == TResizeKind::Line && (mark == 0 || mark == 2 || mark == 5 || mark == 7))
      shape->SetShape(r.RisingLine ? qustLineb : qustLinea);
  } else {
    target->SetBounds(r.Left, r.Top, r.Width, r.Height);
  }
  MarkModified();
}

void TForm2::HandleMouseUp(TControl*, TMouseButton, TShiftState, int, int) {
  Dragging = false;
  GestureEnded();
  TControl* target = SelectedObject;
  if (!HasSelection || !target) return;
  const QRect r = ObjectRect(target);
  RubberLeft = r.left();
  RubberTop = r.top();
  RubberWidth = r.width();
  RubberHeight = r.height();
  PlaceHandles(r.left(), r.top(), r.width(), r.height());
}

// ---- Arrow keys -----------------------------------------------------------------

bool TForm2::MoveSelectionByKey(uint16_t key, TShiftState shift) {
  TControl* object = SelectedObject;
  if (!HasSelection || !object || Dragging || TextEditing || !WorksheetHasKeyboardFocus()) return false;
  const std::optional<QPoint> step = ArrowKeyStep(key, shift, SnapToGrid, GridWidth());
  if (!step) return false;
  const QRect before = ObjectRect(object);
  MoveObject(object, AddClamped(before.left(), step->x(), 0), AddClamped(before.top(), step->y(), 0));
  const QRect after = ObjectRect(object);
  const QPoint moved = after.topLeft() - before.topLeft();
  if (moved.isNull()) return true;  // at the edge of what a position can be
  // The marks and the frame keep their places around the object.
  for (TQuShape* h : Handles) {
    if (!h) continue;
    h->SetLeft(h->Left() + moved.x());
    h->SetTop(h->Top() + moved.y());
  }
  if (LabelFrame) {
    LabelFrame->SetLeft(LabelFrame->Left() + moved.x());
    LabelFrame->SetTop(LabelFrame->Top() + moved.y());
  }
  RubberLeft = after.left();
  RubberTop = after.top();
  FChangeMergeKey = FArrowBurst;
  MarkModified();
  FChangeMergeKey = 0;
  return true;
}

// ---- Deleting -----------------------------------------------------------------

void TForm2::DeleteObject(TControl* object) {
  if (!object) return;
  auto it = std::find(ObjectList.begin(), ObjectList.end(), object);
  if (it != ObjectList.end()) ObjectList.erase(it);
  Deselect();
  if (SelectedObject == object) SelectedObject = nullptr;
  if (CurShape == object) CurShape = nullptr;
  if (CurLabel == object) CurLabel = nullptr;
  if (CurImage == object) CurImage = nullptr;
  delete object;
  MarkModified();
}
