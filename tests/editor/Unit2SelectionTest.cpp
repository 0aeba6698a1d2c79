// Selecting, moving, resizing by the marks, deleting, the popup contents.
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "EditorFixture.h"
#include "Image.h"
#include "Labelex.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "WinControl.h"

namespace {

QRect Logical(const TQuShape* s) { return QRect(s->Left(), s->Top(), s->Width(), s->Height()); }
QPoint MarkPos(const TForm2& f, int i) { return QPoint(f.Handles[i]->Left(), f.Handles[i]->Top()); }
QPoint MarkCentre(const TForm2& f, int i) { return MarkPos(f, i) + QPoint(3, 3); }

}  // namespace

class SelectionTest : public EditorTest {
 protected:
  // A shape drawn with snapping off, at the given logical rectangle.
  TQuShape* DrawShape(void (TForm2::*tool)(), QRect r) {
    const bool snap = Form->SnapToGrid;
    Form->SnapToGrid = false;
    (Form.get()->*tool)();
    Drag(r.topLeft(), r.topLeft() + QPoint(r.width(), r.height()));
    Form->SnapToGrid = snap;
    return dynamic_cast<TQuShape*>(Form->ObjectList.back());
  }
  void DragMark(int mark, QPoint delta, Qt::KeyboardModifiers mods = {}) {
    const QPoint from = MarkCentre(*Form, mark);
    Press(from, mods);
    MoveTo(from + delta, mods);
    Release(from + delta, mods);
  }
  TImage* PlacePicture(int width, int height, QPoint at) {
    const QString path = Folder.filePath(QStringLiteral("p%1x%2.bmp").arg(width).arg(height));
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::red);
    EXPECT_TRUE(img.save(path, "BMP"));
    ScopedScriptedUI ui;
    ui.Ui.ReplyFile(path);
    const bool snap = Form->SnapToGrid;
    Form->SnapToGrid = false;
    Form->imageButtonClick();
    Click(at);
    Form->SnapToGrid = snap;
    return dynamic_cast<TImage*>(Form->ObjectList.back());
  }
};

TEST_F(SelectionTest, MarksSurroundABoxAndSitOnTheEndsOfALine) {
  TQuShape* rect = DrawShape(&TForm2::RectButtonClick, QRect(100, 50, 40, 20));
  Click({120, 60});
  ASSERT_TRUE(Form->HasSelection);
  EXPECT_EQ(Form->SelectedObject, rect);
  EXPECT_EQ(MarkPos(*Form, 0), QPoint(95, 45));
  EXPECT_EQ(MarkPos(*Form, 1), QPoint(117, 45));
  EXPECT_EQ(MarkPos(*Form, 2), QPoint(139, 45));
  EXPECT_EQ(MarkPos(*Form, 3), QPoint(95, 57));
  EXPECT_EQ(MarkPos(*Form, 4), QPoint(139, 57));
  EXPECT_EQ(MarkPos(*Form, 5), QPoint(95, 69));
  EXPECT_EQ(MarkPos(*Form, 6), QPoint(117, 69));
  EXPECT_EQ(MarkPos(*Form, 7), QPoint(139, 69));
  for (TQuShape* h : Form->Handles) {
    EXPECT_TRUE(h->Visible());
    EXPECT_EQ(h->Width(), 6);
    EXPECT_EQ(h->Brush()->Color(), clWhite);
  }
  EXPECT_EQ(Form->Handles[0]->Cursor(), crSizeNWSE);
  EXPECT_EQ(Form->Handles[1]->Cursor(), crSizeNS);
  EXPECT_EQ(Form->Handles[2]->Cursor(), crSizeNESW);
  EXPECT_EQ(Form->Handles[3]->Cursor(), crSizeWE);
  // The corner marks lie above the side marks.
  const auto& kids = Form->DrawPanel->Controls();
  auto index = [&](TControl* c) { return std::find(kids.begin(), kids.end(), c) - kids.begin(); };
  EXPECT_GT(index(Form->Handles[2]), index(Form->Handles[4]));
  // Selecting a shape: font controls off, line controls on, Cut and Copy on.
  EXPECT_FALSE(Form->FontSizeComboBox->isEnabled());
  EXPECT_FALSE(Form->BoldButton->isEnabled());
  EXPECT_TRUE(Form->Width1->isEnabled());
  EXPECT_TRUE(Form->EditCut->isEnabled());
  EXPECT_TRUE(Form->CopyButton->isEnabled());

  Click({300, 200});  // bare worksheet
  EXPECT_FALSE(Form->HasSelection);
  for (TQuShape* h : Form->Handles) EXPECT_EQ(h, nullptr);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 3);
  EXPECT_FALSE(Form->EditCut->isEnabled());
  EXPECT_TRUE(Form->FontSizeComboBox->isEnabled());

  DrawShape(&TForm2::LineButtonClick, QRect(100, 150, 40, 20));
  Click({100, 150});
  ASSERT_TRUE(Form->HasSelection);
  for (int i = 1; i <= 6; ++i) EXPECT_FALSE(Form->Handles[i]->Visible()) << i;
  EXPECT_EQ(MarkPos(*Form, 0), QPoint(97, 147));
  EXPECT_EQ(MarkPos(*Form, 7), QPoint(137, 167));
  EXPECT_EQ(Form->Handles[0]->Cursor(), crSizeWE);
  EXPECT_EQ(Form->Handles[7]->Cursor(), crSizeWE);
}

