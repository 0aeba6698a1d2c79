// Byte-exact component streams of the card classes, as documents and the
// clipboard carry them, and round trips of every class.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <memory>

#include "Bitmap.h"
#include "ClassRegistry.h"
#include "ComponentStream.h"
#include "Errors.h"
#include "Gridshape.h"
#include "Image.h"
#include "JpegImage.h"
#include "Labelex.h"
#include "Picture.h"
#include "Qushape.h"
#include "ShiftJis.h"
#include "WinControl.h"

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }
QByteArray Short(const QByteArray& s) { return char(s.size()) + s; }
QByteArray Prop(const QByteArray& name, const QByteArray& value) { return Short(name) + value; }
QByteArray Ident(const QByteArray& name) { return '\x07' + Short(name); }
QByteArray Str(const QString& s) { return '\x06' + Short(ShiftJis::Encode(s)); }
QByteArray Stream(const QByteArray& className, const QByteArray& props) {
  return "TPF0" + Short(className) + '\0' + props + '\0' + '\0';
}

// Reads a stream into a new instance of its class and writes that again.
QByteArray Rewrite(const QByteArray& stream, TComponent** made = nullptr) {
  static const bool registered = [] {
    ClassRegistry::RegisterClass<TQuShape>();
    ClassRegistry::RegisterClass<TLabelEx>();
    ClassRegistry::RegisterClass<TImage>();
    ClassRegistry::RegisterClass<TGridShape>();
    return true;
  }();
  (void)registered;
  std::unique_ptr<TComponent> c(ComponentStream::ReadNewComponent(stream, nullptr, nullptr));
  const QByteArray again = ComponentStream::WriteComponent(*c);
  if (made) *made = c.release();
  return again;
}

TEST(ShapeStream, WorkedCircleExampleIsByteExact) {
  TQuShape shape(nullptr);
  shape.SetLeft(80);
  shape.SetTop(129);
  shape.SetShape(qustCircle);
  shape.Pen()->SetColor(clRed);
  const QByteArray expected = Hex(
      "54 50 46 30 08 54 51 75 53 68 61 70 65 00 04 4C"
      "65 66 74 02 50 03 54 6F 70 03 81 00 05 53 68 61"
      "70 65 07 0A 71 75 73 74 43 69 72 63 6C 65 09 50"
      "65 6E 2E 43 6F 6C 6F 72 07 05 63 6C 52 65 64 00"
      "00");
  EXPECT_EQ(expected.size(), 65);
  EXPECT_EQ(ComponentStream::WriteComponent(shape), expected);

  TQuShape back(nullptr);
  ComponentStream::ReadComponent(expected, back);
  EXPECT_EQ(back.Left(), 80);
  EXPECT_EQ(back.Top(), 129);
  EXPECT_EQ(back.Shape(), qustCircle);
  EXPECT_EQ(back.Pen()->Color(), clRed);
}

