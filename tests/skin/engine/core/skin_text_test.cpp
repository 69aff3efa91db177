// Words, replacement, number and rectangle helpers and path delimiters of the
// skin engine.
#include "skin/engine/core/skin_text.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(Words, CountAndCopyIgnoreEmptyFields) {
  const TCharSet semi = CharSet(";");
  EXPECT_EQ(CountWordsA(";a;;b;", semi), 2);
  EXPECT_EQ(CopyWordA(2, ";a;;b;", semi), "b");
  EXPECT_EQ(CopyWordA(3, ";a;;b;", semi), "");
  EXPECT_EQ(FindWordPosA(2, ";a;;bc", semi), 5);
  EXPECT_EQ(FindWordPosA(1, ";;;", semi), 0);
  EXPECT_EQ(CountWordsA("", semi), 0);
}

TEST(Words, SplitGivesWhatCountAndCopySee) {
  const TCharSet delims = CharSet("; ");
  for (std::string_view text : {";a;;b;", "", ";;;", "one", " x y;z ", "a;b;c;d;e;f"}) {
    const std::vector<std::string> words = SplitWordsA(text, delims);
    ASSERT_EQ(int(words.size()), CountWordsA(text, delims)) << text;
    for (size_t i = 0; i < words.size(); ++i) EXPECT_EQ(words[i], CopyWordA(int(i) + 1, text, delims)) << text;
  }
}

TEST(Words, WideTextSplitsOnlyAtSingleByteDelimiters) {
  const TCharSet delims = CharSet("; ");
  EXPECT_EQ(CountWordsW(u"\u0120a;\u013Bb c", delims), 3) << "U+0120 and U+013B are letters, not delimiters";
  EXPECT_EQ(FindWordPosW(2, u"\u0410\u0411;\u0412", delims), 4);
}

TEST(Text, StripAndReplaceWithoutRecursion) {
  EXPECT_EQ(StripChar(u"a&b&&c", u'&'), u"abc");
  EXPECT_EQ(ReplaceAllOf(u"aXbXX", u"X", u"XX"), u"aXXbXXXX");
  EXPECT_EQ(ReplaceAllOf(u"abc", u"", u"Z"), u"abc");
}

TEST(Numbers, ClampBetweenAndPick) {
  EXPECT_EQ(ClampValue(5, 10, 0), 10) << "the lower bound wins when the bounds cross";
  EXPECT_EQ(ClampValue(-1, 0, 9), 0);
  EXPECT_EQ(ClampValue(12, 0, 9), 9);
  EXPECT_TRUE(ValueBetween(3, 5, 1));
  EXPECT_FALSE(ValueBetween(6, 5, 1));
  EXPECT_EQ(PickInt(false, 1, 2), 2);
  int a = 1, b = 2;
  SwapIntegers(a, b);
  EXPECT_EQ(a * 10 + b, 21);
}

TEST(Rects, OverlapIntersectionAndSizes) {
  const fw::TRect area{0, 0, 10, 10};
  EXPECT_FALSE(RectOverlapsArea(area, {10, 0, 20, 5})) << "touching edges count as outside";
  EXPECT_FALSE(RectOverlapsArea(area, {3, 3, 3, 9})) << "empty";
  EXPECT_TRUE(RectOverlapsArea(area, {9, 9, 20, 20}));
  EXPECT_EQ(IntersectionOfRects({0, 0, 5, 5}, {7, 1, 9, 3}), (fw::TRect{7, 1, 5, 3}));
  EXPECT_EQ(RectWidthOf({5, 0, 2, 0}), -3);
  EXPECT_EQ(RectWidthOf({5, 0, 2, 0}, true), 0);
}

TEST(Paths, AddPathDelimiter) {
  struct Case {
    const char16_t *in, *out;
  } cases[] = {{u"", u""}, {u"C", u"C:\\"}, {u"C:/dir/", u"C:/dir\\"}, {u"C:\\a\\", u"C:\\a\\"}, {u"C:\\a", u"C:\\a\\"}};
  for (auto c : cases) EXPECT_EQ(AddPathDelimiter(c.in), c.out);
}

}  // namespace
}  // namespace skin
