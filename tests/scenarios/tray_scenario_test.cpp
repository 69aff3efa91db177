// The program as a user hides it to the notification area: minimising the
// main window leaves only the tray icon, a click on the icon opens the tray
// menu, and its Restore brings the window back.
#include <gtest/gtest.h>

#include <functional>

#include "scenarios/program_windows.h"
#include "scenarios/running_program.h"

using namespace scenarios;

namespace {

// Waits up to half a minute for the condition.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 600; ++i) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

// The hidden utility windows of the process: the tray icon's callback
// window is one of them.
std::vector<HWND> UtilityWindows(DWORD pid) {
  struct S {
    DWORD pid;
    std::vector<HWND> found;
  } s{pid, {}};
  EnumWindows(
      [](HWND wnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<S*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        if (owner == s->pid && WindowClass(wnd) == L"TPUtilWindow") s->found.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND VisibleMenuWindow(DWORD pid) {
  for (HWND wnd : VisibleTopLevelWindows(pid))
    if (WindowClass(wnd) == L"#32768") return wnd;
  return nullptr;
}

}  // namespace

using TrayScenario = RunningProgram;

TEST_F(TrayScenario, MinimisingHidesToTheTrayAndTheTrayMenuRestores) {
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "tray_1_before"));
  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return VisibleTopLevelWindows(pid).empty(); }))
      << "minimised, the program shows no window, not even on the task bar";

  // A left click on the icon: the shell's callback message to the icon's
  // window (the other utility windows ignore it).
  for (HWND wnd : UtilityWindows(pid)) {
    PostMessageW(wnd, WM_USER + 1, 1, WM_LBUTTONDOWN);
    PostMessageW(wnd, WM_USER + 1, 1, WM_LBUTTONUP);
  }
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = VisibleMenuWindow(pid)) != nullptr; })) << "the tray menu opens";
  Sleep(300);
  EXPECT_TRUE(SaveScreenshot(menu, "tray_2_menu"));
  // About, a line, Exit, Restore, a line and Capture: Restore is the third
  // item the keyboard reaches (lines are skipped).
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageW(menu, WM_KEYDOWN, key, 0);
    PostMessageW(menu, WM_KEYUP, key, 0xC0000000);
  }
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); })) << "Restore shows the window again";
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "tray_3_restored"));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
