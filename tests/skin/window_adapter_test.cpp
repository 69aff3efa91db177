// The adapter base: it finds its window's messages first, answers the
// common skin commands, gives the procedure back at once when detached, and
// a window destroyed while adapted gets its WM_DESTROY and WM_NCDESTROY
// exactly once, also when another procedure was installed above it.
#include "skin/controls/window_adapter.h"

#include <gtest/gtest.h>

#include <map>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/panel.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

std::map<UINT, int> gSeen;

LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  ++gSeen[m];
  return DefWindowProcW(h, m, w, l);
}

WNDPROC gBelow = nullptr;
int gAboveCalls = 0;
LRESULT CALLBACK AboveProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  ++gAboveCalls;
  return CallWindowProcW(gBelow, h, m, w, l);
}

HWND CountingWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlAdapterCounting";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  gSeen.clear();
  return CreateWindowExW(0, L"VlAdapterCounting", L"first", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

struct Fixture {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  TkcSkinSource Source() {
    return [this] { return skin.get(); };
  }
};

}  // namespace

TEST(WindowAdapter, TakesOverARawWindowAndGivesItBackAtOnce) {
  Fixture f;
  HWND h = CountingWindow();
  auto* a = AttachAdapter<TkcMainWnd>(h, f.Source(), TkcSkinParams{});
  EXPECT_EQ(GetWindowAdapter(h), a);
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)), &CountingProc);
  EXPECT_EQ(SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 1);
  SendMessageW(h, WM_UPDATEUISTATE, 0, 0);
  EXPECT_EQ(gSeen[WM_UPDATEUISTATE], 0) << "swallowed";
  SetWindowTextW(h, L"second");
  EXPECT_EQ(gSeen[WM_SETTEXT], 1) << "reaches the window once";
  EXPECT_EQ(a->Caption, u"second");
  SendMessageW(h, WM_USER + 5, 0, 0);
  EXPECT_EQ(gSeen[WM_USER + 5], 1) << "everything else passes on";

  a->Detach();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)), &CountingProc) << "at once";
  EXPECT_EQ(GetWindowAdapter(h), nullptr);
  EXPECT_EQ(SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 0);
  delete a;
  DestroyWindow(h);
}

TEST(WindowAdapter, AWindowDestroyedWhileAdaptedGetsItsLastMessagesOnce) {
  Fixture f;
  HWND h = CountingWindow();
  auto* a = AttachAdapter<TkcMainWnd>(h, f.Source(), TkcSkinParams{});
  DestroyWindow(h);
  EXPECT_EQ(gSeen[WM_DESTROY], 1);
  EXPECT_EQ(gSeen[WM_NCDESTROY], 1);
  EXPECT_TRUE(a->Destroyed);
  delete a;  // its window is gone: nothing left to give back

  // With another procedure installed above the adapter.
  h = CountingWindow();
  a = AttachAdapter<TkcMainWnd>(h, f.Source(), TkcSkinParams{});
  gBelow = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboveProc)));
  a->Detach();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)), &AboveProc) << "not cut out";
  delete a;
  SendMessageW(h, WM_USER + 7, 0, 0);
  EXPECT_EQ(gSeen[WM_USER + 7], 1) << "the chain still reaches the window";
  DestroyWindow(h);
  EXPECT_EQ(gSeen[WM_DESTROY], 1);
  EXPECT_EQ(gSeen[WM_NCDESTROY], 1);
}

TEST(WindowAdapter, AFrameworkControlGetsItsWindowProcBack) {
  Fixture f;
  fwtest::TestForm form;
  auto* panel = new fw::TPanel(form.form);
  panel->SetParent(form.form);
  HWND h = panel->Handle();
  const fw::TWndMethod own = panel->WindowProc();
  TkcSkinParams p;
  p.Control = panel;
  auto* a = AttachAdapter<TkcMainWnd>(h, f.Source(), p);
  EXPECT_FALSE(panel->WindowProc() == own);
  EXPECT_EQ(SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 1);
  a->Detach();
  EXPECT_TRUE(panel->WindowProc() == own);
  EXPECT_EQ(SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 0);
  delete a;
}
