// Nine-slice copies: where each piece goes, limited border depths, tiling
// and stretching per side, and the painted corners.
#include "skin/engine/core/nine_slice.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

const fw::TRect kSource = fw::Rect(10, 20, 19, 29);  // 9 x 9, borders 3: a 3 x 3 centre
const fw::TRect kBorders = fw::Rect(3, 3, 3, 3), kNoLimit = fw::Rect(99, 99, 99, 99);

int CountOf(const std::vector<TSlicePiece>& plan, bool stretch) {
  return int(std::count_if(plan.begin(), plan.end(), [&](const TSlicePiece& p) { return p.Stretch == stretch; }));
}

TEST(PlanNineSlice, SizesAndModes) {
  struct Case {
    const char* what;
    fw::TRect dest, sideModes;
    int centreMode;
    bool centre;
    int copies, stretches;
  } cases[] = {
      // Corners 4; left and right 2 tiles each (6 rows); top and bottom 3 (9 columns); centre 3 x 2.
      {"larger, tiled", fw::Rect(0, 0, 15, 12), fw::Rect(0, 0, 0, 0), 0, true, 4 + 2 + 3 + 2 + 3 + 6, 0},
      {"larger, partial tiles", fw::Rect(0, 0, 14, 11), fw::Rect(0, 0, 0, 0), 0, false, 4 + 2 + 3 + 2 + 3, 0},
      {"stretched sides and centre", fw::Rect(0, 0, 15, 12), fw::Rect(1, 1, 1, 1), 1, true, 4, 5},
      {"exactly the corners", fw::Rect(0, 0, 6, 6), fw::Rect(0, 0, 0, 0), 0, true, 4, 0},
      {"smaller than the corners: corners overlap", fw::Rect(0, 0, 4, 4), fw::Rect(1, 1, 1, 1), 1, true, 4, 0},
      {"side mode 2 leaves the edge out", fw::Rect(0, 0, 15, 12), fw::Rect(2, 2, 2, 2), 0, false, 4, 0},
      {"mixed: left stretched, others tiled", fw::Rect(0, 0, 15, 12), fw::Rect(1, 0, 0, 0), 0, false, 4 + 3 + 2 + 3, 1},
  };
  for (const Case& c : cases) {
    const std::vector<TSlicePiece> plan =
        PlanNineSlice(c.dest, kSource, kBorders, kNoLimit, c.sideModes, c.centreMode, c.centre);
    EXPECT_EQ(CountOf(plan, false), c.copies) << c.what;
    EXPECT_EQ(CountOf(plan, true), c.stretches) << c.what;
    for (const TSlicePiece& p : plan) {
      if (!p.Stretch) EXPECT_EQ(p.Source.Width(), p.Dest.Width()) << c.what;
      EXPECT_GE(p.Source.Left, kSource.Left) << c.what;
      EXPECT_LE(p.Source.Bottom, kSource.Bottom) << c.what;
    }
  }
}

TEST(PlanNineSlice, PlacesCornersAndEdges) {
  const std::vector<TSlicePiece> plan =
      PlanNineSlice(fw::Rect(100, 200, 115, 212), kSource, kBorders, kNoLimit, fw::Rect(1, 1, 1, 1), 1, true);
  const TSlicePiece expected[] = {
      {fw::Rect(10, 20, 13, 23), fw::Rect(100, 200, 103, 203), false},   // top-left
      {fw::Rect(16, 20, 19, 23), fw::Rect(112, 200, 115, 203), false},   // top-right
      {fw::Rect(10, 26, 13, 29), fw::Rect(100, 209, 103, 212), false},   // bottom-left
      {fw::Rect(16, 26, 19, 29), fw::Rect(112, 209, 115, 212), false},   // bottom-right
      {fw::Rect(10, 23, 13, 26), fw::Rect(100, 203, 103, 209), true},    // left
      {fw::Rect(13, 20, 16, 23), fw::Rect(103, 200, 112, 203), true},    // top
      {fw::Rect(16, 23, 19, 26), fw::Rect(112, 203, 115, 209), true},    // right
      {fw::Rect(13, 26, 16, 29), fw::Rect(103, 209, 112, 212), true},    // bottom
      {fw::Rect(13, 23, 16, 26), fw::Rect(103, 203, 112, 209), true},    // centre
  };
  ASSERT_EQ(plan.size(), std::size(expected));
  for (size_t i = 0; i < plan.size(); ++i) EXPECT_EQ(plan[i], expected[i]) << i;
}

TEST(PlanNineSlice, LimitsNarrowTheCornerRows) {
  // Depth 1 on every side: corners one row high, then the two remaining
  // corner rows of each side as 1-pixel columns.
  const std::vector<TSlicePiece> plan =
      PlanNineSlice(fw::Rect(0, 0, 15, 12), kSource, kBorders, fw::Rect(1, 1, 1, 1), fw::Rect(1, 1, 1, 1), 0, false);
  const TSlicePiece expected[] = {
      {fw::Rect(10, 20, 13, 21), fw::Rect(0, 0, 3, 1), false},
      {fw::Rect(16, 20, 19, 21), fw::Rect(12, 0, 15, 1), false},
      {fw::Rect(10, 28, 13, 29), fw::Rect(0, 11, 3, 12), false},
      {fw::Rect(16, 28, 19, 29), fw::Rect(12, 11, 15, 12), false},
      {fw::Rect(10, 21, 11, 23), fw::Rect(0, 1, 1, 3), false},
      {fw::Rect(18, 21, 19, 23), fw::Rect(14, 1, 15, 3), false},
      // The rows above the bottom corners: B.Bottom - depth of them.
      {fw::Rect(10, 26, 11, 28), fw::Rect(0, 9, 1, 11), false},
      {fw::Rect(18, 26, 19, 28), fw::Rect(14, 9, 15, 11), false},
      {fw::Rect(10, 23, 11, 26), fw::Rect(0, 3, 1, 9), true},
      {fw::Rect(13, 20, 16, 21), fw::Rect(3, 0, 12, 1), true},
      {fw::Rect(18, 23, 19, 26), fw::Rect(14, 3, 15, 9), true},
      {fw::Rect(13, 28, 16, 29), fw::Rect(3, 11, 12, 12), true},
  };
  ASSERT_EQ(plan.size(), std::size(expected));
  for (size_t i = 0; i < plan.size(); ++i) EXPECT_EQ(plan[i], expected[i]) << i;
}

TEST(DrawNineSliceImage, CopiesCornersExactlyAndStaysInside) {
  TestImage source(9, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) source.At(x, y) = MakePixel(x, y, 7, 255);
  TestImage dest(20, 16, 0);
  DrawNineSliceImage(dest.View(), source.View(), fw::Rect(-2, -1, 22, 17), fw::Rect(0, 0, 9, 9), kBorders, kNoLimit,
                     fw::Rect(0, 1, 0, 1), 1, true);
  EXPECT_EQ(dest.At(0, 0), MakePixel(2, 1, 7, 255)) << "top-left corner, clipped";
  EXPECT_EQ(dest.At(19, 15), MakePixel(6, 7, 7, 255)) << "bottom-right corner, clipped";
  EXPECT_EQ(dest.At(0, 2), MakePixel(2, 3, 7, 255)) << "left edge tiles from its first row";
  EXPECT_EQ(dest.At(0, 5), MakePixel(2, 3, 7, 255)) << "next tile";
  EXPECT_TRUE(dest.GuardIntact());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_NE(dest.At(x, y), 0u) << x << "," << y;
}

}  // namespace
}  // namespace skin
