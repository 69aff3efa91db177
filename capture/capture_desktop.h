// The click window of the desktop capture with the cursor: it covers one
// monitor without painting, shows the "Position Mouse" prompt, and ends at
// the release of any button, half a second later so that the screen can
// settle. Its frozen picture is taken half a second after it is created.
#pragma once

#include <memory>

#include "capture/prompt_dialog.h"
#include "capture/selection_form.h"
#include "fw/graphics/graphics.h"

namespace capture {

// The monitor the next desktop window covers (as the component's MonitorNum).
extern int CaptureDesktopMonitorNum;
// How long the desktop window waits before its picture and after the click
// (milliseconds).
extern unsigned CaptureDesktopSettleTime;

class TCaptureDesktopForm : public TCaptureSelectionForm {
  FW_CLASS(TCaptureDesktopForm, TCaptureSelectionForm)
  explicit TCaptureDesktopForm(fw::TComponent* AOwner);
  ~TCaptureDesktopForm() override;

  fw::TBitmap* Picture() const { return fBmp.get(); }
  const fw::TRect& MonitorRect() const { return FMonitorRect; }
  // The prompt while it is shown, else null.
  TfrmPosition* Prompt() const { return FPrompt; }

  unsigned M = 0;

 protected:
  void CreateWnd() override;
  void FormCreate(fw::TObject* Sender);
  void FormShow(fw::TObject* Sender);
  void FormActivate(fw::TObject* Sender);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void FormDestroy(fw::TObject* Sender);

 private:
  void FreePrompt();
  std::unique_ptr<fw::TBitmap> fBmp;
  fw::TRect FMonitorRect;
  TfrmPosition* FPrompt = nullptr;
};

}  // namespace capture
