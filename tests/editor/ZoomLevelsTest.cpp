#include <gtest/gtest.h>

#include "ZoomLevels.h"

using namespace ZoomLevels;

TEST(ZoomLevels, StepsInAndOutFromStepsAndFromFittedZoomsBetweenThem) {
  struct Case {
    int From, In, Out;
  };
  const Case cases[] = {{100, 150, 75}, {50, 75, 50}, {400, 400, 300}, {137, 150, 100}, {10, 50, 50}, {399, 400, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.From);
    EXPECT_EQ(In(c.From), c.In);
    EXPECT_EQ(Out(c.From), c.Out);
  }
}

TEST(ZoomLevels, FitTakesTheTighterSideAndStaysInRange) {
  struct Case {
    QSize Sheet, Viewport;
    int Fit;
  };
  const Case cases[] = {
      {{455, 275}, {475, 295}, 100},    // exactly, with the margins
      {{455, 275}, {930, 295}, 100},    // height decides
      {{455, 275}, {930, 570}, 200},    // 910 / 455 and 550 / 275
      {{455, 275}, {250, 1000}, 50},    // 230 / 455 = 0.505...
      {{455, 275}, {5000, 5000}, 400},  // no further than the last step
      {{1485, 2100}, {30, 30}, 10},     // a tiny window: the least
      {{0, 275}, {500, 500}, 100},      // no sheet to fit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Viewport.width() << "x" << c.Viewport.height());
    EXPECT_EQ(Fit(c.Sheet, c.Viewport, 10), c.Fit);
  }
}

TEST(ZoomLevels, SettingTextRoundTripsAndAnythingElseIsOneHundredPercent) {
  struct Case {
    const char* Text;
    TZoomSetting Setting;
  };
  const Case cases[] = {{"fit", {true, 100}}, {"FIT", {true, 100}}, {"300", {false, 300}}, {" 75 ", {false, 75}},
                        {"250", {}},          {"-100", {}},         {"", {}},              {"1e9", {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(FromText(QString::fromLatin1(c.Text)), c.Setting);
  }
  for (const TZoomSetting& s : {TZoomSetting{true, 100}, TZoomSetting{false, 50}, TZoomSetting{false, 400}})
    EXPECT_EQ(FromText(ToText(s)), s);
}
