// Non-client scroll bars as numbers: sizes by precedence, the room taken,
// bar rectangles, the thumb, the part under a point and the dragged
// position, which must never pass the last position of the range.
#include "skin/controls/core/scroll_geometry.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TkScrollState State(int mn, int mx, unsigned page, int track) {
  TkScrollState s;
  s.nMin = mn;
  s.nMax = mx;
  s.nPage = page;
  s.nPos = s.nTrackPos = track;
  return s;
}

TEST(ScrollGeometry, SizesTakeTheMostParticularValue) {
  struct Case {
    const char* what;
    int control, manager, own, system, expected;
  } cases[] = {
      {"control", 11, 20, 5, 17, 11},
      {"control zero counts", 0, 20, 5, 17, 0},
      {"manager", -1, 20, 5, 17, 20},
      {"own", -1, -1, 5, 17, 5},
      {"system once", -1, -1, -1, 17, 17},
      {"system twice", -1, -1, -2, 17, 34},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScrollBarThickness(c.control, c.manager, c.own, c.system), c.expected) << c.what;

  struct ArrowCase {
    const char* what;
    int control, buttons, own, manager, system, expected;
  } arrows[] = {
      {"control", 9, 12, 5, 20, 17, 9},
      {"manager buttons", -1, 12, 5, 20, 17, 12},
      {"own", -1, -1, 5, 20, 17, 5},
      {"manager scroll size", -1, -1, -1, 20, 17, 20},
      {"system", -1, -1, -1, -1, 17, 17},
  };
  for (const ArrowCase& c : arrows)
    EXPECT_EQ(ScrollArrowLength(c.control, c.buttons, c.own, c.manager, c.system), c.expected) << c.what;
}

TEST(ScrollGeometry, ThumbLengthAndPlace) {
  struct Case {
    const char* what;
    TkScrollState s;
    int minThumb, arrow, length;
    int thumbLength, thumbOffset;  // offset from the start of the bar
  } cases[] = {
      // 200 pixels, 17-pixel arrows, range 0..100, page 10, at 50:
      // MulDiv(10, 166, 101) = 16, MulDiv(50, 150, 91) = 82.
      {"documented example", State(0, 100, 10, 50), 16, 17, 200, 16, 17 + 82},
      {"page 0 takes the arrow", State(0, 100, 0, 0), 16, 20, 200, 20, 20},
      {"page 0 at least the minimum", State(0, 100, 0, 0), 16, 12, 200, 16, 12},
      {"no arrows, short thumb is 19", State(0, 1000, 10, 0), 16, 0, 200, 19, 0},
      {"proportional, rounded half up", State(0, 99, 50, 0), 16, 17, 217, 92, 17},
      {"empty range", State(5, 3, 10, 4), 16, 17, 200, 16, 17},
      {"at the end", State(0, 100, 10, 91), 16, 17, 200, 16, 17 + 150},
      {"past the end is clamped", State(0, 100, 10, 500), 16, 17, 200, 16, 17 + 150},
      {"before the start is clamped", State(0, 100, 10, -40), 16, 17, 200, 16, 17},
      {"range not from 0", State(100, 140, 0, 120), 16, 17, 113, 17, 17 + 31},
  };
  for (const Case& c : cases) {
    TkThumb t = ThumbGeometry(c.s, c.minThumb, c.arrow, 1000, c.length);
    EXPECT_EQ(t.Length, c.thumbLength) << c.what;
    EXPECT_EQ(t.Pos - 1000, c.thumbOffset) << c.what;
  }
}

TEST(ScrollGeometry, ThumbShownOnlyWithRoomToMove) {
  EXPECT_TRUE(ThumbShown(State(0, 100, 10, 0), 16, 17, 200));
  EXPECT_FALSE(ThumbShown(State(0, 9, 10, 0), 16, 17, 200)) << "the page covers the range";
  EXPECT_FALSE(ThumbShown(State(0, 100, 0, 0), 16, 17, 40)) << "the track is shorter than the thumb";
}

