#include "fw/stdctrls/listview.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "fw/controls/controlcanvas.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace fw {

// The sub-item texts of an item: a change repaints the item's row.
class TSubItems : public TStringList {
 public:
  explicit TSubItems(TListItem* owner) : FOwner(owner) {}

 protected:
  void Changed() override {
    TStringList::Changed();
    if (UpdateCount() == 0) CallOwner();
  }
  void SetUpdateState(bool updating) override {
    TStringList::SetUpdateState(updating);
    if (!updating) CallOwner();
  }

 private:
  void CallOwner();
  TListItem* FOwner;
};

namespace {

TCustomDrawState DrawStateOf(UINT itemState) {
  TCustomDrawState s;
  if (itemState & CDIS_SELECTED) s.Include(cdsSelected);
  if (itemState & CDIS_GRAYED) s.Include(cdsGrayed);
  if (itemState & CDIS_DISABLED) s.Include(cdsDisabled);
  if (itemState & CDIS_CHECKED) s.Include(cdsChecked);
  if (itemState & CDIS_FOCUS) s.Include(cdsFocused);
  if (itemState & CDIS_DEFAULT) s.Include(cdsDefault);
  if (itemState & CDIS_HOT) s.Include(cdsHot);
  if (itemState & CDIS_MARKED) s.Include(cdsMarked);
  if (itemState & CDIS_INDETERMINATE) s.Include(cdsIndeterminate);
  return s;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

LOGFONTW LogFontOf(HFONT font) {
  LOGFONTW lf;
  std::memset(&lf, 0, sizeof lf);
  GetObjectW(font, sizeof lf, &lf);
  return lf;
}

// What the window's sort callback calls, and the error it could not throw.
struct SortContext {
  const std::function<int(TListItem*, TListItem*)>* compare;
  std::exception_ptr error;
};

int CALLBACK SortCallback(LPARAM a, LPARAM b, LPARAM context) {
  auto* ctx = reinterpret_cast<SortContext*>(context);
  if (ctx->error) return 0;
  try {
    return (*ctx->compare)(reinterpret_cast<TListItem*>(a), reinterpret_cast<TListItem*>(b));
  } catch (...) {
    // No exception may pass through the system's sort.
    ctx->error = std::current_exception();
    return 0;
  }
}

}  // namespace

// ---- TListColumn

TCustomListView* TListColumn::ListView() const {
  auto* columns = dynamic_cast<TListColumns*>(Collection());
  return columns ? columns->Owner() : nullptr;
}

void TListColumn::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

int TListColumn::Width() const {
  TCustomListView* lv = ListView();
  if (lv && lv->HandleAllocated() && lv->WindowIsReport() && !lv->FUpdatingColumns)
    return static_cast<int>(lv->Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index())));
  return FWidth;
}

void TListColumn::SetWidth(int Value) {
  FWidth = Value;
  TCustomListView* lv = ListView();
  if (lv) lv->UpdateColumnWidth(Index());
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}

void TListColumn::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  Changed(false);
}

void TListColumn::SetMinWidth(int Value) {
  FMinWidth = std::max(0, Value);
  Changed(false);
}

void TListColumn::SetMaxWidth(int Value) {
  FMaxWidth = std::max(0, Value);
  Changed(false);
}

// ---- TListColumns

TListColumns::TListColumns(TCustomListView* AOwner) : TCollection(TListColumn::StaticClass(), AOwner), FListView(AOwner) {}

void TListColumns::Update(TCollectionItem*) {
  if (FListView) FListView->UpdateColumns();
}

// ---- TListItem

void TSubItems::CallOwner() { FOwner->SubItemsChanged(); }

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner), FSubItems(new TSubItems(this)) {}

TListItem::~TListItem() { delete FSubItems; }

TCustomListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TListItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  if (TCustomListView* lv = ListView()) lv->UpdateItemWindow(Index());
}

void TListItem::SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }

void TListItem::SubItemsChanged() {
  if (TCustomListView* lv = ListView()) lv->UpdateItemWindow(Index());
}

int TListItem::Index() const { return FOwner ? FOwner->IndexOf(this) : -1; }

