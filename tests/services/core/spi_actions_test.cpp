// Which set action belongs to a setting and how it takes its value; the
// font-smoothing and sound-sentry value maps.
#include <gtest/gtest.h>

#include "services/core/spi_actions.h"

using namespace services;

namespace {

TEST(SpiActions, SetActionPairsIncludingTheIrregularOnes) {
  const std::pair<int, int> cases[] = {
      {1, 2},       {38, 37},     {94, 93},     {79, 81},     {80, 82},     {83, 85},   {84, 86},
      {115, 20},    {92, -1},     {97, -1},     {114, -1},    {31, 34},     {112, 113}, {89, 90},
      {0x101E, 0x101F}, {0x103E, 0x103F}, {0x2004, 0x2005}, {0x2010, 0x2011}, {8202, 8203}, {7, -1},
  };
  for (auto [get, set] : cases) EXPECT_EQ(SpiSetAction(get), set) << get;
}

TEST(SpiActions, ValueFormFollowsWhatTheSystemReads) {
  // UI effects and timeouts read the value itself from pvParam: passing the
  // address of a cell there would turn every Boolean write into True.
  EXPECT_EQ(SpiValueForm(0x101B), TSpiValueForm::PvValue);
  EXPECT_EQ(SpiValueForm(0x2005), TSpiValueForm::PvValue);
  EXPECT_EQ(SpiValueForm(113), TSpiValueForm::PvValue) << "the mouse speed";
  EXPECT_EQ(SpiValueForm(90), TSpiValueForm::PvAddress) << "the default input language";
  EXPECT_EQ(SpiValueForm(107), TSpiValueForm::UiParam);
  EXPECT_EQ(SpiValueForm(2), TSpiValueForm::UiParam);
}

TEST(SpiActions, FontSmoothingTypeAndGraphicEffectMaps) {
  EXPECT_EQ(FontSmoothingTypeFrom(true, 2), TCkFontSmoothingType::fstClearType);
  EXPECT_EQ(FontSmoothingTypeFrom(true, 0x8000), TCkFontSmoothingType::fstDocking);
  EXPECT_EQ(FontSmoothingTypeFrom(true, 1), TCkFontSmoothingType::fstStandard);
  EXPECT_EQ(FontSmoothingTypeFrom(true, 7), TCkFontSmoothingType::fstStandard) << "an unknown type";
  EXPECT_EQ(FontSmoothingTypeFrom(false, 2), TCkFontSmoothingType::fstStandard) << "a failed read";
  EXPECT_EQ(FontSmoothingTypeValue(TCkFontSmoothingType::fstStandard), 1u);
  EXPECT_EQ(FontSmoothingTypeValue(TCkFontSmoothingType::fstClearType), 2u);
  EXPECT_EQ(FontSmoothingTypeValue(TCkFontSmoothingType::fstDocking), 0x8000u);
  EXPECT_EQ(GrafEffectFrom(3), TCkSoundSentryGrafEffect::ssgfDisplay);
  EXPECT_EQ(GrafEffectFrom(0), TCkSoundSentryGrafEffect::ssgfNone);
  EXPECT_EQ(GrafEffectFrom(1), TCkSoundSentryGrafEffect::ssgfNone);
  EXPECT_EQ(GrafEffectValue(TCkSoundSentryGrafEffect::ssgfDisplay), 3u);
  EXPECT_EQ(GrafEffectValue(TCkSoundSentryGrafEffect::ssgfNone), 0u);
}

}  // namespace
