// Glyphs drawn from small masks: frame choice, clipping at the left and top,
// keys, the faded look with and without a mask part, and alpha.
#include "skin/engine/core/mask_glyph.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

// Two states of 4 x 2 in a master image; pixel = (state, column).
struct GlyphStrip {
  TestImage master{8, 4, 0};
  TkMaskData mask;
  explicit GlyphStrip(int maskType) {
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 8; ++x) master.At(x, y) = MakePixel(x, 100 + y, 200, 255);
    master.At(5, 0) = clSkinKey;
    mask.R = fw::Rect(0, 0, 8, maskType ? 4 : 2);
    mask.ImageCount = 2;
    mask.MaskType = int16_t(maskType);
  }
};

TEST(DrawMaskGlyph, PicksTheFrameAndClipsAtTheLeft) {
  struct Case {
    const char* what;
    fw::TPoint p;
    int state;
    int destX, srcX;  // a painted pixel and where it comes from
    int untouchedX;
  } cases[] = {
      {"state 0", {1, 0}, 0, 1, 0, 0},
      {"state beyond the count paints the last", {1, 0}, 5, 2, 5, 0},
      {"left of the image: the first three columns are cut", {-3, 0}, 1, 0, 7, 1},
  };
  for (const Case& c : cases) {
    GlyphStrip g(0);
    g.master.At(5, 0) = MakePixel(5, 100, 200, 255);
    TestImage dest(6, 3, 0xFF000000);
    DrawMaskGlyph(dest.View(), c.p, c.state, gmNormal, g.mask, {}, g.master.View());
    EXPECT_EQ(dest.At(c.destX, 1), MakePixel(c.srcX, 101, 200, 255)) << c.what;
    EXPECT_EQ(dest.At(c.untouchedX, 1), 0xFF000000u) << c.what;
    EXPECT_TRUE(dest.GuardIntact()) << c.what;
  }
}

TEST(DrawMaskGlyph, FadedLooks) {
  {
    // Without a mask part: half and half, keys left.
    GlyphStrip g(0);
    TestImage dest(4, 2, 0xFF000000);
    DrawMaskGlyph(dest.View(), {0, 0}, 1, gmFaded, g.mask, {}, g.master.View());
    EXPECT_EQ(dest.At(0, 0), MakePixel(2, 50, 100, 255));
    EXPECT_EQ(dest.At(1, 0), 0xFF000000u) << "key";
  }
  struct Case {
    int maskValue, mode;
    uint8_t red;  // image red 200 over destination red 0
  } cases[] = {
      {0, gmNormal, 200}, {100, gmNormal, 121}, {100, gmFaded, 43}, {155, gmFaded, 0}, {255, gmNormal, 0},
  };
  for (const Case& c : cases) {
    GlyphStrip g(1);
    for (int x = 0; x < 8; ++x) g.master.At(x, 2) = g.master.At(x, 3) = MakePixel(c.maskValue, c.maskValue, c.maskValue, 255);
    TestImage dest(4, 2, 0x00000000);
    DrawMaskGlyph(dest.View(), {0, 0}, 0, c.mode, g.mask, {}, g.master.View());
    EXPECT_EQ(Red(dest.At(0, 0)), c.red) << c.maskValue << " mode " << c.mode;
    // Alpha gains (255 - 0) * (255 - m) >> 8 unless the mask hides the pixel.
    EXPECT_EQ(Alpha(dest.At(0, 0)), c.maskValue == 255 ? 0 : (255 * (255 - c.maskValue)) >> 8) << c.maskValue;
  }
}

TEST(DrawMaskGlyph, OwnImageTooSmallOrNoSkinPaintsNothing) {
  GlyphStrip g(0);
  TestImage dest(4, 2, 0xFF000000);
  DrawMaskGlyph(dest.View(), {0, 0}, 0, gmNormal, g.mask, {}, {});
  EXPECT_EQ(dest.At(0, 0), 0xFF000000u);
  g.mask.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 4, 2);  // narrower than R
  DrawMaskGlyph(dest.View(), {0, 0}, 0, gmNormal, g.mask, {}, View32(*g.mask.Bmp));
  EXPECT_EQ(dest.At(0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace skin
