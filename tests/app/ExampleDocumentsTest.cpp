// The example documents under examples/: how they are made, and that each
// one loads and saves back to the same bytes. scripts/make-examples runs
// this test with TESSOLO_WRITE_EXAMPLES set to write them anew.
#include <QDir>
#include <QFile>
#include <QPainterPath>

#include <functional>

#include "DocumentTestSupport.h"

namespace {

using namespace doctest;

const QString kExamples = QStringLiteral(TESSOLO_TEST_DATA "/../../examples");

TLabelEx* Text(Document& doc, const QString& text, int left, int top, int points, TColor color = clBlack,
               bool bold = false) {
  TLabelEx* label = doc.AddLabel(text, left, top);
  label->Font()->SetSize(points);
  label->Font()->SetColor(color);
  if (bold) label->Font()->SetStyle(FontStyleBit(fsBold));
  label->SetTransparent(true);
  label->SetBounds(left, top, 40 + int(text.size()) * points * 4 / 3, points * 2 + 4);
  return label;
}

void CustomColors(Document& doc, std::initializer_list<const char*> colors) {
  QStringList lines;
  auto it = colors.begin();
  for (char c = 'A'; c <= 'P'; ++c)
    lines << QStringLiteral("Color%1=%2").arg(QChar(c)).arg(QLatin1String(it != colors.end() ? *it++ : "FFFFFFFF"));
  doc.Sheet.ColorDialog->SetCustomColors(lines);
}

QImage Logo() {
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0, 90, 160));
  p.setPen(Qt::NoPen);
  p.drawEllipse(4, 4, 56, 56);
  p.setBrush(Qt::white);
  p.drawRect(28, 14, 8, 36);
  p.drawRect(14, 28, 36, 8);
  return image;
}

// A plain card: name, title and address with a logo and a frame.
void BusinessCard(Document& doc) {
  doc.Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("Ａ４　２列５段"));
  doc.Setup.SetupKind = skMaster;
  doc.Setup.PaperWidth = 210.0f;
  doc.Setup.PaperHeight = 297.0f;
  TQuShape* frame = doc.AddShape(qustRoundRect, 8, 8, 438, 258);
  frame->Pen()->SetColor(TColor(0xA06000));
  frame->Pen()->SetWidth(2);
  frame->Brush()->SetStyle(bsClear);
  TQuShape* rule = doc.AddShape(qustLinea, 30, 150, 395, 0);
  rule->Pen()->SetColor(TColor(0xA06000));
  doc.AddPicture(Bitmap(Logo()), 360, 30, 64, 64);
  Text(doc, QStringLiteral("株式会社　テソロ"), 30, 30, 10, TColor(0xA06000), true);
  Text(doc, QStringLiteral("営業部　課長"), 30, 80, 9);
  Text(doc, QStringLiteral("山田　太郎"), 30, 100, 18, clBlack, true)->SetGap(4);
  Text(doc, QStringLiteral("〒100-0001 東京都千代田区1-1-1\r\nTEL 03-1234-5678  FAX 03-1234-5679"), 30, 165, 8)
      ->SetBounds(30, 165, 400, 40);
  Text(doc, QStringLiteral("taro.yamada@example.com"), 30, 215, 8, TColor(0x404040));
  doc.Sheet.ColorDialog->SetColor(TColor(0xA06000));
  CustomColors(doc, {"A06000", "404040"});
}

QImage Sky() {
  QImage image(455, 275, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, 275);
  g.setColorAt(0, QColor(20, 60, 140));
  g.setColorAt(1, QColor(240, 170, 90));
  p.fillRect(image.rect(), g);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(255, 240, 200));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(360, 190), 45, 45);
  QPainterPath hills;
  hills.moveTo(0, 275);
  hills.cubicTo(120, 170, 240, 260, 455, 200);
  hills.lineTo(455, 275);
  p.fillPath(hills, QColor(30, 40, 60));
  return image;
}

QImage Phrase() {
  QImage image(160, 40, QImage::Format_RGB32);
  image.fill(QColor(255, 250, 235));
  QPainter p(&image);
  p.setPen(QPen(QColor(180, 40, 40), 3));
  p.drawRoundedRect(2, 2, 155, 35, 8, 8);
  p.drawLine(20, 20, 140, 20);
  return image;
}

