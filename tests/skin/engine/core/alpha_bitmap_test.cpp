// Fills, alpha, premultiplication, mixing and fading toward a colour, keyed
// corners and the blend of text coverage on 32-bit images.
#include "skin/engine/core/alpha_bitmap.h"

#include <gtest/gtest.h>

#include "skin/engine/core/skin_data.h"
#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(Premultiply, ScalesColourBytesByAlphaAndClearsTransparentWhite) {
  struct Case {
    uint32_t in, out;
  } cases[] = {
      {0x00FFFFFF, 0},           {0xFF804020, 0xFF7F3F1F}, {0x80FFFFFF, 0x807F7F7F},
      {0x00123456, 0x00000000}, {0xFFFFFFFF, 0xFFFEFEFE},
  };
  for (auto c : cases) {
    TestImage img(1, 1, c.in);
    PremultiplyRect(img.View(), {0, 0, 1, 1});
    EXPECT_EQ(img.At(0, 0), c.out) << std::hex << c.in;
  }
}

TEST(FillRectAlpha, StoresTheColourInPixelOrderClippedToTheImage) {
  TestImage img(4, 3);
  FillRectAlpha(img.View(), {-2, -1, 2, 9}, 0x0000FF, 255);  // red
  EXPECT_EQ(img.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(img.At(1, 2), 0xFFFF0000u);
  EXPECT_EQ(img.At(2, 0), 0u);
  EXPECT_TRUE(img.GuardIntact());
}

TEST(FillFrameAlpha, PaintsTopLeftBottomRightStrips) {
  TestImage img(6, 6);
  FillFrameAlpha(img.View(), {0, 0, 6, 6}, 1, 2, 1, 1, 0x00FF00);
  const char* expected[] = {"######", "######", "#....#", "#....#", "#....#", "######"};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(img.At(x, y) == 0xFF00FF00u, expected[y][x] == '#') << x << "," << y;
}

TEST(SetRectAlpha, ComparesTheKeyWithTheWholePixel) {
  TestImage img(3, 1);
  img.At(0, 0) = 0x00FF00FF;  // magenta, alpha 0: the key
  img.At(1, 0) = 0xFFFF00FF;  // magenta, opaque: not the key
  img.At(2, 0) = 0x00102030;
  SetRectAlpha(img.View(), {-1, 0, 9, 1}, 0x80, 0xFF00FF);
  EXPECT_EQ(img.At(0, 0), 0x00FF00FFu);
  EXPECT_EQ(img.At(1, 0), 0x80FF00FFu);
  EXPECT_EQ(img.At(2, 0), 0x80102030u);
  EXPECT_TRUE(img.GuardIntact());
}

TEST(BlendRectToColor, KeepsPercentOfThePixelAndIncludesRightAndBottom) {
  TestImage img(4, 4, 0xFFC8C8C8);  // bytes of 200
  BlendRectToColor(img.View(), {0, 0, 2, 2}, 40, 0x000000);
  EXPECT_EQ(img.At(2, 2), 0xFF505050u) << "right and bottom are inclusive";
  EXPECT_EQ(img.At(3, 3), 0xFFC8C8C8u);
  EXPECT_EQ(img.At(0, 3), 0xFFC8C8C8u);

  TestImage whole(3, 2, 0x11FF0000);
  BlendRectToColor(whole.View(), {0, 0, 3, 2}, 0, 0x0000FF);
  EXPECT_EQ(whole.At(2, 1), 0x11FF0000u) << "the whole image, alpha kept";
  EXPECT_TRUE(whole.GuardIntact());
}

TEST(FadeRectAlpha, MovesColourBytesTowardTheColourAndSetsAlpha) {
  struct Case {
    int percent;
    uint32_t out;
  } cases[] = {{0, 0x40000000}, {100, 0x40FFFFFF}, {33, 0x40545454}};
  for (auto c : cases) {
    TestImage img(2, 2, 0xFF000000);
    FadeRectAlpha(img.View(), {-5, -5, 5, 5}, 0xFFFFFF, 0x40, c.percent);
    EXPECT_EQ(img.At(1, 1), c.out) << c.percent;
    EXPECT_TRUE(img.GuardIntact());
  }
}

TEST(FillKeyedCorner, ReplacesKeyPixelsTestedInTheDestinationOrTheMask) {
  TestImage dest(3, 2, 0xFF000001);
  dest.At(1, 0) = 0x00FF00FF;
  dest.At(2, 1) = 0xFFFF00FF;  // alpha is ignored here
  TestImage source(3, 2, 0xFFABCDEF);
  FillKeyedCorner(dest.View(), source.View(), {0, 0, 3, 2}, {0, 0}, nullptr, {});
  EXPECT_EQ(dest.At(1, 0), 0xFFABCDEFu);
  EXPECT_EQ(dest.At(2, 1), 0xFFABCDEFu);
  EXPECT_EQ(dest.At(0, 0), 0xFF000001u);

  TestImage plain(2, 2, 7);
  TestImage mask(4, 4, 0);
  mask.At(3, 3) = 0xFF00FF;
  const TPixelView32 maskView = mask.View();
  FillKeyedCorner(plain.View(), source.View(), {0, 0, 2, 2}, {1, 0}, &maskView, {2, 2});
  EXPECT_EQ(plain.At(1, 1), 0xFFABCDEFu);
  EXPECT_EQ(plain.At(0, 0), 7u);
}

TEST(FillKeyedCorner, NeverReadsOrWritesOutsideAnyImage) {
  TestImage dest(2, 2, 0x00FF00FF), source(2, 2, 1), mask(2, 2, 0xFF00FF);
  const TPixelView32 maskView = mask.View();
  FillKeyedCorner(dest.View(), source.View(), {-3, -3, 9, 9}, {-1, -1}, &maskView, {1, 1});
  FillKeyedCorner(dest.View(), source.View(), {1, 1, 9, 9}, {0, 0}, nullptr, {});
  EXPECT_TRUE(dest.GuardIntact());
  EXPECT_EQ(dest.At(1, 1), 1u);
}

TEST(FillKeyedCorner, TestsTheCornerOfASkinMaskOrTheDestinationItself) {
  // A mask of two 4 x 4 state images with right and bottom borders of 2: the
  // corners of the first state start at (0, 0), (2, 0), (0, 2) and (2, 2).
  struct Case {
    int corner;
    fw::TPoint keyAt;  // the mask pixel marked with the key
    bool ownImage;
    int maskIndex;
    bool replaced;
  } cases[] = {
      {ccTopLeft, {0, 0}, true, 0, true},     {ccTopRight, {2, 0}, true, 0, true},
      {ccBottomLeft, {0, 2}, true, 0, true},  {ccBottomRight, {2, 2}, true, 0, true},
      {ccTopRight, {0, 0}, true, 0, false},   {99, {0, 0}, true, 0, true},
      {ccBottomRight, {2, 2}, false, 0, true}, {ccTopLeft, {0, 0}, true, 5, false},
      {ccTopLeft, {0, 0}, true, -1, false},
  };
  for (const auto& c : cases) {
    TkLoadedSkin skin;
    skin.MasterBitmap = TPixelBuffer(TPixelFormat::pf32bit, 8, 4);
    TkMaskData mask;
    mask.R = {0, 0, 8, 4};
    mask.ImageCount = 2;
    mask.WR = mask.WB = 2;
    if (c.ownImage) mask.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 8, 4);
    View32(c.ownImage ? *mask.Bmp : skin.MasterBitmap).Pixel(c.keyAt.x, c.keyAt.y) = 0xFFFF00FF;  // alpha ignored
    skin.ma.push_back(mask);
    TestImage dest(2, 2, 0xFF000001), source(2, 2, 0xFFABCDEF);
    FillKeyedCorner(dest.View(), source.View(), {0, 0, 2, 2}, c.corner, &skin, c.maskIndex, {0, 0});
    EXPECT_EQ(dest.At(0, 0), c.replaced ? 0xFFABCDEFu : 0xFF000001u)
        << "corner " << c.corner << " mask " << c.maskIndex << (c.ownImage ? "" : " in the master image");
  }
  TestImage keyed(1, 1, 0x00FF00FF), source(1, 1, 0xFF123456);
  FillKeyedCorner(keyed.View(), source.View(), {0, 0, 1, 1}, ccTopLeft, nullptr, -1, {0, 0});
  EXPECT_EQ(keyed.At(0, 0), 0xFF123456u) << "index -1 tests the destination itself";
}

