// The push button: the system's BUTTON class under the framework, with the
// default button (Return) and cancel button (Escape) of its form and the
// modal result it gives the form when clicked.
#pragma once

#include "fw/controls/controls.h"
#include "fw/controls/forms.h"

namespace fw {

class TButton : public TWinControl {
  FW_CLASS(TButton, TWinControl)
  explicit TButton(TComponent* AOwner);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;
  virtual void CNCommand(TMessage& Message);
  void SetButtonStyle(bool ADefault);

 private:
  bool FDefault = false;
  bool FCancel = false;
  // The button Return clicks: the focused button, or the default one.
  bool FActive = false;
  TModalResult FModalResult = mrNone;
};

}  // namespace fw
