// Printer calibration as the user meets it: the calibration sheet written by
// the command line and read back with poppler, "--print-pdf --printer" with
// the corrections kept in tessolo.ini, and the road through the main window:
// the menu command, values typed into its dialog, tessolo.ini, the preview,
// printing and the sheet printed from the dialog.
#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include <unistd.h>

#include "CalibrationDlg.h"
#include "CalibrationStore.h"
#include "CalibrationText.h"
#include "CommandLine.h"
#include "CommandRun.h"
#include "DocumentTestSupport.h"
#include "ImagePrintDevice.h"
#include "PreviewForm.h"
#include "PrintMessages.h"
#include "ScriptedUserInterface.h"
#include "Unit3.h"

namespace {

using Field = TPrinterCalibration::Field;
const QString kPrinter = QStringLiteral("Office Laser 3/F");
constexpr int kCannotReadDocument = 1311;

struct Outcome {
  int Code = -1;
  QString Err;
};

// Runs a headless command in this process, tessolo.ini read from folder,
// with its standard error captured.
Outcome RunCommand(QStringList args, const QString& folder) {
  const CommandRun r = RunProgram(std::move(args), ProgramFolders(folder));
  EXPECT_TRUE(r.Claimed);
  return {r.Code, QString::fromUtf8(r.Err)};
}

// The first page of pdf rendered at dpi by poppler.
QImage Render(const QString& pdf, int dpi) {
  QTemporaryDir dir;
  const QString base = dir.filePath(QStringLiteral("page"));
  QProcess p;
  p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                                       QString::number(dpi), pdf, base});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    ADD_FAILURE() << "pdftoppm failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QImage(base + QStringLiteral(".png"));
}

// Whether anything dark lies within a pixel of the point xMm, yMm.
bool InkAt(const QImage& page, double xMm, double yMm, int dpi) {
  const int x = qRound(xMm * dpi / 25.4), y = qRound(yMm * dpi / 25.4);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint p(x + dx, y + dy);
      if (page.rect().contains(p) && qGray(page.pixel(p)) < 160) return true;
    }
  return false;
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A card on A4 with one black square 10 mm from its left and top edges.
QByteArray CardDocument(const std::function<void(DocumentPageSetup&)>& setup = {}) {
  doctest::Document doc;
  doc.Setup.PaperWidth = 210;
  doc.Setup.PaperHeight = 297;
  if (setup) setup(doc.Setup);
  TQuShape* square = doc.AddShape(qustRectangle, 50, 50, 100, 100);
  square->Brush()->SetColor(clBlack);
  return doc.Bytes();
}

void StoreCalibration(const QString& folder, const QString& printer, const QString& text) {
  QSettings settings(QDir(folder).filePath(QStringLiteral("tessolo.ini")), QSettings::IniFormat);
  settings.setValue(TCalibrationStore::Key(printer), text);
}

TEST(CalibrationSheetCommand, TheCrossesAndRulersLieWhereThePageSetupSays) {
  QTemporaryDir dir;
  const QString doc = dir.filePath(QStringLiteral("three.tsl"));
  Put(doc, CardDocument([](DocumentPageSetup& s) {
    s.Retu = 3;
    s.Dann = 4;
    s.SheetWidth = 50;
    s.SheetHeight = 40;
    s.SheetWidthPx = 250;
    s.SheetHeightPx = 200;
    s.LeftMargin = 20;
    s.TopMargin = 30;
    s.InsideMarginX = 5;
    s.InsideMarginY = 6;
  }));
  const QString out = dir.filePath(QStringLiteral("sheet.pdf"));
  const struct {
    QStringList Args;
    QPointF TopLeft, BottomRight, Centre;  // mm
  } cases[] = {
      {{}, {14, 11}, {196, 286}, {105, 148.5}},                     // the default 2 x 5 cards on A4
      {{"--paper", "220x320"}, {14, 11}, {196, 286}, {110, 160}},
      {{doc}, {20, 30}, {20 + 150 + 10, 30 + 160 + 18}, {105, 148.5}},
  };
  constexpr int dpi = 200;
  for (const auto& c : cases) {
    const Outcome r = RunCommand(QStringList{QStringLiteral("--calibration-sheet"), out} + c.Args, dir.path());
    ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
    const QImage page = Render(out, dpi);
    ASSERT_FALSE(page.isNull());
    for (const QPointF& m : {c.TopLeft, c.BottomRight, c.Centre}) {
      SCOPED_TRACE(c.Args.join(' ').toStdString() + " cross at " + std::to_string(m.x()) + "," +
                   std::to_string(m.y()));
      // Both arms reach 10 mm each way and no further; a 5 mm tick hangs
      // below the arm across, and nothing lies between the ticks.
      for (QPointF arm : {QPointF(9.6, 0), QPointF(-9.6, 0), QPointF(0, 9.6), QPointF(0, -9.6), QPointF(5, 1.5)})
        EXPECT_TRUE(InkAt(page, m.x() + arm.x(), m.y() + arm.y(), dpi)) << arm.x() << "," << arm.y();
      for (QPointF off : {QPointF(10.7, 0), QPointF(-10.7, 0), QPointF(0, 10.7), QPointF(0, -10.7), QPointF(4.5, 0.6)})
        EXPECT_FALSE(InkAt(page, m.x() + off.x(), m.y() + off.y(), dpi)) << off.x() << "," << off.y();
    }
    // The rulers: 0 at 50 mm left of and 20 mm below the centre, 100 mm
    // long across and down, their ends marked by the longest ticks.
    const QPointF o(c.Centre.x() - 50, c.Centre.y() + 20);
    EXPECT_TRUE(InkAt(page, o.x() + 99.6, o.y(), dpi));
    EXPECT_TRUE(InkAt(page, o.x() + 100, o.y() - 2.6, dpi));
    EXPECT_FALSE(InkAt(page, o.x() + 100.7, o.y(), dpi));
    EXPECT_TRUE(InkAt(page, o.x(), o.y() + 99.6, dpi));
    EXPECT_TRUE(InkAt(page, o.x() - 2.6, o.y() + 100, dpi));
    EXPECT_FALSE(InkAt(page, o.x(), o.y() + 100.7, dpi));
  }
}

