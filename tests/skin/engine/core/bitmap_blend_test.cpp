// Keyed copies, blends and quarter turns between 32-bit images, each with the
// edge rectangles that must stay inside every image.
#include "skin/engine/core/bitmap_blend.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(CopyBitmapSkipKey, SkipsOnlyTheKeyWithAlphaZeroAndMakesCopiesOpaque) {
  TestImage dest(3, 1, 0x11111111);
  TestImage source(3, 1);
  source.At(0, 0) = 0x00FF00FF;
  source.At(1, 0) = 0xFFFF00FF;
  source.At(2, 0) = 0x00123456;
  CopyBitmapSkipKey(dest.View(), source.View(), 0, 0, 0xFF00FF);
  EXPECT_EQ(dest.At(0, 0), 0x11111111u);
  EXPECT_EQ(dest.At(1, 0), 0xFFFF00FFu);
  EXPECT_EQ(dest.At(2, 0), 0xFF123456u);
}

TEST(CopyBitmapSkipKey, ShiftsTheSourceWithANegativeOrigin) {
  TestImage dest(2, 2, 0), source(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) source.At(x, y) = uint32_t(10 * y + x + 1);
  CopyBitmapSkipKey(dest.View(), source.View(), -1, -1, clSkinNone);
  EXPECT_EQ(dest.At(0, 0) & 0xFFFFFF, 12u);
  EXPECT_EQ(dest.At(1, 1) & 0xFFFFFF, 23u);
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(CopyRectSkipKey, TakesTheSourceRectangleWithItsRightColumnAndBottomRow) {
  TestImage dest(4, 4, 0), source(3, 3, 0x80000001);
  CopyRectSkipKey(dest.View(), source.View(), 1, 1, {0, 0, 1, 1}, 0xFF00FF);
  EXPECT_EQ(dest.At(2, 2), 0x80000001u) << "inclusive right/bottom, alpha kept";
  EXPECT_EQ(dest.At(3, 3), 0u);
  CopyRectSkipKey(dest.View(), source.View(), 2, 2, {-5, -5, 50, 50}, 0xFF00FF);
  EXPECT_EQ(dest.At(3, 3), 0x80000001u);
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(CopyRectKeyed, PutsTheBackgroundBehindKeyPixelsByTheCacheRules) {
  TestImage source(2, 1);
  source.At(0, 0) = 0x00FF00FF;  // key
  source.At(1, 0) = 0x40000002;
  TestImage parent(4, 4, 0xFF0000AA);
  parent.At(3, 2) = 0xFF0000BB;

  {  // onto the parent's image itself: key pixels stay, others become opaque
    TestImage copy = parent;
    TCacheInfo ci;
    ci.Bmp = copy.View(), ci.Ready = true;
    CopyRectKeyed(copy.View(), source.View(), 2, 2, {0, 0, 1, 0}, clSkinKey, ci, true);
    EXPECT_EQ(copy.At(2, 2), 0xFF0000AAu);
    EXPECT_EQ(copy.At(3, 2), 0xFF000002u);
  }
  {  // elsewhere: key pixels take the parent's pixel at the cache offset
    TestImage dest(2, 1, 0);
    TCacheInfo ci;
    ci.Bmp = parent.View(), ci.X = 3, ci.Y = 2, ci.Ready = true;
    CopyRectKeyed(dest.View(), source.View(), 0, 0, {0, 0, 1, 0}, clSkinKey, ci, true);
    EXPECT_EQ(dest.At(0, 0), 0xFF0000BBu);
    EXPECT_EQ(dest.At(1, 0), 0x40000002u);
    ci.X = -7;  // outside the parent: the key pixel is left
    CopyRectKeyed(dest.View(), source.View(), 0, 0, {0, 0, 1, 0}, clSkinKey, ci, true);
    EXPECT_EQ(dest.At(0, 0), 0xFF0000BBu);
  }
  {  // ready without background: key pixels skipped
    TestImage dest(2, 1, 5);
    TCacheInfo ci;
    ci.Ready = true;
    CopyRectKeyed(dest.View(), source.View(), 0, 0, {0, 0, 1, 0}, clSkinKey, ci, true);
    EXPECT_EQ(dest.At(0, 0), 5u);
  }
  {  // not ready: key pixels become the fill colour with alpha 0
    TestImage dest(2, 1, 5);
    TCacheInfo ci;
    ci.FillColor = 0x0000FF;
    CopyRectKeyed(dest.View(), source.View(), 0, 0, {0, 0, 1, 0}, clSkinKey, ci, false);
    EXPECT_EQ(dest.At(0, 0), 0x00FF0000u);
  }
}

TEST(BlendBitmapAt, WeightIsTheDestinationsShare) {
  struct Case {
    uint8_t weight;
    uint32_t out;
  } cases[] = {{0, 0x00FFFFFF}, {255, 0}, {128, 0x7F7F7F}};
  for (auto c : cases) {
    TestImage dest(2, 2, 0), source(2, 2, 0x00FFFFFF);
    BlendBitmapAt(dest.View(), source.View(), c.weight, {0, 0, 2, 2}, {0, 0});
    EXPECT_EQ(dest.At(1, 1), c.out) << int(c.weight) << ": the full rectangle blends every row";
  }
}

TEST(BlendBitmapAt, ClipsNegativePointsAndSourceEdgesToBothImages) {
  TestImage source(3, 3, 0x00FFFFFF);
  source.At(2, 2) = 0x00000010;
  {
    TestImage dest(2, 2, 0);
    BlendBitmapAt(dest.View(), source.View(), 0, {0, 0, 3, 3}, {-1, -1});
    EXPECT_EQ(dest.At(1, 1), 0x10u) << "source moved by the negative point";
    EXPECT_TRUE(dest.GuardIntact());
  }
  {
    TestImage dest(3, 3, 0);
    BlendBitmapAt(dest.View(), source.View(), 0, {-1, -1, 2, 2}, {0, 0});
    EXPECT_EQ(dest.At(0, 0), 0u) << "destination moved by the negative source edge";
    EXPECT_EQ(dest.At(1, 1), 0xFFFFFFu);
    EXPECT_TRUE(dest.GuardIntact());
  }
  {
    TestImage dest(2, 2, 0);
    BlendBitmapAt(dest.View(), source.View(), 0, {0, 0, 9, 9}, {1, 1});
    BlendBitmapAt(dest.View(), source.View(), 0, {0, 0, 2, 2}, {2, 0});  // point beyond: nothing
    EXPECT_EQ(dest.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(dest.At(0, 0), 0u);
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(BlendBitmapRectKeyed, RatioIsTheDestinationsWeightAndKeyPixelsAreSkipped) {
  TestImage dest(3, 1, 0x00000000), source(3, 1, 0x00C8C8C8);
  source.At(2, 0) = 0x00FF00FF;
  BlendBitmapRectKeyed(dest.View(), 0, 0, source.View(), {0, 0, 2, 0}, 0.25, clSkinKey);
  EXPECT_EQ(dest.At(0, 0), 0x969696u) << "Trunc(200 - 200 * 0.25) = 150";
  EXPECT_EQ(dest.At(2, 0), 0u);
  BlendBitmapRectKeyed(dest.View(), 2, -3, source.View(), {-1, -1, 5, 5}, 0, clSkinNone);
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(BlendBitmapToColor, MixesEveryPixelButTheKey) {
  TestImage img(2, 1, 0x00C8C8C8);
  img.At(1, 0) = 0xFF00FF;
  BlendBitmapToColor(img.View(), 0x000000, 0.5);
  EXPECT_EQ(img.At(0, 0), 0x00646464u);
  EXPECT_EQ(img.At(1, 0), 0xFF00FFu);
}

TEST(BlendTwoBitmaps, WeighsOrMasksAndKeepsTheLowByteOfNegativeSteps) {
  TestImage a(1, 1, 0x00FFFFFF), b(1, 1, 0), dest(1, 1);
  BlendTwoBitmaps(dest.View(), a.View(), b.View(), nullptr, 255);
  EXPECT_EQ(dest.At(0, 0) & 0xFF, 254u);
  TestImage a2(1, 1, 0), b2(1, 1, 0x00FFFFFF);
  BlendTwoBitmaps(dest.View(), a2.View(), b2.View(), nullptr, 128);
  EXPECT_EQ(dest.At(0, 0) & 0xFF, 127u);
  TestImage mask(1, 1, 0x000080FF);  // red 0, green 0x80, blue 0xFF
  const TPixelView32 maskView = mask.View();
  BlendTwoBitmaps(dest.View(), a.View(), b.View(), &maskView, 0);
  EXPECT_EQ(dest.At(0, 0) & 0xFFFFFF, 0x007FFEu) << "per channel ((A - B) * M + B * 256) >> 8";
  TestImage other(2, 1);
  dest.At(0, 0) = 9;
  BlendTwoBitmaps(dest.View(), a.View(), other.View(), nullptr, 0);
  EXPECT_EQ(dest.At(0, 0), 9u) << "different sizes: nothing";
}

TEST(BlendThroughMask, MaskRedSelectsHowMuchOfTheSourceAlphaApplies) {
  struct Case {
    uint32_t mask;
    uint8_t out;
  } cases[] = {{0x000000, 254}, {0xFF0000, 0}, {0x800000, 125}};
  for (auto c : cases) {
    TestImage dest(1, 1, 0), source(1, 1, 0xFFFFFFFF), mask(1, 1, c.mask);
    BlendThroughMask(dest.View(), source.View(), mask.View(), {0, 0, 1, 1});
    EXPECT_EQ(dest.At(0, 0) & 0xFF, c.out) << std::hex << c.mask;
  }
  TestImage dest(2, 2), source(1, 1, 0xFFFFFFFF), mask(3, 3);
  BlendThroughMask(dest.View(), source.View(), mask.View(), {-1, -1, 5, 5});
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(RotatePixels90, FourClockwiseTurnsGiveTheImageBack) {
  TestImage src(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) src.At(x, y) = uint32_t(10 * y + x);
  TestImage cw(2, 3);
  RotatePixels90(src.View(), cw.View(), true);
  EXPECT_EQ(cw.At(1, 0), 0u) << "(x, y) goes to (H - 1 - y, x)";
  EXPECT_EQ(cw.At(0, 2), 12u);
  TestImage ccw(2, 3);
  RotatePixels90(src.View(), ccw.View(), false);
  EXPECT_EQ(ccw.At(0, 2), 0u) << "(x, y) goes to (y, W - 1 - x)";
  TestImage back(3, 2), tmp(2, 3), tmp2(3, 2);
  RotatePixels90(cw.View(), tmp2.View(), true);
  RotatePixels90(tmp2.View(), tmp.View(), true);
  RotatePixels90(tmp.View(), back.View(), true);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(back.At(x, y), src.At(x, y));
}

TEST(BlendImageAt, WeighsTheSourceByItsAlphaTimesTheGivenAlphaAndKeepsTheDestinationAlpha) {
  struct Case {
    int srcAlpha, alpha, expected;
  } cases[] = {
      {255, 255, 190},   // l = 254: almost the source 0xC0
      {255, 128, 127},   // l = 127: about half way
      {128, 255, 127},   // the source's own alpha weighs the same way
      {0, 255, 0x40},    // an invisible source pixel leaves the destination
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.srcAlpha << " x " << c.alpha);
    TestImage dest(1, 1, 0x11404040);
    TestImage source(1, 1, uint32_t(c.srcAlpha) << 24 | 0xC0C0C0);
    BlendImageAt(dest.View(), {0, 0, 1, 1}, source.View(), uint8_t(c.alpha), {0, 0});
    const uint32_t e = uint32_t(c.expected);
    EXPECT_EQ(dest.At(0, 0), 0x11000000u | e << 16 | e << 8 | e);
  }
}

TEST(BlendImageAt, ClipsTheRectangleAndTheSourcePointToBothImages) {
  // Source pixel (x, y) is drawn as blue 10 * y + x + 1 over a destination
  // of blue 255, which marks pixels left alone.
  struct Pixel {
    int x, y, blue;
  };
  struct Case {
    const char* name;
    fw::TRect r;
    fw::TPoint from;
    std::vector<Pixel> expected;
  } cases[] = {
      {"inside", {0, 0, 2, 2}, {1, 1}, {{0, 0, 12}, {1, 1, 23}, {2, 2, 255}, {2, 0, 255}}},
      {"negative rectangle moves the source point", {-1, -1, 2, 2}, {0, 0}, {{0, 0, 12}, {1, 1, 23}, {2, 2, 255}}},
      {"negative source point moves the rectangle", {1, 1, 3, 3}, {-1, -1}, {{2, 2, 1}, {1, 1, 255}}},
      {"rectangle beyond both images", {0, 0, 10, 10}, {2, 0}, {{0, 0, 3}, {0, 2, 23}, {1, 0, 255}}},
      {"empty rectangle", {0, 0, 0, 3}, {0, 0}, {{0, 0, 255}, {0, 1, 255}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestImage dest(3, 3, 0xFF0000FF), source(3, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) source.At(x, y) = 0xFF000000u | uint32_t(10 * y + x + 1);
    BlendImageAt(dest.View(), c.r, source.View(), 255, c.from);
    for (const Pixel& p : c.expected)
      EXPECT_EQ(int(dest.At(p.x, p.y) & 0xFF), p.blue) << p.x << "," << p.y;
    EXPECT_TRUE(dest.GuardIntact());
  }
}

}  // namespace
}  // namespace skin
