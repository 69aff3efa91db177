// A timer component: OnTimer every Interval milliseconds while Enabled.
#pragma once

#include <windows.h>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/system/messages.h"

namespace fw {

class TTimer : public TComponent {
  FW_CLASS(TTimer, TComponent)
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TNotifyEvent OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& Value);

  TNotifyEvent FOnTimer;

 protected:
  virtual void Timer();
  void Loaded() override;

 private:
  void UpdateTimer();
  void WndProc(TMessage& Message);
  bool FEnabled = true;
  unsigned FInterval = 1000;
  HWND FWindowHandle = nullptr;
  bool FRunning = false;
};

}  // namespace fw
