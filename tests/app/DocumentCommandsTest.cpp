// The document commands driven headless through scripted answers to their
// message boxes and file dialogs: every prompt, the caption, Modified and
// DocumentOpen, and that nothing is lost when a save fails.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "Image.h"
#include "Qushape.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit3.h"
#include "WinControl.h"

namespace {

// Records the wizard instead of showing it; mode 2 goes straight on to the
// page-setup-free empty card so that flows can continue.
class CommandsForm : public TForm3 {
 public:
  using TForm3::TForm3;
  QList<int> WizardRuns;
  void RunStartWizard(int startMode) override { WizardRuns << startMode; }

  // An open, empty document without a file, as New with the default card gives.
  void OpenNewDocument() {
    ResetWorksheet();
    DocumentFileName = DefaultFileName;
    SetDocumentCaption();
    DocumentOpen = true;
    UpdateCommands();
    Modified = false;
  }
  void AddRectangle() {
    auto* s = new TQuShape(DrawPanel);
    s->SetParent(DrawPanel);
    s->SetLeft(40);
    s->SetTop(30);
    s->SetWidth(20);
    s->SetHeight(10);
    AttachObject(s);
    MarkModified();
  }
};

class DocumentCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Folder.isValid()); }
  std::unique_ptr<CommandsForm> MakeForm() {
    auto form = std::make_unique<CommandsForm>(nullptr, Folder.path());
    form->OpenNewDocument();
    return form;
  }
  QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }
  QString Caption(const QString& file) const { return LoadStr(1011) + QStringLiteral("  ") + file; }

  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
  ScriptedUserInterface& Ui = Scripted.Ui;
};

TEST_F(DocumentCommandsTest, NewOnModifiedUnsavedDocumentAsksAgainWhenSaveDialogIsCancelled) {
  auto form = MakeForm();
  form->AddRectangle();
  Ui.ReplyButton(mrYes);             // 1001: save?
  Ui.ReplyFile(std::nullopt);        // save dialog cancelled
  Ui.ReplyButton(mrNo);              // 1001 again: do not save
  form->FileNewClick();
  const std::vector<QString> messages = Ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], LoadStr(1001));
  EXPECT_EQ(messages[1], LoadStr(1001));
  EXPECT_EQ(form->WizardRuns, QList<int>{2});
  EXPECT_TRUE(Ui.AllRepliesUsed());
}

TEST_F(DocumentCommandsTest, NewCancelledAtThePromptDoesNothing) {
  auto form = MakeForm();
  form->AddRectangle();
  Ui.ReplyButton(mrCancel);
  form->FileNewClick();
  EXPECT_TRUE(form->WizardRuns.isEmpty());
  EXPECT_TRUE(form->Modified);
}

TEST_F(DocumentCommandsTest, SaveOfNewDocumentOffersNewfileAndAppendsTheExtension) {
  auto form = MakeForm();
  form->AddRectangle();
  Ui.ReplyFile(Path("card"));
  form->FileSaveClick();
  ASSERT_EQ(Ui.Calls().size(), 1u);
  EXPECT_EQ(Ui.Calls()[0].What, ScriptedUserInterface::Call::SaveFile);
  EXPECT_EQ(Ui.Calls()[0].File.FileName, QStringLiteral("newfile.tsl"));
  EXPECT_EQ(Ui.Calls()[0].File.Filter, LoadStr(1030));
  EXPECT_EQ(Ui.Calls()[0].File.Title, LoadStr(1020));
  EXPECT_TRUE(QFileInfo::exists(Path("card.tsl")));
  EXPECT_EQ(form->DocumentFileName, Path("card.tsl"));
  EXPECT_EQ(form->windowTitle(), Caption(Path("card.tsl")));
  EXPECT_FALSE(form->Modified);

  // A later Save writes to the file without asking.
  form->AddRectangle();
  form->FileSaveClick();
  EXPECT_EQ(Ui.Calls().size(), 1u);
  EXPECT_FALSE(form->Modified);
}

TEST_F(DocumentCommandsTest, CapitalExtensionGetsTheExtensionOnceMore) {
  EXPECT_EQ(TForm3::EnsureExtension("a.TSL"), QStringLiteral("a.TSL.tsl"));
  EXPECT_EQ(TForm3::EnsureExtension("a.tsl"), QStringLiteral("a.tsl"));
  EXPECT_EQ(TForm3::EnsureExtension("a"), QStringLiteral("a.tsl"));
  auto form = MakeForm();
  Ui.ReplyFile(Path("X.TSL"));
  form->FileSaveAsClick();
  EXPECT_TRUE(QFileInfo::exists(Path("X.TSL.tsl")));
}

