// Frames of multi-frame glyphs: which frame a state shows, the key of the
// frame, the caller's glyph left as it was, and the fading reflection.
#include "skin/engine/core/glyph_frame.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(GlyphFrameIndex, StatesPickTheirFrames) {
  struct Case {
    int num;
    bool frames;
    int state, hot;
    bool first;
    int want;
  } cases[] = {
      {4, true, gbUp, 0, false, 0},        {1, true, gbDown, 0, false, 0},     {4, false, gbDown, 0, false, 0},
      {4, true, gbDisabled, 0, false, 1},  {4, true, gbDisabled, 0, true, 0},  {4, true, gbDown, 0, false, 2},
      {4, true, gbDown, 1, false, 3},      {3, true, gbDown, 1, false, 1},     {3, true, gbDown, 1, true, 0},
      {2, true, gbExclusive, 0, false, 0}, {3, true, gbExclusive, 0, false, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphFrameIndex(c.num, c.frames, c.state, c.hot, c.first), c.want)
        << c.num << " frames, state " << c.state << " hot " << c.hot;
}

TEST(DrawGlyphFrame, CopiesTheFrameWithoutItsKeyAndLeavesTheGlyph) {
  // Three frames of 2 x 2; each frame's bottom-left pixel is its key (alpha 0).
  TestImage glyph(6, 2);
  for (int f = 0; f < 3; ++f) {
    glyph.At(f * 2, 0) = glyph.At(f * 2 + 1, 0) = glyph.At(f * 2 + 1, 1) = MakePixel(f * 50, 0, 0, 0);
    glyph.At(f * 2, 1) = 0x00FF00FF;
  }
  const std::vector<uint32_t> before = [&] {
    std::vector<uint32_t> v;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 6; ++x) v.push_back(glyph.At(x, y));
    return v;
  }();
  TestImage dest(4, 4, 0xFF000000);
  DrawGlyphFrame(glyph.View(), dest.View(), fw::Rect(1, 1, 3, 3), 3, true, gbDown, 0, 0, false, false);
  EXPECT_EQ(dest.At(1, 1), MakePixel(100, 0, 0, 0));
  EXPECT_EQ(dest.At(1, 2), 0xFF000000u) << "the key is skipped";
  for (int y = 0, i = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x, ++i) ASSERT_EQ(glyph.At(x, y), before[i]);
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(DrawGlyphReflection, FadesRowByRow) {
  TestImage glyph(1, 9, 0xFFFFFFFF), dest(1, 20, 0xFF000000);
  DrawGlyphReflection(dest.View(), glyph.View(), fw::Rect(0, 10, 1, 19), fw::Rect(0, 0, 0, 8), 0, 0);
  // W = min(9 / 3 * 2 - 1, 20 - 10 - 1) = 5; F = 255, 204, 153, ...
  int fade = 255;
  for (int k = 0; k <= 5; ++k) {
    const int w = 100 * ((((5 - k) * 255 / 5) * fade) >> 9) / 100, v = (255 * w) >> 8;
    EXPECT_EQ(dest.At(0, 10 + k), MakePixel(v, v, v, 255)) << k;
    fade -= 51;
  }
  EXPECT_EQ(dest.At(0, 16), 0xFF000000u);
  EXPECT_TRUE(dest.GuardIntact());
}

}  // namespace
}  // namespace skin
