#include "controls/base/ckdataprovider.h"

#include "controls/base/ckdatacontexts.h"
#include "controls/base/ckdataviewlist.h"

#include <objbase.h>

#include <algorithm>

#include "fw/controls/controls.h"
#include "fw/core/sysutils.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

// What an item without a text aspect shows.
const char16_t* const kNoTextNotice = u"(item does not support the ICkDataItemText interface)";

String NewItemID() {
  GUID guid{};
  CoCreateGuid(&guid);
  auto* bytes = reinterpret_cast<const uint8_t*>(&guid);
  String id;
  for (size_t i = 0; i < sizeof(guid); ++i) id += IntToHex(bytes[i], 2);
  return id;
}

ECKDataItems OutOfBounds(int Index) { return ECKDataItems(Format(u"List index out of bounds (%d)", {Index})); }

}  // namespace

// ---- TExtensibleObject

TExtensibleObject::~TExtensibleObject() {
  // From the last attached to the first.
  while (!FExtensions.empty()) FExtensions.pop_back();
}

void* TExtensibleObject::QueryAspect(const std::type_info& Type) {
  if (void* own = OwnAspect(Type)) return own;
  for (auto it = FExtensions.rbegin(); it != FExtensions.rend(); ++it)
    if (void* p = (*it)->OwnAspect(Type)) return p;
  return nullptr;
}

void TExtensibleObject::DetachExtension(TCkAggregatedObject* Extension) {
  auto it = std::find_if(FExtensions.begin(), FExtensions.end(), [Extension](auto& e) { return e.get() == Extension; });
  if (it != FExtensions.end()) FExtensions.erase(it);
}

// ---- Items and lists

namespace {

// Attached to an item, it makes the item answer its sub-item list's
// aspects; it owns that list.
class TCkBaseDataItemSubItems : public TCkAggregatedObject {
 public:
  TCkBaseDataItemSubItems(TCkBaseDataItem* AOwner, ICkDataProvider* Provider)
      : TCkAggregatedObject(AOwner), FItems(std::make_unique<TCkDataItemsList>(Provider, AOwner)) {}
  TCkDataItemsList* Items() const { return FItems.get(); }
  void* OwnAspect(const std::type_info& Type) override { return FItems->QueryAspect(Type); }

 private:
  std::unique_ptr<TCkDataItemsList> FItems;
};

ICkDataItem* ScanItemsForID(ICkDataItems* List, const String& ID, bool Recursive) {
  if (!List) return nullptr;
  if (ICkDataItem* found = List->ItemByPath(ID)) return found;
  if (!Recursive) return nullptr;
  for (int i = List->ItemCount() - 1; i >= 0; --i)
    if (ICkDataItem* found = ScanItemsForID(Query<ICkDataItems>(List->ItemAt(i)), ID, true)) return found;
  return nullptr;
}

}  // namespace

TCkDataItemsList* TCkBaseDataItem::SubItems() {
  for (auto& e : Extensions())
    if (auto* sub = dynamic_cast<TCkBaseDataItemSubItems*>(e.get())) return sub->Items();
  ICkDataProvider* provider = FItems ? FItems->OwnerProvider() : nullptr;
  return AttachExtension(std::make_unique<TCkBaseDataItemSubItems>(this, provider))->Items();
}

bool TCkBaseDataItem::IsAncestorOf(ICkDataItem* AItem, bool DirectParent) {
  auto parentOf = [](ICkDataItem* Item) -> ICkDataItem* {
    return Item && Item->OwnerItems() ? Item->OwnerItems()->ParentItem() : nullptr;
  };
  ICkDataItem* p = parentOf(AItem);
  if (p == this) return true;
  if (DirectParent) return false;
  while (p && p != this) p = parentOf(p);
  return p == this;
}

ICkDataItem* TCkDataItemsList::ItemByPath(const String& Path) {
  ICkDataItems* list = this;
  ICkDataItem* result = nullptr;
  String rest = Path;
  while (list && !result && !rest.empty()) {
    size_t sep = rest.find_first_of(u"\\/");
    String segment = rest.substr(0, sep);
    rest = sep == String::npos ? String() : rest.substr(sep + 1);
    if (segment == u"..") {
      // Always from the list the lookup started on.
      ICkDataItem* parent = ParentItem();
      if (!parent) return nullptr;
      list = parent->OwnerItems();
      continue;
    }
    if (segment.empty() && list->ParentItem()) {
      list = FProvider ? FProvider->RootItemList() : nullptr;
      continue;
    }
    ICkDataItem* match = nullptr;
    for (int i = list->ItemCount() - 1; i >= 0 && !match; --i)
      if (SameText(list->ItemAt(i)->ID(), segment)) match = list->ItemAt(i);
    if (!match) continue;
    if (rest.empty()) result = match;
    else list = Query<ICkDataItems>(match);
  }
  return result;
}

