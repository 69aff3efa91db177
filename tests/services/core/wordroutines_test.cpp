// Characters copied into strings, bytes as text, 64-bit halves and bits in
// word arrays, with their bounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "services/core/uclstrings.h"
#include "services/core/wordroutines.h"

using namespace services;

namespace {

TEST(CopyCharsIntoString, CopiesWithinBothTextsAndRejectsRangesOutside) {
  struct Case {
    size_t sourceIndex, destIndex, count;
    const char16_t* result;  // null: out of range
  };
  const Case cases[] = {
      {0, 0, 3, u"abc..."}, {3, 2, 3, u"..def."}, {5, 5, 1, u".....f"}, {2, 6, 0, u"......"},
      {4, 0, 3, nullptr},   {0, 4, 3, nullptr},   {7, 0, 0, nullptr},
  };
  for (const Case& c : cases) {
    fw::String dest = u"......";
    if (c.result) {
      CopyCharsIntoString(u"abcdef", c.sourceIndex, dest, c.destIndex, c.count);
      EXPECT_EQ(dest, c.result);
    } else {
      EXPECT_THROW(CopyCharsIntoString(u"abcdef", c.sourceIndex, dest, c.destIndex, c.count), EUclStringError);
      EXPECT_EQ(dest, u"......");
    }
  }
  // The copy goes into this string only, not into one sharing its text.
  fw::String a = u"xyz", b = a;
  CopyCharsIntoString(u"Q", 0, a, 1, 1);
  EXPECT_EQ(a, u"xQz");
  EXPECT_EQ(b, u"xyz");
}

TEST(WordRoutines, BytesHalvesAndBits) {
  const uint8_t bytes[] = {'h', 0, 'i'};
  std::string s = "old";
  BytesToAnsiText(bytes, 2, s);
  EXPECT_EQ(s, std::string("h\0i", 3));
  BytesToAnsiText(bytes, -1, s);
  EXPECT_EQ(s, "");

  for (int64_t v : {int64_t{0}, int64_t{-1}, int64_t{0x123456789ABCDEF0}, INT64_MIN}) {
    uint32_t low, high;
    SplitInt64(v, low, high);
    EXPECT_EQ(low, static_cast<uint32_t>(v));
    EXPECT_EQ(high, static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32));
    int64_t back = 7;
    JoinInt64(back, low, high);
    EXPECT_EQ(back, v);
  }

  std::vector<uint32_t> words(8, 0);
  for (unsigned bit : {0u, 31u, 32u, 255u}) SetBitInWords(words, bit);
  EXPECT_EQ(words[0], 0x80000001u);
  EXPECT_EQ(words[1], 1u);
  EXPECT_EQ(words[7], 0x80000000u);
  for (unsigned bit = 0; bit < 256; ++bit)
    EXPECT_EQ(BitInWords(words, bit), bit == 0 || bit == 31 || bit == 32 || bit == 255) << bit;
  EXPECT_THROW(SetBitInWords(words, 256), EUclStringError);
  EXPECT_THROW(BitInWords(words, 256), EUclStringError);
}

}  // namespace
