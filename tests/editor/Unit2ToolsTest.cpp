// Choosing tools and drawing on the worksheet with the mouse.
#include <QAction>
#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <bit>

#include "ColorSwatch.h"
#include "EditorFixture.h"
#include "Image.h"
#include "Qushape.h"
#include "SpeedButton.h"
#include "WinControl.h"

namespace {
TQuShape* LastShape(TForm2& f) { return f.ObjectList.empty() ? nullptr : dynamic_cast<TQuShape*>(f.ObjectList.back()); }
}  // namespace

TEST_F(EditorTest, StartsWithTheDocumentedStateAndPalette) {
  TForm2& f = *Form;
  EXPECT_TRUE(f.PointButton->Down());
  EXPECT_TRUE(f.Width1->Down());
  EXPECT_TRUE(f.psSolidButton->Down());
  for (QAction* a : {f.EditCut, f.EditCopy, f.EditPaste}) EXPECT_FALSE(a->isEnabled());
  for (QWidget* w : std::initializer_list<QWidget*>{f.CutButton, f.CopyButton, f.PasteButton}) EXPECT_FALSE(w->isEnabled());
  EXPECT_EQ(f.FontNameComboBox->currentText(), QStringLiteral("ＭＳ Ｐ明朝"));
  EXPECT_EQ(f.FontName, QStringLiteral("ＭＳ Ｐ明朝"));
  EXPECT_EQ(f.FontSizeComboBox->currentText(), QStringLiteral("12"));
  EXPECT_EQ(f.GapComboBox->currentText(), QStringLiteral("0"));
  EXPECT_EQ(f.ForColor->Color(), clBlack);
  EXPECT_EQ(f.ForColor->FontColor(), clWhite);
  EXPECT_EQ(f.BackColor->Color(), TColor(0xC0C0C0));
  EXPECT_EQ(f.BackColor->FontColor(), TColor(0x3F3F3F));
  EXPECT_TRUE(f.CFButton->isVisibleTo(&f));
  EXPECT_EQ(f.ColorButtons[9]->geometry(), QRect(125, 20, 15, 15));
  EXPECT_EQ(f.ColorButtons[9]->Color(), clGreen);
  EXPECT_EQ(f.ColorButtons[0]->geometry(), QRect(65, 5, 15, 15));
  EXPECT_EQ(f.ColorButtons[15]->Color(), clPurple);
  EXPECT_EQ(f.ColorButtons[15]->geometry().topLeft(), QPoint(170, 20));

  EXPECT_EQ(f.PenWidth, 1);
  EXPECT_EQ(f.FillStyle, bsClear);
  EXPECT_TRUE(f.SnapToGrid);
  EXPECT_TRUE(f.KeepAspect);
  EXPECT_TRUE(f.UnitIsPixel);
  EXPECT_EQ(f.Scale.PixelsPerMm, 5);
  EXPECT_EQ(std::bit_cast<uint32_t>(f.Scale.PixelsPerInch), 0x42FE0021u);
  EXPECT_EQ(std::bit_cast<uint32_t>(f.Scale.MmPerInch), 0x41CB3333u);
  EXPECT_EQ(f.PhraseFolder, Folder.path() + QStringLiteral("/CPhrase"));
  EXPECT_EQ(f.BGImageFolder, Folder.path() + QStringLiteral("/bkimages"));

  EXPECT_EQ(TForm2::ContrastColor(0x808080), clWhite);
  EXPECT_EQ(TForm2::ContrastColor(0x000000), clWhite);
  EXPECT_EQ(TForm2::ContrastColor(0xFFFFFF), clBlack);
  EXPECT_EQ(TForm2::ContrastColor(clWindow), clWindow);

  f.MarkModified();
  f.MarkModified();
  EXPECT_EQ(f.ChangeCount, 2);
  EXPECT_EQ(f.TestLabel1->text(), QStringLiteral("2"));
}

