#include "app/core/glyph_grab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app;

namespace {

// Each character is one gray pixel: '0'..'9' the grays 0, 28, 56 .. 252
// (28 per step), '#' black, '.' white.
TColor GrayOf(char ch) {
  int g = ch == '#' ? 0 : ch == '.' ? 255 : (ch - '0') * 28;
  return g + 256 * g + 65536 * g;
}

PixelBuffer Art(const std::vector<std::string>& rows) {
  const int h = static_cast<int>(rows.size());
  const int w = h ? static_cast<int>(rows[0].size()) : 0;
  PixelBuffer b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.View().SetColor(x, y, GrayOf(rows[y][x]));
  return b;
}

// 'F' where the bitmap holds the fill colour, '#' black in the mask, '.'
// anything else.
std::vector<std::string> Picture(const PixelView& v, TColor mark) {
  std::vector<std::string> rows;
  for (int y = 0; y < v.Height; ++y) {
    std::string row;
    for (int x = 0; x < v.Width; ++x) row.push_back(v.ColorAt(x, y) == mark ? 'F' : '.');
    rows.push_back(row);
  }
  return rows;
}

TColorSet SetOf(const TGrayRange& r) {
  const auto colors = GrayRangeColors(r);
  return TColorSet(colors.begin(), colors.end());
}

constexpr TColor kRed = 0x0000FF;

}  // namespace

TEST(GrabGrayRange, FollowsTheSliderAndTheDarkAndBrightLimits) {
  struct Case {
    int gray, position;
    TGrayRange want;
  } cases[] = {
      {200, 125, {160, 250}},  // round(1.25 x 200) down to round(0.8 x 200)
      {200, 100, {110, 200}},
      {255, 140, {242, 255}},  // 357 held at 255; round(0.95 x 255) = 242
      {60, 125, {0, 50}},      // lower round(0.8 x 60) = 48: the dark grays only
      {0, 125, {0, 50}},
      {62, 125, {50, 78}},     // lower exactly 50 stays; upper 77.5 rounds to even 78
      {10, 100, {0, 50}},
      {255, 100, {140, 255}},  // 140.25
      {2, 125, {0, 50}},
      {150, 130, {128, 195}},  // 127.5 rounds to even 128
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GrabGrayRange(c.gray, c.position), c.want) << c.gray << " at " << c.position;
  }
}

TEST(GrabGrayRange, ColoursAreTheGraysOfTheRangeFromTheLowerEnd) {
  EXPECT_EQ(GrayRangeColors({3, 5}), (std::vector<TColor>{0x030303, 0x040404, 0x050505}));
  EXPECT_TRUE(GrayRangeColors({6, 5}).empty());
  EXPECT_EQ(GrayRangeColors({0, 50}).size(), 51u);
}

TEST(FloodFill, FillsTheConnectedGlyphOnlyAndMarksItInTheMask) {
  struct Case {
    const char* name;
    std::vector<std::string> art;
    int x, y;
    TGrayRange range;
    std::vector<std::string> want;
  } cases[] = {
      {"glyph beside a separate one",
       {"...........",
        ".###....##.",
        ".#.#....##.",
        ".###......."},
       1, 1, {0, 50},
       {"...........",
        ".FFF.......",
        ".F.F.......",
        ".FFF......."}},
      {"U shape: spans below and above come back",
       {"#...#",
        "#...#",
        "#####"},
       0, 0, {0, 50},
       {"F...F",
        "F...F",
        "FFFFF"}},
      {"diagonal neighbours are not connected",
       {"#...",
        ".#..",
        "...."},
       0, 0, {0, 50},
       {"F...",
        "....",
        "...."}},
      {"only the grays of the range",
       {"5555",
        "5995",
        "5555"},
       1, 1, {230, 255},
       {"....",
        ".FF.",
        "...."}},
      {"a start outside the range fills the run to its left",
       {"##3#",
        "....",
        "...."},
       2, 0, {0, 50},
       {"FF..",
        "....",
        "...."}},
      {"nothing to the left: nothing filled",
       {"3##.",
        "....",
        "...."},
       0, 0, {0, 50},
       {"....",
        "....",
        "...."}},
      {"touching the edges",
       {"####",
        "#..#",
        "####"},
       3, 2, {0, 50},
       {"FFFF",
        "F..F",
        "FFFF"}},
  };
  for (const Case& c : cases) {
    PixelBuffer image = Art(c.art);
    PixelBuffer mask(image.Width(), image.Height());
    const int64_t painted = FloodFillSpans(image.View(), mask.View(), c.x, c.y, kRed, SetOf(c.range));
    EXPECT_EQ(Picture(image.View(), kRed), c.want) << c.name;
    std::vector<std::string> maskWant;
    int64_t count = 0;
    for (std::string row : c.want) {
      for (char& ch : row) count += ch == 'F';
      maskWant.push_back(row);
    }
    EXPECT_EQ(Picture(mask.View(), kInk), maskWant) << c.name;
    EXPECT_EQ(painted, count) << c.name;
  }
}