TEST(KeyedCornerOrigin, PicksTheCornerOfOneStateImage) {
  const fw::TRect r{10, 20, 70, 60};
  EXPECT_EQ(KeyedCornerOrigin(ccTopLeft, r, 30, 40, 5, 6), (fw::TPoint{10, 20}));
  EXPECT_EQ(KeyedCornerOrigin(ccTopRight, r, 30, 40, 5, 6), (fw::TPoint{35, 20}));
  EXPECT_EQ(KeyedCornerOrigin(ccBottomLeft, r, 30, 40, 5, 6), (fw::TPoint{10, 54}));
  EXPECT_EQ(KeyedCornerOrigin(ccBottomRight, r, 30, 40, 5, 6), (fw::TPoint{35, 54}));
  EXPECT_EQ(KeyedCornerOrigin(99, r, 30, 40, 5, 6), (fw::TPoint{10, 20}));
}

TEST(BlendTextCoverage, BlackCoverageGivesTheTextColourWhiteLeavesThePixel) {
  TestImage dest(4, 1, 0x00808080);
  TestImage coverage(4, 1);
  coverage.At(0, 0) = 0x00000000;  // ink
  coverage.At(1, 0) = 0x00FFFFFF;  // paper
  coverage.At(2, 0) = 0xFFFFFFFF;  // paper
  coverage.At(3, 0) = 0x00808080;  // half
  BlendTextCoverage(dest.View(), 0, 0, coverage.View(), 0x0000FF);  // red text
  EXPECT_EQ(dest.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(dest.At(1, 0), 0x00808080u);
  EXPECT_EQ(dest.At(2, 0), 0x00808080u);
  EXPECT_EQ(dest.At(3, 0), 0xFFBF4040u) << "((0x80 - 0xFF) * 128 + 0xFF * 256) >> 8 = 191";
}

TEST(BlendTextCoverage, SkipsCoverageOutsideTheDestination) {
  TestImage dest(2, 2, 0x00FFFFFF), coverage(3, 3, 0);
  BlendTextCoverage(dest.View(), -1, -1, coverage.View(), 0);
  BlendTextCoverage(dest.View(), 1, 1, coverage.View(), 0);
  EXPECT_TRUE(dest.GuardIntact());
  EXPECT_EQ(dest.At(0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace skin
