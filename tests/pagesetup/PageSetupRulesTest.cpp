#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "Function1.h"
#include "PageSetupRules.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"

namespace {

// A folder with a master list of two setups: the default sheet, and a sheet
// of 89 x 51 mm cards with gaps.
class PageSetupRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile f(Dir.filePath("msetpage.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("The VarnettDx version 2.0g\r\n"
            "\"A4 10\", 210.0, 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n"
            "\"A4 gaps\", 210.0, 297.0, 89.0, 51.0, 2,5,11.0,11.0,10.0,5.0\r\n");
  }
  // The dialog opened from the page setup command on an A4 free-setting document.
  PageSetupRules Open(DocumentPageSetup doc = A4Document()) {
    PageSetupRules rules(Dir.path());
    rules.HandIn(doc);
    EXPECT_TRUE(rules.FormActivate());
    return rules;
  }
  static DocumentPageSetup A4Document() {
    DocumentPageSetup doc;
    doc.PaperWidth = 210.0f;
    doc.PaperHeight = 297.0f;
    return doc;
  }
  static void Type(PageSetupRules& r, PageField f, const char* text) {
    r.FieldChanged(f, QString::fromUtf8(text));
    EXPECT_TRUE(r.FieldExit(f));
  }
  static QString Text(const PageSetupRules& r, PageField f) { return r.Field(f).Text; }

  ScopedScriptedUI Ui;
  QTemporaryDir Dir;
};

}  // namespace

TEST_F(PageSetupRulesTest, MarginsAreComputedAndCardsDrawnEvenPastThePaper) {
  PageSetupRules r = Open();
  EXPECT_EQ(r.ListIndex(), 0);
  EXPECT_EQ(r.PageUnit(), puMillimetre);  // a stored 0 is taken as millimetres
  EXPECT_EQ(Text(r, PageField::Width), "91.0");
  EXPECT_EQ(Text(r, PageField::RMargin), "14.0");
  EXPECT_EQ(Text(r, PageField::BottomMargin), "11.0");
  EXPECT_EQ(r.Layout().Cards.size(), 10u);

  Type(r, PageField::Retu, "3");
  EXPECT_EQ(Text(r, PageField::RMargin), "-77.0");
  const LayoutPicture& pic = r.Layout();
  EXPECT_EQ(pic.PaperWidth, 210);
  ASSERT_EQ(pic.Cards.size(), 15u);
  EXPECT_EQ(pic.Cards[10], QRect(196, 11, 91, 55));  // the third column, past the edge

  r.PaperSizeCBClick(PageSetupRules::psLetter);
  EXPECT_FLOAT_EQ(r.PaperWidth(), 215.9f);
  EXPECT_EQ(r.Layout().PaperWidth, 215);
  EXPECT_EQ(r.Layout().PaperHeight, 279);

  Type(r, PageField::Retu, "");  // an empty count reads as 0
  EXPECT_EQ(Text(r, PageField::Retu), "0");
  EXPECT_TRUE(r.Layout().Cards.empty());

  ASSERT_TRUE(r.OKBtnClick());
  EXPECT_TRUE(r.FormCloseQuery(true));
  EXPECT_EQ(r.Result().PageUnit, puMillimetre);
}

TEST_F(PageSetupRulesTest, UnitsSwitchThroughThePixelGrid) {
  PageSetupRules r = Open();
  Type(r, PageField::Width, "91");
  EXPECT_EQ(Text(r, PageField::Width), "91.0");
  EXPECT_EQ(r.Px(plWidth), 455);

  r.TanniInchRBClick();
  EXPECT_EQ(Text(r, PageField::Width), "3.583");
  EXPECT_EQ(Text(r, PageField::LMargin), "0.551");
  EXPECT_FALSE(r.Field(PageField::Width).Modified);
  r.TanniMmRBClick();
  EXPECT_EQ(Text(r, PageField::Width), "91.0");
  EXPECT_FLOAT_EQ(r.Mm(plWidth), 91.0f);
  EXPECT_FLOAT_EQ(r.Mm(plLeft), 14.0f);

  r.TanniInchRBClick();
  Type(r, PageField::Width, "3.5");
  EXPECT_EQ(Text(r, PageField::Width), "3.500");
  EXPECT_EQ(r.Px(plWidth), 445);
  EXPECT_FLOAT_EQ(r.Mm(plWidth), 88.900177f);  // not snapped to the pixel
  // A margin typed in inches goes straight to millimetres.
  Type(r, PageField::LMargin, "0.5");
  EXPECT_FLOAT_EQ(r.Mm(plLeft), 12.7f);
  EXPECT_EQ(Text(r, PageField::RMargin), FormatInch(MmToInches(r.Mm(plRight))));
  r.TanniMmRBClick();
  EXPECT_FLOAT_EQ(r.Mm(plLeft), 12.8f);  // 64 pixels
  EXPECT_FLOAT_EQ(r.Mm(plWidth), 89.0f);
}

