// The main window with the delivered pictures beside it: a background and a
// scaled catch phrase chosen through the font bar, the tools and the popup,
// saved, and found again when the document is reopened.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "Graphic.h"
#include "Image.h"
#include "ImageReductionDlg.h"
#include "PanelView.h"
#include "Picture.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "UnitField.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

QString Delivered(const QString& path) { return QStringLiteral(TESSOLO_TEST_DATA "/../../data/") + path; }

class PictureForm : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}

 protected:
  void ExecPopupMenu(const QPoint&) override {}
};

void Mouse(PanelView* view, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), view->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(view, &e);
}
void Click(PanelView* view, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  Mouse(view, QEvent::MouseButtonPress, p, b, b);
  Mouse(view, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}

}  // namespace

TEST(PictureDocumentFlow, BackgroundAndScaledCatchPhraseSurviveSavingAndReopening) {
  QTemporaryDir program;
  ASSERT_TRUE(program.isValid());
  // The program's folder with its picture folders, as delivered.
  for (const char* file : {"CPhrase/kinga.jpg", "bkimages/washi.bmp"}) {
    QDir(program.path()).mkpath(QFileInfo(QString::fromLatin1(file)).path());
    ASSERT_TRUE(QFile::copy(Delivered(QString::fromLatin1(file)), program.filePath(QString::fromLatin1(file))));
  }
  ScopedScriptedUI scripted;
  ScriptedUserInterface& ui = scripted.Ui;
  auto form = std::make_unique<PictureForm>(nullptr, program.path());
  form->ResetWorksheet();
  form->BGImage->SetVisible(false);
  form->DocumentFileName = form->DefaultFileName;
  form->DocumentOpen = true;
  form->UpdateCommands();
  form->Modified = false;
  ASSERT_TRUE(form->BGImageButton->isEnabled());

  // The background from its folder, through the font bar.
  ui.ReplyFile(program.filePath(QStringLiteral("bkimages/washi.bmp")));
  form->BGImageButton->click();
  EXPECT_EQ(ui.Calls().back().File.FileName, program.filePath(QStringLiteral("bkimages/*.bmp")));
  ASSERT_TRUE(form->BGImage->Visible());

  // A catch phrase placed with its tool, then scaled to 40 mm wide.
  form->SnapToGrid = false;
  form->CFButtonClick();
  ui.ReplyFile(program.filePath(QStringLiteral("CPhrase/kinga.jpg")));
  Click(form->DrawView, {30, 40});
  ASSERT_EQ(form->ObjectList.size(), 1u);
  auto* phrase = dynamic_cast<TImage*>(form->ObjectList[0]);
  ASSERT_NE(phrase, nullptr);
  const QSize natural(phrase->Width(), phrase->Height());
  Click(form->DrawView, {35, 45}, Qt::RightButton);
  form->RunImageReductionDialog = [](TImageReductionDlg& dlg) {
    dlg.TanniMmRB->click();
    dlg.ImageWidthMemo->setText(QStringLiteral("40"));
    dlg.OKBtn->click();
    return dlg.result() == QDialog::Accepted;
  };
  form->ImageReduction->trigger();
  EXPECT_EQ(phrase->Width(), 200);
  // Its proportions kept to the nearest pixel.
  EXPECT_NEAR(phrase->Height(), 200.0 * natural.height() / natural.width(), 0.5);
  const QRect scaled = phrase->BoundsRect();
  const QByteArray background = form->BGImage->Picture()->Graphic()->Bytes();

  const QString saved = program.filePath(QStringLiteral("card.tsl"));
  ui.ReplyFile(saved);
  form->FileSaveClick();
  ASSERT_FALSE(form->Modified);

  auto reopened = std::make_unique<PictureForm>(nullptr, program.path());
  ui.ReplyFile(saved);
  reopened->FileOpenClick();
  ASSERT_TRUE(reopened->DocumentOpen);
  EXPECT_TRUE(reopened->BGImage->Visible());
  ASSERT_NE(reopened->BGImage->Picture()->Graphic(), nullptr);
  EXPECT_EQ(reopened->BGImage->Picture()->Graphic()->Bytes(), background);
  EXPECT_EQ(reopened->DrawPanel->Controls().front(), reopened->BGImage);
  ASSERT_EQ(reopened->ObjectList.size(), 1u);
  EXPECT_EQ(reopened->ObjectList[0]->BoundsRect(), scaled);
  EXPECT_EQ(reopened->ObjectList[0]->Tag(), 1);
  EXPECT_TRUE(ui.Messages().empty());
}
