// The two-pass resampler: kernels, contributor lists, clamping of channel
// sums, and degenerate sizes that must do nothing.
#include "skin/engine/core/resample.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(Resample, SameSizeIsAnExactCopy) {
  TestImage src(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) src.At(x, y) = 0x01020304u * uint32_t(x + 3 * y + 1);
  TPixelBuffer out;
  ResamplePixels(src.View(), out, 3, 2, rfMitchell);
  TPixelView32 o = View32(out);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(o.Pixel(x, y), src.At(x, y));
}

TEST(Resample, EnlargingAUniformImageWithHermiteStaysUniform) {
  TestImage src(2, 2, 0xFF80A0C0);
  TPixelBuffer out;
  ResamplePixels(src.View(), out, 4, 4, rfHermite);
  TPixelView32 o = View32(out);
  ASSERT_FALSE(o.Empty());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(o.Pixel(x, y), o.Pixel(0, 0));
  EXPECT_EQ(o.Pixel(0, 0), 0xFF80A0C0u) << "mirrored edges keep the full weight";
}

TEST(Resample, HalvingWithMitchellDrawsOnSevenSamplesWithinFourPixels) {
  auto list = BuildContributors(20, 10, rfMitchell);
  ASSERT_EQ(list.size(), 10u);
  const auto& mid = list[5];  // centre 10
  EXPECT_EQ(mid.size(), 7u);
  for (const TContributor& c : mid) EXPECT_LT(std::abs(c.Index - 10), 4);
}

TEST(Resample, WideKernelsOnTinyLinesNeverLeaveTheLine) {
  for (uint8_t kind = 0; kind <= 7; ++kind)
    for (int s : {2, 3, 10})
      for (int d : {1, 2, 5, 40})
        for (const auto& dest : BuildContributors(s, d, kind))
          for (const TContributor& c : dest) ASSERT_TRUE(c.Index >= 0 && c.Index < s) << int(kind) << " " << s;
}

TEST(Resample, ClampsChannelSumsToTheByteRange) {
  // A hard step under Mitchell's negative lobes: undershoot gives 0, overshoot
  // 255, never a wrapped value.
  TestImage src(8, 2, 0xFF000000);
  for (int x = 4; x < 8; ++x) src.At(x, 0) = src.At(x, 1) = 0xFFFFFFFF;
  TPixelBuffer out;
  ResamplePixels(src.View(), out, 24, 2, rfMitchell);
  TPixelView32 o = View32(out);
  for (int x = 0; x < 24; ++x) {
    uint8_t b = Blue(o.Pixel(x, 0));
    if (x < 9) {
      EXPECT_LT(b, 16) << x;
    }
    if (x > 15) {
      EXPECT_GT(b, 240) << x;
    }
  }
}

TEST(Resample, DegenerateSizesDoNothing) {
  TestImage src(5, 5, 1), thin(1, 5, 1);
  struct Case {
    TPixelView32 source;
    int w, h;
  } cases[] = {{src.View(), 0, 3}, {src.View(), 3, 0}, {src.View(), -4, 3}, {thin.View(), 4, 4}, {{}, 4, 4}};
  for (auto c : cases) {
    TPixelBuffer out;
    ResamplePixels(c.source, out, c.w, c.h, rfMitchell);
    EXPECT_TRUE(out.Empty()) << c.w << "x" << c.h;
  }
}

TEST(Resample, AllSmallSizesStayInBounds) {
  TestImage src(7, 5, 0x80402010);
  for (int w = 1; w <= 17; w += 4)
    for (int h = 1; h <= 17; h += 4)
      for (uint8_t kind : {rfBox, rfHermite, rfLanczos, rfMitchell}) {
        TPixelBuffer out;
        ResamplePixels(src.View(), out, w, h, kind);
        EXPECT_EQ(out.Width(), w);
      }
  EXPECT_TRUE(src.GuardIntact());
}

}  // namespace
}  // namespace skin