ICkDataItem* TCkDataItemsList::ItemByIndexPath(const std::vector<int>& Path) {
  ICkDataItems* list = this;
  ICkDataItem* item = nullptr;
  for (int index : Path) {
    if (!list || index < 0 || index >= list->ItemCount()) return nullptr;
    item = list->ItemAt(index);
    list = Query<ICkDataItems>(item);
  }
  return list ? item : nullptr;
}

ICkDataItem* TCkDataItemsList::SearchID(const String& ID, bool Recursive) { return ScanItemsForID(this, ID, Recursive); }

void TCkDataItemsList::ClearItems() {
  if (FProvider) FProvider->AnnounceChanging(pcrUpdateItems, static_cast<ICkDataItems*>(this));
  FList.clear();
  if (FProvider) FProvider->AnnounceChanged(pcrUpdateItems, static_cast<ICkDataItems*>(this));
}

TCkBaseDataItem::TCkBaseDataItem(ICkDataItems* AOwner) : FItems(AOwner), FID(NewItemID()) {}

int TCkBaseDataItem::IndexInOwner() {
  if (!FItems) return -1;
  for (int i = FItems->ItemCount() - 1; i >= 0; --i)
    if (FItems->ItemAt(i) == this) return i;
  return -1;
}

void* TCkBaseDataItem::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataItem)) return static_cast<ICkDataItem*>(this);
  return nullptr;
}

ICkDataItem* TCkDataItemsList::ItemAt(int Index) {
  if (Index < 0 || Index >= ItemCount()) throw OutOfBounds(Index);
  return FList[static_cast<size_t>(Index)].get();
}

ICkDataItem* TCkDataItemsList::AppendItem(std::unique_ptr<TCkBaseDataItem> Item) {
  if (FProvider) FProvider->AnnounceChanging(pcrAdd, static_cast<ICkDataItems*>(this));
  TCkBaseDataItem* item = Item.get();
  FList.push_back(std::move(Item));
  if (FProvider) FProvider->AnnounceChanged(pcrAdd, static_cast<ICkDataItem*>(item));
  return item;
}

void TCkDataItemsList::DeleteItemAt(int Index) {
  if (Index < 0 || Index >= ItemCount()) return;
  TCkBaseDataItem* item = FList[static_cast<size_t>(Index)].get();
  if (!item->CanDelete()) throw ECKDataItems(u"Item cannot be deleted");
  if (FProvider) FProvider->AnnounceChanging(pcrDelete, static_cast<ICkDataItem*>(item));
  FList.erase(FList.begin() + Index);
  if (FProvider) FProvider->AnnounceChanged(pcrDelete, nullptr);
}

void TCkDataItemsList::RemoveItem(ICkDataItem*& Item) {
  int index = -1;
  for (int i = ItemCount() - 1; i >= 0 && index < 0; --i)
    if (FList[static_cast<size_t>(i)].get() == Item) index = i;
  if (index < 0) return;
  DeleteItemAt(index);
  Item = nullptr;
}

void* TCkDataItemsList::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataItems)) return static_cast<ICkDataItems*>(this);
  if (Type == typeid(ICkDataIDSearch)) return static_cast<ICkDataIDSearch*>(this);
  if (Type == typeid(ICkDataItemsManagement)) return static_cast<ICkDataItemsManagement*>(this);
  return nullptr;
}

// ---- Aspects

void TCkDataItemTextImpl::SetText(const String& Value) {
  if (Value == FText) return;
  AnnounceItemUpdate([&] { FText = Value; });
}

void* TCkDataItemTextImpl::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataItemText)) return static_cast<ICkDataItemText*>(this);
  return nullptr;
}

void TCkCustomDataItemsImages::Write(TObject*& Field, TObject* Value) {
  if (Value == Field) return;
  auto* list = dynamic_cast<ICkDataItems*>(Owner());
  ICkDataProvider* provider = list ? list->OwnerProvider() : nullptr;
  if (provider) provider->AnnounceChanging(pcrUpdateItems, list);
  Field = Value;
  if (provider) provider->AnnounceChanged(pcrUpdateItems, list);
}

