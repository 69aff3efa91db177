// The control adapter of a skinned form with a fake adapter factory: which
// controls get an adapter by the exact class name in the skin manager's
// lists, the excluded container whose children still do, the item events,
// walking twice, a dead adapter replaced, the rules switch, a new child
// found on this form by its window, a tab page change walking the form,
// and speed buttons with the control skinning's own handler.
#include "skin/forms/ctrl_adapter.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "fw/core/rtti.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/listbox.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/speedbutton.h"
#include "skin/controls/attach_hook.h"
#include "skin/controls/scrollbar.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/skinned_form.h"

namespace {
class TDerivedEdit : public fw::TEdit {
  FW_CLASS(TDerivedEdit, fw::TEdit)
  explicit TDerivedEdit(fw::TComponent* AOwner) : fw::TEdit(AOwner) {}
};
}  // namespace

FW_REGISTER(TDerivedEdit) {}

namespace skin {
namespace {

struct FakeAdapter : TkAdapterLink {
  bool dead = false;
  bool IsDestroyed() const override { return dead; }
};

// The factory as the control skinning registers it, recording its calls.
struct FakeFactory {
  std::vector<std::pair<int, fw::TWinControl*>> made;
  std::map<fw::TWinControl*, FakeAdapter*> adapters;
  std::vector<fw::String> sections;
  decltype(TkSkinningLinks::MakeListAdapter) saved = SkinningLinks().MakeListAdapter;
  FakeFactory() {
    SkinningLinks().MakeListAdapter = [this](int list, fw::TWinControl* c, const TkcSkinParams& p) -> TkAdapterLink* {
      made.push_back({list, c});
      sections.push_back(p.SkinSection);
      auto* a = new FakeAdapter;
      adapters[c] = a;
      return a;
    };
  }
  ~FakeFactory() { SkinningLinks().MakeListAdapter = saved; }
  int CallsFor(fw::TWinControl* c) const {
    int n = 0;
    for (auto& m : made) n += m.second == c;
    return n;
  }
};

struct ItemEvents {
  fw::TComponent* refused = nullptr;
  fw::String section;
  void OnSkinItem(fw::TComponent* Item, bool& CanBeAdded, fw::String&) {
    if (Item == refused) CanBeAdded = false;
  }
  void OnSkinItemEx(fw::TComponent*, bool&, TkcSkinParams* Params) {
    if (!section.empty()) Params->SkinSection = section;
  }
};

struct AdaptedForm {
  FakeFactory factory;
  TkSkinManager manager{nullptr};
  SkinnedForm f{0, fw::bsSizeable, 400, 300, false};
  fw::TEdit* edit;
  TDerivedEdit* derived;
  fw::TPanel* excluded;
  fw::TEdit* inner;
  fw::TListBox* list;
  fw::TPanel* speedOnly;
  fw::TLabel* label;
  template <class T>
  T* Add(fw::TWinControl* parent) {
    auto* c = new T(f.form.form);
    c->SetParent(parent);
    return c;
  }
  AdaptedForm() {
    manager.ThirdLists[0]->Add(u"TEdit");
    manager.ThirdLists[7]->Add(u"TEdit");      // the lower index wins
    manager.ThirdLists[9]->Add(u"tlistbox");   // another letter case
    manager.ThirdLists[17]->Add(u"TPanel");    // the speed-button list
    edit = Add<fw::TEdit>(f.form.form);
    derived = Add<TDerivedEdit>(f.form.form);
    excluded = Add<fw::TPanel>(f.form.form);
    excluded->SetTag(0x100);
    inner = new fw::TEdit(excluded);
    inner->SetParent(excluded);
    list = Add<fw::TListBox>(f.form.form);
    speedOnly = excluded;
    label = new fw::TLabel(f.form.form);
    label->SetParent(f.form.form);
    f.provider->SetManager(&manager);
    f.provider->RTInit = true;
    f.Show();
  }
  TkcCtrlAdapter& adapter() { return *f.provider->Adapter(); }
};

TEST(CtrlAdapter, ExactClassNamesInTheListsDecide) {
  AdaptedForm a;
  ASSERT_NE(a.f.provider->Adapter(), nullptr) << "made when the provider completes";
  EXPECT_EQ(a.factory.CallsFor(a.edit), 1);
  ASSERT_FALSE(a.factory.made.empty());
  EXPECT_EQ(a.factory.made.front().first, 0) << "the lower list index";
  EXPECT_EQ(a.factory.CallsFor(a.inner), 1) << "inside an excluded container";
  EXPECT_EQ(a.factory.CallsFor(a.derived), 0) << "a descendant of a listed class";
  EXPECT_EQ(a.factory.CallsFor(a.list), 0) << "another letter case";
  EXPECT_EQ(a.factory.CallsFor(a.excluded), 0);
  EXPECT_EQ(a.adapter().Count(), 2);
  EXPECT_GE(a.adapter().IndexOf(a.edit), 0);
  EXPECT_EQ(a.adapter().IndexOf(a.derived), -1);
  // A windowed class only in the speed-button list passes but gets nothing.
  a.excluded->SetTag(0);
  EXPECT_TRUE(a.adapter().IsControlSupported(a.excluded));
  a.adapter().AddNewItem(a.excluded);
  EXPECT_EQ(a.adapter().IndexOf(a.excluded), -1);
  EXPECT_EQ(a.f.provider->SavedLabelColors().size(), 1u) << "the label takes the skin's font colour";
}

TEST(CtrlAdapter, WalkingTwiceKeepsOneItemAndADeadAdapterIsReplaced) {
  AdaptedForm a;
  a.adapter().AddAllItems(nullptr);
  EXPECT_EQ(a.adapter().Count(), 2);
  EXPECT_EQ(a.factory.CallsFor(a.edit), 1);
  a.factory.adapters[a.edit]->dead = true;
  a.adapter().AddNewItem(a.edit);
  EXPECT_EQ(a.factory.CallsFor(a.edit), 2) << "the window was made anew";
  EXPECT_EQ(a.adapter().Count(), 2);
  // Dead entries are dropped in order.
  a.factory.adapters[a.edit]->dead = true;
  const fw::TWinControl* second = a.adapter().GetItem(1)->WinCtrl;
  a.adapter().CleanItems();
  ASSERT_EQ(a.adapter().Count(), 1);
  EXPECT_EQ(a.adapter().GetItem(0)->WinCtrl, second);
  EXPECT_EQ(a.adapter().GetItem(5), nullptr);
}

TEST(CtrlAdapter, ItemEventsAndTheRulesSwitch) {
  AdaptedForm a;
  ItemEvents events;
  a.f.provider->OnSkinItem = TkSkinProvider::TAddItemEvent(&events, &ItemEvents::OnSkinItem);
  a.f.provider->OnSkinItemEx = TkSkinProvider::TAddItemExEvent(&events, &ItemEvents::OnSkinItemEx);
  auto* refused = new fw::TEdit(a.f.form.form);
  events.refused = refused;
  refused->SetParent(a.f.form.form);
  events.section = u"PANEL_LOW";
  auto* taken = a.Add<fw::TEdit>(a.f.form.form);
  a.adapter().AddAllItems(nullptr);
  EXPECT_EQ(a.adapter().IndexOf(refused), -1) << "CanBeAdded false";
  ASSERT_GE(a.adapter().IndexOf(taken), 0);
  EXPECT_EQ(a.factory.sections.back(), u"PANEL_LOW") << "the section the event chose";
  // Without third-party skinning the walk adapts nothing, a direct add does.
  a.manager.WriteSkinningRules(TkcSkinningRules{srStdForms, srStdDialogs});
  auto* later = a.Add<fw::TEdit>(a.f.form.form);
  a.adapter().RemoveItem(a.adapter().IndexOf(later));  // put in when it came
  a.adapter().AddAllItems(nullptr);
  EXPECT_EQ(a.adapter().IndexOf(later), -1);
  a.adapter().AddNewItem(later);
  EXPECT_GE(a.adapter().IndexOf(later), 0);
}

TEST(CtrlAdapter, NewChildrenAreFoundOnThisFormByTheirWindowAndByThePagesNotice) {
  AdaptedForm a;
  // Another form's control with the same identifier.
  fwtest::TestForm other;
  auto* stranger = new fw::TEdit(other.form);
  stranger->SetParent(other.form);
  auto* fresh = a.Add<fw::TEdit>(a.f.form.form);
  const HWND wnd = fresh->Handle();
  SetWindowLongPtrW(stranger->Handle(), GWLP_ID, GetDlgCtrlID(wnd));
  // Forget what the control-list notice did, then the creation notice.
  a.adapter().RemoveItem(a.adapter().IndexOf(fresh));
  ASSERT_EQ(a.adapter().IndexOf(fresh), -1);
  SendMessageW(a.f.wnd(), WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, GetDlgCtrlID(wnd)), reinterpret_cast<LPARAM>(wnd));
  EXPECT_GE(a.adapter().IndexOf(fresh), 0);
  EXPECT_EQ(a.adapter().IndexOf(stranger), -1);
  EXPECT_EQ(a.factory.CallsFor(stranger), 0);
  // A tab control's page change walks the form (the new page's controls
  // come); other notices do not.
  a.adapter().RemoveItem(a.adapter().IndexOf(fresh));
  NMHDR hdr{wnd, 0, UINT(-2)};  // a click
  SendMessageW(a.f.wnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  EXPECT_EQ(a.adapter().IndexOf(fresh), -1);
  hdr.code = UINT(-551);
  SendMessageW(a.f.wnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  EXPECT_GE(a.adapter().IndexOf(fresh), 0);
  // A control put into a container of the form comes in by its notice.
  a.adapter().RemoveItem(a.adapter().IndexOf(fresh));
  a.f.form->Perform(fw::CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(static_cast<fw::TControl*>(fresh)), 1);
  EXPECT_GE(a.adapter().IndexOf(fresh), 0);
}

TEST(CtrlAdapter, AFormInsideTheFormGetsAProviderOfItsOwn) {
  AdaptedForm a;
  auto* inside = fw::NewForm<fw::TForm>(a.f.form.form);
  inside->SetBorderStyle(fw::bsNone);
  inside->SetParent(a.f.form.form);
  inside->Show();
  a.adapter().AddNewItem(inside);
  TkSkinProvider* own = nullptr;
  for (int i = 0; i < inside->ComponentCount(); ++i)
    if (auto* p = dynamic_cast<TkSkinProvider*>(inside->Components(i))) own = p;
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->Skin(), a.f.skin.get());
  EXPECT_EQ(a.adapter().IndexOf(inside), -1) << "no item is kept for it";
  EXPECT_EQ(SendMessageW(inside->Handle(), WM_SKINCOMMAND, MAKEWPARAM(0, SKC_ISHANDLED), 0), 1);
}

TEST(CtrlAdapter, SpeedButtonsGetTheControlSkinningsHandler) {
  // The speed-button link as the control skinning registers it when it
  // starts (its window hook and the rest stay out of this test).
  struct Links {
    TkSkinningLinks saved = SkinningLinks();
    decltype(ScrollBarSkinSource) savedScrollBars = ScrollBarSkinSource;
    Links() {
      LinkControlSkinning();
      auto handler = SkinningLinks().MakeSpeedButtonHandler;
      SkinningLinks() = saved;
      ScrollBarSkinSource = savedScrollBars;
      SkinningLinks().MakeSpeedButtonHandler = handler;
    }
    ~Links() { SkinningLinks() = saved; }
  } links;
  ASSERT_TRUE(SkinningLinks().MakeSpeedButtonHandler);
  fwtest::TestForm form;
  auto* button = new fw::TSpeedButton(form.form);
  button->SetParent(form.form);
  const fw::TWndMethod own = button->WindowProc();
  // What the control adapter does for a listed speed button.
  TkcGraphItem item(nullptr);
  item.SkinData->WriteSkinSection(u"SPEEDBUTTON_SMALL");
  item.DoHook(button);
  ASSERT_TRUE(item.Alive()) << "the handler paints the button";
  EXPECT_FALSE(button->WindowProc() == own);
  // Freed with its item, it gives the button its own procedure back.
  item.Handler.reset();
  EXPECT_TRUE(button->WindowProc() == own);
}

}  // namespace
}  // namespace skin
