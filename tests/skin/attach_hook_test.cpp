// The attachment hook: which windows get skinned and with what. Forms of
// the program get their provider when activated (not those whose tag has
// bit 0x100), borderless popups nothing, system dialogs a provider whether
// they have an owner or not, and their child windows the adapter their
// class calls for; a real open dialog owned by a form is skinned.
#include "skin/controls/attach_hook.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/forms/skin_provider.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

struct Hooked {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  Hooked() { InstallSkinHook([this] { return skin.get(); }); }
  ~Hooked() { RemoveSkinHook(); }
};

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int y) {
  return CreateWindowExW(0, cls, L"x", WS_CHILD | WS_VISIBLE | style, 5, y, 120, 40, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// A dialog window of the system class with a few controls, shown.
HWND Dialog(HWND owner, std::vector<HWND>& children) {
  HWND d = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER,
                           60, 60, 300, 320, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  children = {Child(d, L"LISTBOX", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 5),
              Child(d, L"BUTTON", BS_PUSHBUTTON, 50),
              Child(d, L"BUTTON", BS_AUTOCHECKBOX, 95),
              Child(d, L"STATIC", SS_LEFT, 140),
              Child(d, L"EDIT", WS_BORDER, 185),
              Child(d, L"#32770", 0, 230)};
  ShowWindow(d, SW_SHOW);
  fwtest::Pump();
  return d;
}

}  // namespace

TEST(AttachHook, FormsByTheirTagAndPopupsByTheirBorder) {
  Hooked h;
  struct Case {
    const char* what;
    int tag;
    bool skinned;
  } cases[] = {{"a form", 0, true}, {"tag 0x100", 0x100, false}, {"tag 0x101", 0x101, false}};
  for (const Case& c : cases) {
    fwtest::TestForm f;
    f->SetBorderStyle(fw::bsSizeable);  // a borderless popup is never skinned
    f->SetTag(c.tag);
    f->Show();
    fwtest::Pump();
    TkcProvider* p = FindProviderByHandle(f->WindowHandle());
    EXPECT_EQ(p != nullptr, c.skinned) << c.what;
    if (p) {
      ASSERT_NE(p->sp, nullptr) << c.what;
      EXPECT_EQ(p->sp->Form(), f.form);
      EXPECT_TRUE(p->sp->Skinned()) << c.what;
    }
  }
  HWND popup = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  fwtest::Pump();
  EXPECT_EQ(FindProviderByHandle(popup), nullptr) << "a popup without a border";
  DestroyWindow(popup);
}

TEST(AttachHook, SystemDialogsOwnedOrNotAndTheirControls) {
  Hooked h;
  fwtest::TestForm owner;
  owner->Show();
  fwtest::Pump();
  for (HWND ownerWnd : {HWND(nullptr), owner->WindowHandle()}) {
    std::vector<HWND> children;
    HWND d = Dialog(ownerWnd, children);
    TkcProvider* p = FindProviderByHandle(d);
    ASSERT_NE(p, nullptr) << (ownerWnd ? "owned" : "unowned");
    EXPECT_EQ(p->sp, nullptr);
    auto kindOf = [&](HWND c) {
      for (const TkcProvider::Child& k : p->kcSkinnedCtrls)
        if (k.Wnd == c) return k.Choice.Kind;
      return TkcAdapterKind::None;
    };
    using K = TkcAdapterKind;
    EXPECT_EQ(kindOf(children[0]), K::Edit) << "list box";
    EXPECT_NE(dynamic_cast<TkcScrollWnd*>(GetWindowAdapter(children[0])), nullptr) << "with skinned bars";
    EXPECT_EQ(kindOf(children[1]), K::Button);
    EXPECT_EQ(kindOf(children[2]), K::CheckBox);
    EXPECT_EQ(kindOf(children[3]), K::Static);
    EXPECT_EQ(kindOf(children[4]), K::Edit);
    EXPECT_EQ(kindOf(children[5]), K::TransPanel) << "a dialog page";
    EXPECT_EQ(FindProviderByHandle(children[5]), nullptr) << "a page is no dialog of its own";
    // Activated again: no second provider, no second adapter.
    const size_t n = p->kcSkinnedCtrls.size();
    SetActiveWindow(d);
    EXPECT_EQ(p->kcSkinnedCtrls.size(), n);
    DestroyWindow(d);
    fwtest::Pump();
  }
}

namespace {

struct OpenDialogProbe {
  HWND owner = nullptr;
  bool found = false;
  bool skinned = false;
  bool listSkinned = false;
  int ticks = 0;
  std::string screenshot;  // where to write what the dialog shows, if anywhere
};
OpenDialogProbe gProbe;

BOOL CALLBACK FindListView(HWND h, LPARAM) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (lstrcmpiW(cls, L"SysListView32") == 0 && dynamic_cast<TkcScrollWnd*>(GetWindowAdapter(h))) {
    gProbe.listSkinned = true;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK ProbeOpenDialog(HWND, UINT, UINT_PTR id, DWORD) {
  ++gProbe.ticks;
  HWND d = GetLastActivePopup(gProbe.owner);
  wchar_t cls[64] = {};
  if (d && d != gProbe.owner) GetClassNameW(d, cls, 64);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(d)) {
    gProbe.found = true;
    gProbe.skinned = FindProviderByHandle(d) != nullptr;
    EnumChildWindows(d, FindListView, 0);
    if (!gProbe.screenshot.empty()) {
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      auto shot = scenarios::ScreenshotOf(d);
      scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(gProbe.screenshot));
    }
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    KillTimer(nullptr, id);
  } else if (gProbe.ticks > 400) {
    KillTimer(nullptr, id);  // no dialog within 20 s: give up
  }
}

}  // namespace

