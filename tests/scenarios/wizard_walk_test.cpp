// Steps through the main window's wizard with its own buttons, as a user
// would, and saves a screenshot of every page under build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/platform_test_folder.h"
#include "scenarios/open_image.h"
#include "scenarios/program_run.h"
#include "scenarios/running_program.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

using WizardWalk = RunningProgram;

namespace {

constexpr const wchar_t* kPageClass = L"TCkWizardInteriorPage";

// The name of the page the wizard shows.
std::wstring ShownPage(HWND main) {
  for (const wchar_t* page : {L"MainPanel", L"ImageLoad", L"Run", L"Multipreview"})
    if (FindVisibleDescendant(main, page, kPageClass)) return page;
  return L"";
}

// Clicks "View filtered fonts" on the search page, the way to the
// multi-font page that needs no menu (another process can't open the
// program's menus under Wine). The label is a windowless control, so the
// click goes to the page at the label's place.
bool ClickViewFilteredFonts(HWND main) {
  HWND run = FindVisibleDescendant(main, L"Run", kPageClass);
  if (!run) return false;
  ClickAt(run, 615, 404);  // the label's place in the form description
  return true;
}

}  // namespace

TEST_F(WizardWalk, NextAndBackStepThroughThePagesAndEachPageIsSaved) {

  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"MainPanel");
  EXPECT_TRUE(SaveScreenshot(main, "page0_MainPanel"));

  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"ImageLoad");
  EXPECT_NE(FindVisibleDescendant(main, L"< &Back"), nullptr);

  // Without an image Next stays and offers to open one.
  fw::testing::TestFolder folder("wizard_walk");
  const std::wstring image = WriteCharacterImage(folder / u"character.bmp", {fw::TRect(40, 20, 70, 60)});
  ASSERT_TRUE(OpenImageThroughNext(main, program.info.dwProcessId, image));
  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"ImageLoad");
  EXPECT_TRUE(SaveScreenshot(main, "page1_ImageLoad"));

  // With one, Next takes it as the sample.
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"Run");
  // The search page has no Next of its own.
  EXPECT_EQ(FindVisibleDescendant(main, L"&Next >"), nullptr);
  EXPECT_TRUE(SaveScreenshot(main, "page2_Run"));

  // The multi-font page shows the results (none yet); its "Main page" leads
  // to the image page.
  ASSERT_TRUE(ClickViewFilteredFonts(main));
  SettleWindow(main);
  EXPECT_EQ(ShownPage(main), L"Multipreview");
  EXPECT_TRUE(SaveScreenshot(main, "page3_Multipreview"));
  ASSERT_TRUE(ClickButton(main, L"Main page"));
  EXPECT_EQ(ShownPage(main), L"ImageLoad");

  ASSERT_TRUE(ClickButton(main, L"< &Back"));
  EXPECT_EQ(ShownPage(main), L"MainPanel");

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}

TEST_F(WizardWalk, ClosingFromTheMultiFontPageAsksAndNoReturnsToTheImagePage) {
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  fw::testing::TestFolder folder("wizard_walk_close");
  const std::wstring image = WriteCharacterImage(folder / u"character.bmp", {fw::TRect(40, 20, 70, 60)});
  ASSERT_TRUE(OpenImageThroughNext(main, pid, image));
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  ASSERT_TRUE(ClickViewFilteredFonts(main));
  ASSERT_EQ(ShownPage(main), L"Multipreview");

  // First close: the question, answered No.
  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND question = WaitForDialog(pid, 20000);
  ASSERT_NE(question, nullptr);
  EXPECT_NE(DialogText(question).find(L"Would you like to close the program?"), std::wstring::npos)
      << Narrow(DialogText(question));
  SettleWindow(question, 200);
  SaveScreenshot(question, "close_question");
  ASSERT_TRUE(PostClickButton(question, L"&No"));
  EXPECT_EQ(program.WaitForExit(1000), -1) << "the program ended though the answer was No";
  EXPECT_EQ(ShownPage(main), L"ImageLoad");
  EXPECT_TRUE(IsWindowVisible(main));

  // Second close from the image page: no question, the program ends.
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
  EXPECT_TRUE(VisibleTopLevelWindows(pid).empty());
}
