// Opaque section painting: transparency against the parent's image or
// colour, mixes with the state colour, masked textures over everything, and
// the program's own sections in each state.
#include "skin/engine/core/section_paint.h"

#include <gtest/gtest.h>

#include "fw/codecs/jpeg.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/gradient.h"
#include "tests/skin/engine/core/pixel_image.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

constexpr uint32_t kParent = 0xFF000000;

// One section, white, with the given state values; mask 0 is a 2 x 1 masked
// texture of mode 10 (image red, mask 0) in the master image.
TkLoadedSkin OneSection(int t, int ip, int gp, const char16_t* gradient) {
  TkLoadedSkin skin;
  skin.MasterBitmap.SetSize(TPixelFormat::pf32bit, 2, 2);
  const TPixelView32 m = View32(skin.MasterBitmap);
  m.Pixel(0, 0) = m.Pixel(1, 0) = 0xFFFF0000;
  m.Pixel(0, 1) = m.Pixel(1, 1) = 0xFF000000;
  TkMaskData texture;
  texture.R = fw::Rect(0, 0, 2, 2);
  texture.ImageCount = 1;
  texture.MaskType = 1;
  texture.DrawMode = 10;
  skin.ma.push_back(texture);
  TkGeneralData gd;
  gd.ClassName = u"PANEL";
  TkGenState& s = gd.Props[0];
  s.Color = 0xFFFFFF;
  s.Transparency = t;
  s.ImagePercent = ip;
  s.GradientPercent = gp;
  s.GradientData = gradient;
  ParseGradientData(gradient, s.GradientArray);
  gd.Props[1] = s;
  skin.gd.push_back(gd);
  return skin;
}

