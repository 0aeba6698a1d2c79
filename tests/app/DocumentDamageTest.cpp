// Files that are not documents, or documents damaged inside: message 1002
// (with what is wrong for damage inside), -1, the page setup as before, and
// the worksheet either untouched or left for the caller to discard.
#include <QDir>
#include <QRegularExpression>

#include <map>

#include "DocumentTestSupport.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"

namespace {

using namespace doctest;
using DocumentFormat::ReadError;

// Every file the test-data script makes that is not a valid document, with
// how the reader must fail.
const std::map<QString, ReadError>& DamagedFiles() {
  static const std::map<QString, ReadError> files = {
      {"short-19-bytes.tsl", ReadError::TooShort},
      {"tag6-after-header.tsl", ReadError::UnknownTag},
      {"tag0-after-objects.tsl", ReadError::UnknownTag},
      {"tag18.tsl", ReadError::UnknownTag},
      {"tag-negative.tsl", ReadError::UnknownTag},
      {"header-negative-width.tsl", ReadError::BadHeader},
      {"header-huge-height.tsl", ReadError::BadHeader},
      {"header-nan-width.tsl", ReadError::BadHeader},
      {"truncated-tag.tsl", ReadError::Damaged},
      {"truncated-version.tsl", ReadError::Damaged},
      {"truncated-page-setup.tsl", ReadError::Damaged},
      {"truncated-old-setup.tsl", ReadError::Damaged},
      {"truncated-overflow-flag.tsl", ReadError::Damaged},
      {"truncated-tonbo.tsl", ReadError::Damaged},
      {"truncated-adjust.tsl", ReadError::Damaged},
      {"truncated-unused.tsl", ReadError::Damaged},
      {"truncated-unit.tsl", ReadError::Damaged},
      {"truncated-shape-stream.tsl", ReadError::Damaged},
      {"truncated-label-stream.tsl", ReadError::Damaged},
      {"truncated-color-dialog.tsl", ReadError::Damaged},
      {"empty-stream.tsl", ReadError::Damaged},
      {"page-setup-nan-margin.tsl", ReadError::Damaged},
      {"page-setup-huge-columns.tsl", ReadError::Damaged},
      {"page-setup-bad-kind.tsl", ReadError::Damaged},
      {"old-setup-infinite-gap.tsl", ReadError::Damaged},
      {"overflow-out-of-range.tsl", ReadError::Damaged},
      {"stream-no-signature.tsl", ReadError::Damaged},
      {"stream-wrong-class.tsl", ReadError::Damaged},
      {"stream-label-in-background.tsl", ReadError::Damaged},
      {"stream-unknown-value-type.tsl", ReadError::Damaged},
      {"stream-unknown-shape.tsl", ReadError::Damaged},
      {"stream-wrong-value-kind.tsl", ReadError::Damaged},
      {"stream-huge-string.tsl", ReadError::Damaged},
      {"stream-huge-binary.tsl", ReadError::Damaged},
      {"stream-no-end.tsl", ReadError::Damaged},
      {"stream-deep-lists.tsl", ReadError::Damaged},
      {"picture-cut-short.tsl", ReadError::Damaged},
      {"picture-not-jpeg.tsl", ReadError::Damaged},
      {"picture-not-bitmap.tsl", ReadError::Damaged},
      {"picture-unknown-graphic.tsl", ReadError::Damaged},
      {"picture-negative-size.tsl", ReadError::Damaged},
      {"background-picture-damaged.tsl", ReadError::Damaged},
  };
  return files;
}

// Two English words in a row: a sentence meant for developers.
const QRegularExpression kEnglishWords(QStringLiteral("[A-Za-z]{2,}[ ,:;]+[A-Za-z]{2,}"));

const QStringList kValidFiles = {"header-and-record13.tsl", "old-form.tsl", "old-overflow-zero.tsl",
                                 "repeated-records.tsl", "bitmap-picture.tsl"};

TEST(DamagedDocuments, EveryTestFileIsCoveredAndTheValidOnesLoad) {
  const QStringList names = QDir(QStringLiteral(TESSOLO_TEST_DATA "/documents")).entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names)
    EXPECT_TRUE(DamagedFiles().count(name) || kValidFiles.contains(name)) << name.toStdString() << " is not tested";
  for (const QString& name : kValidFiles) {
    Document doc;
    EXPECT_TRUE(doc.Read(TestFile(name.toLatin1().constData())).Ok()) << name.toStdString();
  }
}