TEST(ShapeStream, DefaultsAreLeftOutAndEverythingElseComesBack) {
  // A default-pen rectangle at 0,0: no Left, Top, Shape or pen values.
  TQuShape plain(nullptr);
  plain.SetWidth(40);
  plain.SetHeight(20);
  EXPECT_EQ(ComponentStream::WriteComponent(plain), Stream("TQuShape", Prop("Width", Hex("02 28")) + Prop("Height", Hex("02 14"))));
  EXPECT_EQ(ComponentStream::WriteComponent(TQuShape(nullptr)), Stream("TQuShape", {}));

  // Every attribute the editor sets, in table order.
  TQuShape full(nullptr);
  full.SetTop(300);
  full.SetLeft(-5);
  full.SetHeight(0);
  full.SetWidth(455);
  full.SetCursor(crHandPoint);
  full.SetShape(qustLineb);
  full.Pen()->SetColor(0x123456);
  full.Pen()->SetMode(pmNot);
  full.Pen()->SetStyle(psDot);
  full.Pen()->SetWidth(4);
  full.Brush()->SetColor(clYellow);
  full.Brush()->SetStyle(bsClear);
  const QByteArray stream = ComponentStream::WriteComponent(full);
  EXPECT_EQ(stream, Stream("TQuShape", Prop("Left", Hex("02 FB")) + Prop("Top", Hex("03 2C 01")) +
                                           Prop("Width", Hex("03 C7 01")) + Prop("Cursor", Ident("crHandPoint")) +
                                           Prop("Shape", Ident("qustLineb")) + Prop("Pen.Color", Hex("04 56 34 12 00")) +
                                           Prop("Pen.Mode", Ident("pmNot")) + Prop("Pen.Style", Ident("psDot")) +
                                           Prop("Pen.Width", Hex("02 04")) + Prop("Brush.Color", Ident("clYellow")) +
                                           Prop("Brush.Style", Ident("bsClear"))));
  TComponent* made = nullptr;
  EXPECT_EQ(Rewrite(stream, &made), stream);
  std::unique_ptr<TComponent> owner(made);
  auto* back = dynamic_cast<TQuShape*>(made);
  ASSERT_NE(back, nullptr);
  // The bounds follow the final pen width although Left..Height came first.
  EXPECT_EQ(back->BoundsRect(), full.BoundsRect());
  EXPECT_EQ(back->BoundsRect(), QRect(-7, 298, 460, 5));
  EXPECT_TRUE(*back->Pen() == *full.Pen());
  EXPECT_TRUE(*back->Brush() == *full.Brush());
}

TEST(LabelStream, EditorLabelIsWrittenInTablesOrder) {
  TLabelEx label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(20, 30, 100, 25);
  label.SetCursor(crHandPoint);
  label.SetCaption(QStringLiteral("名刺\r\nR&D"));
  TFont font;
  font.SetCharset(SHIFTJIS_CHARSET);
  font.SetColor(clBlack);
  font.SetSize(12);
  font.SetName(QStringLiteral("ＭＳ ゴシック"));
  font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
  label.SetFont(&font);
  label.SetGap(3);
  label.SetTransparent(true);
  EXPECT_FALSE(label.ParentFont());
  EXPECT_FALSE(label.ShowAccelChar());

  const QByteArray expected = Stream(
      "TLabelEx", Prop("Left", Hex("02 14")) + Prop("Top", Hex("02 1E")) + Prop("Width", Hex("02 64")) +
                      Prop("Height", Hex("02 19")) + Prop("Cursor", Ident("crHandPoint")) + Prop("AutoSize", Hex("08")) +
                      Prop("Caption", Str(label.Caption())) + Prop("Font.Charset", Ident("SHIFTJIS_CHARSET")) +
                      Prop("Font.Color", Ident("clBlack")) + Prop("Font.Height", Hex("02 F0")) +
                      Prop("Font.Name", Str(font.Name())) + Prop("Font.Style", '\x0B' + Short("fsBold") + Short("fsUnderline") + '\0') +
                      Prop("Gap", Hex("02 03")) + Prop("ParentFont", Hex("08")) + Prop("ShowAccelChar", Hex("08")) +
                      Prop("Transparent", Hex("09")));
  const QByteArray stream = ComponentStream::WriteComponent(label);
  EXPECT_EQ(stream.toHex(' '), expected.toHex(' '));

  TComponent* made = nullptr;
  EXPECT_EQ(Rewrite(stream, &made), stream);
  std::unique_ptr<TComponent> owner(made);
  auto* back = dynamic_cast<TLabelEx*>(made);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Caption(), label.Caption());
  EXPECT_TRUE(*back->Font() == font);
  EXPECT_EQ(back->Gap(), 3);
  EXPECT_TRUE(back->Transparent());
  EXPECT_FALSE(back->AutoSize());
  EXPECT_FALSE(back->ShowAccelChar());
  EXPECT_EQ(back->BoundsRect(), QRect(20, 30, 100, 25));

  // A fresh label writes its bounds (no default) and ShowAccelChar, whose
  // field starts false under a published default of true.
  const QByteArray fresh = ComponentStream::WriteComponent(TLabelEx(nullptr));
  EXPECT_EQ(fresh, Stream("TLabelEx", Prop("Left", Hex("02 00")) + Prop("Top", Hex("02 00")) +
                                          Prop("Width", Hex("02 41")) + Prop("Height", Hex("02 11")) +
                                          Prop("ShowAccelChar", Hex("08"))));
}

