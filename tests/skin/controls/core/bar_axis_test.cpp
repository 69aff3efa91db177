// The parts of a scroll bar control along its axis: slider length by page,
// its centre by position, the short control's arrows, and the position a
// point stands for (the inverse of the centre).
#include "skin/controls/core/bar_axis.h"

#include <gtest/gtest.h>

using namespace skin;

TEST(BarAxis, SliderSizeAndCentre) {
  struct Case {
    const char* what;
    TkBarAxis a;
    int size, center;
  } cases[] = {
      // 200 long, arrows 17: a track of 166.
      {"no page: the shortest slider", {200, 17, 0, 100, 0, 0}, 16, 17 + 8},
      {"a tenth of the range", {200, 17, 0, 99, 10, 0}, 17, 17 + 8},
      {"at the end", {200, 17, 0, 99, 10, 90}, 17, 17 + 8 + 149},
      {"the page covers it all: the middle", {200, 17, 0, 9, 10, 0}, 166, 100},
      {"disabled: the middle", {200, 17, 0, 100, 0, 50, false}, 16, 100},
      {"a third of the way rounds", {100, 10, 0, 3, 0, 1}, 16, 10 + 8 + 21},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AxisSliderSize(c.a), c.size) << c.what;
    EXPECT_EQ(AxisSliderCenter(c.a), c.center) << c.what;
  }
}

TEST(BarAxis, ArrowsOfAShortControlTakeHalfEach) {
  TkBarAxis a{20, 17, 0, 10, 0, 0};
  EXPECT_EQ(AxisArrow1End(a), 10);
  EXPECT_EQ(AxisArrow2Start(a), 10);
  TkBarAxis b{200, 17, 0, 10, 0, 0};
  EXPECT_EQ(AxisArrow1End(b), 17);
  EXPECT_EQ(AxisArrow2Start(b), 183);
}

TEST(BarAxis, APointStandsForThePositionWhoseCentreIsThere) {
  for (int pos = 0; pos <= 90; pos += 7) {
    TkBarAxis a{200, 17, 0, 99, 10, pos};
    // The drawn centre takes half an odd slider rounded down, the position
    // not: they agree to one position.
    EXPECT_NEAR(AxisPositionAt(a, AxisSliderCenter(a)), pos, 1) << pos;
  }
  TkBarAxis full{200, 17, 0, 9, 10, 0};
  EXPECT_EQ(AxisPositionAt(full, 150), 0) << "the slider fills the track";
  TkBarAxis off{200, 17, 0, 99, 10, 0, false};
  EXPECT_EQ(AxisPositionAt(off, 150), 0) << "disabled";
}

TEST(BarAxis, RoundRatioHalvesToEven) {
  EXPECT_EQ(RoundRatio(5, 2), 2);
  EXPECT_EQ(RoundRatio(7, 2), 4);
  EXPECT_EQ(RoundRatio(-5, 2), -2);
  EXPECT_EQ(RoundRatio(10, -4), -2);
  EXPECT_EQ(RoundRatio(2, 3), 1);
}
