#include "app/startup.h"

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it and the lean headers leave it out
#include <gdiplus.h>

#include <string_view>

#include "app/about_form.h"
#include "app/custom_text_form.h"
#include "app/database_error.h"
#include "app/database_form.h"
#include "app/filter_form.h"
#include "app/image_form.h"
#include "app/managedlg.h"
#include "app/settings_form.h"
#include "capture/asg_capture.h"
#include "controls/base/ckimage.h"
#include "controls/base/ckpanel.h"
#include "controls/base/ckregister.h"
#include "controls/base/ckrollout.h"
#include "controls/base/cktransparentbutton.h"
#include "controls/base/ckwizard.h"
#include "controls/base/progress_bar.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_checkbox.h"
#include "controls/base/xp_container.h"
#include "controls/base/xp_taskbar.h"
#include "controls/dialogs/ckballoonhint.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "controls/views/ckchecklistbox.h"
#include "controls/views/ckmenus.h"
#include "controls/views/ckthumbviews.h"
#include "controls/views/cktrayicon.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/core/units.h"
#include "fw/dialogs/dialogs.h"
#include "fw/graphics/picture.h"
#include "fw/menus/menus.h"
#include "fw/stdctrls/register.h"
#include "fw/system/application.h"
#include "fw/system/timers.h"
#include "services/appstorage_win.h"
#include "services/ckappinst.h"
#include "services/ckcomputerinfo.h"
#include "services/uclappinst.h"
#include "services/uclunits.h"
#include "skin/controls/gauge.h"
#include "skin/controls/scrollbar.h"
#include "skin/engine/png_graphic.h"
#include "skin/engine/skin_manager.h"

namespace vestaline {

namespace {

ULONG_PTR gGdiplusToken = 0;

// GDI+ is started at load with its own background thread and shut down at
// exit; the program calls nothing else of it.
void StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.SuppressBackgroundThread = FALSE;
  if (Gdiplus::GdiplusStartup(&gGdiplusToken, &input, nullptr) != Gdiplus::Ok) gGdiplusToken = 0;
}

void StopGdiplus() {
  if (gGdiplusToken) Gdiplus::GdiplusShutdown(gGdiplusToken);
  gGdiplusToken = 0;
}

// The classes the form descriptions create by name; the linker would leave
// out any that the code never names.
void RegisterFormClasses() {
  fw::RegisterStdControls();
  fw::RegisterClasses<fw::TTimer, fw::TOpenDialog, fw::TSaveDialog, fw::TMainMenu, fw::TPopupMenu,
                      fw::TMenuItem>();
  fw::RegisterClasses<fw::TActionList, fw::TAction, ck::TCkBrowseForFolderDialog>();
  fw::RegisterClasses<capture::TASGScreenCapture>();
}

void RegisterComputerInfoClasses() { fw::RegisterClasses<services::TCkComputerInfoEx>(); }
void RegisterAppInstancesClasses() { fw::RegisterClasses<services::TCkAppInstances>(); }

void RegisterComponentClasses() { fw::RegisterClasses<ck::TCkWizard, ck::TCkWizardInteriorPage>(); }

void RegisterToolControlClasses() {
  ck::RegisterCkControlClasses();
  fw::RegisterClasses<ck::TCkRollOut, ck::TCkTransparentButton, ck::TCkPanel, ck::TCkImage>();
  fw::RegisterClasses<ck::TCkXPButton, ck::TCkXPCheckbox, ck::TCkXPContainer, ck::TCkXPBar, ck::TCkXPProgressBar,
                      ck::TCkXPStyleManager>();
  // The check list box, the owner-drawn menus and the tray icon.
  ck::RegisterCheckListBoxClasses();
  fw::RegisterClasses<ck::TCkPopupMenu, ck::TCkMainMenu, ck::TCkTrayIcon>();
}

void RegisterSkinControlClasses() {
  fw::RegisterClasses<skin::TkSkinManager, skin::TkStoredSkin, skin::TkScrollBar, skin::TkGauge>();
}

void RegisterProgramForms() {
  fw::RegisterClasses<app::TImageForm, app::TVestalineSettings, app::TAboutForm, app::TForm2, app::Tmanagedlg>();
  fw::SetFormDescriptionReader(ReadFormFromResource);
}

// The global references of the windows, in their order of creation. A
// window may free itself and clear its reference before the end (the
// database builder does), so the references are kept, not the windows.
struct TWindowReference {
  fw::TCustomForm* (*Get)();
  void (*Clear)();
};
std::vector<TWindowReference> gWindows;

template <class T, T** Reference>
void CreateGlobalWindow() {
  fw::Application->CreateForm(*Reference);
  gWindows.push_back({[]() -> fw::TCustomForm* { return *Reference; }, [] { *Reference = nullptr; }});
}

}  // namespace

