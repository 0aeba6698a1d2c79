// Placing pictures and catch phrases with their tools.
#include <QDir>
#include <QFile>
#include <QImage>

#include "EditorFixture.h"
#include "Image.h"
#include "Picture.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "WinControl.h"

class PictureTest : public EditorTest {
 protected:
  QString MakeBitmap(const QString& name, int w, int h) {
    QDir().mkpath(QFileInfo(Folder.filePath(name)).absolutePath());
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::blue);
    const QString path = Folder.filePath(name);
    EXPECT_TRUE(img.save(path, "BMP"));
    return path;
  }
  ScopedScriptedUI Ui;
};

TEST_F(PictureTest, CancellingTheDialogLeavesTheWorksheetAndReturnsToThePointer) {
  const QString folderBefore = Form->PictureFolder;
  Form->imageButtonClick();
  EXPECT_TRUE(Form->PictureToolActive);
  Ui.Ui.ReplyFile(std::nullopt);
  Click({33, 47});
  ASSERT_EQ(Ui.Ui.Calls().size(), 1u);
  const TFileDialogRequest& r = Ui.Ui.Calls()[0].File;
  EXPECT_EQ(r.FileName, folderBefore + QStringLiteral("*.bmp"));
  EXPECT_EQ(r.Filter, QStringLiteral("ビットマップ (*.bmp)|*.bmp|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg"));
  EXPECT_EQ(r.FilterIndex, 1);
  EXPECT_TRUE(Form->ObjectList.empty());
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 2);
  EXPECT_FALSE(Form->Modified);
  EXPECT_FALSE(Form->PictureToolActive);
  EXPECT_TRUE(Form->PointButton->Down());
  EXPECT_EQ(Form->CurrentTool, TForm2::ToolPointer);
  EXPECT_EQ(Form->PictureFolder, folderBefore);
}

TEST_F(PictureTest, ChosenPictureStandsAtThePressPointAtItsNaturalSize) {
  const QString path = MakeBitmap(QStringLiteral("pics/photo.bmp"), 64, 48);
  Form->imageButtonClick();
  Ui.Ui.ReplyFile(path);
  Press({33, 47});
  Release({200, 200});  // placed at the press point, snapped
  ASSERT_EQ(Form->ObjectList.size(), 1u);
  auto* image = dynamic_cast<TImage*>(Form->ObjectList[0]);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->BoundsRect(), QRect(30, 50, 64, 48));
  EXPECT_EQ(image->Tag(), 0);
  EXPECT_TRUE(image->Stretch());
  EXPECT_FALSE(image->AutoSize());
  EXPECT_EQ(image->Cursor(), crHandPoint);
  EXPECT_EQ(image->Picture()->Width(), 64);
  EXPECT_EQ(Form->CurImage, image);
  EXPECT_TRUE(Form->Modified);
  EXPECT_FALSE(Form->HasSelection);
  EXPECT_EQ(Form->PictureFolder, Folder.filePath(QStringLiteral("pics")) + QStringLiteral("/"));
  // The next dialog opens where the last picture came from.
  Form->imageButtonClick();
  Ui.Ui.ReplyFile(std::nullopt);
  Click({300, 200});
  EXPECT_EQ(Ui.Ui.Calls().back().File.FileName, Form->PictureFolder + QStringLiteral("*.bmp"));
}

TEST_F(PictureTest, CatchPhraseOpensInItsFolderWithJpegFirstAndKeepsThePictureFolder) {
  const QString path = MakeBitmap(QStringLiteral("CPhrase/hello.bmp"), 30, 20);
  const QString folderBefore = Form->PictureFolder;
  Form->CFButtonClick();
  Ui.Ui.ReplyFile(path);
  Click({100, 100});
  ASSERT_EQ(Ui.Ui.Calls().size(), 1u);
  const TFileDialogRequest& r = Ui.Ui.Calls()[0].File;
  EXPECT_EQ(r.FileName, Folder.path() + QStringLiteral("/CPhrase/*.jpg"));
  EXPECT_EQ(r.Filter, QStringLiteral("JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg|ビットマップ (*.bmp)|*.bmp"));
  ASSERT_EQ(Form->ObjectList.size(), 1u);
  EXPECT_EQ(Form->ObjectList[0]->Tag(), 1);
  EXPECT_EQ(Form->ObjectList[0]->BoundsRect(), QRect(100, 100, 30, 20));
  EXPECT_EQ(Form->PictureFolder, folderBefore);
  EXPECT_FALSE(Form->PhraseToolActive);
}

TEST_F(PictureTest, AFileThatIsNoPictureIsReportedAndLeavesNothing) {
  const QString path = Folder.filePath(QStringLiteral("notes.bmp"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("this is not a bitmap");
  f.close();
  const QString folderBefore = Form->PictureFolder;
  Form->imageButtonClick();
  Ui.Ui.ReplyFile(path);
  Click({100, 100});
  EXPECT_EQ(Ui.Ui.Messages().size(), 1u);
  EXPECT_TRUE(Form->ObjectList.empty());
  EXPECT_EQ(Form->DrawPanel->ControlCount(), 2);
  EXPECT_FALSE(Form->Modified);
  EXPECT_EQ(Form->PictureFolder, folderBefore);
  EXPECT_TRUE(Form->PointButton->Down());

  Ui.Ui.ReplyFile(Folder.filePath(QStringLiteral("missing.bmp")));
  Form->imageButtonClick();
  Click({100, 100});
  EXPECT_EQ(Ui.Ui.Messages().size(), 2u);
  EXPECT_TRUE(Form->ObjectList.empty());
}
