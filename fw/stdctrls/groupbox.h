// The group box (a framed, captioned container the framework paints) and
// the radio group: a group box whose radio buttons come from its Items,
// laid out in Columns, with the checked one as ItemIndex.
#pragma once

#include <vector>

// The item list first: <windows.h> renames GetObject for what follows it.
#include "fw/stdctrls/itemstrings.h"
// (keep above)
#include "fw/stdctrls/checkbox.h"

namespace fw {

class TCustomGroupBox : public TCustomControl {
  FW_CLASS(TCustomGroupBox, TCustomControl)
  explicit TCustomGroupBox(TComponent* AOwner);

  void AdjustClientRect(TRect& Rect) override;

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
  FW_CLASS(TGroupBox, TCustomGroupBox)
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

class TCustomRadioGroup;

class TRadioGroupItems : public TStringList {
  FW_CLASS(TRadioGroupItems, TStringList)
  explicit TRadioGroupItems(TCustomRadioGroup* Group) : FGroup(Group) {}

 protected:
  void Changed() override;
  void SetUpdateState(bool Updating) override;

 private:
  TCustomRadioGroup* FGroup;
};

class TCustomRadioGroup : public TCustomGroupBox {
  FW_CLASS(TCustomRadioGroup, TCustomGroupBox)
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // The checked item, -1 for none. A change reports OnClick.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  // The radio button of an item.
  TRadioButton* Buttons(int Index) const;
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }

  void Loaded() override;

 protected:
  friend class TRadioGroupItems;
  void Resize() override;
  void CMFontChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void ItemsChanged();
  void ButtonClicked(TObject* Sender);
  void ArrangeButtons();
  void UpdateButtons();

 private:
  TRadioGroupItems* FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  FW_CLASS(TRadioGroup, TCustomRadioGroup)
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

}  // namespace fw
