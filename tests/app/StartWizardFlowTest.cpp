// What follows the wizard: the chosen command runs, a template becomes an
// unsaved card named "newfile.tsl", a bad template leaves no document.
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "ScriptedUserInterface.h"
#include "StartWizardFlow.h"
#include "StringTable.h"

namespace {

using namespace doctest;

const QString kDefaultFileName = QStringLiteral("newfile.tsl");

// The main window's share, as plain state.
struct Window {
  Document Doc;
  QString DocumentFileName = QStringLiteral("/earlier/card.tsl");
  bool DocumentOpen = true;
  bool Modified = true;
  int Opened = 0, NewCards = 0, Discarded = 0, ShownMode = 0;
  TWizardResult Answer;

  TStartWizardHooks Hooks() {
    TStartWizardHooks h;
    h.ShowWizard = [this](int mode) {
      ShownMode = mode;
      return Answer;
    };
    h.OpenDocument = [this] { ++Opened; };
    h.NewDocument = [this] { ++NewCards; };
    h.LoadDocument = [this](const QString& path) {
      const TOutcome r = LoadDocumentFile(path, Doc.Sheet, Doc.Setup, Doc.Version8, Doc.Hooks());
      if (r.Ok()) Modified = false;
      return r;
    };
    h.DiscardDocument = [this] {
      ++Discarded;
      Doc.Sheet.DiscardWorksheet();
      Modified = false;
      DocumentOpen = false;
    };
    h.TemplateOpened = [this](const QString& name) {
      DocumentFileName = name;
      DocumentOpen = true;
    };
    return h;
  }
};

TEST(StartWizardFlow, ATemplateBecomesANewUnsavedCardNamedNewfile) {
  QTemporaryDir dir;
  Document source;
  source.Setup.SheetWidth = 55.0f;
  source.Setup.SheetHeight = 91.0f;
  source.Setup.SheetWidthPx = 275;
  source.Setup.SheetHeightPx = 455;
  source.Sheet.BuildWorksheet(275, 455);
  source.AddLabel(QStringLiteral("テンプレート"), 10, 10);
  const QString path = dir.filePath(QStringLiteral("縦型.tpl"));
  const QByteArray bytes = source.Bytes();
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  ScopedScriptedUI ui;
  Window w;
  w.Answer = {wcFromTemplate, path};
  EXPECT_EQ(RunStartWizardFlow(1, kDefaultFileName, w.Hooks()), wcFromTemplate);
  EXPECT_EQ(w.ShownMode, 1);
  // Named after no file, so that Save asks for a name and the template is
  // never written over.
  EXPECT_EQ(w.DocumentFileName, kDefaultFileName);
  EXPECT_TRUE(w.DocumentOpen);
  EXPECT_FALSE(w.Modified);
  EXPECT_EQ(w.Doc.Setup.SheetWidthPx, 275);
  EXPECT_EQ(w.Doc.Sheet.ObjectList.size(), 1u);
  EXPECT_EQ(w.Opened + w.NewCards + w.Discarded, 0);
  EXPECT_TRUE(ui.Ui.Calls().empty());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), bytes);
}

TEST(StartWizardFlow, AnInvalidTemplateLeavesNoDocumentAndTheOldName) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bad.tpl"));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("short");
  }
  ScopedScriptedUI ui;
  Window w;
  w.Answer = {wcFromTemplate, path};
  RunStartWizardFlow(2, kDefaultFileName, w.Hooks());
  ASSERT_EQ(ui.Ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Ui.Messages()[0], LoadStr(1002));
  EXPECT_EQ(w.Discarded, 1);
  EXPECT_FALSE(w.DocumentOpen);
  EXPECT_FALSE(w.Modified);
  EXPECT_EQ(w.DocumentFileName, QStringLiteral("/earlier/card.tsl"));
}

TEST(StartWizardFlow, EachOtherChoiceRunsItsCommandAndCancelRunsNone) {
  Window w;
  w.Answer = {wcOpenFile, {}};
  RunStartWizardFlow(1, kDefaultFileName, w.Hooks());
  EXPECT_EQ(w.Opened, 1);
  w.Answer = {wcNewDocument, {}};
  RunStartWizardFlow(2, kDefaultFileName, w.Hooks());
  EXPECT_EQ(w.NewCards, 1);
  EXPECT_EQ(w.ShownMode, 2);
  w.Answer = {};
  EXPECT_EQ(RunStartWizardFlow(1, kDefaultFileName, w.Hooks()), wcNone);
  EXPECT_EQ(w.Opened + w.NewCards + w.Discarded, 2);
  EXPECT_EQ(w.DocumentFileName, QStringLiteral("/earlier/card.tsl"));
  EXPECT_TRUE(w.Modified);
}

}  // namespace