void* TCkCustomDataItemsImages::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataItemsImages)) return static_cast<ICkDataItemsImages*>(this);
  return nullptr;
}

template <class T>
void TCkDataItemImageImpl::Write(T& Field, T Value) {
  if (Value == Field) return;
  auto* item = dynamic_cast<ICkDataItem*>(Owner());
  ICkDataProvider* provider = item && item->OwnerItems() ? item->OwnerItems()->OwnerProvider() : nullptr;
  if (provider) provider->AnnounceChanging(pcrUpdateItem, item);
  Field = Value;
  if (provider) provider->AnnounceChanged(pcrUpdateItem, item);
}

void TCkDataItemImageImpl::SetAlignment(TCkImageAlignment Value) { Write(FAlignment, Value); }
void TCkDataItemImageImpl::SetImageIndex(int Value) { Write(FImageIndex, Value); }
void TCkDataItemImageImpl::SetSelectedIndex(int Value) { Write(FSelectedIndex, Value); }

void* TCkDataItemImageImpl::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataItemImage)) return static_cast<ICkDataItemImage*>(this);
  return nullptr;
}

String ProviderItemText(ICkDataItem* Item, bool* HasText) {
  ICkDataItemText* text = Query<ICkDataItemText>(Item);
  if (HasText) *HasText = text != nullptr;
  return text ? text->Text() : String(kNoTextNotice);
}

ICkDataItem* TCkCustomDataItemsTextRenderer::CheckedItemAt(int Index) {
  auto* list = dynamic_cast<ICkDataItems*>(Owner());
  if (!list || Index < 0 || Index >= list->ItemCount()) throw OutOfBounds(Index);
  return list->ItemAt(Index);
}

void TCkCustomDataItemsTextRenderer::RenderItemAt(TCanvas* Canvas, const TRect& Rect, int Index,
                                                  TProviderDrawStates States) {
  RenderItem(Canvas, Rect, CheckedItemAt(Index), States);
}

SIZE TCkCustomDataItemsTextRenderer::ItemExtentAt(TCanvas* Canvas, int Index) {
  if (Index == -1) return AverageItemExtent(Canvas);
  return ItemExtent(Canvas, CheckedItemAt(Index));
}

void TCkCustomDataItemsTextRenderer::RenderItem(TCanvas* Canvas, const TRect& Rect, ICkDataItem* Item,
                                                TProviderDrawStates States) {
  if (ICkDataItemSelfPainter* painter = Query<ICkDataItemSelfPainter>(Item)) painter->PaintSelf(Canvas, Rect, States);
  else DrawPlainItem(Canvas, Rect, Item, States);
}

SIZE TCkCustomDataItemsTextRenderer::ItemExtent(TCanvas* Canvas, ICkDataItem* Item) {
  if (ICkDataItemSelfPainter* painter = Query<ICkDataItemSelfPainter>(Item)) return painter->SelfExtent(Canvas);
  return MeasurePlainItem(Canvas, Item);
}

SIZE TCkCustomDataItemsTextRenderer::AverageItemExtent(TCanvas* Canvas) {
  return Canvas->TextExtent(u"WyWyWyWyWyWyWyWyWyWy");
}

void TCkCustomDataItemsTextRenderer::DrawPlainItem(TCanvas* Canvas, const TRect& Rect, ICkDataItem* Item,
                                                   TProviderDrawStates) {
  Canvas->TextRect(Rect, Rect.Left, Rect.Top, ProviderItemText(Item));
}

SIZE TCkCustomDataItemsTextRenderer::MeasurePlainItem(TCanvas* Canvas, ICkDataItem* Item) {
  return Canvas->TextExtent(ProviderItemText(Item));
}

void* TCkCustomDataItemsTextRenderer::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataItemsRenderer)) return static_cast<ICkDataItemsRenderer*>(this);
  return nullptr;
}

// ---- TCkDataConsumer

TCkDataConsumer::TCkDataConsumer(TComponent* AOwner, std::initializer_list<int> Attributes) : FOwner(AOwner) {
  for (int a : Attributes)
    if (!HasAttribute(a)) FAttrList.push_back(a);
}

TCkDataConsumer::~TCkDataConsumer() {
  OnChanged = TCkDataConsumerChangeEvent();
  SetProviderIntf(nullptr);
}

bool TCkDataConsumer::HasAttribute(int Attr) const {
  return std::find(FAttrList.begin(), FAttrList.end(), Attr) != FAttrList.end();
}

