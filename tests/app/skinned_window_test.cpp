// The main window wears the skin of its skin manager: the provider is
// attached when the window is activated, follows a change of skin, and
// screenshots of the window active and inactive in both skins go to
// build/win/screenshots; the image page's sliders are painted by the skin
// in both skins (screenshots too).
#include <gtest/gtest.h>

#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "fw/stdctrls_test_util.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/skin_provider.h"

using namespace app;

namespace {

TEST(SkinnedMainWindow, WearsTheManagersSkinActiveAndInactiveInBothSkins) {
  apptest::AppDataFolder appData{"skinned_window"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  auto f = apptest::ShowMainWindow();
  ASSERT_TRUE(fwtest::PumpUntil([&] { return apptest::SkinProviderOf(f.get()) != nullptr; }, 20000))
      << "activation attaches a provider";
  skin::TkSkinProvider* provider = apptest::SkinProviderOf(f.get());
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

// The image page's sliders become the skin's own windows and are painted
// from it: none of them shows the system's scroll bar face.
TEST(SkinnedMainWindow, TheImagePageSlidersWearTheSkinInBothSkins) {
  apptest::AppDataFolder appData{"skinned_sliders"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  std::unique_ptr<TImageForm, apptest::FormDeleter> f(fw::NewForm<TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  f->SetBounds(20, 20, f->Width(), f->Height());
  f->Show();
  f->Wizard->SetActivePageIndex(kPageImageLoad);
  // Resize open among the default image's roll-outs and HSV among the
  // modified image's (each roll-out's expansion closes the others).
  f->roResize->SetCollapsed(false);
  f->roHSV->OnExpand = {};
  f->roHSV->SetCollapsed(false);
  SetForegroundWindow(f->Handle());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return apptest::SkinProviderOf(f.get()) != nullptr; }, 20000));
  skin::TkSkinProvider* provider = apptest::SkinProviderOf(f.get());
  const std::pair<skin::TkScrollBar*, const char*> sliders[] = {
      {f->trresize, "resize"},         {f->trrotate, "rotate"},   {f->trlight, "colour range"},
      {f->tbhue, "hue"},               {f->tbsaturation, "saturation"}, {f->tbvalue, "value"},
      {f->tbbrightness, "brightness"}, {f->tbcontrast, "contrast"},     {f->sbzoom, "zoom"}};
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    f->kSkinManager1->WriteSkinName(name);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->Skinned() && provider->Skin() == &f->kSkinManager1->Skin(); },
                                  20000));
    for (const auto& [slider, what] : sliders) {
      ASSERT_NE(slider, nullptr) << what;
      // A skinned slider is the plain window of its own class, which only
      // the skin paints.
      EXPECT_TRUE(fwtest::PumpUntil([&] { return fwtest::ClassNameOf(slider->Handle()) == "TkScrollBar"; }, 20000))
          << what;
    }
    SetForegroundWindow(f->Handle());
    RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump(300);
    const std::string file = name[0] == u'S' ? "sapphire" : "topaz";
    EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(f->Handle()).get(),
                                   scenarios::ScreenshotPath("image_page_sliders_" + file + ".png")));
  }
}

}  // namespace
