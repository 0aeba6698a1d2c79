// The document bytes: exact where the format fixes them, and every object
// kind and setting surviving a save and a load.
#include <QJsonDocument>

#include "DocumentInfo.h"
#include "DocumentTestSupport.h"
#include "ShiftJis.h"

namespace {

using namespace doctest;

TEST(DocumentBytes, EmptyDocumentIsByteExact) {
  Document doc;
  const QByteArray expected = Hex(
      // header: 91.0, 55.0, 455, 275
      "00 00 B6 42 00 00 5C 42 C7 01 00 00 13 01 00 00"
      // 14: "2.0g"
      "0E 00 00 00 32 2E 30 67 00 00 00 00"
      // 15: empty name, free setting, paper 0 x 0, 2 x 5, margins 14.0, 11.0, 0, 0
      "0F 00 00 00"
      "00000000000000000000000000000000 00000000000000000000000000000000"
      "00000000000000000000000000000000 00000000000000000000000000000000"
      "00 00 00 00 00 00 00 00 00 00 00 00 02 00 00 00 05 00 00 00"
      "00 00 60 41 00 00 30 41 00 00 00 00 00 00 00 00"
      // 16, 12, 11
      "10 00 00 00 00 00 00 00  0C 00 00 00 00 00 00 00  0B 00 00 00 01"
      // 7: TImage Left 0 Top 0 Width 455 Height 275 Enabled false Stretch true Visible false
      "07 00 00 00 54 50 46 30 06 54 49 6D 61 67 65 00"
      "04 4C 65 66 74 02 00 03 54 6F 70 02 00 05 57 69 64 74 68 03 C7 01 06 48 65 69 67 68 74 03 13 01"
      "07 45 6E 61 62 6C 65 64 08 07 53 74 72 65 74 63 68 09 07 56 69 73 69 62 6C 65 08 00 00"
      // 8: TGridShape Left 0 Top 0 Width 455 Height 275 Pen.Color clSilver Brush.Style bsClear GridWidth 10
      "08 00 00 00 54 50 46 30 0A 54 47 72 69 64 53 68 61 70 65 00"
      "04 4C 65 66 74 02 00 03 54 6F 70 02 00 05 57 69 64 74 68 03 C7 01 06 48 65 69 67 68 74 03 13 01"
      "09 50 65 6E 2E 43 6F 6C 6F 72 07 08 63 6C 53 69 6C 76 65 72"
      "0B 42 72 75 73 68 2E 53 74 79 6C 65 07 07 62 73 43 6C 65 61 72"
      "09 47 72 69 64 57 69 64 74 68 02 0A 00 00"
      // 5: TColorDialog Ctl3D true
      "05 00 00 00 54 50 46 30 0C 54 43 6F 6C 6F 72 44 69 61 6C 6F 67 00 05 43 74 6C 33 44 09 00 00");
  const QByteArray bytes = doc.Bytes();
  EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
  EXPECT_EQ(RecordTags(bytes), (std::vector<int>{14, 15, 16, 12, 11, 7, 8, 5}));

  // And back: same page setup, no objects.
  Document loaded;
  loaded.Setup.Retu = 9;
  ASSERT_TRUE(loaded.Read(bytes).Ok());
  EXPECT_EQ(loaded.Setup.Retu, 2);
  EXPECT_EQ(loaded.Setup.Dann, 5);
  EXPECT_TRUE(loaded.Sheet.ObjectList.empty());
  EXPECT_EQ(loaded.Version8, Hex("32 2E 30 67 00 00 00 00"));
  EXPECT_EQ(loaded.Bytes(), bytes);
}

TEST(DocumentBytes, HeaderSetupAndVersionFieldsFollowTheValues) {
  Document doc;
  doc.Setup.SheetWidth = 86.0f;
  doc.Setup.SheetHeight = 54.0f;
  doc.Setup.SheetWidthPx = 430;
  doc.Setup.SheetHeightPx = 270;
  doc.Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("名刺"));
  doc.Setup.SetupKind = skMaster;
  doc.Setup.PaperWidth = 215.9f;
  doc.Setup.OverflowAdjust = -3;
  doc.Setup.PageUnit = 1;
  doc.Setup.PrintTonbo = 0;
  const QByteArray bytes = doc.Bytes();
  EXPECT_EQ(bytes.first(16), Hex("00 00 AC 42 00 00 58 42 AE 01 00 00 0E 01 00 00"));
  EXPECT_EQ(bytes.sliced(28, 4), Hex("0F 00 00 00"));
  EXPECT_EQ(bytes.sliced(32, 6), Hex("96 BC 8E 68 00 00"));  // Shift-JIS, then zeros to 64 bytes
  EXPECT_EQ(bytes.sliced(96, 12), Hex("02 00 00 00 66 E6 57 43 00 00 00 00"));
  EXPECT_EQ(bytes.sliced(132, 21), Hex("10 00 00 00 01 00 00 00 0C 00 00 00 FD FF FF FF 0B 00 00 00 00"));

