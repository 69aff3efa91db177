// An MDI frame under a skinned form with two children: the client window
// gets its adapter once, the window commands reach the active child and
// nothing else, a repaint of the frame redraws its menu line, and without
// a skin no adapter is left.
#include "skin/controls/mdi_form.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_resources.h"
#include "skin/forms/skin_provider.h"
#include "tests/fw/controls_test_util.h"
#include "tests/scenarios/screenshot_png.h"

namespace skin {
namespace {

LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefMDIChildProcW(h, m, w, l); }

struct MdiFrame {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{420, 300};
  TkSkinProvider* provider = nullptr;
  HWND client = nullptr;
  HWND children[2] = {nullptr, nullptr};
  TkLoadedSkin* current = nullptr;
  std::unique_ptr<TkMDIForm> mdi;
  int menuRepaints = 0;
  MdiFrame() {
    std::vector<TStoredSkinData> stored = LoadInternalSkins();
    TSkinLoadOptions o = SystemSkinLoadOptions();
    o.Saturation = -58;
    skin = LoadPackedSkin(stored.at(1).Name, stored.at(1).Data, o);
    current = skin.get();
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"MDI frame");
    provider = new TkSkinProvider(form.form);
    provider->SetSkin(skin.get());
    form->Show();
    static ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = ChildProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = L"VlMdiFrameChild";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    RECT cr{};
    GetClientRect(form->Handle(), &cr);
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, cr.right,
                             cr.bottom, form->Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
    for (int i = 0; i < 2; ++i) {
      MDICREATESTRUCTW mcs{L"VlMdiFrameChild", i ? L"Second" : L"First", GetModuleHandleW(nullptr),
                           10 + 60 * i, 10 + 40 * i, 180, 120, 0, 0};
      children[i] = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    mdi = std::make_unique<TkMDIForm>(form.form, provider, client, [this] { return current; });
    mdi->RepaintMenu = [this] { ++menuRepaints; };
    fwtest::Pump(50);
  }
  ~MdiFrame() { mdi.reset(); }
};

TEST(MDIForm, FrameWithTwoChildrenGetsItsClientAdapterOnce) {
  MdiFrame f;
  ASSERT_TRUE(f.client && f.children[0] && f.children[1]);
  EXPECT_EQ(f.mdi->ListSW(), nullptr);
  f.mdi->ConnectToClient();
  TkcMDIWnd* adapter = f.mdi->ListSW();
  ASSERT_NE(adapter, nullptr);
  EXPECT_EQ(GetWindowAdapter(f.client), adapter);
  EXPECT_EQ(adapter->FForm, f.form.form);
  EXPECT_EQ(adapter->SkinProvider, f.provider);
  f.mdi->ConnectToClient();
  EXPECT_EQ(f.mdi->ListSW(), adapter) << "connecting again changes nothing";
  RepaintMDIMainFrame(f.mdi.get(), f.form->Handle(), true);
  EXPECT_EQ(f.menuRepaints, 1);
  fwtest::Pump(100);
  std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(f.form->Handle());
  scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("mdi_frame_sapphire.png"));
  // Without a skin a new adapter is not made.
  f.current = nullptr;
  f.mdi->RefreshMDIScrolls();
  EXPECT_EQ(f.mdi->ListSW(), nullptr);
  EXPECT_EQ(GetWindowAdapter(f.client), nullptr);
}

TEST(MDIForm, CommandsReachTheActiveChildOnly) {
  MdiFrame f;
  f.mdi->ConnectToClient();
  const HWND active = f.mdi->ActiveChild();
  ASSERT_EQ(active, f.children[1]) << "the last child made is active";
  f.mdi->MinClick(nullptr);
  EXPECT_TRUE(IsIconic(f.children[1]));
  EXPECT_FALSE(IsIconic(f.children[0]));
  SendMessageW(f.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(f.children[1]), 0);
  f.mdi->RestoreClick(nullptr);
  EXPECT_FALSE(IsIconic(f.children[1]));
  f.mdi->CloseClick(nullptr);
  fwtest::Pump(20);
  EXPECT_FALSE(IsWindow(f.children[1]));
  EXPECT_TRUE(IsWindow(f.children[0]));
  // With no child left nothing happens.
  SendMessageW(f.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(f.children[0]), 0);
  EXPECT_EQ(f.mdi->ActiveChild(), nullptr);
  f.mdi->CloseClick(nullptr);
  f.mdi->MinClick(nullptr);
}

}  // namespace
}  // namespace skin
