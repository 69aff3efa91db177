// Size limits, the maximized position per border style and the PreventResize
// answers.
#include <gtest/gtest.h>

#include "fw/controls/forms.h"
#include "services/winminmax.h"

using namespace services;

namespace {

TEST(WinMinMaxInfo, OnlyTheLimitsThatAreSetReplaceTheSystemsValues) {
  int changes = 0;
  TCkWinMinMaxInfo info([&] { ++changes; });
  EXPECT_TRUE(info.DefaultMinMaxInfo());
  info.SetMinTrackWidth(300);
  info.SetMinTrackWidth(300);  // unchanged: no report
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(info.DefaultMinMaxInfo());
  MINMAXINFO m{};
  m.ptMinTrackSize = {100, 50};
  m.ptMaxTrackSize = {2000, 1500};
  m.ptMaxPosition = {-4, -4};
  info.ApplyTo(m);
  EXPECT_EQ(m.ptMinTrackSize.x, 300);
  EXPECT_EQ(m.ptMinTrackSize.y, 50);
  EXPECT_EQ(m.ptMaxTrackSize.x, 2000);
  EXPECT_EQ(m.ptMaxPosition.x, -4);
  TCkWinMinMaxInfo copy;
  copy.Assign(&info);
  EXPECT_EQ(copy.MinTrackWidth(), 300);
}

TEST(WinMinMaxInfo, PreventResizeTurnsSizingBordersIntoNowhere) {
  const struct {
    LRESULT in, out;
  } cases[] = {{HTLEFT, HTNOWHERE},        {HTBOTTOMRIGHT, HTNOWHERE}, {HTTOP, HTNOWHERE},
               {HTCAPTION, HTCAPTION},      {HTCLIENT, HTCLIENT},       {HTBORDER, HTBORDER}};
  for (const auto& c : cases) EXPECT_EQ(PreventResizeHitTest(c.in), c.out) << c.in;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, SC_SIZE, L"Size");
  AppendMenuW(menu, MF_STRING, SC_MAXIMIZE, L"Maximize");
  AppendMenuW(menu, MF_STRING, SC_CLOSE, L"Close");
  DisableSizeAndMaximize(menu);
  EXPECT_TRUE(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(menu);
}

TEST(WinMinMaxInfo, MaximizedPositionIsMinusTheFrameOfTheBorderStyle) {
  const struct {
    fw::TFormBorderStyle style;
    POINT at;
  } cases[] = {
      {fw::bsNone, {0, 0}},
      {fw::bsSingle, {-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)}},
      {fw::bsSizeable, {-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)}},
      {fw::bsDialog, {-GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME)}},
      {fw::bsToolWindow, {-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)}},
      {fw::bsSizeToolWin, {-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)}},
  };
  for (const auto& c : cases) {
    POINT p = MaximizedPositionFor(c.style);
    EXPECT_EQ(p.x, c.at.x) << c.style;
    EXPECT_EQ(p.y, c.at.y) << c.style;
  }
  // Adjusting a hidden form's placement keeps it hidden and its size (Wine
  // keeps no maximized position of a window that is not maximized, so the
  // position itself is not read back).
  fw::TForm* form = fw::NewForm<fw::TForm>(nullptr);
  form->SetBorderStyle(fw::bsSizeable);
  form->SetBounds(40, 30, 300, 200);
  form->HandleNeeded();
  AdjustMaximizedPosition(form);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ASSERT_TRUE(GetWindowPlacement(form->Handle(), &wp));
  EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, 300);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  form->Free();
}

}  // namespace