TEST_F(SelectionTest, SelectingShowsTheShapesLineSettingsAndDeselectingRestoresTheEditors) {
  Form->PenWidth = 4;
  Form->PenStyle = psDot;
  TQuShape* s = DrawShape(&TForm2::RectButtonClick, QRect(100, 50, 40, 20));
  Form->PenWidth = 1;
  Form->PenStyle = psSolid;
  Click({120, 60});
  EXPECT_TRUE(Form->Width4->Down());
  EXPECT_TRUE(Form->psDotButton->Down());
  EXPECT_EQ(s->Pen()->Width(), 4);
  Click({300, 200});
  EXPECT_TRUE(Form->Width1->Down());
  EXPECT_TRUE(Form->psSolidButton->Down());
}

TEST_F(SelectionTest, MarksResizeWithFlippingSquaresAndSnapping) {
  Form->SnapToGrid = false;
  TQuShape* rect = DrawShape(&TForm2::RectButtonClick, QRect(100, 50, 40, 20));
  Click({120, 60});
  DragMark(4, {-60, 0});
  EXPECT_EQ(Logical(rect), QRect(80, 50, 20, 20));
  EXPECT_TRUE(Form->Modified);
  // The marks follow the new rectangle after the release.
  EXPECT_EQ(MarkPos(*Form, 0), QPoint(75, 45));
  EXPECT_EQ(MarkPos(*Form, 7), QPoint(99, 69));
  EXPECT_EQ(Form->RubberWidth, 20);

  TQuShape* circle = DrawShape(&TForm2::CircleButtonClick, QRect(200, 100, 40, 40));
  Click({220, 120});
  DragMark(7, {30, 10});
  EXPECT_EQ(Logical(circle), QRect(200, 100, 50, 50));

  // With the grid on, the right edge at 143 ends on a multiple of 10.
  Form->SnapToGrid = true;
  TQuShape* snapped = DrawShape(&TForm2::RectButtonClick, QRect(101, 180, 42, 30));
  Click({120, 190});
  DragMark(4, {4, 0});
  EXPECT_EQ(snapped->Left(), 101);
  EXPECT_EQ((snapped->Left() + snapped->Width()) % 10, 0);
  // Alt switches snapping off for the drag.
  Click({120, 190});
  const int right = snapped->Left() + snapped->Width();
  DragMark(4, {3, 0}, Qt::AltModifier);
  EXPECT_EQ(snapped->Left() + snapped->Width(), right + 3);
}

TEST_F(SelectionTest, ResizingALineAcrossItsFixedEndTurnsItOver) {
  Form->SnapToGrid = false;
  TQuShape* line = DrawShape(&TForm2::LineButtonClick, QRect(100, 50, 40, 20));
  ASSERT_EQ(line->Shape(), qustLinea);
  Click({100, 50});
  DragMark(7, {-60, 0});
  EXPECT_EQ(line->Shape(), qustLineb);
  EXPECT_EQ(Logical(line), QRect(80, 50, 20, 20));
  // Hidden marks stay hidden.
  EXPECT_FALSE(Form->Handles[3]->Visible());
  EXPECT_TRUE(Form->Handles[7]->Visible());
}

TEST_F(SelectionTest, PictureKeepsItsAspectAndCentreWhenResizedByASideMark) {
  Form->SnapToGrid = false;
  TImage* pic = PlacePicture(200, 100, {100, 50});
  ASSERT_NE(pic, nullptr);
  ASSERT_EQ(pic->BoundsRect(), QRect(100, 50, 200, 100));
  Click({150, 100});
  ASSERT_EQ(Form->SelectedObject, pic);
  EXPECT_FALSE(Form->FontSizeComboBox->isEnabled());
  EXPECT_FALSE(Form->Width1->isEnabled());
  DragMark(6, {0, 30});
  EXPECT_EQ(pic->Width(), 260);
  EXPECT_EQ(pic->Height(), 130);
  EXPECT_EQ(pic->Left() + pic->Width() / 2, 200);
  EXPECT_FLOAT_EQ(Form->AspectRatio, 2.0f);

  Form->KeepAspect = false;
  Click({150, 100});
  DragMark(6, {0, -30});
  EXPECT_EQ(pic->Width(), 260);
  EXPECT_EQ(pic->Height(), 100);
}

