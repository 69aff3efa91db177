// The program as a user starts it: its main window appears with its title
// and the wizard's first page, and closing the window ends the program with
// exit code 0 and no window left.
#include <gtest/gtest.h>

#include "scenarios/program_run.h"
#include "scenarios/running_program.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

using ProgramStart = RunningProgram;

TEST_F(ProgramStart, ShowsTheMainWindowOnItsFirstPageAndEndsWithExitCodeZeroWhenClosed) {

  SCOPED_TRACE(DescribeWindowTree(main));
  // The wizard shows its introduction with only a Next button.
  EXPECT_NE(FindVisibleDescendant(main, L"MainPanel", L"TCkWizardInteriorPage"), nullptr);
  for (const wchar_t* page : {L"ImageLoad", L"Run", L"Multipreview"})
    EXPECT_EQ(FindVisibleDescendant(main, page, L"TCkWizardInteriorPage"), nullptr) << Narrow(page);
  EXPECT_NE(FindVisibleDescendant(main, L"&Next >"), nullptr);
  for (const wchar_t* button : {L"< &Back", L"Main page", L"Cancel"})
    EXPECT_EQ(FindVisibleDescendant(main, button), nullptr) << Narrow(button);

  // The only windows the program shows are its main window and the
  // application's own (its taskbar button, a window of no size), both
  // titled "Vestaline3".
  for (HWND wnd : VisibleTopLevelWindows(pid)) {
    RECT r{};
    GetWindowRect(wnd, &r);
    EXPECT_TRUE(wnd == main || (WindowText(wnd) == L"Vestaline3" && r.right == r.left))
        << Narrow(WindowClass(wnd)) << " '" << Narrow(WindowText(wnd)) << "'";
  }

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
  EXPECT_TRUE(VisibleTopLevelWindows(pid).empty());
}
