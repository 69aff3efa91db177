// Steps through the main window's wizard with its own buttons, as a user
// would, and saves a screenshot of every page under build/win/screenshots.
#include <gtest/gtest.h>

#include "scenarios/program_run.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

namespace {

constexpr const wchar_t* kPageClass = L"TCkWizardInteriorPage";

// The name of the page the wizard shows.
std::wstring ShownPage(HWND main) {
  for (const wchar_t* page : {L"MainPanel", L"ImageLoad", L"Run", L"Multipreview"})
    if (FindVisibleDescendant(main, page, kPageClass)) return page;
  return L"";
}

}  // namespace

TEST(WizardWalk, NextAndBackStepThroughThePagesAndEachPageIsSaved) {
  ProgramProcess program;
  ASSERT_TRUE(program.started) << "cannot start the program";
  HWND main = WaitForTopLevel(program.info.dwProcessId, L"Vestaline3", 60000, L"TImageForm");
  ASSERT_NE(main, nullptr);

  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"MainPanel");
  EXPECT_TRUE(SaveScreenshot(main, "page0_MainPanel"));

  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"ImageLoad");
  EXPECT_NE(FindVisibleDescendant(main, L"< &Back"), nullptr);
  EXPECT_TRUE(SaveScreenshot(main, "page1_ImageLoad"));

  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"Run");
  // The search page has no Next of its own.
  EXPECT_EQ(FindVisibleDescendant(main, L"&Next >"), nullptr);
  EXPECT_TRUE(SaveScreenshot(main, "page2_Run"));

  ASSERT_TRUE(ClickButton(main, L"< &Back"));
  EXPECT_EQ(ShownPage(main), L"ImageLoad");
  ASSERT_TRUE(ClickButton(main, L"< &Back"));
  EXPECT_EQ(ShownPage(main), L"MainPanel");

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
