// Starting the program a second time while it runs: the second start ends
// at once with exit code 0, only the first main window exists, it comes to
// the front, and the character files it had cut are still there.
// Screenshots go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fw/platform/files.h"
#include "fw/platform_test_folder.h"
#include "scenarios/open_image.h"
#include "scenarios/program_run.h"
#include "scenarios/program_windows.h"
#include "scenarios/running_program.h"

using namespace scenarios;

using SecondStartScenario = RunningProgram;

namespace {

bool WaitUntil(bool (*condition)(HWND), HWND wnd) {
  const DWORD start = GetTickCount();
  while (!condition(wnd)) {
    if (GetTickCount() - start > 30000) return condition(wnd);
    Sleep(50);
  }
  return true;
}

}  // namespace

TEST_F(SecondStartScenario, HandsOverToTheFirstWhichKeepsItsWindowAndItsCropFiles) {
  fw::testing::TestFolder folder("second_start_scenario");
  const std::wstring image =
      WriteCharacterImage(folder / u"two.bmp", {fw::TRect(20, 20, 50, 60), fw::TRect(80, 20, 100, 60)});
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  ASSERT_TRUE(OpenImageThroughNext(main, pid, image));
  SettleWindow(main);
  HWND cropChars = FindVisibleDescendant(main, L"Crop Chars");
  ASSERT_NE(cropChars, nullptr) << DescribeWindowTree(main);
  ClickAt(cropChars, 10, 10);
  SettleWindow(main);
  ASSERT_EQ(CropFiles(), 2);

  ProgramProcess second(L"\"" + image + L"\"");
  ASSERT_TRUE(second.started);
  EXPECT_EQ(second.WaitForExit(60000), 0);
  EXPECT_TRUE(VisibleTopLevelWindows(second.info.dwProcessId).empty());

  // One main window: the first one, in front.
  int mainWindows = 0;
  for (HWND wnd : VisibleTopLevelWindows(pid))
    if (WindowText(wnd) == L"Vestaline3" && wnd != nullptr) {
      RECT r{};
      GetWindowRect(wnd, &r);
      if (r.right > r.left) ++mainWindows;
    }
  EXPECT_EQ(mainWindows, 1);
  EXPECT_TRUE(WaitUntil([](HWND w) { return GetForegroundWindow() == w; }, main)) << "the first is in front";
  EXPECT_EQ(CropFiles(), 2) << "the second start left the crop folder alone";
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "second_start_first_in_front"));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
