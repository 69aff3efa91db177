// Painting skin masks: keyed corners and plain edge copies, composition
// through a mask part, the alpha-keeping and outer variants, single-pixel
// stretched centres and texture tiles.
#include "skin/engine/core/mask_paint.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

constexpr uint32_t kDest = 0xFF123456, kBack = 0xFFABCDEF;

// Pixel of state s at frame column x, row y: tells where a copy came from.
uint32_t Mark(int s, int x, int y) { return 0xFF000000u | uint32_t(s) << 16 | uint32_t(x) << 8 | uint32_t(y); }

// Three states of 3 x 3, borders 1, no mask part.
struct KeyedMask {
  TestImage source{9, 3};
  TkMaskData mask;
  KeyedMask() {
    for (int s = 0; s < 3; ++s)
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) source.At(s * 3 + x, y) = Mark(s, x, y);
    source.At(3, 0) = clSkinKey;  // state 1, top-left corner
    source.At(4, 0) = clSkinKey;  // state 1, top edge
    mask.R = fw::Rect(0, 0, 9, 3);
    mask.ImageCount = 3;
    mask.WL = mask.WT = mask.WR = mask.WB = 1;
  }
};

TEST(DrawMaskRect, KeyedMaskCopiesCornersAndTilesEdges) {
  struct Case {
    const char* what;
    int cornerType;
    bool updateCorners;
    uint32_t keyedCorner;
  } cases[] = {
      {"corner keys skipped over a ready background", 0, true, kDest},
      {"corner type 0 ignores the corner update", 0, false, kDest},
      {"updated corners take the background", 1, true, kBack},
      {"no update, no background", 1, false, kDest},
  };
  for (const Case& c : cases) {
    KeyedMask km;
    km.mask.CornerType = c.cornerType;
    TestImage dest(5, 4, kDest), back(5, 4, kBack);
    TCacheInfo ci;
    ci.Bmp = back.View();
    ci.Ready = true;
    DrawMaskRect(dest.View(), fw::Rect(0, 0, 5, 4), ci, km.mask, km.source.View(), 1, c.updateCorners);
    const int colOf[] = {0, 1, 1, 1, 2}, rowOf[] = {0, 1, 1, 2};
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) {
        uint32_t want = Mark(1, colOf[x], rowOf[y]);
        if (x == 0 && y == 0) want = c.keyedCorner;
        else if (y == 0 && x >= 1 && x <= 3) want = clSkinKey;  // edges are plain copies, key and all
        else if (x >= 1 && x <= 3 && y >= 1 && y <= 2) want = kDest;  // no centre
        EXPECT_EQ(dest.At(x, y), want) << c.what << " at " << x << "," << y;
      }
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(DrawMaskRect, StateBeyondTheImagesAndEmptySourcePaintSafely) {
  KeyedMask km;
  TestImage dest(5, 4, kDest);
  DrawMaskRect(dest.View(), fw::Rect(0, 0, 5, 4), {}, km.mask, km.source.View(), 7, false);
  EXPECT_EQ(dest.At(4, 3), Mark(2, 2, 2));
  TestImage untouched(5, 4, kDest);
  DrawMaskRect(untouched.View(), fw::Rect(0, 0, 5, 4), {}, km.mask, {}, 0, false);
  EXPECT_EQ(untouched.At(0, 0), kDest);
  // Reaching outside the destination is clipped.
  DrawMaskRect(dest.View(), fw::Rect(-3, -2, 9, 8), {}, km.mask, km.source.View(), 2, false);
  EXPECT_TRUE(dest.GuardIntact());
}

// One state 3 x 3 (borders 1) with its mask part below: image, then mask.
struct MaskedMask {
  TestImage source{3, 6};
  TkMaskData mask;
  MaskedMask(uint32_t image, int m, int drawMode = 0) {
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) {
        source.At(x, y) = image;
        source.At(x, y + 3) = MakePixel(m, m, m, 255);
      }
    mask.R = fw::Rect(0, 0, 3, 6);
    mask.ImageCount = 1;
    mask.MaskType = 1;
    mask.DrawMode = int16_t(drawMode);
    mask.WL = mask.WT = mask.WR = mask.WB = 1;
  }
};