TEST_F(EditorTest, RectangleDragSnapsToTheGridUnlessAltIsHeld) {
  Form->RectButtonClick();
  EXPECT_TRUE(Form->ShapeToolActive);
  EXPECT_EQ(Form->DrawPanel->Cursor(), TForm2::ShapeCursor);
  EXPECT_TRUE(Form->DrawPanel->ShowHint());
  Drag({13, 24}, {47, 61});
  TQuShape* s = LastShape(*Form);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(QRect(s->Left(), s->Top(), s->Width(), s->Height()), QRect(10, 20, 40, 40));
  EXPECT_EQ(s->Shape(), qustRectangle);
  // Drawn right after start: width 1, solid, black, transparent.
  EXPECT_EQ(s->Pen()->Width(), 1);
  EXPECT_EQ(s->Pen()->Style(), psSolid);
  EXPECT_EQ(s->Pen()->Color(), clBlack);
  EXPECT_EQ(s->Pen()->Mode(), pmCopy);
  EXPECT_EQ(s->Brush()->Style(), bsClear);
  EXPECT_EQ(s->Brush()->Color(), TColor(0xC0C0C0));
  EXPECT_EQ(s->Cursor(), crHandPoint);
  EXPECT_TRUE(Form->Modified);
  // Back to the pointer; the new shape is not selected.
  EXPECT_EQ(Form->CurrentTool, TForm2::ToolPointer);
  EXPECT_TRUE(Form->PointButton->Down());
  EXPECT_FALSE(Form->ShapeToolActive);
  EXPECT_FALSE(Form->HasSelection);
  EXPECT_EQ(Form->DrawPanel->Cursor(), crDefault);
  EXPECT_FALSE(Form->DrawPanel->ShowHint());

  Form->ResetEditorWorksheet(455, 275);  // the first rectangle would catch the press
  Form->RectButtonClick();
  Drag({13, 24}, {47, 61}, Qt::AltModifier);
  s = LastShape(*Form);
  EXPECT_EQ(QRect(s->Left(), s->Top(), s->Width(), s->Height()), QRect(13, 24, 34, 37));
  EXPECT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_EQ(Form->ChangeCount, 2);
}

TEST_F(EditorTest, SquaresGrowFromThePressPointAndLinesFollowTheDragDirection) {
  Form->SnapToGrid = false;
  Form->SquareButtonClick();
  Drag({100, 100}, {40, 130});
  TQuShape* s = LastShape(*Form);
  EXPECT_EQ(QRect(s->Left(), s->Top(), s->Width(), s->Height()), QRect(70, 100, 30, 30));
  EXPECT_EQ(s->Shape(), qustSquare);

  Form->ResetEditorWorksheet(455, 275);
  Form->LineButtonClick();
  Drag({100, 100}, {40, 130});
  s = LastShape(*Form);
  EXPECT_EQ(s->Shape(), qustLineb);
  EXPECT_EQ(QRect(s->Left(), s->Top(), s->Width(), s->Height()), QRect(40, 100, 60, 30));

  Form->LineButtonClick();
  Drag({300, 100}, {360, 130});
  EXPECT_EQ(LastShape(*Form)->Shape(), qustLinea);
  Form->LineButtonClick();
  Drag({300, 200}, {300, 150});  // vertical: falling kind
  EXPECT_EQ(LastShape(*Form)->Shape(), qustLinea);

  Form->CircleButtonClick();
  Drag({200, 200}, {260, 180});
  s = LastShape(*Form);
  EXPECT_EQ(s->Shape(), qustCircle);
  EXPECT_EQ(QRect(s->Left(), s->Top(), s->Width(), s->Height()), QRect(200, 180, 20, 20));
}

TEST_F(EditorTest, RubberBandInvertsWhileDrawingAndIsListedOnlyOnRelease) {
  Form->SnapToGrid = false;
  Form->DrawColor = clRed;
  Form->FillColor = clBlue;
  Form->PenWidth = 3;
  Form->PenStyle = psDot;
  Form->EllipseButtonClick();
  Press({50, 50});
  ASSERT_NE(Form->CurShape, nullptr);
  EXPECT_EQ(Form->CurShape->Pen()->Mode(), pmNot);
  EXPECT_EQ(Form->CurShape->Pen()->Width(), 3);
  EXPECT_EQ(Form->CurShape->Pen()->Style(), psDot);
  EXPECT_TRUE(Form->ObjectList.empty());
  MoveTo({90, 70});
  EXPECT_EQ(Form->CurShape->Width(), 40);
  EXPECT_EQ(Form->CurShape->Height(), 20);
  EXPECT_FALSE(Form->Modified);
  Release({95, 75});  // the release point itself does not resize
  TQuShape* s = LastShape(*Form);
  ASSERT_EQ(s, Form->CurShape);
  EXPECT_EQ(s->Width(), 40);
  EXPECT_EQ(s->Shape(), qustEllipse);
  EXPECT_EQ(s->Pen()->Mode(), pmCopy);
  EXPECT_EQ(s->Pen()->Color(), clRed);
  EXPECT_EQ(s->Brush()->Color(), clBlue);
  EXPECT_EQ(s->Brush()->Style(), bsClear);
}

