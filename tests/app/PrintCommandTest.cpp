// Printing as the user meets it: "--print-pdf" on the example documents, read
// back with poppler (pdfinfo, pdftoppm), and the main window's print command
// through the scripted print dialog, printed, cancelled and failing.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include <unistd.h>

#include "CommandLine.h"
#include "CommandRun.h"
#include "DocumentIO.h"
#include "DocumentTestSupport.h"
#include "ScriptedUserInterface.h"
#include "SpeedButton.h"
#include "StringTable.h"
#include "Unit3.h"

namespace {

const QString kExamples = QStringLiteral(TESSOLO_TEST_DATA "/../../examples/");

struct Outcome {
  int Code = -1;
  QString Err;
};

// Runs a headless command in this process with its standard error captured.
Outcome RunCommand(QStringList args) {
  const CommandRun r = RunProgram(std::move(args));
  EXPECT_TRUE(r.Claimed);
  return {r.Code, QString::fromUtf8(r.Err)};
}

QString Poppler(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// "W x H" of the first page in points, as pdfinfo gives it (whole points).
QSize PageSizePt(const QString& pdf) {
  const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
  return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())) : QSize();
}

// The page rendered at dpi, or the part of it in region (pixels at dpi).
QImage Render(const QString& pdf, int dpi, QRect region = {}) {
  QTemporaryDir dir;
  const QString base = dir.filePath(QStringLiteral("page"));
  QStringList args{QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"), QString::number(dpi)};
  if (!region.isNull())
    args << QStringLiteral("-x") << QString::number(region.x()) << QStringLiteral("-y") << QString::number(region.y())
         << QStringLiteral("-W") << QString::number(region.width()) << QStringLiteral("-H")
         << QString::number(region.height());
  Poppler(QStringLiteral("pdftoppm"), args << pdf << base);
  return QImage(base + QStringLiteral(".png"));
}

bool Dark(const QImage& image, QPoint p) { return qGray(image.pixel(p)) < 128; }
bool White(const QImage& image, QPoint p) { return qGray(image.pixel(p)) > 250; }

// A point of the page in pixels at dpi, given in millimetres.
QPoint At(double xMm, double yMm, int dpi) { return QPoint(qRound(xMm * dpi / 25.4), qRound(yMm * dpi / 25.4)); }

TEST(PrintPdfCommand, ThePaperIsTheDocumentsOrTheOneAskedFor) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("sheet.pdf"));
  const struct {
    const char* Document;
    QStringList Options;
    QSize Points;
  } cases[] = {
      {"business-card.tsl", {}, {595, 842}},                                 // its A4 setup
      {"shape-sampler.tsl", {}, {612, 792}},                                 // its Letter setup
      {"photo-background.tsl", {}, {595, 842}},                              // no paper: A4
      {"business-card.tsl", {"--paper", "A5"}, {420, 595}},
      {"business-card.tsl", {"--paper=legal"}, {612, 1008}},
      {"business-card.tsl", {"--paper", "100x150", "--dpi", "300"}, {283, 425}},
      {"business-card.tsl", {"--paper", "297X210", "--dpi=72"}, {842, 595}},  // landscape
  };
  for (const auto& c : cases) {
    const Outcome r = RunCommand(QStringList{QStringLiteral("--print-pdf"), out, kExamples + c.Document} + c.Options);
    ASSERT_EQ(r.Code, 0) << c.Document << " " << r.Err.toStdString();
    EXPECT_EQ(PageSizePt(out), c.Points) << c.Document << " " << c.Options.join(' ').toStdString();
  }
}

