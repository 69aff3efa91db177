#include "fw/core/collection.h"

#include <algorithm>
#include <string>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"

namespace fw {
namespace {

[[noreturn]] void RaiseIndex(int index) {
  std::string s = std::to_string(index);
  throw EListError(u"List index out of bounds (" + String(s.begin(), s.end()) + u")");
}

String Decimal(int v) {
  std::string s = std::to_string(v);
  return String(s.begin(), s.end());
}

}  // namespace

FW_REGISTER(TCollectionItem) {}
FW_REGISTER(TCollection) {}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || current == Value) return;
  auto& items = FCollection->FItems;
  if (Value < 0 || Value >= static_cast<int>(items.size())) RaiseIndex(Value);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

String TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String& Value) {
  (void)Value;
  Changed(false);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

String TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + u"[" + Decimal(Index()) + u"]";
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TClass ItemClass, TPersistent* AOwner) : FItemClass(ItemClass), FOwner(AOwner) {
  if (!ItemClass || !ItemClass->InheritsFrom(TCollectionItem::StaticClass()))
    throw EListError(u"Invalid collection item class");
}

TCollection::~TCollection() {
  // Items leave one by one without reports: the collection is going.
  ++FUpdateCount;
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    FItems.pop_back();
    item->FCollection = nullptr;
    item->Free();
  }
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

TCollectionItem* TCollection::Add() {
  TObject* object = FItemClass->Create(nullptr);
  auto* item = dynamic_cast<TCollectionItem*>(object);
  if (!item) {
    delete object;
    throw EListError(u"Invalid collection item class");
  }
  item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count()) RaiseIndex(Index);
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  // Taken out first, so that the extraction report sees a whole item.
  RemoveItem(item);
  item->Free();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) {
      TCollectionItem* item = FItems.back();
      RemoveItem(item);
      item->Free();
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : source->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::InsertItem(TCollectionItem* Item) {
  if (!Item->InheritsFrom(FItemClass)) throw EListError(u"Invalid property value");
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  SetItemName(Item);
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
  Item->FCollection = nullptr;
  Changed();
}

}  // namespace fw
