// The catch phrases and background pictures delivered beside the program
// load as the editor loads a chosen file, and suit where they are placed.
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "Graphic.h"
#include "PictureLoading.h"

namespace {
QDir DataFolder(const char* name) { return QDir(QStringLiteral(TESSOLO_TEST_DATA "/../../data/") + name); }

double MeanLightness(const QImage& image) {
  double sum = 0;
  for (int y = 0; y < image.height(); y += 5)
    for (int x = 0; x < image.width(); x += 5) sum += qGray(image.pixel(x, y));
  return sum / (((image.height() + 4) / 5) * ((image.width() + 4) / 5)) / 255.0;
}
}  // namespace

TEST(DeliveredPictures, CatchPhrasesAreJpegsOfAPhraseSWidthOnTheCard) {
  const QStringList files = DataFolder("CPhrase").entryList(QDir::Files);
  EXPECT_GE(files.size(), 12);
  for (const QString& name : files) {
    EXPECT_TRUE(name.endsWith(QStringLiteral(".jpg"))) << name.toStdString();
    const TPictureLoad load = ReadPictureFile(DataFolder("CPhrase").filePath(name));
    ASSERT_TRUE(load.Graphic) << name.toStdString();
    // Placed at its own size, 5 pixels a millimetre: 40 to 60 mm wide.
    EXPECT_GE(load.Graphic->Width(), 200) << name.toStdString();
    EXPECT_LE(load.Graphic->Width(), 300) << name.toStdString();
  }
}

TEST(DeliveredPictures, BackgroundsComeAsBitmapAndJpegAtPrintResolutionAndLight) {
  const QDir folder = DataFolder("bkimages");
  const QStringList jpegs = folder.entryList({QStringLiteral("*.jpg")}, QDir::Files);
  EXPECT_GE(jpegs.size(), 10);
  EXPECT_EQ(folder.entryList({QStringLiteral("*.bmp")}, QDir::Files).size(), jpegs.size());
  for (const QString& jpeg : jpegs) {
    const QString bitmap = jpeg.chopped(4) + QStringLiteral(".bmp");
    const TPictureLoad j = ReadPictureFile(folder.filePath(jpeg));
    const TPictureLoad b = ReadPictureFile(folder.filePath(bitmap));
    ASSERT_TRUE(j.Graphic && b.Graphic) << jpeg.toStdString();
    EXPECT_EQ(b.Graphic->GraphicClassName(), "TBitmap");
    EXPECT_EQ(QSize(j.Graphic->Width(), j.Graphic->Height()), QSize(b.Graphic->Width(), b.Graphic->Height()));
    // A 91 x 55 mm card at 300 dots an inch, in the card's proportions.
    EXPECT_GE(j.Graphic->Width(), 1075) << jpeg.toStdString();
    EXPECT_GE(j.Graphic->Height(), 650) << jpeg.toStdString();
    EXPECT_NEAR(double(j.Graphic->Width()) / j.Graphic->Height(), 91.0 / 55.0, 0.01) << jpeg.toStdString();
    // Black text stays readable on it.
    EXPECT_GT(MeanLightness(j.Graphic->Image()), 0.9) << jpeg.toStdString();
  }
}