TEST_F(SelectionTest, MovingMarksModifiedOnlyWhenTheObjectMovedAndSnapsItsCorner) {
  TQuShape* s = DrawShape(&TForm2::RectButtonClick, QRect(101, 53, 40, 20));
  Form->Modified = false;
  const int changes = Form->ChangeCount;
  Click({120, 60});
  EXPECT_FALSE(Form->Modified);
  EXPECT_EQ(Form->ChangeCount, changes);

  Press({120, 60});
  MoveTo({147, 78});
  Release({147, 78});
  EXPECT_TRUE(Form->Modified);
  EXPECT_EQ(s->Left() % 10, 0);
  EXPECT_EQ(s->Top() % 10, 0);
  EXPECT_TRUE(Form->HasSelection);

  const QPoint before(s->Left(), s->Top());
  Press({s->Left() + 5, s->Top() + 5}, Qt::AltModifier);
  MoveTo({s->Left() + 5 - 7, s->Top() + 5 + 3}, Qt::AltModifier);
  Release({s->Left() + 5, s->Top() + 5}, Qt::AltModifier);
  EXPECT_EQ(QPoint(s->Left(), s->Top()), before + QPoint(-7, 3));
  // Objects may leave the worksheet.
  Form->SnapToGrid = false;
  Press({s->Left() + 5, s->Top() + 5});
  MoveTo({s->Left() + 5 - 300, s->Top() + 5});
  EXPECT_LT(s->Left(), 0);
}

TEST_F(SelectionTest, DeleteKeyRemovesTheSelectionAndNothingElse) {
  DrawShape(&TForm2::RectButtonClick, QRect(100, 50, 40, 20));
  TQuShape* second = DrawShape(&TForm2::RectButtonClick, QRect(200, 50, 40, 20));
  const int changes = Form->ChangeCount;
  Key(Form.get(), Qt::Key_Delete);
  EXPECT_EQ(Form->ObjectList.size(), 2u);
  EXPECT_EQ(Form->ChangeCount, changes);

  Click({220, 60});
  ASSERT_EQ(Form->SelectedObject, second);
  Key(Form.get(), Qt::Key_Delete);
  ASSERT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 3);  // marks gone too
  EXPECT_FALSE(Form->HasSelection);
  EXPECT_EQ(Form->SelectedObject, nullptr);
  EXPECT_EQ(Form->CurShape, nullptr);
  EXPECT_EQ(Form->ChangeCount, changes + 1);
  // Only the Delete key.
  Click({120, 60});
  Key(Form.get(), Qt::Key_Backspace);
  EXPECT_EQ(Form->ObjectList.size(), 1u);
}

TEST_F(SelectionTest, PopupOffersTheItemsThatFitTheObjectClicked) {
  TQuShape* s = DrawShape(&TForm2::RectButtonClick, QRect(100, 50, 40, 20));
  Click({120, 60}, Qt::RightButton);
  EXPECT_TRUE(Form->HasSelection);
  EXPECT_TRUE(Form->PenColorChange->isVisible());
  EXPECT_TRUE(Form->Brushed->isVisible());
  EXPECT_EQ(Form->Brushed->text(), QStringLiteral("背景を塗りつぶす"));
  EXPECT_FALSE(Form->BrushColorChange->isVisible());
  EXPECT_TRUE(Form->Order->isVisible());
  EXPECT_FALSE(Form->GridSetting->isVisible());

  s->Brush()->SetStyle(bsSolid);
  Click({120, 60}, Qt::RightButton);
  EXPECT_TRUE(Form->BrushColorChange->isVisible());
  EXPECT_EQ(Form->Brushed->text(), QStringLiteral("背景を透明にする"));

  // A text: exactly the font colour and the order.
  auto* label = new TLabelEx(Form->DrawPanel);
  label->SetParent(Form->DrawPanel);
  label->SetCaption(QStringLiteral("Text"));
  label->SetBounds(300, 200, 60, 20);
  Form->AttachObject(label);
  Click({310, 205}, Qt::RightButton);
  EXPECT_EQ(Form->SelectedObject, label);
  const QList<QAction*> actions = Form->PopupMenu->actions();
  QStringList shown;
  for (QAction* a : actions)
    if (a->isVisible()) shown << a->text();
  EXPECT_EQ(shown, QStringList({QStringLiteral("フォントの色を変更...."), QStringLiteral("順序")}));

  TImage* pic = PlacePicture(40, 30, {300, 100});
  Click({pic->Left() + 5, pic->Top() + 5}, Qt::RightButton);
  EXPECT_TRUE(Form->ImageReduction->isVisible());
  EXPECT_TRUE(Form->ImageChange->isVisible());
  EXPECT_TRUE(Form->Order->isVisible());
  EXPECT_FALSE(Form->FontColorChange->isVisible());
  EXPECT_EQ(Form->PopupsOpened, 4);
}

