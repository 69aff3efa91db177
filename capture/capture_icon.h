// The icon box window: a 32 x 32 box with marching ants follows the mouse
// over the frozen picture of the primary screen (its top-left at the
// cursor); the release of the left button captures the box.
#pragma once

#include "capture/capture_box.h"

namespace capture {

class TCaptureIconForm : public TCaptureBoxForm {
  FW_CLASS(TCaptureIconForm, TCaptureBoxForm)
  explicit TCaptureIconForm(fw::TComponent* AOwner);

  static constexpr int IconSize = 32;

 protected:
  void FormCreate(fw::TObject* Sender);
  void FormMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
};

}  // namespace capture