void* TCkDataConsumer::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataProviderNotify)) return static_cast<ICkDataProviderNotify*>(this);
  return nullptr;
}

void TCkDataConsumer::NotifyChanged(TCkDataConsumerChangeReason Reason) {
  if (auto* control = dynamic_cast<TControl*>(FOwner)) control->Invalidate();
  OnChanged(this, Reason);
}

template <class F>
void TCkDataConsumer::ForEachExtension(F f) {
  std::vector<TCkDataConsumerAggregatedObject*> list;
  for (auto& e : Extensions())
    if (auto* x = dynamic_cast<TCkDataConsumerAggregatedObject*>(e.get())) list.push_back(x);
  for (auto* x : list) f(x);
}

void TCkDataConsumer::SetProviderIntf(ICkDataProvider* Value) {
  if (Value == FProvider) return;
  NotifyChanging(ccrProviderSelect);
  if (FProvider) FProvider->DetachNotify(this);
  ForEachExtension([](TCkDataConsumerAggregatedObject* x) { x->BeforeProviderSwitch(); });
  FItem = nullptr;
  FProvider = Value;
  if (FProvider) FProvider->AttachNotify(this);
  if (!FFixupContext.empty() && !(FOwner && FOwner->ComponentState().Contains(csLoading))) {
    String name = FFixupContext;
    FFixupContext.clear();
    SetContext(name);
  } else {
    ICkDataContexts* contexts = Query<ICkDataContexts>(FProvider);
    SetContextIntf(contexts && contexts->ContextCount() > 0 ? contexts->ContextAt(0) : nullptr);
  }
  ForEachExtension([this](TCkDataConsumerAggregatedObject* x) {
    if (x->SurvivesProviderSwitch()) x->AfterProviderSwitch();
    else DetachExtension(x);
  });
  RefreshExtensions();
  if (FProvider && !FFixupItem.empty() && !(FOwner && FOwner->ComponentState().Contains(csLoading))) {
    String id = FFixupItem;
    FFixupItem.clear();
    SetItem(id);
  }
  BroadcastViewChange(nullptr);
  NotifyChanged(ccrProviderSelect);
}

void TCkDataConsumer::RefreshExtensions() {
  if (!FProvider) {
    while (!Extensions().empty()) DetachExtension(Extensions().back().get());
    return;
  }
  if (!HasAttribute(3)) return;
  for (auto& e : Extensions())
    if (dynamic_cast<TCkDataConsumerViewList*>(e.get())) return;
  AttachExtension(std::make_unique<TCkDataConsumerViewList>(this))->RefreshView();
}

void TCkDataConsumer::BroadcastViewChange(TCkDataConsumerAggregatedObject* Except) {
  try {
    ForEachExtension([Except](TCkDataConsumerAggregatedObject* x) {
      if (x != Except) x->ViewModified();
    });
  } catch (...) {
    NotifyChanged(ccrViewChange);
    throw;
  }
  NotifyChanged(ccrViewChange);
}

void TCkDataConsumer::SetItem(const String& Value) {
  if (Value == Item()) return;
  if (Value.empty()) {
    SetSelectedItem(nullptr);
    return;
  }
  if (!FProvider) {
    if (!FOwner || !FOwner->ComponentState().Contains(csLoading))
      throw ECKDataConsumer(u"You must specify a provider before setting the item");
    FFixupItem = Value;
    return;
  }
  ICkDataItem* found = nullptr;
  Enter();
  try {
    ICkDataIDSearch* search = Query<ICkDataIDSearch>(FProvider);
    if (!search) search = Query<ICkDataIDSearch>(FProvider->RootItemList());
    if (search) found = search->SearchID(Value, true);
  } catch (...) {
    Leave();
    throw;
  }
  Leave();
  if (!found) throw ECKDataConsumer(u"Item not found in the selected context");
  SetSelectedItem(found);
}

void TCkDataConsumer::SetSelectedItem(ICkDataItem* Value) {
  if (Value == FItem) return;
  FItem = Value;
  BroadcastViewChange(nullptr);
}

// ---- TCkDataConsumerAggregatedObject

TCkDataConsumerAggregatedObject::TCkDataConsumerAggregatedObject(TCkDataConsumer* AOwner)
    : TCkAggregatedObject(AOwner) {}

TCkDataConsumer* TCkDataConsumerAggregatedObject::OwnerConsumer() const {
  return dynamic_cast<TCkDataConsumer*>(Owner());
}

