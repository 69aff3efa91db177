// The main window's menus in both skins, as a user opens them: Alt opens
// the menu bar at its first item and the down arrow drops that item's
// popup. The skin draws the hot item of the menu line and the popup (its
// items and its shaped frame). Screenshots of the window with its open
// popup go to build/win/screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/skin_provider.h"
#include "skin/forms/skinned_menus.h"

using namespace app;

namespace {

HWND OpenPopupWindow() {
  for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

// Works the menu from a timer the menu loop dispatches: once the bar's
// first item is hot, the down arrow opens its popup; once the popup's items
// are drawn, the screen around window and popup is taken and the menu ends.
struct MenuProbe {
  static MenuProbe* current;
  HWND wnd = nullptr;
  int ticks = 0, step = 0, settle = 0;
  int lineHot = 0, popupItems = 0;
  HWND popup = nullptr;
  int regionType = ERROR;
  std::unique_ptr<fw::TBitmap> shot;

  void Drawn(fw::TObject*, fw::TCanvas*, const fw::TRect&, fw::TOwnerDrawState State, skin::TkMenuItemType Type) {
    if (Type == skin::smTopLine) {
      if (State.Contains(fw::odSelected) || State.Contains(fw::odHotLight)) ++lineHot;
    } else {
      ++popupItems;
    }
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuProbe& p = *current;
    if (++p.ticks > 400) {
      EndMenu();
      return;
    }
    if (p.step == 0 && p.lineHot > 0) {
      p.step = 1;
      PostMessageW(p.wnd, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(p.wnd, WM_KEYUP, VK_DOWN, 0xC0000000);
    } else if (p.step == 1 && p.popupItems > 0 && OpenPopupWindow()) {
      // A few more ticks for the frame and the last items.
      if (++p.settle < 6) return;
      p.step = 2;
      p.popup = OpenPopupWindow();
      HRGN r = CreateRectRgn(0, 0, 0, 0);
      p.regionType = GetWindowRgn(p.popup, r);
      DeleteObject(r);
      RECT a{}, b{};
      GetWindowRect(p.wnd, &a);
      GetWindowRect(p.popup, &b);
      // The top of the window down to the popup's bottom.
      RECT area{a.left, a.top, std::max(a.right, b.right), std::max(b.bottom, a.top + 200)};
      p.shot = std::make_unique<fw::TBitmap>();
      p.shot->SetPixelFormat(fw::pf24bit);
      p.shot->SetSize(area.right - area.left, area.bottom - area.top);
      HDC screen = GetDC(nullptr);
      BitBlt(p.shot->Canvas()->Handle(), 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left,
             area.top, SRCCOPY);
      ReleaseDC(nullptr, screen);
      EndMenu();
    }
  }
};
MenuProbe* MenuProbe::current = nullptr;

TEST(MainWindowMenus, TheMenuLineAndAnOpenPopupAreDrawnByEitherSkin) {
  apptest::AppDataFolder appData{"main_window_menus"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  std::unique_ptr<TImageForm, apptest::FormDeleter> f(fw::NewForm<TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  f->SetBounds(20, 20, 640, 420);
  f->Show();
  SetForegroundWindow(f->Handle());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return apptest::SkinProviderOf(f.get()) != nullptr; }, 20000));
  skin::TkSkinProvider* provider = apptest::SkinProviderOf(f.get());
  const HWND wnd = f->Handle();
  ASSERT_NE(f->Menu(), nullptr);
  skin::TkSkinableMenus* menus = skin::SkinableMenusOf(f->kSkinManager1);
  ASSERT_NE(menus, nullptr);
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    const std::string skin = name[0] == u'S' ? "sapphire" : "topaz";
    f->kSkinManager1->WriteSkinName(name);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->Skinned() && provider->Skin() == &f->kSkinManager1->Skin(); },
                                  20000));
    SetForegroundWindow(wnd);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->FormActive(); }, 20000));
    fwtest::Pump(100);
    ASSERT_TRUE(provider->Menus().Line().DrawsLine(provider->ImageInput().Frame)) << skin;

    MenuProbe probe;
    probe.wnd = wnd;
    MenuProbe::current = &probe;
    menus->OnDrawItem = skin::TkMenuManagerDrawItemEvent(&probe, &MenuProbe::Drawn);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &MenuProbe::Tick);
    // Alt pressed and released alone opens the bar at its first item.
    PostMessageW(wnd, WM_SYSKEYDOWN, VK_MENU, 0x20000000);
    PostMessageW(wnd, WM_SYSKEYUP, VK_MENU, 0xC0000000);
    fwtest::PumpUntil([&] { return probe.step == 2 || probe.ticks > 400; }, 30000);
    KillTimer(nullptr, timer);
    menus->OnDrawItem = nullptr;
    fwtest::PumpUntil([&] { return !OpenPopupWindow(); }, 5000);
    EXPECT_GT(probe.lineHot, 0) << skin << ": the hot item of the line is the skin's";
    EXPECT_GT(probe.popupItems, 0) << skin << ": the popup's items are the skin's";
    EXPECT_TRUE(probe.regionType == SIMPLEREGION || probe.regionType == COMPLEXREGION)
        << skin << ": the skin's frame shapes the popup";
    ASSERT_TRUE(probe.shot) << skin;
    EXPECT_TRUE(scenarios::SavePng(probe.shot.get(), scenarios::ScreenshotPath("main_menu_" + skin + ".png")));
  }
}

}  // namespace
