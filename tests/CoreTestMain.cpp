// Test entry of the core: a headless QGuiApplication (fonts and painting),
// no widgets.
#include <QGuiApplication>
#include <gtest/gtest.h>

#include "FontSubstitution.h"
#include "ImageReaderLimit.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  InstallImageReaderLimit();
  QGuiApplication app(argc, argv);
  InstallFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
