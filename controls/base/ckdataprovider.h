// The data-provider framework's core: displayable data as a tree of items
// that controls reach only through interfaces. A provider hands out its
// root item list, a list hands out items, and optional aspects of an item
// (text, self-painting, an action) or of a list (renderer) are further
// interfaces that the same object answers, either itself or through an
// implementer attached to it (an extensible object). A consumer is the
// object through which a control uses a provider: it holds the provider and
// the selected item, passes the provider's change notices on, and brackets
// every access with Enter and Leave so that the provider knows who asks.
//
// Ownership: a provider owns its root list, a list its items, an extensible
// object its attached implementers; everything else is a plain reference.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/base/cktypes.h"
#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/graphics/graphics.h"

namespace ck {

FW_ENUM(TDataProviderChangeReason, pcrAdd, pcrDelete, pcrUpdateItem, pcrUpdateItems, pcrDestroy, pcrContextAdd,
        pcrContextDelete, pcrContextUpdate, pcrFullRefresh)
FW_ENUM(TProviderDrawState, pdsSelected, pdsGrayed, pdsDisabled, pdsChecked, pdsFocused, pdsDefault, pdsHot)
using TProviderDrawStates = fw::TSet<TProviderDrawState>;
FW_ENUM(TCkDataConsumerChangeReason, ccrProviderSelect, ccrProviderChange, ccrViewChange, ccrContextChange,
        ccrOther)

class ECKDataProvider : public ECKException {
 public:
  using ECKException::ECKException;
};
class ECKDataConsumer : public ECKDataProvider {
 public:
  using ECKDataProvider::ECKDataProvider;
};
class ECKDataItems : public ECKDataProvider {
 public:
  using ECKDataProvider::ECKDataProvider;
};

struct ICkDataItem;
struct ICkDataItems;
struct ICkDataProvider;
class TCkDataConsumer;
struct ICkDataContext;

// Every object of the framework: asked for an aspect with Query<I>.
class TCkDataObject {
 public:
  virtual ~TCkDataObject() = default;
  // The object itself or one of its attached implementers as I; nullptr
  // when none answers it.
  virtual void* QueryAspect(const std::type_info& Type) = 0;
};

template <class I>
I* Query(TCkDataObject* Object) {
  return Object ? static_cast<I*>(Object->QueryAspect(typeid(I))) : nullptr;
}

struct ICkDataProviderNotify {
  virtual ~ICkDataProviderNotify() = default;
  virtual void ProviderChangeStart(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                                   TCkDataObject* Source) = 0;
  virtual void ProviderChangeEnd(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                                 TCkDataObject* Source) = 0;
};

struct ICkDataProvider : virtual TCkDataObject {
  virtual void AttachNotify(ICkDataProviderNotify* Sink) = 0;
  virtual void DetachNotify(ICkDataProviderNotify* Sink) = 0;
  virtual ICkDataItems* RootItemList() = 0;
  virtual void AnnounceChanging(TDataProviderChangeReason Reason, TCkDataObject* Source) = 0;
  virtual void AnnounceChanged(TDataProviderChangeReason Reason, TCkDataObject* Source) = 0;
  virtual void PushConsumer(TCkDataConsumer* Consumer) = 0;
  virtual TCkDataConsumer* CurrentConsumer() = 0;
  virtual void PopConsumer() = 0;
  // The context item operations use (none: the plain data).
  virtual void PushContext(ICkDataContext* Context) = 0;
  virtual ICkDataContext* CurrentContext() = 0;
  virtual void PopContext() = 0;
};

struct ICkDataItems : virtual TCkDataObject {
  virtual int ItemCount() = 0;
  virtual ICkDataItem* ItemAt(int Index) = 0;
  // IDs separated by a backslash or "/", letter case ignored; ".." climbs to the
  // list holding this list's parent item, a leading separator starts at
  // the provider's root list; a segment that matches nothing is skipped.
  virtual ICkDataItem* ItemByPath(const fw::String& Path) = 0;
  // Each index picks an item of the current list and goes into its
  // sub-items; none when an item on the way has no sub-item list.
  virtual ICkDataItem* ItemByIndexPath(const std::vector<int>& Path) = 0;
  virtual ICkDataItem* ParentItem() = 0;
  virtual ICkDataProvider* OwnerProvider() = 0;
};

struct ICkDataItem : virtual TCkDataObject {
  virtual ICkDataItems* OwnerItems() = 0;
  virtual int IndexInOwner() = 0;
  virtual fw::String ID() = 0;
  virtual bool CanDelete() = 0;
  // Whether this item is AItem's parent item (DirectParent) or any item
  // above it.
  virtual bool IsAncestorOf(ICkDataItem* AItem, bool DirectParent) = 0;
};

struct ICkDataIDSearch {
  virtual ~ICkDataIDSearch() = default;
  // By ID in this list, then (Recursive) in the sub-items of its items
  // from the last to the first.
  virtual ICkDataItem* SearchID(const fw::String& ID, bool Recursive) = 0;
};

// Changing a list's items.
struct ICkDataItemsManagement {
  virtual ~ICkDataItemsManagement() = default;
  virtual ICkDataItem* AppendItem(std::unique_ptr<class TCkBaseDataItem> Item) = 0;
  virtual void ClearItems() = 0;
  virtual void DeleteItemAt(int Index) = 0;
  // Deletes Item from the list and clears the caller's reference.
  virtual void RemoveItem(ICkDataItem*& Item) = 0;
};

// The image lists a list's items take their pictures from (not owned).
struct ICkDataItemsImages {
  virtual ~ICkDataItemsImages() = default;
  virtual fw::TObject* Images() = 0;
  virtual void SetImages(fw::TObject* Value) = 0;
  virtual fw::TObject* HotImages() = 0;
  virtual void SetHotImages(fw::TObject* Value) = 0;
  virtual fw::TObject* DisabledImages() = 0;
  virtual void SetDisabledImages(fw::TObject* Value) = 0;
};

// The wizard's image alignment names the same positions, so the item image's
// own names live in a namespace of their own: both headers meet in one unit.
namespace itemimage {
FW_ENUM(TCkImageAlignment, iaLeft, iaRight, iaCenter)
}  // namespace itemimage
using itemimage::TCkImageAlignment;

struct ICkDataItemImage {
  virtual ~ICkDataItemImage() = default;
  virtual TCkImageAlignment Alignment() = 0;
  virtual void SetAlignment(TCkImageAlignment Value) = 0;
  virtual int ImageIndex() = 0;
  virtual void SetImageIndex(int Value) = 0;
  virtual int SelectedIndex() = 0;
  virtual void SetSelectedIndex(int Value) = 0;
};

struct ICkDataItemText {
  virtual ~ICkDataItemText() = default;
  virtual fw::String Text() = 0;
  virtual void SetText(const fw::String& Value) = 0;
  virtual bool CanEditText() = 0;
};

struct ICkDataItemsRenderer {
  virtual ~ICkDataItemsRenderer() = default;
  virtual void RenderItemAt(fw::TCanvas* Canvas, const fw::TRect& Rect, int Index, TProviderDrawStates States) = 0;
  virtual SIZE ItemExtentAt(fw::TCanvas* Canvas, int Index) = 0;
  virtual void RenderItem(fw::TCanvas* Canvas, const fw::TRect& Rect, ICkDataItem* Item,
                          TProviderDrawStates States) = 0;
  virtual SIZE ItemExtent(fw::TCanvas* Canvas, ICkDataItem* Item) = 0;
  virtual SIZE AverageItemExtent(fw::TCanvas* Canvas) = 0;
};

struct ICkDataItemSelfPainter {
  virtual ~ICkDataItemSelfPainter() = default;
  virtual void PaintSelf(fw::TCanvas* Canvas, const fw::TRect& Rect, TProviderDrawStates States) = 0;
  virtual SIZE SelfExtent(fw::TCanvas* Canvas) = 0;
};

struct ICkDataItemExecutable {
  virtual ~ICkDataItemExecutable() = default;
  // True when the item handled the action.
  virtual bool ExecuteItem(fw::TComponent* Sender) = 0;
};

// ---- Extensible objects

class TCkAggregatedObject;

// An object that also answers the aspects of the implementers attached to
// it (the last attached asked first).
class TExtensibleObject : public virtual TCkDataObject {
 public:
  ~TExtensibleObject() override;
  void* QueryAspect(const std::type_info& Type) override;
  // Takes ownership; raises ECKException "Implementation of that class
  // already exists" when an implementer of the same class (or one derived
  // from it) is attached.
  template <class T>
  T* AttachExtension(std::unique_ptr<T> Extension) {
    T* e = Extension.get();
    AttachExtensionObject(std::move(Extension), [](TCkAggregatedObject* o) { return dynamic_cast<T*>(o) != nullptr; });
    return e;
  }
  void DetachExtension(TCkAggregatedObject* Extension);
  const std::vector<std::unique_ptr<TCkAggregatedObject>>& Extensions() const { return FExtensions; }

