// The program's one road to skinning: once the control skinning is linked,
// the skin manager's active skin installs the window hook, activated forms
// get their provider, and the skinned scroll bars turn into their plain
// skinned windows with the skin and back into system scroll bars without it.
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "skin/controls/attach_hook.h"
#include "skin/controls/scrollbar.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skinning_links.h"

using namespace skin;

namespace {

std::wstring ClassOf(HWND h) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  return cls;
}

struct SkinnedProgram {
  TkSkinManager manager{nullptr};
  SkinnedProgram() {
    manager.ReportMessage = [](const fw::String&) {};
    LoadInternalSkins(*manager.InternalSkins());
    LinkControlSkinning();
  }
};

}  // namespace

TEST(SkinWiring, TheManagersSkinInstallsTheHookAndReachesFormsAndScrollBars) {
  SkinnedProgram p;
  EXPECT_FALSE(CBTHookInstalled()) << "no skin yet";
  EXPECT_EQ(ManagerSkin(), nullptr);
  p.manager.WriteSkinName(u"Sapphire (internal)");
  ASSERT_TRUE(CBTHookInstalled());
  EXPECT_EQ(ManagerSkin(), p.manager.LoadedSkin());

  fwtest::TestForm form;
  form->SetBorderStyle(fw::bsSizeable);
  auto* bar = new TkScrollBar(form.form);
  bar->SetParent(form.form);
  bar->SetBounds(10, 10, 150, 17);
  form->Show();
  fwtest::Pump();
  EXPECT_NE(FindProviderByHandle(form->WindowHandle()), nullptr) << "the form was skinned when activated";
  ASSERT_TRUE(fwtest::PumpUntil([&] {
    UpdateWindow(bar->Handle());
    return ClassOf(bar->Handle()) == L"TkScrollBar";
  })) << "the bar is its plain skinned window";
  bar->SetPosition(40);

  p.manager.WriteActive(false);
  EXPECT_FALSE(CBTHookInstalled());
  EXPECT_EQ(ManagerSkin(), nullptr);
  EXPECT_EQ(ClassOf(bar->Handle()), L"TkSystemScrollBar") << "the system bar again";
  EXPECT_EQ(bar->Position(), 40);

  p.manager.WriteActive(true);
  EXPECT_TRUE(CBTHookInstalled());
  EXPECT_TRUE(fwtest::PumpUntil([&] {
    UpdateWindow(bar->Handle());
    return ClassOf(bar->Handle()) == L"TkScrollBar";
  })) << "skinned again";
  EXPECT_EQ(bar->Position(), 40);
  RemoveSkinHook();
}