// A photograph behind the text, and a catch phrase.
void PhotoCard(Document& doc) {
  doc.Sheet.BGImage->Picture()->SetGraphic(Jpeg(Sky()));
  doc.Sheet.BGImage->Show();
  Text(doc, QStringLiteral("SUNSET DESIGN"), 30, 30, 16, clWhite, true)->SetGap(2);
  Text(doc, QStringLiteral("佐藤　花子"), 30, 80, 14, clWhite);
  Text(doc, QStringLiteral("hanako@example.com"), 30, 120, 8, clWhite);
  doc.AddPicture(Bitmap(Phrase()), 270, 30, 160, 40, 1);
  TQuShape* dot = doc.AddShape(qustCircle, 30, 160, 12, 12);
  dot->Brush()->SetColor(clYellow);
  dot->Pen()->SetColor(clYellow);
}

// One of every shape on a card of another size, with the other settings
// away from their defaults.
void ShapeSampler(Document& doc) {
  doc.Setup.SheetWidth = 86.0f;
  doc.Setup.SheetHeight = 54.0f;
  doc.Setup.SheetWidthPx = 430;
  doc.Setup.SheetHeightPx = 270;
  doc.Sheet.BuildWorksheet(430, 270);
  doc.Sheet.BGImage->Hide();
  doc.Setup.SetupName = SetupNameBuffer::FromText(QStringLiteral("Letter 2 x 5"));
  doc.Setup.SetupKind = skUser;
  doc.Setup.PaperWidth = 215.9f;
  doc.Setup.PaperHeight = 279.4f;
  doc.Setup.LeftMargin = 19.0f;
  doc.Setup.TopMargin = 12.7f;
  doc.Setup.InsideMarginX = 3.0f;
  doc.Setup.PageUnit = 1;
  doc.Setup.OverflowAdjust = 1;
  doc.Setup.PrintTonbo = 0;
  doc.Sheet.GridShape->SetGridWidth(15);
  const TQuShapeType types[] = {qustRectangle, qustSquare, qustRoundRect, qustRoundSquare,
                                qustEllipse,   qustCircle, qustLinea,     qustLineb};
  const TColor colors[] = {clRed, clGreen, clBlue, clFuchsia, clTeal, clOlive, clNavy, clMaroon};
  for (int i = 0; i < 8; ++i) {
    TQuShape* s = doc.AddShape(types[i], 20 + (i % 4) * 100, 30 + (i / 4) * 120, 80, i == 1 || i == 3 || i == 5 ? 80 : 60);
    s->Pen()->SetColor(colors[i]);
    s->Pen()->SetWidth(1 + i % 4);
    s->Pen()->SetStyle(i % 3 == 2 ? psDot : psSolid);
    s->Brush()->SetStyle(i % 2 ? bsClear : bsSolid);
    s->Brush()->SetColor(TColor(0xE0F0FF));
  }
  Text(doc, QStringLiteral("shapes"), 20, 5, 8);
  CustomColors(doc, {"E0F0FF"});
}

struct Example {
  const char* File;
  std::function<void(Document&)> Build;
  size_t Objects;
};

const Example kExamplesList[] = {
    {"business-card.tsl", BusinessCard, 8},
    {"photo-background.tsl", PhotoCard, 5},
    {"shape-sampler.tsl", ShapeSampler, 9},
};

TEST(ExampleDocuments, EachLoadsAndSavesBackToTheSameBytes) {
  const QByteArray writeTo = qgetenv("TESSOLO_WRITE_EXAMPLES");
  for (const Example& e : kExamplesList) {
    SCOPED_TRACE(e.File);
    Document built;
    e.Build(built);
    ASSERT_EQ(built.Sheet.ObjectList.size(), e.Objects);
    if (!writeTo.isEmpty()) {
      QDir().mkpath(QString::fromLocal8Bit(writeTo));
      ASSERT_TRUE(SaveDocumentFile(QDir(QString::fromLocal8Bit(writeTo)).filePath(QLatin1String(e.File)), built.Sheet,
                                   built.Setup, Version())
                      .Ok());
    }
    QFile file(QDir(kExamples).filePath(QLatin1String(e.File)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "run scripts/make-examples";
    const QByteArray bytes = file.readAll();
    Document loaded;
    ASSERT_TRUE(loaded.Read(bytes).Ok());
    EXPECT_EQ(loaded.Bytes(), bytes);
    EXPECT_EQ(loaded.Sheet.ObjectList.size(), e.Objects);
    EXPECT_EQ(loaded.Setup.SheetWidthPx, built.Setup.SheetWidthPx);
    EXPECT_EQ(loaded.Setup.SetupName, built.Setup.SetupName);
    EXPECT_EQ(loaded.Sheet.BGImage->Visible(), built.Sheet.BGImage->Visible());
    for (size_t i = 0; i < e.Objects; ++i)
      EXPECT_EQ(loaded.Sheet.ObjectList[i]->ClassName(), built.Sheet.ObjectList[i]->ClassName()) << i;
  }
}

}  // namespace
