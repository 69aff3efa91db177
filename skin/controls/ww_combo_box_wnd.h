// Combo boxes of the skin manager's WW list: combo boxes that make their
// drop-down list as a framework list box among their own child controls.
// The adapter is the combo box adapter with a button place of its own; the
// list box gets an edit adapter when it is made, which this adapter alone
// owns (a newer list box's replaces it) and frees when it goes.
#pragma once

#include <windows.h>

#include "fw/stdctrls/listbox.h"
#include "skin/controls/combo_box_wnd.h"

namespace skin {

class TkcWWComboBoxWnd : public TkcComboBoxWnd {
 public:
  TkcWWComboBoxWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);
  ~TkcWWComboBoxWnd() override;

  void kcWndProc(fw::TMessage& Message) override;
  // SM_CXVSCROLL wide (none without a button), 2 pixels in from the right
  // edge (the left with left-hand scroll bars), top and bottom.
  fw::TRect ButtonRect() const override;
  // False only for a framework combo box that is neither a drop-down nor a
  // drop-down list.
  static bool ButtonShown(fw::TControl* Control);

  fw::TCustomListBox* ListBox = nullptr;
  TkcEditWnd* ListBoxSW = nullptr;  // owned
  bool FShowButton = true;

 private:
  // The owner's list box (the last one among its children) and its adapter.
  void AdaptListBox();
};

}  // namespace skin
