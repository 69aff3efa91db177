// A timer whose ticks come from a worker thread rather than the message
// queue's timer, so that animations keep an even pace while the user
// interface is busy painting. The worker only waits; every tick is handed
// to the main thread through fw::TThread::Synchronize, so the handler
// always runs there and may paint.
#pragma once

#include <windows.h>

#include <atomic>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/system/threads.h"

namespace skin {

class TkcThreadedTimer;

// How a timer's worker waits for its events with a timeout
// (WaitForMultipleObjects, waiting for any one, by default); tests put a
// clock of their own here.
using TTimerWait = DWORD (*)(DWORD Count, const HANDLE* Handles, DWORD Milliseconds);
extern std::atomic<TTimerWait> TimerWait;

// The worker of one timer. It owns its events, so that a timer freed by its
// own tick handler can leave the thread to end and free itself.
class TkcTimerThread : public fw::TThread {
  FW_CLASS(TkcTimerThread, fw::TThread)

  explicit TkcTimerThread(TkcThreadedTimer* OwnerTimer);
  ~TkcTimerThread() override;

  // The wait between ticks in milliseconds; read by the worker at each wait.
  void SetInterval(DWORD Value);
  // An inactive worker waits without ticking until it is made active again.
  void SetActive(bool Value);
  // Ends the worker's wait and its loop (the thread is not waited for).
  void SignalStop();
  // Forgets the timer: later ticks do nothing and end the loop.
  void Detach() { FOwnerTimer = nullptr; }

 protected:
  void Execute() override;

 private:
  // Runs in the main thread; false ends the loop.
  bool DoTimer();

  TkcThreadedTimer* FOwnerTimer;  // touched only in the main thread
  std::atomic<DWORD> FInterval{1000};
  std::atomic<bool> FActive{false};
  HANDLE FTimeEvent;  // manual reset: set once to end the thread
  HANDLE FWakeEvent;  // auto reset: the interval or the active state changed
};

class TkcThreadedTimer : public fw::TComponent {
  FW_CLASS(TkcThreadedTimer, fw::TComponent)

  // Enabled with an interval of 1000 ms and a running worker; while the
  // application terminates: disabled, interval 0 and no worker.
  explicit TkcThreadedTimer(fw::TComponent* AOwner);
  // A disabled timer; with BindHandler its ticks run TimeHandler.
  TkcThreadedTimer(fw::TComponent* AOwner, bool BindHandler);
  ~TkcThreadedTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  fw::TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(fw::TThreadPriority Value);
  const fw::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const fw::TNotifyEvent& Value);

  // Restarts the wait: the next tick comes one full interval from now.
  void Reset();
  // Calls OnTimer with the timer as Sender when it is assigned.
  void FireTimer();
  // True while the worker exists (not for a timer made during termination).
  bool HasThread() const { return FTimerThread != nullptr; }
  // Ticks are delivered only while enabled, with an interval and a handler.
  bool Active() const { return FEnabled && FInterval != 0 && FOnTimer.Assigned(); }

 protected:
  // The tick work of a descendant made with BindHandler.
  virtual void TimeHandler() {}
  // Re-entry guard for a descendant's tick work.
  bool InHandler = false;

 private:
  friend class TkcTimerThread;
  void HandleOwnTimer(fw::TObject* Sender);
  void StartThread();
  void StopThread();
  void UpdateThreadState();

  bool FEnabled = false;
  unsigned FInterval = 0;
  fw::TNotifyEvent FOnTimer;
  TkcTimerThread* FTimerThread = nullptr;
  fw::TThreadPriority FThreadPriority = fw::tpNormal;
  // The tick being handled, so that the handler may free or reset its own
  // timer without waiting for the worker that waits for the handler.
  bool FInTick = false;
};

}  // namespace skin
