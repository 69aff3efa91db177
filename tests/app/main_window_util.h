// Helpers of the main-window tests: the program's units initialised with
// the form descriptions read from the source tree (the test programs hold
// no resources), an application-data folder of the test's own, and the
// sample text of the registry kept and put back.
#pragma once

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// The main window and the headers of its components, which the tests reach.
#include "app/core/result_model.h"
#include "app/font_loading.h"
#include "app/image_form.h"
#include "app/matching_engine.h"
#include "app/startup.h"
#include "capture/asg_capture.h"
#include "controls/base/ckimage.h"
#include "controls/base/ckpanel.h"
#include "controls/base/ckrollout.h"
#include "controls/base/ckscrollpanel.h"
#include "controls/base/ckslider.h"
#include "controls/base/cktransparentbutton.h"
#include "controls/base/ckwizard.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_checkbox.h"
#include "controls/base/xp_taskbar.h"
#include "controls/dialogs/ckballoonhint.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "controls/views/ckmenus.h"
#include "controls/views/ckthumbviews.h"
#include "controls/views/cktrayicon.h"
#include "fw/core/form_loader.h"
#include "fw/core/strings_list.h"
#include "fw/core/units.h"
#include "fw/dialogs/dialogs.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "fw/platform/registry.h"
#include "fw/platform_test_folder.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/listbox.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/spinedit.h"
#include "fw/stdctrls/statusbar.h"
#include "fw/system/actions.h"
#include "fw/system/timers.h"
#include "program_folders.h"
#include "services/ckappinst.h"
#include "services/ckcomputerinfo.h"
#include "services/core/appinistorage.h"
#include "services/core/appstorage.h"
#include "skin/controls/gauge.h"
#include "skin/controls/scrollbar.h"
#include "skin/forms/skin_provider.h"

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

// Frees a form as the framework does when a test owns it.
struct FormDeleter {
  void operator()(fw::TCustomForm* f) const { f->Free(); }
};

// The skin provider the skin manager has given a form, or null.
inline skin::TkSkinProvider* SkinProviderOf(fw::TCustomForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* p = dynamic_cast<skin::TkSkinProvider*>(form->Components(i))) return p;
  return nullptr;
}

// The program's main window made from its description and shown at
// (20, 20) in the foreground, on the wizard page given (or its first).
inline std::unique_ptr<app::TImageForm, FormDeleter> ShowMainWindow(int page = app::kPageMain) {
  std::unique_ptr<app::TImageForm, FormDeleter> f(fw::NewForm<app::TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  f->SetBounds(20, 20, f->Width(), f->Height());
  if (page != app::kPageMain) f->Wizard->SetActivePageIndex(page);
  f->Show();
  SetForegroundWindow(f->Handle());
  return f;
}

}  // namespace apptest