 protected:
  // The aspects the object itself answers.
  virtual void* OwnAspect(const std::type_info& Type) = 0;

 private:
  template <class F>
  void AttachExtensionObject(std::unique_ptr<TCkAggregatedObject> Extension, F SameClass);
  std::vector<std::unique_ptr<TCkAggregatedObject>> FExtensions;
};

// An implementer attached to an extensible object.
class TCkAggregatedObject {
 public:
  explicit TCkAggregatedObject(TExtensibleObject* AOwner) : FOwner(AOwner) {}
  virtual ~TCkAggregatedObject() = default;
  TExtensibleObject* Owner() const { return FOwner; }
  virtual void* OwnAspect(const std::type_info& Type) = 0;

 private:
  TExtensibleObject* FOwner;
};

template <class F>
void TExtensibleObject::AttachExtensionObject(std::unique_ptr<TCkAggregatedObject> Extension, F SameClass) {
  for (auto& e : FExtensions)
    if (SameClass(e.get())) throw ECKException(u"Implementation of that class already exists");
  FExtensions.push_back(std::move(Extension));
}

// ---- Items and lists

class TCkDataItemsList;

class TCkBaseDataItem : public TExtensibleObject, public ICkDataItem {
 public:
  // A new item has a new ID: the 16 bytes of a new GUID as 32 upper-case
  // hexadecimal digits.
  explicit TCkBaseDataItem(ICkDataItems* AOwner);
  ICkDataItems* OwnerItems() override { return FItems; }
  int IndexInOwner() override;
  fw::String ID() override { return FID; }
  void SetID(const fw::String& Value) { FID = Value; }
  bool CanDelete() override { return true; }
  bool IsAncestorOf(ICkDataItem* AItem, bool DirectParent) override;
  // Gives the item a sub-item list of its own (the existing one when it
  // has one); the item then answers ICkDataItems with it.
  TCkDataItemsList* SubItems();

