// Line, fill and colour commands and the stacking order, driven through the
// editor's buttons, palette, colour panels and popup items with scripted
// colour-dialog answers.
#include <QAction>
#include <QImage>

#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "EditorFixture.h"
#include "Image.h"
#include "Labelex.h"
#include "Memo.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "WinControl.h"

namespace {

enum class Ctx { Typing, Text, Shape, Picture, Nothing };
enum Cmd { PaletteLeft, PaletteRight, ForColorCmd, BackColorCmd, PenColorCmd, BrushColorCmd, FontColorCmd };
// Where a colour may land.
enum Spot { MemoFont = 1, LabelFont = 2, Pen = 4, Brush = 8, Draw = 16, Fill = 32 };

void SwatchPress(ColorSwatch* swatch, Qt::MouseButton button) {
  const QPointF p(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, p, swatch->mapToGlobal(p), button, button, {});
  QApplication::sendEvent(swatch, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, swatch->mapToGlobal(p), button, Qt::NoButton, {});
  QApplication::sendEvent(swatch, &release);
}

}  // namespace

class StyleTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Form->SnapToGrid = false;
    Form->RectButtonClick();
    Drag({100, 50}, {140, 70});
    Shape = dynamic_cast<TQuShape*>(Form->ObjectList.back());
    Label = new TLabelEx(Form->DrawPanel);
    Label->SetParent(Form->DrawPanel);
    Label->SetCaption(QStringLiteral("Text"));
    Label->SetBounds(300, 200, 40, 20);
    Form->AttachObject(Label);
    const QString path = Folder.filePath(QStringLiteral("p.bmp"));
    QImage(30, 20, QImage::Format_RGB32).save(path, "BMP");
    ScopedScriptedUI ui;
    ui.Ui.ReplyFile(path);
    Form->imageButtonClick();
    Click({200, 150});
    Picture = dynamic_cast<TImage*>(Form->ObjectList.back());
    Enter(Ctx::Nothing);
  }

  void Enter(Ctx c, Qt::MouseButton b = Qt::LeftButton) {
    static const QPoint at[] = {{20, 220}, {302, 202}, {120, 60}, {205, 155}, {440, 260}};
    if (c == Ctx::Typing) Form->TextButtonClick();
    Click(at[int(c)], b);
  }
  // Runs a command with color: from the palette, or answered in the dialog.
  void Run(Cmd cmd, TColor color, ScriptedUserInterface& ui) {
    if (cmd == PaletteLeft || cmd == PaletteRight) {
      for (ColorSwatch* s : Form->ColorButtons)
        if (s->Color() == color) return SwatchPress(s, cmd == PaletteLeft ? Qt::LeftButton : Qt::RightButton);
      FAIL() << "no palette button for the colour";
    }
    ui.ReplyColor(TColorReply{color, {}});
    switch (cmd) {
      case PaletteLeft:
      case PaletteRight: break;
      case ForColorCmd: return Form->ForColorClick();
      case BackColorCmd: return Form->BackColorClick();
      case PenColorCmd: return Form->PenColorChangeClick();
      case BrushColorCmd: return Form->BrushColorChangeClick();
      case FontColorCmd: return Form->FontColorChangeClick();
    }
  }
  struct Look {
    TColor Memo, Label, Pen, Brush, Draw, Fill;
    TBrushStyle BrushStyle;
  };
  Look Now() const {
    return {Form->EditMemo ? Form->EditMemo->Font()->Color() : 0, Label->Font()->Color(), Shape->Pen()->Color(),
            Shape->Brush()->Color(), Form->DrawColor, Form->FillColor, Shape->Brush()->Style()};
  }
  static int Landed(const Look& a, const Look& b) {
    return (a.Memo != b.Memo ? MemoFont : 0) | (a.Label != b.Label ? LabelFont : 0) | (a.Pen != b.Pen ? Pen : 0) |
           (a.Brush != b.Brush ? Brush : 0) | (a.Draw != b.Draw ? Draw : 0) | (a.Fill != b.Fill ? Fill : 0);
  }
  QList<TControl*> List() const { return QList<TControl*>(Form->ObjectList.begin(), Form->ObjectList.end()); }
  QList<TControl*> CardObjectsInPanelOrder() const {
    QList<TControl*> out;
    for (TControl* c : Form->DrawPanel->Controls())
      if (List().contains(c)) out << c;
    return out;
  }

  TQuShape* Shape = nullptr;
  TLabelEx* Label = nullptr;
  TImage* Picture = nullptr;
};

