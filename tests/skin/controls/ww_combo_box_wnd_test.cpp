// Combo boxes of the WW list: the drop-down button's place by style and
// scroll-bar side, the list box the combo box makes among its children
// adapted as an edit (a newer one's adapter replacing the older one's, and
// freed with the combo box's adapter whichever goes first), and the list
// box's colour question left to the control.
#include "skin/controls/ww_combo_box_wnd.h"

#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/combobox.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/listbox.h"
#include "skin/controls/adapter_factory.h"
#include "skin/engine/skin_manager.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

// A combo box that makes its drop-down list as a framework list box of
// its own, as the combo boxes of the WW list do.
class TTestWWCombo : public fw::TComboBox {
 public:
  explicit TTestWWCombo(fw::TComponent* AOwner) : fw::TComboBox(AOwner) {}
  fw::TListBox* MakeList() {
    auto* list = new fw::TListBox(this);
    list->SetParent(this);
    list->SetBounds(0, 0, 60, 40);
    list->Handle();
    return list;
  }
};

struct Fixture {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticControlSkin();
  fwtest::TestForm form{300, 200};
  TTestWWCombo* combo;
  explicit Fixture(fw::TComboBoxStyle style = fw::csDropDownList) {
    combo = new TTestWWCombo(form.form);
    combo->SetParent(form.form);
    combo->SetStyle(style);
    combo->SetBounds(10, 10, 150, 24);
    form->Show();
    fwtest::Pump();
  }
  TkcWWComboBoxWnd* Attach() {
    TkcSkinParams p;
    p.Control = combo;
    return AttachAdapter<TkcWWComboBoxWnd>(combo->Handle(), [this] { return skin.get(); }, p);
  }
};

}  // namespace

TEST(WWComboBoxWnd, TheWWListsControlsGetIt) {
  Fixture f;
  TkcMainWnd* a = MakeListAdapter(tlWWEdit, f.combo, [&] { return f.skin.get(); }, TkcSkinParams{});
  EXPECT_NE(dynamic_cast<TkcWWComboBoxWnd*>(a), nullptr);
  delete a;
}

TEST(WWComboBoxWnd, ButtonShownByTheControlsStyle) {
  fwtest::TestForm form;
  struct Case {
    const char* what;
    fw::TControl* control;
    bool shown;
  } cases[] = {
      {"simple", nullptr, false}, {"drop-down", nullptr, true}, {"drop-down list", nullptr, true},
      {"not a combo box", new fw::TEdit(form.form), true}, {"no control", nullptr, true}};
  const fw::TComboBoxStyle styles[] = {fw::csSimple, fw::csDropDown, fw::csDropDownList};
  for (int i = 0; i < 3; ++i) {
    auto* c = new fw::TComboBox(form.form);
    c->SetStyle(styles[i]);
    cases[i].control = c;
  }
  for (const Case& c : cases) EXPECT_EQ(TkcWWComboBoxWnd::ButtonShown(c.control), c.shown) << c.what;
}

TEST(WWComboBoxWnd, ButtonPlaceBySideAndStyle) {
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  struct Case {
    const char* what;
    fw::TComboBoxStyle style;
    bool leftScroll;
    fw::TRect expected;  // for a 150 pixels wide combo box of height h
  } cases[] = {
      {"right", fw::csDropDownList, false, fw::Rect(148 - w, 2, 148, 0)},
      {"left-hand scroll bar", fw::csDropDownList, true, fw::Rect(2, 2, 2 + w, 0)},
      {"no button", fw::csSimple, false, fw::Rect(148, 2, 148, 0)},
  };
  for (const Case& c : cases) {
    Fixture f(c.style);
    const HWND h = f.combo->Handle();
    if (c.leftScroll) SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    TkcWWComboBoxWnd* a = f.Attach();
    RECT r{};
    GetWindowRect(h, &r);
    fw::TRect expected = c.expected;
    expected.Bottom = (r.bottom - r.top) - 2;
    EXPECT_EQ(a->ButtonRect(), expected) << c.what;
    delete a;
  }
}

TEST(WWComboBoxWnd, TheListBoxItMakesIsAdaptedAndItsAdapterOwnedOnce) {
  Fixture f;
  TkcWWComboBoxWnd* a = f.Attach();
  fw::TListBox* first = f.combo->MakeList();
  EXPECT_EQ(a->ListBox, first);
  ASSERT_NE(a->ListBoxSW, nullptr);
  EXPECT_EQ(GetWindowAdapter(first->Handle()), a->ListBoxSW) << "an edit adapter on the list box";
  EXPECT_EQ(a->ListBoxSW->SkinSection(), u"EDIT");

  fw::TListBox* second = f.combo->MakeList();
  EXPECT_EQ(a->ListBox, second) << "a newer list box replaces it";
  EXPECT_EQ(GetWindowAdapter(first->Handle()), nullptr) << "the older one's adapter went";
  EXPECT_EQ(GetWindowAdapter(second->Handle()), a->ListBoxSW);

  // The list box goes first, then the combo box's adapter: freed once.
  delete second;
  fwtest::Pump();
  delete a;
  EXPECT_EQ(GetWindowAdapter(first->Handle()), nullptr);

  // The combo box's adapter goes first: the list box is left as it was.
  TkcWWComboBoxWnd* b = f.Attach();
  fw::TListBox* third = f.combo->MakeList();
  ASSERT_NE(GetWindowAdapter(third->Handle()), nullptr);
  delete b;
  EXPECT_EQ(GetWindowAdapter(third->Handle()), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(third->Handle(), GWLP_WNDPROC) != 0, true);
}

TEST(WWComboBoxWnd, TheListBoxColourQuestionGoesToTheControl) {
  for (bool ww : {false, true}) {
    Fixture f;
    TkcSkinParams p;
    p.Control = f.combo;
    TkcComboBoxWnd* a = ww ? f.Attach()
                           : AttachAdapter<TkcComboBoxWnd>(f.combo->Handle(), [&] { return f.skin.get(); }, p);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 60, 40, f.form->Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    HDC dc = GetDC(list);
    SendMessageW(f.combo->Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
    ReleaseDC(list, dc);
    EXPECT_EQ(a->ListSW != nullptr, !ww) << (ww ? "the WW adapter leaves it to the control"
                                               : "a plain combo box adapter skins the list");
    delete a;
    DestroyWindow(list);
  }
}