TEST(PrintPdfCommand, TheRenderedSheetShowsEveryCardWhereThePageSetupPutsItWithCropMarks) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("photo.pdf"));
  const Outcome r = RunCommand({QStringLiteral("--print-pdf"), out, kExamples + QStringLiteral("photo-background.tsl")});
  ASSERT_EQ(r.Code, 0) << r.Err.toStdString();

  // 2 x 5 cards of 91 x 55 mm from 14 mm across and 11 mm down, a photograph
  // covering each.
  const QImage page = Render(out, 50);
  ASSERT_FALSE(page.isNull());
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 5; ++j) {
      const double left = 14 + 91 * i, top = 11 + 55 * j;
      for (QPoint p : {At(left + 2, top + 2, 50), At(left + 89, top + 53, 50), At(left + 45, top + 27, 50)})
        EXPECT_FALSE(White(page, p)) << i << "," << j;
    }
  for (QPoint p : {At(12, 40, 50), At(14 + 182 + 2, 40, 50), At(60, 11 + 275 + 1, 50), At(60, 9, 50)})
    EXPECT_TRUE(White(page, p)) << p.x() << "," << p.y();

  // At the device's own resolution: the tick above the first card's left
  // edge, one pixel wide, from 4 mm to 2 mm above the card.
  const QRect region(At(12, 4, 600), At(16, 12, 600));
  const QImage corner = Render(out, 600, region);
  ASSERT_EQ(corner.size(), region.size());
  QRect dark;
  for (int y = 0; y < corner.height(); ++y)
    for (int x = 0; x < corner.width(); ++x)
      if (Dark(corner, {x, y}) && y + region.top() < At(0, 11, 600).y() - 2) dark |= QRect(x, y, 1, 1);
  dark.translate(region.topLeft());
  EXPECT_EQ(dark.width(), 1);
  EXPECT_NEAR(dark.left(), At(14, 0, 600).x(), 2);
  EXPECT_NEAR(dark.height(), 47, 1);
  EXPECT_NEAR(dark.top(), At(0, 11 - 4, 600).y(), 2);
}

TEST(PrintPdfCommand, BadDocumentsUnwritableOutputAndWrongArgumentsFailWithoutAFile) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("out.pdf"));
  const QString card = kExamples + QStringLiteral("business-card.tsl");
  const QString data = QStringLiteral(TESSOLO_TEST_DATA "/documents/");
  const struct {
    QStringList Args;
    int Code;
    QStringList Lines;  // the first lines of standard error
  } cases[] = {
      {{out, data + "truncated-shape-stream.tsl"}, 1, {LoadStr(1002), LoadStr(1316)}},
      {{out, data + "short-19-bytes.tsl"}, 1, {LoadStr(1002), LoadStr(1313)}},
      {{out, dir.filePath("missing.tsl")}, 1, {LoadStr(1311)}},
      {{dir.filePath("no/such/folder.pdf"), card}, 1, {LoadStr(1300).section('\n', 0, 0)}},
      {{dir.path(), card}, 1, {LoadStr(1300).section('\n', 0, 0)}},  // a folder, found before printing
      {{out, card, "--dpi", "71"}, 2, {"tessolo: " + LoadStr(1551).arg("71")}},
      {{out, card, "--dpi=2401"}, 2, {"tessolo: " + LoadStr(1551).arg("2401")}},
      {{out, card, "--paper", "B9"}, 2, {"tessolo: " + LoadStr(1550).arg("B9")}},
      {{out, card, "--paper", "0x297"}, 2, {"tessolo: " + LoadStr(1550).arg("0x297")}},
      {{out, card, "--paper", "5081x297"}, 2, {"tessolo: " + LoadStr(1550).arg("5081x297")}},
      {{out, card, "--paper"}, 2, {"tessolo: " + LoadStr(1547).arg("--paper")}},
      {{out}, 2, {"tessolo: " + LoadStr(1549).arg("--print-pdf")}},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCommand(QStringList{QStringLiteral("--print-pdf")} + c.Args);
    EXPECT_EQ(r.Code, c.Code) << c.Args.join(' ').toStdString();
    const QStringList lines = r.Err.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(0, c.Lines.size()), c.Lines) << r.Err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList())
        << c.Args.join(' ').toStdString();
  }
}