namespace {

void RunOpenDialog(HWND owner, const std::string& screenshot) {
  gProbe = OpenDialogProbe{owner};
  gProbe.screenshot = screenshot;
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn{sizeof(ofn)};
  ofn.hwndOwner = owner;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrFilter = L"All files\0*.*\0";
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  ofn.lpstrInitialDir = L"C:\\windows\\system32";  // enough files for a scroll bar
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeOpenDialog);
  GetOpenFileNameW(&ofn);
  KillTimer(nullptr, timer);
}

}  // namespace

// The open dialog in the program's skins, written as screenshots for
// looking at.
TEST(AttachHook, OpenDialogScreenshotsInBothSkins) {
  const std::pair<const char*, const char16_t*> skins[] = {{"sapphire", u"Sapphire (internal)"},
                                                           {"topaz", u"Topaz (internal)"}};
  for (const auto& [name, full] : skins) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin((std::string(name) + ".ksz").c_str(), full);
    ASSERT_TRUE(skin);
    InstallSkinHook([&] { return skin.get(); });
    fwtest::TestForm owner;
    owner->Show();
    fwtest::Pump();
    RunOpenDialog(owner->WindowHandle(), std::string("open_dialog_") + name + ".png");
    RemoveSkinHook();
    EXPECT_TRUE(gProbe.skinned) << name;
  }
}

TEST(AttachHook, AnOpenDialogOwnedByAFormIsSkinned) {
  Hooked h;
  fwtest::TestForm owner;
  owner->Show();
  fwtest::Pump();
  gProbe = OpenDialogProbe{owner->WindowHandle()};
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn{sizeof(ofn)};
  ofn.hwndOwner = owner->WindowHandle();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrFilter = L"All files\0*.*\0";
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeOpenDialog);
  GetOpenFileNameW(&ofn);
  KillTimer(nullptr, timer);
  ASSERT_TRUE(gProbe.found) << "the dialog showed";
  EXPECT_TRUE(gProbe.skinned);
  EXPECT_TRUE(gProbe.listSkinned) << "its file list has skinned bars";
}
