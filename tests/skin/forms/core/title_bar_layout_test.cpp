// A title bar's measurements: auto sizes of items by style and content,
// the placement of each alignment's items in the band, and the
// premultiplied menu-button image.
#include "skin/forms/core/title_bar_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(TitleBarLayout, AutoSizes) {
  struct Case {
    const char* name;
    TkTitleItemContent c;
    fw::TPoint expected;
  };
  TkTitleItemContent image16;
  image16.ImageWidth = image16.ImageHeight = 16;
  TkTitleItemContent menu;
  menu.Style = bsMenu;
  menu.HasCaption = true;
  menu.TextWidth = 40;
  menu.TextHeight = 13;
  menu.HasDropdown = true;
  menu.ArrowWidth = 9;
  TkTitleItemContent menuNoDrop = menu;
  menuNoDrop.HasDropdown = false;
  TkTitleItemContent buttonDrop = menu;
  buttonDrop.Style = bsButton;
  TkTitleItemContent tab;
  tab.Style = bsTab;
  tab.HasCaption = true;
  tab.TextWidth = 30;
  tab.TextHeight = 13;
  TkTitleItemContent imageAndCaption = image16;
  imageAndCaption.HasCaption = true;
  imageAndCaption.TextWidth = 20;
  imageAndCaption.TextHeight = 13;
  TkTitleItemContent spacing;
  spacing.Style = bsSpacing;
  const Case cases[] = {
      {"a 16 x 16 image", image16, {22, 22}},
      {"nothing", {}, {16, 16}},
      {"menu: caption, 4 and the arrow, margins 2 x (4 + 3)", menu, {40 + 4 + 9 + 14, 13 + 1 + 6}},
      {"menu without drop-down", menuNoDrop, {40 + 14, 20}},
      {"button with drop-down: 1 and the arrow", buttonDrop, {40 + 1 + 9 + 6, 19}},
      {"tab: 4 more for the caption, 1 higher", tab, {30 + 4 + 6, 13 + 1 + 6}},
      {"image, spacing, caption", imageAndCaption, {16 + 4 + 20 + 6, 22}},
      {"spacing", spacing, {16, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TitleItemAutoSize(c.c, 3), c.expected);
  }
}

TEST(TitleBarLayout, PlacementByAlignment) {
  const fw::TRect bar = fw::Rect(30, 4, 230, 30);
  std::vector<TkTitleItemBox> items(6);
  items[0] = {true, bsButton, tbaLeft, 20, 16};
  items[1] = {true, bsMenu, tbaLeft, 31, 18};
  items[2] = {true, bsButton, tbaRight, 20, 16};
  items[3] = {true, bsTab, tbaRight, 25, 20};
  items[4] = {false, bsButton, tbaLeft, 50, 16};
  items[5] = {true, bsInfo, tbaCenter, 41, 15};
  PlaceTitleItems(items, bar, 17, 250);
  EXPECT_EQ(items[0].Rect, fw::Rect(30, 9, 50, 25));
  EXPECT_EQ(items[1].Rect, fw::Rect(50, 4, 81, 22)) << "menus hang from the top";
  EXPECT_EQ(items[2].Rect, fw::Rect(185, 9, 205, 25)) << "right items end at the band's right, in order";
  EXPECT_EQ(items[3].Rect, fw::Rect(205, 10, 230, 30)) << "tabs stand on the bottom";
  EXPECT_EQ(items[4].Rect, fw::TRect{}) << "invisible items are not placed";
  EXPECT_EQ(items[5].Rect, fw::Rect(30 + (250 - 30 - 41) / 2, 10, 30 + (250 - 30 - 41) / 2 + 41, 25));
  // Centred in the space between left and right items (odd widths truncate).
  std::vector<TkTitleItemBox> spaced = {{true, bsButton, tbaLeft, 21, 16},
                                        {true, bsButton, tbaRight, 20, 16},
                                        {true, bsButton, tbaCenterInSpace, 17, 16}};
  PlaceTitleItems(spaced, bar, 17, 250);
  EXPECT_EQ(spaced[2].Rect.Left, 30 + 21 + (200 - 20 - 21 - 17) / 2);
}

TEST(TitleBarLayout, MenuButtonImagePremultipliedKeysKept) {
  uint32_t px[4] = {0xFFFF00FFu, 0x80FF8040u, 0x00FFFFFFu, 0xFF102030u};
  const TPixelView32 v{reinterpret_cast<uint8_t*>(px), 16, 4, 1};
  PrepareMenuBtnImage(v);
  EXPECT_EQ(px[0], 0xFFFF00FFu);
  EXPECT_EQ(px[1], 0x80804020u);
  EXPECT_EQ(px[2], 0x00000000u);
  EXPECT_EQ(px[3], 0xFF102030u);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(TitleBarLayout, SlicedDrawingKeepsCornersStretchesTheRestAndStaysInside) {
  // A 12 x 12 source: 3-pixel corners A, edges B, centre C, one key pixel
  // in the top-left corner.
  std::vector<uint32_t> src(144), dst(40 * 30, 0x11111111u);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool edgeX = x < 3 || x >= 9, edgeY = y < 3 || y >= 9;
      src[size_t(y * 12 + x)] = edgeX && edgeY ? 0xFFAA0000u : (edgeX || edgeY) ? 0xFF00BB00u : 0xFF0000CCu;
    }
  src[0] = 0xFFFF00FFu;
  const TPixelView32 s{reinterpret_cast<uint8_t*>(src.data()), 48, 12, 12};
  const TPixelView32 d{reinterpret_cast<uint8_t*>(dst.data()), 160, 40, 30};
  DrawImageSliced(d, s, fw::Rect(5, 5, 35, 25), fw::Rect(3, 3, 3, 3), fw::Rect(0, 0, 12, 12));
  EXPECT_EQ(d.Pixel(5, 5), 0x11111111u) << "the key pixel is skipped";
  EXPECT_EQ(d.Pixel(6, 5), 0xFFAA0000u);
  EXPECT_EQ(d.Pixel(34, 24), 0xFFAA0000u) << "bottom-right corner at its size";
  EXPECT_EQ(d.Pixel(31, 21), 0xFF0000CCu) << "centre stretched to the corner's inner edge";
  EXPECT_EQ(d.Pixel(32, 22), 0xFFAA0000u);
  EXPECT_EQ(d.Pixel(20, 6), 0xFF00BB00u) << "top edge stretched";
  EXPECT_EQ(d.Pixel(20, 15), 0xFF0000CCu);
  EXPECT_EQ(d.Pixel(4, 15), 0x11111111u) << "nothing outside the rectangle";
  EXPECT_EQ(d.Pixel(35, 15), 0x11111111u);
  EXPECT_EQ(d.Pixel(20, 25), 0x11111111u);
}

}  // namespace
}  // namespace skin