TEST(PrintPdfCommand, AnOutputThatIsTheDocumentItselfOrNoFileIsRefusedAndTheDocumentStays) {
  QTemporaryDir dir;
  const QString doc = dir.filePath(QStringLiteral("card.tsl"));
  ASSERT_TRUE(QFile::copy(kExamples + QStringLiteral("business-card.tsl"), doc));
  ASSERT_TRUE(QFile::link(doc, dir.filePath(QStringLiteral("link.tsl"))));
  ASSERT_EQ(::link(QFile::encodeName(doc).constData(), QFile::encodeName(dir.filePath("hard.tsl")).constData()), 0);
  QFile locked(dir.filePath(QStringLiteral("locked.pdf")));
  ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
  locked.close();
  locked.setPermissions(QFileDevice::ReadOwner);
  const bool root = ::geteuid() == 0;  // may write any file
  const QByteArray before = [&] {
    QFile f(doc);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  const QString cannotWrite = LoadStr(1300).arg(LoadStr(1306));
  const struct {
    QString Out, Document;
    QString Error;
  } cases[] = {
      {doc, doc, LoadStr(1540).arg(doc)},
      {QStringLiteral("card.tsl"), doc, LoadStr(1540).arg(QStringLiteral("card.tsl"))},  // relative
      {QStringLiteral("./link.tsl"), doc, LoadStr(1540).arg(QStringLiteral("./link.tsl"))},
      {dir.filePath("hard.tsl"), QStringLiteral("link.tsl"), LoadStr(1540).arg(dir.filePath("hard.tsl"))},
      {QStringLiteral("."), doc, cannotWrite.arg(QStringLiteral("."), LoadStr(1263))},
      {QString(), doc, LoadStr(1300).arg(LoadStr(1541))},
      {locked.fileName(), doc, root ? QString() : cannotWrite.arg(locked.fileName(), LoadStr(1542))},
  };
  const QString home = QDir::currentPath();
  QDir::setCurrent(dir.path());
  for (const auto& c : cases) {
    if (c.Error.isEmpty()) continue;
    const Outcome r = RunCommand({QStringLiteral("--print-pdf"), c.Out, c.Document});
    EXPECT_EQ(r.Code, 1) << c.Out.toStdString();
    EXPECT_EQ(r.Err, c.Error + QLatin1Char('\n')) << c.Out.toStdString();
    QFile f(doc);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before) << c.Out.toStdString();
  }
  QDir::setCurrent(home);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"card.tsl", "hard.tsl", "link.tsl", "locked.pdf"}));
}

TEST(PrintPdfCommand, ADocumentsOwnPaperAndCellsAreCheckedAsTheCommandLinesAre) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("out.pdf"));
  const struct {
    float PaperWidth, PaperHeight;
    int Columns, Rows;
    QStringList Options;
    int Code;
    QString Error;
  } cases[] = {
      {9000, 297, 2, 5, {}, 1, LoadStr(1543).arg("9000", "297")},
      {0.5f, 0.5f, 2, 5, {}, 1, LoadStr(1543).arg("0.5", "0.5")},
      {9000, 297, 2, 5, {"--paper", "A4"}, 0, {}},  // the paper given replaces the document's
      {5080, 5080, 2, 5, {}, 0, {}},
      {210, 297, 0, 5, {}, 1, LoadStr(1300).arg(LoadStr(1544))},
      {210, 297, 2, 0, {}, 1, LoadStr(1300).arg(LoadStr(1544))},
  };
  for (const auto& c : cases) {
    doctest::Document d;
    d.Setup.PaperWidth = c.PaperWidth;
    d.Setup.PaperHeight = c.PaperHeight;
    d.Setup.Retu = c.Columns;
    d.Setup.Dann = c.Rows;
    const QString path = dir.filePath(QStringLiteral("card.tsl"));
    ASSERT_TRUE(SaveDocumentFile(path, d.Sheet, d.Setup, doctest::Version()).Ok());
    const Outcome r = RunCommand(QStringList{QStringLiteral("--print-pdf"), out, path} + c.Options);
    EXPECT_EQ(r.Code, c.Code) << c.PaperWidth << " " << c.Columns << "x" << c.Rows;
    if (c.Code != 0) {
      EXPECT_EQ(r.Err, c.Error + QLatin1Char('\n'));
      EXPECT_FALSE(QFile::exists(out));
    } else {
      const QSize pt = PageSizePt(out);
      EXPECT_TRUE(pt.width() <= 14400 && pt.height() <= 14400) << pt.width() << "x" << pt.height();
    }
    QFile::remove(out);
  }
}

