// The headless commands and the document round trip run on the core alone:
// this program links no widgets and no print system (core_links_no_widgets
// checks its libraries), so any of them reaching for a widget would not link.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "DocumentFormat.h"
#include "DocumentIO.h"
#include "DocumentPageSetup.h"
#include "UserInterface.h"
#include "Worksheet.h"
#include "app/CommandRun.h"

namespace {

QString Example(const char* name) { return QStringLiteral(TESSOLO_EXAMPLES "/") + QLatin1String(name); }

QByteArray Head(const QString& path, int n) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

TEST(HeadlessCommands, EachCommandWritesItsOutputWithoutWidgets) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString list = dir.filePath(QStringLiteral("staff.csv"));
  {
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("氏名\n佐藤 花子\n鈴木 一郎\n");
  }
  const QString out = dir.filePath(QStringLiteral("out"));
  struct Case {
    QStringList Args;
    QByteArray Magic;  // the output file's first bytes; empty: standard output is JSON
  } cases[] = {
      {{"--info", Example("business-card.tsl")}, {}},
      {{"--export-png", out, Example("photo-background.tsl"), "--scale", "2"}, "\x89PNG"},
      {{"--print-pdf", out, Example("photo-background.tsl")}, "%PDF"},
      {{"--print-pdf", out, Example("business-card.tsl"), "--merge", list, "--merge-layout", "cell"}, "%PDF"},
      {{"--calibration-sheet", out, Example("shape-sampler.tsl"), "--paper", "B5"}, "%PDF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Args.join(QLatin1Char(' ')).toStdString());
    QFile::remove(out);
    const CommandRun r = RunProgram(c.Args);
    ASSERT_TRUE(r.Claimed);
    EXPECT_EQ(r.Code, 0) << r.Err.toStdString();
    if (c.Magic.isEmpty())
      EXPECT_TRUE(r.Out.startsWith("{")) << r.Out.left(80).toStdString();
    else
      EXPECT_EQ(Head(out, int(c.Magic.size())), c.Magic);
  }
  // What the commands ran on is a QGuiApplication, never one with widgets.
  EXPECT_FALSE(QCoreApplication::instance()->inherits("QApplication"));
}

TEST(HeadlessCommands, ADocumentReadsAndWritesBackTheSameBytes) {
  QFile f(Example("photo-background.tsl"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  TWorksheet sheet;
  DocumentPageSetup setup;
  QByteArray version;
  ASSERT_TRUE(DocumentFormat::ReadDocument(bytes, sheet, setup, version).Ok());
  EXPECT_EQ(BuildDocumentBytes(sheet, setup, version), bytes);
}

// Without a window nobody can answer: every question is declined, so a
// headless caller never goes on as if the user had agreed.
TEST(HeadlessUserInterface, DeclinesEveryQuestion) {
  HeadlessUserInterface ui;
  const struct {
    TMsgDlgButtons Buttons;
    TModalResult Answer;
  } cases[] = {{mbOK, mrOk}, {mbOKCancel, mrCancel}, {mbYesNo, mrNo}, {mbYesNoCancel, mrCancel}};
  for (const auto& c : cases) EXPECT_EQ(ui.MessageBox(QStringLiteral("?"), QString(), c.Buttons), c.Answer);
  EXPECT_FALSE(ui.OpenFileName({}));
  EXPECT_FALSE(ui.SaveFileName({}));
  EXPECT_FALSE(ui.OpenPictureName({}));
  EXPECT_FALSE(ui.ChooseColor({}));
  EXPECT_EQ(&UI(), &UI());  // one default, never null
}

}  // namespace
