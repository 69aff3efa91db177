// The settings dialog as a user meets it: F8 opens it on its three pages,
// and a capture mode chosen there still holds after a restart, for the
// first capture although the dialog was not opened again. Screenshots of
// the pages go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

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

HWND DescendantOfClass(HWND parent, const wchar_t* className) {
  struct Search {
    const wchar_t* cls;
    HWND found;
  } s{className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (WindowClass(wnd) != s->cls) return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// A visible top-level window of the process of that class, waited for.
HWND WaitForWindowOfClass(DWORD pid, const wchar_t* className, DWORD milliseconds = 30000) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND wnd : VisibleTopLevelWindows(pid))
          if (WindowClass(wnd) == className) found = wnd;
        return found != nullptr;
      },
      milliseconds);
  return found;
}

// F8, as the user presses it in the main window.
HWND OpenSettings(HWND main, DWORD pid) {
  SetForegroundWindow(main);
  PostMessageW(main, WM_KEYDOWN, VK_F8, 0);
  PostMessageW(main, WM_KEYUP, VK_F8, 0xC0000000);
  return WaitForTopLevel(pid, L"Settings", 30000);
}

void ShowPage(HWND dialog, int index) {
  HWND tabs = DescendantOfClass(dialog, L"TPageControl");
  ASSERT_NE(tabs, nullptr) << DescribeWindowTree(dialog);
  SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
  SettleWindow(dialog);
}

}  // namespace

using SettingsDialog = RunningProgram;

TEST_F(SettingsDialog, F8OpensItOnItsThreePages) {
  HWND settings = OpenSettings(main, pid);
  ASSERT_NE(settings, nullptr);
  const char* names[] = {"settings_1_general", "settings_2_capture", "settings_3_database"};
  for (int page = 0; page < 3; ++page) {
    ShowPage(settings, page);
    EXPECT_TRUE(SaveScreenshot(settings, names[page]));
  }
  ASSERT_TRUE(PostClickButton(settings, L"Close"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(settings); }));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}

TEST(SettingsKept, AFreeHandCaptureChosenInTheSettingsIsTheNextCaptureAfterARestart) {
  {
    ProgramProcess program;
    ASSERT_TRUE(program.started);
    const DWORD pid = program.info.dwProcessId;
    HWND main = WaitForMainWindow(pid);
    ASSERT_NE(main, nullptr);
    HWND settings = OpenSettings(main, pid);
    ASSERT_NE(settings, nullptr);
    ShowPage(settings, 1);
    HWND freeHand = FindVisibleDescendant(settings, L"FreeHand");
    ASSERT_NE(freeHand, nullptr) << DescribeWindowTree(settings);
    SendMessageW(freeHand, BM_CLICK, 0, 0);
    ASSERT_TRUE(PostClickButton(settings, L"Close"));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(settings); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(60000), 0);
  }
  ProgramProcess program;
  ASSERT_TRUE(program.started);
  const DWORD pid = program.info.dwProcessId;
  HWND main = WaitForMainWindow(pid);
  ASSERT_NE(main, nullptr);
  // "Capture" in the image page's task bar, the item below "Open"; the
  // click is posted: the capture runs its own loop.
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  HWND bar = FindVisibleDescendant(main, L"Image", L"TCkXPBar");
  ASSERT_NE(bar, nullptr) << DescribeWindowTree(main);
  PostClickAt(bar, 50, 53);
  HWND capture = WaitForWindowOfClass(pid, L"TCaptureFreehandForm");
  EXPECT_NE(capture, nullptr) << "the rectangle's window shows instead: "
                              << (WaitForWindowOfClass(pid, L"TCaptureRectForm", 1000) != nullptr);
  // Escape ends the capture without a picture.
  if (capture) {
    PostMessageW(capture, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return !IsWindowVisible(capture); });
  }
}
