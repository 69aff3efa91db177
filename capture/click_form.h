// What the click windows (object and desktop capture) share: the window
// covers one monitor without painting, so the live screen stays visible
// through it while it still receives the mouse, and keeps a frozen picture
// of that monitor.
#pragma once

#include <memory>

#include "capture/selection_form.h"
#include "fw/graphics/graphics.h"

namespace capture {

class TCaptureClickForm : public TCaptureSelectionForm {
  FW_CLASS(TCaptureClickForm, TCaptureSelectionForm)
  explicit TCaptureClickForm(fw::TComponent* AOwner);
  ~TCaptureClickForm() override;

  fw::TBitmap* Picture() const { return fBmp.get(); }
  const fw::TRect& MonitorRect() const { return FMonitorRect; }

  // The monitor the window covers.
  unsigned M = 0;

 protected:
  void CreateWnd() override;
  // Picks the monitor for MonitorNum (as the component's MonitorNum) and
  // its bounds.
  void ChooseMonitorArea(int MonitorNum);

  std::unique_ptr<fw::TBitmap> fBmp;
  fw::TRect FMonitorRect;
};

// Makes a window nearly transparent: the screen under it stays visible while
// the window still receives the mouse.
void MakeSeeThrough(HWND Wnd);

}  // namespace capture
