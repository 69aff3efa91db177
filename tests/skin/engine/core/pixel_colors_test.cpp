// Colour operations on pixels and colours, greying, the coverage blur, the
// three-tap smoothing and the fade mask.
#include "skin/engine/core/pixel_colors.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

constexpr uint32_t Px(int r, int g, int b, int a = 0xFF) { return MakePixel(b, g, r, a); }

TEST(PixelOperations, GiveTheStatedResults) {
  struct Case {
    const char* what;
    uint32_t got, want;
  } cases[] = {
      {"saturation -255 gives the average", PixelSaturation(Px(200, 100, 0), -255), Px(100, 100, 100)},
      {"saturation 0 changes nothing", PixelSaturation(Px(200, 100, 0, 7), 0), Px(200, 100, 0, 7)},
      {"saturation -147 (control -58%)", PixelSaturation(Px(200, 100, 0), SaturationPercentToScale(-58)),
       Px(143, 100, 57)},
      {"brightness clamps high", PixelBrightness(Px(250, 10, 0, 9), 10), Px(255, 20, 10, 9)},
      {"brightness clamps low", PixelBrightness(Px(250, 10, 0), -20), Px(230, 0, 0)},
      {"tone red on a bright pixel", PixelColorTone(Px(255, 40, 0, 3), 0x0000FF), Px(254, 0, 0, 3)},
      {"hue: red +120 is green", PixelHueShift(Px(255, 0, 0), 120), Px(0, 255, 0)},
      {"hue: red +60 is yellow", PixelHueShift(Px(255, 0, 0), 60), Px(255, 255, 0)},
      {"hue: grey has none", PixelHueShift(Px(90, 90, 90, 1), 77), Px(90, 90, 90, 1)},
      {"hue: red -120 is blue", PixelHueShift(Px(255, 0, 0), -120), Px(0, 0, 255)},
      {"hue: red -30 leans to magenta", PixelHueShift(Px(255, 0, 0), -30), Px(255, 0, 127)},
  };
  for (auto c : cases) EXPECT_EQ(c.got, c.want) << c.what << std::hex << " got " << c.got;
}

TEST(ColorForms, TreatRedAlikeAndSkipZeroChanges) {
  EXPECT_EQ(ShiftHueColor(0x0000FF, 120), 0x00FF00u) << "red colour to green";
  EXPECT_EQ(ShiftHueColor(0x123456, 0), 0x123456u);
  EXPECT_EQ(SaturateColor(0x0064C8, -255), 0x646464u);
  EXPECT_EQ(ToneColor(0xFFFFFF, 0x0000FF), 0x0000FEu);
  EXPECT_EQ(AdjustColor(0x0000FF, clSkinNone, 0, -58), SaturateColor(0x0000FF, -147));
  EXPECT_EQ(AdjustColor(0xFFFFFF, 0x0000FF, 120, 0), 0x00FE00u) << "tone first, then hue";
  EXPECT_EQ(SaturationPercentToScale(100), 255) << "exactly, not 254 of a double product";
}

TEST(MixColors, WeighsAAndKeepsItsHighByte) {
  EXPECT_EQ(MixColors(0xAA000000, 0x00123456, 0), 0xAA123456u);
  EXPECT_EQ(MixColors(0xFFFFFF, 0x000000, 0.5), 0x7F7F7Fu);
}

TEST(ApplyToPixels, SkipsExactKeyPixels) {
  TestImage img(2, 1, 0x00FF00FF);
  img.At(1, 0) = 0xFFFF00FF;
  ApplyToPixels(img.View(), PixelBrightness, -16, 0xFF00FF);
  EXPECT_EQ(img.At(0, 0), 0x00FF00FFu);
  EXPECT_EQ(img.At(1, 0), 0xFFEF00EFu);
  ApplyToPixels(TPixelView32{}, PixelBrightness, 5, clSkinNone);
}

