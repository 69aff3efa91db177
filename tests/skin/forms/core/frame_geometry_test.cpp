// Frame measurements over injected system facts: the same form gives the
// same numbers whatever system the test runs on.
#include "skin/forms/core/frame_geometry.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using S = TkFrameStyle;
constexpr uint32_t kSizeable = kWsCaption | kWsThickFrame, kSingle = kWsCaption, kNone = 0;

// Window rectangles as the system makes them: frame, caption, menu bar.
TkFormFrameFacts Form(S style, uint32_t ws, int w, int h, int clientW, int clientH) {
  TkFormFrameFacts f;
  f.BorderStyle = style;
  f.Style = ws;
  f.Width = w;
  f.Height = h;
  f.ClientWidth = clientW;
  f.ClientHeight = clientH;
  return f;
}

TEST(FrameGeometry, CaptionBorderAndClientPerStyleAndState) {
  struct Case {
    const char* what;
    S style;
    uint32_t ws;
    bool iconic, zoomed, menu;
    int clientW, clientH;
    int frame, caption, header, offsetX, offsetY;
  } cases[] = {
      // 400 x 300 windows under the default metrics (frame 4, dialog frame 3,
      // caption 19, small caption 16, menu 19).
      {"sizeable", S::bsSizeable, kSizeable, false, false, false, 392, 273, 4, 19, 23, 4, 23},
      {"sizeable with menu", S::bsSizeable, kSizeable, false, false, true, 392, 254, 4, 19, 42, 4, 42},
      {"single", S::bsSingle, kSingle, false, false, false, 394, 275, 3, 19, 22, 3, 22},
      {"dialog", S::bsDialog, kSingle, false, false, false, 394, 275, 3, 19, 22, 3, 22},
      {"tool window", S::bsToolWindow, kSingle, false, false, false, 394, 278, 3, 16, 19, 3, 19},
      {"sizeable tool window", S::bsSizeToolWin, kSizeable, false, false, false, 392, 276, 4, 16, 20, 4, 20},
      {"tool window iconic", S::bsToolWindow, kSingle, true, false, false, 0, 0, 3, 19, 300, 200, 297},
      {"borderless", S::bsNone, kNone, false, false, false, 400, 300, 0, 0, 0, 0, 0},
      {"borderless with caption style", S::bsNone, kSizeable, false, false, false, 392, 273, 4, 0, 23, 4, 23},
      {"borderless iconic", S::bsNone, kNone, true, false, false, 0, 0, 0, 19, 300, 200, 300},
      {"sizeable maximised", S::bsSizeable, kSizeable, false, true, false, 392, 273, 4, 19, 23, 4, 23},
      {"sizeable minimised", S::bsSizeable, kSizeable, true, false, false, 0, 0, 4, 19, 300, 200, 296},
  };
  for (const Case& c : cases) {
    TkFormFrameFacts f = Form(c.style, c.ws, 400, 300, c.clientW, c.clientH);
    f.Iconic = c.iconic;
    f.Zoomed = c.zoomed;
    f.HasMainMenu = c.menu;
    EXPECT_EQ(FrameWidthOf(f, true), c.frame) << c.what;
    EXPECT_EQ(FrameHeightOf(f, true), c.frame) << c.what;
    EXPECT_EQ(CaptionHeight(f, true), c.caption) << c.what;
    EXPECT_EQ(HeaderHeight(f), c.header) << c.what;
    EXPECT_EQ(OffsetX(f), c.offsetX) << c.what;
    EXPECT_EQ(OffsetY(f), c.offsetY) << c.what;
    EXPECT_EQ(MenuHeight(f), c.menu ? 18 : 0) << c.what;
    // The client area and the frame below it fill the window.
    if (!c.iconic && c.clientH > 0)
      EXPECT_EQ(OffsetY(f) + c.clientH + ((c.ws & kWsBorder) ? BorderHeight(f, true) : 0), 300) << c.what;
  }
}

TEST(FrameGeometry, TheFormsBorderWidthAndScrollBarsCountIn) {
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 392 - 10, 273 - 10);
  f.FormBorderWidth = 5;
  EXPECT_EQ(BorderWidth(f, true), 9);
  EXPECT_EQ(BorderHeight(f, false), 9);
  EXPECT_EQ(HeaderHeight(f), 300 - 263 - 9);
  EXPECT_EQ(OffsetY(f), 300 - 263 - 9);
  // Shown scroll bars of the form take from the client area, not the offsets.
  f = Form(S::bsSizeable, kSizeable, 400, 300, 392 - 17, 273 - 17);
  f.VScrollWidth = f.HScrollHeight = 17;
  EXPECT_EQ(OffsetX(f), 4);
  EXPECT_EQ(OffsetY(f), 23);
  EXPECT_EQ(HeaderHeight(f), 23);
}

TEST(FrameGeometry, OtherSystemMetrics) {
  // Values of a classic desktop: the frame follows the metrics, not constants.
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 384, 262);
  f.Metrics = {8, 3, 22, 17, 20, 17};
  EXPECT_EQ(FrameWidthOf(f, false), 8);
  EXPECT_EQ(CaptionHeight(f, false), 22);
  EXPECT_EQ(OffsetX(f), 8);
  EXPECT_EQ(OffsetY(f), 30);
  f.BorderStyle = S::bsSizeToolWin;
  EXPECT_EQ(CaptionHeight(f, false), 17);
  f.Iconic = true;
  EXPECT_EQ(CaptionHeight(f, false), 22) << "an iconic tool window has the full caption";
}