  EXPECT_EQ(DocumentFormat::VersionField("2.0g"), Hex("32 2E 30 67 00 00 00 00"));
  EXPECT_EQ(DocumentFormat::VersionField(QByteArray("2.0g\0\0\0\0", 8)), Hex("32 2E 30 67 00 00 00 00"));
  EXPECT_EQ(DocumentFormat::VersionField("10.20.30.40"), QByteArray("10.20.3\0", 8));  // stays terminated
  EXPECT_EQ(DocumentFormat::VersionText(Hex("32 2E 30 67 00 41 41 41")), QStringLiteral("2.0g"));
}

// A card with every kind of object and every setting a document carries.
void FillRichDocument(Document& doc) {
  DocumentPageSetup& s = doc.Setup;
  s.SetupName = SetupNameBuffer::FromText(QStringLiteral("Ａ４　１０面"));
  s.SetupKind = skUser;
  s.PaperWidth = 210.0f;
  s.PaperHeight = 297.0f;
  s.Retu = 3;
  s.Dann = 7;
  s.LeftMargin = 12.3f;
  s.TopMargin = 4.5f;
  s.InsideMarginX = 0.1f;
  s.InsideMarginY = 2.5f;
  s.PageUnit = 1;
  s.OverflowAdjust = 2;
  s.PrintTonbo = 0;

  doc.Sheet.BGImage->Picture()->SetGraphic(Jpeg(Pattern(64, 40, Qt::yellow, Qt::darkGreen)));
  doc.Sheet.BGImage->Show();
  doc.Sheet.GridShape->SetGridWidth(25);
  doc.Sheet.GridShape->Pen()->SetColor(TColor(0x123456));
  doc.Sheet.GridShape->Pen()->SetStyle(psDot);
  doc.Sheet.ColorDialog->SetColor(TColor(0x00A0B0));
  QStringList custom;
  for (char c = 'A'; c <= 'P'; ++c) custom << QStringLiteral("Color%1=%2").arg(QChar(c)).arg(c == 'C' ? "ABCDEF" : "FFFFFFFF");
  doc.Sheet.ColorDialog->SetCustomColors(custom);

  const TQuShapeType types[] = {qustRectangle, qustSquare, qustRoundRect, qustRoundSquare,
                                qustEllipse,   qustCircle, qustLinea,     qustLineb};
  int i = 0;
  for (TQuShapeType type : types) {
    TQuShape* shape = doc.AddShape(type, 5 + 20 * i, 7 + 9 * i, 40 + i, 30 + 2 * i);
    shape->Pen()->SetWidth(1 + i % 6);
    shape->Pen()->SetStyle(i % 2 ? psDot : psSolid);
    shape->Pen()->SetColor(i % 3 ? TColor(0x102030 * i) : clRed);
    shape->Pen()->SetMode(i == 3 ? pmXor : pmCopy);
    shape->Brush()->SetStyle(i % 2 ? bsClear : bsSolid);
    shape->Brush()->SetColor(i % 2 ? clSilver : TColor(0x0A0B0C));
    ++i;
  }
  TLabelEx* name = doc.AddLabel(QStringLiteral("山田　太郎\r\nYamada Taro"), 20, 30);
  name->SetGap(3);
  name->SetTransparent(true);
  name->Font()->SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
  name->Font()->SetColor(TColor(0x336699));
  name->Font()->SetSize(20);
  TLabelEx* plain = doc.AddLabel(QStringLiteral("tel 03-1234-5678"), 20, 200);
  plain->Font()->SetName(QStringLiteral("Arial"));
  plain->Font()->SetCharset(ANSI_CHARSET);
  plain->Font()->SetStyle(FontStyleBit(fsItalic));
  doc.AddPicture(Bitmap(Pattern(30, 20, Qt::red, Qt::blue)), 300, 20, 60, 40);
  doc.AddPicture(Jpeg(Pattern(50, 16, Qt::white, Qt::black)), 300, 100, 100, 32, 1)->SetStretch(false);
}

