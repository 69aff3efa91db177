// Set values as text and back, over enumerations and integer sub-ranges.
#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "services/core/uclrtti.h"

using namespace services;

namespace {

FW_ENUM(TPlacementOption, fpState, fpSize, fpLocation, fpActiveControl)

const fw::TTypeInfo* PlacementSet() { return fw::SetTypeInfo<TPlacementOption>(); }

const fw::TTypeInfo* FiveToTwelveSet() {
  static const fw::TTypeInfo* range = fw::TTypeInfo::MakeInteger(u"TFiveToTwelve", fw::otUByte, 5, 12);
  static const fw::TTypeInfo* set = fw::TTypeInfo::MakeSet(u"TFiveToTwelveSet", range);
  return set;
}

uint64_t Bits(std::initializer_list<TPlacementOption> m) { return fw::TSet<TPlacementOption>(m).Mask(); }

TEST(SetText, ReadingTable) {
  const struct {
    const char16_t* text;
    uint64_t set;
  } cases[] = {
      {u"", 0},
      {u"[]", 0},
      {u"[ ]", 0},
      {u",", 0},
      {u"fpSize", Bits({fpSize})},
      {u"[ fpSize , fpState ]", Bits({fpSize, fpState})},
      {u"[FPSIZE]", Bits({fpSize})},
      {u"[fpState..fpLocation]", Bits({fpState, fpSize, fpLocation})},
      {u"[fpLocation .. fpState]", 0},
      {u"[fpState, fpActiveControl", Bits({fpState, fpActiveControl})},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToSet(PlacementSet(), c.text), c.set) << fw::StringToUtf8(c.text);
}

TEST(SetText, UnknownNamesAndNumbersOutsideTheRangeAreRejected) {
  try {
    TextToSet(PlacementSet(), u"[fpState, nonsense]");
    FAIL();
  } catch (const EUclRTTIError& e) {
    EXPECT_EQ(e.Message(), u"Unknown identifier 'nonsense'.");
  }
  EXPECT_THROW(TextToSet(FiveToTwelveSet(), u"[4]"), EUclRTTIError);
  EXPECT_THROW(TextToSet(FiveToTwelveSet(), u"[13]"), EUclRTTIError);
  EXPECT_THROW(TextToSet(FiveToTwelveSet(), u"[x]"), fw::EConvertError);
}

TEST(SetText, WritingWithAndWithoutBracketsAndRanges) {
  EXPECT_EQ(SetToText(PlacementSet(), Bits({fpState, fpLocation}), true, false), u"[fpState, fpLocation]");
  EXPECT_EQ(SetToText(PlacementSet(), Bits({fpState, fpSize, fpLocation}), false, true), u"fpState .. fpLocation");
  EXPECT_EQ(SetToText(PlacementSet(), 0, true, false), u"[]");
  EXPECT_EQ(SetToText(PlacementSet(), 0, false, false), u"");
  EXPECT_EQ(SetToText(PlacementSet(), Bits({fpSize, fpActiveControl}), false, true), u"fpSize, fpActiveControl");
}

TEST(SetText, IntegerSubRangeNotStartingAtAByteBoundaryRoundTrips) {
  const fw::TTypeInfo* set = FiveToTwelveSet();
  const uint64_t v = TextToSet(set, u"[5, 7..9, 12]");
  // Bit 0 stands for ordinal 0 (5 rounded down to a multiple of 8).
  EXPECT_EQ(v, (1u << 5) | (1u << 7) | (1u << 8) | (1u << 9) | (1u << 12));
  EXPECT_EQ(SetToText(set, v, true, false), u"[5, 7, 8, 9, 12]");
  EXPECT_EQ(SetToText(set, v, true, true), u"[5, 7 .. 9, 12]");
  EXPECT_EQ(TextToSet(set, SetToText(set, v, true, true)), v);
}

}  // namespace
