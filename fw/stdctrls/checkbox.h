// Check box and radio button: the system's BUTTON class, with the checked
// state kept by the framework (the window only shows it), so that a click,
// a key and a change from the program all go the same way.
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

// The common part of the BUTTON-class controls: the reflected colour request
// and the word wrap style.
class TButtonControl : public TWinControl {
  FW_CLASS(TButtonControl, TWinControl)
  explicit TButtonControl(TComponent* AOwner);

  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  virtual void CNCommand(TMessage& Message) { (void)Message; }
  // True while the program changes the state: no click is reported then.
  bool ClicksDisabled() const;
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }

 private:
  bool FWordWrap = false;
  bool FClicksDisabled = false;
};

class TCustomCheckBox : public TButtonControl {
  FW_CLASS(TCustomCheckBox, TButtonControl)
  explicit TCustomCheckBox(TComponent* AOwner);

  TCheckBoxState State() const { return FState; }
  // A change of state reports a click (as the user's click does).
  void SetState(TCheckBoxState Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // taRightJustify: the text right of the box (the usual place).
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  // The next state: unchecked, checked, grayed (when allowed), unchecked.
  virtual void Toggle();

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  FW_CLASS(TCheckBox, TCustomCheckBox)
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
  FW_CLASS(TRadioButton, TButtonControl)
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  // Checking one radio button unchecks the others of its parent and
  // reports a click; unchecking reports nothing.
  void SetChecked(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;

 private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

}  // namespace fw
