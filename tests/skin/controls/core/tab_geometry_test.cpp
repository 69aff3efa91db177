// Tab control geometry: positions from the style, the painted tab
// rectangles per side and state, rows, page and strip rectangles, sections,
// and where the (rotated) text and image of a tab go.
#include "skin/controls/core/tab_geometry.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(TabGeometry, PositionAndStyleFromTheWindowStyle) {
  EXPECT_EQ(TabPositionOf(0), tpTop);
  EXPECT_EQ(TabPositionOf(0x2), tpBottom);
  EXPECT_EQ(TabPositionOf(0x80), tpLeft);
  EXPECT_EQ(TabPositionOf(0x82), tpRight);
  EXPECT_EQ(TabStyleOf(0), tsTabs);
  EXPECT_EQ(TabStyleOf(0x100), tsButtons);
  EXPECT_EQ(TabStyleOf(0x108), tsFlatButtons);
}

TEST(TabGeometry, SkinTabRectPerSideAndState) {
  const fw::TRect item = fw::Rect(10, 20, 60, 40);
  struct Case {
    TkTabPosition pos;
    bool active;
    fw::TRect want;
  } cases[] = {
      // Active top tab: 2 larger on every side; others reach 4 lower, 1 less right.
      {tpTop, true, fw::Rect(8, 18, 62, 42)},
      {tpTop, false, fw::Rect(10, 20, 59, 44)},
      {tpBottom, true, fw::Rect(8, 17, 62, 41)},
      {tpBottom, false, fw::Rect(10, 18, 59, 40)},
      {tpLeft, true, fw::Rect(9, 18, 63, 41)},
      {tpLeft, false, fw::Rect(10, 19, 63, 40)},
      {tpRight, true, fw::Rect(7, 18, 61, 42)},
      {tpRight, false, fw::Rect(8, 19, 59, 40)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SkinTabRect(item, c.active, c.pos, tsTabs), c.want) << c.pos << " " << c.active;
  EXPECT_EQ(SkinTabRect(item, true, tpTop, tsButtons), item) << "buttons keep the item rectangle";
  EXPECT_EQ(SkinTabRect(item, true, tpTop, tsFlatButtons), item);
  EXPECT_EQ(SkinTabRect(fw::TRect{}, true, tpTop, tsTabs), fw::TRect{}) << "an empty tab stays empty";
}

TEST(TabGeometry, RowsOfThreeRowStripsOnEachSide) {
  // Tabs 20 high (top/bottom) or 20 wide (left/right), three rows.
  EXPECT_EQ(TabRow(fw::Rect(0, 2, 50, 22), fw::Rect(0, 0, 200, 62), 3, tpTop), 1);
  EXPECT_EQ(TabRow(fw::Rect(0, 22, 50, 42), fw::Rect(0, 0, 200, 62), 3, tpTop), 2);
  EXPECT_EQ(TabRow(fw::Rect(0, 42, 50, 62), fw::Rect(0, 0, 200, 62), 3, tpTop), 3);
  // Bottom: the strip starts at 140; the row next to the page is the last.
  EXPECT_EQ(TabRow(fw::Rect(0, 140, 50, 160), fw::Rect(0, 140, 200, 200), 3, tpBottom), 3);
  EXPECT_EQ(TabRow(fw::Rect(0, 180, 50, 200), fw::Rect(0, 140, 200, 200), 3, tpBottom), 1);
  EXPECT_EQ(TabRow(fw::Rect(2, 0, 22, 50), fw::Rect(0, 0, 62, 200), 3, tpLeft), 1);
  EXPECT_EQ(TabRow(fw::Rect(42, 0, 62, 50), fw::Rect(0, 0, 62, 200), 3, tpLeft), 3);
  EXPECT_EQ(TabRow(fw::Rect(140, 0, 160, 50), fw::Rect(140, 0, 200, 200), 3, tpRight), 3);
  EXPECT_EQ(TabRow(fw::Rect(180, 0, 200, 50), fw::Rect(140, 0, 200, 200), 3, tpRight), 1);
  EXPECT_EQ(TabRow(fw::Rect(0, 42, 50, 62), fw::Rect(0, 0, 200, 62), 1, tpTop), 1) << "one row";
  EXPECT_EQ(TabRow(fw::Rect(0, 5, 50, 5), fw::Rect(0, 0, 200, 62), 3, tpTop), 1) << "an empty tab";
}

TEST(TabGeometry, PageAndStripRectanglesPerSide) {
  const fw::TRect c = fw::Rect(4, 30, 196, 146);
  struct Case {
    TkTabPosition pos;
    fw::TRect page, strip;
  } cases[] = {
      {tpTop, fw::Rect(0, 26, 200, 150), fw::Rect(0, 0, 200, 26)},
      {tpBottom, fw::Rect(0, 0, 200, 148), fw::Rect(0, 148, 200, 150)},
      {tpLeft, fw::Rect(3, 0, 200, 150), fw::Rect(0, 0, 3, 150)},
      {tpRight, fw::Rect(0, 0, 197, 150), fw::Rect(197, 0, 200, 150)},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(TabPageRect(200, 150, true, k.pos, c), k.page) << k.pos;
    EXPECT_EQ(TabStripRect(200, 150, true, k.pos, c), k.strip) << k.pos;
  }
  EXPECT_EQ(TabPageRect(200, 150, false, tpTop, c), fw::Rect(0, 0, 200, 150));
  EXPECT_EQ(TabClientRect(fw::Rect(4, 28, 196, 146)), c);
}

TEST(TabGeometry, Sections) {
  EXPECT_EQ(PageSectionName(u"PAGECONTROL", false, tpTop), u"CHECKBOX");
  EXPECT_EQ(PageSectionName(u"PAGECONTROL", true, tpTop), u"PAGECONTROL");
  EXPECT_EQ(PageSectionName(u"PAGECONTROL", true, tpBottom), u"PAGECONTROLBOTTOM");
  EXPECT_EQ(PageSectionName(u"PAGECONTROL", true, tpLeft), u"PAGECONTROLLEFT");
  EXPECT_EQ(PageSectionName(u"PAGECONTROL", true, tpRight), u"PAGECONTROLRIGHT");
  EXPECT_EQ(PageSectionName(u"MYPAGES", true, tpBottom), u"MYPAGES") << "an own section for every side";
  EXPECT_EQ(TabSectionName(tsTabs, tpLeft), u"TABLEFT");
  EXPECT_EQ(TabSectionName(tsTabs, tpBottom), u"TABBOTTOM");
  EXPECT_EQ(TabSectionName(tsButtons, tpBottom), u"BUTTON");
  EXPECT_EQ(TabSectionName(tsFlatButtons, tpTop), u"TOOLBUTTON");
}

TEST(TabGeometry, ImageAndTextPlacement) {
  // Top tab 60 x 20 at (10, 0), icon 16 x 12, text 30 x 13.
  TkTabContent t = PlaceTabContent(tpTop, fw::Rect(10, 0, 70, 20), true, true, 16, 12, 30, 13);
  EXPECT_EQ(t.Image, (fw::TPoint{10 + (60 - 54) / 2, (20 - 16) / 2})) << "centred by the icon's width";
  EXPECT_EQ(t.Text, fw::Rect(26, 0, 70, 20));
  t = PlaceTabContent(tpBottom, fw::Rect(10, 0, 70, 20), false, false, 16, 12, 30, 13);
  EXPECT_EQ(t.Text, fw::Rect(10, 0, 70, 20));
  EXPECT_FALSE(t.HasImage);

  // Left tab 20 wide, 80 high: text reads upward from the bottom.
  t = PlaceTabContent(tpLeft, fw::Rect(0, 10, 20, 90), false, false, 0, 0, 40, 13);
  EXPECT_EQ(t.TextOrigin, (fw::TPoint{(20 - 13) / 2, 90 - (80 - 40) / 2}));
  t = PlaceTabContent(tpLeft, fw::Rect(0, 10, 20, 90), true, true, 16, 16, 40, 13);
  // Active with an image: two to the right; the image below the text.
  const int y = 90 - (80 - (16 + 4 + 40)) / 2 - 16;
  EXPECT_EQ(t.Image, (fw::TPoint{2 + (20 - 16) / 2, y}));
  EXPECT_EQ(t.TextOrigin, (fw::TPoint{2 + (20 - 13) / 2, y - 4}));
  EXPECT_EQ(t.Clip, fw::Rect(2, 10, 22, 90));

  // Right tab: moved (-2, -1) first; text reads downward from the top.
  t = PlaceTabContent(tpRight, fw::Rect(100, 10, 120, 90), false, false, 0, 0, 40, 13);
  EXPECT_EQ(t.TextOrigin, (fw::TPoint{98 + (20 - 13) / 2 + 13, 9 + (80 - 40) / 2}));
  t = PlaceTabContent(tpRight, fw::Rect(100, 10, 120, 90), false, true, 16, 16, 40, 13);
  const int yr = 9 + (80 - (16 + 40 + 4)) / 2;
  EXPECT_EQ(t.Image, (fw::TPoint{98 + 2, yr}));
  EXPECT_EQ(t.TextOrigin, (fw::TPoint{98 + 3 + 13, yr + 16 + 4}));

  EXPECT_EQ(TabTextEscapement(tpLeft), -2700);
  EXPECT_EQ(TabTextEscapement(tpRight), -900);
  EXPECT_EQ(RotatedFaceName(u"MS Sans Serif"), u"Arial");
  EXPECT_EQ(RotatedFaceName(u"Tahoma"), u"Tahoma");
}

}  // namespace
}  // namespace skin
