#include "skin/controls/ww_combo_box_wnd.h"

#include "fw/stdctrls/combobox.h"

namespace skin {

TkcWWComboBoxWnd::TkcWWComboBoxWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcComboBoxWnd(AHandle, std::move(ASkin), Params, Repaint) {
  if (Params.Control) FShowButton = ButtonShown(Params.Control);
}

TkcWWComboBoxWnd::~TkcWWComboBoxWnd() {
  delete ListBoxSW;
  ListBoxSW = nullptr;
}

bool TkcWWComboBoxWnd::ButtonShown(fw::TControl* Control) {
  auto* combo = dynamic_cast<fw::TComboBox*>(Control);
  return !combo || combo->Style() == fw::csDropDown || combo->Style() == fw::csDropDownList;
}

fw::TRect TkcWWComboBoxWnd::ButtonRect() const {
  RECT r{};
  GetWindowRect(CtrlHandle, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int w = FShowButton ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const bool leftScroll = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const int left = leftScroll ? 2 : width - w - 2;
  return fw::Rect(left, 2, left + w, height - 2);
}

void TkcWWComboBoxWnd::AdaptListBox() {
  auto* owner = dynamic_cast<fw::TWinControl*>(Control());
  if (!owner) return;
  for (int i = 0; i < owner->ControlCount(); ++i) {
    auto* list = dynamic_cast<fw::TCustomListBox*>(owner->Controls(i));
    if (!list || !list->HandleAllocated()) continue;
    if (list != ListBox) {
      // A new list box: the adapter of the one before goes.
      delete ListBoxSW;
      ListBoxSW = nullptr;
      ListBox = list;
    }
    ReattachEditAdapter(ListBox, FSkin, ListBoxSW);
  }
}

void TkcWWComboBoxWnd::kcWndProc(fw::TMessage& Message) {
  // The list box of these combo boxes keeps its own colours.
  if (Message.Msg == WM_CTLCOLORLISTBOX) {
    CallPrev(Message);
    return;
  }
  TkcComboBoxWnd::kcWndProc(Message);
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && !Destroyed) AdaptListBox();
}

}  // namespace skin
