#include "fw/system/actions.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/graphics/imagelist.h"

namespace fw {

// ---- TBasicAction

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  while (!FClients.empty()) {
    TBasicActionLink* link = FClients.back();
    FClients.pop_back();
    link->SetAction(nullptr);
  }
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::SetActionComponent(TComponent* Value) {
  if (FActionComponent == Value) return;
  if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
  FActionComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
  if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  auto it = std::find(FClients.begin(), FClients.end(), Link);
  if (it != FClients.end()) FClients.erase(it);
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActionComponent) FActionComponent = nullptr;
}

void TBasicAction::Change() {
  std::vector<TBasicActionLink*> clients = FClients;
  for (TBasicActionLink* l : clients) l->Change();
}

// ---- TBasicActionLink

TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (Value) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!FAction) return false;
  FAction->SetActionComponent(AComponent);
  bool r;
  try {
    r = FAction->Execute();
  } catch (...) {
    if (FAction) FAction->SetActionComponent(nullptr);
    throw;
  }
  if (FAction) FAction->SetActionComponent(nullptr);
  return r;
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

// ---- TContainedAction

TContainedAction::~TContainedAction() {
  if (FActionList) FActionList->RemoveAction(this);
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

int TContainedAction::Index() const {
  if (!FActionList) return -1;
  for (int i = 0; i < FActionList->ActionCount(); ++i)
    if (FActionList->Actions(i) == this) return i;
  return -1;
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* Value) {
  if (auto* list = dynamic_cast<TCustomActionList*>(Value)) SetActionList(list);
}

// ---- TCustomAction

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  return TContainedAction::Execute();
}

void TCustomAction::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Change();
}

// ---- TCustomActionList

TCustomActionList::~TCustomActionList() {
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  if (std::find(FActions.begin(), FActions.end(), Action) != FActions.end()) return;
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  if (it == FActions.end()) return;
  FActions.erase(it);
  Action->FActionList = nullptr;
  Action->RemoveFreeNotification(this);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  auto it = std::find(FActions.begin(), FActions.end(), AComponent);
  if (it != FActions.end()) FActions.erase(it);
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TShortCut Key) {
  std::vector<TContainedAction*> actions = FActions;
  for (TContainedAction* a : actions) {
    auto* ca = dynamic_cast<TCustomAction*>(a);
    if (!ca || ca->ShortCut() != Key) continue;
    ca->Update();
    if (!ca->Enabled() || !ca->Visible()) continue;
    ca->Execute();
    return true;
  }
  return false;
}

void TCustomActionList::UpdateActions() {
  std::vector<TContainedAction*> actions = FActions;
  for (TContainedAction* a : actions) a->Update();
}

// ---- Shortcut text

namespace {

struct KeyName {
  WORD key;
  const char16_t* name;
};
const KeyName kKeyNames[] = {
    {VK_BACK, u"BkSp"}, {VK_TAB, u"Tab"},     {VK_RETURN, u"Enter"},  {VK_ESCAPE, u"Esc"},
    {VK_SPACE, u"Space"}, {VK_PRIOR, u"PgUp"}, {VK_NEXT, u"PgDn"},    {VK_END, u"End"},
    {VK_HOME, u"Home"}, {VK_LEFT, u"Left"},   {VK_UP, u"Up"},         {VK_RIGHT, u"Right"},
    {VK_DOWN, u"Down"}, {VK_INSERT, u"Ins"},  {VK_DELETE, u"Del"},
};

String KeyText(WORD key) {
  for (const auto& k : kKeyNames)
    if (k.key == key) return k.name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<char16_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return u"F" + Utf8ToString(std::to_string(key - VK_F1 + 1));
  return String();
}

}  // namespace

String ShortCutToText(TShortCut ShortCut) {
  String key = KeyText(static_cast<WORD>(ShortCut & 0xFF));
  if (key.empty()) return String();
  String r;
  if (ShortCut & scShift) r += u"Shift+";
  if (ShortCut & scCtrl) r += u"Ctrl+";
  if (ShortCut & scAlt) r += u"Alt+";
  return r + key;
}

TShortCut TextToShortCut(const String& Text) {
  TShortCut mods = 0;
  String rest = Text;
  auto take = [&](const char16_t* prefix, TShortCut bit) {
    String p(prefix);
    if (rest.size() > p.size() && CompareStringOrdinal(reinterpret_cast<LPCWCH>(rest.data()), static_cast<int>(p.size()),
                                                       reinterpret_cast<LPCWCH>(p.data()), static_cast<int>(p.size()), TRUE) == CSTR_EQUAL) {
      rest = rest.substr(p.size());
      mods |= bit;
      return true;
    }
    return false;
  };
  while (take(u"Shift+", scShift) || take(u"Ctrl+", scCtrl) || take(u"Alt+", scAlt)) {
  }
  for (int key = 1; key < 256; ++key) {
    String name = KeyText(static_cast<WORD>(key));
    if (!name.empty() && CompareStringOrdinal(reinterpret_cast<LPCWCH>(name.data()), static_cast<int>(name.size()),
                                              reinterpret_cast<LPCWCH>(rest.data()), static_cast<int>(rest.size()), TRUE) == CSTR_EQUAL)
      return static_cast<TShortCut>(mods | key);
  }
  return scNone;
}

FW_REGISTER(TBasicAction) {
  c.Event(u"OnExecute", &TBasicAction::OnExecute);
  c.Event(u"OnUpdate", &TBasicAction::OnUpdate);
}

FW_REGISTER(TContainedAction) {
  c.Property(u"Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

FW_REGISTER(TCustomAction) {}

FW_REGISTER(TAction) {
  c.Property(u"AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck).Default(false);
  c.Property(u"Caption", &TCustomAction::Caption, &TCustomAction::SetCaption);
  c.Property(u"Checked", &TCustomAction::Checked, &TCustomAction::SetChecked).Default(false);
  c.Property(u"Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled).Default(true);
  c.Property(u"Hint", &TCustomAction::Hint, &TCustomAction::SetHint);
  c.Property(u"ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex).Default(-1);
  c.Property(u"ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut).Default(0);
  c.Property(u"Visible", &TCustomAction::Visible, &TCustomAction::SetVisible).Default(true);
}

FW_REGISTER(TCustomActionList) {}

FW_REGISTER(TActionList) {
  c.Property(u"Images", &TCustomActionList::Images, &TCustomActionList::SetImages);
  c.Property(u"OnExecute", &TCustomActionList::OnExecute, &TCustomActionList::OnExecute);
  c.Property(u"OnUpdate", &TCustomActionList::OnUpdate, &TCustomActionList::OnUpdate);
}

}  // namespace fw