bool TListItem::WindowState(UINT Mask, bool Stored) const {
  TCustomListView* lv = ListView();
  if (!lv || !lv->HandleAllocated()) return Stored;
  return lv->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), Mask) != 0;
}

void TListItem::SetWindowState(UINT Mask, bool Value) {
  TCustomListView* lv = ListView();
  if (!lv || !lv->HandleAllocated()) return;
  LVITEMW it{};
  it.stateMask = Mask;
  it.state = Value ? Mask : 0;
  lv->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&it));
}

bool TListItem::Selected() const { return WindowState(LVIS_SELECTED, FSelected); }

void TListItem::SetSelected(bool Value) {
  FSelected = Value;
  SetWindowState(LVIS_SELECTED, Value);
}

bool TListItem::Focused() const { return WindowState(LVIS_FOCUSED, FFocused); }

void TListItem::SetFocused(bool Value) {
  FFocused = Value;
  SetWindowState(LVIS_FOCUSED, Value);
}

void TListItem::Delete() {
  if (FOwner) FOwner->Delete(Index());
}

void TListItem::MakeVisible(bool PartialOK) {
  if (TCustomListView* lv = ListView()) lv->Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()), PartialOK ? 1 : 0);
}

TRect TListItem::DisplayRect() const {
  TCustomListView* lv = ListView();
  if (!lv || !lv->HandleAllocated()) return TRect{};
  RECT r{};
  r.left = LVIR_BOUNDS;
  lv->Send(LVM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r));
  return TRect{r.left, r.top, r.right, r.bottom};
}

void TListItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TListItem*>(Source)) {
    SetCaption(src->FCaption);
    FData = src->FData;
    FSubItems->Assign(src->FSubItems);
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TListItems

TListItems::TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}

TListItems::~TListItems() {
  for (TListItem* item : FItems) {
    item->FOwner = nullptr;
    delete item;
  }
}

TListItem* TListItems::Item(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return FItems[static_cast<size_t>(Index)];
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  auto* item = new TListItem(this);
  FItems.insert(FItems.begin() + Index, item);
  if (FOwner) FOwner->InsertItemWindow(Index, item);
  return item;
}

void TListItems::Delete(int Index) {
  TListItem* item = Item(Index);
  if (FOwner && FOwner->HandleAllocated()) FOwner->Send(LVM_DELETEITEM, static_cast<WPARAM>(Index));
  FItems.erase(FItems.begin() + Index);
  item->FOwner = nullptr;
  delete item;
}

void TListItems::Clear() {
  BeginUpdate();
  if (FOwner && FOwner->HandleAllocated()) FOwner->Send(LVM_DELETEALLITEMS);
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) {
    item->FOwner = nullptr;
    delete item;
  }
  EndUpdate();
}

int TListItems::IndexOf(const TListItem* Value) const {
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner && FOwner->HandleAllocated()) FOwner->Send(WM_SETREDRAW, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FOwner && FOwner->HandleAllocated()) {
    FOwner->Send(WM_SETREDRAW, 1);
    FOwner->Invalidate();
  }
}

void TListItems::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TListItems*>(Source)) {
    BeginUpdate();
    Clear();
    for (TListItem* item : src->FItems) Add()->Assign(item);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TCustomListView

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(new TListColumns(this)),
      FItems(new TListItems(this)),
      FCanvas(new TControlCanvas(this)) {
  FControlStyle = TControlStyle{csDoubleClicks, csReflector};
  FWidth = 250;
  FHeight = 150;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
}

TCustomListView::~TCustomListView() {
  // The window goes first: nothing may ask the items for texts any more.
  if (FHandle) DestroyHandle();
  delete FItems;
  FItems = nullptr;
  delete FColumns;
  FColumns = nullptr;
  delete FCanvas;
  FreeDrawFonts();
}

LRESULT TCustomListView::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWW);
  Params.Style |= LVS_SHAREIMAGELISTS | kViews[FViewStyle];
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FColumnClick) Params.Style |= LVS_NOSORTHEADER;
  if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyExtendedStyle();
  ApplyColors();
  UpdateColumns();
  for (int i = 0; i < FItems->Count(); ++i) InsertItemWindow(i, FItems->FItems[static_cast<size_t>(i)]);
  ResizeAutoSizeColumns();
}

