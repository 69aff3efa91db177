// Every scenario starts the program without its settings file: the program
// remembers its windows and controls there, and no scenario may start from
// what another left.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/platform/files.h"

namespace {

class ForgetSettings : public ::testing::EmptyTestEventListener {
  static void Forget() { DeleteFileW(W(fw::AppDataFolder() + u"\\Okrabel\\Vestaline\\vestaline.ini")); }
  void OnTestStart(const ::testing::TestInfo&) override { Forget(); }
  // Nor may the benches, which start the program too.
  void OnTestEnd(const ::testing::TestInfo&) override { Forget(); }
};

[[maybe_unused]] const bool gForgetSettings = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetSettings);
  return true;
}();

}  // namespace
