#include "fw/stdctrls/checkbox.h"

#include "fw/core/rtti.h"

namespace fw {

// ---- TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FTabStop = true;
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  if (FWordWrap) Params.Style |= BS_MULTILINE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TButtonControl::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

bool TButtonControl::ClicksDisabled() const {
  return FClicksDisabled || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

void TButtonControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      CNCommand(Message);
      return;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
      Message.Result = ControlColorResult(reinterpret_cast<HDC>(Message.WParam), Font()->Color(), Color(),
                                          BrushHandle());
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}

// ---- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 113;
  FHeight = 17;
  FTabStop = false;
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (FParent) {
    for (int i = 0; i < FParent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(FParent->Controls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  if (!ClicksDisabled()) Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    default: break;
  }
}

void TRadioButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) SetChecked(true);
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

FW_REGISTER(TButtonControl) {}

FW_REGISTER(TCustomCheckBox) {}

FW_REGISTER(TCheckBox) {
  c.Property(u"Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
  c.Property(u"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  c.Property(u"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Default(false);
  c.Property(u"State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
  c.Property(u"WordWrap", &TCheckBox::WordWrap, &TCheckBox::SetWordWrap).Default(false);
}

FW_REGISTER(TRadioButton) {
  c.Property(u"Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
  c.Property(u"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
  c.Property(u"WordWrap", &TRadioButton::WordWrap, &TRadioButton::SetWordWrap).Default(false);
}

}  // namespace fw
