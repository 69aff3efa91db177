// Track bars as numbers: the style bits, a vertical channel reported turned
// or as it lies, the channel narrowed to its mask, tick positions evenly
// spread (halves to even) or from the control, the tick rows beside the
// channel and when the thumb's mask is drawn unscaled.
#include "skin/controls/core/track_geometry.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(TrackGeometry, StyleBitsGiveKindMarksAndTicks) {
  struct Case {
    uint32_t style;
    bool vertical;
    TkTickMarks marks;
    TkTickStyle ticks;
  } cases[] = {
      {0x0, false, TkTickMarks::BottomRight, TkTickStyle::Manual},
      {0x1, false, TkTickMarks::BottomRight, TkTickStyle::Auto},
      {0x2 | 0x4, true, TkTickMarks::TopLeft, TkTickStyle::Manual},
      {0x8 | 0x4 | 0x1, false, TkTickMarks::Both, TkTickStyle::Auto},
      {0x10 | 0x1, false, TkTickMarks::BottomRight, TkTickStyle::None},
  };
  for (const Case& c : cases) {
    const TkTrackStyle s = TrackStyleOf(c.style);
    EXPECT_EQ(s.Vertical, c.vertical) << c.style;
    EXPECT_EQ(s.Marks, c.marks) << c.style;
    EXPECT_EQ(s.Ticks, c.ticks) << c.style;
  }
}

TEST(TrackGeometry, AVerticalChannelIsTurnedBackOnlyWhenReportedTurned) {
  EXPECT_EQ(TrackChannel(fw::Rect(8, 9, 192, 13), true), fw::Rect(9, 8, 13, 192)) << "reported with x and y exchanged";
  EXPECT_EQ(TrackChannel(fw::Rect(9, 8, 13, 192), true), fw::Rect(9, 8, 13, 192)) << "reported as it lies";
  EXPECT_EQ(TrackChannel(fw::Rect(8, 9, 192, 13), false), fw::Rect(8, 9, 192, 13));
}

TEST(TrackGeometry, TheChannelNarrowsToItsMaskCentred) {
  struct Case {
    bool vertical;
    int thickness;
    fw::TRect expected;
  } cases[] = {
      {false, 4, fw::Rect(8, 10, 192, 13)},  // 10 high: (10 - 4 + 1) / 2 = 3
      {false, 5, fw::Rect(8, 10, 192, 14)},
      {true, 4, fw::Rect(10, 8, 13, 192)},
      {true, 3, fw::Rect(11, 8, 13, 192)},
  };
  for (const Case& c : cases) {
    const fw::TRect channel = c.vertical ? fw::Rect(7, 8, 17, 192) : fw::Rect(8, 7, 192, 17);
    EXPECT_EQ(NarrowChannel(channel, c.vertical, c.thickness), c.expected) << c.vertical << " " << c.thickness;
  }
}

TEST(TrackGeometry, TicksSpreadEvenlyOrComeFromTheControl) {
  const fw::TRect channel = fw::Rect(8, 10, 192, 14), thumb = fw::Rect(50, 2, 61, 23);  // 11 wide
  double step = 0;
  // (184 - 11) / 4 = 43.25 from 8 + 5.
  EXPECT_EQ(TickPositions(TkTickStyle::Auto, 5, channel, thumb, false, {}, &step),
            (std::vector<int>{13, 56, 100, 143, 186}));
  EXPECT_DOUBLE_EQ(step, 43.25);
  // Halves go to the even neighbour: (184 - 11) / 2 = 86.5.
  EXPECT_EQ(TickPositions(TkTickStyle::Auto, 3, channel, thumb, false, {}), (std::vector<int>{13, 100, 186}));
  EXPECT_EQ(TickPositions(TkTickStyle::Auto, 2, channel, thumb, false, {}), (std::vector<int>{13, 186}));
  EXPECT_EQ(TickPositions(TkTickStyle::Auto, 1, channel, thumb, false, {}), (std::vector<int>{13}));
  EXPECT_TRUE(TickPositions(TkTickStyle::Auto, 0, channel, thumb, false, {}).empty());
  EXPECT_TRUE(TickPositions(TkTickStyle::None, 5, channel, thumb, false, {}).empty());
  EXPECT_EQ(TickPositions(TkTickStyle::Manual, 4, channel, thumb, false, {40, 90}),
            (std::vector<int>{13, 40, 90, 187}));
  // Vertical: along y with the thumb's height.
  EXPECT_EQ(TickPositions(TkTickStyle::Auto, 2, fw::Rect(10, 8, 14, 192), fw::Rect(2, 50, 23, 61), true, {}),
            (std::vector<int>{13, 186}));
}

TEST(TrackGeometry, TickRowsLieBesideTheChannelAtTheGap) {
  const fw::TRect channel = fw::Rect(8, 10, 192, 14), thumb = fw::Rect(50, 2, 61, 23);
  // Gap: (21 - 4) / 2 + 2 = 10.
  struct Case {
    TkTickMarks marks;
    bool before, after;
  } cases[] = {{TkTickMarks::BottomRight, false, true}, {TkTickMarks::TopLeft, true, false}, {TkTickMarks::Both, true, true}};
  for (const Case& c : cases) {
    TkTrackStyle s;
    s.Marks = c.marks;
    const TkTickRows r = TickRows(s, channel, thumb, 4);
    EXPECT_EQ(r.Before, c.before);
    EXPECT_EQ(r.After, c.after);
    EXPECT_EQ(r.BeforeAt, 10 - 10 - 4);
    EXPECT_EQ(r.AfterAt, 14 + 10);
  }
  TkTrackStyle v;
  v.Vertical = true;
  const TkTickRows r = TickRows(v, fw::Rect(10, 8, 14, 192), fw::Rect(2, 50, 23, 61), 4);
  EXPECT_EQ(r.AfterAt, 14 + 10);
}

TEST(TrackGeometry, TheThumbIsScaledUnlessStandardOrTheMasksSize) {
  struct Case {
    const char* what;
    TkTickMarks marks;
    fw::TRect thumb;
    bool vertical, direct;
  } cases[] = {
      {"23 across", TkTickMarks::BottomRight, fw::Rect(0, 0, 11, 23), false, true},
      {"23 across a vertical bar", TkTickMarks::Both, fw::Rect(0, 0, 23, 11), true, true},
      {"the mask's size", TkTickMarks::BottomRight, fw::Rect(0, 0, 10, 20), false, true},
      {"another size", TkTickMarks::BottomRight, fw::Rect(0, 0, 11, 21), false, false},
      {"ticks on top only", TkTickMarks::TopLeft, fw::Rect(0, 0, 10, 20), false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ThumbDrawnDirect(c.marks, c.thumb, c.vertical, 10, 20), c.direct) << c.what;
}

}  // namespace
}  // namespace skin
