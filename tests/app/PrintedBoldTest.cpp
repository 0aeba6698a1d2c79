// Bold on paper as the worksheet shows it: each label of a table printed to
// PDF at 300, 600 and 1200 dpi and rasterised with poppler carries as much
// ink as the worksheet image at the same scale, stays text that pdftotext
// finds, and keeps its glyphs where the layout measured them.
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "Canvas.h"
#include "CardComposition.h"
#include "CardImage.h"
#include "DocumentPageSetup.h"
#include "Image.h"
#include "Labelex.h"
#include "PrintJob.h"
#include "PrintLayout.h"
#include "QPrinterDevice.h"
#include "WinControl.h"
#include "Worksheet.h"

namespace {

const QString kCoffee = QStringLiteral("珈琲処　こもれび");

struct Row {
  const char* Font;
  TFontStyles Style;
  int Height;  // worksheet pixels, negative: the character height
  const char* Face;  // the face the PDF embeds
  QString Caption = kCoffee;
};

constexpr TFontStyles B = FontStyleBit(fsBold), I = FontStyleBit(fsItalic), U = FontStyleBit(fsUnderline);

const Row kRows[] = {
    {"ＭＳ 明朝", 0, -12, "IPAMincho"},     {"ＭＳ 明朝", B, -12, "IPAMincho"},
    {"ＭＳ 明朝", 0, -24, "IPAMincho"},     {"ＭＳ 明朝", B, -24, "IPAMincho"},
    {"ＭＳ 明朝", 0, -36, "IPAMincho"},     {"ＭＳ 明朝", B, -36, "IPAMincho"},
    {"ＭＳ ゴシック", 0, -12, "IPAGothic"}, {"ＭＳ ゴシック", B, -12, "IPAGothic"},
    {"ＭＳ ゴシック", 0, -24, "IPAGothic"}, {"ＭＳ ゴシック", B, -24, "IPAGothic"},
    {"ＭＳ ゴシック", 0, -36, "IPAGothic"}, {"ＭＳ ゴシック", B, -36, "IPAGothic"},
    // Slanted and underlined as well: the outline has to follow the slant
    // the PDF gives the fill, and the line the bold advance.
    {"ＭＳ 明朝", B | I | U, -24, "IPAMincho"},
    // A face with a bold of its own prints with it, as the screen shows it.
    {"DejaVu Sans", B, -24, "DejaVuSans-Bold", QStringLiteral("Komorebi Cafe")},
};

// One label on a card just large enough for it, printed alone on its paper.
struct OneLabel {
  TWorksheet Sheet;
  DocumentPageSetup Setup;
  TLabelEx* Label = nullptr;

  explicit OneLabel(const Row& row) {
    Setup.SheetWidth = 72.0f;
    Setup.SheetHeight = 12.0f;
    Setup.SheetWidthPx = 360;
    Setup.SheetHeightPx = 60;
    Setup.Retu = Setup.Dann = 1;
    Setup.LeftMargin = Setup.TopMargin = 0.0f;
    Setup.PrintTonbo = false;
    Sheet.BuildWorksheet(Setup.SheetWidthPx, Setup.SheetHeightPx);
    Sheet.BGImage->Hide();
    Label = new TLabelEx(Sheet.DrawPanel);
    Label->SetParent(Sheet.DrawPanel);
    Label->SetParentFont(false);
    Label->SetTransparent(true);
    Label->Font()->SetName(QString::fromUtf8(row.Font));
    Label->Font()->SetHeight(row.Height);
    Label->Font()->SetColor(clBlack);
    Label->Font()->SetStyle(row.Style);
    Label->SetCaption(row.Caption);
    Label->SetBounds(10, 6, 340, 50);
    Sheet.ObjectList.push_back(Label);
  }
};

// Dark pixels of image painted at factor times the scale, counted as the
// image would show at its own scale: each factor x factor block averaged to
// the coverage of one pixel.
qint64 Ink(const QImage& image, int factor = 1) {
  const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
  qint64 n = 0;
  for (int y = 0; y + factor <= gray.height(); y += factor)
    for (int x = 0; x + factor <= gray.width(); x += factor) {
      int sum = 0;
      for (int dy = 0; dy < factor; ++dy)
        for (int dx = 0; dx < factor; ++dx) sum += gray.constScanLine(y + dy)[x + dx];
      n += sum < 128 * factor * factor;
    }
  return n;
}

// The tool's output, or nothing when it could not run or failed.
std::optional<QString> RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return std::nullopt;
  return QString::fromUtf8(p.readAllStandardOutput());
}

