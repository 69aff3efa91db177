#include "skin/engine/core/skin_colors.h"

#include <gtest/gtest.h>

#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {
namespace {

TEST(SkinColors, SaturationScale) {
  struct Case {
    int value, scale;
  } cases[] = {{-58, -147}, {1, 2}, {100, 255}, {150, 255}, {-150, -255}, {0, 0}, {40, 102}, {-1, -2}};
  for (const Case& c : cases) EXPECT_EQ(SaturationScale(c.value), c.scale) << c.value;
}

// A 4 x 2 master: key, red, green, blue / grey, key, white, black; an own
// image of the same; one section with a -1 colour and a gradient.
TkLoadedSkin Sample(int maskType = 0) {
  TkLoadedSkin s;
  const uint32_t pixels[8] = {clSkinKey, 0xFFC04040, 0xFF40C040, 0xFF4040C0, 0xFF808080, clSkinKey, 0xFFFFFFFF,
                              0xFF000000};
  s.MasterBitmap.SetSize(TPixelFormat::pf32bit, 4, 2);
  for (int i = 0; i < 8; ++i) View32(s.MasterBitmap).Pixel(i % 4, i / 4) = pixels[i];
  TkMaskData own;
  own.Bmp = std::make_shared<TPixelBuffer>(s.MasterBitmap);
  own.MaskType = static_cast<int16_t>(maskType);
  own.ClassName = u"X";
  own.PropertyName = u"OWN";
  s.ma.push_back(own);
  TkGeneralData g;
  g.ClassName = u"X";
  g.Props[0].Color = -1;
  g.Props[0].FontColor.Color = 0x0000FF;
  g.Props[0].GradientPercent = 0;
  g.Props[0].GradientArray = {TkGradPie{0x0000FF, 0x00FF00, 100, 0, 0}};
  g.Props[1].Color = 0x4040C0;
  s.gd.push_back(g);
  s.Palette.fill(0x0000FF);
  s.CommonSkinData.Shadow1Color = 0x0000FF;
  s.CommonSkinData.Version = 8;
  return s;
}

TEST(SkinColors, KeyPixelsAndNoneColoursNeverChange) {
  struct Case {
    const char* pass;
    void (*run)(TkLoadedSkin&, int);
    int value;
  } cases[] = {{"hue", ChangeSkinHue, 90},           {"hue", ChangeSkinHue, -90},
               {"saturation", ChangeSkinSaturation, -58}, {"saturation", ChangeSkinSaturation, 100},
               {"brightness", ChangeSkinBrightness, 40},  {"brightness", ChangeSkinBrightness, -40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pass) + " " + std::to_string(c.value));
    TkLoadedSkin s = Sample();
    c.run(s, c.value);
    EXPECT_EQ(View32(s.MasterBitmap).Pixel(0, 0), clSkinKey);
    EXPECT_EQ(View32(s.MasterBitmap).Pixel(1, 1), clSkinKey);
    // (Brightening an own image premultiplies it afterwards, which clears
    // every transparent pixel.)
    if (!(c.run == ChangeSkinBrightness && c.value > 0)) {
      EXPECT_EQ(View32(*s.ma[0].Bmp).Pixel(0, 0), clSkinKey);
    }
    EXPECT_EQ(s.gd[0].Props[0].Color, -1);
    EXPECT_NE(s.gd[0].Props[1].Color, 0x4040C0);  // a coloured state colour moved
    EXPECT_NE(View32(s.MasterBitmap).Pixel(1, 0), 0xFFC04040u);
  }
}

TEST(SkinColors, WhichColoursEachPassChanges) {
  TkLoadedSkin hue = Sample();
  ChangeSkinHue(hue, 120);
  // Hue leaves gradient stops alone without a gradient share.
  EXPECT_EQ(hue.gd[0].Props[0].GradientArray[0].Color1, 0x0000FFu);
  EXPECT_EQ(hue.gd[0].Props[1].Color, static_cast<fw::TColor>(ShiftHueColor(0x4040C0, 120)));
  EXPECT_EQ(hue.Palette[pcMainColor], static_cast<fw::TColor>(ShiftHueColor(0x0000FF, 120)));
  EXPECT_EQ(hue.Palette[pcWebTextHot], 0x0000FF);
  EXPECT_EQ(hue.Palette[pcEditText_Alert], 0x0000FF);
  EXPECT_EQ(hue.CommonSkinData.Shadow1Color, static_cast<fw::TColor>(ShiftHueColor(0x0000FF, 120)));

  TkLoadedSkin sat = Sample();
  ChangeSkinSaturation(sat, -58);
  const uint32_t grey = SaturateColor(0x0000FF, -147);
  EXPECT_EQ(sat.gd[0].Props[0].GradientArray[0].Color1, grey);  // stops always
  EXPECT_EQ(sat.gd[0].GradientArray[0].Color1, grey);           // the flat copy shares them
  EXPECT_EQ(sat.gd[0].Props[0].FontColor.Color, static_cast<fw::TColor>(grey));
  EXPECT_EQ(sat.Palette[pcBorder], static_cast<fw::TColor>(grey));
  EXPECT_EQ(sat.Palette[pcEditBG_Ok], 0x0000FF);
  EXPECT_EQ(View32(sat.MasterBitmap).Pixel(1, 0), PixelSaturation(0xFFC04040, -147));

  TkLoadedSkin bright = Sample();
  ChangeSkinBrightness(bright, 30);
  EXPECT_EQ(bright.gd[0].Props[1].Color, static_cast<fw::TColor>(PixelBrightness(0x4040C0, 30)));
  EXPECT_EQ(bright.Palette[pcMainColor], 0x0000FF);  // palette and shadow keep theirs
  EXPECT_EQ(bright.CommonSkinData.Shadow1Color, 0x0000FF);
}

