#include "skin/forms/ctrl_adapter.h"

#include "fw/stdctrls/label.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/system/application.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/skin_provider.h"

namespace skin {

namespace {

// One walk and one removal at a time, for every form (creating adapters
// sends messages that can lead back here).
bool Walking = false;
bool Removing = false;

bool AnswersHandled(fw::TWinControl* c) {
  return c->HandleAllocated() && SendMessageW(c->Handle(), WM_SKINCOMMAND, MAKEWPARAM(0, SKC_ISHANDLED), 0) != 0;
}

}  // namespace

void TkcAdapterItem::DoHook(fw::TWinControl* Control, TkcSkinParams SkinParams) {
  if (!Control || (Control->Tag() & 0x100) || !Control->HandleAllocated() || !Control->Parent() ||
      AnswersHandled(Control))
    return;
  WinCtrl = Control;
  SkinParams.Control = Control;
  const int list = Adapter->ListIndexOf(Control->ClassName());
  // The speed-button list has no window adapter.
  if (list < 0 || list == 17 || !SkinningLinks().MakeListAdapter) return;
  ScrollWnd.reset(SkinningLinks().MakeListAdapter(list, Control, SkinParams));
}

TkcGraphItem::TkcGraphItem(TkcCtrlAdapter* AAdapter)
    : SkinData(std::make_unique<TkCommonData>(nullptr, true)), Adapter(AAdapter) {
  SkinData->COC = 230;
}

void TkcGraphItem::DoHook(fw::TControl* Control) {
  if (!Control || (Control->Tag() & 0x100)) return;
  Ctrl = Control;
  SkinData->FOwnerControl = Control;
  SkinData->FOwnerObject = Control;
  if (SkinningLinks().MakeSpeedButtonHandler) Handler.reset(SkinningLinks().MakeSpeedButtonHandler(Control, SkinData.get()));
}

TkcCtrlAdapter::TkcCtrlAdapter(TkSkinProvider* AProvider) : Provider(AProvider) {}

TkcCtrlAdapter::~TkcCtrlAdapter() {
  CleanItems();
  RemoveAllItems();
}

int TkcCtrlAdapter::ListIndexOf(const fw::String& ClassName) const {
  TkSkinManager* m = Provider->Manager();
  if (!m) return -1;
  for (size_t i = 0; i < m->ThirdLists.size(); ++i) {
    const fw::TStringList& list = *m->ThirdLists[i];
    for (int j = 0; j < list.Count(); ++j)
      if (list.Strings(j) == ClassName) return int(i);
  }
  return -1;
}

bool TkcCtrlAdapter::EventCheck(fw::TComponent* Control) {
  TkcSkinParams params;
  bool canBeAdded = true;
  if (Provider->OnSkinItem.Assigned()) Provider->OnSkinItem(Control, canBeAdded, params.SkinSection);
  if (Provider->OnSkinItemEx.Assigned()) Provider->OnSkinItemEx(Control, canBeAdded, &params);
  return params.UseSkinFontColor;
}

bool TkcCtrlAdapter::IsControlSupported(fw::TComponent* Control) {
  auto* control = dynamic_cast<fw::TControl*>(Control);
  if (!Control || (control && (control->Tag() & 0x100))) return false;
  if (auto* w = dynamic_cast<fw::TWinControl*>(Control); w && (!w->HandleAllocated() || AnswersHandled(w)))
    return false;
  if (dynamic_cast<fw::TGraphicControl*>(Control)) {
    if (dynamic_cast<fw::TCustomLabel*>(Control)) return EventCheck(Control);
    if (dynamic_cast<fw::TSpeedButton*>(Control)) return ListIndexOf(Control->ClassName()) >= 0 && EventCheck(Control);
    return false;
  }
  if (dynamic_cast<fw::TCustomForm*>(Control)) return EventCheck(Control);
  return ListIndexOf(Control->ClassName()) >= 0;
}

void TkcCtrlAdapter::AddAllItems(fw::TWinControl* OwnerCtrl) {
  TkSkinManager* m = Provider->Manager();
  if (Walking || !m || !m->SkinningRules().Contains(srThirdParty)) return;
  Walking = true;
  if (!OwnerCtrl) OwnerCtrl = Provider->Form();
  if (!OwnerCtrl) {
    Walking = false;
    return;
  }
  CleanItems();
  auto walkInto = [&](fw::TComponent* c) {
    auto* w = dynamic_cast<fw::TWinControl*>(c);
    if (w && w->HandleAllocated() && w->Parent()) {
      Walking = false;
      AddAllItems(w);
    }
  };
  for (int i = 0; i < OwnerCtrl->ComponentCount(); ++i) {
    fw::TComponent* c = OwnerCtrl->Components(i);
    if (IsControlSupported(c)) {
      if (auto* w = dynamic_cast<fw::TWinControl*>(c))
        AddNewItem(w, u"");
      else if (auto* l = dynamic_cast<fw::TCustomLabel*>(c))
        Provider->InitLabel(l, true);
    }
    walkInto(c);
  }
  for (int i = 0; i < OwnerCtrl->ControlCount(); ++i) {
    fw::TControl* c = OwnerCtrl->Controls(i);
    if (IsControlSupported(c)) {
      if (auto* w = dynamic_cast<fw::TWinControl*>(c))
        AddNewItem(w, u"");
      else if (auto* l = dynamic_cast<fw::TLabel*>(c))
        Provider->InitLabel(l, true);
      else if (auto* b = dynamic_cast<fw::TSpeedButton*>(c))
        AddNewItem(b);
    }
    walkInto(c);
  }
  Walking = false;
}

void TkcCtrlAdapter::AddNewItem(fw::TWinControl* Ctrl) { AddNewItem(Ctrl, DefaultSection); }

void TkcCtrlAdapter::AddNewItem(fw::TWinControl* Ctrl, const fw::String& SkinSection) {
  if (!Ctrl || (Ctrl->Tag() & 0x100) || !Ctrl->Parent() || AnswersHandled(Ctrl)) return;
  TkcSkinParams params;
  params.SkinSection = SkinSection;
  bool canBeAdded = true;
  if (Provider->OnSkinItem.Assigned()) {
    Provider->OnSkinItem(Ctrl, canBeAdded, params.SkinSection);
    if (!canBeAdded) return;
  }
  if (Provider->OnSkinItemEx.Assigned()) {
    Provider->OnSkinItemEx(Ctrl, canBeAdded, &params);
    if (!canBeAdded) return;
  }
  if (auto* form = dynamic_cast<fw::TCustomForm*>(Ctrl)) {
    // A form placed inside the form is skinned by a provider of its own.
    auto* p = new TkSkinProvider(form);
    p->SetManager(Provider->Manager());
    p->SetSkinSource(Provider->SkinSource());
    p->SetSkin(Provider->Skin());
    p->PrepareForm();
    return;
  }
  const int index = IndexOf(Ctrl);
  if (index < 0) {
    Items.push_back(std::make_unique<TkcAdapterItem>(this, Ctrl));
    Items.back()->DoHook(Ctrl, params);
    if (!Items.back()->ScrollWnd) Items.pop_back();
    return;
  }
  TkcAdapterItem& item = *Items[size_t(index)];
  if (item.ScrollWnd && item.ScrollWnd->IsDestroyed()) {
    item.ScrollWnd.reset();
    if (item.WinCtrl->Parent()) item.DoHook(Ctrl, params);
  }
}

void TkcCtrlAdapter::AddNewItem(fw::TSpeedButton* Ctrl) {
  if (!Ctrl || (Ctrl->Tag() & 0x100) || !Ctrl->Parent() ||
      Ctrl->Perform(WM_SKINCOMMAND, MAKEWPARAM(0, SKC_ISHANDLED), 0) == 1)
    return;
  TkcSkinParams params;
  params.SkinSection = u"SPEEDBUTTON";
  bool canBeAdded = true;
  if (Provider->OnSkinItem.Assigned()) {
    Provider->OnSkinItem(Ctrl, canBeAdded, params.SkinSection);
    if (!canBeAdded) return;
  }
  if (Provider->OnSkinItemEx.Assigned()) {
    Provider->OnSkinItemEx(Ctrl, canBeAdded, &params);
    if (!canBeAdded) return;
  }
  TkcGraphItem* item = nullptr;
  for (auto& g : GraphItems)
    if (g->Ctrl == Ctrl) item = g.get();
  const bool found = item != nullptr;
  if (!found) {
    GraphItems.push_back(std::make_unique<TkcGraphItem>(this));
    item = GraphItems.back().get();
    item->Ctrl = Ctrl;
  }
  item->SkinData->WriteSkinSection(Ctrl->Flat() ? u"SPEEDBUTTON_SMALL" : u"SPEEDBUTTON");
  if (found) {
    if (item->Handler && item->Handler->IsDestroyed()) {
      item->Handler.reset();
      item->DoHook(Ctrl);
    }
    return;
  }
  if (item->Ctrl->Parent()) item->DoHook(Ctrl);
  if (!item->Handler) GraphItems.pop_back();
}

TkcAdapterItem* TkcCtrlAdapter::GetItem(int Index) const {
  return Index >= 0 && Index < Count() ? Items[size_t(Index)].get() : nullptr;
}

int TkcCtrlAdapter::IndexOf(fw::TWinControl* Ctrl) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i] && Items[i]->WinCtrl == Ctrl) return int(i);
  return -1;
}