 protected:
  void* OwnAspect(const std::type_info& Type) override;

 private:
  ICkDataItems* FItems;
  fw::String FID;
};

class TCkDataItemsList : public TExtensibleObject,
                         public ICkDataItems,
                         public ICkDataIDSearch,
                         public ICkDataItemsManagement {
 public:
  explicit TCkDataItemsList(ICkDataProvider* Provider, ICkDataItem* Parent = nullptr)
      : FProvider(Provider), FParent(Parent) {}
  int ItemCount() override { return static_cast<int>(FList.size()); }
  // Raises ECKDataItems "List index out of bounds (%d)" outside the list.
  ICkDataItem* ItemAt(int Index) override;
  ICkDataItem* ParentItem() override { return FParent; }
  ICkDataProvider* OwnerProvider() override { return FProvider; }
  ICkDataItem* ItemByPath(const fw::String& Path) override;
  ICkDataItem* ItemByIndexPath(const std::vector<int>& Path) override;
  ICkDataItem* SearchID(const fw::String& ID, bool Recursive) override;
  // Announced as pcrUpdateItems (source: the list, both times).
  void ClearItems() override;
  // Announced to the provider as pcrAdd (source: the list, then the item).
  ICkDataItem* AppendItem(std::unique_ptr<TCkBaseDataItem> Item) override;
  // Announced as pcrDelete (source: the item, then none); an item that
  // cannot be deleted raises ECKDataItems "Item cannot be deleted".
  void DeleteItemAt(int Index) override;
  void RemoveItem(ICkDataItem*& Item) override;

 protected:
  void* OwnAspect(const std::type_info& Type) override;

 private:
  ICkDataProvider* FProvider;
  ICkDataItem* FParent;
  std::vector<std::unique_ptr<TCkBaseDataItem>> FList;
};

// ---- Aspects

// The text of an item; a write that changes it is announced as
// pcrUpdateItem with the item as source.
class TCkDataItemTextImpl : public TCkAggregatedObject, public ICkDataItemText {
 public:
  explicit TCkDataItemTextImpl(TExtensibleObject* AOwner, const fw::String& Text = fw::String())
      : TCkAggregatedObject(AOwner), FText(Text) {}
  fw::String Text() override { return FText; }
  void SetText(const fw::String& Value) override;
  bool CanEditText() override { return true; }
  void* OwnAspect(const std::type_info& Type) override;

