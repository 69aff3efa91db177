// The combo box: the system's COMBOBOX class with an edit and a drop-down
// list (csDropDown), a list only (csDropDownList) or an open list
// (csSimple). Choosing an item reports OnClick and OnSelect (OnChange
// when OnSelect is not set); typing in the edit reports OnChange.
#pragma once

#include "fw/stdctrls/itemstrings.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)

class TCustomComboBox;

class TComboBoxStrings : public TWinItemStrings {
  FW_CLASS(TComboBoxStrings, TWinItemStrings)
  explicit TComboBoxStrings(TCustomComboBox* ComboBox) : FComboBox(ComboBox) {}

 protected:
  bool HasWindow() const override;
  void WindowInsert(int Index, const String& S) override;
  void WindowDelete(int Index) override;
  void WindowClear() override;
  void WindowSetRedraw(bool Redraw) override;
  bool WindowSelected(int Index) const override;
  void WindowSetSelected(int Index, bool Value) override;

 private:
  TCustomComboBox* FComboBox;
};

class TCustomComboBox : public TWinControl {
  FW_CLASS(TCustomComboBox, TWinControl)
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  void Clear();
  void Loaded() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  friend class TComboBoxStrings;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;
  virtual void Change();
  virtual void Select();
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
  // The window's height with the list open.
  int DroppedHeight(int Height) const;

 private:
  TComboBoxStrings* FItems;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  int FSaveItemIndex = -1;
};

class TComboBox : public TCustomComboBox {
  FW_CLASS(TComboBox, TCustomComboBox)
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

}  // namespace fw
