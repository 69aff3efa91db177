// The title's layout: centre line, icon and the standard buttons from the
// right, for big and small buttons, maximised forms and missing buttons.
#include "skin/forms/core/caption_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TkFormFrameFacts Sizeable400() {
  TkFormFrameFacts f;
  f.Width = 400;
  f.Height = 300;
  f.ClientWidth = 392;
  f.ClientHeight = 273;
  return f;
}

TkCaptionLayoutInput BigButtons() {
  TkCaptionLayoutInput in;
  in.BISpacing = 1;
  in.BIRightMargin = 2;
  in.BILeftMargin = 2;
  in.MaskMaxBtn = 10;
  in.MaskNormBtn = 11;
  in.MaskMinBtn = 12;
  in.IconVisible = true;
  in.IconWidth = in.IconHeight = 16;
  in.SystemButtons = true;
  return in;
}

TEST(CaptionLayout, IconAndButtonsOfANormalForm) {
  TkCaptionLayoutInput in = BigButtons();
  in.HelpButton = true;
  TkCaptionLayout l;
  CalcCaptionItems(Sizeable400(), in, l);
  // Centre: caption 19 / 2 + frame 4 / 2.
  EXPECT_EQ(l.VCenter, 11);
  EXPECT_EQ(l.HeaderHeight, 23);
  EXPECT_EQ(l.IconRect, fw::Rect(6, 3, 22, 19));
  EXPECT_EQ(l.FullRight, 394);
  EXPECT_EQ(l.Close.Rect, fw::Rect(373, 1, 394, 22));
  EXPECT_EQ(l.Max.Rect, fw::Rect(351, 1, 372, 22));
  EXPECT_EQ(l.Max.ImageIndex, 10);
  EXPECT_EQ(l.Min.Rect, fw::Rect(329, 1, 350, 22));
  EXPECT_EQ(l.Min.ImageIndex, 12);
  EXPECT_EQ(l.Help.Rect, fw::Rect(301, 1, 322, 22)) << "help stands 6 pixels apart";
  EXPECT_EQ(l.ButtonsLeft, 300);
}

TEST(CaptionLayout, CasesOfStateAndButtons) {
  struct Case {
    const char* what;
    bool zoomed, iconicSecondary, big, alignTop, visibleMax, visibleMin, systemButtons;
    fw::TRect close, max, min;
    int maxMask, minMask;
  } cases[] = {
      {"maximised", true, false, true, false, true, true, true, fw::Rect(373, 3, 394, 24), fw::Rect(351, 3, 372, 24),
       fw::Rect(329, 3, 350, 24), 11, 12},
      {"aligned to the title's top", false, false, true, true, true, true, true, fw::Rect(373, 0, 394, 21),
       fw::Rect(351, 0, 372, 21), fw::Rect(329, 0, 350, 21), 10, 12},
      {"aligned top when maximised", true, false, true, true, true, true, true, fw::Rect(373, 3, 394, 24),
       fw::Rect(351, 3, 372, 24), fw::Rect(329, 3, 350, 24), 11, 12},
      {"small buttons have no spacing", false, false, false, false, true, true, true, fw::Rect(373, 1, 394, 22),
       fw::Rect(352, 1, 373, 22), fw::Rect(331, 1, 352, 22), 10, 12},
      {"no maximise", false, false, true, false, false, true, true, fw::Rect(373, 1, 394, 22), fw::Rect(0, 0, 0, 0),
       fw::Rect(351, 1, 372, 22), -1, 12},
      {"no system menu", false, false, true, false, true, true, false, fw::Rect(0, 0, 0, 0), fw::Rect(0, 0, 0, 0),
       fw::Rect(0, 0, 0, 0), -1, -1},
  };
  for (const Case& c : cases) {
    TkFormFrameFacts f = Sizeable400();
    f.Zoomed = c.zoomed;
    TkCaptionLayoutInput in = BigButtons();
    in.BigButtons = c.big;
    in.BIVAlign = c.alignTop ? 1 : 0;
    in.VisibleMax = c.visibleMax;
    in.VisibleMin = c.visibleMin;
    in.SystemButtons = c.systemButtons;
    TkCaptionLayout l;
    l.Close.HaveAlignment = l.Max.HaveAlignment = l.Min.HaveAlignment = c.big;
    CalcCaptionItems(f, in, l);
    EXPECT_EQ(l.Close.Rect, c.close) << c.what;
    EXPECT_EQ(l.Max.Rect, c.max) << c.what;
    EXPECT_EQ(l.Min.Rect, c.min) << c.what;
    EXPECT_EQ(l.Max.ImageIndex, c.maxMask) << c.what;
    EXPECT_EQ(l.Min.ImageIndex, c.minMask) << c.what;
  }
}