TEST(PaintSectionBackground, TransparencyAgainstTheParent) {
  struct Case {
    const char* what;
    int t, ip, gp;
    const char16_t* gradient;
    bool ready;
    uint32_t fill, want;  // want: colour bytes at a point of R
  } cases[] = {
      {"see-through over a ready parent shows its pixels", 100, 0, 0, u"", true, clSkinKey, 0x000000},
      {"see-through over a colour", 100, 0, 0, u"", false, 0x0000FF, 0xFF0000},
      {"opaque", 0, 0, 0, u"", true, clSkinKey, 0xFFFFFF},
      // MixColors(0, white, 0.5): Trunc(255 * 0.5).
      {"half over a colour, nothing else", 50, 0, 0, u"", false, 0x000000, 0x7F7F7F},
      // Round(50 * 2.55) = 128 (half to even) for the parent: (-255 * 128 + 255 * 256) >> 8.
      {"half over a ready parent", 50, 0, 0, u"", true, clSkinKey, 0x7F7F7F},
      {"nothing known of the background: the own colour", 50, 0, 0, u"", false, clSkinKey, 0xFFFFFF},
      // Black gradient keeps 60 percent, white 40: Round(0.4 * 255).
      {"gradient mixed with the colour", 0, 0, 60, u"0;0;100;0;0", false, clSkinKey, 0x666666},
  };
  for (const Case& c : cases) {
    TkLoadedSkin skin = OneSection(c.t, c.ip, c.gp, c.gradient);
    TestImage parent(20, 20, kParent), dest(8, 6, 0xFF123456);
    parent.At(7, 6) = 0xFF00FF00;  // under R's top-left at ci (4, 3) + offset (3, 3)
    TSectionPaint p;
    p.SkinIndex = 0;
    p.R = fw::Rect(2, 1, 6, 5);
    p.Offset = {3, 3};
    p.CI.Bmp = parent.View();
    p.CI.X = 4, p.CI.Y = 3;
    p.CI.Ready = c.ready;
    p.CI.FillColor = c.fill;
    if (!c.ready) p.CI.Bmp = {};
    PaintSectionBackground(dest.View(), skin, p);
    EXPECT_EQ(dest.At(3, 2) & 0xFFFFFF, c.want) << c.what << std::hex << " got " << dest.At(3, 2);
    EXPECT_EQ(dest.At(1, 1), 0xFF123456u) << c.what;
    if (c.t == 100 && c.ready) EXPECT_EQ(dest.At(2, 1), 0xFF00FF00u) << "parent pixel at ci + offset";
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(PaintSectionBackground, MaskedTextureOfMode10GoesOverEvenWhenSeeThrough) {
  TkLoadedSkin skin = OneSection(100, 0, 0, u"");
  TestImage dest(6, 4, 0xFF000000);
  TSectionPaint p;
  p.SkinIndex = 0;
  p.R = fw::Rect(0, 0, 6, 4);
  p.TextureIndex = 0;
  p.CI.FillColor = 0x00FF00;
  PaintSectionBackground(dest.View(), skin, p);
  EXPECT_EQ(dest.At(5, 3), 0xFFFF0000u) << "whole tiles of 2 x 1";
  p.CustomColor = 0x0000FF;
  p.TextureIndex = -1;
  PaintSectionBackground(dest.View(), skin, p);
  EXPECT_EQ(dest.At(0, 0), 0xFFFF0000u) << "a custom colour paints plain";
}

TEST(PaintSectionRect, ProgramSectionsInEveryState) {
  struct Case {
    const char* file;
    const char16_t* name;
    uint64_t golden;
  } cases[] = {
      {"topaz.ksz", u"Topaz (internal)", 7836744676277705659ull},
      {"sapphire.ksz", u"Sapphire (internal)", 7233046995526429101ull},
  };
  const char16_t* sections[] = {u"BUTTON", u"EDIT", u"PANEL", u"GROUPBOX", u"TOOLBUTTON", u"FORM"};
  constexpr int kW = 96, kH = 32, kStates = 4;
  for (const Case& c : cases) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(c.file, c.name);
    ASSERT_TRUE(skin) << "VL_SOURCE_DIR not set";
    TPixelBuffer sheet(TPixelFormat::pf32bit, kW * kStates, kH * int(std::size(sections)));
    const TPixelView32 v = View32(sheet);
    FillRectAlpha(v, fw::Rect(0, 0, v.Width, v.Height), 0xF0F0F0, 255);
    for (int row = 0; row < int(std::size(sections)); ++row)
      for (int state = 0; state < kStates; ++state) {
        TSectionPaint p;
        p.SkinIndex = skin->GetSkinIndex(sections[row]);
        p.SectionName = sections[row];
        p.State = state;
        p.R = fw::Rect(state * kW + 4, row * kH + 4, state * kW + kW - 4, row * kH + kH - 4);
        p.CI.Bmp = v;
        p.CI.Ready = true;
        p.Offset = {p.R.Left, p.R.Top};
        PaintSectionRect(v, *skin, p);
      }
    WriteSheet(sheet, std::string(c.file) + "_sections.png");
    EXPECT_EQ(PixelChecksum(v), c.golden) << c.file;
  }
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(PaintSectionBackgroundByTexture, TheLeanBackground) {
  struct Case {
    const char* what;
    int t, ip;
    bool ready;
    uint32_t fill, want;  // want: pixel bytes at a point of R
  } cases[] = {
      {"see-through over a ready parent", 100, 0, true, clSkinKey, 0x000000},
      {"see-through over a colour: the fill colour", 100, 0, false, 0x0000FF, 0xFF0000},
      // 50 * 255 / 100 = 127 for the parent: (-255 * 127 + 255 * 256) >> 8.
      {"half over a ready parent", 50, 0, true, clSkinKey, 0x808080},
      {"half, nothing known: painted straight", 50, 0, false, 0x0000FF, 0xFFFFFF},
      {"the texture mask as given, tiled", 0, 100, false, clSkinKey, 0xFF0000},
  };
  for (const Case& c : cases) {
    TkLoadedSkin skin = OneSection(c.t, c.ip, 0, u"");
    skin.ma[0].MaskType = 0;  // a plain texture: red, then black rows
    skin.ma[0].DrawMode = 0;
    skin.ma[0].R = fw::Rect(0, 0, 2, 1);
    TestImage parent(20, 20, kParent), dest(8, 6, 0xFF123456);
    TCacheInfo ci;
    if (c.ready) ci.Bmp = parent.View();
    ci.X = 4, ci.Y = 3;
    ci.Ready = c.ready;
    ci.FillColor = c.fill;
    PaintSectionBackgroundByTexture(dest.View(), skin, 0, 0, ci, 0, fw::Rect(2, 1, 6, 5), {3, 3});
    EXPECT_EQ(dest.At(3, 2) & 0xFFFFFF, c.want) << c.what << std::hex << " got " << dest.At(3, 2);
    EXPECT_EQ(dest.At(1, 1), 0xFF123456u) << c.what;
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(PaintSectionRectWithBorder, ProgramSectionsWithTheirBorders) {
  struct Case {
    const char* file;
    const char16_t* name;
  } cases[] = {{"topaz.ksz", u"Topaz (internal)"}, {"sapphire.ksz", u"Sapphire (internal)"}};
  for (const Case& c : cases) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(c.file, c.name);
    ASSERT_TRUE(skin) << "VL_SOURCE_DIR not set";
    const int button = skin->GetSkinIndex(u"BUTTON");
    ASSERT_GE(button, 0);
    const TkGeneralData& gd = skin->gd[button];
    // The lean painter with the section's own texture and border paints what
    // the full painter paints for a section without corner images.
    for (int state = 0; state < 3; ++state) {
      TestImage lean(40, 24, 0xFFF0F0F0), full(40, 24, 0xFFF0F0F0);
      TCacheInfo ci;
      ci.FillColor = 0xF0F0F0;
      PaintSectionRectWithBorder(lean.View(), *skin, button, gd.BorderIndex, gd.Props[std::min(state, 1)].TextureIndex,
                                 ci, state, fw::Rect(0, 0, 40, 24), {});
      TSectionPaint p;
      p.SkinIndex = button;
      p.SectionName = u"BUTTON";
      p.State = state;
      p.R = fw::Rect(0, 0, 40, 24);
      p.CI = ci;
      PaintSectionRect(full.View(), *skin, p);
      if (gd.ImgTL < 0 && gd.ImgTR < 0 && gd.ImgBL < 0 && gd.ImgBR < 0 && gd.Props[std::min(state, 1)].Transparency == 0)
        EXPECT_EQ(PixelChecksum(lean.View()), PixelChecksum(full.View())) << c.file << " state " << state;
      EXPECT_NE(lean.At(20, 12), 0xFFF0F0F0u) << c.file << " state " << state << ": painted";
      EXPECT_TRUE(lean.GuardIntact());
    }
  }
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(PaintControlItem, BorderStatesAndTheControlsColourEffects) {
  // A white section, half transparent or opaque, with a hot-only border of
  // one red pixel per side in the master image's first 3 x 3 state.
  auto make = [](int t) {
    TkLoadedSkin skin = OneSection(t, 0, 0, u"");
    skin.MasterBitmap.SetSize(TPixelFormat::pf32bit, 6, 3);
    const TPixelView32 m = View32(skin.MasterBitmap);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 6; ++x) m.Pixel(x, y) = 0xFFFF0000;
    skin.ma[0].R = fw::Rect(0, 0, 6, 3);
    skin.ma[0].ImageCount = 2;
    skin.ma[0].MaskType = 0;
    skin.ma[0].DrawMode = dmHotOnly;
    skin.ma[0].WL = skin.ma[0].WT = skin.ma[0].WR = skin.ma[0].WB = 1;
    skin.gd[0].BorderIndex = 0;
    return skin;
  };
  struct Case {
    const char* what;
    int t, state;
    int saturation;
    uint32_t edge, inside;  // pixels (0, 2) and (3, 2)
  } cases[] = {
      {"hot: border, then the saturation over all", 0, 1, -100, 0xFF555555, 0xFFFFFFFF},
      {"normal: no hot-only border, opaque: effects still", 0, 0, -100, 0xFFFFFFFF, 0xFFFFFFFF},
      {"normal and see-through: the item ends before the effects", 50, 0, -100, 0xFFFFFFFF, 0xFFFFFFFF},
      {"hot without effects", 0, 1, 0, 0xFFFF0000, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    TkLoadedSkin skin = make(c.t);
    TestImage dest(8, 5, 0xFF000000);
    TControlItem item;
    item.SkinIndex = 0;
    item.BorderIndex = 0;
    item.Saturation = c.saturation;
    TCacheInfo ci;
    ci.FillColor = 0xFFFFFF;
    ci.Ready = false;
    PaintControlItem(dest.View(), skin, item, ci, true, {}, fw::Rect(0, 0, 8, 5), c.state);
    EXPECT_EQ(dest.At(0, 2), c.edge) << c.what << std::hex << " got " << dest.At(0, 2);
    EXPECT_EQ(dest.At(3, 2), c.inside) << c.what;
    EXPECT_TRUE(dest.GuardIntact());
  }
  TkLoadedSkin skin = make(0);
  TestImage dest(8, 5, 0xFF000000);
  TControlItem own;
  own.SkinIndex = 0;
  own.CustomColor = 0x00FF00;
  PaintControlItem(dest.View(), skin, own, {}, true, {}, fw::Rect(0, 0, 8, 5), 0);
  EXPECT_EQ(dest.At(3, 2), 0xFF00FF00u) << "the owner's own colour";
  PaintControlItem(dest.View(), skin, own, {}, true, {}, fw::Rect(0, 0, 9, 5), 0);
  EXPECT_TRUE(dest.GuardIntact()) << "an r beyond the image paints nothing";
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(PaintSectionBackground, LargeTexturesKeptAsJpegAreTiled) {
  TkLoadedSkin skin = OneSection(0, 100, 0, u"");
  TkPatternData pattern;
  pattern.ClassName = u"PANEL";
  pattern.PropertyName = u"PATTERN";
  fw::codecs::JpegImage img;
  img.Width = 4;
  img.Height = 4;
  img.Pixels.assign(size_t(3) * 16, 64);  // dark grey
  pattern.Jpeg = fw::codecs::EncodeJpeg(img, 95, false);
  skin.pa.push_back(pattern);
  TestImage dest(10, 6, 0xFF123456);
  TSectionPaint p;
  p.SkinIndex = 0;
  p.SectionName = u"PANEL";
  p.R = fw::Rect(1, 1, 9, 5);
  PaintSectionBackground(dest.View(), skin, p);
  EXPECT_EQ(dest.At(7, 4) & 0xFFFFFF, 0x404040u) << "the pattern, not the white state colour";
  EXPECT_EQ(dest.At(0, 0), 0xFF123456u);
  skin.pa[0].Jpeg = {0xFF, 0xD8, 0xFF};
  PaintSectionBackground(dest.View(), skin, p);
  EXPECT_EQ(dest.At(7, 4) & 0xFFFFFF, 0xFFFFFFu) << "a damaged pattern: the colour";
  EXPECT_TRUE(dest.GuardIntact());
}

}  // namespace
}  // namespace skin