TEST(ScrollGeometry, PartUnderAPoint) {
  // Horizontal bar 200 x 17 at (10, 50): arrows 17, thumb 16 at 17 + 82.
  const fw::TRect bar = fw::Rect(10, 50, 210, 67);
  const TkScrollState s = State(0, 100, 10, 50);
  struct Case {
    const char* what;
    int x, y, part;
  } cases[] = {
      {"first arrow", 10, 55, spFirstArrow},
      {"first arrow end", 26, 55, spFirstArrow},
      {"track before", 27, 55, spTrackBefore},
      {"just before thumb", 10 + 98, 55, spTrackBefore},
      {"thumb start", 10 + 99, 55, spThumb},
      {"thumb end", 10 + 114, 55, spThumb},
      {"track after", 10 + 115, 55, spTrackAfter},
      {"second arrow", 193, 66, spSecondArrow},
      {"right of bar", 210, 55, spNone},
      {"above", 100, 49, spNone},
      {"below", 100, 67, spNone},
  };
  for (const Case& c : cases) EXPECT_EQ(HitTestScrollBar(s, 16, 17, bar, false, {c.x, c.y}), c.part) << c.what;

  // The same along a vertical bar.
  const fw::TRect vbar = fw::Rect(50, 10, 67, 210);
  EXPECT_EQ(HitTestScrollBar(s, 16, 17, vbar, true, {55, 10 + 100}), spThumb);
  EXPECT_EQ(HitTestScrollBar(s, 16, 17, vbar, true, {55, 30}), spTrackBefore);
  EXPECT_EQ(HitTestScrollBar(s, 16, 17, vbar, true, {49, 100}), spNone);

  // Shorter than two arrows: two half-length arrows and nothing else.
  const fw::TRect tiny = fw::Rect(0, 0, 25, 17);
  EXPECT_EQ(HitTestScrollBar(s, 16, 17, tiny, false, {11, 5}), spFirstArrow);
  EXPECT_EQ(HitTestScrollBar(s, 16, 17, tiny, false, {12, 5}), spNone) << "the odd middle pixel";
  EXPECT_EQ(HitTestScrollBar(s, 16, 17, tiny, false, {13, 5}), spSecondArrow);

  // A page covering the range has no thumb: only arrows answer.
  const TkScrollState all = State(0, 9, 10, 0);
  EXPECT_EQ(HitTestScrollBar(all, 16, 17, bar, false, {100, 55}), spNone);
  EXPECT_EQ(HitTestScrollBar(all, 16, 17, bar, false, {12, 55}), spFirstArrow);
}

TEST(ScrollGeometry, RoomTakenFromTheClientArea) {
  const fw::TRect proposed = fw::Rect(0, 0, 100, 80);
  const fw::TRect inner = fw::Rect(2, 2, 98, 78);
  struct Case {
    const char* what;
    fw::TRect inner;
    bool horz, vert, left;
    fw::TRect client;
    bool horzVisible, vertVisible;
  } cases[] = {
      {"both", inner, true, true, false, fw::Rect(2, 2, 78, 58), true, true},
      {"left scroll bar", inner, true, true, true, fw::Rect(22, 2, 98, 58), true, true},
      {"vertical only", inner, false, true, false, fw::Rect(2, 2, 78, 78), false, true},
      {"no styles", inner, false, false, false, inner, false, false},
      {"too narrow for a vertical bar", fw::Rect(2, 2, 12, 78), true, true, false, fw::Rect(2, 2, 12, 58), true, false},
      {"too low for a horizontal bar", fw::Rect(2, 2, 98, 12), true, true, false, fw::Rect(2, 2, 78, 12), false, true},
  };
  for (const Case& c : cases) {
    TkScrollNcLayout l = CalcScrollNcLayout(proposed, c.inner, c.horz, c.vert, 20, 20, c.left);
    EXPECT_EQ(l.Client, c.client) << c.what;
    EXPECT_EQ(l.HorzVisible, c.horzVisible) << c.what;
    EXPECT_EQ(l.VertVisible, c.vertVisible) << c.what;
    EXPECT_EQ(l.LeftEdge, c.inner.Left) << c.what;
    EXPECT_EQ(l.BottomEdge, 80 - c.inner.Bottom) << c.what;
  }
}

