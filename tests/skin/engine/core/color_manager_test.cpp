// The colour manager: routine choice, sample conversions with masks, gamma
// and palettes.
#include "skin/engine/core/color_manager.h"

#include <gtest/gtest.h>

#include <vector>

namespace skin {
namespace {

using Bytes = std::vector<uint8_t>;

struct Layout {
  TColorScheme scheme;
  uint8_t bits, samples;
};

void Configure(TColorManager& cm, Layout source, Layout target, TConvertOptions sourceOptions = 0,
               TConvertOptions targetOptions = 0) {
  cm.SetSourceColorScheme(source.scheme);
  cm.SetSourceBitsPerSample(source.bits);
  cm.SetSourceSamplesPerPixel(source.samples);
  cm.SetTargetColorScheme(target.scheme);
  cm.SetTargetBitsPerSample(target.bits);
  cm.SetTargetSamplesPerPixel(target.samples);
  cm.SetSourceOptions(sourceOptions);
  cm.SetTargetOptions(targetOptions);
}

Bytes Convert(TColorManager& cm, const Bytes& source, size_t targetBytes, uint32_t count, uint8_t mask = 0xFF,
              uint8_t fill = 0xEE) {
  Bytes target(targetBytes, fill);
  const uint8_t* rows[] = {source.data()};
  cm.ConvertRow(rows, target.data(), count, mask);
  return target;
}

std::string ErrorOf(TColorManager& cm, const Bytes& source = Bytes(16)) {
  try {
    Convert(cm, source, 64, 1);
  } catch (const EColorConversionError& e) {
    return fw::StringToUtf8(e.Message());
  }
  return "";
}

const Layout RGB8{TColorScheme::csRGB, 8, 3}, BGR8{TColorScheme::csBGR, 8, 3};
const Layout RGBA8{TColorScheme::csRGBA, 8, 4}, BGRA8{TColorScheme::csBGRA, 8, 4};

TEST(ColorManager, StartsAsEightBitRGBToBGR) {
  TColorManager cm;
  EXPECT_EQ(cm.SourceColorScheme(), TColorScheme::csRGB);
  EXPECT_EQ(cm.TargetColorScheme(), TColorScheme::csBGR);
  EXPECT_EQ(cm.TargetPixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(Convert(cm, {1, 2, 3, 4, 5, 6}, 6, 2), (Bytes{3, 2, 1, 6, 5, 4}));
}

TEST(ColorManager, SettersRefuseImpossibleDepthsAndSampleCounts) {
  TColorManager cm;
  const char* depth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
  const char* samples = "Sample count per pixel does not correspond to the given color scheme.";
  auto message = [](auto f) {
    try {
      f();
    } catch (const EColorConversionError& e) {
      return fw::StringToUtf8(e.Message());
    }
    return std::string();
  };
  EXPECT_EQ(message([&] { cm.SetSourceBitsPerSample(0); }), depth);
  EXPECT_EQ(message([&] { cm.SetTargetBitsPerSample(17); }), depth);
  EXPECT_EQ(message([&] { cm.SetSourceSamplesPerPixel(0); }), samples);
  EXPECT_EQ(message([&] { cm.SetTargetSamplesPerPixel(5); }), samples);
  EXPECT_EQ(cm.SourceBitsPerSample(), 8);
}

TEST(ColorManager, ChoosesTheRoutineAgainOnlyAfterAChange) {
  TColorManager cm;
  const char* mixed = "Conversion between indexed and non-indexed pixel formats is not supported.";
  const char* none = "Color conversion failed. Could not find a proper method.";
  cm.SetSourceColorScheme(TColorScheme::csIndexed);
  EXPECT_EQ(ErrorOf(cm), mixed);  // the choice runs and fails
  EXPECT_EQ(ErrorOf(cm), none);   // no change: no new choice
  cm.SetSourceColorScheme(TColorScheme::csIndexed);
  EXPECT_EQ(ErrorOf(cm), none);   // the same value is no change
  cm.SetSourceColorScheme(TColorScheme::csRGB);
  EXPECT_EQ(ErrorOf(cm), "");
}

TEST(ColorManager, PairsWithoutARoutineRaiseAtConversion) {
  struct Case {
    const char* what;
    Layout source, target;
  };
  const Case cases[] = {
      {"grey 16 to 4 bits", {TColorScheme::csG, 16, 1}, {TColorScheme::csG, 4, 1}},
      {"grey + alpha of 4 bits", {TColorScheme::csGA, 4, 1}, {TColorScheme::csIndexed, 4, 1}},
      {"CMY", {TColorScheme::csCMY, 8, 3}, BGR8},
      {"unknown", {TColorScheme::csUnknown, 8, 3}, BGR8},
      {"RGB to CMYK", RGB8, {TColorScheme::csCMYK, 8, 4}},
      {"RGB of 4 bits", {TColorScheme::csRGB, 4, 3}, BGR8},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    Configure(cm, c.source, c.target);
    EXPECT_EQ(ErrorOf(cm), "Color conversion failed. Could not find a proper method.") << c.what;
  }
}

TEST(ColorManager, MaskWritesOnlyItsPixelsAndTakesOneSourcePixelEach) {
  TColorManager cm;
  Configure(cm, {TColorScheme::csIndexed, 8, 1}, {TColorScheme::csIndexed, 8, 1});
  Bytes out = Convert(cm, {10, 20, 30}, 16, 16, 0x80);
  Bytes expected(16, 0xEE);
  expected[0] = 10;
  expected[8] = 20;
  EXPECT_EQ(out, expected);

  Configure(cm, RGB8, BGRA8);
  out = Convert(cm, {1, 2, 3, 4, 5, 6}, 16, 4, 0x50);  // pixels 1 and 3
  EXPECT_EQ(out, (Bytes{0xEE, 0xEE, 0xEE, 0xEE, 3, 2, 1, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 6, 5, 4, 0xEE}));
}

TEST(ColorManager, PackedSamplesScaleBetweenDepths) {
  struct Case {
    uint8_t sourceBits, targetBits;
    Bytes source;
    uint32_t count;
    uint8_t mask;
    Bytes expected;
  };
  const Case cases[] = {
      {2, 4, {0x1B}, 4, 0xFF, {0x05, 0xAF}},            // 0 1 2 3 -> 0 5 10 15
      {1, 8, {0xA0}, 3, 0xFF, {255, 0, 255}},
      {4, 2, {0xF5}, 2, 0xFF, {0xD0}},                  // 15 5 -> 3 1
      {4, 4, {0x12, 0x34}, 4, 0xFF, {0x12, 0x34}},      // equal depths: copied
      {2, 4, {0xC0}, 4, 0x40, {0x0F, 0x00}},            // pixel 1 only, from the first sample
  };
  for (const Case& c : cases) {
    TColorManager cm;
    Configure(cm, {TColorScheme::csG, c.sourceBits, 1}, {TColorScheme::csG, c.targetBits, 1});
    EXPECT_EQ(Convert(cm, c.source, c.expected.size(), c.count, c.mask, 0), c.expected)
        << int(c.sourceBits) << " -> " << int(c.targetBits);
  }
}

TEST(ColorManager, SixteenBitIndexedAndGreySamples) {
  struct Case {
    const char* what;
    Layout source, target;
    TConvertOptions options;
    Bytes source_bytes, expected;
    uint32_t count;
  };
  const TColorScheme I = TColorScheme::csIndexed, G = TColorScheme::csG, GA = TColorScheme::csGA;
  const Case cases[] = {
      {"indexed 16 to 16, swapped", {I, 16, 1}, {I, 16, 1}, coNeedByteSwap, {0x12, 0x34}, {0x34, 0x12}, 1},
      {"indexed 16 to 16, copied", {I, 16, 1}, {I, 16, 1}, 0, {0x12, 0x34}, {0x12, 0x34}, 1},
      {"indexed 16 to 4", {I, 16, 1}, {I, 4, 1}, coNeedByteSwap, {0xFF, 0xFF, 0x80, 0x00}, {0xF7}, 2},
      {"indexed 2 to 16", {I, 2, 1}, {I, 16, 1}, coNeedByteSwap, {0x40}, {0x55, 0x55}, 1},
      {"grey 16 to 8, swapped", {G, 16, 1}, {G, 8, 1}, coNeedByteSwap, {0x80, 0x00, 0x01, 0x01}, {127, 1}, 2},
      {"grey 8 to 16", {G, 8, 1}, {G, 16, 1}, 0, {1}, {0x01, 0x01}, 1},
      {"grey + alpha 8, alpha skipped", {GA, 8, 1}, {I, 8, 1}, 0, {7, 99, 8, 99}, {7, 8}, 2},
      {"grey + alpha 16 to 8", {GA, 16, 1}, {I, 8, 1}, coNeedByteSwap, {0xFF, 0xFF, 0, 0, 0x80, 0, 0, 0}, {255, 127}, 2},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    Configure(cm, c.source, c.target, c.options);
    EXPECT_EQ(Convert(cm, c.source_bytes, c.expected.size(), c.count), c.expected) << c.what;
  }
}

TEST(ColorManager, ColourSamplesByOrderDepthAndAlpha) {
  struct Case {
    const char* what;
    Layout source, target;
    TConvertOptions sourceOptions, targetOptions;
    Bytes source_bytes, expected;
  };
  const Case cases[] = {
      {"RGB to RGB", RGB8, RGB8, 0, 0, {1, 2, 3}, {1, 2, 3}},
      {"BGR to RGB", BGR8, RGB8, 0, 0, {1, 2, 3}, {3, 2, 1}},
      {"BGR to BGR", BGR8, BGR8, 0, 0, {1, 2, 3}, {1, 2, 3}},
      {"RGBA to BGRA keeps alpha", RGBA8, BGRA8, 0, 0, {1, 2, 3, 4}, {3, 2, 1, 4}},
      {"RGB to BGRA leaves alpha", RGB8, BGRA8, 0, 0, {1, 2, 3}, {3, 2, 1, 0xEE}},
      {"RGBA to BGR drops alpha", RGBA8, BGR8, 0, 0, {1, 2, 3, 4}, {3, 2, 1}},
      {"RGB 16 to BGR 8, swapped", {TColorScheme::csRGB, 16, 3}, BGR8, coNeedByteSwap, 0,
       {0xFF, 0xFF, 0x80, 0x00, 0x01, 0x01}, {1, 127, 255}},
      {"RGBA 16 to BGRA 8, alpha scaled", {TColorScheme::csRGBA, 16, 4}, BGRA8, coNeedByteSwap, 0,
       {0, 0, 0, 0, 0, 0, 0x80, 0x00}, {0, 0, 0, 127}},
      {"RGB 8 to RGB 16, swapped", RGB8, {TColorScheme::csRGB, 16, 3}, coNeedByteSwap, 0, {1, 0, 255},
       {1, 1, 0, 0, 255, 255}},
      {"RGB 16 to RGB 16, swapped", {TColorScheme::csRGB, 16, 3}, {TColorScheme::csRGB, 16, 3}, coNeedByteSwap, 0,
       {1, 2, 3, 4, 5, 6}, {2, 1, 4, 3, 6, 5}},
      {"gamma on colour, not alpha", RGBA8, BGRA8, 0, coApplyGamma, {0, 128, 255, 128}, {255, 186, 0, 128}},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    Configure(cm, c.source, c.target, c.sourceOptions, c.targetOptions);
    EXPECT_EQ(Convert(cm, c.source_bytes, c.expected.size(), 1), c.expected) << c.what;
  }
}

TEST(ColorManager, PlanarSourcesTakeOneSampleFromEachPlane) {
  TColorManager cm;
  Configure(cm, RGBA8, BGRA8);
  Bytes r = {1, 5}, g = {2, 6}, b = {3, 7}, a = {4, 8};
  const uint8_t* planes[] = {r.data(), g.data(), b.data(), a.data()};
  Bytes out(8);
  cm.ConvertRow(planes, out.data(), 2, 0xFF);
  EXPECT_EQ(out, (Bytes{3, 2, 1, 4, 7, 6, 5, 8}));
}

TEST(ColorManager, OtherColourSpacesToBGR) {
  struct Case {
    const char* what;
    TColorScheme scheme;
    TConvertOptions options;
    Bytes source, expected;  // expected blue, green, red
  };
  const Case cases[] = {
      {"CMYK white", TColorScheme::csCMYK, 0, {0, 0, 0, 0}, {255, 255, 255}},
      {"CMYK black key", TColorScheme::csCMYK, 0, {0, 0, 0, 255}, {0, 0, 0}},
      {"CMYK mixed", TColorScheme::csCMYK, 0, {100, 255, 0, 50}, {205, 0, 124}},
      {"YCbCr grey", TColorScheme::csYCbCr, 0, {100, 128, 128}, {100, 100, 100}},
      {"YCbCr red clamps", TColorScheme::csYCbCr, 0, {128, 128, 255}, {128, 37, 255}},
      {"PhotoYCC neutral", TColorScheme::csPhotoYCC, 0, {90, 156, 137}, {90, 90, 90}},
      {"Lab white", TColorScheme::csCIELab, 0, {100, 0, 0}, {255, 255, 255}},
      {"Lab black", TColorScheme::csCIELab, 0, {0, 0, 0}, {0, 0, 0}},
      {"Lab byte range and chroma offset", TColorScheme::csCIELab, coLabByteRange | coLabChromaOffset,
       {255, 128, 128}, {255, 255, 255}},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    uint8_t samples = c.scheme == TColorScheme::csCMYK ? 4 : 3;
    Configure(cm, {c.scheme, 8, samples}, BGR8, c.options);
    EXPECT_EQ(Convert(cm, c.source, 3, 1), c.expected) << c.what;
    Configure(cm, {c.scheme, 8, samples}, RGB8, c.options);
    EXPECT_EQ(Convert(cm, c.source, 3, 1), (Bytes{c.expected[2], c.expected[1], c.expected[0]})) << c.what;
  }
}

TEST(ColorManager, GammaTableMapsTheEndsToThemselvesAndMidGreyTo186) {
  TColorManager cm;
  Configure(cm, RGB8, RGB8, 0, coApplyGamma);
  EXPECT_EQ(Convert(cm, {0, 128, 255}, 3, 1), (Bytes{0, 186, 255}));
  cm.SetGamma(0, -1);  // out-of-range values fall back to 1.0 and 2.2
  EXPECT_EQ(Convert(cm, {0, 128, 255}, 3, 1), (Bytes{0, 186, 255}));
  cm.SetGamma(1.0f / 2.2f, 2.2f);
  EXPECT_EQ(Convert(cm, {0, 128, 255}, 3, 1), (Bytes{0, 128, 255}));
}

TEST(ColorManager, GreyRampsFollowTheTargetDepth) {
  TColorManager cm;
  Configure(cm, {TColorScheme::csG, 4, 1}, {TColorScheme::csG, 4, 1});
  TPalette ramp = cm.CreateGrayscalePalette(false);
  ASSERT_EQ(ramp.size(), 16u);
  EXPECT_EQ(ramp[1], (TPaletteEntry{17, 17, 17, 0}));
  EXPECT_EQ(ramp[15], (TPaletteEntry{255, 255, 255, 0}));
  TPalette reversed = cm.CreateGrayscalePalette(true);
  EXPECT_EQ(reversed[0], (TPaletteEntry{255, 255, 255, 0}));
  EXPECT_EQ(reversed[15], (TPaletteEntry{0, 0, 0, 0}));
  // A gamma-corrected ramp of a 1-bit target still holds 8-bit greys.
  Configure(cm, {TColorScheme::csG, 1, 1}, {TColorScheme::csG, 1, 1}, 0, coApplyGamma);
  cm.SetGamma(1.0f, 2.2f);
  EXPECT_EQ(cm.CreateGrayscalePalette(false), (TPalette{{0, 0, 0, 0}, {255, 255, 255, 0}}));
}

TEST(ColorManager, ColourPalettesFromRawTables) {
  TColorManager cm;
  Configure(cm, {TColorScheme::csIndexed, 2, 1}, {TColorScheme::csIndexed, 4, 1});
  Bytes rgb = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  const uint8_t* data[] = {rgb.data()};
  TPalette p = cm.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, 4, false);
  ASSERT_EQ(p.size(), 16u);
  EXPECT_EQ(p[0], (TPaletteEntry{10, 20, 30, 0}));
  EXPECT_EQ(p[5], (TPaletteEntry{40, 50, 60, 0}));
  EXPECT_EQ(p[10], (TPaletteEntry{70, 80, 90, 0}));
  EXPECT_EQ(p[15], (TPaletteEntry{100, 110, 120, 0}));

  Configure(cm, {TColorScheme::csIndexed, 8, 1}, {TColorScheme::csIndexed, 8, 1});
  p = cm.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, 2, true);
  ASSERT_EQ(p.size(), 256u);
  EXPECT_EQ(p[0], (TPaletteEntry{30, 20, 10, 0}));  // stored blue, green, red
  EXPECT_EQ(p[2], (TPaletteEntry{}));               // missing entries are black

