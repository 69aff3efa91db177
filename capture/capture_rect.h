// The rubber-band rectangle window: the user drags a rectangle over the
// frozen picture of one monitor; the release ends the selection.
#pragma once

#include "capture/capture_box.h"

namespace capture {

// The monitor the next rectangle window covers (as the capture component's
// MonitorNum: below 0 or beyond the last monitor means the one nearest the
// cursor). Read when the window is created.
extern int CaptureRectMonitorNum;

class TCaptureRectForm : public TCaptureBoxForm {
  FW_CLASS(TCaptureRectForm, TCaptureBoxForm)
  explicit TCaptureRectForm(fw::TComponent* AOwner);

  // Screen coordinates to coordinates in the selected bitmap.
  int ScreenToBitmapX(int SX) const { return SX - FMonitorRect.Left - fRect.Left; }
  int ScreenToBitmapY(int SY) const { return SY - FMonitorRect.Top - fRect.Top; }

  // Index of the monitor covered.
  unsigned M = 0;

 protected:
  void FormCreate(fw::TObject* Sender);
  void FormMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void FormMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
};

}  // namespace capture
