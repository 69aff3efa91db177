#include "fw/system/timers.h"

#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"

namespace fw {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& Value) {
  FOnTimer = Value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FRunning) {
    KillTimer(FWindowHandle, 1);
    FRunning = false;
  }
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
  if (FInterval != 0 && FEnabled && FOnTimer && FWindowHandle) {
    if (!SetTimer(FWindowHandle, 1, FInterval, nullptr)) throw EOutOfResources(u"Not enough timers available");
    FRunning = true;
  }
}

void TTimer::Timer() { FOnTimer(this); }

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
    return;
  }
  DefaultUtilityHandler(FWindowHandle, Message);
}

FW_REGISTER(TTimer) {
  c.Property(u"Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  c.Property(u"Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  c.Property(u"OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

}  // namespace fw
