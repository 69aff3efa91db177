// Transparent corner runs of a border mask for window regions.
#include "skin/engine/core/corner_runs.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(AddCornerTransparencyRects, RunsOfKeyPixelsPerRow) {
  // One 8 x 6 frame (a second frame beside it is never read), corners 4 wide, 2 high.
  TestImage source(16, 6, 0xFF808080);
  const char* rows[2] = {"KK.K.KKK", "K......K"};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 8; ++x) {
      if (rows[y][x] == 'K') source.At(x, y) = clSkinKey;
      if (rows[1 - y][x] == 'K') source.At(x, 4 + y) = clSkinKey;  // the bottom rows mirrored
    }
  source.At(8, 0) = clSkinKey;
  TkMaskData mask;
  mask.R = fw::Rect(0, 0, 16, 6);
  mask.ImageCount = 2;
  mask.WL = mask.WR = 4;
  mask.WT = mask.WB = 2;
  std::vector<fw::TRect> top;
  AddCornerTransparencyRects(top, 100, mask, source.View(), false, 0);
  const std::vector<fw::TRect> wantTop = {fw::Rect(0, 0, 2, 1), fw::Rect(3, 0, 4, 1), fw::Rect(97, 0, 100, 1),
                                          fw::Rect(0, 1, 1, 2), fw::Rect(99, 1, 100, 2)};
  EXPECT_EQ(top, wantTop);
  std::vector<fw::TRect> bottom;
  AddCornerTransparencyRects(bottom, 100, mask, source.View(), true, 50);
  const std::vector<fw::TRect> wantBottom = {fw::Rect(0, 50, 1, 51), fw::Rect(99, 50, 100, 51),
                                             fw::Rect(0, 51, 2, 52), fw::Rect(3, 51, 4, 52), fw::Rect(97, 51, 100, 52)};
  EXPECT_EQ(bottom, wantBottom);
  // Rows the image lacks: nothing.
  mask.WB = 9;
  std::vector<fw::TRect> none;
  AddCornerTransparencyRects(none, 100, mask, source.View(), true, 0);
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace skin
