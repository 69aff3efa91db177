// The click window of the object capture: it covers one monitor without
// painting (the live screen stays visible through it), keeps a frozen
// picture of that monitor, and ends at the release of any button; the
// component then takes the window under that point.
#pragma once

#include "capture/click_form.h"

namespace capture {

// The monitor the next object window covers (as the component's MonitorNum).
extern int CaptureObjectMonitorNum;

// The cursor the object window puts in the screen's cursor table.
constexpr fw::TCursor crPickWindow = -18;

class TCaptureObjectForm : public TCaptureClickForm {
  FW_CLASS(TCaptureObjectForm, TCaptureClickForm)
  explicit TCaptureObjectForm(fw::TComponent* AOwner);
  ~TCaptureObjectForm() override;

  // Where the button was released (screen coordinates).
  const fw::TPoint& ClickPos() const { return FClickPos; }

 protected:
  void FormCreate(fw::TObject* Sender);
  void FormShow(fw::TObject* Sender);
  void FormActivate(fw::TObject* Sender);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void FormDestroy(fw::TObject* Sender);

 private:
  fw::TPoint FClickPos;
  HCURSOR FOldCursor = nullptr;
  bool FCursorSet = false;
};

}  // namespace capture
