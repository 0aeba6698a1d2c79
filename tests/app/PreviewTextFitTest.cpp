// The print preview shows every text in full. At the preview's small scale
// text rounds wider than the scaled worksheet, so a label copy that was not
// fitted to its text there loses its last glyph, while the print is complete.
#include <QDir>
#include <QImage>
#include <QPainter>

#include "Color.h"
#include "DocumentTestSupport.h"
#include "ImagePrintDevice.h"
#include "PreviewForm.h"
#include "ScriptedUserInterface.h"

namespace {

using namespace doctest;

const QString kRoot = QStringLiteral(TESSOLO_TEST_DATA "/../../");

QStringList DeliveredDocuments() {
  QStringList out;
  for (const auto& [folder, pattern] : {std::pair{QStringLiteral("examples"), QStringLiteral("*.tsl")},
                                        std::pair{QStringLiteral("data/Template"), QStringLiteral("*.tpl")}}) {
    const QDir dir(kRoot + folder);
    for (const QString& name : dir.entryList({pattern}, QDir::Files, QDir::Name)) out << dir.filePath(name);
  }
  return out;
}

// The pixels the label's text covers when painted within width x height,
// clipped there as its card panel clips it.
qint64 TextPixels(TLabelEx& label, int width, int height) {
  const QRect saved = label.BoundsRect();
  const bool transparent = label.Transparent();
  label.SetTransparent(true);  // only the text counts
  label.SetBounds(saved.left(), saved.top(), width, height);
  const QColor paper = Colors::ToQColor(label.Font()->Color()).lightness() > 128 ? Qt::black : Qt::white;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(paper);
  {
    QPainter painter(&image);
    painter.setClipRect(image.rect());
    label.PaintControl(painter);
  }
  label.SetBounds(saved.left(), saved.top(), saved.width(), saved.height());
  label.SetTransparent(transparent);
  qint64 n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != paper.rgb();
  return n;
}

// Every label on every card of the preview shows as much text as it holds.
void ExpectWholeTextOnEveryCard(Document& doc) {
  // An A4 printer at 600 dpi: the preview's scale is 40 %.
  ImagePrintDevice printer({4800, 6814, 203, 288, 4960, 7016, 94, 100});
  TPreviewHooks hooks;
  hooks.Device = [&] { return &printer; };
  hooks.Document = [&] { return TPreviewDocument{&doc.Setup, doc.Sheet.BGImage, doc.Sheet.ObjectList}; };
  TPreviewForm form(hooks);
  form.FormActivate();
  ASSERT_FALSE(form.CardPanels().empty());
  int labels = 0;
  for (TPanel* card : form.CardPanels())
    for (TControl* control : card->Controls())
      if (auto* label = dynamic_cast<TLabelEx*>(control); label && !label->Caption().isEmpty()) {
        ++labels;
        // Text shrunk to a few pixels may reach one antialiased row below
        // its line; a cut glyph loses more than that.
        const qint64 shown = TextPixels(*label, label->Width(), label->Height() + 1);
        const qint64 whole = TextPixels(*label, label->Width() * 4 + 200, label->Height() * 4 + 100);
        EXPECT_GT(whole, 0) << label->Caption().toStdString();
        EXPECT_EQ(shown, whole) << label->Caption().toStdString() << " in " << label->Width() << " x "
                                << label->Height();
      }
  EXPECT_GT(labels, 0);
}

TEST(PreviewTextFit, EveryLabelOfTheExamplesAndTemplatesShowsItsWholeText) {
  const QStringList documents = DeliveredDocuments();
  ASSERT_GE(documents.size(), 8);
  for (const QString& path : documents) {
    SCOPED_TRACE(path.toStdString());
    ScopedScriptedUI ui;
    Document doc;
    ASSERT_TRUE(LoadDocumentFile(path, doc.Sheet, doc.Setup, doc.Version8, doc.Hooks()).Ok());
    ExpectWholeTextOnEveryCard(doc);
  }
}

TEST(PreviewTextFit, LabelsFittedToTheirTextOnTheWorksheetKeepTheirLastGlyph) {
  const struct {
    const char* Font;
    int Height;
    const char* Caption;
  } texts[] = {
      {"ＭＳ Ｐ明朝", -21, "珈琲処　こもれび"},
      {"ＭＳ Ｐゴシック", -11, "〒123-4567 東京都千代田区丸の内1-2-3"},
      {"ＭＳ 明朝", -16, "代表取締役　山田太郎"},
  };
  Document doc;
  int top = 10;
  for (const auto& t : texts) {
    auto* label = new TLabelEx(doc.Sheet.DrawPanel);
    label->SetParent(doc.Sheet.DrawPanel);
    label->SetParentFont(false);
    label->SetTransparent(true);
    label->Font()->SetName(QString::fromUtf8(t.Font));
    label->Font()->SetHeight(t.Height);
    label->SetCaption(QString::fromUtf8(t.Caption));
    label->SetLeft(10);
    label->SetTop(top);
    // As the editor leaves a text: its box just fits it on the worksheet.
    label->SetAutoSize(true);
    label->SetAutoSize(false);
    doc.Sheet.ObjectList.push_back(label);
    top += label->Height() + 10;
  }
  ExpectWholeTextOnEveryCard(doc);
}

}  // namespace
