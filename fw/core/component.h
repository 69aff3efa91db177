// Components: objects with an owner that frees them, a name unique among
// the owner's components, a tag, a state, and notifications when components
// join or leave an owner or when a component that asked to be watched goes.
#pragma once

#include <vector>

#include "fw/core/object.h"
#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"

namespace fw {

enum TOperation : uint8_t { opInsert, opRemove };

enum TComponentStateItem : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
  FW_CLASS(TComponent, TPersistent)

  explicit TComponent(TComponent* AOwner);
  // Tells the watchers (opRemove), frees the owned components last to first,
  // then leaves the owner.
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // EListError "List index out of bounds (i)" outside 0..ComponentCount-1.
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int Value);

  const String& Name() const { return FName; }
  // EComponentError "'X' is not a valid component name" or "A component
  // named X already exists" (case-insensitive, among the owner's).
  virtual void SetName(const String& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }

  // The owned component of that name (case-insensitive), or null.
  TComponent* FindComponent(StringView AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Marks this component and its owned components as going (csDestroying).
  void Destroying();

  // AComponent's Notification(this, opRemove) runs when this component goes,
  // and this one's when AComponent goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Called with opInsert/opRemove when a component joins or leaves this
  // owner (passed on to every owned component) and with opRemove when a
  // watched component goes. Overrides call inherited.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Loading from a form description: the loader sets csLoading/csReading,
  // then calls Loaded once every property of the tree is set.
  void SetLoading(bool Value);
  void SetReading(bool Value);
  virtual void Loaded();
  void SetDesigning(bool Value, bool SetChildren = true);
  void Updating();
  void Updated();

  // The visual parent a loader attaches a child to (controls override).
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) { (void)Value; }

  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  TPersistent* GetOwner() const override { return FOwner; }
  String GetNamePath() const override { return FName; }
  void BeforeDestruction() override;

 protected:
  // Sets (or clears) the owner's published field named like this component.
  void SetReference(bool Enable);
  void ChangeName(const String& NewName) { FName = NewName; }

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  String FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// A component name: a letter or "_", then letters, digits or "_".
bool IsValidIdent(StringView Ident);

}  // namespace fw