TEST(DocumentRoundTrip, EveryObjectKindAndSettingComesBack) {
  Document doc;
  FillRichDocument(doc);
  const QByteArray bytes = doc.Bytes();
  EXPECT_EQ(RecordTags(bytes), (std::vector<int>{14, 15, 16, 12, 11, 7, 8, 2, 2, 2, 2, 2, 2, 2, 2, 17, 17, 4, 4, 5}));

  Document loaded;
  ASSERT_TRUE(loaded.Read(bytes).Ok());
  EXPECT_EQ(loaded.Resets, 1);
  ASSERT_EQ(loaded.Sheet.ObjectList.size(), doc.Sheet.ObjectList.size());
  // The description covers every value a card shows; the bytes cover the rest.
  EXPECT_EQ(QJsonDocument(DescribeDocument(loaded.Sheet, loaded.Setup, loaded.Version8)).toJson(),
            QJsonDocument(DescribeDocument(doc.Sheet, doc.Setup, DocumentFormat::VersionField(Version()))).toJson());
  EXPECT_EQ(loaded.Bytes(), bytes);
  EXPECT_EQ(loaded.Setup.SetupName.Text(), QStringLiteral("Ａ４　１０面"));
  EXPECT_EQ(loaded.Setup.InsideMarginX, 0.1f);
  EXPECT_EQ(loaded.Setup.PrintTonbo, 0);
  EXPECT_EQ(loaded.Sheet.ColorDialog->CustomColors(), doc.Sheet.ColorDialog->CustomColors());
  // Every object lies on the worksheet above the background and the grid.
  const auto& children = loaded.Sheet.DrawPanel->Controls();
  ASSERT_EQ(children.size(), loaded.Sheet.ObjectList.size() + 2);
  EXPECT_EQ(children[0], loaded.Sheet.BGImage);
  EXPECT_EQ(children[1], loaded.Sheet.GridShape);
  for (size_t k = 0; k < loaded.Sheet.ObjectList.size(); ++k) {
    EXPECT_EQ(children[k + 2], loaded.Sheet.ObjectList[k]);
    EXPECT_EQ(loaded.Sheet.ObjectList[k]->Owner(), loaded.Sheet.DrawPanel);
    EXPECT_EQ(loaded.Sheet.ObjectList[k]->Cursor(), crHandPoint);
  }
}

TEST(DocumentRoundTrip, StackingOrderAfterFrontAndBackComesBack) {
  Document doc;
  TQuShape* a = doc.AddShape(qustRectangle, 1, 1, 10, 10);
  TLabelEx* b = doc.AddLabel(QStringLiteral("B"), 2, 2);
  TQuShape* c = doc.AddShape(qustCircle, 3, 3, 10, 10);
  // Bring a to the front, then send c to the back (just above the grid), as
  // the stacking commands do.
  auto& list = doc.Sheet.ObjectList;
  a->BringToFront();
  list = {b, c, a};
  doc.Sheet.DrawPanel->SetChildOrder(c, 2);
  list = {c, b, a};

  Document loaded;
  ASSERT_TRUE(loaded.Read(doc.Bytes()).Ok());
  const auto& got = loaded.Sheet.ObjectList;
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0]->ClassName(), "TQuShape");
  EXPECT_EQ(static_cast<TQuShape*>(got[0])->Shape(), qustCircle);
  EXPECT_EQ(got[1]->ClassName(), "TLabelEx");
  EXPECT_EQ(static_cast<TQuShape*>(got[2])->Shape(), qustRectangle);
  const auto& children = loaded.Sheet.DrawPanel->Controls();
  EXPECT_EQ(std::vector<TControl*>(children.begin() + 2, children.end()), got);
}