TEST_F(PageSetupRulesTest, NamedSetupsAreShownAndTheFreeSettingRestoresTheCardSize) {
  PageSetupRules r = Open();
  EXPECT_TRUE(r.NewBtnEnabled());
  Type(r, PageField::Width, "80");
  r.YousiCBClick(2);
  EXPECT_EQ(r.SetupKind(), skMaster);
  EXPECT_EQ(r.SetupName().Bytes(), "A4 gaps");
  EXPECT_EQ(Text(r, PageField::Width), "89.0");
  EXPECT_FALSE(r.Field(PageField::Width).Enabled);
  EXPECT_FALSE(r.Field(PageField::InsideMarginX).Enabled);
  EXPECT_FALSE(r.PaperSizeEnabled());
  EXPECT_FALSE(r.NewBtnEnabled());
  EXPECT_FALSE(r.DeleteBtnEnabled());

  r.YousiCBClick(0);
  EXPECT_EQ(Text(r, PageField::Width), "80.0");  // typed last
  EXPECT_EQ(Text(r, PageField::Height), "55.0");  // the document's
  EXPECT_EQ(Text(r, PageField::InsideMarginX), "10.0");  // the named setup's, now editable
  EXPECT_TRUE(r.Field(PageField::InsideMarginX).Enabled);
  EXPECT_FALSE(r.Field(PageField::RMargin).Enabled);
  EXPECT_TRUE(r.SetupName().IsEmpty());
  EXPECT_EQ(r.SetupKind(), skFree);

  // Registering selects the new user setup; deleting it selects the one before.
  ASSERT_TRUE(r.AcceptName("mine"));
  r.RegisterSetup("mine");
  EXPECT_EQ(r.ListIndex(), 3);
  EXPECT_EQ(r.ListItems(), QStringList({LoadStr(1041), "A4 10", "A4 gaps", "mine"}));
  EXPECT_EQ(r.SetupKind(), skUser);
  EXPECT_TRUE(r.DeleteBtnEnabled());
  EXPECT_FALSE(r.AcceptName("mine"));
  r.DeleteBtnClick();
  EXPECT_EQ(r.ListIndex(), 2);
  EXPECT_EQ(r.ListItems().size(), 3);
  EXPECT_EQ(Ui.Ui.Messages(), std::vector<QString>{LoadStr(1111)});
}

TEST_F(PageSetupRulesTest, OkNeedsACardSizeAndUnreadableFieldsChangeNothing) {
  QFile::remove(Dir.filePath("msetpage.txt"));
  PageSetupRules r(Dir.path());
  r.StartNewDocument();  // no lists: only the free setting, with no card size
  ASSERT_TRUE(r.FormActivate());
  EXPECT_EQ(r.ListIndex(), 0);
  ASSERT_TRUE(r.OKBtnClick());
  EXPECT_FALSE(r.FormCloseQuery(true));
  EXPECT_TRUE(r.FormCloseQuery(false));
  ASSERT_EQ(Ui.Ui.Calls().size(), 1u);
  EXPECT_EQ(Ui.Ui.Calls()[0].Text, LoadStr(1040));
  EXPECT_EQ(Ui.Ui.Calls()[0].Title, LoadStr(1010));

  Type(r, PageField::Width, "91");
  r.FieldChanged(PageField::Height, "5000");
  EXPECT_FALSE(r.FieldExit(PageField::Height));  // no worksheet is made that large
  EXPECT_FALSE(r.FormCloseQuery(true));
  Type(r, PageField::Height, "55");
  EXPECT_TRUE(r.FormCloseQuery(true));

  Type(r, PageField::LMargin, "3");
  r.FieldChanged(PageField::LMargin, ".");
  EXPECT_FALSE(r.FieldExit(PageField::LMargin));
  EXPECT_FALSE(r.OKBtnClick());  // the dialog stays open
  EXPECT_EQ(Text(r, PageField::LMargin), ".");
  EXPECT_FLOAT_EQ(r.Mm(plLeft), 3.0f);
  EXPECT_EQ(Ui.Ui.Calls().back().What, ScriptedUserInterface::Call::Error);
  EXPECT_EQ(Ui.Ui.Calls().back().Text, QStringLiteral("「.」は正しい数値ではありません。"));
}

TEST_F(PageSetupRulesTest, TheDocumentTakesBackOnlyWhatChanged) {
  DocumentPageSetup doc = A4Document();
  doc.LegacyPageSetup = true;  // older document: opens on the free setting
  doc.SetupKind = skMaster;
  doc.SetupName = SetupNameBuffer::FromText("A4 10");
  PageSetupRules r = Open(doc);
  EXPECT_EQ(r.ListIndex(), 0);
  ASSERT_TRUE(r.OKBtnClick());
  TakeBackResult back = TakeBackPageSetup(doc, r.Result());
  EXPECT_TRUE(back.Modified);  // origin: the free setting now, and the unit
  EXPECT_FALSE(back.CardSizeChanged);
  EXPECT_FALSE(doc.LegacyPageSetup);
  EXPECT_EQ(doc.SetupKind, skFree);
  EXPECT_FALSE(TakeBackPageSetup(doc, r.Result()).Modified);

  PageSetupRules again = Open(doc);
  again.YousiCBClick(2);
  ASSERT_TRUE(again.OKBtnClick());
  back = TakeBackPageSetup(doc, again.Result());
  EXPECT_TRUE(back.CardSizeChanged);
  EXPECT_EQ(doc.SheetWidthPx, 445);
  EXPECT_FLOAT_EQ(doc.InsideMarginX, 10.0f);
  EXPECT_EQ(doc.SetupKind, skMaster);
}
