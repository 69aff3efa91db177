// Section textures: what each texture mode paints and hands back, pattern
// images, and masked textures with whole tiles only.
#include "skin/engine/core/texture_paint.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

constexpr uint32_t kBlank = 0xFF000000, kTex = 0xFF10A020;

TEST(PaintTexture, ModesPaintAndHandBackTheRest) {
  // A 10 x 10 texture at (2, 3) of the source, painted into (5, 5)-(30, 28).
  struct Case {
    int mode;
    fw::TRect handedBack;
    fw::TPoint painted, blank;  // a point inside r of each kind (blank.x < 0: none)
  } cases[] = {
      {0, kTextureCovered, {29, 27}, {-1, 0}},
      {1, kTextureCovered, {29, 27}, {-1, 0}},
      {2, fw::Rect(5, 15, 30, 28), {29, 14}, {5, 15}},
      {3, fw::Rect(15, 5, 30, 28), {14, 27}, {15, 5}},
      {4, fw::Rect(5, 15, 30, 28), {29, 14}, {5, 15}},
      {5, fw::Rect(15, 5, 30, 28), {14, 27}, {15, 5}},
      {6, fw::Rect(5, 5, 30, 18), {5, 18}, {5, 17}},
      {7, fw::Rect(5, 5, 20, 28), {20, 5}, {19, 5}},
      {10, kTextureCovered, {24, 24}, {25, 5}},
      {9, fw::Rect(5, 5, 30, 28), {-1, 0}, {5, 5}},
  };
  for (const Case& c : cases) {
    TestImage source(14, 14, clSkinKey), dest(32, 30, kBlank);
    for (int y = 3; y < 13; ++y)
      for (int x = 2; x < 12; ++x) source.At(x, y) = kTex;
    TkMaskData mask;
    mask.R = fw::Rect(2, 3, 12, 13);
    EXPECT_EQ(PaintTexture(dest.View(), fw::Rect(5, 5, 30, 28), {}, c.mode, mask, source.View()), c.handedBack)
        << "mode " << c.mode;
    if (c.painted.x >= 0) EXPECT_EQ(dest.At(c.painted.x, c.painted.y), kTex) << "mode " << c.mode;
    if (c.blank.x >= 0) EXPECT_EQ(dest.At(c.blank.x, c.blank.y), kBlank) << "mode " << c.mode;
    EXPECT_EQ(dest.At(4, 4), kBlank) << "outside r, mode " << c.mode;
    EXPECT_EQ(dest.At(30, 28), kBlank) << "outside r, mode " << c.mode;
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(PaintTexture, PatternImageTilesFromTheTopLeft) {
  TestImage image(3, 2), dest(8, 5, kBlank);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) image.At(x, y) = MakePixel(x, y, 9, 255);
  EXPECT_EQ(PaintTexture(dest.View(), fw::Rect(1, 1, 8, 5), image.View(), 3, {}, {}), kTextureCovered);
  EXPECT_EQ(dest.At(1, 1), MakePixel(0, 0, 9, 255));
  EXPECT_EQ(dest.At(7, 4), MakePixel(0, 1, 9, 255));  // partial tiles at the right and bottom
  EXPECT_EQ(dest.At(0, 0), kBlank);
}

TEST(PaintMaskedTexture, WholeTilesAndBackgroundStrips) {
  // 4 x 3 texture with its mask part below (mask 0: the image shows).
  TestImage master(4, 6, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) master.At(x, y) = kTex;
  TkMaskData mask;
  mask.R = fw::Rect(0, 0, 4, 6);
  mask.ImageCount = 1;
  mask.MaskType = 1;
  struct Case {
    bool ready;
    uint32_t strip;
  } cases[] = {{true, 0xFFABCDEF}, {false, ColorToPixel(0x123456, 255)}};
  for (const Case& c : cases) {
    TestImage dest(10, 8, kBlank), back(10, 8, 0xFFABCDEF);
    TCacheInfo ci;
    ci.Ready = c.ready;
    ci.Bmp = back.View();
    ci.FillColor = 0x123456;
    PaintMaskedTexture(dest.View(), fw::Rect(0, 0, 10, 8), ci, 10, mask, master.View());
    EXPECT_EQ(dest.At(7, 5), kTex);     // whole tiles: 2 x 2 of 4 x 3
    EXPECT_EQ(dest.At(8, 0), c.strip);  // right of them
    EXPECT_EQ(dest.At(0, 6), c.strip);  // below them
    TestImage partial(10, 8, kBlank);
    PaintMaskedTexture(partial.View(), fw::Rect(0, 0, 10, 8), ci, 0, mask, master.View());
    EXPECT_EQ(partial.At(9, 7), kTex) << "mode 0 paints partial tiles";
  }
}

}  // namespace
}  // namespace skin
