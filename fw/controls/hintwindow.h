// The window a hint is shown in. The application creates it from its
// HintWindowClass, so a descendant registered with run-time type
// information can replace it.
#pragma once

#include "fw/controls/controls.h"

namespace fw {

class THintWindow : public TCustomControl {
  FW_CLASS(THintWindow, TCustomControl)
  explicit THintWindow(TComponent* AOwner);

  // The rectangle (at 0, 0) the hint needs, at most MaxWidth wide.
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Shows the hint at Rect (screen coordinates).
  virtual void ActivateHint(const TRect& Rect, const String& AHint);
  virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
  // Hides the window.
  virtual void ReleaseHandle();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};

}  // namespace fw
