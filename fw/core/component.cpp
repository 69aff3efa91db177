#include "fw/core/component.h"

#include <algorithm>
#include <string>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"

namespace fw {
namespace {

bool SameName(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

[[noreturn]] void RaiseIndex(int index) {
  std::string s = std::to_string(index);
  throw EListError(u"List index out of bounds (" + String(s.begin(), s.end()) + u")");
}

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

FW_REGISTER(TComponent) {
  c.Property(u"Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  c.Property(u"Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

bool IsValidIdent(StringView Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; };
  if (!alpha(Ident[0])) return false;
  for (char16_t c : Ident)
    if (!alpha(c) && !(c >= u'0' && c <= u'9')) return false;
  return true;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Each watcher hears once that this component goes; the lists are cut
  // first so that a Notification override need not call inherited.
  while (!FFreeNotifies.empty()) {
    TComponent* watcher = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(watcher->FFreeNotifies, this);
    watcher->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() { Destroying(); }

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) RaiseIndex(Index);
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  int current = ComponentIndex();
  if (current < 0) return;
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(u"'" + NewName + u"' is not a valid component name");
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  else ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  ChangeName(NewName);
  SetReference(true);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (AComponent && !SameName(CurName, NewName) && AComponent->FOwner == this && FindComponent(NewName))
    throw EComponentError(u"A component named " + NewName + u" already exists");
}

TComponent* TComponent::FindComponent(StringView AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameName(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner == this) return;
  // A named newcomer must not clash with a component already owned here.
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
    throw EComponentError(u"A component named " + AComponent->FName + u" already exists");
  ValidateRename(AComponent, String(), AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  Erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    // A component watched by others is removed with notification, so that
    // siblings holding it let go; the rest leave quietly.
    if (instance->FComponentState.Contains(csFreeNotification)) RemoveComponent(instance);
    else Remove(instance);
    instance->Free();
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FreeNotification(this);
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  Erase(FFreeNotifies, AComponent);
  if (FFreeNotifies.empty()) FComponentState.Exclude(csFreeNotification);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A handler may free owned components: walk down and re-clamp.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::SetLoading(bool Value) {
  if (Value) FComponentState.Include(csLoading);
  else FComponentState.Exclude(csLoading);
}

void TComponent::SetReading(bool Value) {
  if (Value) FComponentState.Include(csReading);
  else FComponentState.Exclude(csReading);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::Updating() { FComponentState.Include(csUpdating); }

void TComponent::Updated() { FComponentState.Exclude(csUpdating); }

void TComponent::SetReference(bool Enable) {
  if (!FOwner || FName.empty()) return;
  if (const TFieldInfo* field = FOwner->ClassType()->FindField(FName)) {
    if (Enable) field->Set(FOwner, this);
    else if (field->Get(FOwner) == this) field->Set(FOwner, nullptr);
  }
}

}  // namespace fw