TEST(LabelStream, LongCaptionUsesTheLongStringForm) {
  TLabelEx label(nullptr);
  label.SetAutoSize(false);
  const QString caption = QString(100, QChar(0x540D)) + QStringLiteral("\r\n") + QString(98, QLatin1Char('a'));  // 300 bytes
  label.SetCaption(caption);
  const QByteArray stream = ComponentStream::WriteComponent(label);
  const QByteArray value = Prop("Caption", Hex("0C 2C 01 00 00") + ShiftJis::Encode(caption));
  EXPECT_TRUE(stream.contains(value));
  TLabelEx back(nullptr);
  back.SetAutoSize(false);
  ComponentStream::ReadComponent(stream, back);
  EXPECT_EQ(back.Caption(), caption);
}

TEST(GridStream, WritesPositionAlwaysAndTheRestWhenSet) {
  TGridShape grid(nullptr);
  EXPECT_EQ(grid.BoundsRect(), QRect(0, 0, 65, 65));
  EXPECT_EQ(ComponentStream::WriteComponent(grid),
            Stream("TGridShape", Prop("Left", Hex("02 00")) + Prop("Top", Hex("02 00")) + Prop("Width", Hex("02 41")) +
                                     Prop("Height", Hex("02 41"))));
  grid.SetBounds(0, 0, 455, 275);
  grid.Pen()->SetColor(12632256);
  grid.Brush()->SetStyle(bsClear);
  grid.SetGridWidth(10);
  const QByteArray stream = ComponentStream::WriteComponent(grid);
  EXPECT_EQ(stream, Stream("TGridShape", Prop("Left", Hex("02 00")) + Prop("Top", Hex("02 00")) +
                                             Prop("Width", Hex("03 C7 01")) + Prop("Height", Hex("03 13 01")) +
                                             Prop("Pen.Color", Ident("clSilver")) + Prop("Brush.Style", Ident("bsClear")) +
                                             Prop("GridWidth", Hex("02 0A"))));
  // Read into the existing grid of a worksheet.
  TGridShape existing(nullptr);
  ComponentStream::ReadComponent(stream, existing);
  EXPECT_EQ(existing.BoundsRect(), QRect(0, 0, 455, 275));
  EXPECT_EQ(existing.GridWidth(), 10);
  EXPECT_EQ(existing.Pen()->Color(), clSilver);
  EXPECT_EQ(ComponentStream::WriteComponent(existing), stream);
  EXPECT_EQ(Rewrite(stream), stream);
  // A stream of another class is not read into the grid.
  EXPECT_THROW(ComponentStream::ReadComponent(ComponentStream::WriteComponent(TQuShape(nullptr)), existing), EReadError);
}

QByteArray Le32(uint32_t v) {
  QByteArray b(4, '\0');
  qToLittleEndian<quint32>(v, b.data());
  return b;
}

QByteArray JpegBytes() {
  QImage image(16, 8, QImage::Format_RGB32);
  image.fill(QColor(200, 30, 40));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.setQuality(80);
  writer.write(image);
  return bytes;
}

