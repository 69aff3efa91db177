// Gradient descriptions and their painting: vertical and horizontal
// segments, clipping, and the texture mix.
#include "skin/engine/core/gradient.h"

#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(ParseGradientData, ReadsGroupsOfFiveFields) {
  TkGradArray stops;
  ParseGradientData(u"16777215;12632256;50;0;0;12632256;8421504;50;0;0", stops);
  ASSERT_EQ(stops.size(), 2u);
  EXPECT_EQ(stops[0].Color1, 0xFFFFFFu);
  EXPECT_EQ(stops[1].Color2, 0x808080u);
  EXPECT_EQ(stops[1].Percent, 50);

  struct Case {
    const char16_t* text;
    size_t count;
    int percent;
  } cases[] = {
      {u"0;255;100;0;0", 1, 100}, {u"0;255;100;0", 0, 0},   {u"0;255;150;1;0", 1, 100},
      {u"0;255;-5;1;0", 1, 0},    {u";;0;;$FF;;7;1;9;", 1, 7}, {u"", 0, 0},
  };
  for (auto c : cases) {
    ParseGradientData(c.text, stops);
    ASSERT_EQ(stops.size(), c.count) << fw::StringToUtf8(c.text);
    if (c.count) {
      EXPECT_EQ(stops[0].Percent, c.percent) << fw::StringToUtf8(c.text);
    }
  }
  ParseGradientData(u";;0;;$FF;;7;1;9;", stops);
  EXPECT_EQ(stops[0].Color2, 0xFFu) << "empty fields don't count, \"$\" is hexadecimal";
  EXPECT_EQ(stops[0].Mode1, 1);
}

TEST(ParseGradientData, ResolvesSystemColoursAndRefusesNonNumbers) {
  TkGradArray stops;
  ParseGradientData(u"-16777201;0;100;0;0", stops, [](int32_t c) { return c < 0 ? 0xC0C0C0u : uint32_t(c); });
  EXPECT_EQ(stops[0].Color1, 0xC0C0C0u);
  stops.resize(3);
  EXPECT_THROW(ParseGradientData(u"0;red;100;0;0", stops), fw::EConvertError);
}

TEST(ParseGradientData, DamagedDescriptionsAreRefusedNamingTheField) {
  struct Case {
    const char16_t* text;
    const char* message;  // empty: accepted
  } cases[] = {
      {u"0;red;100;0;0", "Gradient description, field 2: 'red' is not a valid integer value"},
      {u"0;0;1e2;0;0", "field 3: '1e2'"},
      {u"0;0;100;1-;0", "field 4: '1-'"},
      {u"0;0;100;0;0;99999999999;0;0;0;0", "field 6: '99999999999'"},
      {u"0;0;100;0;junk", ""},            // the fifth field is never read
      {u"0;0;100;0;0;junk;0;0", ""},      // nor an incomplete last group
  };
  for (auto c : cases) {
    TkGradArray stops(2);
    if (!*c.message) {
      EXPECT_NO_THROW(ParseGradientData(c.text, stops)) << fw::StringToUtf8(c.text);
      EXPECT_EQ(stops.size(), 1u);
      continue;
    }
    try {
      ParseGradientData(c.text, stops);
      ADD_FAILURE() << "accepted " << fw::StringToUtf8(c.text);
    } catch (const fw::EConvertError& e) {
      EXPECT_NE(fw::StringToUtf8(e.Message()).find(c.message), std::string::npos) << fw::StringToUtf8(e.Message());
      EXPECT_TRUE(stops.empty()) << "no stops from a damaged description";
    }
  }
}

TEST(FillGradient, VerticalSegmentsShareTheirBoundaryRow) {
  TestImage img(2, 101, 0);
  TkGradArray stops;
  ParseGradientData(u"0;255;50;0;0;16711680;65280;50;0;0", stops);  // black-red, blue-green
  FillGradient(img.View(), {0, 0, 2, 101}, stops);
  EXPECT_EQ(img.At(0, 0), 0xFF000000u);
  EXPECT_EQ(img.At(1, 49), ColorToPixel(0x0000FF * 49 / 50 & 0xFF, 255));
  EXPECT_EQ(img.At(0, 50), 0xFF0000FFu) << "the second stop's first colour wins the shared row";
  EXPECT_EQ(img.At(0, 100), 0xFF00FF00u) << "the last row shows Color2";
}

