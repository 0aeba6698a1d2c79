// Line, fill and colour commands and the stacking order, driven through the
// editor's buttons, palette, colour panels and popup items with scripted
// colour-dialog answers.
#include <QAction>
#include <QImage>

#include <functional>

#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "EditorFixture.h"
#include "Image.h"
#include "Labelex.h"
#include "Memo.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "WinControl.h"

namespace {

enum class Ctx { Typing, Text, Shape, Picture, Nothing };
const char* Name(Ctx c) {
  switch (c) {
    case Ctx::Typing: return "typing";
    case Ctx::Text: return "text";
    case Ctx::Shape: return "shape";
    case Ctx::Picture: return "picture";
    case Ctx::Nothing: return "nothing";
  }
  return "";
}

// Where a colour may land.
enum Spot { MemoFont = 1, LabelFont = 2, Pen = 4, Brush = 8, Draw = 16, Fill = 32 };

void SwatchPress(ColorSwatch* swatch, Qt::MouseButton button) {
  const QPointF p(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, p, swatch->mapToGlobal(p), button, button, {});
  QApplication::sendEvent(swatch, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, swatch->mapToGlobal(p), button, Qt::NoButton, {});
  QApplication::sendEvent(swatch, &release);
}

TColorReply Reply(TColor c, QStringList custom = {}) { return TColorReply{c, std::move(custom)}; }

}  // namespace

class StyleTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Form->SnapToGrid = false;
    Form->RectButtonClick();
    Drag({100, 50}, {140, 70});
    Shape = dynamic_cast<TQuShape*>(Form->ObjectList.back());
    ASSERT_NE(Shape, nullptr);
    Label = new TLabelEx(Form->DrawPanel);
    Label->SetParent(Form->DrawPanel);
    Label->SetCaption(QStringLiteral("Text"));
    Label->Font()->SetColor(clBlack);
    Label->SetLeft(300);
    Label->SetTop(200);
    Form->AttachObject(Label);
    Click({440, 260});
  }

  TImage* PlacePicture() {
    const QString path = Folder.filePath(QStringLiteral("p.bmp"));
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    EXPECT_TRUE(img.save(path, "BMP"));
    ScopedScriptedUI ui;
    ui.Ui.ReplyFile(path);
    Form->imageButtonClick();
    Click({200, 150});
    Click({440, 260});
    return dynamic_cast<TImage*>(Form->ObjectList.back());
  }

  void Enter(Ctx c) {
    switch (c) {
      case Ctx::Typing:
        Form->TextButtonClick();
        Click({20, 220});
        ASSERT_TRUE(Form->TextEditing);
        break;
      case Ctx::Text: Click({302, 202}); break;
      case Ctx::Shape: Click({120, 60}); break;
      case Ctx::Picture: Click({205, 155}); break;
      case Ctx::Nothing: Click({440, 260}); break;
    }
  }

  struct Snapshot {
    TColor Memo = 0, Label = 0, Pen = 0, Brush = 0, Draw = 0, Fill = 0;
    TBrushStyle BrushStyle = bsClear;
    int Changes = 0;
  };
  Snapshot Take() const {
    Snapshot s;
    s.Memo = Form->EditMemo ? Form->EditMemo->Font()->Color() : 0;
    s.Label = Label->Font()->Color();
    s.Pen = Shape->Pen()->Color();
    s.Brush = Shape->Brush()->Color();
    s.BrushStyle = Shape->Brush()->Style();
    s.Draw = Form->DrawColor;
    s.Fill = Form->FillColor;
    s.Changes = Form->ChangeCount;
    return s;
  }
  static int Landed(const Snapshot& a, const Snapshot& b) {
    return (a.Memo != b.Memo ? MemoFont : 0) | (a.Label != b.Label ? LabelFont : 0) | (a.Pen != b.Pen ? Pen : 0) |
           (a.Brush != b.Brush ? Brush : 0) | (a.Draw != b.Draw ? Draw : 0) | (a.Fill != b.Fill ? Fill : 0);
  }

  QList<TControl*> CardObjectsInPanelOrder() const {
    QList<TControl*> out;
    for (TControl* c : Form->DrawPanel->Controls())
      if (std::find(Form->ObjectList.begin(), Form->ObjectList.end(), c) != Form->ObjectList.end()) out << c;
    return out;
  }
  QList<TControl*> List() const { return QList<TControl*>(Form->ObjectList.begin(), Form->ObjectList.end()); }

  TQuShape* Shape = nullptr;
  TLabelEx* Label = nullptr;
};