TEST(DocumentRoundTrip, BackgroundVisibilityIsKeptAndTheGridIsAlwaysShown) {
  for (bool shown : {false, true}) {
    Document doc;
    doc.Sheet.BGImage->SetVisible(shown);
    doc.Sheet.GridShape->Hide();
    Document loaded;
    loaded.Sheet.BGImage->SetVisible(!shown);
    ASSERT_TRUE(loaded.Read(doc.Bytes()).Ok());
    EXPECT_EQ(loaded.Sheet.BGImage->Visible(), shown);
    EXPECT_FALSE(loaded.Sheet.BGImage->Enabled());
    EXPECT_TRUE(loaded.Sheet.BGImage->Stretch());
    EXPECT_TRUE(loaded.Sheet.GridShape->Visible());
  }
  // A grid hidden by the window before the load is shown after it too.
  Document loaded;
  DocumentLoadHooks hooks = loaded.Hooks();
  hooks.ResetWorksheet = [&] {
    loaded.Sheet.BuildWorksheet(455, 275);
    loaded.Sheet.GridShape->Hide();
  };
  ASSERT_TRUE(DocumentFormat::ReadDocument(Document().Bytes(), loaded.Sheet, loaded.Setup, loaded.Version8, hooks).Ok());
  EXPECT_TRUE(loaded.Sheet.GridShape->Visible());
}

TEST(DocumentRoundTrip, PictureBytesAreKeptExactly) {
  Document doc;
  const QByteArray jpeg = JpegBytes(Pattern(40, 30, Qt::cyan, Qt::magenta), 60);
  const std::unique_ptr<TGraphic> bmp = Bitmap(Pattern(7, 5, Qt::green, Qt::gray));  // rows padded to 4 bytes
  const QByteArray bmpBytes = bmp->Bytes();
  doc.AddPicture(std::make_unique<TJPEGImage>(jpeg), 1, 1, 40, 30);
  doc.AddPicture(bmp->Clone(), 1, 1, 7, 5, 1);
  doc.Sheet.BGImage->Picture()->SetGraphic(std::make_unique<TJPEGImage>(jpeg));
  const QByteArray bytes = doc.Bytes();

  char size[4];
  qToLittleEndian<qint32>(qint32(jpeg.size()), size);
  EXPECT_TRUE(bytes.contains(QByteArray("\x0ATJPEGImage") + QByteArray(size, 4) + jpeg));
  qToLittleEndian<qint32>(qint32(bmpBytes.size()), size);
  EXPECT_TRUE(bytes.contains(QByteArray("\x07TBitmap") + QByteArray(size, 4) + bmpBytes));
  EXPECT_TRUE(bmpBytes.startsWith("BM"));

  Document loaded;
  ASSERT_TRUE(loaded.Read(bytes).Ok());
  auto graphic = [&](int i) { return static_cast<TImage*>(loaded.Sheet.ObjectList[i])->Picture()->Graphic(); };
  EXPECT_EQ(graphic(0)->GraphicClassName(), "TJPEGImage");
  EXPECT_EQ(graphic(0)->Bytes(), jpeg);
  EXPECT_EQ(graphic(1)->GraphicClassName(), "TBitmap");
  EXPECT_EQ(graphic(1)->Bytes(), bmpBytes);
  EXPECT_EQ(loaded.Sheet.ObjectList[1]->Tag(), 1);
  EXPECT_EQ(loaded.Sheet.BGImage->Picture()->Graphic()->Bytes(), jpeg);
  EXPECT_EQ(graphic(1)->Image().pixelColor(0, 0), QColor(Qt::green));
}