void TkcCtrlAdapter::RemoveItem(int Index) {
  if (Index < 0 || Index >= Count()) return;
  Items[size_t(Index)] = std::move(Items.back());
  Items.pop_back();
}

void TkcCtrlAdapter::CleanItems() {
  for (size_t i = 0; i < Items.size();) {
    if (!Items[i] || !Items[i]->Alive())
      Items.erase(Items.begin() + std::ptrdiff_t(i));
    else
      ++i;
  }
  for (size_t i = 0; i < GraphItems.size();) {
    if (!GraphItems[i] || !GraphItems[i]->Alive())
      GraphItems.erase(GraphItems.begin() + std::ptrdiff_t(i));
    else
      ++i;
  }
}

void TkcCtrlAdapter::RemoveAllItems() {
  if (Removing) return;
  Removing = true;
  while (!Items.empty()) Items.pop_back();
  const bool terminated = fw::Application && fw::Application->Terminated();
  while (!GraphItems.empty()) {
    // The buttons may be gone already: freeing touches none.
    if (terminated) GraphItems.back()->Ctrl = nullptr;
    GraphItems.pop_back();
  }
  Removing = false;
}

void TkcCtrlAdapter::WndProc(fw::TMessage& Message) {
  for (auto& item : Items)
    if (item && item->Alive() && item->WinCtrl->Parent() && item->WinCtrl->HandleAllocated())
      SendMessageW(item->WinCtrl->Handle(), Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace skin