TEST_F(StyleTest, EveryColourCommandGoesWhereItsContextSays) {
  PlacePicture();
  struct Row {
    Ctx Context;
    const char* Command;
    int Where;
    bool Marks;
  };
  const Row rows[] = {
      {Ctx::Typing, "palette left", MemoFont, false},  {Ctx::Typing, "palette right", MemoFont, false},
      {Ctx::Typing, "ForColor", MemoFont, false},      {Ctx::Typing, "BackColor", 0, false},
      {Ctx::Text, "palette left", LabelFont, true},    {Ctx::Text, "palette right", LabelFont, true},
      {Ctx::Text, "ForColor", LabelFont, true},        {Ctx::Text, "BackColor", 0, false},
      {Ctx::Shape, "palette left", Pen, true},         {Ctx::Shape, "palette right", Brush, true},
      {Ctx::Shape, "ForColor", Pen, true},             {Ctx::Shape, "BackColor", Brush, true},
      {Ctx::Picture, "palette left", Draw, false},     {Ctx::Picture, "palette right", Fill, false},
      {Ctx::Picture, "ForColor", Draw, false},         {Ctx::Picture, "BackColor", Fill, false},
      {Ctx::Nothing, "palette left", Draw, false},     {Ctx::Nothing, "palette right", Fill, false},
      {Ctx::Nothing, "ForColor", Draw, false},         {Ctx::Nothing, "BackColor", Fill, false},
  };
  ColorSwatch* teal = Form->ColorButtons[11];
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(Name(row.Context)) + " / " + row.Command);
    Enter(row.Context);
    ScopedScriptedUI ui;
    const QString command = QString::fromLatin1(row.Command);
    if (row.Where && !command.startsWith(QLatin1String("palette"))) ui.Ui.ReplyColor(Reply(teal->Color()));
    const Snapshot before = Take();
    if (command == QLatin1String("palette left")) SwatchPress(teal, Qt::LeftButton);
    else if (command == QLatin1String("palette right")) SwatchPress(teal, Qt::RightButton);
    else SwatchPress(command == QLatin1String("ForColor") ? Form->ForColor : Form->BackColor, Qt::LeftButton);
    const Snapshot after = Take();

    EXPECT_EQ(Landed(before, after), row.Where);
    EXPECT_EQ(after.Changes - before.Changes, row.Marks ? 1 : 0);
    EXPECT_TRUE(ui.Ui.AllRepliesUsed());
    if (!row.Where) {
      EXPECT_TRUE(ui.Ui.Calls().empty()) << "no dialog where the command does nothing";
    }
    if (row.Where & Brush) {
      EXPECT_EQ(after.BrushStyle, bsSolid) << "a fill colour fills a transparent shape";
    }
    if (row.Where & Draw) {
      EXPECT_EQ(Form->ForColor->Color(), teal->Color());
      EXPECT_EQ(Form->ForColor->FontColor(), TForm2::ContrastColor(teal->Color()));
    }
    if (row.Where & Fill) {
      EXPECT_EQ(Form->BackColor->Color(), teal->Color());
      EXPECT_EQ(Form->BackColor->FontColor(), TForm2::ContrastColor(teal->Color()));
    }
    // Back to a neutral start for the next row.
    Enter(Ctx::Nothing);
    Label->Font()->SetColor(clBlack);
    Shape->Pen()->SetColor(clBlack);
    Shape->Brush()->SetStyle(bsClear);
    Shape->Brush()->SetColor(clSilver);
    SwatchPress(Form->ColorButtons[1], Qt::LeftButton);   // black
    SwatchPress(Form->ColorButtons[2], Qt::RightButton);  // silver
  }
}

