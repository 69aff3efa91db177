// Tree views under their adapter: the background in the section's colour of
// the tree's state (the window colour in a dialog), erased in it, the window
// colour back when the skin goes, destruction while attached; and the
// system's folder dialog under the hook with its folder tree skinned, in
// both program skins (screenshots written for looking at).
#include "skin/controls/tree_view_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/treeview.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/attach_hook.h"
#include "skin/engine/bitmap_dc.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

const bool kCommonControls = [] {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
  return InitCommonControlsEx(&icc) != FALSE;
}();

struct Tree {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  Host host;
  HWND wnd;
  TkcTreeViewWnd* a = nullptr;
  Tree() {
    wnd = host.Child(WC_TREEVIEWW, L"", WS_BORDER | TVS_HASLINES, 10, 10, 150, 120);
    TVINSERTSTRUCTW ins{};
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<wchar_t*>(L"Folder");
    SendMessageW(wnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins));
  }
  void Attach(bool dialog) {
    AddingDialogControls = dialog;
    TkcSkinParams p;
    p.SkinSection = u"EDIT";
    a = AttachAdapter<TkcTreeViewWnd>(wnd, [this] { return skin.get(); }, p);
    AddingDialogControls = false;
  }
  COLORREF Back() const { return COLORREF(SendMessageW(wnd, TVM_GETBKCOLOR, 0, 0)); }
  // What an erase paints.
  fw::TColor Erased() const {
    auto bmp = NewBitmap32(150, 120);
    SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), 0);
    GdiFlush();
    const uint32_t p = View32(*bmp).Pixel(20, 60);
    return fw::TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
  }
  ~Tree() { delete a; }
};

}  // namespace

TEST(TreeViewWnd, BackgroundFromTheSectionStateOrTheWindowColourInADialog) {
  {
    Tree t;
    t.Attach(false);
    EXPECT_EQ(t.Back(), COLORREF(kEdit));
    EXPECT_EQ(t.Erased(), kEdit);
    t.a->S.MouseAbove = true;
    EXPECT_EQ(t.Erased(), Hot(kEdit)) << "hot in a section of two states";
    t.a->SetSkinParams();
    EXPECT_EQ(t.Back(), COLORREF(Hot(kEdit)));
  }
  {
    Tree t;
    t.Attach(true);
    EXPECT_EQ(t.Back(), COLORREF(fw::ColorToRGB(fw::clWindow))) << "a dialog's tree keeps the window colour";
    EXPECT_EQ(t.Erased(), fw::TColor(fw::ColorToRGB(fw::clWindow)));
  }
}

TEST(TreeViewWnd, RemovalRestoresAndDestructionWhileAttached) {
  Tree t;
  const auto own = GetWindowLongPtrW(t.wnd, GWLP_WNDPROC);
  t.Attach(false);
  ASSERT_EQ(t.Back(), COLORREF(kEdit));
  delete t.a;
  t.a = nullptr;
  EXPECT_EQ(GetWindowLongPtrW(t.wnd, GWLP_WNDPROC), own);
  EXPECT_EQ(t.Back(), COLORREF(fw::ColorToRGB(fw::clWindow)));

  Tree d;
  d.Attach(false);
  DestroyWindow(d.wnd);
  EXPECT_TRUE(d.a->Destroyed);
}

// A framework tree view of the skin manager's tree-view list: its text in
// the section's text colour, its background the section's, erased in the
// hot colour while focused; its own colours back when the skin goes, and
// destroyed while attached the adapter lets go.
TEST(TreeViewWnd, AFrameworkTreeViewOfTheList) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  fwtest::TestForm form(300, 240);
  auto* tv = new fw::TTreeView(form.form);
  tv->SetParent(form.form);
  tv->SetBounds(10, 10, 160, 120);
  tv->Items()->Add(nullptr, u"Folder");
  form->Show();
  fwtest::Pump();
  SetFocus(form->Handle());
  const fw::TColor ownFont = tv->Font()->Color();
  TkcMainWnd* a = MakeListAdapter(tlTreeView, tv, [&] { return skin.get(); }, {});
  ASSERT_NE(dynamic_cast<TkcTreeViewWnd*>(a), nullptr);
  HWND h = tv->Handle();
  EXPECT_EQ(COLORREF(SendMessageW(h, TVM_GETBKCOLOR, 0, 0)), COLORREF(kEdit));
  EXPECT_EQ(tv->Font()->Color(), kEditText);
  auto erased = [&] {
    auto bmp = NewBitmap32(160, 120);
    SendMessageW(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), 0);
    GdiFlush();
    const uint32_t p = View32(*bmp).Pixel(20, 80);
    return fw::TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
  };
  EXPECT_EQ(erased(), kEdit);
  SetFocus(h);
  EXPECT_EQ(erased(), Hot(kEdit)) << "focused, in a section of two states";
  SetFocus(form->Handle());
  delete a;
  EXPECT_EQ(COLORREF(SendMessageW(h, TVM_GETBKCOLOR, 0, 0)), COLORREF(fw::ColorToRGB(fw::clWindow)));
  EXPECT_EQ(tv->Font()->Color(), ownFont);
  TkcMainWnd* b = MakeListAdapter(tlTreeView, tv, [&] { return skin.get(); }, {});
  ASSERT_NE(b, nullptr);
  tv->DestroyHandle();
  EXPECT_TRUE(b->Destroyed);
  delete b;
}

