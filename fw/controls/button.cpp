#include "fw/controls/button.h"

#include "fw/core/rtti.h"

namespace fw {

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= WS_TABSTOP | (FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TButton::CreateWnd() {
  TWinControl::CreateWnd();
  FActive = FDefault;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (!FHandle) return;
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!FHandle) return;
  LONG_PTR style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLongPtrW(FHandle, GWL_STYLE) & 0x0F) != style) SendMessageW(FHandle, BM_SETSTYLE, style, 1);
}

void TButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    CNCommand(Message);
    return;
  }
  TWinControl::Dispatch(Message);
}

void TButton::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message) {
  WORD key = static_cast<WORD>(Message.WParam);
  if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) &&
      KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TWinControl::CMDialogChar(Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
  auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
  FActive = dynamic_cast<TButton*>(sender) ? sender == this : FDefault;
  SetButtonStyle(FActive);
  TWinControl::CMFocusChanged(Message);
}

FW_REGISTER(TButton) {
  c.Property(u"Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  c.Property(u"Default", &TButton::Default, &TButton::SetDefault).Default(false);
  c.Property(u"ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
}

}  // namespace fw
