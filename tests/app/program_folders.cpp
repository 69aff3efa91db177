// Points the program's application-data folder at this test program's own
// before the first test, with the program's folder in it as the program
// makes it when it starts.
#include <gtest/gtest.h>

#include "app/font_loading.h"
#include "program_folders.h"

namespace {

class ProgramFolders : public ::testing::Environment {
 public:
  void SetUp() override {
    app::SetAppDataFolderForTests(apptest::ProgramAppDataFolder());
    ASSERT_TRUE(fw::ForceDirectories(app::VestalineFolder())) << fw::StringToUtf8(app::VestalineFolder());
  }
};

[[maybe_unused]] const auto* gProgramFolders = ::testing::AddGlobalTestEnvironment(new ProgramFolders);

}  // namespace