TEST_F(EditorTest, PressWithoutMovingMakesAnEmptyShapeAtThePressPoint) {
  Form->RectButtonClick();
  Click({33, 47});
  TQuShape* s = LastShape(*Form);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(QRect(s->Left(), s->Top(), s->Width(), s->Height()), QRect(30, 50, 0, 0));
  EXPECT_EQ(Form->ObjectList.size(), 1u);
}

TEST_F(EditorTest, PressOnAnObjectWithAShapeToolSelectsItInstead) {
  Form->RectButtonClick();
  Drag({100, 100}, {200, 160});
  ASSERT_EQ(Form->ObjectList.size(), 1u);
  const int changes = Form->ChangeCount;
  Form->EllipseButtonClick();
  Click({150, 130});
  EXPECT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 2 + 1 + 8);  // background, grid, the shape, its marks
  EXPECT_TRUE(Form->HasSelection);
  EXPECT_EQ(Form->SelectedObject, Form->ObjectList[0]);
  EXPECT_FALSE(Form->ShapeToolActive);
  EXPECT_TRUE(Form->PointButton->Down());
  EXPECT_EQ(Form->CurrentTool, TForm2::ToolPointer);
  EXPECT_EQ(Form->ChangeCount, changes);
}

TEST_F(EditorTest, ToolInstructionsShowUntilTheToolStateIsLeft) {
  Form->CFButtonClick();
  EXPECT_TRUE(Form->PhraseToolActive);
  EXPECT_EQ(Form->CurrentTool, TForm2::ToolPicture);
  EXPECT_EQ(Form->DrawPanel->Cursor(), TForm2::ImageCursor);
  EXPECT_EQ(Form->DrawPanel->Hint(), QStringLiteral("キャッチフレーズを貼り付けたいところでクリックしてください"));
  EXPECT_EQ(Form->CFButton->toolTip(), Form->DrawPanel->Hint());
  Form->TextButtonClick();
  EXPECT_FALSE(Form->PhraseToolActive);
  EXPECT_TRUE(Form->NewTextPending);
  EXPECT_EQ(Form->CFButton->toolTip(), QStringLiteral("キャッチフレーズの読み込み"));
  EXPECT_EQ(Form->TextButton->toolTip(), QStringLiteral("文字を貼り付けたいところでクリックして下さい"));
  EXPECT_EQ(Form->DrawPanel->Cursor(), TForm2::TextCursor);
  Form->PointButtonClick();
  EXPECT_FALSE(Form->NewTextPending);
  EXPECT_FALSE(Form->DrawPanel->ShowHint());
  EXPECT_EQ(Form->TextButton->toolTip(), QStringLiteral("テキスト"));
  EXPECT_EQ(Form->DrawPanel->Cursor(), crDefault);
}

TEST_F(EditorTest, WorksheetPopupOffersGridAndBackgroundItemsWithThePointerOnly) {
  Click({200, 200}, Qt::RightButton);
  ASSERT_EQ(Form->PopupsOpened, 1);
  EXPECT_TRUE(Form->GridSetting->isVisible());
  EXPECT_TRUE(Form->BGImageSetting->isVisible());
  EXPECT_TRUE(Form->BGImageClear->isVisible());  // a new worksheet leaves the background shown
  EXPECT_FALSE(Form->PenColorChange->isVisible());
  EXPECT_FALSE(Form->Order->isVisible());
  EXPECT_EQ(Form->LastPopupPos, Form->DrawView->mapToGlobal(QPoint(200, 200)));

  Form->BGImage->Hide();
  Click({200, 200}, Qt::RightButton);
  EXPECT_EQ(Form->PopupsOpened, 2);
  EXPECT_FALSE(Form->BGImageClear->isVisible());

  Form->RectButtonClick();
  Click({200, 200}, Qt::RightButton);
  EXPECT_EQ(Form->PopupsOpened, 2);  // no popup with a shape tool
}