void TCkDataConsumerAggregatedObject::SignalViewChange() { OwnerConsumer()->BroadcastViewChange(this); }

ICkDataItems* TCkDataConsumerAggregatedObject::ViewRootItems() {
  TCkDataConsumer* c = OwnerConsumer();
  if (ICkDataItem* item = c->SelectedItem()) return Query<ICkDataItems>(item);
  ICkDataProvider* p = c->ProviderIntf();
  if (!p) return nullptr;
  if (ICkDataItems* own = Query<ICkDataItems>(p)) return own;
  return p->RootItemList();
}

void TCkDataConsumer::Enter() {
  FProvider->PushConsumer(this);
  try {
    FProvider->PushContext(FContext);
  } catch (...) {
    FProvider->PopConsumer();
    throw;
  }
}

void TCkDataConsumer::Leave() {
  TCkDataConsumer* current = FProvider->CurrentConsumer();
  FProvider->PopConsumer();
  try {
    FProvider->PopContext();
  } catch (...) {
    FProvider->PushConsumer(current);
    throw;
  }
}

String TCkDataConsumer::Context() const { return FContext ? FContext->ContextName() : String(); }

void TCkDataConsumer::SetContext(const String& Value) {
  if (Value == Context()) return;
  if (!FProvider) {
    if (!FOwner || !FOwner->ComponentState().Contains(csLoading))
      throw ECKDataConsumer(u"You must specify a provider before setting the context");
    FFixupContext = Value;
    return;
  }
  if (Value.empty()) {
    SetContextIntf(nullptr);
    return;
  }
  ICkDataContexts* contexts = Query<ICkDataContexts>(FProvider);
  if (!contexts) throw ECKDataConsumer(u"Provider does not support contexts");
  ICkDataContext* found = contexts->ContextByPath(Value);
  if (!found) throw ECKDataConsumer(Format(u"Provider has no context named \"%s\"", {Value}));
  SetContextIntf(found);
}

void TCkDataConsumer::SetContextIntf(ICkDataContext* Value) {
  if (Value == FContext) return;
  if (Value && (!Value->OwnerContexts() || Value->OwnerContexts()->OwnerProvider() != FProvider))
    throw ECKDataConsumer(u"The specified context is not part of the same provider");
  NotifyChanging(ccrContextChange);
  FContext = Value;
  NotifyChanged(ccrContextChange);
}

bool TCkDataConsumer::ContextStored() const {
  ICkDataContexts* contexts = FProvider ? Query<ICkDataContexts>(FProvider) : nullptr;
  return contexts && contexts->ContextCount() > 0 && FContext != contexts->ContextAt(0);
}

void TCkDataConsumer::Loaded() {
  if (!FFixupContext.empty()) {
    String name = FFixupContext;
    FFixupContext.clear();
    SetContext(name);
  }
  if (!FFixupItem.empty() && FProvider) {
    String id = FFixupItem;
    FFixupItem.clear();
    SetItem(id);
  }
}

bool TCkDataConsumer::ItemSelected(ICkDataItem* Item) {
  ICkDataItemExecutable* action = Query<ICkDataItemExecutable>(Item);
  return action && action->ExecuteItem(FOwner);
}

void TCkDataConsumer::ProviderChangeStart(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                                          TCkDataObject* Source) {
  if (Reason == pcrDelete && FItem && Source) {
    // The selected item, or an item it lies below, is going.
    auto* gone = dynamic_cast<ICkDataItem*>(Source);
    for (ICkDataItem* i = FItem; i && gone; i = i->OwnerItems() ? i->OwnerItems()->ParentItem() : nullptr)
      if (i == gone) {
        FItem = nullptr;
        break;
      }
  }
  ForEachExtension([&](TCkDataConsumerAggregatedObject* x) { x->ProviderChangeStart(Provider, Reason, Source); });
  if (Reason == pcrDestroy) SetProviderIntf(nullptr);
}

void TCkDataConsumer::ProviderChangeEnd(ICkDataProvider* Provider, TDataProviderChangeReason Reason,
                                        TCkDataObject* Source) {
  ForEachExtension([&](TCkDataConsumerAggregatedObject* x) { x->ProviderChangeEnd(Provider, Reason, Source); });
  if (Reason == pcrFullRefresh) BroadcastViewChange(nullptr);
  else NotifyChanged(ccrProviderChange);
}

}  // namespace ck
