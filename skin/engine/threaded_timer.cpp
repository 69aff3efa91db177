#include "skin/engine/threaded_timer.h"

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/system/application.h"

namespace skin {

namespace {

bool ApplicationTerminating() { return fw::Application && fw::Application->Terminated(); }

DWORD SystemWait(DWORD Count, const HANDLE* Handles, DWORD Milliseconds) {
  return WaitForMultipleObjects(Count, Handles, FALSE, Milliseconds);
}

}  // namespace

std::atomic<TTimerWait> TimerWait{&SystemWait};

TkcTimerThread::TkcTimerThread(TkcThreadedTimer* OwnerTimer) : fw::TThread(true), FOwnerTimer(OwnerTimer) {
  FTimeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  FWakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!FTimeEvent || !FWakeEvent) {
    if (FTimeEvent) CloseHandle(FTimeEvent);
    if (FWakeEvent) CloseHandle(FWakeEvent);
    throw fw::EOSError(u"Timer event creation error");
  }
}

TkcTimerThread::~TkcTimerThread() {
  // The base destructor would wait for a running worker; it must not be
  // left waiting on an event that is already closed.
  SignalStop();
  if (!Finished() && GetCurrentThreadId() != ThreadID()) {
    Terminate();
    if (Suspended()) Start();
    WaitFor();
  }
  CloseHandle(FTimeEvent);
  CloseHandle(FWakeEvent);
}

void TkcTimerThread::SetInterval(DWORD Value) {
  FInterval = Value;
  SetEvent(FWakeEvent);
}

void TkcTimerThread::SetActive(bool Value) {
  if (FActive.exchange(Value) != Value) SetEvent(FWakeEvent);
}

void TkcTimerThread::SignalStop() { SetEvent(FTimeEvent); }

void TkcTimerThread::Execute() {
  HANDLE events[2] = {FTimeEvent, FWakeEvent};
  while (!Terminated()) {
    DWORD wait = FActive ? FInterval.load() : INFINITE;
    DWORD r = TimerWait.load()(2, events, wait);
    if (r == WAIT_OBJECT_0 + 1) continue;  // start the wait again with the new state
    if (r != WAIT_TIMEOUT) break;          // stopped, or the wait failed
    bool goOn = false;
    Synchronize([&] { goOn = DoTimer(); });
    if (!goOn) break;
  }
}

bool TkcTimerThread::DoTimer() {
  TkcThreadedTimer* timer = FOwnerTimer;
  if (!timer || ApplicationTerminating()) return false;
  // A tick that was already waiting when the timer went inactive is dropped.
  if (!timer->Active()) return true;
  timer->FInTick = true;
  timer->FireTimer();
  // The handler may have freed or reset the timer; then it detached us.
  if (!FOwnerTimer) return false;
  timer->FInTick = false;
  return true;
}

TkcThreadedTimer::TkcThreadedTimer(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  if (ApplicationTerminating()) return;
  FEnabled = true;
  FInterval = 1000;
  StartThread();
}

TkcThreadedTimer::TkcThreadedTimer(fw::TComponent* AOwner, bool BindHandler) : TkcThreadedTimer(AOwner) {
  SetEnabled(false);
  if (BindHandler) SetOnTimer(fw::TNotifyEvent(this, &TkcThreadedTimer::HandleOwnTimer));
}

TkcThreadedTimer::~TkcThreadedTimer() { StopThread(); }

void TkcThreadedTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateThreadState();
}

void TkcThreadedTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  if (FTimerThread) {
    FTimerThread->SetInterval(Value);
    UpdateThreadState();
  }
}

void TkcThreadedTimer::SetThreadPriority(fw::TThreadPriority Value) {
  if (Value == FThreadPriority) return;
  FThreadPriority = Value;
  if (FTimerThread) FTimerThread->SetPriority(Value);
  UpdateThreadState();
}

void TkcThreadedTimer::SetOnTimer(const fw::TNotifyEvent& Value) {
  FOnTimer = Value;
  UpdateThreadState();
}

void TkcThreadedTimer::Reset() {
  if (!FTimerThread) return;
  StopThread();
  StartThread();
  UpdateThreadState();
}

void TkcThreadedTimer::FireTimer() {
  if (FOnTimer) FOnTimer(this);
}

void TkcThreadedTimer::HandleOwnTimer(fw::TObject*) { TimeHandler(); }

void TkcThreadedTimer::StartThread() {
  auto* thread = new TkcTimerThread(this);
  thread->SetInterval(FInterval);
  thread->SetPriority(FThreadPriority);
  FTimerThread = thread;
  thread->Start();
}

void TkcThreadedTimer::StopThread() {
  TkcTimerThread* thread = FTimerThread;
  if (!thread) return;
  FTimerThread = nullptr;
  thread->Detach();
  thread->SignalStop();
  if (FInTick) {
    // Called from our own tick: the worker is waiting for this handler to
    // return, so it cannot be waited for here. It ends after the handler
    // and frees itself.
    FInTick = false;
    thread->SetFreeOnTerminate(true);
    return;
  }
  // Waiting serves a tick the worker may be handing over meanwhile; the
  // detached thread drops it.
  delete thread;
}

void TkcThreadedTimer::UpdateThreadState() {
  if (FTimerThread) FTimerThread->SetActive(Active());
}

FW_REGISTER(TkcTimerThread) {}
FW_REGISTER(TkcThreadedTimer) {
  c.Property(u"Enabled", &TkcThreadedTimer::Enabled, &TkcThreadedTimer::SetEnabled).Default(true);
  c.Property(u"Interval", &TkcThreadedTimer::Interval, &TkcThreadedTimer::SetInterval).Default(1000);
  c.Property(u"ThreadPriority", &TkcThreadedTimer::ThreadPriority, &TkcThreadedTimer::SetThreadPriority);
  c.Property(u"OnTimer", &TkcThreadedTimer::OnTimer, &TkcThreadedTimer::SetOnTimer);
}

}  // namespace skin
