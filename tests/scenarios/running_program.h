// A scenario on the running program: the built program is started for each
// test and its main window has shown before the test's body runs.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "scenarios/program_run.h"
#include "scenarios/program_windows.h"

namespace scenarios {

class RunningProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.started) << "cannot start the program";
    pid = program.info.dwProcessId;
    main = WaitForMainWindow(pid);
    ASSERT_NE(main, nullptr) << "no main window";
  }

  ProgramProcess program;
  DWORD pid = 0;
  HWND main = nullptr;
};

}  // namespace scenarios