struct Word {
  QString Text;
  double XMin = 0;  // points
};

std::vector<Word> Words(const QString& pdf) {
  std::vector<Word> out;
  static const QRegularExpression word(QLatin1String(R"re(<word xMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
  const std::optional<QString> html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  if (!html) return out;
  auto it = word.globalMatch(*html);
  while (it.hasNext()) {
    const auto m = it.next();
    out.push_back({m.captured(2), m.captured(1).toDouble()});
  }
  return out;
}

TEST(PrintedBold, InkMatchesTheWorksheetAtTheSameScaleAndTheTextStaysTextWhereItWasLaidOut) {
  QTemporaryDir dir;
  for (const Row& row : kRows) {
    OneLabel card(row);
    for (const int dpi : {300, 600, 1200}) {
      SCOPED_TRACE(QStringLiteral("%1 style %2 height %3 at %4 dpi")
                       .arg(QString::fromUtf8(row.Font))
                       .arg(row.Style)
                       .arg(row.Height)
                       .arg(dpi)
                       .toStdString());
      const QString pdf = dir.filePath(QStringLiteral("card.pdf"));
      QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
      QPrinterDevice::SetUpPdf(printer, pdf, card.Setup.SheetWidth, card.Setup.SheetHeight, dpi);
      QPrinterDevice device(printer);
      const TSheetLayout layout(card.Setup, ReadPrintCaps(device));
      ASSERT_TRUE(layout.Valid());
      const TOutcome job = PrintCardSheet(device, card.Sheet.BGImage, card.Sheet.ObjectList, card.Setup);
      ASSERT_TRUE(job.Ok()) << job.Reason().toStdString();

      // The worksheet at the printer's scale, painted at 1200 dpi and shrunk:
      // Qt's glyph cache thickens transformed glyphs by their untransformed
      // size, so an image painted straight at a small scale shows bold lighter
      // than the worksheet itself does.
      const int factor = 1200 / dpi;
      const qint64 sheet = Ink(RenderCardImage(card.Sheet, layout.U() / 100.0 * factor).Value(), factor);
      const QString png = dir.filePath(QStringLiteral("card"));
      ASSERT_TRUE(RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                                                    QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png}));
      const QImage paper(png + QStringLiteral(".png"));
      ASSERT_FALSE(paper.isNull());
      EXPECT_NEAR(double(Ink(paper)) / double(sheet), 1.0, 0.10) << "paper " << Ink(paper) << ", worksheet " << sheet;

      const std::optional<QString> fonts = RunTool(QStringLiteral("pdffonts"), {pdf});
      ASSERT_TRUE(fonts);
      EXPECT_TRUE(fonts->contains(QLatin1String(row.Face))) << fonts->toStdString();

      // Found as text, each word once (no second copy), at its measured place.
      TCardComposition printed = ComposeCard(nullptr, card.Sheet.ObjectList, card.Setup.SheetWidthPx,
                                             card.Setup.SheetHeightPx, true);
      ScaleComposition(printed, layout.U());
      auto* copy = dynamic_cast<TLabelEx*>(printed.Copies.at(0));
      ASSERT_TRUE(copy);
      TCanvas& canvas = *copy->Canvas();
      canvas.Font()->Assign(*copy->Font());
      canvas.SetTextCharacterExtra(copy->Gap());
      const QStringList expected = row.Caption.split(QRegularExpression(QStringLiteral("[ 　]")));
      const std::vector<Word> words = Words(pdf);
      ASSERT_EQ(words.size(), size_t(expected.size()));
      qsizetype from = 0;
      for (size_t k = 0; k < words.size(); ++k) {
        EXPECT_EQ(words[k].Text, expected[qsizetype(k)]);
        from = row.Caption.indexOf(expected[qsizetype(k)], from);
        const int before = canvas.TextWidth(row.Caption.left(from));
        const double x = (layout.CardOrigin(0, 0).x() + copy->Left() + before) * 72.0 / dpi;
        EXPECT_NEAR(words[k].XMin, x, 0.2 * 72 / 25.4) << words[k].Text.toStdString();
      }
    }
  }
}

}  // namespace