TEST(CaptionLayout, IconicSecondaryFormAndNoIcon) {
  TkFormFrameFacts f = Sizeable400();
  f.Iconic = true;
  f.MainForm = false;
  f.ClientWidth = f.ClientHeight = 0;
  TkCaptionLayoutInput in = BigButtons();
  in.IconVisible = false;
  TkCaptionLayout l;
  CalcCaptionItems(f, in, l);
  EXPECT_EQ(l.IconRect.Left, l.IconRect.Right) << "no icon: an empty rectangle";
  EXPECT_EQ(l.IconRect.Left, 6);
  EXPECT_EQ(l.Close.Rect.Right, 160 - 2 - 4) << "the image is 160 wide";
  EXPECT_EQ(l.Min.ImageIndex, 11) << "an iconic secondary form restores";
}

TEST(CaptionLayout, ExtendedBorderWindowCentresOnTheExtendedTitle) {
  TkExtBorderFacts b;
  b.ExBorderWidth = 6;
  b.ExTitleHeight = 30;
  b.ExCenterOffs = 1;
  b.Shadow = fw::Rect(10, 8, 12, 14);
  TkFormFrameFacts f = Sizeable400();
  f.BorderForm = &b;
  TkCaptionLayout l;
  CalcCaptionItems(f, BigButtons(), l);
  EXPECT_EQ(l.VCenter, 8 + 30 - 30 + 15 + 1);
  EXPECT_EQ(l.HeaderHeight, 38);
  EXPECT_EQ(l.IconRect.Left, 6 + 2 + 10);
  EXPECT_EQ(l.FullRight, 400 + 4 + 22 - 2 - 12 - 6);
}

TEST(CaptionLayout, UserButtonsStandLeftOfTheStandardOnesAndTheTitleBarTakesTheRest) {
  TkCaptionLayoutInput in = BigButtons();
  in.UserButtonMask = 40;
  in.UserButtons = {{true, 18, true}, {false, 25, true}, {true, 30, false}};
  in.TitleBar = true;
  in.TitleBarLeftItems = true;
  TkCaptionLayout l;
  CalcCaptionItems(Sizeable400(), in, l);
  ASSERT_EQ(l.Min.Rect.Left, 329);
  ASSERT_EQ(l.User.size(), 3u);
  // Minimise leaves the cursor at 328; 6 apart.
  EXPECT_EQ(l.User[0].Rect, fw::Rect(304, 1, 322, 22));
  EXPECT_EQ(l.User[0].ImageIndex, 40);
  EXPECT_EQ(l.User[0].HitCode, 1000u);
  EXPECT_EQ(l.User[1].Rect, fw::Rect(0, 0, 0, 0)) << "an invisible button takes no place";
  EXPECT_EQ(l.User[1].HitCode, 1001u);
  EXPECT_EQ(l.User[2].Rect, fw::Rect(273, 1, 303, 22));
  EXPECT_EQ(l.User[2].ImageIndex, -1) << "no skin data: no mask";
  EXPECT_EQ(l.User[2].HitCode, 1002u);
  EXPECT_EQ(l.ButtonsLeft, 272);
  EXPECT_EQ(l.BarRect, fw::Rect(22 + 6, 0, 272 - 6, 23));
  EXPECT_EQ(l.BarVCenter, l.VCenter);
  // Without buttons, icon and left items the bar runs from the frame.
  in = TkCaptionLayoutInput{};
  in.TitleBar = true;
  CalcCaptionItems(Sizeable400(), in, l);
  EXPECT_EQ(l.BarRect, fw::Rect(4, 0, 396 - 6, 23));
}

}  // namespace
}  // namespace skin