TEST(DocumentRoundTrip, CaptionsLongerThan255BytesAreWrittenAsLongStrings) {
  Document doc;
  QString text;
  for (int i = 0; i < 200; ++i) text += i % 10 == 9 ? QStringLiteral("\r\n") : QStringLiteral("名");  // 2 bytes each
  doc.AddLabel(text, 0, 0);
  doc.AddLabel(QString(255, QLatin1Char('x')), 0, 0);  // still a short string
  const QByteArray bytes = doc.Bytes();
  const QByteArray sjis = ShiftJis::Encode(text);
  ASSERT_GT(sjis.size(), 255);
  char size[4];
  qToLittleEndian<quint32>(quint32(sjis.size()), size);
  EXPECT_TRUE(bytes.contains(QByteArray("\x07" "Caption\x0C") + QByteArray(size, 4) + sjis));
  EXPECT_TRUE(bytes.contains(QByteArray("\x07" "Caption\x06\xFF") + QByteArray(255, 'x')));

  Document loaded;
  ASSERT_TRUE(loaded.Read(bytes).Ok());
  ASSERT_EQ(loaded.Sheet.ObjectList.size(), 2u);
  EXPECT_EQ(static_cast<TLabelEx*>(loaded.Sheet.ObjectList[0])->Caption(), text);
  EXPECT_EQ(static_cast<TLabelEx*>(loaded.Sheet.ObjectList[1])->Caption(), QString(255, QLatin1Char('x')));
}

TEST(DocumentRoundTrip, ObjectsOfOtherClassesAndEmptyEntriesAreNotWritten) {
  Document doc;
  doc.AddShape(qustSquare, 1, 1, 5, 5);
  doc.Sheet.ObjectList.push_back(nullptr);
  auto* stray = new TGridShape(doc.Sheet.DrawPanel);
  stray->SetParent(doc.Sheet.DrawPanel);
  doc.Sheet.ObjectList.push_back(stray);
  EXPECT_EQ(RecordTags(doc.Bytes()), (std::vector<int>{14, 15, 16, 12, 11, 7, 8, 2, 5}));
}