TEST_F(DocumentCommandsTest, SaveAsOntoAnExistingFileAsksAndCancelReopensTheDialog) {
  auto form = MakeForm();
  {
    QFile f(Path("old.tsl"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep");
  }
  Ui.ReplyFile(Path("old.tsl"));
  Ui.ReplyButton(mrCancel);  // 1003: do not overwrite
  Ui.ReplyFile(Path("old.tsl"));
  Ui.ReplyButton(mrOk);      // 1003: overwrite
  EXPECT_EQ(form->SaveDocumentAs(), 0);
  ASSERT_EQ(Ui.Messages().size(), 2u);
  EXPECT_EQ(Ui.Messages()[0], LoadStr(1003));
  QFile f(Path("old.tsl"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_GT(f.size(), 20);  // overwritten with the document
  EXPECT_EQ(form->DocumentFileName, Path("old.tsl"));
}

TEST_F(DocumentCommandsTest, SaveAsToAnotherNameAnsweredNoKeepsTheDocumentName) {
  auto form = MakeForm();
  Ui.ReplyFile(Path("first.tsl"));
  form->FileSaveAsClick();
  ASSERT_EQ(form->DocumentFileName, Path("first.tsl"));
  form->AddRectangle();
  Ui.Clear();
  Ui.ReplyFile(Path("copy.tsl"));
  Ui.ReplyButton(mrNo);  // 1004: keep the old name
  form->FileSaveAsClick();
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1004)});
  EXPECT_TRUE(QFileInfo::exists(Path("copy.tsl")));
  EXPECT_EQ(form->DocumentFileName, Path("first.tsl"));
  EXPECT_EQ(form->windowTitle(), Caption(Path("first.tsl")));
  // The rectangle is only in the copy: the document still asks to be saved.
  EXPECT_TRUE(form->Modified);
  Ui.Clear();
  Ui.ReplyButton(mrCancel);
  EXPECT_FALSE(form->FormCloseQuery());
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1001)});

  Ui.Clear();
  Ui.ReplyFile(Path("second.tsl"));
  Ui.ReplyButton(mrYes);
  form->FileSaveAsClick();
  EXPECT_EQ(form->DocumentFileName, Path("second.tsl"));
}

TEST_F(DocumentCommandsTest, ClearingTheWorksheetMarksModifiedAndKeepsTheName) {
  auto form = MakeForm();
  form->AddRectangle();
  Ui.ReplyButton(mrCancel);
  form->WorkSheetClearClick();
  EXPECT_EQ(form->ObjectList.size(), 1u);
  Ui.ReplyButton(mrOk);
  form->Modified = false;
  form->WorkSheetClearClick();
  EXPECT_EQ(Ui.Messages().back(), LoadStr(1005));
  EXPECT_TRUE(form->ObjectList.empty());
  EXPECT_TRUE(form->Modified);
  EXPECT_FALSE(form->BGImage->Visible());
  EXPECT_EQ(form->DocumentFileName, form->DefaultFileName);
}

TEST_F(DocumentCommandsTest, CloseQueryCancelKeepsRunningAndWritesNoSettings) {
  auto form = MakeForm();
  form->AddRectangle();
  Ui.ReplyButton(mrCancel);
  EXPECT_FALSE(form->FormCloseQuery());
  EXPECT_FALSE(QFileInfo::exists(form->SettingsPath));
  Ui.ReplyButton(mrNo);
  EXPECT_TRUE(form->FormCloseQuery());
  EXPECT_TRUE(QFileInfo::exists(form->SettingsPath));
}

TEST_F(DocumentCommandsTest, CloseQueryNeverRenamesAndNeverAsks1004) {
  auto form = MakeForm();
  form->AddRectangle();
  Ui.ReplyButton(mrYes);          // 1001
  Ui.ReplyFile(std::nullopt);     // cancelled: the window stays
  EXPECT_FALSE(form->FormCloseQuery());
  Ui.Clear();
  Ui.ReplyButton(mrYes);
  Ui.ReplyFile(Path("closing"));
  EXPECT_TRUE(form->FormCloseQuery());
  EXPECT_TRUE(QFileInfo::exists(Path("closing.tsl")));
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1001)});
}

TEST_F(DocumentCommandsTest, OpeningAFileOfAFewBytesLeavesNoDocumentAndThePreviousCaption) {
  auto form = MakeForm();
  Ui.ReplyFile(Path("good.tsl"));
  form->FileSaveAsClick();
  const QString caption = form->windowTitle();
  {
    QFile f(Path("tiny.tsl"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("12345");
  }
  Ui.Clear();
  Ui.ReplyFile(Path("tiny.tsl"));
  form->FileOpenClick();
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1002)});
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_FALSE(form->Modified);
  EXPECT_EQ(form->DrawPanel, nullptr);
  EXPECT_EQ(form->windowTitle(), caption);
  EXPECT_FALSE(form->FileSaveButton->isEnabled());
  EXPECT_TRUE(form->FileNew->isEnabled());

  // And a good file opens with its path in the caption.
  Ui.Clear();
  Ui.ReplyFile(Path("good.tsl"));
  form->FileOpenClick();
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_EQ(form->windowTitle(), Caption(Path("good.tsl")));
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheDocumentOpenModifiedAndUnnamed) {
  auto form = MakeForm();
  form->AddRectangle();
  {
    QFile blocker(Path("notafolder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  }
  Ui.ReplyFile(Path("notafolder/card.tsl"));
  EXPECT_EQ(form->SaveDocumentAs(), -1);
  EXPECT_FALSE(Ui.Messages().empty());  // the reason was shown
  EXPECT_TRUE(form->Modified);
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_EQ(form->DocumentFileName, form->DefaultFileName);
  EXPECT_EQ(form->ObjectList.size(), 1u);

  // Closing after a failed save does not throw the card away.
  Ui.Clear();
  Ui.ReplyButton(mrYes);
  Ui.ReplyFile(Path("notafolder/card.tsl"));
  EXPECT_FALSE(form->FormCloseQuery());
}

}  // namespace
