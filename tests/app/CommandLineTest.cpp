// The headless commands: "--info" prints one JSON object with the agreed keys,
// "--export-png" paints the card without the grid; invalid documents give
// message 1002 on standard error and exit code 1, wrong arguments code 2.
#include <QCryptographicHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

#include "CardImage.h"
#include "CommandLine.h"
#include "CommandRun.h"
#include "DocumentTestSupport.h"
#include "StringTable.h"

namespace {

using namespace doctest;

// Standard output and error of one call, captured at the descriptors.
struct Outcome {
  bool Claimed = false;
  int Code = -1;
  QByteArray Out, Err;
};

Outcome RunCommand(QStringList args) {
  const CommandRun r = RunProgram(std::move(args));
  return {r.Claimed, r.Code, r.Out, r.Err};
}

QSet<QString> Keys(const QJsonObject& o) {
  const QStringList k = o.keys();
  return QSet<QString>(k.begin(), k.end());
}
QSet<QString> Set(std::initializer_list<const char*> names) {
  QSet<QString> s;
  for (const char* n : names) s.insert(QString::fromLatin1(n));
  return s;
}

// A card whose colours are easy to find in an image: a blue background
// picture and a red filled rectangle, on a worksheet with a dark grid.
QString WriteProbeCard(const QTemporaryDir& dir) {
  Document doc;
  QImage blue(455, 275, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 255));
  doc.Sheet.BGImage->Picture()->SetGraphic(Bitmap(blue));
  doc.Sheet.BGImage->Show();
  doc.Sheet.GridShape->Pen()->SetColor(clBlack);
  TQuShape* rect = doc.AddShape(qustRectangle, 100, 50, 100, 100);
  rect->Brush()->SetStyle(bsSolid);
  rect->Brush()->SetColor(clRed);
  rect->Pen()->SetColor(clRed);
  doc.AddLabel(QStringLiteral("名刺"), 250, 200);
  const QString path = dir.filePath(QStringLiteral("probe.tsl"));
  EXPECT_TRUE(SaveDocumentFile(path, doc.Sheet, doc.Setup, Version()).Ok());
  return path;
}

TEST(CommandLineInfo, PrintsOneJsonObjectWithTheAgreedKeys) {
  QTemporaryDir dir;
  Document doc;
  doc.Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("名刺１０面"));
  doc.Setup.InsideMarginX = 0.1f;
  doc.Sheet.ColorDialog->SetCustomColors({QStringLiteral("ColorA=0000FF"), QStringLiteral("ColorB=FFFFFFFF")});
  TQuShape* shape = doc.AddShape(qustCircle, 10, 20, 30, 30);
  shape->Pen()->SetStyle(psDot);
  shape->Brush()->SetStyle(bsClear);
  doc.AddLabel(QStringLiteral("山田\r\n太郎"), 5, 6)->Font()->SetStyle(FontStyleBit(fsItalic));
  const QByteArray jpeg = JpegBytes(Pattern(20, 10, Qt::white, Qt::black));
  doc.AddPicture(std::make_unique<TJPEGImage>(jpeg), 1, 2, 40, 20, 1);
  const QString path = dir.filePath(QStringLiteral("info.tsl"));
  ASSERT_TRUE(SaveDocumentFile(path, doc.Sheet, doc.Setup, Version()).Ok());

  const Outcome r = RunCommand({QStringLiteral("--info"), path});
  ASSERT_TRUE(r.Claimed);
  EXPECT_EQ(r.Code, 0) << r.Err.constData();
  EXPECT_TRUE(r.Err.isEmpty()) << r.Err.constData();
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(r.Out, &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << r.Out.constData();
  const QJsonObject o = json.object();
  EXPECT_EQ(Keys(o), Set({"sheet", "setup", "version", "background", "grid", "objects", "colors"}));
  EXPECT_EQ(Keys(o["sheet"].toObject()), Set({"width_mm", "height_mm", "width_px", "height_px"}));
  EXPECT_EQ(Keys(o["setup"].toObject()),
            Set({"name", "kind", "paper_width_mm", "paper_height_mm", "columns", "rows", "left_mm", "top_mm",
                 "gap_x_mm", "gap_y_mm", "unit", "overflow", "crop_marks", "legacy"}));
  EXPECT_EQ(Keys(o["background"].toObject()), Set({"visible", "left", "top", "width", "height", "picture"}));
  EXPECT_EQ(Keys(o["grid"].toObject()), Set({"spacing", "pen_color", "pen_width", "pen_style"}));
  EXPECT_EQ(Keys(o["colors"].toObject()), Set({"color", "custom"}));

  EXPECT_EQ(o["version"].toString(), QStringLiteral("2.0g"));
  EXPECT_EQ(o["setup"]["name"].toString(), QStringLiteral("名刺１０面"));
  EXPECT_EQ(o["setup"]["gap_x_mm"].toDouble(), 0.1);  // the float's shortest form
  EXPECT_EQ(o["sheet"]["width_mm"].toDouble(), 91.0);
  EXPECT_EQ(o["grid"]["pen_color"].toDouble(), double(0xC0C0C0));
  EXPECT_EQ(o["background"]["picture"], QJsonValue());
  EXPECT_EQ(o["colors"]["custom"].toArray(), (QJsonArray{255.0, QJsonValue()}));

  const QJsonArray objects = o["objects"].toArray();
  ASSERT_EQ(objects.size(), 3);
  const QSet<QString> common = Set({"class", "tag", "left", "top", "width", "height"});
  const QJsonObject s = objects[0].toObject(), l = objects[1].toObject(), p = objects[2].toObject();
  EXPECT_EQ(Keys(s), common + Set({"shape", "pen", "brush"}));
  EXPECT_EQ(Keys(s["pen"].toObject()), Set({"color", "width", "style", "mode"}));
  EXPECT_EQ(Keys(s["brush"].toObject()), Set({"color", "style"}));
  EXPECT_EQ(s["shape"].toString(), QStringLiteral("qustCircle"));
  EXPECT_EQ(s["pen"]["style"].toString(), QStringLiteral("psDot"));
  EXPECT_EQ(s["pen"]["mode"].toString(), QStringLiteral("pmCopy"));
  EXPECT_EQ(s["brush"]["style"].toString(), QStringLiteral("bsClear"));
  EXPECT_EQ(s["left"].toInt(), 10);
  EXPECT_EQ(Keys(l), common + Set({"caption", "gap", "transparent", "font"}));
  EXPECT_EQ(Keys(l["font"].toObject()),
            Set({"name", "height", "size", "color", "charset", "bold", "italic", "underline"}));
  EXPECT_EQ(l["caption"].toString(), QStringLiteral("山田\r\n太郎"));
  EXPECT_EQ(l["font"]["size"].toInt(), 12);
  EXPECT_TRUE(l["font"]["italic"].toBool());
  EXPECT_EQ(l["class"].toString(), QStringLiteral("TLabelEx"));
  EXPECT_EQ(Keys(p), common + Set({"stretch", "picture"}));
  EXPECT_EQ(p["tag"].toInt(), 1);
  const QJsonObject pic = p["picture"].toObject();
  EXPECT_EQ(Keys(pic), Set({"class", "bytes", "sha256", "width", "height"}));
  EXPECT_EQ(pic["class"].toString(), QStringLiteral("TJPEGImage"));
  EXPECT_EQ(pic["bytes"].toInt(), jpeg.size());
  EXPECT_EQ(pic["sha256"].toString(),
            QString::fromLatin1(QCryptographicHash::hash(jpeg, QCryptographicHash::Sha256).toHex()));
  EXPECT_EQ(pic["width"].toInt(), 20);
  EXPECT_EQ(pic["height"].toInt(), 10);
}

