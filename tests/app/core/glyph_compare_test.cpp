#include "app/core/glyph_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app;

namespace {

// '#' black ink, '.' white, 'g' gray, 'r' red.
PixelBuffer Art(const std::vector<std::string>& rows, int bpp = 3) {
  const int h = static_cast<int>(rows.size());
  const int w = h ? static_cast<int>(rows[0].size()) : 0;
  PixelBuffer b(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      char ch = rows[y][x];
      b.View().SetColor(x, y, ch == '#' ? kInk : ch == 'g' ? 0x808080 : ch == 'r' ? 0x0000FF : kWhite);
    }
  return b;
}

}  // namespace

TEST(GlyphBox, KeepsTheLastRunOfInkColumnsAndItsInkRows) {
  struct Case {
    const char* name;
    std::vector<std::string> art;
    fw::TRect want;
  } cases[] = {
      {"single glyph", {"......", "..##..", "..#...", "......"}, fw::Rect(2, 1, 4, 3)},
      {"double quote: right run only", {".#.#..", ".#.#..", "......"}, fw::Rect(3, 0, 4, 2)},
      {"touches left and top edges", {"#.....", "##....", "......"}, fw::Rect(0, 0, 2, 2)},
      {"touches right and bottom edges", {"......", ".....#", "....##"}, fw::Rect(4, 1, 6, 3)},
      {"stacked in one column range", {"..#.", "....", ".##.", "...."}, fw::Rect(1, 0, 3, 3)},
      {"gray and red are not ink", {"gg#r", "rr#g", "gggg"}, fw::Rect(2, 0, 3, 2)},
      {"run rows are found within the run only", {"#...", "#...", "#..#"}, fw::Rect(3, 2, 4, 3)},
  };
  for (const Case& c : cases) {
    PixelBuffer b = Art(c.art);
    auto box = FindGlyphBox(b.View());
    ASSERT_TRUE(box.has_value()) << c.name;
    EXPECT_EQ(*box, c.want) << c.name;
    PixelBuffer b32 = Art(c.art, 4);
    EXPECT_EQ(FindGlyphBox(b32.View()), box) << c.name << " (32-bit)";
  }
  PixelBuffer blank = Art({"gggr", "...."});
  EXPECT_FALSE(FindGlyphBox(blank.View()).has_value());
  EXPECT_FALSE(FindGlyphBox(PixelBuffer().View()).has_value());
}

TEST(MatchMetric, WidthGateUsesRoundedTwentyPercentBounds) {
  struct { int ws, cw; bool pass; } cases[] = {
      {10, 10, true},  {10, 11, true},  {10, 9, true},
      {10, 12, false},  // 12 < round(12) fails
      {10, 8, false},   // 10 < round(9.6) = 10 fails
      {5, 6, false},    // 6 < round(6) fails
      {3, 4, false},    // 4 < round(3.6) = 4 fails
      {70, 58, false},  // 70 < round(69.6) = 70 fails
      {70, 59, true},   // round(70.8) = 71
      {10, 0, false},   {0, 0, false},
      // Equal widths always pass, also where the rounded bound equals the
      // width itself (1 and 2 pixels).
      {1, 1, true},     {2, 2, true},   {2, 1, false},  {1, 2, false},
  };
  for (auto c : cases) EXPECT_EQ(WidthsComparable(c.ws, c.cw), c.pass) << c.ws << " vs " << c.cw;
}