TEST(CalibrationSheetCommand, WrongArgumentsAndDocumentsThatDoNotReadLeaveNoFile) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("sheet.pdf"));
  const struct {
    QStringList Args;
    int Code;
    QString Err;  // the first line of standard error
  } cases[] = {
      {{}, 2, "tessolo: " + LoadStr(CalibrationText::SheetArguments)},
      {{out, "a.tsl", "b.tsl"}, 2, "tessolo: " + LoadStr(CalibrationText::SheetArguments)},
      {{out, "--paper", "B9"}, 2, "tessolo: " + LoadStr(CalibrationText::BadPaper).arg("B9")},
      {{out, "--dpi=10"}, 2, "tessolo: " + LoadStr(CalibrationText::BadResolution).arg("10")},
      {{out, dir.filePath("missing.tsl")}, 1, LoadStr(kCannotReadDocument)},
      {{dir.filePath("no/such/sheet.pdf")}, 1, LoadStr(PrintText::CannotStart).section('\n', 0, 0)},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCommand(QStringList{QStringLiteral("--calibration-sheet")} + c.Args, dir.path());
    EXPECT_EQ(r.Code, c.Code) << c.Args.join(' ').toStdString();
    EXPECT_EQ(r.Err.section(QLatin1Char('\n'), 0, 0), c.Err) << c.Args.join(' ').toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
  }
}

TEST(CalibrationSheetCommand, PrintPdfAppliesCorrectionsOnlyForTheNamedPrinter) {
  QTemporaryDir dir;
  const QString doc = dir.filePath(QStringLiteral("card.tsl"));
  Put(doc, CardDocument());
  StoreCalibration(dir.path(), kPrinter, QStringLiteral("2.0 -1.0 100.00 100.00"));
  StoreCalibration(dir.path(), QStringLiteral("Broken"), QStringLiteral("2.0 -1.0 100.00"));
  const QString out = dir.filePath(QStringLiteral("out.pdf"));
  // 10 device pixels per millimetre, read at 5: 2 mm is 10 pixels exactly.
  const QStringList print = {QStringLiteral("--print-pdf"), out, doc, QStringLiteral("--dpi"), QStringLiteral("254")};
  ASSERT_EQ(RunCommand(print, dir.path()).Code, 0);
  const QImage plain = Render(out, 127);
  ASSERT_FALSE(plain.isNull());

  const struct {
    QStringList More;
    int Code;
    QString Err;  // the first line of standard error
    QPoint Moved;  // rendered pixels
  } cases[] = {
      {{"--printer", kPrinter}, 0, {}, {10, -5}},
      {{"--printer=" + kPrinter}, 0, {}, {10, -5}},
      {{"--printer", "Elsewhere"}, 0, LoadStr(CalibrationText::NoEntry).arg("Elsewhere"), {}},
      {{"--printer", "Broken"}, 0, LoadStr(CalibrationText::UnreadableEntry).arg("Broken", "2.0 -1.0 100.00"), {}},
      {{"--printer"}, 2, "tessolo: " + LoadStr(CalibrationText::PrinterArgument), {}},
      {{"--printer="}, 2, "tessolo: " + LoadStr(CalibrationText::PrinterArgument), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.More.join(' ').toStdString());
    QFile::remove(out);
    const Outcome r = RunCommand(print + c.More, dir.path());
    EXPECT_EQ(r.Code, c.Code);
    EXPECT_EQ(r.Err.section(QLatin1Char('\n'), 0, 0), c.Err);
    if (c.Code != 0) {
      EXPECT_FALSE(QFile::exists(out));
      continue;
    }
    const QImage page = Render(out, 127);
    ASSERT_EQ(page.size(), plain.size());
    int wrong = 0;
    for (int y = 20; y < page.height() - 20; ++y)
      for (int x = 20; x < page.width() - 20; ++x)
        wrong += std::abs(qGray(page.pixel(x, y)) - qGray(plain.pixel(x - c.Moved.x(), y - c.Moved.y()))) > 8;
    EXPECT_EQ(wrong, 0);
  }
}