  p = cm.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Quad, 2, false);
  EXPECT_EQ(p[1], (TPaletteEntry{50, 60, 70, 0}));
  Bytes r = {1}, g = {2}, b = {3};
  const uint8_t* planes[] = {r.data(), g.data(), b.data()};
  p = cm.CreateColorPalette(planes, TRawPaletteFormat::pfPlane8Triple, 1, false);
  EXPECT_EQ(p[0], (TPaletteEntry{1, 2, 3, 0}));
  Bytes wide = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
  const uint8_t* wideData[] = {wide.data()};
  cm.SetSourceOptions(coNeedByteSwap);
  p = cm.CreateColorPalette(wideData, TRawPaletteFormat::pfInterlaced16Triple, 1, false);
  EXPECT_EQ(p[0], (TPaletteEntry{255, 127, 0, 0}));
}

TEST(ColorManager, PixelFormatsFollowSamplesAndDepth) {
  struct Case {
    uint8_t samples, bits;
    TPixelFormat format;
  };
  const Case cases[] = {{1, 1, TPixelFormat::pf1bit},  {1, 2, TPixelFormat::pf4bit},  {1, 4, TPixelFormat::pf4bit},
                        {1, 8, TPixelFormat::pf8bit},  {1, 16, TPixelFormat::pf8bit}, {1, 5, TPixelFormat::pfCustom},
                        {3, 5, TPixelFormat::pf15bit}, {3, 8, TPixelFormat::pf24bit}, {4, 8, TPixelFormat::pf32bit},
                        {4, 4, TPixelFormat::pfCustom}, {2, 8, TPixelFormat::pfCustom}};
  for (const Case& c : cases) {
    TColorManager cm;
    cm.SetTargetSamplesPerPixel(c.samples);
    cm.SetTargetBitsPerSample(c.bits);
    EXPECT_EQ(cm.TargetPixelFormat(), c.format) << int(c.samples) << " x " << int(c.bits);
  }
}

}  // namespace
}  // namespace skin
