// Blending of 32-bit colours: every byte lane follows the rounding formula
// on its own (no lane spills into its neighbour), the weights 0 and 255
// give the colours exactly, transparent pixels are skipped and opaque ones
// copied.
#include "services/core/argb_blend.h"

#include <gtest/gtest.h>

#include <vector>

namespace services {
namespace {

uint32_t Lane(uint32_t c, int i) { return (c >> (8 * i)) & 0xFF; }
uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }

uint32_t Reference(uint32_t x, uint32_t y, uint32_t w) {
  if (w == 0) return y;
  if (w == 255) return x;
  return ((x * w + 128) >> 8) + ((y * (255 - w) + 128) >> 8);
}

TEST(ArgbBlend, EveryLaneFollowsTheFormulaForEveryWeight) {
  int wrong = 0;
  for (uint32_t w = 0; w < 256; ++w)
    for (uint32_t x = 0; x < 256; ++x)
      for (uint32_t y = 0; y < 256; ++y) {
        const uint32_t lanesX[4] = {x, y, 255 - x, 255 - y};
        const uint32_t lanesY[4] = {y, x, 255 - y, 255 - x};
        const uint32_t got = Combine(Pack(lanesX[3], lanesX[2], lanesX[1], lanesX[0]),
                                     Pack(lanesY[3], lanesY[2], lanesY[1], lanesY[0]), w);
        for (int i = 0; i < 4; ++i)
          if (Lane(got, i) != Reference(lanesX[i], lanesY[i], w) && ++wrong < 5)
            ADD_FAILURE() << "x " << lanesX[i] << " y " << lanesY[i] << " w " << w << " lane " << i;
      }
  EXPECT_EQ(wrong, 0);
}

TEST(ArgbBlend, BlendsByTheForegroundAlphaAndTheMask) {
  struct Case {
    const char* name;
    uint32_t result;
    uint32_t expected;
  };
  const uint32_t back = 0x80102030;
  const Case cases[] = {
      {"weight 0 gives the background", Combine(0xFFFFFFFF, back, 0), back},
      {"weight 255 gives the foreground", Combine(0x12345678, back, 255), 0x12345678},
      {"transparent foreground", Blend(0x00FFFFFF, back), back},
      {"opaque foreground", Blend(0xFF445566, back), 0xFF445566},
      {"half", Blend(0x80FF0000, 0xFF0000FF), Pack(Reference(0x80, 0xFF, 0x80), Reference(0xFF, 0, 0x80), 0,
                                                   Reference(0, 0xFF, 0x80))},
      {"mask 0 keeps the background", BlendMasked(0xFFFFFFFF, back, 0), back},
      {"mask 255 nearly the foreground", BlendMasked(0xFF000000, 0x00000000, 255),
       Pack(Reference(0xFF, 0, 254), 0, 0, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
  uint32_t b = back;
  BlendInPlace(0xFF010203, b);
  EXPECT_EQ(b, 0xFF010203u);
  b = back;
  CombineInPlace(0xFFFFFFFF, b, 0);
  EXPECT_EQ(b, back);
  b = back;
  BlendMaskedInPlace(0xFF010203, b, 0);
  EXPECT_EQ(b, back);
}

TEST(ArgbBlend, LinesSkipTransparentPixelsCopyOpaqueOnesAndStopAtTheCount) {
  const std::vector<uint32_t> src = {0x00FFFFFF, 0xFF112233, 0x80FFFFFF, 0xFF445566};
  std::vector<uint32_t> dst(4, 0xFF000000);
  BlendLine(src.data(), dst.data(), 3);
  EXPECT_EQ(dst[0], 0xFF000000u);
  EXPECT_EQ(dst[1], 0xFF112233u);
  EXPECT_EQ(dst[2], Combine(0x80FFFFFF, 0xFF000000, 0x80));
  EXPECT_EQ(dst[3], 0xFF000000u) << "beyond the count";

  for (int count : {0, -1}) {
    std::vector<uint32_t> untouched(4, 7);
    BlendLine(src.data(), untouched.data(), count);
    BlendLineMasked(src.data(), untouched.data(), count, 255);
    EXPECT_EQ(untouched, std::vector<uint32_t>(4, 7));
  }
  std::vector<uint32_t> masked(4, 0xFF000000);
  BlendLineMasked(src.data(), masked.data(), 4, 0);
  EXPECT_EQ(masked, std::vector<uint32_t>(4, 0xFF000000)) << "mask 0 leaves every pixel";
  BlendLineMasked(src.data(), masked.data(), 4, 128);
  EXPECT_EQ(masked[1], BlendMasked(0xFF112233, 0xFF000000, 128));
}

TEST(ArgbBlend, RectWithinRect) {
  const fw::TRect outer = fw::Rect(10, 10, 50, 40);
  struct Case {
    fw::TRect inner;
    bool within;
  };
  const Case cases[] = {
      {outer, true},
      {fw::Rect(20, 20, 30, 30), true},
      {fw::Rect(9, 20, 30, 30), false},
      {fw::Rect(20, 9, 30, 30), false},
      {fw::Rect(20, 20, 51, 30), false},
      {fw::Rect(20, 20, 30, 41), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RectWithinRect(c.inner, outer), c.within) << c.inner.Left << "," << c.inner.Top << "," << c.inner.Right << "," << c.inner.Bottom;
  EXPECT_FALSE(BlendUsesMMX());
}

}  // namespace
}  // namespace services