// The main window with a named printer; the preview measures an A4 image
// printer and is driven by the test instead of a modal loop.
class CalibrationForm : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}
  QString Printer = kPrinter;
  QString CurrentPrinterName() override { return Printer; }
  std::unique_ptr<IPrintDevice> PreviewDevice() override {
    return std::make_unique<ImagePrintDevice>(TImageDeviceCaps{4800, 6814, 203, 288, 4960, 7016, 94, 100});
  }
  std::function<void(TPreviewForm&)> Look;
  void ShowPreviewModal(TPreviewForm& form) override {
    form.show();
    if (Look) Look(form);
    form.close();
  }
};

// Runs fn on the calibration dialog once it is up; one left open is closed.
void WhenShown(std::function<void(TCalibrationDlg&)> fn) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, fn, waited] {
    auto* dialog = qobject_cast<TCalibrationDlg*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
      if (++*waited < 400) return;
      ADD_FAILURE() << "the calibration dialog never came";
    } else {
      fn(*dialog);
      if (dialog->isVisible()) dialog->reject();
    }
    timer->stop();
    timer->deleteLater();
  });
  timer->start(5);
}

// Types text into a field as a user would and leaves it.
void Type(QLineEdit* field, const QString& text) {
  field->selectAll();
  field->insert(text);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(field, &out);
}

class CalibrationFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Put(Path("card.tsl"), CardDocument());
  }
  QString Path(const QString& name) const { return Folder.filePath(name); }
  // Where the preview puts the first card on the sheet.
  QRect FirstCardInPreview(CalibrationForm& form) {
    QRect bounds;
    form.Look = [&](TPreviewForm& preview) {
      ASSERT_FALSE(preview.CardPanels().empty());
      bounds = preview.CardPanels()[0]->BoundsRect().translated(preview.PrintArea()->BoundsRect().topLeft());
    };
    form.FilePreviewClick();
    return bounds;
  }

  QTemporaryDir Folder;
  ScopedScriptedUI Scripted;
  ScriptedUserInterface& Ui = Scripted.Ui;
};