TEST(CommandLineInfo, InvalidDocumentsAndWrongArgumentsFail) {
  const QString damaged = QStringLiteral(TESSOLO_TEST_DATA "/documents/truncated-shape-stream.tsl");
  const QString shortFile = QStringLiteral(TESSOLO_TEST_DATA "/documents/short-19-bytes.tsl");
  for (const QString& file : {damaged, shortFile}) {
    const Outcome r = RunCommand({QStringLiteral("--info"), file});
    EXPECT_TRUE(r.Claimed);
    EXPECT_EQ(r.Code, 1);
    EXPECT_TRUE(r.Out.isEmpty());
    EXPECT_EQ(QString::fromUtf8(r.Err).section(QLatin1Char('\n'), 0, 0), LoadStr(1002));
  }
  const Outcome missing = RunCommand({QStringLiteral("--info"), QStringLiteral("/nonexistent/x.tsl")});
  EXPECT_EQ(missing.Code, 1);
  EXPECT_TRUE(missing.Err.contains("/nonexistent/x.tsl"));

  EXPECT_EQ(RunCommand({QStringLiteral("--info")}).Code, 2);
  EXPECT_EQ(RunCommand({QStringLiteral("--info"), damaged, damaged}).Code, 2);
  EXPECT_EQ(RunCommand({QStringLiteral("--help")}).Code, 0);
  // Anything else is for the window.
  EXPECT_FALSE(RunCommand({}).Claimed);
  EXPECT_FALSE(RunCommand({damaged}).Claimed);
  EXPECT_FALSE(RunCommand({QStringLiteral("--infos"), damaged}).Claimed);
}