TEST(FrameGeometry, ExtendedBorderWindow) {
  TkExtBorderFacts b;
  b.ExBorderWidth = 6;
  b.ExTitleHeight = 30;
  b.Shadow = fw::Rect(10, 8, 12, 14);
  b.CaptionHeightSkin = 36;
  b.CaptionHeightSystem = 23;
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 392, 273);
  f.BorderForm = &b;
  EXPECT_EQ(FrameWidthOf(f, true), 6);
  EXPECT_EQ(FrameWidthOf(f, false), 4);
  EXPECT_EQ(FrameHeightOf(f, true), 0);
  EXPECT_EQ(CaptionHeight(f, true), 30);
  EXPECT_EQ(CaptionHeight(f, false), 19);
  EXPECT_EQ(ExtFrameDelta(f), 2);
  EXPECT_EQ(ExtTitleDelta(f), 36 - 23 - 4);
  EXPECT_EQ(CaptionWidth(f), 400 + 4 + 22);
  EXPECT_EQ(FormImageHeight(f), 300 + 2 + 9 + 22);
  EXPECT_EQ(OffsetX(f), 6 + 10);
  EXPECT_EQ(OffsetY(f), 30 + 8);
  EXPECT_EQ(TitleBarTop(f), 8);
  b.ExTitleHeight = 0;
  EXPECT_EQ(CaptionHeight(f, true), 19) << "no extended title: the system's";
  f.SysExHeight = true;
  EXPECT_EQ(CaptionHeight(f, true), 23);
}

TEST(FrameGeometry, ImageWidthOfAnIconicSecondaryForm) {
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 0, 0);
  f.Iconic = true;
  f.MainForm = false;
  EXPECT_EQ(CaptionWidth(f), 160);
  EXPECT_EQ(FormImageHeight(f), 4 + 19 + 2);
  f.MainForm = true;
  EXPECT_EQ(CaptionWidth(f), 400);
  EXPECT_EQ(FormImageHeight(f), 300);
}

TEST(FrameGeometry, TitleIconSizeBoundaries) {
  const std::pair<int, int> cases[] = {{-101, 16}, {-100, 1}, {0, 1}, {8, 1}, {9, 8}, {16, 8}, {17, 16}, {30, 16}};
  for (auto [h, size] : cases) EXPECT_EQ(TitleIconSizeFor(h), size) << h;
}

TEST(FrameGeometry, MenuRowsFromTheFirstItem) {
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 392, 254);
  f.HasMainMenu = true;
  // The window at top 100: the menu bar ends at 100 + 300 - 254 - 4 = 142.
  EXPECT_EQ(MenuRowsFor(f, 100, 142), 1);
  EXPECT_EQ(MenuRowsFor(f, 100, 200), 1) << "an item below the bar";
  f.ClientHeight = 254 - 18;
  EXPECT_EQ(MenuRowsFor(f, 100, 142), 2);
  f.ClientHeight = 254 - 16;
  EXPECT_EQ(MenuRowsFor(f, 100, 142), 1) << "whole rows of SM_CYMENU - 2";
  f.ClientHeight = 254 - 17;
  EXPECT_EQ(MenuRowsFor(f, 100, 142), 2);
}

TEST(FrameGeometry, MaximisedPlacement) {
  const fw::TRect area = fw::Rect(0, 0, 1024, 740);
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 392, 273);
  TkMaxPlacement p = MaximizedPlacement(f, area);
  EXPECT_EQ(p.Position, (fw::TPoint{-4, -4}));
  EXPECT_EQ(p.Size, (fw::TPoint{1032, 748}));
  // An extended title 10 pixels taller than the system caption + 4.
  TkExtBorderFacts b;
  b.ExTitleHeight = 33;
  f.BorderForm = &b;
  f.Zoomed = true;
  p = MaximizedPlacement(f, area);
  EXPECT_EQ(p.Position, (fw::TPoint{-4, 6}));
  EXPECT_EQ(p.Size, (fw::TPoint{1032, 738}));
  EXPECT_TRUE(p.SysExHeight);
  b.ExMaxHeight = 20;
  p = MaximizedPlacement(f, area);
  EXPECT_EQ(p.Position, (fw::TPoint{-4, -4}));
  EXPECT_FALSE(p.SysExHeight);
  // A single-border window.
  f = Form(S::bsSingle, kSingle, 400, 300, 394, 275);
  EXPECT_EQ(MaximizedPlacement(f, area).Position, (fw::TPoint{-3, -3}));
}

TEST(FrameGeometry, TitleBarTop) {
  TkFormFrameFacts f = Form(S::bsSizeable, kSizeable, 400, 300, 392, 273);
  EXPECT_EQ(TitleBarTop(f), 0);
  f.Zoomed = true;
  EXPECT_EQ(TitleBarTop(f), 6);
  TkExtBorderFacts b;
  b.Shadow = fw::Rect(5, 7, 5, 9);
  b.ExTitleHeight = 30;
  b.ExMaxHeight = 24;
  b.BITopMargin = 3;
  f.BorderForm = &b;
  EXPECT_EQ(TitleBarTop(f), 7 + 4 + 6);
  f.Zoomed = false;
  EXPECT_EQ(TitleBarTop(f), 10);
}

}  // namespace
}  // namespace skin
