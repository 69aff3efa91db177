// The canvas a control paints on. During a paint it is bound to the DC the
// paint message brings; outside a paint, asking for its handle gives a DC of
// the control's window (a graphic control's parent window, moved to the
// control's origin and clipped to it), released when the canvas lets go.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"

namespace fw {

class TControl;

class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : FControl(control) {}
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  // Gives back a DC this canvas took itself.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl;
  HWND FWindow = nullptr;
  HDC FOwnDC = nullptr;
};

}  // namespace fw
