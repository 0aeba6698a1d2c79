// The real main window end to end: real files, the real reader and writer,
// the modal wizard and page setup dialog answered as a user would, and the
// message boxes and file dialogs scripted.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "DocumentTestSupport.h"
#include "ErrorText.h"
#include "NumericField.h"
#include "PageSetDlg.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "Unit3.h"
#include "WizardDlg.h"

namespace {

using namespace doctest;

// Runs fn on the modal dialog of type T once it is up. A dialog that never
// comes fails the test; one left open is closed, so that nothing hangs.
template <class T>
void WhenShown(std::function<void(T&)> fn) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, fn, waited] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
      if (++*waited < 400) return;
      ADD_FAILURE() << "the expected dialog never came";
      if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
    } else {
      fn(*dialog);
    }
    timer->stop();
    timer->deleteLater();
  });
  timer->start(5);
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray CardWithShapes(int count) {
  Document doc;
  for (int i = 0; i < count; ++i) doc.AddShape(qustRectangle, 10 + 20 * i, 10, 15, 15);
  return doc.Bytes();
}

class MainWindowFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Program.isValid());
    ASSERT_TRUE(QDir(Program.path()).mkpath(QStringLiteral("Template")));
    Put(Program.filePath(QStringLiteral("msetpage.txt")),
        "\"A4 10\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n");
  }
  std::unique_ptr<TForm3> MakeForm(QStringList arguments = {}) {
    auto form = std::make_unique<TForm3>(nullptr, Program.path());
    form->CommandLineArguments = arguments;
    return form;
  }
  QString Path(const QString& name) const { return Program.filePath(name); }
  // What the error display says for a file that cannot be read.
  static QString CannotRead(const QString& path, int errnum) {
    return ReasonText({1214, {QDir::toNativeSeparators(path)}}) + QLatin1Char('\n') + FileErrorText(errnum);
  }
  void Open(TForm3& form, const QString& path) {
    Ui.ReplyFile(path);
    form.FileOpenClick();
  }

  QTemporaryDir Program;
  ScopedScriptedUI Scripted;
  ScriptedUserInterface& Ui = Scripted.Ui;
};

}  // namespace

TEST_F(MainWindowFlowTest, OpeningValidInvalidAndUnreadableFiles) {
  Put(Path("good.tsl"), CardWithShapes(2));
  Put(Path("bad.tsl"), CardWithShapes(1) + Hex("06 00 00 00"));
  ASSERT_TRUE(QDir(Program.path()).mkdir(QStringLiteral("folder.tsl")));
  auto form = MakeForm();

  Open(*form, Path("good.tsl"));
  ASSERT_TRUE(form->DocumentOpen);
  ASSERT_EQ(form->ObjectList.size(), 2u);
  const TControl* first = form->ObjectList[0];
  const QString caption = form->windowTitle();
  EXPECT_EQ(caption, LoadStr(1011) + QStringLiteral("  ") + Path("good.tsl"));

  // A file that is there but cannot be read changes nothing.
  struct Unreadable {
    QString Path;
    int Errno;
  };
  std::vector<Unreadable> unreadable = {{Path("folder.tsl"), EISDIR}, {Path("gone.tsl"), ENOENT}};
  if (::geteuid() != 0) {  // permissions do not bind the superuser
    Put(Path("locked.tsl"), CardWithShapes(1));
    ::chmod(QFile::encodeName(Path("locked.tsl")).constData(), 0);
    unreadable.push_back({Path("locked.tsl"), EACCES});
  }
  for (const Unreadable& u : unreadable) {
    SCOPED_TRACE(u.Path.toStdString());
    Ui.Clear();
    form->Modified = true;
    Ui.ReplyButton(mrNo);  // 1001: go on without saving
    Open(*form, u.Path);
    ASSERT_EQ(Ui.Calls().size(), 3u);
    EXPECT_EQ(Ui.Calls()[2].What, ScriptedUserInterface::Call::Error);
    EXPECT_EQ(Ui.Calls()[2].Text, CannotRead(u.Path, u.Errno));
    EXPECT_TRUE(form->DocumentOpen);
    EXPECT_TRUE(form->Modified);
    ASSERT_EQ(form->ObjectList.size(), 2u);
    EXPECT_EQ(form->ObjectList[0], first);
    EXPECT_EQ(form->windowTitle(), caption);
  }

  // An invalid document: message 1002, and the worksheet goes.
  Ui.Clear();
  form->Modified = false;
  Open(*form, Path("bad.tsl"));
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1002)});
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_EQ(form->DrawPanel, nullptr);
  EXPECT_EQ(form->windowTitle(), caption);
}

TEST_F(MainWindowFlowTest, AnOldDocumentKeepsItsLegacyPageSetupThroughOpenAndTheCommandLine) {
  const QString old = Path("old.tsl");
  Put(old, TestFile("old-form.tsl"));
  auto form = MakeForm();
  Open(*form, old);
  ASSERT_TRUE(form->DocumentOpen);
  EXPECT_TRUE(form->DocumentSetup.LegacyPageSetup);
  EXPECT_EQ(form->DocumentSetup.SetupKind, skFree);

  auto started = MakeForm({old});
  started->FormActivate();
  ASSERT_TRUE(started->DocumentOpen);
  EXPECT_TRUE(started->DocumentSetup.LegacyPageSetup);

  // Saved again, it is a document of today.
  Ui.ReplyFile(Path("renewed.tsl"));
  Ui.ReplyButton(mrYes);  // 1004: the new name
  started->FileSaveAsClick();
  EXPECT_FALSE(started->DocumentSetup.LegacyPageSetup);
  Open(*form, Path("renewed.tsl"));
  EXPECT_FALSE(form->DocumentSetup.LegacyPageSetup);
  EXPECT_EQ(form->DocumentSetup.Retu, started->DocumentSetup.Retu);
}

