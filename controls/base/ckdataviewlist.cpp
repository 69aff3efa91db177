#include "controls/base/ckdataviewlist.h"

#include <algorithm>

#include "fw/core/sysutils.h"

namespace ck {

using namespace fw;

namespace {

ICkDataItem* ParentOf(ICkDataItem* Item) {
  return Item && Item->OwnerItems() ? Item->OwnerItems()->ParentItem() : nullptr;
}

}  // namespace

TCkDataConsumerViewList::TCkDataConsumerViewList(TCkDataConsumer* AOwner) : TCkDataConsumerAggregatedObject(AOwner) {}

template <class F>
void TCkDataConsumerViewList::Entered(F f) {
  TCkDataConsumer* c = OwnerConsumer();
  c->Enter();
  try {
    f();
  } catch (...) {
    c->Leave();
    throw;
  }
  c->Leave();
}

void TCkDataConsumerViewList::SetLevelIndent(int Value) {
  if (Value == FLevelIndent) return;
  FLevelIndent = Value;
  OwnerConsumer()->BroadcastViewChange(nullptr);
}

bool TCkDataConsumerViewList::Shown(ICkDataItem* Item) {
  if (!Item) return true;
  int state = 3;
  ICkDataProvider* p = OwnerConsumer()->ProviderIntf();
  if (TCkDataConsumer* current = p ? p->CurrentConsumer() : nullptr)
    if (auto* v = Query<ICkDataConsumerVisibility>(current)) state = v->ItemVisibility(Item);
  if (state == 2 || state == 3)
    if (auto* own = Query<ICkDataItemVisibility>(Item)) state = own->OwnVisibility();
  return state != 0;
}

// ---- Building

void TCkDataConsumerViewList::EmptyView() {
  while (!FViewItems.empty()) RemoveViewItem(0);
}

void TCkDataConsumerViewList::RefreshView() {
  EmptyView();
  if (OwnerConsumer()->ProviderIntf()) {
    Entered([this] {
      int index = 0;
      if (ICkDataItems* root = ViewRootItems()) PlaceItems(index, root, FAutoExpandLevel);
    });
  }
  SignalViewChange();
}

void TCkDataConsumerViewList::PlaceItems(int& Index, ICkDataItems* Items, int ExpandToLevel) {
  int n = Items->ItemCount();
  int depth = 0;
  if (Index >= 1) {
    depth = ItemLevel(Index - 1) + 1;
    FViewItems[Index - 1].Flags |= vfExpanded;
  }
  FViewItems.insert(FViewItems.begin() + Index, n, TViewListItem{});
  int hidden = 0;
  for (int i = 0; i < n; ++i) {
    ICkDataItem* item = Items->ItemAt(i);
    if (!Shown(item)) {
      ++hidden;
      continue;
    }
    TViewListItem& entry = FViewItems[Index];
    entry.ItemID = item->ID();
    entry.Flags = static_cast<uint32_t>(depth);
    ICkDataItems* sub = Query<ICkDataItems>(item);
    int at = Index;
    ++Index;
    if (sub) {
      FViewItems[at].Flags |= vfHasList;
      if (sub->ItemCount() > 0) {
        FViewItems[at].Flags |= vfHasChildren;
        if (ExpandToLevel != 0) PlaceItems(Index, sub, ExpandToLevel - 1);
      }
    }
  }
  // The entries that hidden items left unused.
  if (hidden > 0) FViewItems.erase(FViewItems.begin() + Index, FViewItems.begin() + Index + hidden);
}

void TCkDataConsumerViewList::PutItemAt(int InsertIndex, int ParentIndex, ICkDataItem* Item) {
  if (!Shown(Item)) return;
  uint32_t flags = ParentIndex < 0 ? 0 : static_cast<uint32_t>(ItemLevel(ParentIndex) + 1);
  if (ICkDataItems* sub = Query<ICkDataItems>(Item)) {
    flags |= vfHasList;
    if (sub->ItemCount() > 0) flags |= vfHasChildren;
  }
  FViewItems.insert(FViewItems.begin() + InsertIndex, TViewListItem{Item->ID(), flags});
  if (ParentIndex >= 0) {
    if (ParentIndex >= InsertIndex) ++ParentIndex;
    FViewItems[ParentIndex].Flags |= vfExpanded | vfHasList | vfHasChildren;
  }
}

void TCkDataConsumerViewList::PlaceChildItem(int ParentIndex, ICkDataItem* Item) {
  if (!Shown(Item)) return;
  if (ParentIndex < 0) {
    PutItemAt(Count(), -1, Item);
    return;
  }
  if (!ItemIsExpanded(ParentIndex)) {
    if (!ItemHasChildren(ParentIndex)) ChangeItemFlags(ParentIndex, vfHasList | vfHasChildren, vfHasList | vfHasChildren);
    ToggleItem(ParentIndex);
  }
  if (IndexOfItem(Item) >= 0) return;
  int level = ItemLevel(ParentIndex);
  int end = ParentIndex + 1;
  while (end < Count() && ItemLevel(end) > level) ++end;
  PutItemAt(end, ParentIndex, Item);
}

void TCkDataConsumerViewList::ChangeItemFlags(int Index, uint32_t Value, uint32_t Mask) {
  FViewItems[Index].Flags = (FViewItems[Index].Flags & ~Mask) | (Value & Mask);
}

// ---- Expanding and collapsing

void TCkDataConsumerViewList::ToggleItem(int Index) {
  if (Index < 0 || Index >= Count() || !ItemHasChildren(Index)) return;
  if (ItemIsExpanded(Index)) {
    CollapseViewItem(Index);
  } else if (ICkDataItems* sub = Query<ICkDataItems>(Item(Index))) {
    int at = Index + 1;
    PlaceItems(at, sub, 0);
  }
  SignalViewChange();
}

void TCkDataConsumerViewList::CollapseViewItem(int Index) {
  uint32_t f = FViewItems[Index].Flags;
  if (!(f & vfHasChildren) || !(f & vfExpanded)) return;
  int level = ItemLevel(Index);
  int end = Index + 1;
  while (end < Count() && ItemLevel(end) > level) ++end;
  FViewItems.erase(FViewItems.begin() + Index + 1, FViewItems.begin() + end);
  FViewItems[Index].Flags &= ~vfExpanded;
}

void TCkDataConsumerViewList::RemoveViewItem(int Index) {
  CollapseViewItem(Index);
  bool firstChild = Index > 0 && ItemLevel(Index) == ItemLevel(Index - 1) + 1;
  FViewItems.erase(FViewItems.begin() + Index);
  if (firstChild && !(Index < Count() && ItemLevel(Index) == ItemLevel(Index - 1) + 1))
    FViewItems[Index - 1].Flags &= ~(vfExpanded | vfHasChildren);
}

void TCkDataConsumerViewList::ExpandTreeTo(ICkDataItem* Item) {
  if (!Item || !Shown(Item) || IndexOfItem(Item) >= 0) return;
  ICkDataItem* parent = ParentOf(Item);
  if (!parent) return;
  ExpandTreeTo(parent);
  int i = IndexOfItem(parent);
  if (i < 0) return;
  if (ItemIsExpanded(i)) throw ECKDataConsumer(u"ViewList out of sync");
  ToggleItem(i);
}

// ---- Queries

int TCkDataConsumerViewList::IndexOfID(const String& ID) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (AnsiCompareText(FViewItems[i].ItemID, ID) == 0) return i;
  return -1;
}

