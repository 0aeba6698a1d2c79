// Replacing and scaling pictures, the background picture and the grid
// settings, driven as a user drives them: mouse on the worksheet, the popup
// and menu items, and the real dialogs answered without a modal loop.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

#include "EditorFixture.h"
#include "GridSettingDlg.h"
#include "Image.h"
#include "ImageReductionDlg.h"
#include "Picture.h"
#include "PixelProbe.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "UnitField.h"
#include "WinControl.h"

namespace {

// The user types into a field and then leaves it.
void Type(UnitField* field, const QString& text) { field->setText(text); }
void Leave(UnitField* field) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &out);
}
// Enter typed in a field: the dialog presses its default button.
bool PressEnter(QDialog& dlg, UnitField* field) {
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  return dlg.result() == QDialog::Accepted;
}
bool ClickOK(QDialog& dlg, QPushButton* ok) {
  ok->click();
  return dlg.result() == QDialog::Accepted;
}

int IndexOf(const std::vector<TControl*>& list, const TControl* c) {
  return int(std::find(list.begin(), list.end(), c) - list.begin());
}

}  // namespace

class PictureCommandsTest : public EditorTest {
 protected:
  QString Bitmap(const QString& name, int w, int h, QColor colour = Qt::red) {
    QDir().mkpath(QFileInfo(Folder.filePath(name)).absolutePath());
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    const QString path = Folder.filePath(name);
    EXPECT_TRUE(img.save(path, "BMP"));
    return path;
  }
  TImage* Place(const QString& path, QPoint at, void (TForm2::*tool)() = &TForm2::imageButtonClick) {
    Form->SnapToGrid = false;
    (Form.get()->*tool)();
    Ui.Ui.ReplyFile(path);
    Click(at);
    Form->SnapToGrid = true;
    return dynamic_cast<TImage*>(Form->ObjectList.back());
  }
  // Selects an object with the right button, as the popup needs.
  void RightClick(const TControl* c) {
    const QPoint p = c->BoundsRect().topLeft() + QPoint(2, 2);
    Press(p, {}, Qt::RightButton);
    Release(p, {}, Qt::RightButton);
  }
  // The worksheet's children apart from the selection marks.
  std::vector<TControl*> WithoutMarks(const std::vector<TControl*>& controls) const {
    std::vector<TControl*> out;
    for (TControl* c : controls)
      if (std::find(Form->Handles.begin(), Form->Handles.end(), c) == Form->Handles.end()) out.push_back(c);
    return out;
  }
  QImage Painted() {
    QImage out(Form->DrawPanel->Width(), Form->DrawPanel->Height(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    Form->DrawPanel->PaintControl(p);
    return out;
  }

  ScopedScriptedUI Ui;
};

TEST_F(PictureCommandsTest, AReplacedPictureKeepsItsPlaceInTheStackAndTakesTheNewSize) {
  TImage* first = Place(Bitmap(QStringLiteral("a.bmp"), 64, 48), {30, 50});
  Form->RectButtonClick();
  Drag({40, 60}, {80, 90});
  TImage* last = Place(Bitmap(QStringLiteral("b.bmp"), 20, 20), {200, 100});
  const std::vector<TControl*> order = Form->ObjectList;
  const std::vector<TControl*> painted = Form->DrawPanel->Controls();
  // An earlier scaling is lost with the new graphic.
  first->SetBounds(30, 50, 32, 24);
  Form->Modified = false;

  RightClick(first);
  EXPECT_TRUE(Form->LastPopup().Items.size() == 3u);
  const QString replacement = Bitmap(QStringLiteral("new/c.bmp"), 100, 20, Qt::blue);
  Ui.Ui.ReplyFile(replacement);
  Form->ImageChange->trigger();

  EXPECT_EQ(Ui.Ui.Calls().back().File.FileName, Folder.path() + QStringLiteral("/*.bmp"));
  EXPECT_EQ(Form->ObjectList, order);
  EXPECT_EQ(WithoutMarks(Form->DrawPanel->Controls()), painted);
  EXPECT_EQ(first->BoundsRect(), QRect(30, 50, 100, 20));
  EXPECT_EQ(first->Picture()->Width(), 100);
  EXPECT_TRUE(first->Stretch());
  EXPECT_TRUE(Form->Modified);
  EXPECT_EQ(Form->SelectedObject, first);
  EXPECT_EQ(QPoint(Form->Handles[7]->Left(), Form->Handles[7]->Top()), QPoint(30 + 100 - 1, 50 + 20 - 1));
  EXPECT_EQ(Form->PictureFolder, Folder.filePath(QStringLiteral("new")) + QStringLiteral("/"));
  EXPECT_NE(last, first);
}

TEST_F(PictureCommandsTest, ReplacingACatchPhraseOpensAmongThePhrasesAndKeepsThePictureFolder) {
  TImage* phrase =
      Place(Bitmap(QStringLiteral("CPhrase/hello.bmp"), 30, 20), {100, 100}, &TForm2::CFButtonClick);
  const QString pictures = Form->PictureFolder;
  RightClick(phrase);
  Ui.Ui.ReplyFile(Bitmap(QStringLiteral("CPhrase/bye.bmp"), 40, 10));
  Form->ImageChange->trigger();
  const TFileDialogRequest& r = Ui.Ui.Calls().back().File;
  EXPECT_EQ(r.FileName, Form->PhraseFolder + QStringLiteral("/*.jpg"));
  EXPECT_TRUE(r.Filter.startsWith(QStringLiteral("JPEG")));
  EXPECT_EQ(phrase->BoundsRect(), QRect(100, 100, 40, 10));
  EXPECT_EQ(Form->PictureFolder, pictures);
}

TEST_F(PictureCommandsTest, UnusableFilesChangeNothingAndSayWhyInJapanese) {
  Form->BGImage->SetVisible(false);  // as a new document starts
  TImage* image = Place(Bitmap(QStringLiteral("a.bmp"), 64, 48), {30, 50});
  // A bitmap cut short in its pixels.
  const QString damaged = Bitmap(QStringLiteral("damaged.bmp"), 64, 48);
  ASSERT_TRUE(QFile::resize(damaged, QFileInfo(damaged).size() / 2));
  const QString text = Folder.filePath(QStringLiteral("notes.jpg"));
  {
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
  }
  const QString folder = Form->PictureFolder;
  Form->Modified = false;
  const QStringList files = {damaged, text, Folder.filePath(QStringLiteral("gone.bmp"))};
  for (const QString& path : files) {
    RightClick(image);
    Ui.Ui.ReplyFile(path);
    Form->ImageChange->trigger();
    Ui.Ui.ReplyFile(path);
    Form->BGImageButton->click();
    Ui.Ui.ReplyFile(path);
    Form->imageButtonClick();
    Click({300, 200});
  }
  const std::vector<QString> messages = Ui.Ui.Messages();
  ASSERT_EQ(messages.size(), size_t(3 * files.size()));
  for (const QString& m : messages) {
    EXPECT_TRUE(m.contains(QStringLiteral("画像ファイル"))) << m.toStdString();
    EXPECT_FALSE(m.contains(QStringLiteral("cannot"))) << m.toStdString();
  }
  // Each file has its own reason.
  EXPECT_NE(messages[0], messages[3]);
  EXPECT_NE(messages[3], messages[6]);
  EXPECT_EQ(image->BoundsRect(), QRect(30, 50, 64, 48));
  EXPECT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 3);
  EXPECT_FALSE(Form->BGImage->Visible());
  EXPECT_FALSE(Form->Modified);
  EXPECT_EQ(Form->PictureFolder, folder);
}

TEST_F(PictureCommandsTest, ScalingInMillimetresWithAFixedRatio) {
  TImage* image = Place(Bitmap(QStringLiteral("p.bmp"), 300, 200), {20, 30});
  Form->Modified = false;
  RightClick(image);
  bool asked = false;
  Form->RunImageReductionDialog = [&](TImageReductionDlg& dlg) {
    asked = true;
    EXPECT_EQ(dlg.ImageWidthMemo->text(), QStringLiteral("300"));
    EXPECT_TRUE(dlg.TanniPixRB->isChecked());
    EXPECT_TRUE(dlg.FixedRateCB->isChecked());
    dlg.TanniMmRB->click();
    EXPECT_EQ(dlg.ImageWidthMemo->text(), QStringLiteral("60.0"));
    EXPECT_EQ(dlg.ImageHeightMemo->text(), QStringLiteral("40.0"));
    Type(dlg.ImageWidthMemo, QStringLiteral("25"));
    EXPECT_EQ(dlg.ImageHeightMemo->text(), QStringLiteral("16.7"));
    Leave(dlg.ImageWidthMemo);
    EXPECT_EQ(dlg.ImageWidthMemo->text(), QStringLiteral("25.0"));
    EXPECT_EQ(dlg.ImageHeightMemo->text(), QStringLiteral("16.6"));
    return ClickOK(dlg, dlg.OKBtn);
  };
  Form->ImageReduction->trigger();
  ASSERT_TRUE(asked);
  EXPECT_EQ(image->BoundsRect(), QRect(20, 30, 125, 83));
  EXPECT_TRUE(Form->UnitIsMm);
  EXPECT_FALSE(Form->UnitIsPixel);
  EXPECT_TRUE(Form->Modified);
  EXPECT_EQ(Form->SelectedObject, image);
  EXPECT_EQ(QPoint(Form->Handles[7]->Left(), Form->Handles[7]->Top()), QPoint(20 + 125 - 1, 30 + 83 - 1));

  // The next opening shows the stored unit; Cancel keeps everything.
  Form->RunImageReductionDialog = [&](TImageReductionDlg& dlg) {
    EXPECT_EQ(dlg.ImageWidthMemo->text(), QStringLiteral("25.0"));
    dlg.TanniInRB->click();
    dlg.FixedRateCB->click();
    Type(dlg.ImageWidthMemo, QStringLiteral("1"));
    return false;
  };
  Form->ImageReduction->trigger();
  EXPECT_TRUE(Form->UnitIsMm);
  EXPECT_TRUE(Form->KeepAspect);
  EXPECT_EQ(image->BoundsRect(), QRect(20, 30, 125, 83));
}

TEST_F(PictureCommandsTest, OKWithTheSameSizeStoresTheUnitAndMarksNothing) {
  TImage* image = Place(Bitmap(QStringLiteral("p.bmp"), 300, 200), {20, 30});
  Form->Modified = false;
  RightClick(image);
  Form->RunImageReductionDialog = [&](TImageReductionDlg& dlg) {
    dlg.TanniInRB->click();
    EXPECT_EQ(dlg.ImageWidthMemo->text(), QStringLiteral("2.362"));
    EXPECT_EQ(dlg.ImageHeightMemo->text(), QStringLiteral("1.575"));
    dlg.FixedRateCB->click();
    return ClickOK(dlg, dlg.OKBtn);
  };
  Form->ImageReduction->trigger();
  EXPECT_TRUE(Form->UnitIsInch);
  EXPECT_FALSE(Form->KeepAspect);
  EXPECT_FALSE(Form->Modified);
  EXPECT_EQ(image->BoundsRect(), QRect(20, 30, 300, 200));
}

TEST_F(PictureCommandsTest, ASizeBelowOnePixelIsRefusedAndTheDialogStays) {
  TImage* image = Place(Bitmap(QStringLiteral("p.bmp"), 300, 200), {20, 30});
  RightClick(image);
  Form->RunImageReductionDialog = [&](TImageReductionDlg& dlg) {
    Type(dlg.ImageWidthMemo, QStringLiteral("0"));
    EXPECT_FALSE(ClickOK(dlg, dlg.OKBtn));
    EXPECT_EQ(Ui.Ui.Messages().size(), 1u);
    Type(dlg.ImageWidthMemo, QStringLiteral("60"));
    return ClickOK(dlg, dlg.OKBtn);
  };
  Form->ImageReduction->trigger();
  EXPECT_EQ(image->BoundsRect(), QRect(20, 30, 60, 40));
}

TEST_F(PictureCommandsTest, PreviewShowsTheEnteredSizeWithItsBars) {
  TImage* image = Place(Bitmap(QStringLiteral("p.bmp"), 100, 100), {20, 30});
  RightClick(image);
  Form->RunImageReductionDialog = [&](TImageReductionDlg& dlg) {
    EXPECT_FALSE(dlg.IPHScrollBar->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.PreviewImage->BoundsRect(), QRect(42, 42, 100, 100));
    dlg.FixedRateCB->click();
    Type(dlg.ImageWidthMemo, QStringLiteral("400"));
    dlg.ImagePreviewBtn->click();
    EXPECT_TRUE(dlg.IPHScrollBar->isVisibleTo(&dlg));
    EXPECT_FALSE(dlg.IPVScrollBar->isVisibleTo(&dlg));
    EXPECT_FALSE(dlg.MekakushiPanel->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.IPHScrollBar->maximum(), 215);
    EXPECT_EQ(dlg.PreviewImage->BoundsRect(), QRect(0, 35, 400, 100));
    dlg.IPHScrollBar->setValue(50);
    EXPECT_EQ(dlg.PreviewImage->Left(), -50);
    // A preview of a size no picture can take is refused, not attempted.
    Type(dlg.ImageHeightMemo, QStringLiteral("0"));
    dlg.ImagePreviewBtn->click();
    EXPECT_EQ(Ui.Ui.Messages().size(), 1u);
    EXPECT_EQ(dlg.PreviewImage->Width(), 400);
    return false;
  };
  Form->ImageReduction->trigger();
}

TEST_F(PictureCommandsTest, TheBackgroundStaysBelowTheGridAndEveryObjectWhenClearedAndChosenAgain) {
  Form->BGImage->SetVisible(false);  // as a new document starts
  Form->SnapToGrid = false;
  Form->RectButtonClick();
  Drag({100, 100}, {160, 140});
  auto* shape = dynamic_cast<TQuShape*>(Form->ObjectList.back());
  shape->Brush()->SetStyle(bsSolid);
  shape->Brush()->SetColor(clRed);
  const QString green = Bitmap(QStringLiteral("bk/green.bmp"), 1075, 650, Qt::green);
  Form->Modified = false;

  auto expectBelowEverything = [&](const char* when) {
    const std::vector<TControl*>& painted = Form->DrawPanel->Controls();
    EXPECT_EQ(IndexOf(painted, Form->BGImage), 0) << when;
    EXPECT_LT(IndexOf(painted, Form->BGImage), IndexOf(painted, Form->GridShape)) << when;
    EXPECT_LT(IndexOf(painted, Form->GridShape), IndexOf(painted, shape)) << when;
  };

  Ui.Ui.ReplyFile(green);
  Form->BGImageButton->click();
  const TFileDialogRequest& r = Ui.Ui.Calls().back().File;
  EXPECT_EQ(r.FileName, Form->BGImageFolder + QStringLiteral("/*.bmp"));
  EXPECT_TRUE(r.Filter.startsWith(QStringLiteral("ビットマップ")));
  EXPECT_TRUE(Form->BGImage->Visible());
  EXPECT_TRUE(Form->Modified);
  expectBelowEverything("chosen");
  Form->OtherMenuClick();
  EXPECT_TRUE(Form->OtherBGImageClear->isEnabled());

  const int changes = Form->ChangeCount;
  Form->OtherBGImageClear->trigger();
  EXPECT_FALSE(Form->BGImage->Visible());
  EXPECT_EQ(Form->BGImage->Picture()->Graphic(), nullptr);
  EXPECT_EQ(Form->BGImage->BoundsRect(), Form->DrawPanel->ClientRect());
  EXPECT_EQ(Form->ChangeCount, changes + 1);
  expectBelowEverything("cleared");
  Form->OtherMenuClick();
  EXPECT_FALSE(Form->OtherBGImageClear->isEnabled());

  Ui.Ui.ReplyFile(green);
  Click({300, 50}, Qt::RightButton);
  Form->BGImageSetting->trigger();
  expectBelowEverything("chosen again");

  // On screen: the grid over the background, the shape over both.
  const QImage shot = Painted();
  EXPECT_TRUE(PixelProbe::Is(shot, 15, 15, Qt::green));
  EXPECT_FALSE(PixelProbe::Is(shot, 20, 15, Qt::green));  // a grid line
  EXPECT_TRUE(PixelProbe::Is(shot, 125, 125, Qt::red));
}

TEST_F(PictureCommandsTest, GridButtonTwiceLeavesTheGridAndMarksNothing) {
  Form->GridButton->click();
  EXPECT_FALSE(Form->GridShape->Visible());
  Form->GridButton->click();
  EXPECT_TRUE(Form->GridShape->Visible());
  EXPECT_FALSE(Form->Modified);
}

TEST_F(PictureCommandsTest, GridSettingsTakeEffectOnOKOnly) {
  Form->RunGridSettingDialog = [&](TGridSettingDlg& dlg) {
    EXPECT_TRUE(dlg.GridDspCheckBox->isChecked());
    EXPECT_TRUE(dlg.FitGridCheckBox->isChecked());
    EXPECT_TRUE(dlg.TanniPixRB->isChecked());
    EXPECT_EQ(dlg.GridMemo->text(), QStringLiteral("10"));
    dlg.TanniMmRB->click();
    EXPECT_EQ(dlg.GridMemo->text(), QStringLiteral("2.0"));
    Type(dlg.GridMemo, QStringLiteral("3"));
    Leave(dlg.GridMemo);
    EXPECT_EQ(dlg.GridMemo->text(), QStringLiteral("3.0"));
    dlg.GridDspCheckBox->click();
    dlg.FitGridCheckBox->click();
    return false;  // Cancel
  };
  Form->BGGrid->trigger();
  EXPECT_EQ(Form->GridWidth(), 10);
  EXPECT_TRUE(Form->GridShape->Visible());
  EXPECT_TRUE(Form->SnapToGrid);
  EXPECT_TRUE(Form->UnitIsPixel);

  Form->RunGridSettingDialog = [&](TGridSettingDlg& dlg) {
    dlg.TanniInRB->click();
    EXPECT_EQ(dlg.GridMemo->text(), QStringLiteral("0.079"));
    Type(dlg.GridMemo, QStringLiteral("0.5"));
    Leave(dlg.GridMemo);
    EXPECT_EQ(dlg.GridMemo->text(), QStringLiteral("0.504"));
    dlg.FitGridCheckBox->click();
    return ClickOK(dlg, dlg.OKBtn);
  };
  Click({300, 50}, Qt::RightButton);
  Form->GridSetting->trigger();
  EXPECT_EQ(Form->GridWidth(), 64);
  EXPECT_TRUE(Form->UnitIsInch);
  EXPECT_FALSE(Form->SnapToGrid);
  EXPECT_TRUE(Form->GridShape->Visible());
  EXPECT_FALSE(Form->Modified);
}

TEST_F(PictureCommandsTest, AGridSpacingBelowOnePixelIsRefused) {
  Form->RunGridSettingDialog = [&](TGridSettingDlg& dlg) {
    dlg.TanniMmRB->click();
    Type(dlg.GridMemo, QStringLiteral("0.05"));
    EXPECT_FALSE(ClickOK(dlg, dlg.OKBtn));
    return false;
  };
  Form->BGGrid->trigger();
  EXPECT_EQ(Ui.Ui.Messages().size(), 1u);
  EXPECT_EQ(Form->GridWidth(), 10);
  // Drawing still snaps as before.
  Form->RectButtonClick();
  Drag({13, 24}, {47, 61});
  EXPECT_EQ(Form->ObjectList.back()->Left(), 10);
}

TEST_F(PictureCommandsTest, EnterInAFieldRunsItsExitRuleBeforeOKAndARefusalKeepsTheDialog) {
  // Each field of both dialogs, with a lone point typed and then a number.
  struct Case {
    bool Picture;
    bool HeightField;
    QString Number;
    QRect PictureBounds;
    int GridWidth;
  };
  const Case cases[] = {
      {false, false, QStringLiteral("3"), QRect(20, 30, 300, 200), 15},
      {true, false, QStringLiteral("30"), QRect(20, 30, 150, 100), 10},
      {true, true, QStringLiteral("10"), QRect(20, 30, 75, 50), 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "picture " << c.Picture << " height " << c.HeightField);
    Form->ResetEditorWorksheet(455, 275);
    Ui.Ui.Clear();
    TImage* image = Place(Bitmap(QStringLiteral("p.bmp"), 300, 200), {20, 30});
    RightClick(image);
    auto enterTwice = [&](QDialog& dlg, QRadioButton* mm, UnitField* field) {
      dlg.show();
      mm->click();
      field->setFocus();
      Type(field, QStringLiteral("."));
      EXPECT_FALSE(PressEnter(dlg, field));
      EXPECT_TRUE(dlg.isVisible());
      EXPECT_EQ(Ui.Ui.Messages().size(), 1u);
      Type(field, c.Number);
      return PressEnter(dlg, field);
    };
    bool closed = false;
    Form->RunGridSettingDialog = [&](TGridSettingDlg& dlg) {
      return closed = enterTwice(dlg, dlg.TanniMmRB, dlg.GridMemo);
    };
    Form->RunImageReductionDialog = [&](TImageReductionDlg& dlg) {
      return closed = enterTwice(dlg, dlg.TanniMmRB, c.HeightField ? dlg.ImageHeightMemo : dlg.ImageWidthMemo);
    };
    (c.Picture ? Form->ImageReduction : Form->BGGrid)->trigger();
    EXPECT_TRUE(closed);
    EXPECT_EQ(image->BoundsRect(), c.PictureBounds);
    EXPECT_EQ(Form->GridWidth(), c.GridWidth);
    Form->RunGridSettingDialog = [&](TGridSettingDlg& dlg) {
      dlg.TanniPixRB->click();
      Type(dlg.GridMemo, QStringLiteral("10"));
      return ClickOK(dlg, dlg.OKBtn);
    };
    Form->BGGrid->trigger();
  }
}

TEST(PictureFolder, StartsInTheDocumentsFolderOrAtHomeWhereThereIsNone) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
  const QString documents = home.filePath(QStringLiteral("Documents"));
  struct Case {
    bool DocumentsExist;
    QString Expected;
  } cases[] = {{false, home.path()}, {true, documents}};
  for (const Case& c : cases) {
    if (c.DocumentsExist) {
      ASSERT_TRUE(QDir().mkpath(documents));
    }
    HeadlessForm2 form;
    EXPECT_EQ(form.PictureFolder, c.Expected + QStringLiteral("/")) << c.DocumentsExist;
  }
  qputenv("HOME", oldHome);
  if (oldConfig.isEmpty())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", oldConfig);
}