TEST_F(StyleTest, ChoosingTheValueAnObjectHasMarksNothing) {
  Shape->Pen()->SetColor(clRed);
  Shape->Brush()->SetColor(clBlue);  // hidden: the shape is transparent
  Label->Font()->SetColor(clGreen);
  struct Row {
    const char* Name;
    Ctx Context;
    std::function<void(HeadlessForm2&, ScriptedUserInterface&)> Act;
  };
  const Row rows[] = {
      {"pen colour from the palette", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface&) { SwatchPress(f.ColorButtons[4], Qt::LeftButton); }},
      {"hidden brush colour from the palette", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface&) { SwatchPress(f.ColorButtons[12], Qt::RightButton); }},
      {"pen colour through ForColor", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface& ui) {
         ui.ReplyColor(Reply(clRed));
         f.ForColorClick();
       }},
      {"hidden brush colour through BackColor", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface& ui) {
         ui.ReplyColor(Reply(clBlue));
         f.BackColorClick();
       }},
      {"PenColorChange", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface& ui) {
         ui.ReplyColor(Reply(clRed));
         f.PenColorChangeClick();
       }},
      {"BrushColorChange", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface& ui) {
         ui.ReplyColor(Reply(clBlue));
         f.BrushColorChangeClick();
       }},
      {"text colour from the palette", Ctx::Text,
       [](HeadlessForm2& f, ScriptedUserInterface&) { SwatchPress(f.ColorButtons[9], Qt::RightButton); }},
      {"FontColorChange", Ctx::Text,
       [](HeadlessForm2& f, ScriptedUserInterface& ui) {
         ui.ReplyColor(Reply(clGreen));
         f.FontColorChangeClick();
       }},
      {"a cancelled dialog", Ctx::Shape,
       [](HeadlessForm2& f, ScriptedUserInterface& ui) {
         ui.ReplyColor(std::nullopt);
         f.ForColorClick();
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Enter(row.Context);
    ScopedScriptedUI ui;
    Form->Modified = false;
    const int changes = Form->ChangeCount;
    row.Act(*Form, ui.Ui);
    EXPECT_EQ(Form->ChangeCount, changes);
    EXPECT_FALSE(Form->Modified);
    EXPECT_TRUE(ui.Ui.AllRepliesUsed());
  }
  EXPECT_EQ(Shape->Brush()->Style(), bsClear) << "the hidden brush colour does not fill the shape";
  EXPECT_EQ(Shape->Pen()->Color(), clRed);
  EXPECT_EQ(Label->Font()->Color(), clGreen);
}

