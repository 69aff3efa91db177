// The consumer's view list: the provider's item tree flattened into the
// entries a tree-like control shows, each shown item once in display order
// (an item followed by its shown sub-items) with its depth and whether it
// has sub-items and is expanded. It follows added and deleted items, the
// consumer's provider switches and selection.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/base/ckdataprovider.h"

namespace ck {

// Asked for an item's visibility: 0 hides it, 1..3 show it.
struct ICkDataConsumerVisibility {
  virtual ~ICkDataConsumerVisibility() = default;
  virtual uint8_t ItemVisibility(ICkDataItem* Item) = 0;
};
struct ICkDataItemVisibility {
  virtual ~ICkDataItemVisibility() = default;
  virtual uint8_t OwnVisibility() = 0;
};

// Entry flags: bits 0..23 the depth.
constexpr uint32_t vfLevelMask = 0x00FFFFFF;
constexpr uint32_t vfExpanded = 0x20000000;
constexpr uint32_t vfHasList = 0x40000000;
constexpr uint32_t vfHasChildren = 0x80000000;

struct TViewListItem {
  fw::String ItemID;
  uint32_t Flags = 0;
};

class TCkDataConsumerViewList : public TCkDataConsumerAggregatedObject {
 public:
  explicit TCkDataConsumerViewList(TCkDataConsumer* AOwner);

  // Levels expanded when the view is built: 0 the root items only, -1 all.
  int AutoExpandLevel() const { return FAutoExpandLevel; }
  void SetAutoExpandLevel(int Value) { FAutoExpandLevel = Value; }
  bool ExpandOnNewItem() const { return FExpandOnNewItem; }
  void SetExpandOnNewItem(bool Value) { FExpandOnNewItem = Value; }
  int LevelIndent() const { return FLevelIndent; }
  void SetLevelIndent(int Value);

  void RefreshView();
  // Shows Item, opening the entries above it; ECKDataConsumer "ViewList
  // out of sync" when its parent is open and it is still not shown.
  void ExpandTreeTo(ICkDataItem* Item);
  // Opens or closes an entry with sub-items.
  void ToggleItem(int Index);
  int IndexOfItem(ICkDataItem* Item);
  // Letter case ignored; -1 when not shown.
  int IndexOfID(const fw::String& ID) const;
  int ChildIndexOfItem(ICkDataItem* Item);
  int ChildIndexOfID(const fw::String& ID) const;
  ICkDataItem* Item(int Index);
  int ItemLevel(int Index) const { return static_cast<int>(FViewItems[Index].Flags & vfLevelMask); }
  bool ItemIsExpanded(int Index) const { return (FViewItems[Index].Flags & vfExpanded) != 0; }
  bool ItemHasChildren(int Index) const { return (FViewItems[Index].Flags & vfHasChildren) != 0; }
  ICkDataItem* ItemParent(int Index);
  int ItemParentIndex(int Index) const;
  ICkDataItem* ItemSibling(int Index);
  int ItemSiblingIndex(int Index) const;
  // The N-th shown child of Parent (-1: the N-th root entry).
  int SubItemIndex(int Parent, int N) const;
  ICkDataItem* SubItem(int Parent, int N);
  // One bit per depth above the entry: set when the entry's ancestor at
  // that depth has a next sibling (for tree lines).
  std::vector<uint32_t> ItemGroupInfo(int Index) const;
  int Count() const { return static_cast<int>(FViewItems.size()); }
  const std::vector<TViewListItem>& Entries() const { return FViewItems; }

  bool SurvivesProviderSwitch() override { return true; }
  void BeforeProviderSwitch() override { EmptyView(); }
  void AfterProviderSwitch() override { RefreshView(); }
  void ViewModified() override { RefreshView(); }
  void ProviderChangeStart(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                           TCkDataObject* Source) override;
  void ProviderChangeEnd(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                         TCkDataObject* Source) override;

 private:
  bool Shown(ICkDataItem* Item);
  void PlaceItems(int& Index, ICkDataItems* Items, int ExpandToLevel);
  void PutItemAt(int InsertIndex, int ParentIndex, ICkDataItem* Item);
  void PlaceChildItem(int ParentIndex, ICkDataItem* Item);
  void RemoveViewItem(int Index);
  void CollapseViewItem(int Index);
  void ChangeItemFlags(int Index, uint32_t Value, uint32_t Mask);
  void EmptyView();
  int NextSiblingScan(int Index, int& Scan) const;
  // Enter ... Leave around F.
  template <class F>
  void Entered(F f);

  int FAutoExpandLevel = 0;
  bool FExpandOnNewItem = false;
  int FLevelIndent = 16;
  std::vector<TViewListItem> FViewItems;
};

}  // namespace ck
