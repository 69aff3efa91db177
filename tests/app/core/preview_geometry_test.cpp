// The multi-font list's item heights, the floating panel's place beside the
// cursor, the magnifier's source rectangle and crosshair, the readable pen
// colour and the zoomed picture size.
#include "app/core/preview_geometry.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(PreviewGeometry, ItemHeightsFollowTheSampleSize) {
  struct Case {
    int v, oneColumn, multiColumn;
  } cases[] = {
      {25, 74, 63},    // 74.375 and 48.125 + 15
      {100, 230, 155},
      {2, 6, 19},      // 6.364 and 4.172 + 15
      {10, 31, 35},    // 31.1 and 20.3 + 15
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OneColumnItemHeight(c.v), c.oneColumn) << "v = " << c.v;
    EXPECT_EQ(MultiColumnItemHeight(c.v), c.multiColumn) << "v = " << c.v;
  }
}

TEST(PreviewGeometry, FloatingPanelStaysBesideTheCursorInsideTheWindow) {
  struct Case {
    int x, y;
    fw::TPoint expected;
  } cases[] = {
      {100, 100, {107, 135}},  // room right and below
      {700, 100, {490, 135}},  // 800 < 700 + 200 + 30: to the left
      {100, 400, {107, 325}},  // 600 < 400 + 150 + 90: half a panel above
      {570, 360, {577, 395}},  // exactly enough room on both sides
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FollowingPanelPlace(c.x, c.y, 200, 150, 800, 600), c.expected) << c.x << "," << c.y;
  }
}

TEST(PreviewGeometry, MagnifierSourceShrinksWithZoomAndStaysOnScreen) {
  struct Case {
    int bar;
    fw::TPoint cursor;
    fw::TRect source;
  } cases[] = {
      {2, {500, 400}, {456, 356, 544, 444}},  // z = 1: 88 x 88 around the cursor
      {40, {500, 400}, {498, 398, 502, 402}}, // z = 20: 4 x 4
      {3, {500, 400}, {456, 356, 544, 444}},  // 3 div 2 = 1
      {2, {10, 5}, {0, 0, 88, 88}},           // top-left corner: shifted, not cut
      {2, {1275, 1020}, {1192, 936, 1280, 1024}},
  };
  for (const Case& c : cases) {
    const fw::TRect r = MagnifierSourceRect(c.cursor, MagnifierZoom(c.bar), 176, 176, 1280, 1024);
    EXPECT_EQ(r.Left, c.source.Left) << c.bar;
    EXPECT_EQ(r.Top, c.source.Top) << c.bar;
    EXPECT_EQ(r.Right, c.source.Right) << c.bar;
    EXPECT_EQ(r.Bottom, c.source.Bottom) << c.bar;
  }
}

TEST(PreviewGeometry, CrosshairMarksTheCursorEvenWhenTheSourceIsShifted) {
  const fw::TRect centred = MagnifierSourceRect({500, 400}, 1, 176, 176, 1280, 1024);
  EXPECT_EQ(MagnifierCrosshair({500, 400}, centred, 1), (fw::TPoint{88, 89}));
  const fw::TRect corner = MagnifierSourceRect({10, 5}, 1, 176, 176, 1280, 1024);
  EXPECT_EQ(MagnifierCrosshair({10, 5}, corner, 1), (fw::TPoint{20, 11}));
}

TEST(PreviewGeometry, ContrastPenIsWhiteUpTo384AndBlackAbove) {
  struct Case {
    uint32_t color, pen;
  } cases[] = {
      {0x808080, 0xFFFFFF}, {0x808081, 0x000000}, {0x000000, 0xFFFFFF},
      {0xFFFFFF, 0x000000}, {0x0000FF, 0xFFFFFF}, {0x00FFFF, 0x000000},
  };
  for (const Case& c : cases) EXPECT_EQ(ContrastPenColor(c.color), c.pen) << std::hex << c.color;
}

TEST(PreviewGeometry, ZoomScalesEachSideAndKeepsAtLeastOnePixel) {
  struct Case {
    int w, h, percent;
    fw::TPoint size;
  } cases[] = {
      {200, 100, 100, {200, 100}}, {200, 100, 250, {500, 250}}, {200, 100, 10, {20, 10}},
      {5, 3, 10, {1, 1}},          // round(0.5) = 0, raised to 1
      {15, 25, 10, {2, 2}},        // 1.5 -> 2, 2.5 -> 2 (half to even)
      {7, 7, 800, {56, 56}},
  };
  for (const Case& c : cases) EXPECT_EQ(ZoomedSize(c.w, c.h, c.percent), c.size) << c.w << "x" << c.h << "@" << c.percent;
}

}  // namespace
}  // namespace app
