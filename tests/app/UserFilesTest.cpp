// Where the main window keeps quorin.con and usetpage.txt: beside the program
// when it may write there, as always; otherwise in the user's configuration
// folder, the same bytes, and a list kept beside the program is still offered.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "PageSetDlg.h"
#include "ProgramFolders.h"
#include "ScriptedUserInterface.h"
#include "SetNameInDlg.h"
#include "SetupLists.h"
#include "Unit3.h"

namespace {

const QByteArray kMasterList = "The VarnettDx version 2.0g\r\n"
                               "\"A4 10\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n";
const QByteArray kListBeside = "The VarnettDx version 2.0g\r\n"
                               "\"beside\", 210.0, 297.0, 89.0, 51.0, 2,5,11.0,11.0,10.0,5.0\r\n";

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

void OnModalDialog(std::function<void(TPageSetDlg&)> fn) {
  QTimer::singleShot(0, [fn] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dlg = qobject_cast<TPageSetDlg*>(w); dlg && dlg->isVisible()) return fn(*dlg);
    ADD_FAILURE() << "no page setup dialog";
  });
}

// One run of the program: a new document whose page setup the user registers
// under a name of their own, then exit without saving the card.
struct Session {
  QTemporaryDir Root;
  QString Program, Config;
  ProgramFolders Folders;
  QStringList Offered;  // the setups the dialog listed

  explicit Session(bool programFolderWritable) {
    Program = Root.filePath("bin");
    Config = Root.filePath("config/tessolo");
    QDir().mkpath(Program);
    WriteAll(Program + "/msetpage.txt", kMasterList);
    WriteAll(Program + "/usetpage.txt", kListBeside);
    Folders = ProgramFolders::Decide(Program, Config, [=](const QString&) { return programFolderWritable; });

    ScopedScriptedUI ui;
    TForm3 form(nullptr, Folders);
    form.CommandLineArguments.clear();
    OnModalDialog([this](TPageSetDlg& d) {
      d.FormActivate();
      for (int i = 0; i < d.YousiCB->count(); ++i) Offered << d.YousiCB->itemText(i);
      d.YousiCB->setCurrentIndex(0);
      emit d.YousiCB->activated(0);
      d.RunNameDialog = [](TSetNameInDlg& name) {
        name.NameEdit->setText("mine");
        name.OKBtn->click();
        return name.result() == QDialog::Accepted;
      };
      d.NewBtn->click();
      d.OKBtn->click();
    });
    form.NewDocument();
    EXPECT_TRUE(form.DocumentOpen);
    ui.Ui.ReplyButton(mrNo);  // do not save the card
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_TRUE(ui.Ui.AllRepliesUsed());
  }
};

TEST(UserFiles, ReadOnlyProgramFolderMovesTheUserFilesButNotTheirBytes) {
  const struct {
    bool Writable;
    QStringList Beside, InConfig;
  } cases[] = {
      {true, {"msetpage.txt", "quorin.con", "usetpage.txt"}, {}},
      {false, {"msetpage.txt", "usetpage.txt"}, {"quorin.con", "usetpage.txt"}},
  };
  QByteArray settings[2], userList[2];
  for (int i = 0; i < 2; ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.Writable ? "writable program folder" : "read-only program folder");
    Session s(c.Writable);
    EXPECT_EQ(s.Offered.mid(1), (QStringList{"A4 10", "beside"}));
    EXPECT_EQ(FilesIn(s.Program), c.Beside);
    EXPECT_EQ(FilesIn(s.Config), c.InConfig);
    EXPECT_EQ(s.Folders.WritableFolder(), (c.Writable ? s.Program : s.Config) + "/");
    settings[i] = ReadAll(s.Folders.WritablePath("quorin.con"));
    userList[i] = ReadAll(s.Folders.WritablePath("usetpage.txt"));
    if (!c.Writable) {
      EXPECT_EQ(ReadAll(s.Program + "/usetpage.txt"), kListBeside);  // left as delivered
      // Once the user has a list of their own, the one beside the program is
      // no longer read: a setup deleted there stays deleted.
      SetupLists lists(s.Folders);
      lists.Load();
      EXPECT_EQ(lists.DeleteSetup(2), 1);
      lists.Load();
      EXPECT_EQ(lists.Table().UserCount, 1);
      EXPECT_EQ(lists.Table().Records[1].SetupName.Text(), "mine");
    }
  }
  EXPECT_EQ(settings[0].size(), TWindowSettings::FileSize);
  EXPECT_EQ(settings[1], settings[0]);
  EXPECT_TRUE(userList[0].startsWith(kListBeside));
  EXPECT_TRUE(userList[0].contains("\"mine\""));
  EXPECT_EQ(userList[1], userList[0]);
}

}  // namespace
