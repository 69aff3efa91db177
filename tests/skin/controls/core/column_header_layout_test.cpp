// Where a header column's text goes for each alignment, with and without a
// sort arrow and an image: right-aligned text with an arrow ends 4 pixels
// and the arrow's width before the column's edge.
#include "skin/controls/core/column_header_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(ColumnHeaderLayout, TextPlacesByAlignmentArrowAndImage) {
  const fw::TRect column = fw::Rect(0, 0, 100, 20);
  struct Case {
    const char* what;
    TkColumnAlign align;
    int textWidth, arrowWidth, imageOffset;
    fw::TRect text;
  } cases[] = {
      {"left", TkColumnAlign::Left, 30, 0, 0, fw::Rect(4, 1, 34, 19)},
      {"left with image", TkColumnAlign::Left, 30, 0, 20, fw::Rect(24, 1, 54, 19)},
      {"left with arrow", TkColumnAlign::Left, 30, 12, 0, fw::Rect(4, 1, 34, 19)},
      {"right", TkColumnAlign::Right, 30, 0, 0, fw::Rect(66, 1, 96, 19)},
      {"right with arrow", TkColumnAlign::Right, 30, 12, 0, fw::Rect(54, 1, 84, 19)},
      {"right ignores the image", TkColumnAlign::Right, 30, 0, 20, fw::Rect(66, 1, 96, 19)},
      {"centre", TkColumnAlign::Center, 30, 0, 0, fw::Rect(35, 1, 65, 19)},
      {"centre with arrow", TkColumnAlign::Center, 30, 12, 0, fw::Rect(29, 1, 59, 19)},
      {"centre with image", TkColumnAlign::Center, 30, 0, 20, fw::Rect(45, 1, 75, 19)},
      {"centre, odd room truncates", TkColumnAlign::Center, 31, 0, 0, fw::Rect(34, 1, 65, 19)},
  };
  for (const Case& c : cases) {
    const fw::TRect t = ColumnTextRect(column, c.align, c.textWidth, c.arrowWidth, c.imageOffset);
    EXPECT_EQ(t, c.text) << c.what;
  }
  // The arrow follows the text by 6 pixels: for right-aligned text with an
  // arrow of 6 + 6 the arrow ends at the column's inner edge.
  const fw::TRect r = ColumnTextRect(column, TkColumnAlign::Right, 30, 12, 0);
  EXPECT_EQ(ColumnArrowLeft(r) + 6, 96);
}

}  // namespace
}  // namespace skin