void TCustomListView::DestroyWnd() {
  if (FHandle) {
    for (int i = 0; i < FItems->Count(); ++i) {
      TListItem* item = FItems->FItems[static_cast<size_t>(i)];
      LRESULT state = Send(LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED | LVIS_FOCUSED);
      item->FSelected = (state & LVIS_SELECTED) != 0;
      item->FFocused = (state & LVIS_FOCUSED) != 0;
    }
    if (WindowIsReport())
      for (int i = 0; i < FColumns->Count(); ++i)
        FColumns->Items(i)->FWidth = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
  }
  TWinControl::DestroyWnd();
  FreeDrawFonts();
}

bool TCustomListView::WindowIsReport() const {
  return FHandle && (GetWindowLongPtrW(FHandle, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void TCustomListView::ApplyExtendedStyle() {
  if (!FHandle) return;
  DWORD ex = 0;
  if (FRowSelect) ex |= LVS_EX_FULLROWSELECT;
  if (FGridLines) ex |= LVS_EX_GRIDLINES;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
}

void TCustomListView::ApplyColors() {
  if (!FHandle) return;
  COLORREF back = static_cast<COLORREF>(ColorToRGB(Color()));
  Send(LVM_SETBKCOLOR, 0, back);
  Send(LVM_SETTEXTBKCOLOR, 0, back);
  Send(LVM_SETTEXTCOLOR, 0, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
}

void TCustomListView::CMColorChanged(TMessage& Message) {
  TWinControl::CMColorChanged(Message);
  ApplyColors();
}

void TCustomListView::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  ApplyColors();
}

void TCustomListView::UpdateColumns() {
  if (!FHandle || FUpdatingColumns) return;
  FUpdatingColumns = true;
  HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  int existing = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  // Widths the user dragged survive a change of captions or alignment.
  if (existing == FColumns->Count() && WindowIsReport())
    for (int i = 0; i < existing; ++i)
      FColumns->Items(i)->FWidth = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
  while (existing-- > 0) Send(LVM_DELETECOLUMN, 0);
  static constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* column = FColumns->Items(i);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = kFormats[column->FAlignment];
    col.cx = column->FWidth;
    col.pszText = const_cast<wchar_t*>(W(column->FCaption));
    Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  FUpdatingColumns = false;
  ResizeAutoSizeColumns();
}

void TCustomListView::UpdateColumnWidth(int Index) {
  if (!FHandle || FUpdatingColumns || Index < 0) return;
  Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(Index), FColumns->Items(Index)->FWidth);
  ResizeAutoSizeColumns();
}

void TCustomListView::ResizeAutoSizeColumns() {
  if (!WindowIsReport() || FUpdatingColumns) return;
  int autoCount = 0, fixed = 0;
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* c = FColumns->Items(i);
    if (c->FAutoSize) ++autoCount;
    else fixed += c->Width();
  }
  if (autoCount == 0) return;
  int share = std::max(0, ClientWidth() - fixed) / autoCount;
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* c = FColumns->Items(i);
    if (!c->FAutoSize) continue;
    int w = std::max(share, c->FMinWidth);
    if (c->FMaxWidth > 0) w = std::min(w, c->FMaxWidth);
    c->FWidth = w;
    if (Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)) != w) Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), w);
  }
}

void TCustomListView::Resize() {
  ResizeAutoSizeColumns();
  TWinControl::Resize();
}

void TCustomListView::InsertItemWindow(int Index, TListItem* Item) {
  if (!FHandle) return;
  LVITEMW it{};
  it.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  it.iItem = Index;
  it.pszText = LPSTR_TEXTCALLBACKW;
  it.lParam = reinterpret_cast<LPARAM>(Item);
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  it.state = (Item->FSelected ? LVIS_SELECTED : 0) | (Item->FFocused ? LVIS_FOCUSED : 0);
  Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

void TCustomListView::UpdateItemWindow(int Index) {
  if (!FHandle || Index < 0) return;
  Send(LVM_REDRAWITEMS, static_cast<WPARAM>(Index), Index);
}

TListItem* TCustomListView::ItemFromWindow(int Index) const {
  if (!FItems || Index < 0 || Index >= FItems->Count()) return nullptr;
  return FItems->FItems[static_cast<size_t>(Index)];
}

void TCustomListView::ReadOrderFromWindow() {
  int n = static_cast<int>(Send(LVM_GETITEMCOUNT));
  if (n != FItems->Count()) return;
  for (int i = 0; i < n; ++i) {
    LVITEMW it{};
    it.mask = LVIF_PARAM;
    it.iItem = i;
    Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    FItems->FItems[static_cast<size_t>(i)] = reinterpret_cast<TListItem*>(it.lParam);
  }
}

// ---- Properties

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle == Value) return;
  FViewStyle = Value;
  RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListView::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  SetWindowStyleBit(FHandle, LVS_EDITLABELS, !Value);
}