TEST_F(SelectionTest, DeselectingATextAppliesTheFontBoxesAndSurvivesBadNumbers) {
  auto* label = new TLabelEx(Form->DrawPanel);
  label->SetParent(Form->DrawPanel);
  label->SetCaption(QStringLiteral("Text"));
  label->Font()->SetSize(12);
  label->SetLeft(300);
  label->SetTop(200);
  Form->AttachObject(label);
  Click({302, 202});
  ASSERT_EQ(Form->SelectedObject, label);
  ASSERT_NE(Form->LabelFrame, nullptr);
  EXPECT_EQ(Form->LabelFrame->Left(), label->Left() - 5);
  EXPECT_EQ(Form->LabelFrame->Width(), label->Width() + 10);
  EXPECT_FALSE(Form->LabelFrame->Enabled());
  EXPECT_FALSE(Form->Width1->isEnabled());
  EXPECT_TRUE(Form->FontSizeComboBox->isEnabled());

  const int changes = Form->ChangeCount;
  const int width = label->Width();
  Form->FontSizeComboBox->setEditText(QStringLiteral("20"));
  Form->GapComboBox->setEditText(QStringLiteral("x"));
  ScopedScriptedUI ui;
  Click({100, 250});
  EXPECT_EQ(label->Font()->Size(), 20);
  EXPECT_EQ(label->Gap(), 0);
  EXPECT_GT(label->Width(), width);
  EXPECT_EQ(Form->ChangeCount, changes + 1);
  QApplication::processEvents();  // the report waits until the press is over
  EXPECT_EQ(ui.Ui.Messages().size(), 1u);  // the bad gap is reported and left out
  // The rest of the deselection still happened.
  EXPECT_EQ(Form->LabelFrame, nullptr);
  EXPECT_EQ(Form->FontSizeComboBox->currentText(), QStringLiteral("12"));
  EXPECT_EQ(Form->GapComboBox->currentText(), QStringLiteral("0"));
  EXPECT_TRUE(Form->Width1->isEnabled());
}

TEST_F(SelectionTest, OtherMenuEnablesItsItemsByTheWorksheet) {
  Form->OtherMenuClick();
  EXPECT_TRUE(Form->OtherBGImage->isEnabled());
  EXPECT_TRUE(Form->OtherBGImageClear->isEnabled());
  EXPECT_TRUE(Form->BGGrid->isEnabled());
  Form->BGImage->Hide();
  Form->OtherMenuClick();
  EXPECT_FALSE(Form->OtherBGImageClear->isEnabled());
  Form->DiscardEditorWorksheet();
  Form->OtherMenuClick();
  EXPECT_FALSE(Form->OtherBGImage->isEnabled());
  EXPECT_FALSE(Form->BGGrid->isEnabled());
}

TEST_F(SelectionTest, DeleteKeyTypedInAFontBoxEditsTheBoxAndOnTheWorksheetDeletesOnce) {
  Form->show();
  Form->activateWindow();
  QApplication::setActiveWindow(Form.get());
  DrawShape(&TForm2::RectButtonClick, QRect(100, 50, 40, 20));
  auto* label = new TLabelEx(Form->DrawPanel);
  label->SetParent(Form->DrawPanel);
  label->SetBounds(200, 50, 60, 20);
  label->SetCaption(QStringLiteral("名刺"));
  Form->AttachObject(label);
  Click(label->BoundsRect().center());
  ASSERT_EQ(Form->SelectedObject, label);
  for (QComboBox* box : {Form->FontSizeComboBox, Form->GapComboBox, Form->FontNameComboBox}) {
    SCOPED_TRACE(box->objectName().toStdString());
    box->setFocus();
    QWidget* focus = QApplication::focusWidget();
    if (!focus) GTEST_SKIP() << "no keyboard focus on this platform";
    const QString before = box->currentText();
    box->lineEdit()->setCursorPosition(0);
    Key(focus, Qt::Key_Delete);
    EXPECT_EQ(Form->ObjectList.size(), 2u);
    EXPECT_EQ(Form->SelectedObject, label);
    EXPECT_EQ(box->currentText(), before.mid(1));  // the box saw the key
    box->setEditText(before);
  }
  // Where selecting puts the focus, Delete deletes, once for all the parents
  // the key passes.
  Form->TestMemo->setFocus();
  Key(QApplication::focusWidget(), Qt::Key_Delete);
  EXPECT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_FALSE(Form->DrawPanel->ContainsControl(label));
}