TEST(DamagedDocuments, EachFailsWithMessage1002AndLeavesTheSetupAsBefore) {
  for (const auto& [name, kind] : DamagedFiles()) {
    SCOPED_TRACE(name.toStdString());
    Document doc;
    doc.Setup.Retu = 8;
    doc.Setup.SheetWidthPx = 123;
    doc.Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("before"));
    doc.Version8 = "previous";
    const DocumentPageSetup before = doc.Setup;

    ScopedScriptedUI ui;
    const QByteArray bytes = TestFile(name.toLatin1().constData());
    const DocumentFormat::ReadResult r =
        DocumentFormat::ReadDocument(bytes, doc.Sheet, doc.Setup, doc.Version8, doc.Hooks());
    EXPECT_EQ(int(r.Error), int(kind));
    EXPECT_FALSE(r.Detail.isEmpty());
    EXPECT_EQ(r.WorksheetReset, kind != ReadError::TooShort && kind != ReadError::BadHeader);
    EXPECT_EQ(doc.Resets, r.WorksheetReset ? 1 : 0);
    EXPECT_EQ(doc.Setup.Retu, before.Retu);
    EXPECT_EQ(doc.Setup.SheetWidthPx, before.SheetWidthPx);
    EXPECT_EQ(doc.Setup.SetupName, before.SetupName);
    EXPECT_EQ(doc.Setup.LegacyPageSetup, before.LegacyPageSetup);
    EXPECT_EQ(doc.Version8, "previous");
    // Whatever was read is still a consistent worksheet the caller can discard.
    for (TControl* c : doc.Sheet.ObjectList) EXPECT_EQ(c->Parent(), doc.Sheet.DrawPanel);
    EXPECT_EQ(doc.Sheet.DrawPanel->Controls().size(), doc.Sheet.ObjectList.size() + 2);

    // Through the loader the user sees message 1002, plus the reason for
    // damage inside a record.
    Document viaLoader;
    EXPECT_EQ(LoadDocumentBytes(bytes, viaLoader.Sheet, viaLoader.Setup, viaLoader.Version8, viaLoader.Hooks()).Kind(),
              TOutcome::TKind::Failed);
    ASSERT_EQ(ui.Ui.Calls().size(), 1u);
    const auto& call = ui.Ui.Calls()[0];
    EXPECT_EQ(call.What, ScriptedUserInterface::Call::Message);
    EXPECT_EQ(call.Title, LoadStr(1010));
    EXPECT_EQ(call.Buttons, mbOK);
    if (kind == ReadError::TooShort || kind == ReadError::UnknownTag)
      EXPECT_EQ(call.Text, LoadStr(1002));
    else
      EXPECT_EQ(call.Text, LoadStr(1002) + QStringLiteral("\n\n") + r.Detail);
    // Whatever the reason, the user reads it in Japanese.
    EXPECT_FALSE(call.Text.contains(kEnglishWords)) << call.Text.toStdString();
  }
}

TEST(DamagedDocuments, A19ByteFileLeavesTheWorksheetUntouched) {
  Document doc;
  TQuShape* shape = doc.AddShape(qustEllipse, 1, 2, 3, 4);
  TPanel* panel = doc.Sheet.DrawPanel;
  ScopedScriptedUI ui;
  EXPECT_EQ(LoadDocumentBytes(TestFile("short-19-bytes.tsl"), doc.Sheet, doc.Setup, doc.Version8, doc.Hooks()).Kind(),
            TOutcome::TKind::Failed);
  EXPECT_EQ(doc.Resets, 0);
  EXPECT_EQ(doc.Sheet.DrawPanel, panel);
  ASSERT_EQ(doc.Sheet.ObjectList.size(), 1u);
  EXPECT_EQ(doc.Sheet.ObjectList[0], shape);
  EXPECT_EQ(ui.Ui.Messages(), std::vector<QString>{LoadStr(1002)});
}

TEST(DamagedDocuments, AnUnknownTagComesAfterTheResetAndKeepsWhatWasRead) {
  Document doc;
  doc.AddShape(qustEllipse, 1, 2, 3, 4);
  const DocumentFormat::ReadResult tag6 = doc.Read(TestFile("tag6-after-header.tsl"));
  EXPECT_EQ(tag6.Error, ReadError::UnknownTag);
  EXPECT_EQ(doc.Resets, 1);
  EXPECT_TRUE(doc.Sheet.ObjectList.empty());

  const DocumentFormat::ReadResult tag0 = doc.Read(TestFile("tag0-after-objects.tsl"));
  EXPECT_EQ(tag0.Error, ReadError::UnknownTag);
  ASSERT_EQ(doc.Sheet.ObjectList.size(), 1u);  // the circle before the bad tag
  EXPECT_EQ(static_cast<TQuShape*>(doc.Sheet.ObjectList[0])->Shape(), qustCircle);
}

TEST(DamagedDocuments, AHalfReadObjectIsNotLeftOnTheWorksheet) {
  Document doc;
  const DocumentFormat::ReadResult r = doc.Read(TestFile("truncated-shape-stream.tsl"));
  EXPECT_EQ(r.Error, ReadError::Damaged);
  EXPECT_TRUE(r.Detail.contains(QStringLiteral("タグ 2"))) << r.Detail.toStdString();
  EXPECT_TRUE(doc.Sheet.ObjectList.empty());
  EXPECT_EQ(doc.Sheet.DrawPanel->Controls().size(), 2u);
  EXPECT_TRUE(doc.Sheet.DrawPanel->Components().size() == 2u);
}

TEST(DamagedDocuments, EveryCutOfAValidDocumentFailsCleanly) {
  Document source;
  source.AddShape(qustRoundRect, 5, 5, 50, 30)->Brush()->SetColor(clAqua);
  source.AddLabel(QStringLiteral("切り詰め"), 10, 10);
  source.AddPicture(Bitmap(Pattern(4, 4, Qt::red, Qt::blue)), 1, 1, 8, 8);
  const QByteArray bytes = source.Bytes();
  for (qsizetype n = 0; n < bytes.size(); ++n) {
    Document doc;
    const DocumentFormat::ReadResult r = doc.Read(QByteArrayView(bytes).first(n));
    if (r.Ok()) {
      // Only a cut exactly between records reads; it then holds a prefix.
      EXPECT_LE(doc.Sheet.ObjectList.size(), 3u) << n;
      continue;
    }
    EXPECT_NE(r.Error, ReadError::UnknownTag) << "cut at " << n << ": " << r.Detail.toStdString();
    EXPECT_EQ(r.Error, n < 20 ? ReadError::TooShort : ReadError::Damaged) << n;
  }
}

}  // namespace