void TCustomListView::SetRowSelect(bool Value) {
  if (FRowSelect == Value) return;
  FRowSelect = Value;
  ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool Value) {
  if (FGridLines == Value) return;
  FGridLines = Value;
  ApplyExtendedStyle();
}

void TCustomListView::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomListView::SetColumnClick(bool Value) {
  if (FColumnClick == Value) return;
  FColumnClick = Value;
  RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
  if (FShowColumnHeaders == Value) return;
  FShowColumnHeaders = Value;
  RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

// ---- Selection and position

TListItem* TCustomListView::Selected() const {
  if (!FHandle) {
    for (TListItem* item : FItems->FItems)
      if (item->FSelected) return item;
    return nullptr;
  }
  return ItemFromWindow(static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
}

void TCustomListView::SetSelected(TListItem* Value) {
  ClearSelection();
  if (Value) Value->SetSelected(true);
}

TListItem* TCustomListView::ItemFocused() const {
  if (!FHandle) {
    for (TListItem* item : FItems->FItems)
      if (item->FFocused) return item;
    return nullptr;
  }
  return ItemFromWindow(static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  if (Value) {
    Value->SetFocused(true);
    return;
  }
  if (TListItem* old = ItemFocused()) old->SetFocused(false);
}

int TCustomListView::ItemIndex() const {
  TListItem* item = Selected();
  return item ? item->Index() : -1;
}

void TCustomListView::SetItemIndex(int Value) {
  SetSelected(Value >= 0 && Value < FItems->Count() ? FItems->Item(Value) : nullptr);
}

int TCustomListView::SelCount() const {
  if (FHandle) return static_cast<int>(Send(LVM_GETSELECTEDCOUNT));
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                        [](TListItem* i) { return i->FSelected; }));
}

void TCustomListView::SelectAll() {
  if (!FHandle) {
    for (TListItem* item : FItems->FItems) item->FSelected = true;
    return;
  }
  LVITEMW it{};
  it.stateMask = LVIS_SELECTED;
  it.state = LVIS_SELECTED;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&it));
}

void TCustomListView::ClearSelection() {
  if (!FHandle) {
    for (TListItem* item : FItems->FItems) item->FSelected = false;
    return;
  }
  LVITEMW it{};
  it.stateMask = LVIS_SELECTED;
  it.state = 0;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&it));
}

void TCustomListView::DeleteSelected() {
  FItems->BeginUpdate();
  for (int i = FItems->Count() - 1; i >= 0; --i)
    if (FItems->Item(i)->Selected()) FItems->Delete(i);
  FItems->EndUpdate();
}

TListItem* TCustomListView::TopItem() const {
  return FHandle ? ItemFromWindow(static_cast<int>(Send(LVM_GETTOPINDEX))) : nullptr;
}

void TCustomListView::Scroll(int DX, int DY) { Send(LVM_SCROLL, static_cast<WPARAM>(DX), DY); }

TListItem* TCustomListView::GetItemAt(int X, int Y) const {
  if (!FHandle) return nullptr;
  LVHITTESTINFO info{};
  info.pt = POINT{X, Y};
  int index = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  return (info.flags & LVHT_ONITEM) ? ItemFromWindow(index) : nullptr;
}

TCanvas* TCustomListView::Canvas() const { return FCanvas; }

// ---- Sorting