TEST(ImageStream, PicturesComeBackByteForByte) {
  QImage bitmap(7, 5, QImage::Format_RGB32);
  bitmap.fill(QColor(10, 200, 30));
  const std::unique_ptr<TBitmap> bmp = TBitmap::FromImage(bitmap);
  const QByteArray jpeg = JpegBytes();
  ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));

  // A catch phrase (Tag 1) with a bitmap.
  TImage phrase(nullptr);
  phrase.SetTag(1);
  phrase.SetBounds(10, 20, 70, 50);
  phrase.SetCursor(crHandPoint);
  phrase.Picture()->SetGraphic(bmp->Clone());
  phrase.SetStretch(true);
  const QByteArray data = Short("TBitmap") + Le32(uint32_t(bmp->Bytes().size())) + bmp->Bytes();
  const QByteArray binary = '\x0A' + Le32(uint32_t(data.size())) + data;
  const QByteArray stream = ComponentStream::WriteComponent(phrase);
  EXPECT_EQ(stream, Stream("TImage", Prop("Tag", Hex("02 01")) + Prop("Left", Hex("02 0A")) + Prop("Top", Hex("02 14")) +
                                         Prop("Width", Hex("02 46")) + Prop("Height", Hex("02 32")) +
                                         Prop("Cursor", Ident("crHandPoint")) + Prop("Picture.Data", binary) +
                                         Prop("Stretch", Hex("09"))));
  TComponent* made = nullptr;
  EXPECT_EQ(Rewrite(stream, &made), stream);
  std::unique_ptr<TComponent> owner(made);
  auto* back = dynamic_cast<TImage*>(made);
  ASSERT_NE(back, nullptr);
  ASSERT_NE(back->Picture()->Graphic(), nullptr);
  EXPECT_EQ(back->Picture()->Graphic()->Bytes(), bmp->Bytes());
  EXPECT_EQ(back->Tag(), 1);

  // A hidden background picture with a JPEG, read into the existing one.
  TImage background(nullptr);
  background.SetBounds(0, 0, 455, 275);
  background.SetEnabled(false);
  background.SetStretch(true);
  background.Picture()->SetGraphic(std::make_unique<TJPEGImage>(jpeg));
  background.SetVisible(false);
  const QByteArray bgStream = ComponentStream::WriteComponent(background);
  EXPECT_TRUE(bgStream.contains(Short("TJPEGImage")));
  const qsizetype enabled = bgStream.indexOf(Short("Enabled")), pictureAt = bgStream.indexOf(Short("Picture.Data")),
                  stretch = bgStream.indexOf(Short("Stretch")), visible = bgStream.indexOf(Short("Visible"));
  EXPECT_TRUE(enabled > 0 && enabled < pictureAt && pictureAt < stretch && stretch < visible);
  TImage existing(nullptr);
  ComponentStream::ReadComponent(bgStream, existing);
  ASSERT_NE(existing.Picture()->Graphic(), nullptr);
  EXPECT_EQ(existing.Picture()->Graphic()->Bytes(), jpeg);
  EXPECT_FALSE(existing.Visible());
  EXPECT_FALSE(existing.Enabled());
  EXPECT_EQ(ComponentStream::WriteComponent(existing), bgStream);

  // An empty picture writes no data.
  EXPECT_FALSE(ComponentStream::WriteComponent(TImage(nullptr)).contains("Picture"));
  // Damaged picture data is a read error, not a crash.
  QByteArray broken = stream;
  broken[broken.indexOf("BM")] = 'X';
  TImage target(nullptr);
  EXPECT_THROW(ComponentStream::ReadComponent(broken, target), EReadError);
}

TEST(ImageStream, AutoSizedPictureKeepsItsPicturesSizeInAnyOrder) {
  QImage bitmap(6, 4, QImage::Format_RGB32);
  bitmap.fill(Qt::red);
  TImage source(nullptr);
  source.Picture()->SetGraphic(TBitmap::FromImage(bitmap));
  const QByteArray data = source.Picture()->WriteData();
  const QByteArray binary = '\x0A' + Le32(uint32_t(data.size())) + data;
  // The size comes after the picture here, unlike in what the writer makes.
  const QByteArray stream = Stream("TImage", Prop("AutoSize", Hex("09")) + Prop("Picture.Data", binary) +
                                                 Prop("Width", Hex("03 2C 01")) + Prop("Height", Hex("02 28")));
  TImage image(nullptr);
  ComponentStream::ReadComponent(stream, image);
  EXPECT_EQ(image.BoundsRect(), QRect(0, 0, 6, 4));
  image.SetBounds(5, 6, 100, 100);
  EXPECT_EQ(image.BoundsRect(), QRect(5, 6, 6, 4));
  image.SetAutoSize(false);
  image.SetBounds(5, 6, 100, 100);
  EXPECT_EQ(image.BoundsRect(), QRect(5, 6, 100, 100));
  EXPECT_EQ(Rewrite(ComponentStream::WriteComponent(image)), ComponentStream::WriteComponent(image));
}

}  // namespace
