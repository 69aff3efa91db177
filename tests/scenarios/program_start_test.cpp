#include <gtest/gtest.h>

#include "scenarios/program_run.h"

TEST(ProgramStart, RunsItsStartUpAndEndsWithExitCodeZero) {
  scenarios::ProgramProcess program;
  ASSERT_TRUE(program.started) << "cannot start the program";
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