bool TCustomListView::CustomSort(const TLVCompare& SortProc, LPARAM Data) {
  if (!SortProc && !OnCompare) return false;
  std::function<int(TListItem*, TListItem*)> compare = [&](TListItem* a, TListItem* b) {
    int r = 0;
    if (SortProc) r = SortProc(a, b, Data);
    else OnCompare(this, a, b, static_cast<int>(Data), r);
    // Ties go by the order before the sort: the sort is stable whatever
    // algorithm the window uses.
    if (r == 0) r = (a->FSortIndex > b->FSortIndex) - (a->FSortIndex < b->FSortIndex);
    return r;
  };
  auto& items = FItems->FItems;
  for (size_t i = 0; i < items.size(); ++i) items[i]->FSortIndex = static_cast<int>(i);
  if (!FHandle) {
    std::stable_sort(items.begin(), items.end(), [&](TListItem* a, TListItem* b) { return compare(a, b) < 0; });
    return true;
  }
  SortContext context{&compare, nullptr};
  Send(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(&SortCallback));
  ReadOrderFromWindow();
  if (context.error) std::rethrow_exception(context.error);
  return true;
}

bool TCustomListView::AlphaSort() {
  if (OnCompare) return CustomSort(nullptr, 0);
  return CustomSort([](TListItem* a, TListItem* b, LPARAM) { return AnsiCompareText(a->Caption(), b->Caption()); },
                    0);
}

// ---- Notifications

void TCustomListView::ColClick(TListColumn* Column) { OnColumnClick(this, Column); }

void TCustomListView::Change(TListItem* Item, TItemChange Change) { OnChange(this, Item, Change); }

void TCustomListView::DoSelectItem(TListItem* Item, bool Selected) { OnSelectItem(this, Item, Selected); }

void TCustomListView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    CNNotify(Message);
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomListView::CNNotify(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  switch (hdr->code) {
    case LVN_GETDISPINFOW: {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
      TListItem* item = ItemFromWindow(di->item.iItem);
      if (!item || !(di->item.mask & LVIF_TEXT) || !di->item.pszText || di->item.cchTextMax <= 0) return;
      String text;
      int sub = di->item.iSubItem;
      if (sub == 0) text = item->FCaption;
      else if (sub - 1 < item->FSubItems->Count()) text = item->FSubItems->Strings(sub - 1);
      size_t n = std::min(text.size(), static_cast<size_t>(di->item.cchTextMax - 1));
      std::memcpy(di->item.pszText, text.data(), n * sizeof(char16_t));
      di->item.pszText[n] = 0;
      return;
    }
    case LVN_COLUMNCLICK: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
      if (nm->iSubItem >= 0 && nm->iSubItem < FColumns->Count()) ColClick(FColumns->Items(nm->iSubItem));
      return;
    }
    case LVN_ITEMCHANGED: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
      TListItem* item = ItemFromWindow(nm->iItem);
      if (nm->uChanged & LVIF_STATE) {
        if ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) DoSelectItem(item, (nm->uNewState & LVIS_SELECTED) != 0);
        Change(item, ctState);
      } else if (nm->uChanged & LVIF_TEXT) {
        Change(item, ctText);
      } else if (nm->uChanged & LVIF_IMAGE) {
        Change(item, ctImage);
      }
      return;
    }
    case LVN_ENDLABELEDITW: {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
      if (TListItem* item = ItemFromWindow(di->item.iItem); item && di->item.pszText)
        item->SetCaption(FromW(di->item.pszText));
      // The window keeps asking us for the text; it must not store one.
      Message.Result = 0;
      return;
    }
    case NM_CLICK:
      Click();
      return;
    case NM_DBLCLK:
      DblClick();
      return;
    case NM_CUSTOMDRAW:
      Message.Result = CustomDraw(Message.LParam);
      return;
    default:
      return;
  }
}

HFONT TCustomListView::DrawFont() {
  LOGFONTW want = LogFontOf(FCanvas->Font()->Handle());
  if (SameFont(want, LogFontOf(Font()->Handle()))) return Font()->Handle();
  for (auto& [lf, font] : FDrawFonts)
    if (SameFont(lf, want)) return font;
  HFONT font = CreateFontIndirectW(&want);
  FDrawFonts.emplace_back(want, font);
  return font;
}

void TCustomListView::FreeDrawFonts() {
  for (auto& entry : FDrawFonts) DeleteObject(entry.second);
  FDrawFonts.clear();
}