TEST(OlderRecords, Records9And10GiveALegacyA4SetupAndAreWrittenBackAsCurrentRecords) {
  Document doc;
  doc.Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("kept"));
  doc.Setup.SetupKind = skMaster;
  doc.Setup.PageUnit = 1;
  ASSERT_TRUE(doc.Read(TestFile("old-form.tsl")).Ok());
  const DocumentPageSetup& s = doc.Setup;
  EXPECT_EQ(s.Retu, 3);
  EXPECT_EQ(s.Dann, 4);
  EXPECT_EQ(s.LeftMargin, 10.5f);
  EXPECT_EQ(s.TopMargin, 12.5f);
  EXPECT_EQ(s.InsideMarginX, 2.0f);
  EXPECT_EQ(s.InsideMarginY, 3.0f);
  EXPECT_EQ(s.PaperWidth, 210.0f);
  EXPECT_EQ(s.PaperHeight, 297.0f);
  EXPECT_EQ(s.SetupKind, skFree);
  EXPECT_EQ(s.OverflowAdjust, -2);
  EXPECT_TRUE(s.LegacyPageSetup);
  EXPECT_EQ(s.PageUnit, 1);  // not in the file: kept
  EXPECT_EQ(s.SetupName.Text(), QStringLiteral("kept"));
  EXPECT_EQ(doc.Version8, QByteArray(8, '\0'));  // no record 14: cleared
  EXPECT_FALSE(doc.Sheet.BGImage->Visible());

  // The label under tag 3 reads like one under 17 ...
  ASSERT_EQ(doc.Sheet.ObjectList.size(), 2u);
  auto* label = dynamic_cast<TLabelEx*>(doc.Sheet.ObjectList[1]);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), QStringLiteral("山田\r\n太郎"));
  EXPECT_EQ(label->Font()->Height(), -16);
  EXPECT_TRUE(label->Font()->Has(fsBold));
  EXPECT_EQ(label->Gap(), 2);
  EXPECT_TRUE(label->Transparent());
  auto* circle = dynamic_cast<TQuShape*>(doc.Sheet.ObjectList[0]);
  ASSERT_NE(circle, nullptr);
  EXPECT_EQ(circle->Shape(), qustCircle);
  EXPECT_EQ(circle->Pen()->Color(), clRed);
  EXPECT_EQ(doc.Sheet.ColorDialog->Color(), clRed);
  EXPECT_EQ(doc.Sheet.ColorDialog->CustomColors().value(1), QStringLiteral("ColorB=00FF00"));

  // ... and is written back under 17, with the current page-setup records.
  const QByteArray saved = doc.Bytes();
  EXPECT_EQ(RecordTags(saved), (std::vector<int>{14, 15, 16, 12, 11, 7, 8, 2, 17, 5}));
  Document again;
  ASSERT_TRUE(again.Read(saved).Ok());
  EXPECT_FALSE(again.Setup.LegacyPageSetup);
  EXPECT_EQ(again.Setup.Retu, 3);
  EXPECT_EQ(again.Setup.OverflowAdjust, -2);
  EXPECT_EQ(again.Setup.PaperWidth, 210.0f);

  Document zero;
  zero.Setup.OverflowAdjust = 3;
  ASSERT_TRUE(zero.Read(TestFile("old-overflow-zero.tsl")).Ok());
  EXPECT_EQ(zero.Setup.OverflowAdjust, 0);
}

TEST(OlderRecords, HeaderWithOnlyRecord13LoadsAsAnEmptyWorksheetOfTheHeadersSize) {
  Document doc;
  doc.AddShape(qustRectangle, 0, 0, 5, 5);
  doc.Setup.Retu = 4;
  ASSERT_TRUE(doc.Read(TestFile("header-and-record13.tsl")).Ok());
  EXPECT_EQ(doc.Resets, 1);
  EXPECT_TRUE(doc.Sheet.ObjectList.empty());
  EXPECT_EQ(doc.Sheet.DrawPanel->Width(), 500);
  EXPECT_EQ(doc.Sheet.DrawPanel->Height(), 300);
  EXPECT_EQ(doc.Setup.SheetWidth, 100.0f);
  EXPECT_EQ(doc.Setup.SheetHeightPx, 300);
  EXPECT_EQ(doc.Setup.Retu, 4);  // fields the file lacks keep their values
}

TEST(DocumentRead, LaterRecordsOverrideEarlierOnesAndEveryObjectRecordAddsAnObject) {
  Document doc;
  ASSERT_TRUE(doc.Read(TestFile("repeated-records.tsl")).Ok());
  EXPECT_EQ(doc.Setup.SetupName.Text(), QStringLiteral("二番目"));
  EXPECT_EQ(doc.Setup.SetupKind, skMaster);
  EXPECT_EQ(doc.Setup.PaperWidth, 297.0f);
  EXPECT_EQ(doc.Setup.Retu, 4);
  EXPECT_EQ(doc.Setup.OverflowAdjust, -1);
  EXPECT_EQ(doc.Setup.PrintTonbo, 7);
  ASSERT_EQ(doc.Sheet.ObjectList.size(), 3u);
  auto* rect = static_cast<TQuShape*>(doc.Sheet.ObjectList[0]);
  EXPECT_EQ(rect->Shape(), qustRectangle);
  EXPECT_EQ(rect->Pen()->Style(), psDot);
  EXPECT_EQ(rect->Pen()->Width(), 3);
  EXPECT_EQ(rect->Brush()->Color(), TColor(0x336699));
  EXPECT_EQ(rect->Width(), 200);
  EXPECT_EQ(doc.Sheet.ObjectList[2]->ClassName(), "TLabelEx");
}

}  // namespace