TEST(FillGradient, SteppingReachesColor2ExactlyOverAnyDistance) {
  for (int height = 2; height <= 60; ++height) {
    TestImage img(1, height, 0);
    TkGradArray stops;
    ParseGradientData(u"4210752;12632256;100;0;0", stops);  // 64 -> 192
    FillGradient(img.View(), {0, 0, 1, height}, stops);
    ASSERT_EQ(img.At(0, height - 1), 0xFFC0C0C0u) << height;
    ASSERT_EQ(img.At(0, 0), 0xFF404040u) << height;
  }
}

TEST(FillGradient, ZeroPercentStopsPaintNothingAndTheNextStartsThere) {
  TestImage img(1, 10, 7);
  TkGradArray stops;
  ParseGradientData(u"255;255;0;0;0;0;16777215;100;0;0", stops);
  FillGradient(img.View(), {0, 0, 1, 10}, stops);
  EXPECT_EQ(img.At(0, 0), 0xFF000000u);
  EXPECT_EQ(img.At(0, 9), 0xFFFFFFFFu);
}

TEST(FillGradient, HorizontalStepsTheTopRowAndCopiesItDown) {
  TestImage img(7, 3, 0);
  TkGradArray stops;
  ParseGradientData(u"0;16777215;100;1;0", stops);
  FillGradient(img.View(), {0, 0, 7, 3}, stops);
  for (int x = 0; x < 7; ++x) {
    EXPECT_EQ(img.At(x, 0), ColorToPixel(0x010101u * uint32_t(255 * x / 6), 255)) << x;
    EXPECT_EQ(img.At(x, 2), img.At(x, 0));
  }
}

TEST(FillGradient, ClipsToTheImageAndSkipsEmptyInput) {
  TkGradArray stops;
  ParseGradientData(u"0;16777215;100;0;0", stops);
  TestImage img(3, 3, 9);
  FillGradient(img.View(), {-4, -4, 10, 10}, stops);
  EXPECT_TRUE(img.GuardIntact());
  EXPECT_EQ(img.At(2, 2), 0xFFFFFFFFu);
  TestImage untouched(3, 3, 9);
  FillGradient(untouched.View(), {2, 2, 1, 1}, stops);
  FillGradient(untouched.View(), {0, 0, 3, 3}, {});
  ParseGradientData(u"0;16777215;100;2;0", stops);
  FillGradient(untouched.View(), {0, 0, 3, 3}, stops);  // triangles are the system's
  EXPECT_EQ(untouched.At(1, 1), 9u);
}

TEST(FillGradientTextured, MixesWithATileIncludingItsLastRowAndColumn) {
  TestImage texture(2, 2, 0x00FFFFFF);
  texture.At(1, 1) = 0;
  TkGradArray stops;
  ParseGradientData(u"0;0;100;0;0", stops);  // flat black
  struct Case {
    uint8_t mix;
    uint32_t white, black;
  } cases[] = {{0, 0x40000000, 0x40000000}, {255, 0x40FEFEFE, 0x40000000}, {128, 0x407F7F7F, 0x40000000}};
  for (auto c : cases) {
    TestImage img(4, 4, 1);
    FillGradientTextured(img.View(), {0, 0, 4, 4}, stops, texture.View(), {}, c.mix, 0x40);
    EXPECT_EQ(img.At(0, 0), c.white) << int(c.mix);
    EXPECT_EQ(img.At(3, 3), c.black) << "the tile's last row and column are used";
    EXPECT_EQ(img.At(2, 2), c.white);
  }
  TestImage oneRow(3, 1, 0);
  TestImage img(3, 3, 1);
  ParseGradientData(u"0;0;100;1;0", stops);
  FillGradientTextured(img.View(), {0, 0, 3, 3}, stops, oneRow.View(), {}, 255, 255);
  EXPECT_EQ(img.At(2, 2), 0xFF000000u) << "a one-row texture tiles without dividing by zero";
}

}  // namespace
}  // namespace skin
