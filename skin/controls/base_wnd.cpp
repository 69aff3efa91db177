#include "skin/controls/base_wnd.h"

#include "fw/system/messages.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"

namespace skin {

namespace {

// A notification with no meaning for the skinned control; never passed on.
constexpr UINT kDroppedNotification = 0x2100;

}  // namespace

void TkcBaseWnd::RefreshScrollBars() {
  UpdateScrollInfo();
  PaintScrollBars();
}

void TkcBaseWnd::kcWndProc(fw::TMessage& Message) {
  if (Destroyed || !Skinned()) {
    TkcScrollWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_EXITSIZEMOVE: BGChanged = true; break;
    case WM_SETCURSOR: CallPrev(Message); return;
    case kDroppedNotification: Message.Result = 0; return;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == SKC_REFRESH) {
        if (!OwnManagerCommand(Message)) {
          // Another manager's refresh is the window's own business.
          CallPrev(Message);
          return;
        }
        TkcScrollWnd::kcWndProc(Message);
        if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        return;
      }
      if (SkinCommandCode(Message.WParam) == SKC_PREPARECACHE) PrepareControlCache(*this, S, false);
      break;
    default: break;
  }
  TkcScrollWnd::kcWndProc(Message);
  if (Destroyed) return;
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!DontRepaint) RefreshScrollBars();
      break;
    case WM_ENABLE:
    case fw::CM_ENABLEDCHANGED:
      if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
      break;
    default: break;
  }
}

}  // namespace skin
