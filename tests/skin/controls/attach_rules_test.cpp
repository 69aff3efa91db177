// Which windows the attachment hook skins and how: forms by their tag,
// class and the manager's rules; system dialogs (also message boxes) owned
// or not, at most two at once unless the next holds a tool bar, and not
// when the program refuses one; each child window of a dialog with the
// adapter kind and section its class calls for; dialogs printed with their
// children; providers freed when their dialog goes and with the hook.
#include "skin/controls/attach_hook.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "fw/controls/button.h"
#include "fw/controls_test_util.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/panel.h"
#include "skin/controls/dialog_wnd.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/engine/kconst.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

class TMessageForm : public fw::TForm {
  FW_CLASS(TMessageForm, fw::TForm)
  explicit TMessageForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
};

class TfcPopup : public fw::TForm {
  FW_CLASS(TfcPopup, fw::TForm)
  explicit TfcPopup(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
};

}  // namespace

FW_REGISTER(TMessageForm) {}
FW_REGISTER(TfcPopup) {}

namespace {

struct Hooked {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  explicit Hooked(TkSkinningRules rules = {srStdForms, srStdDialogs}) {
    InstallSkinHook([this] { return skin.get(); }, rules);
  }
  ~Hooked() { RemoveSkinHook(); }
};

HWND Dialog(HWND owner = nullptr, bool visible = true) {
  HWND d = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Dialog",
                           WS_POPUP | WS_CAPTION | WS_BORDER | (visible ? WS_VISIBLE : 0), 60, 60, 300, 320, owner,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  fwtest::Pump();
  return d;
}

HWND Child(HWND parent, const wchar_t* cls, DWORD style, DWORD exStyle = 0, int height = 30) {
  return CreateWindowExW(exStyle, cls, L"x", WS_CHILD | style, 5, 5, 100, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

template <class F>
fw::TCustomForm* ShownForm(int tag) {
  fw::TCustomForm* f = fw::NewForm<F>(nullptr);
  f->SetBorderStyle(fw::bsSizeable);
  f->SetPosition(fw::poDesigned);
  f->SetBounds(30, 30, 200, 120);
  f->SetTag(tag);
  f->Show();
  fwtest::Pump();
  AttachSkinToWindow(f->WindowHandle());  // activation without a window manager comes late
  return f;
}

}  // namespace

TEST(AttachRules, FormsByTagClassAndRules) {
  struct Case {
    const char* what;
    TkSkinningRules rules;
    int tag;
    int kind;  // 0 a form, 1 the framework's message box class, 2 an excluded class
    bool skinned;
  } cases[] = {
      {"a form", {srStdForms}, 0, 0, true},
      {"tag 0x100", {srStdForms}, 0x100, 0, false},
      {"tag 0x101", {srStdForms}, 0x101, 0, false},
      {"a form without the forms rule", {srStdDialogs}, 0, 0, false},
      {"a message form with the dialogs rule", {srStdDialogs}, 0, 1, true},
      {"a message form without it", {srStdForms}, 0, 1, false},
      {"an excluded class", {srStdForms, srStdDialogs}, 0, 2, false},
  };
  for (const Case& c : cases) {
    Hooked h(c.rules);
    fw::TCustomForm* f = c.kind == 0   ? ShownForm<fw::TForm>(c.tag)
                         : c.kind == 1 ? ShownForm<TMessageForm>(c.tag)
                                       : ShownForm<TfcPopup>(c.tag);
    EXPECT_EQ(FindProviderByHandle(f->WindowHandle()) != nullptr, c.skinned) << c.what;
    f->Free();
  }
}

TEST(AttachRules, EachDialogChildGetsTheKindAndSectionOfItsClass) {
  Hooked h;
  HWND d = Dialog(nullptr, false);
  using K = TkcAdapterKind;
  struct Case {
    const char* what;
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
    int height;
    K kind;
    const char16_t* section;
    bool scrollBars;  // has the skinned non-client bars
  } cases[] = {
      {"sunken frame", L"STATIC", SS_BLACKFRAME, WS_EX_STATICEDGE, 30, K::Edge, u"EDIT", false},
      {"icon static", L"STATIC", SS_ICON, 0, 30, K::Icon, u"", false},
      {"gray rectangle", L"STATIC", SS_GRAYRECT, 0, 30, K::None, u"", false},
      {"text static", L"STATIC", SS_LEFT, 0, 30, K::Static, u"", false},
      {"dialog page", L"#32770", 0, 0, 30, K::TransPanel, u"", false},
      {"visible edit", L"EDIT", WS_VISIBLE, 0, 30, K::Edit, u"EDIT", false},
      {"hidden edit", L"EDIT", 0, 0, 30, K::None, u"", false},
      {"group box", L"BUTTON", WS_VISIBLE | BS_GROUPBOX, 0, 30, K::GroupBox, u"GROUPBOX", false},
      {"check box", L"BUTTON", WS_VISIBLE | BS_AUTOCHECKBOX, 0, 30, K::CheckBox, u"", false},
      {"radio button", L"BUTTON", WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 30, K::CheckBox, u"", false},
      {"push button", L"BUTTON", WS_VISIBLE | BS_PUSHBUTTON, 0, 30, K::Button, u"", false},
      {"combo box", L"COMBOBOX", WS_VISIBLE | CBS_DROPDOWNLIST, 0, 30, K::ComboBox, u"COMBOBOX", false},
      {"size grip", L"SCROLLBAR", WS_VISIBLE | SBS_SIZEGRIP, 0, 30, K::Sizer, u"", false},
      {"plain scroll bar", L"SCROLLBAR", WS_VISIBLE | SBS_VERT, 0, 30, K::None, u"", false},
      {"tab control", WC_TABCONTROLW, WS_VISIBLE, 0, 30, K::TabControl, u"PAGECONTROL", false},
      {"owner-drawn tabs", WC_TABCONTROLW, WS_VISIBLE | TCS_OWNERDRAWFIXED, 0, 30, K::None, u"", false},
      {"list view", WC_LISTVIEWW, WS_VISIBLE | LVS_REPORT, 0, 30, K::ListView, u"EDIT", true},
      {"up-down", UPDOWN_CLASSW, WS_VISIBLE, 0, 30, K::Spin, u"SPEEDBUTTON_SMALL", false},
      {"track bar", TRACKBAR_CLASSW, WS_VISIBLE, 0, 30, K::Track, u"TRACKBAR", false},
      {"list box", L"LISTBOX", WS_VISIBLE | WS_VSCROLL, 0, 30, K::Edit, u"EDIT", true},
      {"tool bar with 0x200", TOOLBARCLASSNAMEW, WS_VISIBLE | 0x200, 0, 30, K::ToolBar, u"BAR", false},
      {"plain tool bar", TOOLBARCLASSNAMEW, WS_VISIBLE, 0, 30, K::ToolBar, u"CHECKBOX", false},
      {"tree view", WC_TREEVIEWW, WS_VISIBLE, 0, 30, K::TreeView, u"EDIT", true},
      {"progress bar", PROGRESS_CLASSW, WS_VISIBLE, 0, 30, K::Container, u"", false},
      {"hidden progress bar", PROGRESS_CLASSW, 0, 0, 30, K::None, u"", false},
  };
  std::vector<HWND> children;
  for (const Case& c : cases) children.push_back(Child(d, c.cls, c.style, c.exStyle, c.height));
  ShowWindow(d, SW_SHOW);
  fwtest::Pump();
  AttachSkinToWindow(d);  // the children made after the dialog get theirs on activation
  TkcProvider* p = FindProviderByHandle(d);
  ASSERT_NE(p, nullptr);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const TkcProvider::Child* found = nullptr;
    for (const TkcProvider::Child& k : p->kcSkinnedCtrls)
      if (k.Wnd == children[i]) found = &k;
    EXPECT_EQ(found ? found->Choice.Kind : K::None, c.kind) << c.what;
    if (found) EXPECT_EQ(found->Choice.Section, fw::String(c.section)) << c.what;
    if (c.scrollBars) EXPECT_NE(dynamic_cast<TkcScrollWnd*>(GetWindowAdapter(children[i])), nullptr) << c.what;
    if (found) EXPECT_EQ(GetWindowAdapter(children[i]), found->Adapter) << c.what << ": the adapter kept is the one attached";
    if (found && found->Adapter) {
      EXPECT_TRUE(found->Adapter->DlgMode) << c.what;
      const TkcWindowGeometry& g = found->Adapter->Geometry;
      EXPECT_EQ(g.ParentWnd, d) << c.what << ": where it sits was recorded";
      EXPECT_EQ(g.WndPos.x, 5) << c.what;
      EXPECT_EQ(g.WndPos.y, 5) << c.what;
      EXPECT_EQ(g.WndSize.x, 100) << c.what;
      EXPECT_EQ(g.WndSize.y, c.height) << c.what;
    }
  }
  DestroyWindow(d);
}

TEST(AttachRules, EditsListsAndComboBoxesLetTheDialogPaint) {
  struct Case {
    const char* what;
    const wchar_t* cls;
    DWORD style;
    bool dialogPaints;
  } cases[] = {
      {"a push button", L"BUTTON", WS_VISIBLE, false},
      {"a hidden edit", L"EDIT", 0, true},
      {"a list box", L"LISTBOX", WS_VISIBLE, true},
      {"a combo box", L"COMBOBOX", WS_VISIBLE | CBS_DROPDOWNLIST, true},
  };
  Hooked h;
  for (const Case& c : cases) {
    HWND d = Dialog(nullptr, false);
    Child(d, c.cls, c.style);
    ShowWindow(d, SW_SHOW);
    fwtest::Pump();
    AttachSkinToWindow(d);
    TkcProvider* p = FindProviderByHandle(d);
    ASSERT_NE(p, nullptr) << c.what;
    auto* dialog = dynamic_cast<TkcDialogWnd*>(p->DialogAdapter);
    ASSERT_NE(dialog, nullptr) << c.what;
    if (c.dialogPaints) EXPECT_FALSE(dialog->FWMPaintForbidden) << c.what;
    else EXPECT_EQ(dialog->FWMPaintForbidden, WindowsMajorVersion > 5) << c.what;
    DestroyWindow(d);
  }
}

TEST(AttachRules, AFrameworkPanelInADialogBringsItsControls) {
  // Made before the hook: the panel's controls meet the provider only
  // through the panel.
  HWND d = Dialog();
  auto* panel = new fw::TPanel(nullptr);
  panel->SetParentWindow(d);
  panel->SetBounds(10, 10, 200, 100);
  auto* label = new fw::TLabel(panel);
  label->SetParent(panel);
  label->Font()->SetColor(fw::clRed);
  auto* button = new fw::TButton(panel);
  button->SetParent(panel);
  button->SetBounds(10, 40, 80, 24);
  panel->HandleNeeded();
  button->HandleNeeded();
  {
    Hooked h;
    TkcProvider p;
    p.CtrlHandle = d;
    EXPECT_TRUE(p.AddControl(panel->Handle()));
    ASSERT_EQ(p.kcSkinnedCtrls.size(), 2u) << "the panel and, through it, its button";
    EXPECT_EQ(p.kcSkinnedCtrls[0].Wnd, panel->Handle());
    EXPECT_EQ(p.kcSkinnedCtrls[0].Choice.Kind, TkcAdapterKind::Panel);
    EXPECT_EQ(p.kcSkinnedCtrls[1].Wnd, button->Handle());
    EXPECT_EQ(p.kcSkinnedCtrls[1].Choice.Kind, TkcAdapterKind::Button);
    EXPECT_NE(GetWindowAdapter(button->Handle()), nullptr);
    EXPECT_EQ(label->Font()->Color(), h.skin->GetGlobalFontColor()) << "labels in the skin's label colour";
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(panel->Color(), h.skin->GetGlobalColor()) << "the panel in the skin's main colour";
  }
  EXPECT_EQ(GetWindowAdapter(button->Handle()), nullptr) << "freed with the provider";
  panel->Free();
  DestroyWindow(d);
}

TEST(AttachRules, AThirdDialogOnlyWithAToolBar) {
  Hooked h;
  HWND first = Dialog(), second = Dialog();
  ASSERT_NE(FindProviderByHandle(first), nullptr);
  ASSERT_NE(FindProviderByHandle(second), nullptr);
  EXPECT_EQ(CountVisibleSkinnedDialogs(), 2);
  HWND third = Dialog();
  EXPECT_EQ(FindProviderByHandle(third), nullptr) << "a third plain dialog stays as it is";
  HWND holder = Child(third, L"STATIC", WS_VISIBLE);
  Child(holder, L"ToolbarWindow32", WS_VISIBLE);
  EXPECT_TRUE(HasChildWindowOfClass(third, u"toolbarwindow32"));
  EXPECT_TRUE(AttachSkinToWindow(third));
  EXPECT_NE(FindProviderByHandle(third), nullptr) << "one with a tool bar somewhere inside is skinned";
  for (HWND w : {first, second, third}) DestroyWindow(w);
}

TEST(AttachRules, TheProgramMayRefuseADialog) {
  Hooked h;
  TkSkinManager manager(nullptr);
  ASSERT_TRUE(manager.IsDefault());
  struct Refuser {
    HWND asked = nullptr;
    void Ask(TkcSysDlgData& d, bool& allow) {
      asked = d.WindowHandle;
      allow = false;
    }
  } refuser;
  manager.OnSysDlgInit = fw::TEvent<void(TkcSysDlgData&, bool&)>(&refuser, &Refuser::Ask);
  HWND d = Dialog();
  EXPECT_EQ(refuser.asked, d);
  EXPECT_TRUE(AttachSkinToWindow(d)) << "left alone on purpose";
  EXPECT_EQ(FindProviderByHandle(d), nullptr);
  DestroyWindow(d);
}

TEST(AttachRules, ProvidersGoWithTheirDialogsAndWithTheHook) {
  auto h = std::make_unique<Hooked>();
  HWND first = Dialog(), second = Dialog();
  Child(second, L"LISTBOX", WS_VISIBLE | WS_VSCROLL);
  AttachSkinToWindow(second);
  TkcProvider* kept = FindProviderByHandle(second);
  ASSERT_NE(kept, nullptr);
  DestroyWindow(first);
  EXPECT_EQ(FindProviderByHandle(first), nullptr);
  EXPECT_EQ(FindProviderByHandle(second), kept) << "the other provider stays where it was";
  HWND list = GetTopWindow(second);
  ASSERT_NE(GetWindowAdapter(list), nullptr);
  h.reset();
  EXPECT_EQ(GetWindowAdapter(list), nullptr) << "removing the hook frees every adapter";
  EXPECT_EQ(SendMessageW(list, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 0);
  DestroyWindow(second);
}

namespace {

// A window that fills itself with the colour in its user data when asked to
// print.
LRESULT CALLBACK SolidProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PRINT) {
    RECT r{};
    GetClientRect(h, &r);
    HBRUSH b = CreateSolidBrush(COLORREF(GetWindowLongPtrW(h, GWLP_USERDATA)));
    FillRect(reinterpret_cast<HDC>(w), &r, b);
    DeleteObject(b);
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

const wchar_t* SolidClass() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = SolidProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlSolidPrint";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return L"VlSolidPrint";
}

HWND Solid(HWND parent, int x, int y, int size, COLORREF color, bool visible = true) {
  HWND h = CreateWindowExW(0, SolidClass(), L"", WS_CHILD | (visible ? WS_VISIBLE : 0), x, y, size, size, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(h, GWLP_USERDATA, LONG_PTR(color));
  return h;
}

}  // namespace

TEST(AttachRules, PrintingADialogPutsEveryVisibleChildAtItsPlace) {
  HWND top = CreateWindowExW(0, SolidClass(), L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(top, nullptr);
  HWND a = Solid(top, 10, 10, 80, RGB(255, 0, 0));
  Solid(a, 20, 30, 10, RGB(0, 0, 255));  // inside a: at (30, 40)
  HWND hidden = Solid(top, 100, 100, 60, RGB(0, 255, 0), false);
  Solid(hidden, 5, 5, 10, RGB(255, 255, 0));  // under a hidden parent: at (105, 105)
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 200, 200);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 200, 200};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_FALSE(TkcProvider::PrintHwndControls(top, dc));
  struct Probe {
    int x, y;
    COLORREF color;
    const char* what;
  } probes[] = {{12, 12, RGB(255, 0, 0), "a child"},
                {32, 42, RGB(0, 0, 255), "its child at the summed origin"},
                {45, 45, RGB(255, 0, 0), "the child around it"},
                {130, 130, RGB(255, 255, 255), "a hidden child is not printed"},
                {107, 107, RGB(255, 255, 0), "its visible child is, at its place"},
                {5, 5, RGB(255, 255, 255), "outside every child"}};
  for (const Probe& p : probes) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.color) << p.what;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  DestroyWindow(top);
}

namespace {

struct BoxProbe {
  HWND owner = nullptr;
  bool found = false;
  bool skinned = false;
  int ticks = 0;
};
BoxProbe gBox;

void CALLBACK ProbeMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  ++gBox.ticks;
  HWND d = GetLastActivePopup(gBox.owner);
  wchar_t cls[64] = {};
  if (d && d != gBox.owner) GetClassNameW(d, cls, 64);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(d)) {
    gBox.found = true;
    gBox.skinned = FindProviderByHandle(d) != nullptr;
    PostMessageW(d, WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, id);
  } else if (gBox.ticks > 400) {
    KillTimer(nullptr, id);  // no box within 20 s: give up
  }
}

}  // namespace

TEST(AttachRules, AMessageBoxOwnedByAFormIsSkinned) {
  Hooked h;
  fwtest::TestForm owner;
  owner->Show();
  fwtest::Pump();
  gBox = BoxProbe{owner->WindowHandle()};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeMessageBox);
  MessageBoxW(owner->WindowHandle(), L"Skinned?", L"Box", MB_OK);
  KillTimer(nullptr, timer);
  ASSERT_TRUE(gBox.found) << "the box showed";
  EXPECT_TRUE(gBox.skinned);
}
