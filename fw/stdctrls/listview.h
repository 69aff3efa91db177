// The list view: the system's SysListView32 (report view with columns is
// what the program uses). The items live in the framework's objects; the
// window asks for their texts (LVN_GETDISPINFO), so that an item's
// caption, sub-items and data stay with it through sorting. Sorting with a
// comparison callback is stable: equal items keep their order.
#pragma once

#include <functional>
#include <vector>

#include "fw/core/collection.h"
#include "fw/core/strings_list.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)
FW_ENUM(TItemChange, ctText, ctImage, ctState)

class TCustomListView;
class TListItems;

class TListColumn : public TCollectionItem {
  FW_CLASS(TListColumn, TCollectionItem)
  TListColumn() = default;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // The width in the window (the user may have dragged it).
  int Width() const;
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // An auto-size column takes the width the other columns leave.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  String DisplayName() const override { return FCaption; }

 private:
  friend class TCustomListView;
  TCustomListView* ListView() const;
  String FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  int FMinWidth = 0;
  int FMaxWidth = 0;
  int FTag = 0;
};

class TListColumns : public TCollection {
  FW_CLASS(TListColumns, TCollection)
  explicit TListColumns(TCustomListView* AOwner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
  TCustomListView* Owner() const { return FListView; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TCustomListView* FListView;
};

class TListItem : public TPersistent {
  FW_CLASS(TListItem, TPersistent)
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;

  TListItems* Owner() const { return FOwner; }
  TCustomListView* ListView() const;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // The texts of columns 1, 2...
  TStrings* SubItems() const { return FSubItems; }
  void SetSubItems(TStrings* Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int Index() const;
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);
  void Delete();
  void MakeVisible(bool PartialOK = false);
  // The item's rectangle in the list view's client coordinates.
  TRect DisplayRect() const;
  void Assign(TPersistent* Source) override;

 private:
  friend class TListItems;
  friend class TCustomListView;
  friend class TSubItems;
  void SubItemsChanged();
  // A state bit (LVIS_...) of the item: from the window while there is one,
  // else Stored; setting it reaches the window only.
  bool WindowState(UINT Mask, bool Stored) const;
  void SetWindowState(UINT Mask, bool Value);
  TListItems* FOwner;
  String FCaption;
  TStringList* FSubItems;
  void* FData = nullptr;
  // Kept while the list view has no window.
  bool FSelected = false;
  bool FFocused = false;
  // The item's place before a sort: equal items keep it.
  int FSortIndex = 0;
};

class TListItems : public TPersistent {
  FW_CLASS(TListItems, TPersistent)
  explicit TListItems(TCustomListView* AOwner);
  ~TListItems() override;

  TCustomListView* Owner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError outside the range.
  TListItem* Item(int Index) const;
  TListItem* operator[](int Index) const { return Item(Index); }
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TListItem* Value) const;
  void BeginUpdate();
  void EndUpdate();
  void Assign(TPersistent* Source) override;

 private:
  friend class TListItem;
  friend class TCustomListView;
  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
};

// Compares two items for CustomSort: <0, 0 or >0; Data is CustomSort's.
using TLVCompare = std::function<int(TListItem* Item1, TListItem* Item2, LPARAM Data)>;

using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent = TEvent<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVChangeEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVCustomDrawItemEvent =
    TEvent<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
using TLVCustomDrawSubItemEvent = TEvent<void(TCustomListView* Sender, TListItem* Item, int SubItem,
                                              TCustomDrawState State, bool& DefaultDraw)>;

class TCustomListView : public TWinControl {
  FW_CLASS(TCustomListView, TWinControl)
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns* Columns() const { return FColumns; }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TListColumn* Column(int Index) const { return FColumns->Items(Index); }
  TListItems* Items() const { return FItems; }

  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool ColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // The first selected item, or null; setting selects that item alone.
  TListItem* Selected() const;
  void SetSelected(TListItem* Value);
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  int SelCount() const;
  void SelectAll();
  void ClearSelection();
  void DeleteSelected();
  TListItem* TopItem() const;
  // Scrolls by pixels (report view: DY is rounded to whole lines).
  void Scroll(int DX, int DY);
  TListItem* GetItemAt(int X, int Y) const;
  TCanvas* Canvas() const;

  // Sorts with SortProc, or with OnCompare when SortProc is empty. Items
  // that compare equal keep their order. False when nothing can sort.
  bool CustomSort(const TLVCompare& SortProc, LPARAM Data);
  // Sorts by OnCompare, or by caption (case-insensitive) without it.
  bool AlphaSort();

  TLVColumnClickEvent OnColumnClick;
  TLVCompareEvent OnCompare;
  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVCustomDrawSubItemEvent OnCustomDrawSubItem;

 protected:
  friend class TListItems;
  friend class TListItem;
  friend class TListColumn;
  friend class TListColumns;

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  virtual void CNNotify(TMessage& Message);
  virtual void ColClick(TListColumn* Column);
  virtual void Change(TListItem* Item, TItemChange Change);
  virtual void DoSelectItem(TListItem* Item, bool Selected);
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
  // Window side of the items and columns.
  void InsertItemWindow(int Index, TListItem* Item);
  void UpdateItemWindow(int Index);
  void UpdateColumns();
  void UpdateColumnWidth(int Index);
  void ResizeAutoSizeColumns();
  void ApplyExtendedStyle();
  void ApplyColors();
  TListItem* ItemFromWindow(int Index) const;
  // The window shows the report view (the columns are its own).
  bool WindowIsReport() const;

 private:
  LRESULT CustomDraw(LPARAM Draw);
  HFONT DrawFont();
  void FreeDrawFonts();
  void ReadOrderFromWindow();

  TListColumns* FColumns;
  TListItems* FItems;
  TControlCanvas* FCanvas;
  TViewStyle FViewStyle = vsIcon;
  bool FMultiSelect = false;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FGridLines = false;
  bool FHideSelection = true;
  bool FColumnClick = true;
  bool FShowColumnHeaders = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FUpdatingColumns = false;
  // Font copies selected into the DC for custom-drawn items, kept until
  // the window goes, and the DC's own font to put back after a paint.
  std::vector<std::pair<LOGFONTW, HFONT>> FDrawFonts;
  HGDIOBJ FPaintFont = nullptr;
};

class TListView : public TCustomListView {
  FW_CLASS(TListView, TCustomListView)
  explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};

}  // namespace fw
