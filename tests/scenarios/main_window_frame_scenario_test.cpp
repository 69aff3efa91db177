// The running program's main window handled by its skinned title as a user
// handles it, with sent mouse messages: its maximise button, found by the
// window's own hit test, maximises it, and the same button restores it to
// where it was; screenshots go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include "scenarios/program_run.h"
#include "scenarios/program_windows.h"
#include "scenarios/running_program.h"

using namespace scenarios;

namespace {

template <class F>
bool WaitFor(F done, DWORD milliseconds = 30000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(50);
  }
  return true;
}

// A point of the title answering the hit code, searched from the right.
POINT TitlePointOf(HWND wnd, LRESULT code) {
  RECT r{};
  GetWindowRect(wnd, &r);
  for (int y = r.top + 2; y < r.top + 40; y += 2)
    for (int x = r.right - 3; x > r.right - 240; x -= 2)
      if (SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code) return {x, y};
  return {-1, -1};
}

// Pressed there and released there (the release comes under the capture,
// in client coordinates).
void ClickTitle(HWND wnd, LRESULT code, POINT at) {
  SendMessageW(wnd, WM_NCLBUTTONDOWN, WPARAM(code), MAKELPARAM(at.x, at.y));
  POINT c = at;
  ScreenToClient(wnd, &c);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
}

}  // namespace

using MainWindowFrame = RunningProgram;

TEST_F(MainWindowFrame, TheSkinnedMaximiseButtonMaximisesAndRestoresIt) {
  SetForegroundWindow(main);
  SettleWindow(main);
  RECT before{};
  GetWindowRect(main, &before);
  const POINT max = TitlePointOf(main, HTMAXBUTTON);
  ASSERT_GE(max.x, 0) << "the skinned title has a maximise button";
  ClickTitle(main, HTMAXBUTTON, max);
  ASSERT_TRUE(WaitFor([&] { return IsZoomed(main) != FALSE; }));
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "program_main_window_maximized"));
  const POINT restore = TitlePointOf(main, HTMAXBUTTON);
  ASSERT_GE(restore.x, 0) << "and a restore button";
  ClickTitle(main, HTMAXBUTTON, restore);
  ASSERT_TRUE(WaitFor([&] { return IsZoomed(main) == FALSE; }));
  SettleWindow(main);
  RECT after{};
  GetWindowRect(main, &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "back where it was";
  EXPECT_TRUE(SaveScreenshot(main, "program_main_window_restored"));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