// The main window with its real commands; the wizard is not shown.
class PrintForm : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}
};

class PrintCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Folder.isValid()); }
  std::unique_ptr<PrintForm> Open(const QString& document) {
    auto form = std::make_unique<PrintForm>(nullptr, Folder.path());
    Ui.ReplyFile(kExamples + document);
    form->FileOpenClick();
    EXPECT_TRUE(form->DocumentOpen);
    return form;
  }
  QByteArray Bytes(PrintForm& form) { return BuildDocumentBytes(form, form.DocumentSetup, "2.0g"); }
  QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }

  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
  ScriptedUserInterface& Ui = Scripted.Ui;
};

TEST_F(PrintCommandTest, PrintingToPdfFromTheMenuGivesTheSheetOnTheDocumentsPaper) {
  const struct {
    const char* Document;
    QSize Points;
  } cases[] = {{"business-card.tsl", {595, 842}}, {"shape-sampler.tsl", {612, 792}}};
  for (const auto& c : cases) {
    auto form = Open(QString::fromLatin1(c.Document));
    const QByteArray before = Bytes(*form);
    const QString pdf = Path(QStringLiteral("%1.pdf").arg(c.Document));
    Ui.ReplyPrint(pdf);
    form->FilePrint->trigger();
    EXPECT_TRUE(Ui.Messages().empty()) << Ui.Messages().front().toStdString();
    EXPECT_EQ(PageSizePt(pdf), c.Points) << c.Document;
    const QImage page = Render(pdf, 50);
    ASSERT_FALSE(page.isNull());
    // The same sheet as the headless command prints.
    const QString headless = Path(QStringLiteral("headless.pdf"));
    ASSERT_EQ(RunCommand({QStringLiteral("--print-pdf"), headless, kExamples + c.Document}).Code, 0);
    EXPECT_EQ(page, Render(headless, 50)) << c.Document;
    QFile::remove(headless);
    EXPECT_EQ(Bytes(*form), before);
    EXPECT_FALSE(form->Modified);
    EXPECT_TRUE(Ui.AllRepliesUsed());
    Ui.Clear();
  }
}

TEST_F(PrintCommandTest, CancellingPrintsNothingAndAFailedJobSaysWhyAndChangesNothing) {
  auto form = Open(QStringLiteral("business-card.tsl"));
  const QByteArray before = Bytes(*form);
  Ui.Clear();

  Ui.ReplyPrint(std::nullopt);
  form->PrintButton->click();
  EXPECT_TRUE(Ui.Messages().empty());

  const QString unwritable = Path(QStringLiteral("gone/card.pdf"));
  Ui.ReplyPrint(unwritable);
  form->FilePrintClick();
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_TRUE(Ui.Messages()[0].startsWith(LoadStr(1300).section('\n', 0, 0)));
  EXPECT_TRUE(Ui.Messages()[0].contains(unwritable));
  EXPECT_EQ(Ui.Calls().back().Title, LoadStr(1010));

  EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
  EXPECT_EQ(Bytes(*form), before);
  EXPECT_FALSE(form->Modified);
  EXPECT_TRUE(Ui.AllRepliesUsed());
}

TEST_F(PrintCommandTest, PrintingToPdfOverTheOpenDocumentsOwnFileIsRefused) {
  const QString doc = Path(QStringLiteral("card.tsl"));
  ASSERT_TRUE(QFile::copy(kExamples + QStringLiteral("business-card.tsl"), doc));
  auto form = std::make_unique<PrintForm>(nullptr, Folder.path());
  Ui.ReplyFile(doc);
  form->FileOpenClick();
  ASSERT_TRUE(form->DocumentOpen);
  Ui.Clear();
  QFile file(doc);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();

  Ui.ReplyPrint(QStringLiteral("%1/./card.tsl").arg(Folder.path()));
  form->FilePrintClick();
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_EQ(Ui.Messages()[0], LoadStr(1540).arg(QStringLiteral("%1/./card.tsl").arg(Folder.path())));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
}

}  // namespace
