// 32-bit images drawn by their alpha: the blend and alpha rules, keys over a
// background, transparency, tint, and the fading reflection.
#include "skin/engine/core/alpha_image.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(AlphaImage, BlendsAndRaisesAlpha) {
  struct Case {
    const char* what;
    uint32_t dest, source;
    int transparency;
    uint32_t tint;
    uint32_t copied, drawn;  // CopyAlphaImage, DrawAlphaImage
  } cases[] = {
      // (255 - 0) * 128 >> 8 = 127; alpha 0 + 255 * 128 >> 8 = 127 (copy) or max(0, 128) (draw).
      {"half alpha over black", 0x00000000, 0x80FFFFFF, 0, clSkinNone, 0x7F7F7F7F, 0x807F7F7F},
      // Weight 255 is lossy: ((0x60 - 0x30) * 255 + 0x30 * 256) >> 8 = 0x5F; alpha 64 + (191 * 255 >> 8).
      {"opaque source nearly replaces", 0x40102030, 0xFF405060, 0, clSkinNone, 0xFE3F4F5F, 0xFF3F4F5F},
      {"transparent source leaves", 0x40102030, 0x00405060, 0, clSkinNone, 0x40102030, 0x40102030},
      // Transparency 50: weight 255 * 50 / 100 = 127, alpha kept.
      {"transparency halves the weight", 0x20000000, 0xFFFFFFFF, 50, clSkinNone, 0xFFFFFFFF, 0x207E7E7E},
      // Grey of (30, 60, 90) is 60; tint (192, 0, 0) brightens to (255, 63, 63): targets 60, 14, 14,
      // reached by 255/256.
      {"tint moves toward grey times tint", 0x33000000, 0xFF5A3C1E, 0, 0x0000C0, 0xFF5A3C1E, 0x333B0D0D},
  };
  for (const Case& c : cases) {
    TestImage source(1, 1, c.source);
    TestImage copied(1, 1, c.dest), drawn(1, 1, c.dest);
    if (c.tint == clSkinNone && c.transparency == 0)
      CopyAlphaImage(copied.View(), fw::Rect(0, 0, 1, 1), source.View(), fw::Rect(0, 0, 1, 1), {}, false);
    else
      copied.At(0, 0) = c.copied;
    DrawAlphaImage(drawn.View(), fw::Rect(0, 0, 1, 1), source.View(), fw::Rect(0, 0, 1, 1), {}, false, c.tint,
                   c.transparency, false);
    EXPECT_EQ(copied.At(0, 0), c.copied) << c.what;
    EXPECT_EQ(drawn.At(0, 0), c.drawn) << c.what;
  }
}

TEST(AlphaImage, KeysOverAReadyBackground) {
  struct Case {
    bool ready, background;
    uint32_t want;
  } cases[] = {
      {true, true, 0xFFABCDEF},   // background pixel, opaque
      {true, false, 0x11223344},  // skipped
      {false, true, 0x11223344},  // no key test: alpha 0 blends nothing
  };
  for (const Case& c : cases) {
    TestImage source(2, 1, clSkinKey), dest(2, 1, 0x11223344), back(3, 3, 0xFFABCDEF);
    TCacheInfo ci;
    ci.Bmp = back.View();
    ci.Ready = c.ready;
    ci.X = 1, ci.Y = 2;  // dest (1, 0) maps to (2, 2), dest (2, 0) would be outside
    CopyAlphaImage(dest.View(), fw::Rect(1, 0, 2, 1), source.View(), fw::Rect(0, 0, 1, 1), ci, c.background);
    EXPECT_EQ(dest.At(1, 0), c.want) << c.ready << c.background;
    EXPECT_EQ(dest.At(0, 0), 0x11223344u);
  }
}

TEST(AlphaImage, ReflectionFadesRowByRow) {
  // 1 x 8 opaque white source; destination 1 x 12 black with the image in rows 0..7.
  TestImage source(1, 8, 0xFFFFFFFF), dest(1, 12, 0xFF000000);
  DrawAlphaImage(dest.View(), fw::Rect(0, 0, 1, 8), source.View(), fw::Rect(0, 0, 1, 8), {}, false, clSkinNone, 0,
                 true);
  // W = min(8/2 - 1, 12 - 8 - 1) = 3; weights ((255 * (3 - j) / 3) * F) >> 9, F = 255, 224, 193.
  const int weights[] = {(170 * 255) >> 9, (85 * 224) >> 9, 0};
  for (int j = 1; j <= 3; ++j) {
    const int v = (255 * weights[j - 1]) >> 8;
    EXPECT_EQ(dest.At(0, 8 + j), MakePixel(v, v, v, 255)) << "row " << j;
  }
  EXPECT_EQ(dest.At(0, 8), 0xFF000000u);
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(AlphaImage, ReflectionOfAFrameAtTheTopStaysInsideTheSource) {
  // A 2-row frame at the top of a 40-row strip: the strip's height alone
  // would allow 19 mirrored rows, reading far above row 0.
  TestImage source(1, 40, 0xFFFFFFFF), dest(1, 30, 0xFF000000);
  DrawAlphaImage(dest.View(), fw::Rect(0, 0, 1, 2), source.View(), fw::Rect(0, 0, 1, 2), {}, false, clSkinNone, 0,
                 true);
  EXPECT_EQ(dest.At(0, 1), 0xFFFEFEFEu);  // the image itself
  for (int y = 2; y < 30; ++y) EXPECT_EQ(dest.At(0, y), 0xFF000000u) << y;
  EXPECT_TRUE(dest.GuardIntact());
}

}  // namespace
}  // namespace skin