int TCkDataConsumerViewList::IndexOfItem(ICkDataItem* Item) { return Item ? IndexOfID(Item->ID()) : -1; }

int TCkDataConsumerViewList::ItemParentIndex(int Index) const {
  int level = ItemLevel(Index);
  if (level == 0) return -1;
  for (int i = Index - 1; i >= 0; --i)
    if (ItemLevel(i) < level) return i;
  return -1;
}

ICkDataItem* TCkDataConsumerViewList::Item(int Index) {
  if (Index < 0 || Index >= Count()) return nullptr;
  int parent = ItemParentIndex(Index);
  ICkDataItems* list = nullptr;
  if (parent < 0) list = ViewRootItems();
  else list = Query<ICkDataItems>(Item(parent));
  ICkDataIDSearch* search = Query<ICkDataIDSearch>(list);
  return search ? search->SearchID(FViewItems[Index].ItemID, false) : nullptr;
}

ICkDataItem* TCkDataConsumerViewList::ItemParent(int Index) {
  int parent = ItemParentIndex(Index);
  return parent < 0 ? nullptr : Item(parent);
}

int TCkDataConsumerViewList::NextSiblingScan(int Index, int& Scan) const {
  int level = ItemLevel(Index);
  if (Scan <= Index) Scan = Index + 1;
  while (Scan < Count() && ItemLevel(Scan) > level) ++Scan;
  return Scan < Count() && ItemLevel(Scan) == level ? Scan : -1;
}