TEST(DrawMaskRect, ComposesThroughTheMaskPart) {
  struct Case {
    int m;
    uint8_t channel;
  } cases[] = {{0, 255}, {128, 127}, {255, 0}};  // image 255 over 0
  for (const Case& c : cases) {
    MaskedMask mm(0xFFFFFFFF, c.m);
    TestImage dest(4, 4, 0x00000000);
    DrawMaskRect(dest.View(), fw::Rect(0, 0, 4, 4), {}, mm.mask, mm.source.View(), 0, false);
    // Edges and corners composed, alpha kept without a ready background.
    EXPECT_EQ(dest.At(0, 0), MakePixel(c.channel, c.channel, c.channel, 0)) << c.m;
    EXPECT_EQ(dest.At(2, 0), MakePixel(c.channel, c.channel, c.channel, 0)) << c.m;
    EXPECT_EQ(dest.At(1, 1), 0u) << "no centre";
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(DrawMaskRect, StretchedSinglePixelCentre) {
  struct Case {
    int m;
    uint32_t before, after;
  } cases[] = {
      {0, 0x00000000, 0xFF4080C0},    // filled, opaque
      {255, 0x11223344, 0x11223344},  // left
      {128, 0x00000000, 0x00204060},  // mixed by red, alpha kept
  };
  for (const Case& c : cases) {
    MaskedMask mm(0xFF4080C0, c.m, dmStretch | dmPaintCenter);
    TestImage dest(6, 6, c.before);
    DrawMaskRect(dest.View(), fw::Rect(0, 0, 6, 6), {}, mm.mask, mm.source.View(), 0, false);
    for (int y = 1; y < 5; ++y)
      for (int x = 1; x < 5; ++x) ASSERT_EQ(dest.At(x, y), c.after) << c.m << " at " << x << "," << y;
  }
}

TEST(DrawMaskRectAlpha, KeysLoseAlphaAndMaskedPixelsGainIt) {
  struct Case {
    uint32_t image, before;
    int m;
    uint32_t after;
  } cases[] = {
      {clSkinKey, 0xFF102030, 0, 0x00102030},    // key without a background: alpha 0 only
      {0xFFFFFFFF, 0x00000000, 128, 0x7F7E7E7E},  // alpha 0 becomes 255 - m; 255 * 127 >> 8
      {0xFFFFFFFF, 0xFF000000, 128, 0xFF7E7E7E},  // 255 stays
      {0xFFFFFFFF, 0xC8000000, 128, 0xC87E7E7E},  // else the larger
      {0xFFFFFFFF, 0x20000000, 128, 0x7F7E7E7E},
  };
  for (const Case& c : cases) {
    MaskedMask mm(c.image, c.m);
    TestImage dest(4, 4, c.before);
    DrawMaskRectAlpha(dest.View(), fw::Rect(0, 0, 4, 4), {}, mm.mask, mm.source.View(), 0);
    EXPECT_EQ(dest.At(0, 0), c.after) << std::hex << c.image << " " << c.before;
  }
}

TEST(DrawOuterMaskRect, EdgesOnlyAsDeepAsTheLimitsAndNoCentre) {
  // 7 x 7 frame, borders 3, every row of the image numbered.
  TestImage source(7, 14);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) {
      source.At(x, y) = MakePixel(x * 10, y * 10, 200, 255);
      source.At(x, y + 7) = 0xFF000000;  // mask 0: image only
    }
  TkMaskData mask;
  mask.R = fw::Rect(0, 0, 7, 14);
  mask.ImageCount = 1;
  mask.MaskType = 1;
  mask.DrawMode = dmPaintCenter;
  mask.WL = mask.WT = mask.WR = mask.WB = 3;
  // Full opacity still takes only 254/256 of the image.
  auto shaded = [](int b, int g, int r) { return MakePixel(254 * b >> 8, 254 * g >> 8, 254 * r >> 8, 255); };
  TestImage dest(12, 12, 0);
  DrawOuterMaskRect(dest.View(), fw::Rect(0, 0, 12, 12), {}, mask, source.View(), 0, fw::Rect(1, 2, 1, 2), 255);
  EXPECT_EQ(Alpha(dest.At(0, 5)), 255) << "left edge, outer column";
  EXPECT_EQ(dest.At(1, 5), 0u) << "left edge beyond its limit";
  EXPECT_EQ(dest.At(11, 5), shaded(60, 30, 200)) << "right edge from the frame's last column";
  EXPECT_EQ(dest.At(10, 5), 0u);
  EXPECT_EQ(dest.At(5, 1), shaded(30, 10, 200)) << "top edge, second row";
  EXPECT_EQ(dest.At(5, 2), 0u);
  EXPECT_EQ(dest.At(5, 10), shaded(30, 50, 200)) << "bottom edge from the frame's last rows";
  EXPECT_EQ(dest.At(2, 2), shaded(20, 20, 200)) << "corners keep full size";
  EXPECT_EQ(dest.At(6, 6), 0u) << "never a centre";
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(DrawMaskTexturePiece, KeyPixelsFollowTheBackground) {
  struct Case {
    const char* what;
    bool ready;
    uint32_t fill, want;
  } cases[] = {
      {"ready, key fill: background image", true, clSkinKey, kBack},
      {"ready, colour fill: the colour", true, 0x0000FF, 0xFFFF0000},
      {"not ready, colour fill: the colour", false, 0x00FF00, 0xFF00FF00},
      {"not ready, key fill: stays", false, clSkinKey, kDest},
  };
  for (const Case& c : cases) {
    TestImage master(2, 4);
    for (int x = 0; x < 2; ++x) master.At(x, 0) = master.At(x, 1) = clSkinKey, master.At(x, 2) = master.At(x, 3) = 0;
    TkMaskData mask;
    mask.R = fw::Rect(0, 0, 2, 4);
    TestImage dest(3, 3, kDest), back(3, 3, kBack);
    TCacheInfo ci;
    ci.Ready = c.ready;
    ci.FillColor = c.fill;
    ci.Bmp = back.View();
    DrawMaskTexturePiece(dest.View(), fw::Rect(1, 1, 3, 3), master.View(), fw::Rect(0, 0, 2, 2), mask, ci);
    EXPECT_EQ(dest.At(1, 1), c.want) << c.what;
    EXPECT_EQ(dest.At(0, 0), kDest) << c.what;
  }
}

}  // namespace
}  // namespace skin