TEST(FloodFill, AStartOutsideTheImageOrAFillColourInTheSetFillsNothing) {
  PixelBuffer image = Art({"##", "##"});
  PixelBuffer mask(2, 2);
  const TColorSet dark = SetOf({0, 50});
  EXPECT_EQ(FloodFillSpans(image.View(), mask.View(), 2, 0, kRed, dark), 0);
  EXPECT_EQ(FloodFillSpans(image.View(), mask.View(), 0, 2, kRed, dark), 0);
  EXPECT_EQ(FloodFillSpans(image.View(), mask.View(), -1, 0, kRed, dark), 0);
  EXPECT_EQ(FloodFillSpans(image.View(), mask.View(), 0, 0, 0x000000, dark), 0);
  EXPECT_EQ(Picture(mask.View(), kInk), (std::vector<std::string>{"..", ".."}));
  EXPECT_EQ(Picture(image.View(), kInk), (std::vector<std::string>{"FF", "FF"}));
}

TEST(FloodFill, ShowsProgressAtTheFirstPixelAndWhenTheClockMovedBetweenSpans) {
  PixelBuffer image = Art({"###", "###", "###"});  // three spans
  PixelBuffer mask(3, 3);
  uint32_t now = 0;
  int shown = 0;
  TFloodProgress progress{[&] { return now; }, [&] { ++shown; }};
  FloodFillSpans(image.View(), mask.View(), 0, 1, kRed, SetOf({0, 50}), &progress);
  EXPECT_EQ(shown, 1);  // the clock stood still: only the very first pixel

  image = Art({"###", "###", "###"});
  shown = 0;
  progress.Tick = [&] { return now++; };  // moves on at every reading
  FloodFillSpans(image.View(), mask.View(), 0, 1, kRed, SetOf({0, 50}), &progress);
  EXPECT_EQ(shown, 3);
}

TEST(FloodFill, ALargeRegionDoesNotOverflowTheStack) {
  PixelBuffer image(600, 400, 3, 0x000000);
  PixelBuffer mask(600, 400);
  EXPECT_EQ(FloodFillSpans(image.View(), mask.View(), 300, 200, kRed, SetOf({0, 50})), 600 * 400);
}

TEST(InkColumnRuns, OneBoxPerRunOfInkColumnsFromLeftToRight) {
  struct Case {
    const char* name;
    std::vector<std::string> art;
    std::vector<fw::TRect> want;
  } cases[] = {
      {"no ink", {"....", "5555"}, {}},
      {"two characters",
       {"..........",
        ".##...#...",
        ".#....##..",
        ".........."},
       {fw::Rect(1, 1, 3, 3), fw::Rect(6, 1, 8, 3)}},
      {"touching the left, top, right and bottom edges",
       {"#....#",
        "#...##"},
       {fw::Rect(0, 0, 1, 2), fw::Rect(4, 0, 6, 2)}},
      {"one above the other in one column range: one box",
       {".#..",
        "....",
        "..#.",
        "...."},
       {fw::Rect(1, 0, 3, 3)}},
      {"rows are searched within the run's columns only",
       {"#...",
        "...#",
        "...#"},
       {fw::Rect(0, 0, 1, 1), fw::Rect(3, 1, 4, 3)}},
      {"dark grays are not ink", {"1#1", "111"}, {fw::Rect(1, 0, 2, 1)}},
  };
  for (const Case& c : cases) {
    PixelBuffer image = Art(c.art);
    EXPECT_EQ(InkColumnRunBoxes(image.View()), c.want) << c.name;
  }
  EXPECT_TRUE(InkColumnRunBoxes(PixelView{}).empty());
}

TEST(SampleBox, FollowsTheSettingsItem) {
  EXPECT_EQ(SampleBoxForItem(0), (fw::TPoint{70, 70}));
  EXPECT_EQ(SampleBoxForItem(1), (fw::TPoint{80, 80}));
  EXPECT_EQ(SampleBoxForItem(2), (fw::TPoint{90, 80}));
  EXPECT_EQ(SampleBoxForItem(3), (fw::TPoint{100, 80}));
  EXPECT_EQ(SampleBoxForItem(-1), (fw::TPoint{70, 70}));
}