LRESULT TCustomListView::CustomDraw(LPARAM Draw) {
  auto& cd = *reinterpret_cast<NMLVCUSTOMDRAW*>(Draw);
  bool itemEvent = OnCustomDrawItem.Assigned(), subItemEvent = OnCustomDrawSubItem.Assigned();
  if (!itemEvent && !subItemEvent) return CDRF_DODEFAULT;
  HDC dc = cd.nmcd.hdc;
  DWORD stage = cd.nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) {
    FPaintFont = GetCurrentObject(dc, OBJ_FONT);
    return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
  }
  if (stage == CDDS_POSTPAINT) {
    // The DC gets its own font back: ours may go before the DC does.
    if (FPaintFont) SelectObject(dc, FPaintFont);
    FPaintFont = nullptr;
    return CDRF_DODEFAULT;
  }
  if ((stage & CDDS_ITEMPREPAINT) != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  TListItem* item = ItemFromWindow(static_cast<int>(cd.nmcd.dwItemSpec));
  if (!item) return CDRF_DODEFAULT;
  bool subItem = (stage & CDDS_SUBITEM) != 0;
  if (!subItem && !itemEvent) return subItemEvent ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
  TCustomDrawState state = DrawStateOf(cd.nmcd.uItemState);
  if (item->Selected()) state.Include(cdsSelected);
  bool defaultDraw = true;
  FCanvas->SetHandle(dc);
  FCanvas->SetFont(Font());
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(Color());
  TColor textColor, backColor;
  HFONT font;
  try {
    if (subItem) OnCustomDrawSubItem(this, item, cd.iSubItem, state, defaultDraw);
    else OnCustomDrawItem(this, item, state, defaultDraw);
    textColor = FCanvas->Font()->Color();
    backColor = FCanvas->Brush()->Color();
    font = DrawFont();
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    throw;
  }
  FCanvas->SetHandle(nullptr);
  if (!defaultDraw) return CDRF_SKIPDEFAULT;
  SelectObject(dc, font);
  cd.clrText = static_cast<COLORREF>(ColorToRGB(textColor));
  cd.clrTextBk = static_cast<COLORREF>(ColorToRGB(backColor));
  LRESULT result = CDRF_NEWFONT;
  if (!subItem && subItemEvent) result |= CDRF_NOTIFYSUBITEMDRAW;
  return result;
}

FW_REGISTER(TListColumn) {
  c.Property(u"Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify);
  c.Property(u"AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize).Default(false);
  c.Property(u"Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  c.Property(u"MaxWidth", &TListColumn::MaxWidth, &TListColumn::SetMaxWidth).Default(0);
  c.Property(u"MinWidth", &TListColumn::MinWidth, &TListColumn::SetMinWidth).Default(0);
  c.Property(u"Tag", &TListColumn::Tag, &TListColumn::SetTag).Default(0);
  c.Property(u"Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
}

FW_REGISTER(TListColumns) {}

FW_REGISTER(TListItem) {}

FW_REGISTER(TListItems) {}

FW_REGISTER(TCustomListView) {}

FW_REGISTER(TListView) {
  c.Property(u"BorderStyle", &TListView::BorderStyle, &TListView::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsSingle);
  c.Property(u"ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick).Default(true);
  c.Property(u"Columns", &TListView::Columns, &TListView::SetColumns);
  c.Property(u"GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(false);
  c.Property(u"HideSelection", &TListView::HideSelection, &TListView::SetHideSelection).Default(true);
  c.Property(u"MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(false);
  c.Property(u"ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(false);
  c.Property(u"RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(false);
  c.Property(u"ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders).Default(true);
  c.Property(u"ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
  c.Property(u"OnChange", &TListView::OnChange, &TListView::OnChange);
  c.Property(u"OnColumnClick", &TListView::OnColumnClick, &TListView::OnColumnClick);
  c.Property(u"OnCompare", &TListView::OnCompare, &TListView::OnCompare);
  c.Property(u"OnCustomDrawItem", &TListView::OnCustomDrawItem, &TListView::OnCustomDrawItem);
  c.Property(u"OnCustomDrawSubItem", &TListView::OnCustomDrawSubItem, &TListView::OnCustomDrawSubItem);
  c.Property(u"OnSelectItem", &TListView::OnSelectItem, &TListView::OnSelectItem);
}

}  // namespace fw
