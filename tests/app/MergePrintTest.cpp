// Mail merge as the user meets it: a staff list through "--print-pdf
// --merge", read back with poppler, and the menu command through the main
// window: the list chosen, the preview in merge mode, printing cancelled
// midway and printed whole.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include <unistd.h>

#include "CommandLine.h"
#include "CommandRun.h"
#include "DocumentTestSupport.h"
#include "ImagePrintDevice.h"
#include "MergeMessages.h"
#include "PreviewForm.h"
#include "ScriptedUserInterface.h"
#include "ShiftJis.h"
#include "Unit3.h"

namespace {

using namespace doctest;

// A card with a name, a title and a QR code of the name and phone.
QByteArray StaffCard() {
  Document doc;
  doc.AddShape(qustRectangle, 4, 4, 440, 260);
  doc.AddLabel(QStringLiteral("{氏名}"), 30, 100)->Font()->SetSize(18);
  doc.AddLabel(QStringLiteral("{役職}　{{社外秘}}"), 30, 160);
  TImage* qr = doc.AddPicture(Bitmap(Pattern(25, 25, Qt::white, Qt::black)), 330, 120, 110, 110, 2);
  qr->SetHint(QStringLiteral("MECARD:N:{氏名};TEL:{電話};;"));
  return doc.Bytes();
}

// rows staff members, "社員0001" onwards, in Shift-JIS as Excel saves them.
QByteArray StaffList(int rows) {
  QString text = QStringLiteral("氏名,役職,電話\r\n");
  for (int i = 1; i <= rows; ++i)
    text += QStringLiteral("社員%1,\"主任, 第%2課\",03-0000-%1\r\n").arg(i, 4, 10, QLatin1Char('0')).arg(i % 7);
  return ShiftJis::Encode(text);
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

struct Outcome {
  int Code = -1;
  QString Err;
};

Outcome RunCommand(QStringList args) {
  const CommandRun r = RunProgram(std::move(args));
  EXPECT_TRUE(r.Claimed);
  return {r.Code, QString::fromUtf8(r.Err)};
}

QString Poppler(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(120000) || p.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

int Pages(const QString& pdf) {
  const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
  const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
  return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

// Each stored image of pdf, one per line, as "object width height colour bits".
QStringList StoredImages(const QString& pdf) {
  QStringList out;
  for (const QString& line : Poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n')).mid(2)) {
    const QStringList f = line.simplified().split(QLatin1Char(' '));
    if (f.size() > 10) out << QStringList{f[10], f[3], f[4], f[5], f[7]}.join(QLatin1Char(' '));
  }
  out.removeDuplicates();
  return out;
}

QString PageText(const QString& pdf, int page) {
  const QString n = QString::number(page);
  return Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
}

TEST(MergeCommandLine, AThousandRowsFillTheCellsAndEveryRowIsText) {
  QTemporaryDir dir;
  const QString card = dir.filePath(QStringLiteral("card.tsl")), list = dir.filePath(QStringLiteral("staff.csv"));
  Put(card, StaffCard());
  Put(list, StaffList(1000));
  const QString pdf = dir.filePath(QStringLiteral("all.pdf"));
  const Outcome r = RunCommand({QStringLiteral("--print-pdf"), pdf, card, QStringLiteral("--merge"), list,
                                QStringLiteral("--merge-layout"), QStringLiteral("cell")});
  ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
  EXPECT_EQ(Pages(pdf), 100);  // ten cards to the sheet
  // Every row's own code, kept in one bit per module.
  const QStringList codes = StoredImages(pdf);
  EXPECT_EQ(codes.size(), 1000);
  for (const QString& code : codes) EXPECT_TRUE(code.endsWith(QStringLiteral(" gray 1"))) << code.toStdString();
  const QString first = PageText(pdf, 1), last = PageText(pdf, 100);
  EXPECT_TRUE(first.contains(QStringLiteral("社員0001")) && first.contains(QStringLiteral("社員0010")));
  EXPECT_FALSE(first.contains(QStringLiteral("社員0011")));
  EXPECT_TRUE(last.contains(QStringLiteral("社員1000"))) << last.toStdString();
  EXPECT_TRUE(last.contains(QStringLiteral("第6課")) && last.contains(QStringLiteral("{社外秘}")));

  // A sheet for every row by default.
  Put(list, StaffList(3));
  ASSERT_EQ(RunCommand({QStringLiteral("--print-pdf"), pdf, card, QStringLiteral("--merge=") + list}).Code, 0);
  EXPECT_EQ(Pages(pdf), 3);
  EXPECT_EQ(StoredImages(pdf).size(), 3);  // a sheet's ten codes are one image
  EXPECT_EQ(PageText(pdf, 2).count(QStringLiteral("社員0002")), 10);
}

TEST(MergeCommandLine, BadListsAndFieldsAreToldInJapaneseAndPrintNothing) {
  QTemporaryDir dir;
  const QString card = dir.filePath(QStringLiteral("card.tsl")), list = dir.filePath(QStringLiteral("staff.csv"));
  Put(card, StaffCard());
  const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
  struct Case {
    const char* Name;
    QByteArray List;
    QStringList Extra;
    int Code;
    QString Says;
  };
  const Case cases[] = {
      {"fields naming no column", "名前,役職\n山田,部長\n", {}, 1, QStringLiteral("{氏名}  {電話}")},
      {"a quote left open", "氏名,役職,電話\n山田,部長,1\n\"佐藤,課長,2\n", {}, 1,
       LoadStr(MergeText::UnclosedQuote).arg(3)},
      {"an empty list", "氏名,役職,電話\n", {}, 1, LoadStr(MergeText::Empty)},
      {"neither encoding", "\x81\x20,\xFF\n", {}, 1, LoadStr(MergeText::UnknownEncoding)},
      // Found while an earlier sheet prints, and told with the row's line.
      {"a code too long for a row on the second sheet",
       "氏名,役職,電話\n" + QByteArray("山田,部長,1\n").repeated(12) + "長井,課長," + QByteArray(3000, '9') + "\n",
       {QStringLiteral("--merge-layout"), QStringLiteral("cell")}, 1,
       LoadStr(MergeText::QrDoesNotFit).arg(14).section(QLatin1Char('\n'), 0, 0)},
      {"a layout that is none", "氏名,役職,電話\n山田,部長,1\n", {QStringLiteral("--merge-layout"), QStringLiteral("row")},
       2, LoadStr(MergeText::BadLayoutArgument).arg(QStringLiteral("row"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Put(list, c.List);
    const Outcome r = RunCommand(QStringList{QStringLiteral("--print-pdf"), pdf, card, QStringLiteral("--merge"), list} + c.Extra);
    EXPECT_EQ(r.Code, c.Code);
    EXPECT_TRUE(r.Err.contains(c.Says)) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
  }
}

// The main window with a preview driven by the test and a progress that the
// test can cancel.
class MergeForm3 : public TForm3 {
 public:
  using TForm3::TForm3;
  void RunStartWizard(int) override {}
  std::function<void(TPreviewForm&)> User;
  int CancelAt = -1;
  std::vector<int> Steps;
  std::unique_ptr<IPrintDevice> PreviewDevice() override {
    return std::make_unique<ImagePrintDevice>(TImageDeviceCaps{4800, 6814, 203, 288, 4960, 7016, 94, 100});
  }
  void ShowPreviewModal(TPreviewForm& form) override {
    form.show();
    if (User) User(form);
    form.close();
  }
  bool MergePrintProgress(QProgressDialog& dialog, int done, int sheets) override {
    Steps.push_back(done);
    if (done == CancelAt) dialog.cancel();  // as the cancel button does
    return TForm3::MergePrintProgress(dialog, done, sheets);
  }
};

// The captions of the texts on a card panel of the preview.
QStringList Captions(const TPanel* card) {
  QStringList texts;
  for (const TControl* control : card->Controls())
    if (const auto* label = dynamic_cast<const TLabelEx*>(control)) texts << label->Caption();
  return texts;
}

TEST(MergeMenuFlow, TheListOpensThePreviewWhoseRowsMoveAndWhosePrintCanBeCancelled) {
  QTemporaryDir dir;
  ScopedScriptedUI scripted;
  ScriptedUserInterface& ui = scripted.Ui;
  const QString card = dir.filePath(QStringLiteral("card.tsl")), list = dir.filePath(QStringLiteral("lists/staff.csv"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("lists")));
  Put(card, StaffCard());
  Put(list, StaffList(25));
  const QString pdf = dir.filePath(QStringLiteral("merged.pdf"));
  MergeForm3 form(nullptr, dir.path());
  ui.ReplyFile(card);
  form.FileOpenClick();
  ASSERT_TRUE(form.DocumentOpen);

  bool shown = false;
  form.User = [&](TPreviewForm& preview) {
    shown = true;
    ASSERT_TRUE(preview.MergeMode());
    EXPECT_EQ(preview.RowLabel->text(), QStringLiteral("1 / 25 行"));
    EXPECT_EQ(preview.SheetsLabel->text(), QStringLiteral("全25枚"));
    EXPECT_FALSE(preview.PrevRowBtn->isEnabled());
    ASSERT_EQ(preview.CardPanels().size(), 10u);
    EXPECT_EQ(Captions(preview.CardPanels()[9]), QStringList({"社員0001", "主任, 第1課　{社外秘}"}));

    preview.NextRowBtn->click();
    preview.NextRowBtn->click();
    EXPECT_EQ(preview.MergeRow(), 2);
    EXPECT_EQ(preview.RowLabel->text(), QStringLiteral("3 / 25 行"));
    EXPECT_EQ(Captions(preview.CardPanels()[0]).value(0), QStringLiteral("社員0003"));

    // One to a cell: the sheet holding row 3 is the first, across then down.
    preview.LayoutCB->setCurrentIndex(1);
    EXPECT_EQ(preview.SheetsLabel->text(), QStringLiteral("全3枚"));
    EXPECT_EQ(preview.RowLabel->text(), QStringLiteral("1～10 / 25 行"));
    EXPECT_EQ(preview.CardRows(), std::vector<int>({0, 2, 4, 6, 8, 1, 3, 5, 7, 9}));  // columns outer
    preview.NextRowBtn->click();
    preview.NextRowBtn->click();
    EXPECT_EQ(preview.RowLabel->text(), QStringLiteral("21～25 / 25 行"));
    EXPECT_EQ(Captions(preview.CardPanels()[0]).value(0), QStringLiteral("社員0021"));
    EXPECT_TRUE(Captions(preview.CardPanels()[9]).isEmpty());  // an empty cell
    EXPECT_FALSE(preview.NextRowBtn->isEnabled());

    // Cancelled after the first sheet: no PDF, no message.
    form.CancelAt = 1;
    ui.ReplyPrint(pdf);
    preview.PrintBtn->click();
    EXPECT_EQ(form.Steps, std::vector<int>({0, 1}));
    EXPECT_FALSE(QFile::exists(pdf));

    form.CancelAt = -1;
    form.Steps.clear();
    ui.ReplyPrint(pdf);
    preview.PrintBtn->click();
    EXPECT_EQ(form.Steps, std::vector<int>({0, 1, 2, 3}));
  };
  ui.ReplyFile(list);
  form.FileMergePrint->trigger();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Pages(pdf), 3);
  EXPECT_TRUE(PageText(pdf, 3).contains(QStringLiteral("社員0025")));
  EXPECT_TRUE(ui.Messages().empty());
  ASSERT_EQ(ui.Calls().size(), 4u);  // the card, the list, two print dialogs
  EXPECT_EQ(ui.Calls()[1].File.Title, LoadStr(MergeText::DialogTitle));

  // The folder and the layout are remembered; a list that does not fit the
  // card is refused before any preview.
  form.OwnSettings().sync();
  QSettings ini(dir.filePath(QStringLiteral("tessolo.ini")), QSettings::IniFormat);
  EXPECT_EQ(ini.value(QStringLiteral("Merge/ListFolder")).toString(), dir.filePath(QStringLiteral("lists")));
  EXPECT_EQ(ini.value(QStringLiteral("Merge/Layout")).toString(), QStringLiteral("cell"));
  Put(list, "氏名\n山田\n");
  shown = false;
  ui.Clear();
  ui.ReplyFile(list);
  form.FileMergePrint->trigger();
  EXPECT_FALSE(shown);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_TRUE(ui.Messages()[0].contains(QStringLiteral("{役職}  {電話}")));
  EXPECT_EQ(ui.Calls()[0].File.InitialDir, dir.filePath(QStringLiteral("lists")));
}

}  // namespace
