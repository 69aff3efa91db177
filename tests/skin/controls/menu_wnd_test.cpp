// Popup menu windows under the adapter: the skinned menus' region questions,
// the window kept unseen from its showing until its frame is painted, then
// given the menus' transparency, and nothing of this while no skinned menu
// is open; a real popup menu under the attachment hook.
#include "skin/controls/menu_wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "skin/controls/attach_hook.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

// A popup with a 3-pixel frame standing in for a menu window.
struct MenuWindow {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND wnd;
  std::unique_ptr<TkcMnuWnd> adapter;
  MenuWindow() {
    wnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_DLGFRAME, 100, 100, 120, 90,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    TkcSkinParams p;
    p.SkinSection = u"MAINMENU";
    adapter.reset(AttachAdapter<TkcMnuWnd>(wnd, [this] { return skin.get(); }, p));
  }
  ~MenuWindow() {
    adapter.reset();
    if (IsWindow(wnd)) DestroyWindow(wnd);
    SkinnedMenuOpen = false;
  }
  LRESULT Command(WORD code) { return SendMessageW(wnd, WM_SKINCOMMAND, SkinCommand(code), 0); }
  void AboutToShow() {
    WINDOWPOS pos{wnd, nullptr, 100, 100, 120, 90, SWP_SHOWWINDOW | SWP_NOACTIVATE};
    SendMessageW(wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  }
  bool Layered() const { return (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
  int Alpha() const {
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags) ? alpha : -1;
  }
};

}  // namespace

TEST(MenuWnd, RegionQuestionsOfTheSkinnedMenus) {
  MenuWindow m;
  EXPECT_EQ(m.Command(SKC_ISHANDLED), 1);
  EXPECT_EQ(m.Command(SKC_MENUREGIONQUERY), 0) << "fresh";
  m.Command(SKC_MENUREGIONSET);
  EXPECT_EQ(m.Command(SKC_MENUREGIONQUERY), 0) << "a hidden window's region is not counted";
  ShowWindow(m.wnd, SW_SHOWNA);
  m.Command(SKC_MENUREGIONSET);
  EXPECT_EQ(m.Command(SKC_MENUREGIONQUERY), 1) << "set while visible";
  SkinnedMenuOpen = true;
  SendMessageW(m.wnd, WM_ERASEBKGND, 0, 0);
  EXPECT_EQ(m.Command(SKC_MENUREGIONQUERY), 0) << "until the next background paint";
}

TEST(MenuWnd, UnseenUntilItsFrameIsPaintedThenTheMenusTransparency) {
  TkSkinManager manager{nullptr};
  manager.WriteIsDefault(true);
  for (int alpha : {255, 200}) {
    manager.MenuSupport()->FAlphaBlend = uint8_t(alpha);
    MenuWindow m;
    SkinnedMenuOpen = true;
    m.AboutToShow();
    EXPECT_TRUE(m.Layered()) << alpha;
    EXPECT_EQ(m.Alpha(), 0) << "hidden while it comes up";
    ShowWindow(m.wnd, SW_SHOWNA);
    SendMessageW(m.wnd, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(m.adapter->Shown);
    EXPECT_EQ(m.Layered(), alpha != 255) << alpha;
    if (alpha != 255) {
      EXPECT_EQ(m.Alpha(), alpha);
    }
  }
  manager.WriteIsDefault(false);
}

TEST(MenuWnd, WithoutASkinnedMenuTheWindowIsLeftAlone) {
  MenuWindow m;
  SkinnedMenuOpen = false;
  m.AboutToShow();
  EXPECT_FALSE(m.Layered());
  ShowWindow(m.wnd, SW_SHOWNA);
  SendMessageW(m.wnd, WM_NCPAINT, 1, 0);
  EXPECT_FALSE(m.adapter->Shown);
}

TEST(MenuWnd, TheLastMenuWindowGoingEndsTheOpenMenu) {
  MenuWindow m;
  SkinnedMenuOpen = true;
  ShowWindow(m.wnd, SW_SHOWNA);
  DestroyWindow(m.wnd);
  EXPECT_TRUE(m.adapter->Destroyed);
  EXPECT_FALSE(SkinnedMenuOpen);
  fwtest::Pump(20);  // the adapters of closed menus are freed afterwards
}

namespace {

// What a timer saw of the open popup menu's window, before it ended the menu.
struct MenuProbe {
  int ticks = 0, adapters = -1;
  bool handled = false, shown = false, layered = true;
};
MenuProbe gMenuProbe;

void CALLBACK MenuProbeTick(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) {
    if (++gMenuProbe.ticks > 400) {  // nothing within 20 s
      KillTimer(nullptr, id);
      EndMenu();
    }
    return;
  }
  KillTimer(nullptr, id);
  gMenuProbe.adapters = 0;
  for (const auto& a : MenuWindowAdapters())
    if (a && !a->Destroyed) {
      ++gMenuProbe.adapters;
      if (a->CtrlHandle == menu) gMenuProbe.shown = static_cast<TkcMnuWnd*>(a.get())->Shown;
    }
  gMenuProbe.handled = SendMessageW(menu, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0) == 1;
  gMenuProbe.layered = (GetWindowLongPtrW(menu, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  EndMenu();
}

}  // namespace

TEST(MenuWnd, ARealPopupMenuGetsOneAdapterThatGoesWithIt) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  InstallSkinHook([&] { return skin.get(); });
  fwtest::TestForm owner;
  owner->Show();
  fwtest::Pump();
  SetForegroundWindow(owner->WindowHandle());
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"One");
  AppendMenuW(menu, MF_STRING, 2, L"Two");
  gMenuProbe = MenuProbe{};
  SkinnedMenuOpen = true;  // as the skinned menus set it when they measure the items
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, MenuProbeTick);
  TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 120, 120, 0, owner->WindowHandle(), nullptr);
  KillTimer(nullptr, timer);
  EXPECT_EQ(gMenuProbe.adapters, 1) << "one window, one adapter";
  EXPECT_TRUE(gMenuProbe.handled) << "never attached twice";
  EXPECT_TRUE(gMenuProbe.shown) << "its frame was painted";
  EXPECT_FALSE(gMenuProbe.layered) << "and it is opaque again (the menus' transparency is 255)";
  EXPECT_FALSE(SkinnedMenuOpen) << "the last menu window going ends the open menu";
  EXPECT_TRUE(fwtest::PumpUntil([] { return MenuWindowAdapters().empty(); }, 5000)) << "and its adapter goes";
  DestroyMenu(menu);
  RemoveSkinHook();
}