TEST_F(StyleTest, EveryColourCommandGoesWhereItsContextSays) {
  struct Row {
    Ctx Context;
    Cmd Command;
    int Where;  // 0: nothing changes and no dialog opens
  };
  const Row rows[] = {
      {Ctx::Typing, PaletteLeft, MemoFont}, {Ctx::Typing, PaletteRight, MemoFont},
      {Ctx::Typing, ForColorCmd, MemoFont}, {Ctx::Typing, BackColorCmd, 0},
      {Ctx::Text, PaletteLeft, LabelFont},  {Ctx::Text, PaletteRight, LabelFont},
      {Ctx::Text, ForColorCmd, LabelFont},  {Ctx::Text, BackColorCmd, 0},
      {Ctx::Shape, PaletteLeft, Pen},       {Ctx::Shape, PaletteRight, Brush},
      {Ctx::Shape, ForColorCmd, Pen},       {Ctx::Shape, BackColorCmd, Brush},
      {Ctx::Picture, PaletteLeft, Draw},    {Ctx::Picture, PaletteRight, Fill},
      {Ctx::Picture, ForColorCmd, Draw},    {Ctx::Picture, BackColorCmd, Fill},
      {Ctx::Nothing, PaletteLeft, Draw},    {Ctx::Nothing, PaletteRight, Fill},
      {Ctx::Nothing, ForColorCmd, Draw},    {Ctx::Nothing, BackColorCmd, Fill},
  };
  const TColor teal = Form->ColorButtons[11]->Color();
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "context " << int(row.Context) << ", command " << row.Command);
    Enter(row.Context);
    ScopedScriptedUI ui;
    const Look before = Now();
    const int changes = Form->ChangeCount;
    Run(row.Command, teal, ui.Ui);
    const Look after = Now();
    EXPECT_EQ(Landed(before, after), row.Where);
    // Only a changed object counts as a change of the document.
    EXPECT_EQ(Form->ChangeCount - changes, (row.Where & (LabelFont | Pen | Brush)) ? 1 : 0);
    EXPECT_EQ(ui.Ui.Calls().size(), (row.Command >= ForColorCmd && row.Where) ? 1u : 0u);
    if (row.Where & Brush) {
      EXPECT_EQ(after.BrushStyle, bsSolid) << "a fill colour fills a transparent shape";
    }
    if (row.Where & (Draw | Fill)) {
      ColorSwatch* panel = row.Where & Draw ? Form->ForColor : Form->BackColor;
      EXPECT_EQ(panel->Color(), teal);
      EXPECT_EQ(panel->FontColor(), TForm2::ContrastColor(teal));
    }
    // Back to a neutral start for the next row.
    Enter(Ctx::Nothing);
    Label->Font()->SetColor(clBlack);
    Shape->Pen()->SetColor(clBlack);
    Shape->Brush()->SetStyle(bsClear);
    Shape->Brush()->SetColor(clSilver);
    Run(PaletteLeft, clBlack, ui.Ui);
    Run(PaletteRight, clSilver, ui.Ui);
  }
}