 protected:
  // Announces pcrUpdateItem for the owning item around Change.
  template <class F>
  void AnnounceItemUpdate(F Change);
  fw::String FText;
};

// The image indexes of an item; a write that changes one is announced as
// pcrUpdateItem with the item as source.
class TCkDataItemImageImpl : public TCkAggregatedObject, public ICkDataItemImage {
 public:
  explicit TCkDataItemImageImpl(TExtensibleObject* AOwner) : TCkAggregatedObject(AOwner) {}
  TCkImageAlignment Alignment() override { return FAlignment; }
  void SetAlignment(TCkImageAlignment Value) override;
  int ImageIndex() override { return FImageIndex; }
  void SetImageIndex(int Value) override;
  int SelectedIndex() override { return FSelectedIndex; }
  void SetSelectedIndex(int Value) override;
  void* OwnAspect(const std::type_info& Type) override;

 private:
  template <class T>
  void Write(T& Field, T Value);
  TCkImageAlignment FAlignment = itemimage::iaLeft;
  int FImageIndex = 0;
  int FSelectedIndex = 0;
};

// The image lists of an item list; a change is announced as
// pcrUpdateItems with the list as source.
class TCkCustomDataItemsImages : public TCkAggregatedObject, public ICkDataItemsImages {
 public:
  explicit TCkCustomDataItemsImages(TExtensibleObject* AOwner) : TCkAggregatedObject(AOwner) {}
  fw::TObject* Images() override { return FImages; }
  void SetImages(fw::TObject* Value) override { Write(FImages, Value); }
  fw::TObject* HotImages() override { return FHotImages; }
  void SetHotImages(fw::TObject* Value) override { Write(FHotImages, Value); }
  fw::TObject* DisabledImages() override { return FDisabledImages; }
  void SetDisabledImages(fw::TObject* Value) override { Write(FDisabledImages, Value); }
  void* OwnAspect(const std::type_info& Type) override;

 private:
  void Write(fw::TObject*& Field, fw::TObject* Value);
  fw::TObject* FDisabledImages = nullptr;
  fw::TObject* FHotImages = nullptr;
  fw::TObject* FImages = nullptr;
};

// Draws an item list's items: a self-painting item paints itself, any
// other is drawn as its text (DrawPlainItem).
class TCkCustomDataItemsTextRenderer : public TCkAggregatedObject, public ICkDataItemsRenderer {
 public:
  explicit TCkCustomDataItemsTextRenderer(TExtensibleObject* AOwner) : TCkAggregatedObject(AOwner) {}
  // Outside 0..ItemCount-1: ECKDataItems "List index out of bounds (%d)".
  void RenderItemAt(fw::TCanvas* Canvas, const fw::TRect& Rect, int Index, TProviderDrawStates States) override;
  // Index -1: the average extent.
  SIZE ItemExtentAt(fw::TCanvas* Canvas, int Index) override;
  void RenderItem(fw::TCanvas* Canvas, const fw::TRect& Rect, ICkDataItem* Item, TProviderDrawStates States) override;
  SIZE ItemExtent(fw::TCanvas* Canvas, ICkDataItem* Item) override;
  // The extent of "WyWyWyWyWyWyWyWyWyWy".
  SIZE AverageItemExtent(fw::TCanvas* Canvas) override;
  void* OwnAspect(const std::type_info& Type) override;

 protected:
  virtual void DrawPlainItem(fw::TCanvas* Canvas, const fw::TRect& Rect, ICkDataItem* Item,
                             TProviderDrawStates States);
  virtual SIZE MeasurePlainItem(fw::TCanvas* Canvas, ICkDataItem* Item);