TEST_F(CalibrationFlowTest, ValuesTypedInTheDialogAreKeptForThePrinterAndMoveThePreviewAndThePrint) {
  // An entry spoilt by hand is named when the dialog opens, then replaced.
  StoreCalibration(Folder.path(), kPrinter, QStringLiteral("1,5"));
  CalibrationForm form(nullptr, Folder.path());
  Ui.ReplyFile(Path("card.tsl"));
  form.FileOpenClick();
  ASSERT_TRUE(form.DocumentOpen);
  const QRect before = FirstCardInPreview(form);
  ASSERT_FALSE(before.isEmpty());

  Ui.ReplyButton(mrOk);  // the spoilt entry
  Ui.ReplyButton(mrOk);  // the letters typed
  bool shown = false;
  WhenShown([&](TCalibrationDlg& dlg) {
    shown = true;
    EXPECT_EQ(dlg.windowTitle(), LoadStr(CalibrationText::DialogCaption));
    EXPECT_EQ(dlg.PrinterNameLabel->text(), kPrinter);
    EXPECT_EQ(dlg.Fields[Field::ScaleX]->text(), QStringLiteral("100.00"));
    Type(dlg.Fields[Field::OffsetX], QStringLiteral("abc"));
    EXPECT_EQ(dlg.Fields[Field::OffsetX]->text(), QStringLiteral("0.0"));
    Type(dlg.Fields[Field::OffsetX], QStringLiteral("2"));
    Type(dlg.Fields[Field::OffsetY], QStringLiteral("-1"));
    Type(dlg.Fields[Field::ScaleX], QStringLiteral("100.5"));
    dlg.OKBtn->click();
  });
  form.FilePrintCalibration->trigger();
  ASSERT_TRUE(shown);
  const std::vector<QString> messages = Ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], LoadStr(CalibrationText::UnreadableEntry).arg(kPrinter, "1,5"));
  EXPECT_TRUE(messages[1].startsWith(QStringLiteral("「abc」")));

  // Kept under the printer's own name, "/" and all.
  QSettings ini(Path("tessolo.ini"), QSettings::IniFormat);
  EXPECT_EQ(ini.value(TCalibrationStore::Key(kPrinter)).toString(), QStringLiteral("2.0 -1.0 100.50 100.00"));
  EXPECT_EQ(ini.childGroups(), QStringList{"Calibration"});

  // The preview, two pixels a millimetre: 2 mm right, 1 mm up, the card
  // half a percent wider.
  const QRect after = FirstCardInPreview(form);
  EXPECT_EQ(after.topLeft(), before.topLeft() + QPoint(4, -2));
  EXPECT_EQ(after.width(), qRound(before.width() * 1.005));
  EXPECT_EQ(after.height(), before.height());

  // Printed: the sheet "--print-pdf --printer" makes for that printer.
  const QString printed = Path("printed.pdf"), headless = Path("headless.pdf"), plain = Path("plain.pdf");
  Ui.Clear();
  Ui.ReplyPrint(printed);
  form.FilePrint->trigger();
  EXPECT_TRUE(Ui.Messages().empty());
  ASSERT_EQ(RunCommand({"--print-pdf", headless, Path("card.tsl"), "--printer", kPrinter}, Folder.path()).Code, 0);
  ASSERT_EQ(RunCommand({"--print-pdf", plain, Path("card.tsl")}, Folder.path()).Code, 0);
  const QImage page = Render(printed, 50);
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page, Render(headless, 50));
  EXPECT_NE(page, Render(plain, 50));
  // The first card's square: 24 mm across scaled by 100.5 % and moved 2 mm,
  // 21 mm down moved 1 mm up.
  const QImage fine = Render(printed, 254);
  EXPECT_TRUE(InkAt(fine, 24 * 1.005 + 2 + 0.3, 20 + 0.3, 254));
  EXPECT_FALSE(InkAt(fine, 24 * 1.005 + 2 - 0.3, 20 + 0.3, 254));
  EXPECT_FALSE(InkAt(fine, 24 * 1.005 + 2 + 0.3, 20 - 0.3, 254));
  EXPECT_TRUE(Ui.AllRepliesUsed());
}

TEST_F(CalibrationFlowTest, TheSheetPrintsFromTheDialogAndAnotherPrinterKeepsItsOwnValues) {
  CalibrationForm form(nullptr, Folder.path());
  Ui.ReplyFile(Path("card.tsl"));
  form.FileOpenClick();
  ASSERT_TRUE(form.DocumentOpen);
  // The print dialog has sent output to a file, as it does without a printer.
  Ui.ReplyPrint(Path("sheet.pdf"));
  ASSERT_TRUE(UI().PrintSetup(form.CurrentPrinter()));

  Ui.ReplyButton(mrYes);             // keep the changes for the first printer
  Ui.ReplyPrint(Path("sheet.pdf"));  // the print dialog, choosing the second
  WhenShown([&](TCalibrationDlg& dlg) {
    dlg.PrintSheetBtn->click();
    Type(dlg.Fields[Field::ScaleY], QStringLiteral("99.2"));
    form.Printer = QStringLiteral("Second");
    dlg.ChoosePrinterBtn->click();
    EXPECT_EQ(dlg.PrinterNameLabel->text(), QStringLiteral("Second"));
    EXPECT_EQ(dlg.Fields[Field::ScaleY]->text(), QStringLiteral("100.00"));
    dlg.CancelBtn->click();
  });
  form.FilePrintCalibration->trigger();
  EXPECT_EQ(Ui.Messages(), std::vector<QString>{LoadStr(CalibrationText::KeepChanges).arg(kPrinter)});
  EXPECT_TRUE(Ui.AllRepliesUsed());

  QSettings ini(Path("tessolo.ini"), QSettings::IniFormat);
  EXPECT_EQ(ini.value(TCalibrationStore::Key(kPrinter)).toString(), QStringLiteral("0.0 0.0 100.00 99.20"));
  EXPECT_FALSE(ini.contains(TCalibrationStore::Key(QStringLiteral("Second"))));

  // The sheet of the document's setup: the cross at the block's top-left corner.
  const QImage sheet = Render(Path("sheet.pdf"), 200);
  ASSERT_FALSE(sheet.isNull());
  EXPECT_TRUE(InkAt(sheet, 14 + 9.6, 11, 200));
  EXPECT_FALSE(InkAt(sheet, 14 + 10.7, 11, 200));
}

}  // namespace