TEST_F(StyleTest, ChoosingTheValueAnObjectHasMarksNothing) {
  Shape->Pen()->SetColor(clRed);
  Shape->Brush()->SetColor(clBlue);  // hidden: the shape is transparent
  Label->Font()->SetColor(clGreen);
  const struct {
    Ctx Context;
    Cmd Command;
    TColor Color;
  } rows[] = {{Ctx::Shape, PaletteLeft, clRed},   {Ctx::Shape, PaletteRight, clBlue},  {Ctx::Shape, ForColorCmd, clRed},
              {Ctx::Shape, BackColorCmd, clBlue}, {Ctx::Shape, PenColorCmd, clRed},    {Ctx::Shape, BrushColorCmd, clBlue},
              {Ctx::Text, PaletteRight, clGreen}, {Ctx::Text, FontColorCmd, clGreen}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "command " << row.Command);
    Enter(row.Context, Qt::RightButton);  // the popup's object is the one selected
    ScopedScriptedUI ui;
    Form->Modified = false;
    const int changes = Form->ChangeCount;
    Run(row.Command, row.Color, ui.Ui);
    EXPECT_EQ(Form->ChangeCount, changes);
    EXPECT_FALSE(Form->Modified);
  }
  EXPECT_EQ(Shape->Brush()->Style(), bsClear) << "the hidden brush colour does not fill the shape";
  // A cancelled dialog changes nothing either.
  ScopedScriptedUI ui;
  ui.Ui.ReplyColor(std::nullopt);
  Form->ForColorClick();
  EXPECT_EQ(Shape->Pen()->Color(), clRed);
  EXPECT_FALSE(Form->Modified);
}

TEST_F(StyleTest, LineButtonsSetTheEditorsPenOrTheSelectedShapesAndADottedLineStaysThin) {
  const struct {
    bool OnShape;  // a shape is selected, else nothing
    int StartWidth;
    TPenStyle StartStyle;
    TSpeedButton* TForm1::*Button;
    int Width;
    TPenStyle Style;
    bool Marks;
  } rows[] = {
      {false, 1, psSolid, &TForm1::Width4, 4, psSolid, false},     {false, 4, psSolid, &TForm1::psDotButton, 1, psDot, false},
      {false, 1, psDot, &TForm1::Width3, 3, psSolid, false},       {false, 1, psDot, &TForm1::Width1, 1, psDot, false},
      {true, 1, psDot, &TForm1::Width3, 3, psSolid, true},         {true, 1, psDot, &TForm1::Width1, 1, psDot, false},
      {true, 5, psSolid, &TForm1::psDotButton, 1, psDot, true},    {true, 1, psDot, &TForm1::psDotButton, 1, psDot, false},
      {true, 2, psSolid, &TForm1::psSolidButton, 2, psSolid, false}, {true, 6, psSolid, &TForm1::Width6, 6, psSolid, false},
  };
  int i = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << i++);
    Enter(Ctx::Nothing);
    Form->Width1->click();
    Form->psSolidButton->click();
    if (row.OnShape) {
      Shape->Pen()->SetWidth(row.StartWidth);
      Shape->Pen()->SetStyle(row.StartStyle);
      Enter(Ctx::Shape);
    } else {
      (row.StartStyle == psDot ? Form->psDotButton : Form->WidthButtons()[row.StartWidth - 1])->click();
    }
    const int changes = Form->ChangeCount;
    (Form.get()->*row.Button)->click();
    EXPECT_EQ(row.OnShape ? Shape->Pen()->Width() : Form->PenWidth, row.Width);
    EXPECT_EQ(row.OnShape ? Shape->Pen()->Style() : Form->PenStyle, row.Style);
    EXPECT_EQ(Form->ChangeCount - changes, row.Marks ? 1 : 0);
    EXPECT_TRUE(Form->WidthButtons()[row.Width - 1]->Down());
    EXPECT_EQ(Form->psDotButton->Down(), row.Style == psDot);
    if (row.OnShape) {
      EXPECT_EQ(Form->PenWidth, 1) << "a selected shape's pen is not the editor's";
    }
  }
  // After the selection the next figure takes the editor's pen.
  Enter(Ctx::Nothing);
  Form->Width4->click();
  Form->psDotButton->click();
  Form->RectButtonClick();
  Drag({20, 20}, {60, 40});
  auto* drawn = dynamic_cast<TQuShape*>(Form->ObjectList.back());
  EXPECT_EQ(drawn->Pen()->Width(), 1);
  EXPECT_EQ(drawn->Pen()->Style(), psDot);
}

