// Points the program's application-data folder at this test program's own
// before the first test, with the program's folder in it as the program
// makes it when it starts. Every test starts without a settings file: the
// windows remember themselves there, and no test may see what another left.
#include <gtest/gtest.h>
#include <windows.h>

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

class ForgetSettings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { DeleteFileW(W(app::VestalineFolder() + u"\\vestaline.ini")); }
};

[[maybe_unused]] const auto* gProgramFolders = ::testing::AddGlobalTestEnvironment(new ProgramFolders);
[[maybe_unused]] const bool gForgetSettings = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetSettings);
  return true;
}();

}  // namespace
