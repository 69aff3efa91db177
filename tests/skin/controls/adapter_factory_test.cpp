// The adapter factory: each list index and each dialog child kind gets the
// adapter class that skins it (or none while it has none), made attached;
// the hook offers the list factory to the form skinning while it is
// installed.
#include "skin/controls/adapter_factory.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/listbox.h"
#include "skin/controls/attach_hook.h"
#include "skin/controls/check_box_wnd.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/controls/tab_control_wnd.h"
#include "skin/engine/skinning_links.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

struct Fixture {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  TkcSkinSource Source() {
    return [this] { return skin.get(); };
  }
};

HWND RawChild(HWND parent, const wchar_t* cls, DWORD style) {
  return CreateWindowExW(0, cls, L"x", WS_CHILD | WS_VISIBLE | style, 0, 0, 120, 80, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(AdapterFactory, DialogChildKindsGetTheirAdapters) {
  Fixture f;
  fwtest::TestForm form;
  form->Show();
  using K = TkcAdapterKind;
  struct Case {
    const char* what;
    K kind;
    const wchar_t* cls;
    DWORD style;
    bool scrolling;  // a TkcScrollWnd is expected
  } cases[] = {
      {"list view", K::ListView, L"SysListView32", LVS_REPORT, true},
      {"tree view", K::TreeView, L"SysTreeView32", 0, true},
      {"list box", K::Edit, L"LISTBOX", WS_VSCROLL, true},
      {"edit with a bar", K::Edit, L"EDIT", ES_MULTILINE | WS_VSCROLL, true},
      {"plain edit (the edit adapter scrolls)", K::Edit, L"EDIT", 0, true},
      {"nothing", K::None, L"STATIC", 0, false},
  };
  for (const Case& c : cases) {
    HWND h = RawChild(form->WindowHandle(), c.cls, c.style);
    TkcMainWnd* a = MakeKindAdapter(c.kind, h, f.Source(), TkcSkinParams{});
    EXPECT_EQ(dynamic_cast<TkcScrollWnd*>(a) != nullptr, c.scrolling) << c.what;
    if (a) {
      EXPECT_EQ(GetWindowAdapter(h), a) << c.what << ": made attached";
      EXPECT_FALSE(a->IsDestroyed());
    }
    delete a;
    EXPECT_EQ(GetWindowAdapter(h), nullptr) << c.what;
    DestroyWindow(h);
  }
}

TEST(AdapterFactory, ListIndexesGetTheirAdapters) {
  Fixture f;
  fwtest::TestForm form;
  form->Show();
  auto* list = new fw::TListBox(form.form);
  list->SetParent(form.form);
  auto* edit = new fw::TEdit(form.form);
  edit->SetParent(form.form);
  struct Case {
    const char* what;
    int index;
    fw::TWinControl* control;
    bool scrolling;
  } cases[] = {
      {"a list box in the edit list", tlEdit, list, true},
      {"a single-line edit in the edit list (the edit adapter scrolls)", tlEdit, edit, true},
      {"a list in the list-view list", tlListView, list, true},
      {"the speed-button list", tlSpeedButton, list, false},
      {"out of range", 99, list, false},
  };
  for (const Case& c : cases) {
    TkcMainWnd* a = MakeListAdapter(c.index, c.control, f.Source(), TkcSkinParams{});
    EXPECT_EQ(dynamic_cast<TkcScrollWnd*>(a) != nullptr, c.scrolling) << c.what;
    if (a) {
      EXPECT_EQ(a->Control(), c.control) << c.what;
      EXPECT_EQ(GetWindowAdapter(c.control->Handle()), a) << c.what;
    }
    delete a;
    EXPECT_EQ(GetWindowAdapter(c.control->Handle()), nullptr) << c.what;
  }
}

TEST(AdapterFactory, TheHookOffersTheListFactoryWhileInstalled) {
  Fixture f;
  EXPECT_FALSE(SkinningLinks().MakeListAdapter);
  InstallSkinHook(f.Source());
  ASSERT_TRUE(SkinningLinks().MakeListAdapter);
  fwtest::TestForm form;
  form->Show();
  auto* list = new fw::TListBox(form.form);
  list->SetParent(form.form);
  TkAdapterLink* link = SkinningLinks().MakeListAdapter(tlListView, list, TkcSkinParams{});
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(GetWindowAdapter(list->Handle()), dynamic_cast<TkcMainWnd*>(link));
  EXPECT_TRUE(dynamic_cast<TkcMainWnd*>(link)->Skinned()) << "with the hook's skin";
  delete link;
  RemoveSkinHook();
  EXPECT_FALSE(SkinningLinks().MakeListAdapter);
}

TEST(AdapterFactory, TabsSpinsCheckAndGroupBoxesGetTheirAdapters) {
  Fixture f;
  fwtest::TestForm form;
  form->Show();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  using K = TkcAdapterKind;
  HWND tabs = RawChild(form->WindowHandle(), WC_TABCONTROLW, 0);
  HWND spin = RawChild(form->WindowHandle(), UPDOWN_CLASSW, 0);
  HWND check = RawChild(form->WindowHandle(), L"BUTTON", BS_AUTOCHECKBOX);
  HWND group = RawChild(form->WindowHandle(), L"BUTTON", BS_GROUPBOX);
  TkcMainWnd* a = MakeKindAdapter(K::TabControl, tabs, f.Source(), TkcSkinParams{});
  EXPECT_TRUE(dynamic_cast<TkcTabControlWnd*>(a));
  delete a;
  a = MakeKindAdapter(K::Spin, spin, f.Source(), TkcSkinParams{});
  ASSERT_TRUE(dynamic_cast<TkcSpinWnd*>(a));
  EXPECT_EQ(static_cast<TkcSpinWnd*>(a)->lOffset, 2) << "a dialog's up-down keeps its left columns";
  delete a;
  a = MakeKindAdapter(K::CheckBox, check, f.Source(), TkcSkinParams{});
  EXPECT_TRUE(dynamic_cast<TkcCheckBoxWnd*>(a));
  delete a;
  a = MakeKindAdapter(K::GroupBox, group, f.Source(), TkcSkinParams{});
  EXPECT_TRUE(dynamic_cast<TkcGroupBoxWnd*>(a));
  delete a;

  auto* pages = new fw::TPageControl(form.form);
  pages->SetParent(form.form);
  a = MakeListAdapter(tlPageControl, pages, f.Source(), TkcSkinParams{});
  EXPECT_TRUE(dynamic_cast<TkcPageControlWnd*>(a));
  EXPECT_EQ(a->SkinSection(), u"PAGECONTROL");
  delete a;
}
