// The templates delivered in data/Template: each is a document the program
// loads and writes back unchanged, and together they cover the designs
// promised (portrait card, logo picture, background picture).
#include <QDir>

#include "DocumentTestSupport.h"
#include "ScriptedUserInterface.h"
#include "ShiftJis.h"
#include "TemplateFolder.h"

namespace {

using namespace doctest;

const QString kProgramFolder = QStringLiteral(TESSOLO_TEST_DATA "/../../data/");

TEST(DeliveredTemplates, EachLoadsAsAValidDocumentAndSavesBackToTheSameBytes) {
  const TemplateListing listing = FindTemplates(kProgramFolder);
  ASSERT_GE(listing.TemplateFiles.size(), 5);
  bool portrait = false, logo = false, background = false;
  for (int i = 0; i < listing.TemplateFiles.size(); ++i) {
    const QString path = listing.PathAt(i);
    SCOPED_TRACE(path.toStdString());
    EXPECT_TRUE(path.endsWith(QStringLiteral(".tpl")));
    ScopedScriptedUI ui;
    Document doc;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(LoadDocumentFile(path, doc.Sheet, doc.Setup, doc.Version8, doc.Hooks()).Ok());
    EXPECT_TRUE(ui.Ui.Calls().empty());
    EXPECT_EQ(doc.Bytes(), bytes);
    EXPECT_EQ(DocumentFormat::VersionText(doc.Version8), QStringLiteral("2.0g"));
    EXPECT_GE(doc.Sheet.ObjectList.size(), 5u);
    EXPECT_EQ(doc.Setup.SheetWidthPx, int(doc.Setup.SheetWidth * 5.0f + 0.5f));
    EXPECT_EQ(doc.Setup.SheetHeightPx, int(doc.Setup.SheetHeight * 5.0f + 0.5f));
    if (doc.Setup.SheetWidth == 55.0f && doc.Setup.SheetHeight == 91.0f) portrait = true;
    if (doc.Sheet.BGImage->Visible() && doc.Sheet.BGImage->Picture()->Graphic()) background = true;

    int names = 0;
    for (TControl* c : doc.Sheet.ObjectList) {
      // Every object fits on the card (a shape by its own outline).
      const QRect card(0, 0, doc.Setup.SheetWidthPx, doc.Setup.SheetHeightPx);
      if (auto* shape = dynamic_cast<TQuShape*>(c))
        EXPECT_TRUE(card.contains(QRect(shape->Left(), shape->Top(), shape->Width() + 1, shape->Height() + 1)));
      else
        EXPECT_TRUE(card.contains(c->BoundsRect())) << c->ClassName().constData();
      EXPECT_EQ(c->Cursor(), crHandPoint);
      if (auto* image = dynamic_cast<TImage*>(c); image && image->Picture()->Graphic()) {
        logo = true;
        EXPECT_NO_THROW(image->Picture()->Graphic()->Image());
      }
      if (auto* label = dynamic_cast<TLabelEx*>(c)) {
        const QString font = label->Font()->Name();
        EXPECT_TRUE(font == QStringLiteral("ＭＳ Ｐ明朝") || font == QStringLiteral("ＭＳ Ｐゴシック")) << font.toStdString();
        EXPECT_TRUE(ShiftJis::CanEncode(label->Caption()));
        EXPECT_GE(label->Font()->Size(), 7);
        if (label->Font()->Size() >= 18) ++names;
      }
    }
    EXPECT_GE(names, 1) << "a name, set large";
  }
  EXPECT_TRUE(portrait);
  EXPECT_TRUE(logo);
  EXPECT_TRUE(background);
}

}  // namespace