TEST_F(StyleTest, BrushedFillsWithTheFillColourAndItsCaptionFollowsTheFill) {
  Enter(Ctx::Shape, Qt::RightButton);
  EXPECT_EQ(Form->Brushed->text(), LoadStr(1070));
  ScopedScriptedUI ui;
  Run(BrushColorCmd, clRed, ui.Ui);  // only the colour: the shape stays transparent
  EXPECT_EQ(Shape->Brush()->Style(), bsClear);
  const int changes = Form->ChangeCount;
  Form->BrushedClick();
  EXPECT_EQ(Shape->Brush()->Style(), bsSolid);
  EXPECT_EQ(Shape->Brush()->Color(), Form->FillColor);
  Enter(Ctx::Shape, Qt::RightButton);
  EXPECT_EQ(Form->Brushed->text(), LoadStr(1071));
  Form->BrushedClick();
  EXPECT_EQ(Shape->Brush()->Style(), bsClear);
  EXPECT_EQ(Shape->Brush()->Color(), Form->FillColor) << "the colour stays behind a transparent fill";
  EXPECT_EQ(Form->ChangeCount, changes + 2);
}

TEST_F(StyleTest, TheColourDialogKeepsTheWorksheetsCustomColours) {
  const QStringList custom{QStringLiteral("ColorA=FF0000"), QStringLiteral("ColorB=00FF00")};
  ScopedScriptedUI ui;
  ui.Ui.ReplyColor(TColorReply{clNavy, custom});
  Form->ForColorClick();
  Run(BackColorCmd, clNavy, ui.Ui);
  EXPECT_EQ(ui.Ui.Calls().back().ColorAsked.CustomColors, custom);
  EXPECT_EQ(ui.Ui.Calls().back().ColorAsked.Color, TColor(0xC0C0C0)) << "opened on BackColor's colour";
  Form->ResetEditorWorksheet(455, 275);
  Run(ForColorCmd, clNavy, ui.Ui);
  EXPECT_TRUE(ui.Ui.Calls().back().ColorAsked.CustomColors.isEmpty()) << "a new worksheet starts without them";
  HeadlessForm2 bare;  // a window that has never had a worksheet
  ui.Ui.ReplyColor(TColorReply{clOlive, {}});
  bare.ForColorClick();
  EXPECT_EQ(bare.DrawColor, clOlive);
}

TEST_F(StyleTest, StackingKeepsBackgroundAndGridLowestAndTheListInPanelOrder) {
  Enter(Ctx::Text, Qt::RightButton);
  Form->BackClick();
  const auto& kids = Form->DrawPanel->Controls();
  const std::vector<TControl*> bottom{Form->BGImage, Form->GridShape, Form->LabelFrame, Label};
  EXPECT_EQ(std::vector<TControl*>(kids.begin(), kids.begin() + 4), bottom) << "the frame stays beneath its text";
  EXPECT_EQ(List(), (QList<TControl*>{Label, Shape, Picture}));

  Enter(Ctx::Shape, Qt::RightButton);
  Form->FrontClick();
  EXPECT_EQ(Form->DrawPanel->Controls().back(), Shape) << "front moves only the object, over the marks";
  EXPECT_EQ(List(), (QList<TControl*>{Label, Picture, Shape}));
  EXPECT_EQ(CardObjectsInPanelOrder(), List());

  Enter(Ctx::Picture, Qt::RightButton);
  const int changes = Form->ChangeCount;
  Form->BackClick();
  EXPECT_EQ(Form->DrawPanel->Controls()[2], Picture);
  EXPECT_EQ(List(), (QList<TControl*>{Picture, Label, Shape}));
  EXPECT_EQ(CardObjectsInPanelOrder(), List());
  EXPECT_EQ(Form->ChangeCount, changes + 1);
}
