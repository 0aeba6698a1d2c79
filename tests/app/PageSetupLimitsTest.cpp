// Whatever the page setup dialog accepts is saved with the document and read
// back; what lies beyond the limits is refused in the dialog, skipped in the
// setup lists and refused in a document.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "Function1.h"
#include "PageSetupLimits.h"
#include "PageSetupRules.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"

namespace {

using namespace doctest;
using namespace PageLimits;

class PageSetupLimitsTest : public ::testing::Test {
 protected:
  PageSetupRules Open(TPageUnit unit) {
    DocumentPageSetup doc;
    doc.PaperWidth = 210.0f;
    doc.PaperHeight = 297.0f;
    doc.PageUnit = unit;
    PageSetupRules rules(Dir.path());
    rules.HandIn(doc);
    EXPECT_TRUE(rules.FormActivate());
    return rules;
  }
  // Saved with a document and read back: the same page setup.
  static void ExpectReadBack(const DocumentPageSetup& setup) {
    Document doc;
    doc.Setup = setup;
    Document back;
    const DocumentFormat::ReadResult r = back.Read(doc.Bytes());
    ASSERT_TRUE(r.Ok()) << r.Detail.toStdString();
    EXPECT_EQ(back.Setup.SheetWidthPx, setup.SheetWidthPx);
    EXPECT_EQ(back.Setup.SheetHeightPx, setup.SheetHeightPx);
    EXPECT_EQ(back.Setup.Retu, setup.Retu);
    EXPECT_EQ(back.Setup.Dann, setup.Dann);
    EXPECT_EQ(back.Setup.LeftMargin, setup.LeftMargin);
    EXPECT_EQ(back.Setup.TopMargin, setup.TopMargin);
    EXPECT_EQ(back.Setup.InsideMarginX, setup.InsideMarginX);
    EXPECT_EQ(back.Setup.InsideMarginY, setup.InsideMarginY);
    EXPECT_EQ(back.Setup.PaperWidth, setup.PaperWidth);
  }
  void WriteMasterList(const QByteArray& lines) {
    QFile f(Dir.filePath("msetpage.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("The VarnettDx version 2.0g\r\n" + lines);
  }

  ScopedScriptedUI Ui;
  QTemporaryDir Dir;
};

QString Largest(TPageUnit unit) {
  return unit == puInch ? FormatInch(MmToInches(MaxLengthMm)) : FormatMm(MaxLengthMm);
}
QString LargestCard(TPageUnit unit) {
  return unit == puInch ? FormatInch(PixelsToInches(MaxSheetPixels)) : FormatMm(MaxSheetMm);
}

}  // namespace

TEST_F(PageSetupLimitsTest, TheLargestValuesTheDialogTakesAreSavedAndReadBack) {
  for (TPageUnit unit : {puMillimetre, puInch}) {
    SCOPED_TRACE(unit);
    PageSetupRules r = Open(unit);
    for (PageField f : {PageField::TopMargin, PageField::LMargin, PageField::InsideMarginX, PageField::InsideMarginY}) {
      r.FieldChanged(f, Largest(unit));
      EXPECT_TRUE(r.FieldExit(f));
    }
    for (PageField f : {PageField::Width, PageField::Height}) {
      r.FieldChanged(f, LargestCard(unit));
      EXPECT_TRUE(r.FieldExit(f));
    }
    for (PageField f : {PageField::Retu, PageField::Dann}) {
      r.FieldChanged(f, QString::number(PageSetupRules::MaxDrawnCount));
      EXPECT_TRUE(r.FieldExit(f));
    }
    ASSERT_TRUE(r.OKBtnClick());
    ASSERT_TRUE(r.FormCloseQuery(true));
    EXPECT_TRUE(Ui.Ui.Calls().empty());
    ExpectReadBack(r.Result());
  }
}

TEST_F(PageSetupLimitsTest, AValueBeyondALimitIsRefusedAndTheFieldShowsTheOldOneAgain) {
  struct Case {
    TPageUnit Unit;
    PageField Field;
    QString Text;
    int Message;
  };
  const Case cases[] = {
      {puMillimetre, PageField::LMargin, QStringLiteral("99999"), 1210},
      {puMillimetre, PageField::InsideMarginY, FormatMm(MaxLengthMm + 0.1f), 1210},
      {puInch, PageField::TopMargin, FormatInch(MmToInches(MaxLengthMm) + 0.001f), 1210},
      {puMillimetre, PageField::Width, FormatMm(MaxSheetMm + 0.2f), 1203},
      {puInch, PageField::Height, FormatInch(MmToInches(MaxSheetMm) + 0.01f), 1203},
      {puMillimetre, PageField::Retu, QString::number(MaxCount + 1), 1211},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text.toStdString());
    Ui.Ui.Clear();
    PageSetupRules r = Open(c.Unit);
    const QString shown = r.Field(c.Field).Text;
    const DocumentPageSetup before = r.Result();
    r.FieldChanged(c.Field, c.Text);
    EXPECT_FALSE(r.FieldExit(c.Field));
    EXPECT_EQ(Ui.Ui.Messages(), std::vector<QString>{LoadStr(c.Message)});
    EXPECT_EQ(r.Field(c.Field).Text, shown);
    // Nothing was taken: OK goes through with the old values.
    ASSERT_TRUE(r.OKBtnClick());
    EXPECT_TRUE(r.FormCloseQuery(true));
    const DocumentPageSetup after = r.Result();
    EXPECT_EQ(after.SheetWidthPx, before.SheetWidthPx);
    EXPECT_EQ(after.SheetHeightPx, before.SheetHeightPx);
    EXPECT_EQ(after.Retu, before.Retu);
    EXPECT_EQ(after.LeftMargin, before.LeftMargin);
    EXPECT_EQ(after.TopMargin, before.TopMargin);
    EXPECT_EQ(after.InsideMarginY, before.InsideMarginY);
  }
}

TEST_F(PageSetupLimitsTest, ListRecordsAtTheLimitsAreOfferedAndThoseBeyondAreSkipped) {
  const QByteArray edge = FormatFixed(MaxLengthMm, 1);
  const QByteArray card = FormatFixed(MaxSheetMm, 1);
  const QByteArray most = QByteArray::number(MaxCount);
  WriteMasterList("\"edge\", " + edge + ", " + edge + ", " + card + ", " + card + ", " + most + "," + most + ",-" +
                  edge + "," + edge + "," + edge + ",-" + edge + "\r\n" +
                  "\"columns\", 210.0, 297.0, 91.0, 55.0, " + QByteArray::number(MaxCount + 1) +
                  ",5,14.0,11.0,0.0,0.0\r\n" +
                  "\"paper\", " + FormatFixed(2 * MaxLengthMm, 1) + ", 297.0, 91.0, 55.0, 2,5,14.0,11.0,0.0,0.0\r\n" +
                  "\"card\", 210.0, 297.0, " + FormatFixed(MaxSheetMm + 100, 1) + ", 55.0, 2,5,14.0,11.0,0.0,0.0\r\n");
  PageSetupRules r = Open(puMillimetre);
  ASSERT_EQ(r.ListItems(), QStringList({LoadStr(1041), QStringLiteral("edge")}));
  ASSERT_TRUE(r.YousiCBClick(1));
  ASSERT_TRUE(r.OKBtnClick());
  ASSERT_TRUE(r.FormCloseQuery(true));
  ExpectReadBack(r.Result());
}

TEST_F(PageSetupLimitsTest, ADocumentBeyondTheLimitsIsRefused) {
  struct Case {
    const char* What;
    void (*Spoil)(DocumentPageSetup&);
  };
  const Case cases[] = {
      {"card", [](DocumentPageSetup& s) { s.SheetWidth = MaxSheetMm + 100; s.SheetWidthPx = MmToPixels(s.SheetWidth); }},
      {"columns", [](DocumentPageSetup& s) { s.Retu = MaxCount + 1; }},
      {"paper", [](DocumentPageSetup& s) { s.PaperHeight = 2 * MaxLengthMm; }},
      {"margin", [](DocumentPageSetup& s) { s.LeftMargin = 10 * MaxLengthMm; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Document doc;
    c.Spoil(doc.Setup);
    Document back;
    EXPECT_FALSE(back.Read(doc.Bytes()).Ok());
  }
}
