// The click window of the desktop capture with the cursor: it covers one
// monitor without painting, shows the "Position Mouse" prompt, and ends at
// the release of any button, half a second later so that the screen can
// settle. Its frozen picture is taken half a second after it is created.
#pragma once

#include "capture/click_form.h"
#include "capture/prompt_dialog.h"

namespace capture {

// The monitor the next desktop window covers (as the component's MonitorNum).
extern int CaptureDesktopMonitorNum;
// How long the desktop window waits before its picture and after the click
// (milliseconds).
extern unsigned CaptureDesktopSettleTime;

class TCaptureDesktopForm : public TCaptureClickForm {
  FW_CLASS(TCaptureDesktopForm, TCaptureClickForm)
  explicit TCaptureDesktopForm(fw::TComponent* AOwner);
  ~TCaptureDesktopForm() override;

  // The prompt while it is shown, else null.
  TfrmPosition* Prompt() const { return FPrompt; }

 protected:
  void FormCreate(fw::TObject* Sender);
  void FormShow(fw::TObject* Sender);
  void FormActivate(fw::TObject* Sender);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void FormDestroy(fw::TObject* Sender);

 private:
  void FreePrompt();
  TfrmPosition* FPrompt = nullptr;
};

}  // namespace capture