TEST(CommandLineExport, PaintsBackgroundAndObjectsWithoutTheGridAtTheScale) {
  QTemporaryDir dir;
  const QString card = WriteProbeCard(dir);
  const QString png = dir.filePath(QStringLiteral("card.png"));
  Outcome r = RunCommand({QStringLiteral("--export-png"), png, card});
  ASSERT_TRUE(r.Claimed);
  ASSERT_EQ(r.Code, 0) << r.Err.constData();
  QImage image(png);
  ASSERT_EQ(image.size(), QSize(455, 275));
  EXPECT_EQ(image.pixelColor(150, 100), QColor(255, 0, 0));  // inside the rectangle
  EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 255));    // on a grid crossing: no grid
  EXPECT_EQ(image.pixelColor(30, 5), QColor(0, 0, 255));
  EXPECT_NEAR(image.dotsPerMeterX(), 5000, 1);  // 5 worksheet pixels per millimetre

  r = RunCommand({QStringLiteral("--export-png"), png, card, QStringLiteral("--scale"), QStringLiteral("2")});
  ASSERT_EQ(r.Code, 0) << r.Err.constData();
  image.load(png);
  ASSERT_EQ(image.size(), QSize(910, 550));
  EXPECT_EQ(image.pixelColor(300, 200), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(20, 20), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(190, 200), QColor(0, 0, 255));  // left of the scaled rectangle

  r = RunCommand({QStringLiteral("--export-png"), QStringLiteral("--scale=0.5"), png, card});
  ASSERT_EQ(r.Code, 0) << r.Err.constData();
  EXPECT_EQ(QImage(png).size(), QSize(228, 138));
}

TEST(CommandLineExport, FailuresExitWithACodeAndWriteNothing) {
  QTemporaryDir dir;
  const QString card = WriteProbeCard(dir);
  const QString png = dir.filePath(QStringLiteral("out.png"));
  const QString damaged = QStringLiteral(TESSOLO_TEST_DATA "/documents/stream-wrong-class.tsl");

  Outcome r = RunCommand({QStringLiteral("--export-png"), png, damaged});
  EXPECT_EQ(r.Code, 1);
  EXPECT_TRUE(QString::fromUtf8(r.Err).startsWith(LoadStr(1002)));
  EXPECT_EQ(RunCommand({QStringLiteral("--export-png"), png, card, QStringLiteral("--scale"), QStringLiteral("0")}).Code, 2);
  EXPECT_EQ(RunCommand({QStringLiteral("--export-png"), png, card, QStringLiteral("--scale")}).Code, 2);
  EXPECT_EQ(RunCommand({QStringLiteral("--export-png"), png, card, QStringLiteral("--scale=x")}).Code, 2);
  EXPECT_EQ(RunCommand({QStringLiteral("--export-png"), card}).Code, 2);
  r = RunCommand({QStringLiteral("--export-png"), png, card, QStringLiteral("--scale"), QStringLiteral("1000")});
  EXPECT_EQ(r.Code, 1);  // far too large an image, told in Japanese
  EXPECT_TRUE(QString::fromUtf8(r.Err).contains(QStringLiteral("455000 x 275000"))) << r.Err.toStdString();
  EXPECT_FALSE(QFile::exists(png));
  const QString nowhere = dir.filePath(QStringLiteral("no/such/folder.png"));
  r = RunCommand({QStringLiteral("--export-png"), nowhere, card});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(QString::fromUtf8(r.Err), LoadStr(1306).arg(nowhere, LoadStr(1317)) + QLatin1Char('\n'));

  // The document itself, by another name, is not the image's to overwrite.
  QFile original(card);
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray before = original.readAll();
  original.close();
  ASSERT_TRUE(QFile::link(card, dir.filePath(QStringLiteral("link.png"))));
  r = RunCommand({QStringLiteral("--export-png"), dir.filePath(QStringLiteral("link.png")), card});
  EXPECT_EQ(r.Code, 1);
  EXPECT_EQ(QString::fromUtf8(r.Err), LoadStr(1540).arg(dir.filePath(QStringLiteral("link.png"))) + QLatin1Char('\n'));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), before);
}

TEST(CardImage, OnlyTheBackgroundAndTheObjectsArePaintedAndTheAidsComeBack) {
  Document doc;
  TQuShape* rect = doc.AddShape(qustRectangle, 10, 10, 20, 20);
  rect->Brush()->SetColor(clLime);
  // An editing aid on the worksheet that is not a card object (a selection mark).
  auto* mark = new TQuShape(doc.Sheet.DrawPanel);
  mark->SetParent(doc.Sheet.DrawPanel);
  mark->SetLeft(100);
  mark->SetTop(100);
  mark->SetWidth(20);
  mark->SetHeight(20);
  mark->Brush()->SetColor(clBlack);
  doc.Sheet.GridShape->Pen()->SetColor(clBlack);

  const TOutcomeOf<QImage> rendered = RenderCardImage(doc.Sheet, 1.0);
  ASSERT_TRUE(rendered.Ok());
  const QImage& image = rendered.Value();
  ASSERT_EQ(image.size(), QSize(455, 275));
  EXPECT_EQ(image.pixelColor(20, 20), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(110, 110), QColor(Qt::white));  // the mark is not painted
  EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));    // nor the grid
  EXPECT_TRUE(mark->Visible());
  EXPECT_TRUE(doc.Sheet.GridShape->Visible());
  EXPECT_FALSE(doc.Sheet.BGImage->Visible());  // hidden stays hidden

  const TOutcome badScale = RenderCardImage(doc.Sheet, -1);
  EXPECT_EQ(badScale.Kind(), TOutcome::TKind::Refused);
  EXPECT_FALSE(badScale.Reason().isEmpty());
  TWorksheet none;
  EXPECT_FALSE(RenderCardImage(none, 1.0).Ok());
}

}  // namespace