 private:
  ICkDataItem* CheckedItemAt(int Index);
};

// The text an item shows: its text aspect's, or the notice that it has none.
fw::String ProviderItemText(ICkDataItem* Item, bool* HasText = nullptr);

// ---- Consumer

using TCkDataConsumerChangeEvent = fw::TEvent<void(TCkDataConsumer* Sender, TCkDataConsumerChangeReason Reason)>;

// An extension of a consumer: per-consumer state that follows the
// provider's changes and the consumer's switches.
class TCkDataConsumerAggregatedObject : public TCkAggregatedObject {
 public:
  explicit TCkDataConsumerAggregatedObject(TCkDataConsumer* AOwner);
  TCkDataConsumer* OwnerConsumer() const;
  virtual void ProviderChangeStart(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                                   TCkDataObject* Source) {
    (void)Provider, (void)Reason, (void)Source;
  }
  virtual void ProviderChangeEnd(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                                 TCkDataObject* Source) {
    (void)Provider, (void)Reason, (void)Source;
  }
  virtual bool SurvivesProviderSwitch() { return false; }
  virtual void BeforeProviderSwitch() {}
  virtual void AfterProviderSwitch() {}
  // Another extension (or the selection) changed what is shown.
  virtual void ViewModified() {}
  // Tells the consumer and the other extensions that the view changed.
  void SignalViewChange();
  // The list the view starts from: the selected item's sub-items, else the
  // provider's root list.
  ICkDataItems* ViewRootItems();
  void* OwnAspect(const std::type_info& Type) override {
    (void)Type;
    return nullptr;
  }
};

class TCkDataConsumer : public TExtensibleObject, public ICkDataProviderNotify {
 public:
  TCkDataConsumer(fw::TComponent* AOwner, std::initializer_list<int> Attributes);
  ~TCkDataConsumer() override;

  fw::TComponent* OwnerComponent() const { return FOwner; }
  bool HasAttribute(int Attr) const;
  ICkDataProvider* ProviderIntf() const { return FProvider; }
  // Detaches from the old provider and attaches to the new one, between a
  // ccrProviderSelect changing and changed notice; the selection is
  // dropped.
  void SetProviderIntf(ICkDataProvider* Value);
  // The selected context (none: the provider's plain data); its name, or
  // empty. Writing a name needs a provider that has contexts; while the
  // owner is loading without a provider the name waits for one.
  ICkDataContext* ContextIntf() const { return FContext; }
  void SetContextIntf(ICkDataContext* Value);
  fw::String Context() const;
  void SetContext(const fw::String& Value);
  // Stored only when the context is not the provider's first one.
  bool ContextStored() const;
  // The owner's end of loading: a waiting context name is applied.
  void Loaded();
  // The item the owner shows; nullptr for none.
  ICkDataItem* SelectedItem() const { return FItem; }
  void SetSelectedItem(ICkDataItem* Value);
  // The selected item's ID, or empty. Writing looks the ID up through the
  // provider's ICkDataIDSearch (ECKDataConsumer "Item not found in the
  // selected context"); without a provider the ID waits while the owner
  // loads, else ECKDataConsumer "You must specify a provider before
  // setting the item".
  fw::String Item() const { return FItem ? FItem->ID() : fw::String(); }
  void SetItem(const fw::String& Value);
  // Makes this consumer the provider's current one, and undoes it.
  void Enter();
  void Leave();
  // Runs the selected item's action; true when it handled it.
  bool ItemSelected(ICkDataItem* Item);
  // Every extension but Except rebuilds its view; then ccrViewChange.
  void BroadcastViewChange(TCkDataConsumerAggregatedObject* Except);
  // With attribute 3 and a provider the consumer keeps a view list.
  void RefreshExtensions();

  TCkDataConsumerChangeEvent OnChanging;
  TCkDataConsumerChangeEvent OnChanged;

  void ProviderChangeStart(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                           TCkDataObject* Source) override;
  void ProviderChangeEnd(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                         TCkDataObject* Source) override;

 protected:
  void* OwnAspect(const std::type_info& Type) override;

 private:
  void NotifyChanging(TCkDataConsumerChangeReason Reason) { OnChanging(this, Reason); }
  void NotifyChanged(TCkDataConsumerChangeReason Reason);
  // The extensions, in the order they were attached.
  template <class F>
  void ForEachExtension(F f);

  fw::TComponent* FOwner;
  std::vector<int> FAttrList;
  ICkDataProvider* FProvider = nullptr;
  ICkDataContext* FContext = nullptr;
  fw::String FFixupContext;
  fw::String FFixupItem;
  ICkDataItem* FItem = nullptr;
};

template <class F>
void TCkDataItemTextImpl::AnnounceItemUpdate(F Change) {
  auto* item = dynamic_cast<ICkDataItem*>(Owner());
  ICkDataProvider* provider = item && item->OwnerItems() ? item->OwnerItems()->OwnerProvider() : nullptr;
  if (provider) provider->AnnounceChanging(pcrUpdateItem, item);
  Change();
  if (provider) provider->AnnounceChanged(pcrUpdateItem, item);
}

}  // namespace ck
