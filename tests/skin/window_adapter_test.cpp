// The adapter base: it finds its window's messages first, answers the
// common skin commands, gives the procedure back at once when detached, and
// a window destroyed while adapted gets its WM_DESTROY and WM_NCDESTROY
// exactly once, also when another procedure was installed above it; which
// windows lose their visual theme while adapted and which get it back.
#include "skin/controls/window_adapter.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/panel.h"
#include "skin/controls/edit_wnd.h"
#include "skin/controls/grid_wnd.h"
#include "skin/controls/list_view_wnd.h"
#include "skin/controls/menu_wnd.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/forms/fake_dwm.h"
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

// A framework control counting the messages its own handling receives.
class TCountingControl : public fw::TCustomControl {
  FW_CLASS(TCountingControl, fw::TCustomControl)
 public:
  explicit TCountingControl(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
  std::map<UINT, int> Seen;

 protected:
  void WndProc(fw::TMessage& Message) override {
    ++Seen[Message.Msg];
    fw::TCustomControl::WndProc(Message);
  }
};

}  // namespace

FW_REGISTER(TCountingControl) {}

namespace {

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

TEST(WindowAdapter, AFrameworkControlsWindowDestroyedWhileAdaptedReachesItOnce) {
  Fixture f;
  fwtest::TestForm form;
  auto* c = new TCountingControl(form.form);
  c->SetParent(form.form);
  HWND h = c->Handle();
  const fw::TWndMethod own = c->WindowProc();
  TkcSkinParams p;
  p.Control = c;
  auto* a = AttachAdapter<TkcMainWnd>(h, f.Source(), p);
  DestroyWindow(h);
  EXPECT_EQ(c->Seen[WM_DESTROY], 1);
  EXPECT_EQ(c->Seen[WM_NCDESTROY], 1);
  EXPECT_TRUE(a->Destroyed);
  EXPECT_TRUE(c->WindowProc() == own) << "given back when the window went";
  delete a;
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

namespace {

// The visual theme calls made for one window, recorded in place of the
// system's ("off" for " ", " ", "on" for the theme given back).
struct ThemeCalls {
  HWND wnd = nullptr;
  std::string calls;
  TkWindowThemeSetter old = WindowThemeSetter();
  ThemeCalls() {
    WindowThemeSetter() = [this](HWND h, LPCWSTR app, LPCWSTR) {
      if (h == wnd) calls += app ? "off " : "on ";
      return S_OK;
    };
  }
  ~ThemeCalls() { WindowThemeSetter() = old; }
  std::string Take() {
    std::string c = calls;
    calls.clear();
    return c;
  }
};

}  // namespace

TEST(WindowAdapter, TheVisualThemeGoesAndComesBackByTheWindowsKind) {
  enum Kind { kRaw, kMenu, kEdit, kListView, kGrid };
  enum Owner { kOwn, kPaintingProvider, kSystemFrameProvider };
  struct Case {
    const char* what;
    Kind kind;
    const char16_t* section;
    bool dialog;
    Owner owner;
    bool composition;
    const char* attach;  // calls at attach, then at detach
    const char* detach;
  } cases[] = {
      {"a raw window", kRaw, u"", false, kOwn, false, "off ", "on "},
      {"a DIALOG section keeps its theme", kRaw, u"DIALOG", false, kOwn, false, "", "on "},
      {"a control of a skinned system dialog keeps it", kRaw, u"", true, kOwn, false, "", "on "},
      {"a menu window keeps it", kMenu, u"", false, kOwn, false, "", "on "},
      {"a form's window whose provider paints the frame", kRaw, u"", false, kPaintingProvider, false, "off ", "on "},
      {"a form's window with the system's frame is left alone", kRaw, u"", false, kSystemFrameProvider, false, "",
       ""},
      {"a list view", kListView, u"", false, kOwn, false, "off ", "on "},
      {"a list view under desktop composition stays without", kListView, u"", false, kOwn, true, "off ", ""},
      {"an edit loses it even in a skinned system dialog", kEdit, u"", true, kOwn, false, "off ", "on "},
      {"a grid draws its cells with it", kGrid, u"", false, kOwn, false, "", "on "},
  };
  InitCommonControls();
  Fixture f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    skintest::TFakeDwm dwm(c.composition);
    ThemeCalls theme;
    const wchar_t* cls = c.kind == kListView ? WC_LISTVIEWW : c.kind == kEdit ? L"EDIT" : L"VlAdapterCounting";
    if (c.kind != kListView && c.kind != kEdit) CountingWindow();  // registers the class
    HWND h = CreateWindowExW(0, cls, L"", WS_POPUP | WS_BORDER, 0, 0, 80, 60, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    theme.wnd = h;
    TkcSkinParams p;
    p.SkinSection = c.section;
    TkFormProviderLink provider;
    provider.FDrawNonClientArea = c.owner == kPaintingProvider;
    AddingDialogControls = c.dialog;
    TkcMainWnd* a = nullptr;
    switch (c.kind) {
      case kRaw: a = new TkcMainWnd(h, f.Source(), p); break;
      case kMenu: a = new TkcMnuWnd(h, f.Source(), p); break;
      case kEdit: a = new TkcEditWnd(h, f.Source(), p); break;
      case kListView: a = new TkcListViewWnd(h, f.Source(), p); break;
      case kGrid: a = new TkcGridWnd(h, f.Source(), p); break;
    }
    if (c.owner != kOwn) a->OwnerProvider = &provider;
    a->Subclass();
    AddingDialogControls = false;
    EXPECT_EQ(theme.Take(), c.attach) << "attach";
    a->Detach();
    EXPECT_EQ(theme.Take(), c.detach) << "detach";
    delete a;
    DestroyWindow(h);
  }
}