namespace {

struct FolderProbe {
  HWND owner = nullptr;
  bool found = false, skinned = false, treeSkinned = false;
  int ticks = 0;
  int shotAt = -1;  // the tick the screenshot is taken at
  std::string screenshot;
};
FolderProbe gFolder;

BOOL CALLBACK FindTree(HWND h, LPARAM) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (lstrcmpiW(cls, L"SysTreeView32") == 0) {
    gFolder.treeSkinned = dynamic_cast<TkcTreeViewWnd*>(GetWindowAdapter(h)) != nullptr;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK ProbeFolderDialog(HWND, UINT, UINT_PTR id, DWORD) {
  ++gFolder.ticks;
  HWND d = GetLastActivePopup(gFolder.owner);
  wchar_t cls[64] = {};
  if (d && d != gFolder.owner) GetClassNameW(d, cls, 64);
  bool treeShown = false;
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(d)) {
    HWND tree = FindWindowExW(d, nullptr, L"SysTreeView32", nullptr);
    treeShown = tree && SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0;
  }
  if (!gFolder.found && (treeShown || (gFolder.ticks > 400 && d && d != gFolder.owner))) {
    gFolder.found = true;
    gFolder.skinned = FindProviderByHandle(d) != nullptr;
    EnumChildWindows(d, FindTree, 0);
    if (gFolder.screenshot.empty()) {
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      KillTimer(nullptr, id);
      return;
    }
    // The screen shows what was painted a little later: the screenshot
    // waits some ticks after the repaint.
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gFolder.shotAt = gFolder.ticks + 10;
  } else if (gFolder.found && gFolder.ticks >= gFolder.shotAt) {
    auto shot = scenarios::ScreenshotOf(d);
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(gFolder.screenshot));
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    KillTimer(nullptr, id);
  } else if (gFolder.ticks > 600) {
    KillTimer(nullptr, id);  // no dialog within 30 s: give up
  }
}

}  // namespace

// The folder dialog of the program's skins, its tree skinned.
TEST(TreeViewWnd, TheFolderDialogsTreeIsSkinned) {
  CoInitialize(nullptr);
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    InstallSkinHook([&] { return skin.get(); });
    fwtest::TestForm owner;
    owner->Show();
    fwtest::Pump();
    gFolder = FolderProbe{owner->WindowHandle()};
    gFolder.screenshot = std::string("folder_dialog_") + ProgramSkinName(s) + ".png";
    BROWSEINFOW bi{};
    bi.hwndOwner = owner->WindowHandle();
    bi.lpszTitle = L"Choose a folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeFolderDialog);
    if (PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi)) CoTaskMemFree(pidl);
    KillTimer(nullptr, timer);
    RemoveSkinHook();
    EXPECT_TRUE(gFolder.found) << ProgramSkinName(s);
    EXPECT_TRUE(gFolder.skinned) << ProgramSkinName(s);
    EXPECT_TRUE(gFolder.treeSkinned) << ProgramSkinName(s) << ": the folder tree has its adapter";
  }
  CoUninitialize();
}

// The program's skins: a tree (without items, whose texts depend on the
// system's fonts) normal, under the mouse and in a dialog, each with its
// golden; with items written for looking at.
TEST(TreeViewWnd, GoldensOfTheProgramSkins) {
  const uint64_t golden[2][3] = {{10123561750202786331ull, 9978961801582980995ull, 10123561750202786331ull},
                                 {10123561750202786331ull, 3590727336005074595ull, 10123561750202786331ull}};
  for (int s = 0; s < 2; ++s) {
    std::vector<TPixelBuffer> looks, shown;
    for (int look = 0; look < 3; ++look) {
      Tree t;
      t.skin = ProgramSkin(s);
      ASSERT_TRUE(t.skin);
      SendMessageW(t.wnd, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
      t.Attach(look == 2);
      if (look == 1) {
        t.a->S.MouseAbove = true;
        t.a->SetSkinParams();
      }
      looks.push_back(Print(t.wnd));
      EXPECT_EQ(PixelChecksum(View32(looks.back())), golden[s][look]) << ProgramSkinName(s) << " look " << look;
      TVINSERTSTRUCTW ins{};
      ins.hInsertAfter = TVI_LAST;
      ins.item.mask = TVIF_TEXT;
      ins.item.pszText = const_cast<wchar_t*>(L"Documents");
      SendMessageW(t.wnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins));
      shown.push_back(Print(t.wnd));
    }
    looks.insert(looks.end(), shown.begin(), shown.end());
    WriteRow(looks, std::string("tree_views_") + ProgramSkinName(s) + ".png");
  }
}