TEST(MatchMetric, CountsWhiteAgainstNonWhitePositions) {
  PixelBuffer s = Art({"..##", ".#g.", "...."});
  // Same white/non-white pattern in other colours matches everywhere.
  PixelBuffer same = Art({"..rg", ".g#.", "...."});
  EXPECT_EQ(CountMatchingPixels(s.View(), same.View()), (TMatchCounts{12, 12, 0}));

  // One flipped pixel is one miss.
  PixelBuffer oneOff = Art({"...#", ".#g.", "...."});
  TMatchCounts m = CountMatchingPixels(s.View(), oneOff.View());
  EXPECT_EQ(m, (TMatchCounts{12, 11, 1}));
  EXPECT_DOUBLE_EQ(MatchScore(m), 11.0 / 12.0 * 100.0);

  // Positions outside a lower comparison image count as not white: the
  // white third row of the sample misses there, ink would match.
  PixelBuffer lower = Art({"..##", ".#g."});
  EXPECT_EQ(CountMatchingPixels(s.View(), lower.View()), (TMatchCounts{12, 8, 4}));
  PixelBuffer inkRow = Art({"..##", ".#g.", "####"});
  EXPECT_EQ(CountMatchingPixels(inkRow.View(), lower.View()), (TMatchCounts{12, 12, 0}));

  // A narrower comparison image (within the gate): the missing column is not white.
  PixelBuffer wide = Art({"..........", "..........", ".........#"});
  PixelBuffer narrow = Art({".........", ".........", "........."});
  EXPECT_EQ(CountMatchingPixels(wide.View(), narrow.View()), (TMatchCounts{30, 28, 2}));

  // Outside the gate nothing is compared.
  PixelBuffer tooWide = Art({"......", "......", "......"});
  PixelBuffer tiny = Art({"....", "....", "...."});
  PixelBuffer sampleOfThree = Art({"...", "...", "..."});
  EXPECT_EQ(CountMatchingPixels(sampleOfThree.View(), tiny.View()), (TMatchCounts{9, 0, 9}));
  EXPECT_EQ(CountMatchingPixels(tiny.View(), tooWide.View()), (TMatchCounts{12, 0, 12}));
  EXPECT_EQ(CountMatchingPixels(tiny.View(), PixelBuffer().View()), (TMatchCounts{12, 0, 12}));
}

TEST(MatchMetric, AcceptanceNeedsAMatchAndTheThreshold) {
  struct { TMatchCounts m; int threshold; bool listed; } cases[] = {
      {{100, 80, 20}, 80, true},   {{100, 79, 21}, 80, false}, {{100, 100, 0}, 100, true},
      {{100, 99, 1}, 100, false},  {{100, 0, 100}, 50, false}, {{100, 0, 100}, 0, false},
      {{3, 2, 1}, 66, true},       {{0, 0, 0}, 50, false},
  };
  for (auto c : cases) EXPECT_EQ(MatchAccepted(c.m, c.threshold), c.listed) << c.m.Matches << "/" << c.m.Total;
}

TEST(SpeedLevels, RulesOfEachLevel) {
  struct { int speed; int level; int scale; bool crop; TCompareReduce reduce; } cases[] = {
      {1, 1, 2, true, TCompareReduce::CalibratedGlyph}, {2, 1, 2, true, TCompareReduce::CalibratedGlyph},
      {3, 3, 2, true, TCompareReduce::StretchToSample}, {4, 3, 2, true, TCompareReduce::StretchToSample},
      {5, 5, 2, true, TCompareReduce::GlyphAsIs},       {6, 7, 1, false, TCompareReduce::GlyphAsIs},
      {7, 7, 1, false, TCompareReduce::GlyphAsIs},      {0, 1, 2, true, TCompareReduce::CalibratedGlyph},
  };
  for (auto c : cases) {
    TSpeedRule r = SpeedRuleFor(c.speed);
    EXPECT_EQ(r.Level, c.level) << c.speed;
    EXPECT_EQ(r.CanvasScale, c.scale) << c.speed;
    EXPECT_EQ(r.CropToGlyph, c.crop) << c.speed;
    EXPECT_EQ(r.Reduce, c.reduce) << c.speed;
  }
  EXPECT_DOUBLE_EQ(CalibratedSizeFor(40, 30, 1.0), 1600.0 / 30.0);
  EXPECT_DOUBLE_EQ(CalibratedSizeFor(0, 30, 7.5), 7.5);
  EXPECT_DOUBLE_EQ(CalibratedSizeFor(40, 0, 7.5), 7.5);
}

TEST(KeepAspect, FitsFullWidthOrFullHeightCentred) {
  struct { int sw, sh, dw, dh; fw::TRect want; } cases[] = {
      {120, 60, 70, 70, fw::Rect(0, 17, 70, 52)},   // h = 35, top = 35 div 2
      {60, 120, 70, 70, fw::Rect(17, 0, 52, 70)},
      {70, 70, 70, 70, fw::Rect(0, 0, 70, 70)},      // equal ratios: full width
      {30, 20, 90, 80, fw::Rect(0, 10, 90, 70)},     // h = MulDiv(90, 20, 30) = 60
      {10, 30, 100, 80, fw::Rect(36, 0, 63, 80)},    // w = MulDiv(80, 10, 30) = 26.67 -> 27
      {0, 30, 70, 70, fw::TRect{}},  {30, 0, 70, 70, fw::TRect{}},  {30, 30, 0, 70, fw::TRect{}},
  };
  for (auto c : cases)
    EXPECT_EQ(KeepAspectRect(c.sw, c.sh, c.dw, c.dh), c.want) << c.sw << "x" << c.sh << " in " << c.dw << "x" << c.dh;
}
