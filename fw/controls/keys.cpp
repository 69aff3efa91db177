// Keyboard handling of windowed controls. The message loop offers every key
// message to the focused control as CN_KEYDOWN, CN_CHAR... before it is
// translated and dispatched: shortcuts, dialog keys (Tab, arrows, Return,
// Escape through CM_DIALOGKEY) and accelerators (CM_DIALOGCHAR) are taken
// there. What is left arrives as WM_KEYDOWN..., where the form sees it first
// when it has KeyPreview, then the control's own events.
#include "fw/controls/controls.h"
#include "fw/controls/forms.h"

namespace fw {

namespace {

WORD KeyOf(const TMessage& m) { return static_cast<WORD>(m.WParam); }

}  // namespace

bool TWinControl::DoKeyUpOrDown(TMessage& Message, bool (TWinControl::*Preview)(TMessage&),
                                void (TWinControl::*Handler)(WORD&, TShiftState)) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && (form->*Preview)(Message)) return true;
  if (FControlStyle.Contains(csNoStdEvents)) return false;
  WORD key = KeyOf(Message);
  (this->*Handler)(key, KeyDataToShiftState(Message.LParam));
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  return DoKeyUpOrDown(Message, &TWinControl::DoKeyDown, &TWinControl::KeyDown);
}

bool TWinControl::DoKeyUp(TMessage& Message) { return DoKeyUpOrDown(Message, &TWinControl::DoKeyUp, &TWinControl::KeyUp); }

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (FControlStyle.Contains(csNoStdEvents)) return false;
  char16_t ch = static_cast<char16_t>(Message.WParam);
  KeyPress(ch);
  Message.WParam = ch;
  return ch == 0;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }
void TWinControl::KeyPress(char16_t& Key) { OnKeyPress(this, Key); }

void TWinControl::WMKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(Message)) return;
  if (ComponentState().Contains(csDesigning)) {
    Message.Result = 0;
    return;
  }
  if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
  LRESULT mask = 0;
  switch (KeyOf(Message)) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
    default:
      break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
      (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 && form &&
      form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
    return;
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if (!ComponentState().Contains(csDesigning)) {
    TCustomForm* form = GetParentForm(this);
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 && form &&
        form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message) {
  Message.Result = 1;
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(Message)) return;
  Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message) {
  Message.Result = 0;
  if (ComponentState().Contains(csDesigning) || KeyOf(Message) == VK_SPACE) return;
  if (TCustomForm* form = GetParentForm(this))
    Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

}  // namespace fw