TEST(SkinColors, HueSparesTitleButtonsByBIKeepHue) {
  // A 6 x 1 master of red pixels; close, max and another element.
  for (int keep : {0, 1, 2}) {
    TkLoadedSkin s;
    s.MasterBitmap.SetSize(TPixelFormat::pf32bit, 6, 1);
    for (int x = 0; x < 6; ++x) View32(s.MasterBitmap).Pixel(x, 0) = 0xFFFF0000;
    s.CommonSkinData.BIKeepHUE = keep;
    auto add = [&](const char16_t* name, int x) {
      TkMaskData m;
      m.ClassName = u"GLOBALINFO";
      m.PropertyName = name;
      m.R = fw::TRect{x, 0, x + 2, 1};
      s.ma.push_back(m);
    };
    add(u"BICONCLOSE", 0);
    add(u"BICONMAX", 2);
    add(u"BOXCHECKED", 4);
    ChangeSkinHue(s, 90);
    TPixelView32 v = View32(s.MasterBitmap);
    SCOPED_TRACE(keep);
    EXPECT_EQ(v.Pixel(0, 0) == 0xFFFF0000u, keep >= 1);
    EXPECT_EQ(v.Pixel(2, 0) == 0xFFFF0000u, keep == 1);
    EXPECT_NE(v.Pixel(4, 0), 0xFFFF0000u);
  }
}

TEST(SkinColors, BrightnessKeepsTheMaskHalves) {
  // A 2 x 4 master holding an image-over-mask element.
  TkLoadedSkin s;
  s.MasterBitmap.SetSize(TPixelFormat::pf32bit, 2, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 2; ++x) View32(s.MasterBitmap).Pixel(x, y) = 0xFF404040;
  TkMaskData m;
  m.R = fw::TRect{0, 0, 2, 4};
  m.MaskType = 1;
  s.ma.push_back(m);
  TkMaskData own;
  own.MaskType = 1;
  own.Bmp = std::make_shared<TPixelBuffer>(s.MasterBitmap);
  s.ma.push_back(own);
  ChangeSkinBrightness(s, 50);
  for (const TPixelBuffer* image : {&s.MasterBitmap, s.ma[1].Bmp.get()}) {
    TPixelView32 v = View32(*const_cast<TPixelBuffer*>(image));
    EXPECT_EQ(v.Pixel(0, 0), PixelBrightness(0xFF404040, 50));
    EXPECT_EQ(v.Pixel(1, 3), 0xFF404040u);
  }
}

TEST(SkinColors, AdjustingTwoFreshCopiesGivesTheSamePixels) {
  TkLoadedSkin a = Sample(), b = Sample();
  AdjustSkinColors(a, 30, -58, 20);
  AdjustSkinColors(b, 30, -58, 20);
  EXPECT_EQ(a.MasterBitmap.Bits(), b.MasterBitmap.Bits());
  EXPECT_EQ(a.ma[0].Bmp->Bits(), b.ma[0].Bmp->Bits());
  EXPECT_EQ(a.Palette, b.Palette);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(SkinColors, KnownPixelsThroughEachPass) {
  struct Case {
    const char* pass;
    void (*run)(TkLoadedSkin&, int);
    int value;
    uint32_t before, after;
  } cases[] = {
      {"hue", ChangeSkinHue, 120, 0xFFFF0000, 0xFF00FF00},
      {"hue", ChangeSkinHue, -120, 0xFFFF0000, 0xFF0000FF},
      {"hue", ChangeSkinHue, -240, 0xFFFF0000, 0xFF00FF00},
      {"hue", ChangeSkinHue, -360, 0xFFFF0000, 0xFFFF0000},
      {"hue", ChangeSkinHue, 90, 0xFF808080, 0xFF808080},  // grey has no hue
      {"saturation", ChangeSkinSaturation, -100, 0xFFC86432, 0xFF747474},
      {"saturation", ChangeSkinSaturation, 0, 0xFFC86432, 0xFFC86432},
      {"brightness", ChangeSkinBrightness, 50, 0xFF0A141E, 0xFF3C4650},
      {"brightness", ChangeSkinBrightness, -50, 0xFF0A141E, 0xFF000000},
      {"brightness", ChangeSkinBrightness, 100, 0xFFE0F0FF, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pass) + " " + std::to_string(c.value));
    TkLoadedSkin s;
    s.MasterBitmap.SetSize(TPixelFormat::pf32bit, 1, 1);
    View32(s.MasterBitmap).Pixel(0, 0) = c.before;
    c.run(s, c.value);
    EXPECT_EQ(View32(s.MasterBitmap).Pixel(0, 0), c.after);
  }
}

}  // namespace
}  // namespace skin
