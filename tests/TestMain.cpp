// Test entry: a headless QApplication, so that fonts, painting and widgets work
// without a display.
#include <QApplication>
#include <gtest/gtest.h>

#include "FontSubstitution.h"
#include "ImageReaderLimit.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  InstallImageReaderLimit();
  QApplication app(argc, argv);
  // As the program does at start: cards name Windows fonts.
  InstallFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
