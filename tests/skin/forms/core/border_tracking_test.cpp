// Snapping one coordinate and the rectangle of an outline sizing drag.
#include "skin/forms/core/border_tracking.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(BorderTracking, SnapCoordinateTable) {
  struct Case {
    int pos, edge, buffer, offset, expected;
  } cases[] = {
      {9, 0, 10, 0, 0},        // 9 from the left edge: snaps
      {10, 0, 10, 0, 10},      // 10 away: stays
      {-9, 0, 10, 0, 0},       // beyond the edge too
      {5, 0, 0, 0, 5},         // buffer 0 never snaps
      {0, 0, 0, 0, 0},
      {1205, 1600, 10, 400, 1200},  // the right edge, offset = width
      {1189, 1600, 10, 400, 1189},
      {4, 0, 10, -8, 8},       // a negative offset (shadow) on the left
  };
  for (const Case& c : cases) {
    int pos = c.pos;
    SnapCoordinate(pos, c.edge, c.buffer, c.offset);
    EXPECT_EQ(pos, c.expected) << c.pos << " to " << c.edge;
  }
}

TEST(BorderTracking, TheGrabbedEdgesMoveAndStopAtTheSmallestSize) {
  const fw::TRect form = fw::Rect(100, 100, 400, 300);
  const fw::TPoint start{250, 200};
  struct Case {
    int edge;
    fw::TPoint cursor;
    fw::TRect expected;
  } cases[] = {
      {10, {230, 210}, fw::Rect(80, 100, 400, 300)},
      {11, {270, 210}, fw::Rect(100, 100, 420, 300)},
      {12, {240, 180}, fw::Rect(100, 80, 400, 300)},
      {13, {240, 180}, fw::Rect(90, 80, 400, 300)},
      {14, {260, 180}, fw::Rect(100, 80, 410, 300)},
      {15, {260, 230}, fw::Rect(100, 100, 400, 330)},
      {16, {240, 230}, fw::Rect(90, 100, 400, 330)},
      {17, {260, 230}, fw::Rect(100, 100, 410, 330)},
      {0, {260, 230}, fw::Rect(100, 100, 410, 330)},  // any other code: bottom-right
      // Too small: the moving edge stops at the smallest size.
      {10, {600, 200}, fw::Rect(400 - 120, 100, 400, 300)},
      {11, {-100, 200}, fw::Rect(100, 100, 220, 300)},
      {12, {250, 600}, fw::Rect(100, 300 - 90, 400, 300)},
      {15, {250, -100}, fw::Rect(100, 100, 400, 190)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SizedTrackRect(form, start, c.cursor, c.edge, 120, 90), c.expected) << "edge " << c.edge;
}

}  // namespace
}  // namespace skin
