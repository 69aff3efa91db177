// The extended border window's geometry: the hit codes of its title
// elements, sizing bands, caption, menu and grip, the shadow test, the
// cursors and the region that leaves the owner's client area to the owner.
#include "skin/forms/core/border_geometry.h"

#include <gtest/gtest.h>

#include <functional>

namespace skin {
namespace {

// A 400 x 300 border window with a 10-pixel shadow: the frame shows in
// (10, 10, 390, 290); a 4-pixel frame and a 24-pixel caption.
TkBorderFacts Window() {
  TkBorderFacts f;
  f.Width = 400;
  f.Height = 300;
  f.Shadow = fw::Rect(10, 10, 10, 10);
  f.FrameWidth = 4;
  f.FrameHeight = 4;
  f.CaptionHeight = 24;
  f.Close = fw::Rect(360, 14, 381, 35);
  f.Max = fw::Rect(339, 14, 360, 35);
  f.Min = fw::Rect(318, 14, 339, 35);
  f.Help = fw::Rect(291, 14, 312, 35);
  f.IconRect = fw::Rect(16, 16, 32, 32);
  f.UserButtons = {{fw::Rect(200, 14, 220, 35)}, {fw::Rect(220, 14, 240, 35)}};
  f.Items = {{fw::Rect(40, 14, 60, 35)}, {fw::Rect(60, 14, 80, 35)}};
  return f;
}

TEST(BorderGeometry, HitCodes) {
  struct Case {
    const char* name;
    std::function<void(TkBorderFacts&)> change;
    fw::TPoint p;
    int expected;
  };
  auto none = [](TkBorderFacts&) {};
  const Case cases[] = {
      {"close", none, {370, 20}, 20},
      {"disabled close of a form is caption", [](TkBorderFacts& f) { f.EnabledClose = false; }, {370, 20}, 2},
      {"disabled close of a dialog is nothing, then caption",
       [](TkBorderFacts& f) {
         f.EnabledClose = false;
         f.Provider = false;
       },
       {370, 20},
       2},
      {"a form without its close button: caption", [](TkBorderFacts& f) { f.VisibleClose = false; }, {370, 20}, 2},
      {"maximise", none, {345, 20}, 9},
      {"maximise disabled, restore too", [](TkBorderFacts& f) { f.EnabledMax = false; }, {345, 20}, 2},
      {"maximise disabled, restore enabled",
       [](TkBorderFacts& f) {
         f.EnabledMax = false;
         f.EnabledRestore = true;
       },
       {345, 20},
       9},
      {"minimise", none, {325, 20}, 8},
      {"minimise disabled", [](TkBorderFacts& f) { f.EnabledMin = false; }, {325, 20}, 2},
      {"minimise disabled but iconic",
       [](TkBorderFacts& f) {
         f.EnabledMin = false;
         f.Iconic = true;
       },
       {325, 20},
       8},
      {"help with minimise but no maximise stays help",
       [](TkBorderFacts& f) {
         f.VisibleMax = false;
         f.HelpShown = true;
       },
       {300, 20},
       21},
      {"help not shown: caption", none, {300, 20}, 2},
      {"no system menu: no buttons", [](TkBorderFacts& f) { f.SystemMenuAllowed = false; }, {370, 20}, 2},
      {"user button 1", none, {225, 20}, 1001},
      {"disabled user button: caption", [](TkBorderFacts& f) { f.UserButtons[1].Enabled = false; }, {225, 20}, 2},
      {"invisible user button: caption", [](TkBorderFacts& f) { f.UserButtons[1].Visible = false; }, {225, 20}, 2},
      {"title-bar item 1", none, {70, 20}, 2001},
      {"a tab that is down gives no code",
       [](TkBorderFacts& f) {
         f.Items[1].Style = 2;
         f.Items[1].Down = true;
       },
       {70, 20},
       2},
      {"a tab that is up", [](TkBorderFacts& f) { f.Items[1].Style = 2; }, {70, 20}, 2001},
      {"spacing is not hit", [](TkBorderFacts& f) { f.Items[0].Style = 3; }, {50, 20}, 2},
      {"information is not hit", [](TkBorderFacts& f) { f.Items[0].Style = 4; }, {50, 20}, 2},
      {"disabled item", [](TkBorderFacts& f) { f.Items[0].Enabled = false; }, {50, 20}, 2},
      {"a dialog has no user buttons", [](TkBorderFacts& f) { f.Provider = false; }, {225, 20}, 2},
      {"disabled owner", [](TkBorderFacts& f) { f.OwnerDisabled = true; }, {370, 20}, -1},
      {"icon", none, {20, 20}, 3},
      {"caption", none, {150, 20}, 2},
      {"top band, last row", none, {150, 15}, 12},
      {"top-left corner", none, {10, 10}, 13},
      {"top-left, inner limit", none, {15, 15}, 13},
      {"top-right corner", none, {390, 10}, 14},
      {"left band, inner limit", none, {15, 150}, 10},
      {"just inside the left band", none, {16, 150}, -1},
      {"right band, inner limit", none, {385, 150}, 11},
      {"just inside the right band", none, {384, 150}, -1},
      {"bottom band, inner limit", none, {200, 285}, 15},
      {"just above the bottom band", none, {200, 284}, -1},
      {"bottom-left", none, {15, 285}, 16},
      {"bottom-right corner", none, {390, 290}, 17},
      {"a maximised owner has no bands", [](TkBorderFacts& f) { f.Maximized = true; }, {15, 150}, -1},
      {"no thick frame, no bands", [](TkBorderFacts& f) { f.ThickFrame = false; }, {200, 285}, -1},
      {"shadow", none, {5, 150}, -1},
      {"menu band",
       [](TkBorderFacts& f) {
         f.MenuHeight = 20;
         f.Shadow.Top = 2;
       },
       {150, 45},
       5},
      {"grip",
       [](TkBorderFacts& f) {
         f.GripVisible = true;
         f.GripMask = true;
         f.GripPosition = {370, 270};
       },
       {380, 280},
       17},
      {"grip without the skin's mask",
       [](TkBorderFacts& f) {
         f.GripVisible = true;
         f.GripPosition = {370, 270};
       },
       {380, 280},
       -1},
      {"grip in the corner of both scroll bars",
       [](TkBorderFacts& f) {
         f.ScrollCorner = true;
         f.ScrollCornerBox = fw::Rect(360, 260, 384, 284);
         f.GripMask = true;
         f.GripPosition = {370, 270};
       },
       {380, 280},
       17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TkBorderFacts f = Window();
    c.change(f);
    EXPECT_EQ(BorderHitTest(f, c.p), c.expected);
  }
}

TEST(BorderGeometry, ShadowAndCursors) {
  TkBorderFacts f = Window();
  f.ExShadowOffs = 2;
  EXPECT_EQ(BorderVisibleRect(f), fw::Rect(8, 10, 390, 290));
  EXPECT_TRUE(PointOnShadow(f, {7, 150}));
  EXPECT_FALSE(PointOnShadow(f, {8, 150})) << "the visible rectangle's bounds count as frame";
  EXPECT_FALSE(PointOnShadow(f, {390, 290}));
  EXPECT_TRUE(PointOnShadow(f, {391, 150}));
  f.Maximized = true;
  EXPECT_FALSE(PointOnShadow(f, {0, 0}));
  const std::pair<int, TkBorderCursor> cursors[] = {
      {2, TkBorderCursor::Arrow},     {5, TkBorderCursor::Arrow},     {10, TkBorderCursor::SizeWE},
      {11, TkBorderCursor::SizeWE},   {12, TkBorderCursor::SizeNS},   {15, TkBorderCursor::SizeNS},
      {13, TkBorderCursor::SizeNWSE}, {17, TkBorderCursor::SizeNWSE}, {14, TkBorderCursor::SizeNESW},
      {16, TkBorderCursor::SizeNESW}, {20, TkBorderCursor::None},     {-1, TkBorderCursor::None}};
  for (auto [code, cursor] : cursors) EXPECT_EQ(BorderCursorFor(code), cursor) << code;
}

TEST(BorderGeometry, RegionLeavesTheClientAreaToTheOwner) {
  const TkBorderFacts f = Window();
  TkBorderClientFacts c;
  c.OffsetX = 14;
  c.OffsetY = 38;
  c.ClientWidth = 372;
  c.ClientHeight = 248;
  c.FormWidth = 380;
  c.FormHeight = 290;
  struct Case {
    const char* name;
    std::function<void(TkBorderClientFacts&)> change;
    int newWidth, newHeight;
    TkBorderRegion expected;
  };
  auto region = [](fw::TRect outer, fw::TRect hole) { return TkBorderRegion{false, outer, true, hole}; };
  const fw::TRect whole = fw::Rect(0, 0, 400, 300);
  const Case cases[] = {
      {"normal", [](TkBorderClientFacts&) {}, 0, 0, region(whole, fw::Rect(14, 38, 386, 286))},
      {"own scroll bars belong to the owner",
       [](TkBorderClientFacts& c) {
         c.VScrollWidth = 17;
         c.HScrollHeight = 17;
       },
       0, 0, region(whole, fw::Rect(14, 38, 403, 303))},
      {"menu line shows through",
       [](TkBorderClientFacts& c) {
         c.LinesCount = 2;
         c.MenuHeight = 18;
       },
       0, 0, region(whole, fw::Rect(14, 2, 386, 286))},
      {"not inside WM_NCACTIVATE only",
       [](TkBorderClientFacts& c) {
         c.LinesCount = 2;
         c.MenuHeight = 18;
         c.FormState = kFsInNcActivate;
       },
       0, 0, region(whole, fw::Rect(14, 38, 386, 286))},
      {"size change, client shrank before",
       [](TkBorderClientFacts& c) {
         c.FormState = kFsSizeChange;
         c.LastClientRect = fw::Rect(0, 0, 300, 200);
       },
       0, 0, region(whole, fw::Rect(14, 38, 314, 238))},
      {"size change to a new size above the minimum",
       [](TkBorderClientFacts& c) {
         c.FormState = kFsSizeChange;
         c.LastClientRect = fw::Rect(0, 0, 372, 248);
         c.MinWidth = 100;
         c.MinHeight = 400;
       },
       420, 350, region(whole, fw::Rect(14, 38, 426, 286))},
      {"showing ignores the size change",
       [](TkBorderClientFacts& c) {
         c.FormState = kFsSizeChange;
         c.Showing = true;
         c.LastClientRect = fw::Rect(0, 0, 300, 200);
       },
       0, 0, region(whole, fw::Rect(14, 38, 386, 286))},
      {"an animation shows the whole window", [](TkBorderClientFacts& c) { c.FormState = kFsMinimizing; }, 0, 0,
       TkBorderRegion{true, {}, false, {}}},
      {"a blended move too", [](TkBorderClientFacts& c) { c.FormState = kFsBlendedMove; }, 0, 0,
       TkBorderRegion{true, {}, false, {}}},
      {"maximised during a skin change: the inner frame only",
       [](TkBorderClientFacts& c) {
         c.FormState = kFsSkinChange;
         c.Maximized = true;
         c.InnerFrame = 6;
       },
       0, 0, TkBorderRegion{false, fw::Rect(16, 14, 384, 284), false, {}}},
      {"maximised: the inner frame less the client",
       [](TkBorderClientFacts& c) {
         c.Maximized = true;
         c.InnerFrame = 6;
       },
       0, 0, region(fw::Rect(16, 14, 384, 284), fw::Rect(14, 38, 386, 286))},
      {"dialog",
       [](TkBorderClientFacts& c) {
         c.Provider = false;
         c.ExtBorderWidth = 3;
         c.CacheHeight = 300;
       },
       0, 0, region(whole, fw::Rect(13, 38, 385, 287))},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TkBorderClientFacts cc = c;
    k.change(cc);
    const TkBorderRegion r = BorderRegion(f, cc, k.newWidth, k.newHeight);
    EXPECT_EQ(r.None, k.expected.None);
    EXPECT_EQ(r.Outer, k.expected.Outer);
    EXPECT_EQ(r.HasHole, k.expected.HasHole);
    if (r.HasHole) EXPECT_EQ(r.Hole, k.expected.Hole);
  }
}

TEST(BorderGeometry, EdgeStretchFillsTheWorkAreaAndComesBack) {
  const TkEdgeStretch w = StretchWidthTo(0, 1024, 5, false);
  EXPECT_FALSE(w.Restore);
  EXPECT_EQ(w.Pos, 5);
  EXPECT_EQ(w.Size, 1014);
  EXPECT_TRUE(StretchWidthTo(0, 1024, 5, true).Restore);
  const TkEdgeStretch h = StretchHeightTo(30, 738, 8, 5, false);
  EXPECT_EQ(h.Pos, 38);
  EXPECT_EQ(h.Size, 725);
}

}  // namespace
}  // namespace skin
