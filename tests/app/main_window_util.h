// Helpers of the main-window tests: the program's units initialised with
// the form descriptions read from the source tree (the test programs hold
// no resources), an application-data folder of the test's own, and the
// sample text of the registry kept and put back.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "app/image_form.h"
#include "app/startup.h"
#include "fw/core/form_loader.h"
#include "fw/core/units.h"
#include "fw/platform/registry.h"
#include "fw/platform_test_folder.h"
#include "program_folders.h"

namespace apptest {

inline std::string SourcePath(const std::string& relative) {
  const char* dir = std::getenv("VL_SOURCE_DIR");
  std::string unixPath = std::string(dir ? dir : "..") + "/" + relative;
  std::string path = dir && dir[0] == '/' ? "Z:" : "";
  for (char c : unixPath) path.push_back(c == '/' ? '\\' : c);
  return path;
}

// Reads resources/forms/<class without T>.form, as the program reads its
// resource of that name.
inline bool ReadFormFromSourceTree(fw::TCustomForm* Form) {
  fw::String name = Form->ClassName().substr(1);
  std::ifstream in(SourcePath("resources/forms/" + fw::StringToUtf8(name) + ".form"), std::ios::binary);
  if (!in) return false;
  std::stringstream text;
  text << in.rdbuf();
  fw::ReadRootComponent(Form, fw::Utf8ToString(text.str()), name + u".form");
  return true;
}

// The program's units, with forms read from the source tree.
inline void InitialiseProgramUnits() {
  vestaline::RegisterProgramUnits();
  fw::Units().Initialize();
  fw::SetFormDescriptionReader(ReadFormFromSourceTree);
}

// The registry's sample text, put back when the test ends.
class SampleTextKeeper {
 public:
  SampleTextKeeper() {
    fw::TRegistry reg;
    if (reg.OpenKey(app::kSampleTextKey, true) && reg.ValueExists(app::kSampleTextValue)) {
      existed_ = true;
      saved_ = reg.ReadString(app::kSampleTextValue);
    }
  }
  ~SampleTextKeeper() {
    fw::TRegistry reg;
    if (!reg.OpenKey(app::kSampleTextKey, true)) return;
    if (existed_) {
      reg.WriteString(app::kSampleTextValue, saved_);
    } else {
      reg.DeleteValue(app::kSampleTextValue);
    }
  }
  static fw::String Stored() {
    fw::TRegistry reg;
    return reg.OpenKey(app::kSampleTextKey, true) ? reg.ReadString(app::kSampleTextValue) : fw::String();
  }
  static void Store(const fw::String& text) {
    fw::TRegistry reg;
    if (reg.OpenKey(app::kSampleTextKey, true)) reg.WriteString(app::kSampleTextValue, text);
  }

 private:
  bool existed_ = false;
  fw::String saved_;
};

// The application-data folder of one test.
class AppDataFolder {
 public:
  explicit AppDataFolder(const char* name) : folder_(name) { app::SetAppDataFolderForTests(folder_.Path()); }
  ~AppDataFolder() { app::SetAppDataFolderForTests(ProgramAppDataFolder()); }
  const fw::String& Path() const { return folder_.Path(); }
  fw::String DatabaseFile() const { return folder_.Path() + u"\\Okrabel\\Vestaline\\Data\\CBase.DAT"; }

 private:
  fw::testing::TestFolder folder_;
};

}  // namespace apptest
