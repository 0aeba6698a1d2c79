// Pictures: BMP and JPEG bytes kept exactly, headers checked before any pixel
// memory, the "Data" payload read defensively.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "Bitmap.h"
#include "Errors.h"
#include "JpegImage.h"
#include "Picture.h"
#include "PictureCache.h"

namespace {

void Put32(QByteArray& b, int at, uint32_t v) { qToLittleEndian<quint32>(v, b.data() + at); }
void Put16(QByteArray& b, int at, uint16_t v) { qToLittleEndian<quint16>(v, b.data() + at); }

// A BMP with a 40-byte info header; palette entries are 0x00RRGGBB.
QByteArray Bmp(int32_t w, int32_t h, int bits, uint32_t compression, const std::vector<uint32_t>& palette,
               const QByteArray& pixels) {
  const int offset = 54 + 4 * int(palette.size());
  QByteArray b(offset, '\0');
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, uint32_t(offset + pixels.size()));
  Put32(b, 10, uint32_t(offset));
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(w));
  Put32(b, 22, uint32_t(h));
  Put16(b, 26, 1);
  Put16(b, 28, uint16_t(bits));
  Put32(b, 30, compression);
  Put32(b, 46, uint32_t(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) Put32(b, 54 + 4 * int(i), palette[i]);
  return b + pixels;
}

QByteArray Jpeg(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  EXPECT_TRUE(writer.write(image));
  return bytes;
}

// A 16 x 16 one-colour JPEG from four ink values, as Adobe (inverted) or
// plain CMYK, optionally stored as YCCK.
QByteArray CmykJpeg(const uchar ink[4], J_COLOR_SPACE stored, bool adobe) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = info.image_height = 16;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, stored);
  info.write_Adobe_marker = adobe;
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uchar> row(16 * 4);
  for (int x = 0; x < 16; ++x) std::copy(ink, ink + 4, row.begin() + 4 * x);
  while (info.next_scanline < 16) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
  free(out);
  return bytes;
}

// Rewrites the frame header's dimensions of a baseline JPEG.
QByteArray WithJpegSize(QByteArray jpeg, int w, int h) {
  const qsizetype sof = jpeg.indexOf("\xFF\xC0");
  EXPECT_GT(sof, 0);
  qToBigEndian<quint16>(quint16(h), jpeg.data() + sof + 5);
  qToBigEndian<quint16>(quint16(w), jpeg.data() + sof + 7);
  return jpeg;
}

QImage Pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x < w / 2) ? 40 : 220));
  return image;
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QByteArray Data(const QByteArray& name, const QByteArray& bytes, qint32 size) {
  QByteArray d(1, char(name.size()));
  d += name;
  char s[4];
  qToLittleEndian<qint32>(size, s);
  return d + QByteArray(s, 4) + bytes;
}

}  // namespace

