// Collections: an owned list of items of one class, with an update bracket
// that holds back change reports until the outermost EndUpdate.
#pragma once

#include <vector>

#include "fw/core/object.h"

namespace fw {

class TCollection;

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  FW_CLASS(TCollectionItem, TPersistent)

  TCollectionItem() = default;
  // Leaves its collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item from its collection to Value (null: none). Items that
  // need their collection when they start override this and call inherited.
  virtual void SetCollection(TCollection* Value);
  int Index() const;
  // Moves the item within its collection; EListError outside the range.
  virtual void SetIndex(int Value);
  int ID() const { return FID; }
  virtual String DisplayName() const;
  virtual void SetDisplayName(const String& Value);
  TPersistent* GetOwner() const override;
  String GetNamePath() const override;

 protected:
  // Reports a change of this item (or of all items) to the collection.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  FW_CLASS(TCollection, TPersistent)

  // ItemClass must be registered and derive from TCollectionItem.
  explicit TCollection(TClass ItemClass, TPersistent* AOwner = nullptr);
  ~TCollection() override;

  TClass ItemClass() const { return FItemClass; }
  TPersistent* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError "List index out of bounds (i)".
  TCollectionItem* Items(int Index) const;
  void SetItem(int Index, TCollectionItem* Value);  // assigns Value to the item

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;

  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Clears this collection and adds a copy of every item of a collection.
  void Assign(TPersistent* Source) override;

 protected:
  // A change of Item (null: of the whole collection), reported outside any
  // update bracket.
  virtual void Update(TCollectionItem* Item) { (void)Item; }
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) { (void)Item; (void)Action; }
  virtual void SetItemName(TCollectionItem* Item) { (void)Item; }
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TClass FItemClass;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

}  // namespace fw
