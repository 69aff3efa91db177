// The fixed-size box window: a CaptureWidth x CaptureHeight box with
// marching ants follows the mouse over the frozen picture of one monitor;
// the release of the left button captures the box.
#pragma once

#include "capture/capture_box.h"

namespace capture {

// The monitor the next fixed-size window covers (as the component's
// MonitorNum).
extern int CaptureSpecificRectMonitorNum;

class TCaptureSpecificRectForm : public TCaptureBoxForm {
  FW_CLASS(TCaptureSpecificRectForm, TCaptureBoxForm)
  explicit TCaptureSpecificRectForm(fw::TComponent* AOwner);

  // Size of the box; set before the window is shown.
  int CaptureWidth = 0;
  int CaptureHeight = 0;
  unsigned M = 0;

 protected:
  void FormCreate(fw::TObject* Sender);
  void FormShowBox(fw::TObject* Sender);
  void FormMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
};

}  // namespace capture
