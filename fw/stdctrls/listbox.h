// The list box: the system's LISTBOX class, standard or owner-drawn with
// fixed or variable item heights (OnDrawItem, OnMeasureItem), in one or
// several columns, with single or multiple selection, and an object per
// item. The check list box adds a check box in front of every item.
#pragma once

// The item list first: <windows.h> renames GetObject for what follows it.
#include "fw/stdctrls/itemstrings.h"
// (keep above)
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)

using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TWinControl* Control, int Index, int& Height)>;

class TCustomListBox;

class TListBoxStrings : public TWinItemStrings {
  FW_CLASS(TListBoxStrings, TWinItemStrings)
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}

 protected:
  bool HasWindow() const override;
  void WindowInsert(int Index, const String& S) override;
  void WindowDelete(int Index) override;
  void WindowClear() override;
  void WindowSetRedraw(bool Redraw) override;
  bool WindowSelected(int Index) const override;
  void WindowSetSelected(int Index, bool Value) override;

 private:
  TCustomListBox* FListBox;
};

class TCustomListBox : public TWinControl {
  FW_CLASS(TCustomListBox, TWinControl)
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int Count() const { return FItems->Count(); }
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  // The height of an item (the default one of a variable-height list).
  int ItemHeight() const;
  void SetItemHeight(int Value);
  // 0: one column, scrolled vertically; n: n columns of the client width,
  // scrolled horizontally.
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // The current item (with multiple selection: the one with the caret).
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  void SelectAll();
  void ClearSelection();
  void DeleteSelected();
  void Clear() { FItems->Clear(); }
  int TopIndex() const;
  void SetTopIndex(int Value);
  TRect ItemRect(int Index) const;
  // The item at a client point; -1 when there is none, or with Existing
  // false the index after the last item.
  int ItemAtPos(const TPoint& Pos, bool Existing) const;
  TCanvas* Canvas() const;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  friend class TListBoxStrings;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  virtual bool IsOwnerDraw() const { return FStyle != lbStandard; }
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
  void UpdateColumnWidth();
  TListBoxStrings* ItemList() const { return FItems; }

 private:
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  TListBoxStrings* FItems;
  TControlCanvas* FCanvas;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  int FColumns = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FIntegralHeight = false;
  TBorderStyle FBorderStyle = bsSingle;
  // Kept while there is no window.
  int FSaveItemIndex = -1;
  std::vector<int> FSaveSelected;
  int FSaveTopIndex = 0;
};

class TListBox : public TCustomListBox {
  FW_CLASS(TListBox, TCustomListBox)
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TCheckListBox : public TCustomListBox {
  FW_CLASS(TCheckListBox, TCustomListBox)
  explicit TCheckListBox(TComponent* AOwner);

  bool Checked(int Index) const { return State(Index) == cbChecked; }
  void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State(int Index) const;
  // Changing a check from the program reports no OnClickCheck.
  void SetState(int Index, TCheckBoxState Value);
  bool ItemEnabled(int Index) const;
  void SetItemEnabled(int Index, bool Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // The width of the check box area at the left of every item.
  int CheckWidth() const;

  // The user changed an item's check.
  TNotifyEvent OnClickCheck;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void WMLButtonDown(TMessage& Message) override;
  void KeyPress(char16_t& Key) override;
  bool IsOwnerDraw() const override { return true; }
  virtual void ClickCheck();
  void ToggleClickCheck(int Index);

 private:
  void InvalidateItem(int Index);
  bool FAllowGrayed = false;
};

}  // namespace fw
