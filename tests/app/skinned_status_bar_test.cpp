// The main window's status bar during a search of the installed fonts, in
// both program skins: the bar is painted by its skinned adapter, the gauge
// on it is shown, skinned with the window's skin manager and follows the
// search's progress on the screen, and goes when the search ends.
// Screenshots of the bar during the search go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "glyph_samples.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/controls/gauge.h"
#include "skin/controls/status_bar_wnd.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/skin_provider.h"

namespace app {
namespace {

// Runs an action from inside the search's own message rounds once its
// condition holds (a thread timer asks every 10 ms).
struct DuringSearch {
  std::function<bool()> Ready;
  std::function<void()> Action;
  UINT_PTR Id = 0;
};
DuringSearch* gStep = nullptr;

void CALLBACK StepTick(HWND, UINT, UINT_PTR id, DWORD) {
  if (!gStep || gStep->Id != id || !gStep->Ready()) return;
  KillTimer(nullptr, id);
  DuringSearch* step = gStep;
  gStep = nullptr;
  step->Action();
}

void Arm(DuringSearch& step) {
  step.Id = SetTimer(nullptr, 0, 10, StepTick);
  gStep = &step;
}

// The bar painted and on the screen (the system puts what windows paint on
// the screen a little later).
void Shown(fw::TWinControl* bar) {
  bar->Update();
  GdiFlush();
  fwtest::Pump(150);
}

// The gauge's rectangle on the screen as it shows now.
std::unique_ptr<fw::TBitmap> GaugeOnScreen(skin::TkGauge* g) {
  POINT p{g->Left(), g->Top()};
  ClientToScreen(g->Parent()->Handle(), &p);
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(g->Width(), g->Height());
  HDC screen = GetDC(nullptr);
  BitBlt(b->Canvas()->Handle(), 0, 0, g->Width(), g->Height(), screen, p.x, p.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return b;
}

bool ColumnsDiffer(fw::TBitmap& a, fw::TBitmap& b, int x0, int x1) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = x0; x < x1; ++x)
      if (a.Canvas()->Pixel(x, y) != b.Canvas()->Pixel(x, y)) return true;
  return false;
}

TEST(SkinnedStatusBar, TheGaugeFollowsASearchInBothSkins) {
  apptest::AppDataFolder appData{"skinned_status_bar"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  auto f = apptest::ShowMainWindow(kPageRun);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return apptest::SkinProviderOf(f.get()) != nullptr; }, 20000));
  skin::TkSkinProvider* provider = apptest::SkinProviderOf(f.get());
  skin::TkGauge* gauge = f->Gauge1;
  ASSERT_NE(gauge, nullptr);
  EXPECT_FALSE(gauge->Visible()) << "hidden until a search";
  const std::unique_ptr<fw::TBitmap> sample = testing_glyphs::Sample(u"DejaVu Serif", 'g', 40);
  f->Engine().SetSample(sample.get());
  f->secodepoint->SetValue('g');
  f->cbsysytem->SetChecked(true);

  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    const std::string file = name[0] == u'S' ? "sapphire" : "topaz";
    f->kSkinManager1->WriteSkinName(name);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->Skinned() && provider->Skin() == &f->kSkinManager1->Skin(); },
                                  20000));
    SetForegroundWindow(f->Handle());
    fwtest::Pump(100);
    ASSERT_TRUE(fwtest::PumpUntil(
        [&] { return dynamic_cast<skin::TkcStatusBarWnd*>(skin::GetWindowAdapter(f->StatusBar1->Handle())); }, 20000))
        << file << ": the bar gets its adapter with the form";

    // Two moments of the search: its first mark and a later one.
    bool shownSkinned = false, shot = false;
    int firstProgress = 0, laterProgress = 0;
    std::unique_ptr<fw::TBitmap> early, later;
    DuringSearch second{[&] { return gauge->Progress() > firstProgress; }, [&] {
                          Shown(f->StatusBar1);
                          laterProgress = gauge->Progress();
                          later = GaugeOnScreen(gauge);
                          shot = scenarios::SavePng(scenarios::ScreenshotOf(f->StatusBar1->Handle()).get(),
                                                    scenarios::ScreenshotPath("status_bar_search_" + file + ".png"));
                        }};
    DuringSearch first{[&] { return gauge->Visible() && gauge->Progress() > 0; }, [&] {
                         shownSkinned = gauge->Skinned() && gauge->SkinData()->ReadSkinManager() == f->kSkinManager1;
                         Shown(f->StatusBar1);
                         firstProgress = gauge->Progress();
                         early = GaugeOnScreen(gauge);
                         Arm(second);
                       }};
    Arm(first);
    f->btnstartstop->Click();
    if (gStep) KillTimer(nullptr, gStep->Id);
    gStep = nullptr;
    fwtest::Pump();
    ASSERT_TRUE(early && later) << file << ": the search's progress was seen twice (" << firstProgress << ", "
                                << laterProgress << " of " << gauge->MaxValue() << ")";
    EXPECT_TRUE(shownSkinned) << file << ": the gauge wears the window's skin";
    EXPECT_GT(laterProgress, firstProgress);
    // The filled part reached further along the bar on the screen.
    const int from = gauge->Width() * firstProgress / gauge->MaxValue() + 2;
    const int to = gauge->Width() * laterProgress / gauge->MaxValue() - 2;
    ASSERT_LT(from, to);
    EXPECT_TRUE(ColumnsDiffer(*early, *later, from, to)) << file << ": the gauge follows the progress";
    EXPECT_TRUE(shot);
    EXPECT_FALSE(gauge->Visible()) << file << ": gone with the search";
  }
}

}  // namespace
}  // namespace app
