// The main window wears the skin of its skin manager: the provider is
// attached when the window is activated, follows a change of skin, and
// screenshots of the window active and inactive in both skins go to
// build/win/screenshots.
#include <gtest/gtest.h>

#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/skin_provider.h"

using namespace app;

namespace {

struct FormDeleter {
  void operator()(TImageForm* f) const { f->Free(); }
};

skin::TkSkinProvider* ProviderOf(fw::TCustomForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* p = dynamic_cast<skin::TkSkinProvider*>(form->Components(i))) return p;
  return nullptr;
}

TEST(SkinnedMainWindow, WearsTheManagersSkinActiveAndInactiveInBothSkins) {
  apptest::AppDataFolder appData{"skinned_window"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  std::unique_ptr<TImageForm, FormDeleter> f(fw::NewForm<TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  f->SetBounds(20, 20, f->Width(), f->Height());
  f->Show();
  SetForegroundWindow(f->Handle());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ProviderOf(f.get()) != nullptr; }, 20000))
      << "activation attaches a provider";
  skin::TkSkinProvider* provider = ProviderOf(f.get());
  ASSERT_NE(f->kSkinManager1, nullptr);
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    f->kSkinManager1->WriteSkinName(name);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->Skinned() && provider->Skin() == &f->kSkinManager1->Skin(); },
                                  20000));
    const std::string file = name[0] == u'S' ? "sapphire" : "topaz";
    SetForegroundWindow(f->Handle());
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->FormActive(); }, 20000));
    RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump(300);
    EXPECT_EQ(provider->ImageInput().Caption, f->Caption());
    EXPECT_TRUE(provider->ImageInput().Active);
    EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(f->Handle()).get(),
                                   scenarios::ScreenshotPath("main_window_" + file + "_active.png")));
    SendMessageW(f->Handle(), WM_NCACTIVATE, FALSE, 0);
    fwtest::Pump(300);
    EXPECT_FALSE(provider->ImageInput().Active);
    EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(f->Handle()).get(),
                                   scenarios::ScreenshotPath("main_window_" + file + "_inactive.png")));
  }
}

}  // namespace