TEST(ScrollGeometry, BarRectanglesAndTheCornerSquare) {
  TkScrollFrame f;
  f.Window = fw::Rect(100, 100, 300, 250);
  f.LeftEdge = f.RightEdge = f.TopEdge = f.BottomEdge = 2;
  f.HorzThickness = 15;
  f.VertThickness = 18;
  EXPECT_EQ(HorzBarRect(f), fw::Rect(102, 233, 280, 248)) << "stops at the vertical bar";
  EXPECT_EQ(VertBarRect(f), fw::Rect(280, 102, 298, 233));
  EXPECT_EQ(ScrollCornerRect(f), fw::Rect(280, 233, 298, 248));

  f.LeftScrollbar = true;
  EXPECT_EQ(HorzBarRect(f), fw::Rect(120, 233, 298, 248)) << "starts right of the vertical bar";
  EXPECT_EQ(VertBarRect(f), fw::Rect(102, 102, 120, 233));
  EXPECT_EQ(ScrollCornerRect(f), fw::Rect(102, 233, 120, 248));

  f.HorzThickness = 0;
  EXPECT_EQ(VertBarRect(f), fw::Rect(102, 102, 120, 248)) << "no horizontal bar: full height";
  EXPECT_EQ(ScrollCornerRect(f), fw::TRect{});
}

TEST(ScrollGeometry, CornerAtTheParentsClientCorner) {
  TkScrollFrame f;
  f.Window = fw::Rect(100, 100, 300, 250);
  f.LeftEdge = f.RightEdge = f.TopEdge = f.BottomEdge = 2;
  f.HorzThickness = f.VertThickness = 17;
  const fw::TRect square = ScrollCornerRect(f);  // (281, 231, 298, 248)
  EXPECT_TRUE(CornerAtParentCorner(f, square, fw::Rect(0, 0, 300, 250), true));
  EXPECT_FALSE(CornerAtParentCorner(f, square, fw::Rect(0, 0, 300, 250), false)) << "parent not top-level";
  EXPECT_FALSE(CornerAtParentCorner(f, square, fw::Rect(0, 0, 310, 250), true)) << "room to the right";
  EXPECT_FALSE(CornerAtParentCorner(f, square, fw::Rect(0, 0, 300, 260), true)) << "room below";
  f.LeftScrollbar = true;
  const fw::TRect left = ScrollCornerRect(f);
  EXPECT_TRUE(CornerAtParentCorner(f, left, fw::Rect(100, 0, 400, 250), true));
  EXPECT_FALSE(CornerAtParentCorner(f, left, fw::Rect(0, 0, 300, 250), true));
}

TEST(ScrollGeometry, DraggedThumbStopsAtTheLastPosition) {
  // Track of 166 pixels (200 less two 17-pixel arrows) starting at 17,
  // thumb 16: the thumb travels 150 pixels.
  const TkScrollState s = State(0, 100, 10, 0);
  EXPECT_EQ(LastScrollPos(s), 91);
  struct Case {
    const char* what;
    int thumb, pos;
  } cases[] = {
      {"start", 17, 0},
      {"middle", 17 + 75, 46},
      {"end", 17 + 150, 91},
  };
  for (const Case& c : cases) EXPECT_EQ(DragTrackPos(s, c.thumb, 17, 166, 16), c.pos) << c.what;

  // A page of 0 and a range from 100: the last position is the range's
  // end, and the positions are the window's own, from its minimum.
  const TkScrollState slider = State(100, 140, 0, 100);
  EXPECT_EQ(LastScrollPos(slider), 40);
  EXPECT_EQ(DragTrackPos(slider, 17 + 63, 17, 79, 16), 140);
  EXPECT_EQ(DragTrackPos(slider, 17, 17, 79, 16), 100);
  EXPECT_EQ(DragTrackPos(State(-50, 50, 10, 0), 17, 17, 166, 16), -50);

  // The thumb itself never leaves the track.
  EXPECT_EQ(DragThumbPlace(500, 5, 17, 183, 16), 167);
  EXPECT_EQ(DragThumbPlace(-50, 5, 17, 183, 16), 17);
  EXPECT_EQ(DragThumbPlace(100, 5, 17, 183, 16), 95);
  // Nothing to scroll: nothing but 0.
  EXPECT_EQ(DragTrackPos(State(0, 0, 0, 0), 40, 17, 166, 16), 0);
}

}  // namespace
}  // namespace skin
