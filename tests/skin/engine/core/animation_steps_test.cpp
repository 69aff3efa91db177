// The frame arithmetic of the window animations.
#include "skin/engine/core/animation_steps.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(AnimationSteps, FrameCountsAndAlphaSequences) {
  struct Case {
    const char* name;
    std::vector<int> (*sequence)(unsigned, int);
    unsigned time;
    int alpha;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"form, no time", FormShowAlphas, 0, 255, {}},
      {"form, 11 ms", FormShowAlphas, 11, 255, {}},
      {"form, 12 ms: two frames", FormShowAlphas, 12, 255, {255, 255}},
      // 25.5 a step, halves to even; the tenth frame reaches 255, the
      // eleventh is capped.
      {"form, 120 ms", FormShowAlphas, 120, 255, {26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255}},
      {"dialog, 11 ms", DialogShowAlphas, 11, 255, {}},
      {"dialog, 12 ms", DialogShowAlphas, 12, 255, {128, 255}},
      // 255 / 11 a step, ending exactly at 255.
      {"dialog, 120 ms", DialogShowAlphas, 120, 255, {23, 46, 70, 93, 116, 139, 162, 185, 209, 232, 255}},
      {"hide, 11 ms", HideAlphas, 11, 255, {}},
      {"hide, 12 ms", HideAlphas, 12, 255, {0, 0}},
      {"hide, 48 ms", HideAlphas, 48, 200, {150, 100, 50, 0, 0}},
      {"time above 16 bits counts its low 16 bits", FormShowAlphas, 65536 + 12, 255, {255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.sequence(c.time, c.alpha), c.expected);
  }
}

TEST(AnimationSteps, ZoomGrowsFromAnEighthInsetAndShrinksBackToIt) {
  const std::vector<TZoomRect> show = ShowZoomRects(80, 40, 2);
  ASSERT_EQ(show.size(), 3u);
  EXPECT_DOUBLE_EQ(show[0].l, 10);
  EXPECT_DOUBLE_EQ(show[0].t, 5);
  EXPECT_DOUBLE_EQ(show[0].r, 70);
  EXPECT_DOUBLE_EQ(show[1].l, 5);
  EXPECT_DOUBLE_EQ(show[2].l, 0);
  EXPECT_DOUBLE_EQ(show[2].b, 40);
  const std::vector<TZoomRect> hide = HideZoomRects(80, 40, 2);
  ASSERT_EQ(hide.size(), 3u);
  EXPECT_DOUBLE_EQ(hide[0].l, 0);
  EXPECT_DOUBLE_EQ(hide[0].r, 80);
  EXPECT_DOUBLE_EQ(hide[1].l, 5);
  EXPECT_DOUBLE_EQ(hide[2].l, 10);
  EXPECT_DOUBLE_EQ(hide[2].b, 35);
  EXPECT_TRUE(ShowZoomRects(80, 40, 0).empty());
  EXPECT_TRUE((TZoomRect{-1, 0, 10, 10}).PlainCopy());
  EXPECT_TRUE((TZoomRect{0, -0.5, 10, 10}).PlainCopy());
  EXPECT_FALSE((TZoomRect{0, 0, 10, 10}).PlainCopy());
}

TEST(AnimationSteps, TheOldImageStaysOpaqueUntilTheNewOneReachesTwoThirds) {
  struct Case {
    int newAlpha, expected;
  };
  const Case cases[] = {{0, 255}, {170, 255}, {171, 252}, {200, 165}, {255, 0}};
  for (const Case& c : cases) EXPECT_EQ(TransitionOldAlpha(255, c.newAlpha), c.expected) << c.newAlpha;
  EXPECT_EQ(ScreenBlendWeights(0), std::vector<int>{});
  EXPECT_EQ(ScreenBlendWeights(4), (std::vector<int>{255, 192, 129, 66, 3}));
  EXPECT_EQ(ScreenBlendWeights(2), (std::vector<int>{255, 128, 1}));
}

}  // namespace
}  // namespace skin
