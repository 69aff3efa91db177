// Thin classes over the kernel's synchronisation objects, and the optex: a
// re-entrant lock that spins before it blocks and that processes share by
// name.
#pragma once

#include <windows.h>

#include "fw/core/types.h"

namespace services {

enum TUclWaitResult { wrAbandoned, wrError, wrIoCompletion, wrSignaled, wrTimeout };

// The wait functions' answer as a wait result.
TUclWaitResult WaitResultOf(DWORD Code);

class TUclDispatcherObject {
 public:
  virtual ~TUclDispatcherObject();
  TUclDispatcherObject(const TUclDispatcherObject&) = delete;
  TUclDispatcherObject& operator=(const TUclDispatcherObject&) = delete;

  // Wraps a handle made elsewhere (and closes it at the end).
  static TUclDispatcherObject* Attach(HANDLE AHandle);

  TUclWaitResult WaitFor(DWORD TimeOut);
  TUclWaitResult WaitForever() { return WaitFor(INFINITE); }
  TUclWaitResult WaitAlertable(DWORD TimeOut);
  // Signals Obj and waits on this object in one step.
  TUclWaitResult SignalAndWait(TUclDispatcherObject& Obj, DWORD TimeOut, bool Alertable);

  bool Existed() const { return FExisted; }
  HANDLE Handle() const { return FHandle; }
  const fw::String& Name() const { return FName; }

 protected:
  TUclDispatcherObject() = default;
  bool FExisted = false;
  HANDLE FHandle = nullptr;
  fw::String FName;
};

class TUclEvent : public TUclDispatcherObject {
 public:
  // CreateEventW; raises EUclEventError "Failed to create event".
  TUclEvent(LPSECURITY_ATTRIBUTES SecAttr, bool Manual, bool Signaled, const fw::String& Name);
  // OpenEventW; raises EUclEventError "Failed to open event".
  static TUclEvent* Open(DWORD Access, bool Inheritable, const fw::String& Name);
  bool SetEvent();
  bool ResetEvent();
  bool Pulse();

 private:
  TUclEvent() = default;
};

class TUclMutex : public TUclDispatcherObject {
 public:
  // CreateMutexW; raises EUclMutexError "Failed to create mutex".
  TUclMutex(LPSECURITY_ATTRIBUTES SecAttr, bool InitialOwner, const fw::String& Name);
  // OpenMutexW; raises EUclMutexError "Failed to open mutex".
  static TUclMutex* Open(DWORD Access, bool Inheritable, const fw::String& Name);
  // True when the mutex is ours after the wait, also when its last owner
  // ended without releasing it (the caller must release it then too).
  bool Acquire(DWORD TimeOut = INFINITE) {
    const TUclWaitResult result = WaitFor(TimeOut);
    return result == wrSignaled || result == wrAbandoned;
  }
  bool Release() { return ReleaseMutex(FHandle) != 0; }

 private:
  TUclMutex() = default;
};

class TUclCriticalSection {
 public:
  TUclCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TUclCriticalSection() { DeleteCriticalSection(&FSection); }
  TUclCriticalSection(const TUclCriticalSection&) = delete;
  TUclCriticalSection& operator=(const TUclCriticalSection&) = delete;
  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }
  // Makes CS when it is still empty (a thread that loses the race frees its
  // own) and enters it.
  static void CreateAndEnter(TUclCriticalSection*& CS);

 private:
  CRITICAL_SECTION FSection;
};

// The state an optex shares between its users: 16 bytes in a named mapping
// for a named optex, in process memory otherwise.
struct TOptexSharedInfo {
  volatile LONG SpinCount;
  volatile LONG LockCount;  // 0 free, else 1 + waiters + re-entries
  volatile LONG ThreadId;   // the owner, 0 when free
  volatile LONG RecursionCount;
};

class TUclOptex {
 public:
  // An empty name makes a lock of this process only. SpinCount < 0 means
  // 4000; spinning happens only on machines with more than one processor.
  TUclOptex(const fw::String& Name = fw::String(), int SpinCount = 4000);
  ~TUclOptex();
  TUclOptex(const TUclOptex&) = delete;
  TUclOptex& operator=(const TUclOptex&) = delete;

  void Enter();
  void Leave();
  bool TryEnter();

  bool Existed() const { return FExisted; }
  const fw::String& Name() const { return FName; }
  int SpinCount() const { return FSharedInfo->SpinCount; }
  void SetSpinCount(int Value);
  bool UniProcess() const { return FFileMapping == nullptr; }

 private:
  bool TakeOverFromEndedOwner(LONG Self);

  TUclEvent* FEvent = nullptr;
  bool FExisted = false;
  HANDLE FFileMapping = nullptr;
  fw::String FName;
  TOptexSharedInfo* FSharedInfo = nullptr;
};

// Holds an optex for a scope.
class TOptexLock {
 public:
  explicit TOptexLock(TUclOptex& Optex) : FOptex(Optex) { FOptex.Enter(); }
  ~TOptexLock() { FOptex.Leave(); }
  TOptexLock(const TOptexLock&) = delete;
  TOptexLock& operator=(const TOptexLock&) = delete;

 private:
  TUclOptex& FOptex;
};

}  // namespace services