TEST(BitmapTest, DecodesEveryStoredLayout) {
  // 3 x 2, bottom-up, 24 bits: rows padded to 12 bytes; file row 0 is the bottom.
  const QByteArray rows24 = QByteArray::fromHex("0000ff00ff00ff0000000000" "ffffff000000808080000000");
  TBitmap b24(Bmp(3, 2, 24, 0, {}, rows24));
  EXPECT_EQ(b24.Width(), 3);
  EXPECT_EQ(b24.Height(), 2);
  EXPECT_EQ(b24.Image().pixel(0, 1), qRgb(255, 0, 0));
  EXPECT_EQ(b24.Image().pixel(2, 1), qRgb(0, 0, 255));
  EXPECT_EQ(b24.Image().pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(b24.Image().pixel(2, 0), qRgb(128, 128, 128));
  // The same rows stored top-down.
  EXPECT_EQ(TBitmap(Bmp(3, -2, 24, 0, {}, rows24)).Image().pixel(0, 0), qRgb(255, 0, 0));
  // The last row's padding may be missing.
  EXPECT_EQ(TBitmap(Bmp(3, 2, 24, 0, {}, rows24.left(21))).Image().pixel(1, 0), qRgb(0, 0, 0));

  // 1 bit: 0b10100000 over a two-colour palette.
  TBitmap b1(Bmp(3, 1, 1, 0, {0x000000, 0x00FF00}, QByteArray::fromHex("a0000000")));
  EXPECT_EQ(b1.Image().pixel(0, 0), qRgb(0, 255, 0));
  EXPECT_EQ(b1.Image().pixel(1, 0), qRgb(0, 0, 0));
  // 8 bits with an index past the stored palette draws black, not garbage.
  TBitmap b8(Bmp(2, 1, 8, 0, {0x123456}, QByteArray::fromHex("0005" "0000")));
  EXPECT_EQ(b8.Image().pixel(0, 0), qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(b8.Image().pixel(1, 0), qRgb(0, 0, 0));
  // 16 bits, 5-5-5 by default; pure red is 0x7C00.
  EXPECT_EQ(TBitmap(Bmp(1, 1, 16, 0, {}, QByteArray::fromHex("007c0000"))).Image().pixel(0, 0), qRgb(255, 0, 0));
  // 32 bits: the fourth byte is padding.
  EXPECT_EQ(TBitmap(Bmp(1, 1, 32, 0, {}, QByteArray::fromHex("56341200"))).Image().pixel(0, 0), qRgb(0x12, 0x34, 0x56));
  // RLE4: a run of three pixels alternating the two nibbles.
  TBitmap r4(Bmp(3, 1, 4, 2, {0x000000, 0xFF0000, 0x00FF00}, QByteArray::fromHex("0312" "0001")));
  EXPECT_EQ(r4.Image().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(r4.Image().pixel(1, 0), qRgb(0, 255, 0));
  EXPECT_EQ(r4.Image().pixel(2, 0), qRgb(255, 0, 0));

  // RLE8: a run of 2, an absolute run of 3, end of line, a delta, end of bitmap.
  const QByteArray rle = QByteArray::fromHex("0201" "000300010000" "0000" "00020100" "0101" "0001");
  TBitmap r8(Bmp(5, 2, 8, 1, {0x000000, 0xFF0000, 0x0000FF}, rle));
  EXPECT_EQ(r8.Image().pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(r8.Image().pixel(2, 1), qRgb(0, 0, 0));
  EXPECT_EQ(r8.Image().pixel(3, 1), qRgb(255, 0, 0));
  EXPECT_EQ(r8.Image().pixel(1, 0), qRgb(255, 0, 0));
  // Cut off in an absolute run, or running past the edges: decodes, no overrun.
  EXPECT_NO_THROW(TBitmap(Bmp(5, 2, 8, 1, {0}, rle.left(5))).Image());
  EXPECT_NO_THROW(TBitmap(Bmp(2, 2, 8, 1, {0}, QByteArray::fromHex("ff01ff01000200ff0000"))).Image());
}

TEST(BitmapTest, RefusesBadHeadersBeforeAllocating) {
  const auto refused = [](const QByteArray& bytes, const char* why) {
    try {
      TBitmap b(bytes);
      ADD_FAILURE() << "accepted, expected: " << why;
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
    }
  };
  // The header alone: no pixel data, so only the size check can refuse these.
  refused(Bmp(40000, 10, 24, 0, {}, {}), "too large");
  refused(Bmp(20000, 20000, 24, 0, {}, {}), "too large");
  refused(Bmp(10, INT32_MIN, 24, 0, {}, {}), "too large");
  refused(Bmp(0, 5, 24, 0, {}, {}), "no size");
  refused(Bmp(-3, 5, 24, 0, {}, {}), "no size");
  refused(Bmp(2, 2, 24, 0, {}, QByteArray(10, 0)), "cut short in its pixel data");
  refused(Bmp(2, 2, 7, 0, {}, QByteArray(16, 0)), "unsupported format");
  refused(Bmp(2, 2, 24, 4, {}, QByteArray(16, 0)), "unsupported format");  // embedded JPEG
  refused(Bmp(2, -2, 8, 1, {0}, QByteArray(16, 0)), "top-down");
  refused(Bmp(2, 2, 8, 0, {}, QByteArray(8, 0)).left(60), "colour table");
  QByteArray badOffset = Bmp(1, 1, 24, 0, {}, QByteArray(4, 0));
  Put32(badOffset, 10, 0x7FFFFFF0);
  refused(badOffset, "offset");
  QByteArray badHeader = badOffset;
  Put32(badHeader, 14, 41);
  refused(badHeader, "header size");
  refused("BM\x10\0\0\0", "not a BMP");
}

TEST(BitmapTest, FromImageWritesA24BitFileFlattenedOnWhite) {
  QImage image(3, 2, QImage::Format_ARGB32);
  image.fill(qRgb(10, 20, 30));
  image.setPixel(1, 1, qRgba(0, 0, 0, 0));
  const auto bitmap = TBitmap::FromImage(image);
  EXPECT_EQ(bitmap->Bytes().size(), 54 + 12 * 2);
  EXPECT_EQ(qFromLittleEndian<quint16>(bitmap->Bytes().constData() + 28), 24);
  EXPECT_EQ(bitmap->Image().pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(bitmap->Image().pixel(1, 1), qRgb(255, 255, 255));
  EXPECT_THROW(TBitmap::FromImage(QImage()), EInvalidGraphic);
}

TEST(JpegTest, DecodesColourGreyAndCmyk) {
  const QImage pattern = Pattern(40, 24);
  TJPEGImage colour(Jpeg(pattern, 100));
  EXPECT_EQ(colour.Width(), 40);
  EXPECT_EQ(colour.Height(), 24);
  ASSERT_EQ(colour.Image().size(), QSize(40, 24));
  EXPECT_EQ(colour.Image().format(), QImage::Format_RGB32);
  for (QPoint p : {QPoint(0, 0), QPoint(39, 0), QPoint(10, 20), QPoint(30, 12)})
    EXPECT_TRUE(Near(colour.Image().pixel(p), pattern.pixel(p), 8)) << p.x() << "," << p.y();

  QImage grey(8, 8, QImage::Format_Grayscale8);
  grey.fill(qRgb(90, 90, 90));
  const QByteArray greyJpeg = Jpeg(grey, 100);
  EXPECT_EQ(greyJpeg[greyJpeg.indexOf("\xFF\xC0") + 9], 1);  // one component
  EXPECT_TRUE(Near(TJPEGImage(greyJpeg).Image().pixel(3, 3), qRgb(90, 90, 90), 2));

  const uchar adobeRed[4] = {255, 0, 0, 255};  // inverted: no cyan, full magenta and yellow, no black
  const uchar plainRed[4] = {0, 255, 255, 0};
  EXPECT_TRUE(Near(TJPEGImage(CmykJpeg(adobeRed, JCS_CMYK, true)).Image().pixel(5, 5), qRgb(255, 0, 0), 3));
  EXPECT_TRUE(Near(TJPEGImage(CmykJpeg(adobeRed, JCS_YCCK, true)).Image().pixel(5, 5), qRgb(255, 0, 0), 3));
  EXPECT_TRUE(Near(TJPEGImage(CmykJpeg(plainRed, JCS_CMYK, false)).Image().pixel(5, 5), qRgb(255, 0, 0), 3));
}

TEST(JpegTest, DamagedOrHugeDataNeverCrashes) {
  const QByteArray good = Jpeg(Pattern(64, 48), 90);
  EXPECT_THROW(TJPEGImage(WithJpegSize(good, 40000, 10)), EInvalidGraphic);
  EXPECT_THROW(TJPEGImage(WithJpegSize(good, 20000, 20000)), EInvalidGraphic);
  EXPECT_THROW(TJPEGImage(WithJpegSize(good, 0, 10)), EInvalidGraphic);
  EXPECT_THROW(TJPEGImage(QByteArray("\xFF\xD8") + QByteArray(300, '\x5A')), EInvalidGraphic);
  EXPECT_THROW(TJPEGImage(good.left(40)), EInvalidGraphic);
  EXPECT_THROW(TJPEGImage(QByteArray("\x89PNG")), EInvalidGraphic);

  // Cut short in the coded data: the header is whole, the rest decodes grey.
  const qsizetype scan = good.indexOf("\xFF\xDA");
  ASSERT_GT(scan, 0);
  TJPEGImage truncated(good.left((scan + good.size()) / 2));
  EXPECT_EQ(truncated.Width(), 64);
  EXPECT_EQ(truncated.Image().size(), QSize(64, 48));
  // Scrambled coded data either decodes or throws, but stays in bounds.
  QByteArray scrambled = good;
  for (qsizetype i = scan + 20; i < good.size() - 2; i += 7) scrambled[i] = char(scrambled[i] ^ 0x5A);
  try {
    EXPECT_EQ(TJPEGImage(scrambled).Image().size(), QSize(64, 48));
  } catch (const EInvalidGraphic&) {
  }
}

TEST(PictureTest, DataRoundTripsExactBytesWithoutDecoding) {
  const QByteArray bmp = TBitmap::FromImage(Pattern(7, 5))->Bytes();
  const QByteArray jpeg = Jpeg(Pattern(33, 17), 85);
  const TPropInfo* data = TPicture::StaticClassInfo().Find("Data");
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Kind, TPropKind::Binary);
  EXPECT_EQ(TPicture::StaticClassInfo().Props().size(), 1u);

  TPicture empty;
  EXPECT_FALSE(data->Stored(empty));
  for (const QByteArray& file : {bmp, jpeg}) {
    TPicture source;
    source.SetGraphic(TGraphic::FromFileBytes(file));
    EXPECT_TRUE(data->Stored(source));
    const QByteArray payload = data->GetBin(source);
    EXPECT_EQ(payload, Data(source.Graphic()->GraphicClassName(), file, qint32(file.size())));
    TPicture copy;
    data->SetBin(copy, payload);
    ASSERT_NE(copy.Graphic(), nullptr);
    EXPECT_EQ(copy.Graphic()->Bytes(), file);
    EXPECT_EQ(copy.WriteData(), payload);
    EXPECT_EQ(copy.Width(), source.Width());
    EXPECT_EQ(copy.Height(), source.Height());
  }
  TPicture jpegPicture;
  jpegPicture.ReadData(Data("TJPEGImage", jpeg, qint32(jpeg.size())));
  EXPECT_EQ(jpegPicture.Width(), 33);
  EXPECT_EQ(jpegPicture.Height(), 17);

  // A graphic stored with no bytes stays an empty graphic of its class.
  TPicture emptyJpeg;
  emptyJpeg.ReadData(Data("TJPEGImage", {}, 0));
  ASSERT_NE(emptyJpeg.Graphic(), nullptr);
  EXPECT_TRUE(emptyJpeg.Graphic()->Empty());
  EXPECT_TRUE(emptyJpeg.Graphic()->Image().isNull());
  EXPECT_EQ(emptyJpeg.WriteData(), Data("TJPEGImage", {}, 0));
}

TEST(PictureTest, DamagedDataThrowsAndKeepsThePicture) {
  const QByteArray bmp = TBitmap::FromImage(Pattern(4, 4))->Bytes();
  const QByteArray good = Data("TBitmap", bmp, qint32(bmp.size()));
  TPicture picture;
  picture.ReadData(good);
  int changes = 0;
  picture.OnChange = [&](TPicture*) { ++changes; };
  const QByteArray damaged[] = {
      good.left(5),                                       // in the class name
      good.left(10),                                      // in the size
      good.left(good.size() - 1),                         // one byte short
      Data("TBitmap", bmp, -1),                           // negative size
      Data("TBitmap", bmp, 0x7FFFFFFF),                   // absurd size
      Data("TMetafile", bmp, qint32(bmp.size())),         // unknown class
      Data("TBitmap", "\xFF\xD8\xFF\xE0", 4),             // wrong signature
      Data("TJPEGImage", bmp, qint32(bmp.size())),        // wrong signature
      Data("TBitmap", bmp.left(30), 30),                  // damaged header
      QByteArray("\x00garbage", 8),                       // data without a class
  };
  for (const QByteArray& d : damaged) {
    EXPECT_THROW(picture.ReadData(d), EReadError) << d.toHex().left(40).toStdString();
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->Bytes(), bmp);
  }
  EXPECT_EQ(changes, 0);
  try {
    picture.ReadData(Data("TBitmap", bmp, 1000));
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("1000"), std::string::npos) << e.what();
  }
  // Nothing at all, or an empty class name, is an empty picture.
  picture.ReadData({});
  EXPECT_EQ(picture.Graphic(), nullptr);
  picture.ReadData(good);
  picture.ReadData(QByteArray(1, '\0'));
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(changes, 3);
}

TEST(PictureTest, LoadAssignAndChangeEvents) {
  QTemporaryDir dir;
  const auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  };
  const QString jpegPath = write("photo.jpg", Jpeg(Pattern(20, 10), 90));
  // The signature decides, not the file name.
  const QString bmpPath = write("odd-name.jpg", TBitmap::FromImage(Pattern(6, 3))->Bytes());
  const QString textPath = write("notes.bmp", "just text");
  const QString emptyPath = write("empty.bmp", {});

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TPicture* p) {
    EXPECT_EQ(p, &picture);
    ++changes;
  };
  picture.LoadFromFile(jpegPath);
  EXPECT_EQ(picture.Graphic()->GraphicClassName(), "TJPEGImage");
  EXPECT_EQ(picture.Width(), 20);
  picture.LoadFromFile(bmpPath);
  EXPECT_EQ(picture.Graphic()->GraphicClassName(), "TBitmap");
  EXPECT_EQ(changes, 2);

  const auto fails = [&](const QString& path, auto exception) {
    try {
      picture.LoadFromFile(path);
      ADD_FAILURE() << "loaded " << path.toStdString();
    } catch (const decltype(exception)& e) {
      EXPECT_NE(std::string(e.what()).find(QFileInfo(path).fileName().toStdString()), std::string::npos)
          << e.what();
    }
  };
  fails(textPath, EInvalidGraphic(""));
  fails(emptyPath, EInvalidGraphic(""));
  fails(dir.filePath("missing.bmp"), EReadError(""));
  EXPECT_EQ(picture.Graphic()->GraphicClassName(), "TBitmap");
  EXPECT_EQ(changes, 2);

  TPicture copy;
  copy.Assign(picture);
  picture.SetGraphic(nullptr);
  ASSERT_NE(copy.Graphic(), nullptr);
  EXPECT_EQ(copy.Graphic()->Bytes(), TGraphic::LoadFromFile(bmpPath)->Bytes());
  copy.Assign(copy);
  EXPECT_NE(copy.Graphic(), nullptr);
  copy.Assign(picture);
  EXPECT_EQ(copy.Graphic(), nullptr);
  EXPECT_EQ(changes, 3);
}

// A caller may hand the cache bytes that only point into its own buffer; the
// cache must not keep pointing there once the buffer is reused.
TEST(PictureCacheTest, KeepsItsOwnCopyOfBorrowedBytes) {
  PictureCache::Clear();
  const auto filled = [](Qt::GlobalColor colour) {
    return [colour] {
      QImage image(1, 1, QImage::Format_RGB32);
      image.fill(colour);
      return image;
    };
  };
  QByteArray buffer("borrowed picture bytes");
  const QByteArray original = buffer;
  buffer.detach();
  PictureCache::Decoded(QByteArray::fromRawData(buffer.constData(), buffer.size()), filled(Qt::red));
  buffer.fill('x');
  const QImage again = PictureCache::Decoded(original, filled(Qt::blue));
  EXPECT_EQ(again.pixelColor(0, 0), QColor(Qt::red));
  PictureCache::Clear();
}