void RegisterProgramPictureFormats() {
  // PNG through the skin engine's reader, then GIF and JPEG (with BMP,
  // icons and metafiles) from the framework.
  skin::RegisterPngFormat();
  fw::RegisterPictureFormats();
}

void RegisterProgramUnits() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  auto& units = fw::Units();
  // The utility units come first: the others use their text tables.
  units.Add(u"UclUnits", services::InitializeUtilityUnits, services::FinalizeUtilityUnits);
  // Each instance leaves the single-instance registry at the end of its run.
  units.Add(u"CkComputerInfoEx", RegisterComputerInfoClasses);
  units.Add(u"CkAppInst", RegisterAppInstancesClasses, services::FreeGlobalAppInstances);
  units.Add(u"StdCtrls", RegisterFormClasses);
  units.Add(u"CkWizard", RegisterComponentClasses);
  units.Add(u"CkToolControls", RegisterToolControlClasses);
  units.Add(u"SkinScrollBar", RegisterSkinControlClasses);
  units.Add(u"CkThumbViews", ck::RegisterThumbViewClasses);
  units.Add(u"CkBalloonHint", ck::RegisterBalloonHintClasses, ck::FreeGlobalCtrl);
  units.Add(u"CkAppStorage", services::RegisterAppStorageUnit, services::FinalizeAppStorageUnit);
  units.Add(u"Graphics", RegisterProgramPictureFormats);
  units.Add(u"ImageForm", RegisterProgramForms, [] { fw::SetFormDescriptionReader(nullptr); });
  // GDI+ comes last, so that its finalisation runs first.
  units.Add(u"GdiPlus", StartGdiplus, StopGdiplus);
}

bool ReadFormFromResource(fw::TCustomForm* Form) {
  fw::String name = Form->ClassName();
  if (name.size() > 1 && name[0] == u'T') name.erase(0, 1);
  const fw::String resourceName = fw::UpperCase(name);
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, W(resourceName), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!resource) return false;
  HGLOBAL data = LoadResource(module, resource);
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes) return false;
  std::string_view text(bytes, SizeofResource(module, resource));
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  fw::ReadRootComponent(Form, fw::Utf8ToString(text), name + u".form");
  return true;
}

void CreateProgramWindows() {
  // In this order: the main window, the settings dialog, the about box, the
  // database builder, the database filter, the database error dialog, the
  // custom-text dialog and the copy-progress dialog.
  CreateGlobalWindow<app::TImageForm, &app::ImageForm>();
  CreateGlobalWindow<app::TVestalineSettings, &app::VestalineSettings>();
  CreateGlobalWindow<app::TAboutForm, &app::AboutForm>();
  CreateGlobalWindow<app::TDatabaseform, &app::Databaseform>();
  CreateGlobalWindow<app::Tformfilter, &app::formfilter>();
  CreateGlobalWindow<app::TDatabaseerror, &app::Databaseerror>();
  CreateGlobalWindow<app::TForm2, &app::Form2>();
  CreateGlobalWindow<app::Tmanagedlg, &app::managedlg>();
}

std::vector<fw::TCustomForm*> ProgramWindows() {
  std::vector<fw::TCustomForm*> live;
  for (const TWindowReference& w : gWindows)
    if (fw::TCustomForm* form = w.Get()) live.push_back(form);
  return live;
}

void DestroyProgramWindows() {
  while (!gWindows.empty()) {
    const TWindowReference w = gWindows.back();
    gWindows.pop_back();
    if (fw::TCustomForm* form = w.Get()) {
      form->Free();
      w.Clear();
    }
  }
}

int RunProgram() {
  RegisterProgramUnits();
  int exitCode = 0;
  try {
    fw::Units().Initialize();
    fw::Application->SetTitle(u"Vestaline3");
    CreateProgramWindows();
    if (fw::Application->MainForm()) fw::Application->Run();
  } catch (...) {
    fw::Application->HandleException(nullptr);
    exitCode = 1;
  }
  try {
    DestroyProgramWindows();
  } catch (...) {
    fw::Application->HandleException(nullptr);
    exitCode = 1;
  }
  fw::Units().Finalize();
  return exitCode;
}

}  // namespace vestaline
