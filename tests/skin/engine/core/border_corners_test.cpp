// Transparent corners of a border mask show what lies behind the control.
#include "skin/engine/core/border_corners.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

constexpr uint32_t kCache = 0xFF111111, kBehind = 0xFF00FF00;

// Two 6 x 6 states of a border with 2-pixel sides in the master image. In
// state 0 each corner holds one key pixel at its outer corner; state 1 holds
// none but the top-left, which is all key.
struct Fixture {
  TestImage master{12, 6, 0xFF808080};
  TkMaskData mask;
  Fixture() {
    master.At(0, 0) = master.At(0, 5) = master.At(5, 5) = master.At(5, 0) = clSkinKey;
    for (int y = 0; y < 2; ++y)
      for (int x = 6; x < 8; ++x) master.At(x, y) = clSkinKey;
    mask.R = fw::Rect(0, 0, 12, 6);
    mask.ImageCount = 2;
    mask.WL = mask.WT = mask.WR = mask.WB = 2;
    mask.CornerType = 1;
  }
};

TEST(RepaintBorderCorners, FlaggedCornersTakeTheBackground) {
  struct Case {
    const char* what;
    int corners;
    bool tl, bl, br, tr;  // which outer corner pixels of a 10 x 8 cache change
  } cases[] = {
      {"all", bcAll, true, true, true, true},
      {"flags 5: top-left and top-right", bcTopLeft | bcTopRight, true, false, false, true},
      {"bottom-right only", bcBottomRight, false, false, true, false},
      {"none", 0, false, false, false, false},
  };
  for (const Case& c : cases) {
    Fixture f;
    TestImage cache(10, 8, kCache), behind(20, 20, kBehind);
    TCacheInfo bg;
    bg.Bmp = behind.View();
    bg.Ready = true;
    RepaintBorderCorners(cache.View(), f.mask, f.master.View(), 0, c.corners, bg);
    EXPECT_EQ(cache.At(0, 0) == kBehind, c.tl) << c.what;
    EXPECT_EQ(cache.At(0, 7) == kBehind, c.bl) << c.what;
    EXPECT_EQ(cache.At(9, 7) == kBehind, c.br) << c.what;
    EXPECT_EQ(cache.At(9, 0) == kBehind, c.tr) << c.what;
    EXPECT_EQ(cache.At(1, 0), kCache) << c.what << ": only key pixels change";
    EXPECT_EQ(cache.At(5, 4), kCache) << c.what;
    EXPECT_TRUE(cache.GuardIntact()) << c.what;
  }
}

TEST(RepaintBorderCorners, BackgroundImageColourAndState) {
  Fixture f;
  TestImage behind(4, 20, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 4; ++x) behind.At(x, y) = 0xFF000000u | uint32_t(y * 16 + x);
  TCacheInfo image;
  image.Bmp = behind.View();
  image.X = 1, image.Y = 3;
  image.Ready = true;
  {
    TestImage cache(10, 8, kCache);
    RepaintBorderCorners(cache.View(), f.mask, f.master.View(), 0, bcAll, image);
    EXPECT_EQ(cache.At(0, 7), 0xFF000000u | (10 * 16 + 1)) << "the background at the pixel plus the offset";
    EXPECT_EQ(cache.At(9, 0), kCache) << "a column beyond the background's image ends the row";
  }
  {
    TestImage cache(10, 8, kCache);
    TCacheInfo colour;
    colour.FillColor = 0x0000FF;  // red
    RepaintBorderCorners(cache.View(), f.mask, f.master.View(), 5, bcAll, colour);
    EXPECT_EQ(cache.At(1, 1), 0x00FF0000u) << "state beyond the images: the last; colour in pixel order";
    EXPECT_EQ(cache.At(0, 7), kCache) << "the last state has no key at the bottom-left";
  }
  {
    TestImage cache(10, 8, kCache);
    TCacheInfo key;  // not Ready, FillColor the key colour
    RepaintBorderCorners(cache.View(), f.mask, f.master.View(), 0, bcAll, key);
    EXPECT_EQ(cache.At(0, 0), kCache) << "a key colour leaves a mask without a mask part alone";
  }
  {
    TestImage cache(10, 8, kCache);
    f.mask.CornerType = 0;
    RepaintBorderCorners(cache.View(), f.mask, f.master.View(), 0, bcAll, image);
    EXPECT_EQ(cache.At(0, 0), kCache) << "CornerType 0: nothing";
  }
}

}  // namespace
}  // namespace skin
