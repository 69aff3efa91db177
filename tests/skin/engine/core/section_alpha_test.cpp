// Sections painted with alpha: transparency against what lies below, the
// one-pass textured gradient, mixes with the state colour, the border over
// the old pixels, and the program's own button in each state.
#include "skin/engine/core/section_alpha.h"

#include <gtest/gtest.h>

#include "skin/engine/core/gradient.h"
#include "tests/skin/engine/core/pixel_image.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

// One section whose normal state is set by the case; mask 0 is a 2 x 2
// grey texture (DrawMode 0) in the master image.
TkLoadedSkin OneSection(int transparency, int imagePercent, int gradientPercent, const char16_t* gradient) {
  TkLoadedSkin skin;
  skin.MasterBitmap.SetSize(TPixelFormat::pf32bit, 2, 2);
  const TPixelView32 m = View32(skin.MasterBitmap);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) m.Pixel(x, y) = 0xFF808080;
  TkMaskData texture;
  texture.R = fw::Rect(0, 0, 2, 2);
  texture.ImageCount = 1;
  skin.ma.push_back(texture);
  TkGeneralData gd;
  gd.ClassName = u"PANEL";
  TkGenState& s = gd.Props[0];
  s.Color = 0xFFFFFF;
  s.Transparency = transparency;
  s.ImagePercent = imagePercent;
  s.GradientPercent = gradientPercent;
  s.TextureIndex = 0;
  s.GradientData = gradient;
  ParseGradientData(gradient, s.GradientArray);
  gd.Props[1] = s;
  skin.gd.push_back(gd);
  return skin;
}

TEST(PaintSectionBackgroundAlpha, TransparencyTexturesAndMixes) {
  struct Case {
    const char* what;
    int t, ip, gp;
    const char16_t* gradient;
    uint32_t below, want;
  } cases[] = {
      {"transparent over nothing: alpha (100 - T) * 255 / 100", 30, 0, 0, u"", 0x00000000, 0xB2FFFFFF},
      {"opaque state", 0, 0, 0, u"", 0x80102030, 0xFFFFFFFF},
      // 0 - ((0 - 255) * 60) / 100 = 153; alpha max(255, 153).
      {"partly transparent over an opaque pixel fades toward the colour", 40, 0, 0, u"", 0xFF000000, 0xFF999999},
      // Black gradient kept 60 percent, white 40: Round(0.4 * 255) = 102.
      {"gradient mixed with the colour", 0, 0, 60, u"0;0;100;0;0", 0x00000000, 0xFF666666},
      // Textured gradient in one pass: texture 128 weighted 30 * 255 / 100 = 76 over black;
      // alpha follows the transparency (70 * 255 / 100 = 178) instead of falling to 0 or 255.
      {"one pass, partly transparent", 30, 30, 70, u"0;0;100;0;0", 0x00000000, 0xB2262626},
      {"one pass, opaque", 0, 30, 70, u"0;0;100;0;0", 0x00000000, 0xFF262626},
      {"texture alone", 0, 100, 0, u"", 0x00000000, 0xFF808080},
  };
  for (const Case& c : cases) {
    TkLoadedSkin skin = OneSection(c.t, c.ip, c.gp, c.gradient);
    TestImage dest(6, 4, c.below);
    PaintSectionBackgroundAlpha(dest.View(), skin, 0, 0, fw::Rect(1, 1, 5, 3), clSkinKey);
    EXPECT_EQ(dest.At(2, 2), c.want) << c.what << std::hex << " got " << dest.At(2, 2);
    EXPECT_EQ(dest.At(0, 0), c.below) << c.what;
    EXPECT_TRUE(dest.GuardIntact());
  }
}

TEST(PaintSectionBackgroundAlpha, FullTransparencyAndExplicitColour) {
  TkLoadedSkin skin = OneSection(100, 0, 0, u"");
  TestImage part(4, 4, 0xFF112233), whole(4, 4, 0xFF112233);
  PaintSectionBackgroundAlpha(part.View(), skin, 0, 0, fw::Rect(0, 0, 2, 2), clSkinKey);
  EXPECT_EQ(part.At(0, 0), 0xFF112233u) << "a part of the image is left";
  PaintSectionBackgroundAlpha(whole.View(), skin, 0, 0, fw::Rect(0, 0, 4, 4), clSkinKey);
  EXPECT_EQ(whole.At(3, 3), 0u) << "the whole image is cleared";
  PaintSectionBackgroundAlpha(part.View(), skin, 0, 0, fw::Rect(0, 0, 2, 2), 0x0000FF);
  EXPECT_EQ(part.At(1, 1), 0xFFFF0000u) << "an explicit colour is painted plain";
  PaintSectionBackgroundAlpha(part.View(), skin, 5, 0, fw::Rect(0, 0, 2, 2), 0x00FF00);
  EXPECT_EQ(part.At(1, 1), 0xFFFF0000u) << "no such section";
}

TEST(PaintSectionAlpha, ProgramButtonInEveryState) {
  std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin("sapphire.ksz", u"Sapphire (internal)");
  ASSERT_TRUE(skin) << "VL_SOURCE_DIR not set";
  const int button = skin->GetSkinIndex(u"BUTTON");
  ASSERT_GE(button, 0);
  constexpr int kW = 80, kH = 26, kStates = 4;
  TPixelBuffer sheet(TPixelFormat::pf32bit, (kW + 4) * kStates, kH + 4);
  const TPixelView32 sv = View32(sheet);
  uint64_t sums[kStates];
  for (int state = 0; state < kStates; ++state) {
    TPixelBuffer item(TPixelFormat::pf32bit, kW, kH);  // starts transparent
    const TPixelView32 iv = View32(item);
    PaintSectionAlpha(iv, *skin, button, state, fw::Rect(0, 0, kW, kH));
    sums[state] = PixelChecksum(iv);
    EXPECT_EQ(Alpha(iv.Pixel(kW / 2, kH / 2)), 255) << "the face is opaque, state " << state;
    for (int y = 0; y < kH; ++y) std::copy_n(iv.Row(y), kW, sv.Row(y + 2) + state * (kW + 4) + 2);
  }
  WriteSheet(sheet, "sapphire_button_alpha.png");
  const uint64_t golden[kStates] = {4298122939084761807ull, 13662728212983832815ull, 5820029038250612805ull,
                                    14955154468517365747ull};
  for (int state = 0; state < kStates; ++state) EXPECT_EQ(sums[state], golden[state]) << "state " << state;
  EXPECT_NE(sums[0], sums[1]);
  EXPECT_NE(sums[1], sums[2]);
}

}  // namespace
}  // namespace skin