TEST(GreyBitmap, AveragesAndLeavesTheKey) {
  TestImage img(2, 1, Px(30, 60, 90, 5));
  img.At(1, 0) = 0x00FF00FF;
  GreyBitmapExceptKey(img.View(), 0xFF00FF);
  EXPECT_EQ(img.At(0, 0), Px(60, 60, 60, 5));
  EXPECT_EQ(img.At(1, 0), 0x00FF00FFu);
  GreyBitmap(img.View());
  EXPECT_EQ(img.At(1, 0), 0x00AAAAAAu);
}

struct Mask8 {
  int w, h;
  std::vector<uint8_t> bytes;
  Mask8(int w, int h, uint8_t fill) : w(w), h(h), bytes(size_t(w) * h, fill) {}
  TPixelView8 View() { return {bytes.data(), w, w, h}; }
  uint8_t& At(int x, int y) { return bytes[size_t(y) * w + x]; }
};

TEST(BlurMask8, IsABoxWhoseWidthFollowsTheRoundedTaps) {
  struct Case {
    double sigma;
    int radius;
  } cases[] = {{0.5, 0}, {1, 1}, {2, 1}, {3, 2}, {5, 4}, {9, 9}, {0, 0}, {-3, 0}};
  for (auto c : cases) EXPECT_EQ(BlurBoxRadius(c.sigma), c.radius) << c.sigma;
}

TEST(BlurMask8, KeepsAUniformAreaAndSpreadsOneInkPixel) {
  for (double sigma : {1.0, 2.0, 3.0, 5.0, 9.0}) {
    Mask8 m(20, 20, 255);
    BlurMask8(m.View(), sigma);
    for (uint8_t b : m.bytes) ASSERT_EQ(b, 255) << sigma;
  }
  Mask8 m(21, 21, 255);
  m.At(10, 10) = 0;
  BlurMask8(m.View(), 5);  // box of 9 x 9
  EXPECT_EQ(m.At(10, 10), (8 * 255 + 8 * 255 / 9) / 9) << "the row pass gives 226, the column pass 251";
  EXPECT_EQ(m.At(14, 14), m.At(10, 10));
  EXPECT_EQ(m.At(15, 10), 255);
  Mask8 small(3, 3, 0);
  small.At(1, 1) = 90;
  BlurMask8(small.View(), 0.5);
  EXPECT_EQ(small.At(1, 1), 90) << "too small a radius changes nothing";
}

TEST(SmoothAlphaBitmap, UsesTheLastOpaqueTapForTransparentNeighbours) {
  TestImage opaque(3, 3, Px(90, 90, 90, 255));
  SmoothAlphaBitmap(opaque.View());
  EXPECT_EQ(opaque.At(1, 1), Px(90, 90, 90, 255)) << "three thirds of 90; alpha 3 * (85 + 1) capped";
  TestImage clear(3, 2, 0);
  SmoothAlphaBitmap(clear.View());
  EXPECT_EQ(clear.At(1, 1), 0u);
  TestImage edge(3, 1, 0);
  edge.At(1, 0) = Px(99, 99, 99, 99);
  SmoothAlphaBitmap(edge.View());
  // Rows, then columns (of one pixel each): the lone opaque tap keeps its
  // colour through the fallback sums, its alpha becomes a third plus one per pass.
  EXPECT_EQ(Red(edge.At(1, 0)), 99);
  EXPECT_EQ(Alpha(edge.At(1, 0)), (99 / 3 + 1) / 3 + 1);
}

TEST(FadeMask, RingsStepFromWhiteToTheCentreLevel) {
  EXPECT_EQ(FadeMaskLevel(50, 0, 3), 255);
  EXPECT_EQ(FadeMaskLevel(50, 1, 3), 127 + 3 * 128 / 4);
  EXPECT_EQ(FadeMaskLevel(50, 3, 3), 127 + 128 / 4);
  TestImage img(2, 1, Px(200, 200, 200, 9)), mask(2, 1, 0);
  mask.At(1, 0) = 0x00FFFFFF;
  CombineFadeMask(img.View(), mask.View(), 0x000000);
  EXPECT_EQ(img.At(0, 0), Px(0, 0, 0, 9));
  EXPECT_EQ(img.At(1, 0), Px(199, 199, 199, 9));
}

}  // namespace
}  // namespace skin