// The frame comes from the popup's background that the skinned menus keep
// when it has the size they make it in, and the backgrounds go when a menu
// window goes.
TEST(MenuWnd, TheFrameFromTheMenusOwnBackground) {
  TkSkinManager manager{nullptr};
  manager.WriteIsDefault(true);
  TkSkinableMenus* menus = SkinableMenusOf(&manager);
  ASSERT_NE(menus, nullptr);
  constexpr fw::TColor kBackground = 0x123456;
  for (int less : {6, 0}) {
    MenuWindow m;
    RECT r{};
    GetWindowRect(m.wnd, &r);
    menus->PrepareMenuBG(nullptr, r.right - r.left - less, r.bottom - r.top, m.wnd);
    TkcMenuInfo* info = menus->GetMenuInfo(nullptr, nullptr, m.wnd);
    ASSERT_NE(info, nullptr);
    fw::TCanvas& c = *info->Bmp->Canvas();
    c.Brush()->SetColor(kBackground);
    c.FillRect(fw::Rect(0, 0, info->Bmp->Width(), info->Bmp->Height()));
    SkinnedMenuOpen = true;
    ShowWindow(m.wnd, SW_SHOWNA);
    SendMessageW(m.wnd, WM_NCPAINT, 1, 0);
    HDC dc = GetWindowDC(m.wnd);
    const COLORREF frame = GetPixel(dc, 1, 1);
    ReleaseDC(m.wnd, dc);
    EXPECT_EQ(frame == COLORREF(kBackground), less == 6) << less;
    DestroyWindow(m.wnd);
    EXPECT_TRUE(menus->MenuInfoCache().empty()) << less << ": freed with the window";
    fwtest::Pump(20);
  }
  manager.WriteIsDefault(false);
}

namespace {

// The window's properties other than the adapters' own: what switching the
// visual theme off leaves behind.
std::vector<std::wstring> ForeignProps(HWND wnd) {
  std::vector<std::wstring> names;
  EnumPropsExW(
      wnd,
      [](HWND, LPWSTR name, HANDLE, ULONG_PTR data) -> BOOL {
        std::wstring n = (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0 ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
        reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(n);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&names));
  std::erase_if(names, [](const std::wstring& n) { return n.starts_with(L"ACSB") || n.starts_with(L"kc"); });
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(MenuWnd, KeepsTheVisualThemeOtherAdaptersSwitchOff) {
  MenuWindow m;
  HWND plain = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_DLGFRAME, 100, 100, 120, 90, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  const auto before = ForeignProps(plain);
  std::unique_ptr<TkcMainWnd> other(AttachAdapter<TkcMainWnd>(plain, [&m] { return m.skin.get(); }, TkcSkinParams{}));
  EXPECT_NE(ForeignProps(plain), before) << "a plain adapter switches the theme off";
  EXPECT_EQ(ForeignProps(m.wnd), before) << "the menu window's theme is left as it was";
  other.reset();
  DestroyWindow(plain);
}
