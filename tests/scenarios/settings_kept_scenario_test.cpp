// The program remembers: a user changes the code point, the speed, the
// matching percentage and the window's size, closes the program and starts
// it again, and finds them as they were. Screenshots of both starts go to
// build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "scenarios/program_run.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

namespace {

// The spin edits of the main window (shown or not) in the order of their
// places on the page: code point, speed, matching percentage.
std::vector<HWND> SpinEdits(HWND main) {
  std::multimap<LONG, HWND> byTop;
  EnumChildWindows(
      main,
      [](HWND wnd, LPARAM p) -> BOOL {
        if (WindowClass(wnd) == L"TSpinEdit") {
          RECT r{};
          GetWindowRect(wnd, &r);
          reinterpret_cast<std::multimap<LONG, HWND>*>(p)->emplace(r.top, wnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&byTop));
  std::vector<HWND> out;
  for (auto& [top, wnd] : byTop) out.push_back(wnd);
  return out;
}

// An edit's text (asked of the control: the system keeps none for another
// process's edit).
std::wstring EditText(HWND edit) {
  wchar_t text[64] = {};
  SendMessageW(edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  return text;
}

void Type(HWND edit, const std::wstring& text) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

}  // namespace

TEST(SettingsKept, CodePointSpeedPercentageAndWindowSizeComeBackAfterARestart) {
  RECT changed{};
  {
    ProgramProcess program;
    ASSERT_TRUE(program.started);
    HWND main = WaitForMainWindow(program.info.dwProcessId);
    ASSERT_NE(main, nullptr);
    SettleWindow(main);
    EXPECT_TRUE(SaveScreenshot(main, "settings_kept_1_first_start"));
    std::vector<HWND> spins = SpinEdits(main);
    ASSERT_EQ(spins.size(), 3u) << DescribeWindowTree(main);
    EXPECT_EQ(EditText(spins[0]), L"65");
    EXPECT_EQ(EditText(spins[1]), L"1");
    EXPECT_EQ(EditText(spins[2]), L"80");
    Type(spins[0], L"103");
    Type(spins[1], L"5");
    Type(spins[2], L"90");
    const RECT r = WindowRectOf(main);
    SetWindowPos(main, nullptr, 60, 40, r.right - r.left - 100, r.bottom - r.top - 60, SWP_NOZORDER);
    changed = WindowRectOf(main);
    ASSERT_EQ(changed.right - changed.left, r.right - r.left - 100);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(60000), 0);
  }
  ProgramProcess program;
  ASSERT_TRUE(program.started);
  HWND main = WaitForMainWindow(program.info.dwProcessId);
  ASSERT_NE(main, nullptr);
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "settings_kept_2_second_start"));
  const RECT now = WindowRectOf(main);
  EXPECT_EQ(now.left, changed.left);
  EXPECT_EQ(now.top, changed.top);
  EXPECT_EQ(now.right - now.left, changed.right - changed.left);
  EXPECT_EQ(now.bottom - now.top, changed.bottom - changed.top);
  std::vector<HWND> spins = SpinEdits(main);
  ASSERT_EQ(spins.size(), 3u);
  EXPECT_EQ(EditText(spins[0]), L"103");
  EXPECT_EQ(EditText(spins[1]), L"5");
  EXPECT_EQ(EditText(spins[2]), L"90");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