TEST_F(StyleTest, LineButtonsSetTheEditorsPenOrTheSelectedShapesAndADottedLineStaysThin) {
  struct Row {
    const char* Name;
    bool OnShape;  // a shape is selected, else nothing
    int StartWidth;
    TPenStyle StartStyle;
    TSpeedButton* TForm1::*Button;
    int Width;
    TPenStyle Style;
    bool Marks;
  };
  const Row rows[] = {
      {"Width4, nothing selected", false, 1, psSolid, &TForm1::Width4, 4, psSolid, false},
      {"dotted after a wide pen, nothing selected", false, 4, psSolid, &TForm1::psDotButton, 1, psDot, false},
      {"Width3 after dotted, nothing selected", false, 1, psDot, &TForm1::Width3, 3, psSolid, false},
      {"Width1 keeps dotted, nothing selected", false, 1, psDot, &TForm1::Width1, 1, psDot, false},
      {"Width3 on a dotted shape", true, 1, psDot, &TForm1::Width3, 3, psSolid, true},
      {"Width1 on a dotted shape", true, 1, psDot, &TForm1::Width1, 1, psDot, false},
      {"dotted on a wide shape", true, 5, psSolid, &TForm1::psDotButton, 1, psDot, true},
      {"dotted on a dotted shape", true, 1, psDot, &TForm1::psDotButton, 1, psDot, false},
      {"solid on a solid shape", true, 2, psSolid, &TForm1::psSolidButton, 2, psSolid, false},
      {"the width a shape has", true, 6, psSolid, &TForm1::Width6, 6, psSolid, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Enter(Ctx::Nothing);
    Form->Width1->click();
    Form->psSolidButton->click();
    if (row.OnShape) {
      Shape->Pen()->SetWidth(row.StartWidth);
      Shape->Pen()->SetStyle(row.StartStyle);
      Enter(Ctx::Shape);
    } else if (row.StartStyle == psDot) {
      Form->psDotButton->click();
    } else {
      Form->WidthButtons()[row.StartWidth - 1]->click();
    }
    const int changes = Form->ChangeCount;
    (Form.get()->*row.Button)->click();
    const int width = row.OnShape ? Shape->Pen()->Width() : Form->PenWidth;
    const TPenStyle style = row.OnShape ? Shape->Pen()->Style() : Form->PenStyle;
    EXPECT_EQ(width, row.Width);
    EXPECT_EQ(style, row.Style);
    EXPECT_EQ(Form->ChangeCount - changes, row.Marks ? 1 : 0);
    EXPECT_TRUE(Form->WidthButtons()[row.Width - 1]->Down());
    EXPECT_EQ(Form->psDotButton->Down(), row.Style == psDot);
    if (row.OnShape) {
      EXPECT_EQ(Form->PenWidth, 1) << "a selected shape's pen is not the editor's";
      EXPECT_EQ(Form->PenStyle, psSolid);
    }
  }
  // After the selection the buttons show the editor's pen again, and the
  // next figure takes it.
  Enter(Ctx::Nothing);
  EXPECT_TRUE(Form->Width1->Down());
  Form->Width4->click();
  Form->psDotButton->click();
  Form->RectButtonClick();
  Drag({20, 20}, {60, 40});
  auto* drawn = dynamic_cast<TQuShape*>(Form->ObjectList.back());
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(drawn->Pen()->Width(), 1);
  EXPECT_EQ(drawn->Pen()->Style(), psDot);
}

TEST_F(StyleTest, BrushedFillsWithTheFillColourAndItsCaptionFollowsTheFill) {
  Click({120, 60}, Qt::RightButton);
  EXPECT_EQ(Form->Brushed->text(), LoadStr(1070));
  {
    ScopedScriptedUI ui;
    ui.Ui.ReplyColor(Reply(clRed));
    Form->BrushColorChangeClick();  // only the colour: the shape stays transparent
  }
  EXPECT_EQ(Shape->Brush()->Style(), bsClear);
  const int changes = Form->ChangeCount;
  Form->BrushedClick();
  EXPECT_EQ(Shape->Brush()->Style(), bsSolid);
  EXPECT_EQ(Shape->Brush()->Color(), Form->FillColor);
  Click({120, 60}, Qt::RightButton);
  EXPECT_EQ(Form->Brushed->text(), LoadStr(1071));
  Form->BrushedClick();
  EXPECT_EQ(Shape->Brush()->Style(), bsClear);
  EXPECT_EQ(Shape->Brush()->Color(), Form->FillColor) << "the colour stays behind a transparent fill";
  EXPECT_EQ(Form->ChangeCount, changes + 2);
}

TEST_F(StyleTest, TheColourDialogKeepsTheWorksheetsCustomColours) {
  const QStringList custom{QStringLiteral("ColorA=FF0000"), QStringLiteral("ColorB=00FF00")};
  ScopedScriptedUI ui;
  ui.Ui.ReplyColor(Reply(clNavy, custom));
  ui.Ui.ReplyColor(Reply(clNavy));
  Form->ForColorClick();
  EXPECT_EQ(Form->ColorDialog->CustomColors(), custom);
  Form->BackColorClick();
  ASSERT_EQ(ui.Ui.Calls().size(), 2u);
  EXPECT_EQ(ui.Ui.Calls()[1].ColorAsked.CustomColors, custom);
  EXPECT_EQ(ui.Ui.Calls()[1].ColorAsked.Color, TColor(0xC0C0C0));  // on BackColor's colour
  // A new worksheet starts without them.
  Form->ResetEditorWorksheet(455, 275);
  ui.Ui.ReplyColor(Reply(clPurple));
  Form->ForColorClick();
  EXPECT_TRUE(ui.Ui.Calls().back().ColorAsked.CustomColors.isEmpty());
  // A window that has never had a worksheet still has the panels.
  HeadlessForm2 bare;
  ui.Ui.ReplyColor(Reply(clOlive));
  bare.ForColorClick();
  EXPECT_EQ(bare.DrawColor, clOlive);
  EXPECT_TRUE(ui.Ui.AllRepliesUsed());
}

TEST_F(StyleTest, StackingKeepsBackgroundAndGridLowestAndTheListInPanelOrder) {
  TImage* picture = PlacePicture();
  // From the bottom: shape, label, picture.
  Click({302, 202}, Qt::RightButton);  // the label's popup
  Form->BackClick();
  const auto& kids = Form->DrawPanel->Controls();
  ASSERT_GE(kids.size(), 4u);
  EXPECT_EQ(kids[0], Form->BGImage);
  EXPECT_EQ(kids[1], Form->GridShape);
  EXPECT_EQ(kids[2], Form->LabelFrame) << "the frame lies directly beneath its text";
  EXPECT_EQ(kids[3], Label);
  EXPECT_EQ(List(), (QList<TControl*>{Label, Shape, picture}));
  EXPECT_EQ(CardObjectsInPanelOrder(), List());

  Click({120, 60}, Qt::RightButton);
  Form->FrontClick();
  EXPECT_EQ(Form->DrawPanel->Controls().back(), Shape) << "front moves only the object, over the marks";
  EXPECT_EQ(List(), (QList<TControl*>{Label, picture, Shape}));
  EXPECT_EQ(CardObjectsInPanelOrder(), List());

  Click({205, 155}, Qt::RightButton);
  const int changes = Form->ChangeCount;
  Form->BackClick();
  EXPECT_EQ(Form->DrawPanel->Controls()[0], Form->BGImage);
  EXPECT_EQ(Form->DrawPanel->Controls()[1], Form->GridShape);
  EXPECT_EQ(Form->DrawPanel->Controls()[2], picture);
  EXPECT_EQ(List(), (QList<TControl*>{picture, Label, Shape}));
  EXPECT_EQ(CardObjectsInPanelOrder(), List());
  EXPECT_EQ(Form->ChangeCount, changes + 1);
}