TEST_F(MainWindowFlowTest, AnInvalidDocumentOnTheCommandLineIsReportedThenTheWizardComes) {
  Put(Path("bad.tsl"), CardWithShapes(1) + Hex("06 00 00 00"));
  auto form = MakeForm({Path("bad.tsl")});
  bool wizard = false;
  WhenShown<TWizardDlg>([&](TWizardDlg& dlg) {
    wizard = true;
    EXPECT_EQ(dlg.StartMode(), 1);
    dlg.CancelBtn->click();
  });
  form->FormActivate();
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(1002)});
  EXPECT_TRUE(wizard);
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_EQ(form->DrawPanel, nullptr);
}

TEST_F(MainWindowFlowTest, TheWizardsTemplateRoadAndATemplateThatCannotBeRead) {
  const QString card = Path("Template/card.tpl");
  Put(card, CardWithShapes(3));
  auto form = MakeForm();
  auto chooseTemplate = [](std::function<void()> beforeOk) {
    WhenShown<TWizardDlg>([beforeOk](TWizardDlg& dlg) {
      EXPECT_EQ(dlg.StartMode(), 2);
      dlg.TemplateRBtn->click();
      dlg.OKBtn->click();
      ASSERT_EQ(dlg.TemplateListBox->count(), 1);
      dlg.TemplateListBox->item(0)->setSelected(true);
      beforeOk();
      dlg.OKBtn->click();
    });
  };

  chooseTemplate([] {});
  form->FileNewClick();
  ASSERT_TRUE(form->DocumentOpen);
  EXPECT_EQ(form->ObjectList.size(), 3u);
  EXPECT_EQ(form->DocumentFileName, form->DefaultFileName);
  EXPECT_FALSE(form->Modified);
  const TControl* first = form->ObjectList[0];

  // The template turns into a folder while the wizard is open.
  chooseTemplate([card] {
    QFile::remove(card);
    QDir().mkdir(card);
  });
  form->FileNewClick();
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{CannotRead(card, EISDIR)});
  ASSERT_TRUE(form->DocumentOpen);
  ASSERT_EQ(form->ObjectList.size(), 3u);
  EXPECT_EQ(form->ObjectList[0], first);
}

TEST_F(MainWindowFlowTest, NewThroughThePageSetupDialogThenSaveAndReopen) {
  auto form = MakeForm();
  WhenShown<TWizardDlg>([](TWizardDlg& dlg) {
    dlg.NotTemplateRBtn->click();
    WhenShown<TPageSetDlg>([](TPageSetDlg& d) {
      d.FormActivate();
      EXPECT_EQ(d.windowTitle(), LoadStr(1021));
      d.YousiCB->setCurrentIndex(0);
      d.YousiCBClick();  // the free setting, typed as a user would
      for (auto [field, text] : {std::pair{d.WidthMemo, "80"}, std::pair{d.HeightMemo, "50"},
                                 std::pair{d.RetuMemo, "2"}, std::pair{d.LMarginMemo, "20"}}) {
        field->selectAll();
        field->insert(QString::fromLatin1(text));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &out);
      }
      d.OKBtn->click();
    });
    dlg.OKBtn->click();
  });
  form->FileNewClick();
  ASSERT_TRUE(form->DocumentOpen);
  EXPECT_TRUE(form->Modified);
  EXPECT_EQ(form->DocumentSetup.SheetWidthPx, 400);
  EXPECT_EQ(form->DocumentSetup.SheetHeightPx, 250);
  EXPECT_FLOAT_EQ(form->DocumentSetup.LeftMargin, 20.0f);
  EXPECT_EQ(form->DrawPanel->Width(), 400);

  auto* shape = new TQuShape(form->DrawPanel);
  shape->SetParent(form->DrawPanel);
  shape->SetLeft(30);
  shape->SetWidth(40);
  shape->SetHeight(20);
  form->AttachObject(shape);
  form->MarkModified();

  Ui.ReplyFile(Path("mine"));
  form->FileSaveClick();
  EXPECT_FALSE(form->Modified);
  EXPECT_EQ(form->DocumentFileName, Path("mine.tsl"));

  auto reopened = MakeForm({Path("mine.tsl")});
  reopened->FormActivate();
  ASSERT_TRUE(reopened->DocumentOpen);
  EXPECT_FALSE(reopened->Modified);
  EXPECT_EQ(reopened->DocumentSetup.SheetWidthPx, 400);
  EXPECT_FLOAT_EQ(reopened->DocumentSetup.LeftMargin, 20.0f);
  ASSERT_EQ(reopened->ObjectList.size(), 1u);
  EXPECT_EQ(static_cast<TQuShape*>(reopened->ObjectList[0])->Width(), 40);
  EXPECT_TRUE(Ui.AllRepliesUsed());
}