int TCkDataConsumerViewList::ItemSiblingIndex(int Index) const {
  int scan = Index;
  return NextSiblingScan(Index, scan);
}

ICkDataItem* TCkDataConsumerViewList::ItemSibling(int Index) {
  int sibling = ItemSiblingIndex(Index);
  return sibling < 0 ? nullptr : Item(sibling);
}

int TCkDataConsumerViewList::ChildIndexOfID(const String& ID) const {
  int index = IndexOfID(ID);
  if (index <= 0) return index;
  int level = ItemLevel(index);
  int n = 0;
  for (int i = index - 1; i >= 0 && ItemLevel(i) >= level; --i)
    if (ItemLevel(i) == level) ++n;
  return n;
}

int TCkDataConsumerViewList::ChildIndexOfItem(ICkDataItem* Item) { return Item ? ChildIndexOfID(Item->ID()) : -1; }

int TCkDataConsumerViewList::SubItemIndex(int Parent, int N) const {
  // Past the end of the view there is no child.
  if (Parent >= Count()) return -1;
  int i = Parent + 1;
  if (i >= Count() || (Parent >= 0 && ItemLevel(i) != ItemLevel(Parent) + 1)) return -1;
  for (int k = 0; k < N && i >= 0; ++k) i = ItemSiblingIndex(i);
  return i;
}

ICkDataItem* TCkDataConsumerViewList::SubItem(int Parent, int N) {
  int i = SubItemIndex(Parent, N);
  return i < 0 ? nullptr : Item(i);
}

std::vector<uint32_t> TCkDataConsumerViewList::ItemGroupInfo(int Index) const {
  int level = ItemLevel(Index);
  std::vector<uint32_t> words(static_cast<size_t>((level + 31) / 32));
  int scan = Index;
  int ancestor = Index;
  for (int k = level - 1; k >= 0; --k) {
    ancestor = ItemParentIndex(ancestor);
    if (ancestor < 0) break;
    if (NextSiblingScan(ancestor, scan) >= 0) words[static_cast<size_t>(k / 32)] |= 1u << (k % 32);
  }
  return words;
}

// ---- Following the provider

void TCkDataConsumerViewList::ProviderChangeStart(ICkDataProvider*, TDataProviderChangeReason Reason,
                                                  TCkDataObject* Source) {
  auto* item = dynamic_cast<ICkDataItem*>(Source);
  if (Reason != pcrDelete || !item) return;
  Entered([&] {
    int i = IndexOfItem(item);
    if (i >= 0) {
      RemoveViewItem(i);
      SignalViewChange();
    }
  });
}

void TCkDataConsumerViewList::ProviderChangeEnd(ICkDataProvider*, TDataProviderChangeReason Reason,
                                                TCkDataObject* Source) {
  auto* item = dynamic_cast<ICkDataItem*>(Source);
  if (Reason != pcrAdd || !item) return;
  Entered([&] {
    ICkDataItem* parent = ParentOf(item);
    if (!parent) {
      PlaceChildItem(-1, item);
      SignalViewChange();
      return;
    }
    if (IndexOfItem(parent) < 0 && FExpandOnNewItem) ExpandTreeTo(parent);
    int i = IndexOfItem(parent);
    if (i < 0) return;
    if (!ItemIsExpanded(i)) {
      if (!FExpandOnNewItem) return;
      if (!ItemHasChildren(i)) ChangeItemFlags(i, vfHasList | vfHasChildren, vfHasList | vfHasChildren);
      ToggleItem(i);
      return;
    }
    PlaceChildItem(i, item);
    SignalViewChange();
  });
}

}  // namespace ck
