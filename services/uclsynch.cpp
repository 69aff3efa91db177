#include "services/uclsynch.h"

#include "services/uclbase.h"

namespace services {

namespace {

constexpr int kDefaultSpinCount = 4000;
// How often a thread waiting for an optex looks whether its owner still
// runs: an owner that was killed never leaves.
constexpr DWORD kOwnerCheckInterval = 100;

bool IsMultiProcessor() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 1;
}

// False only when the thread is known to have ended; a thread of another
// account that cannot be opened counts as running.
bool ThreadRunning(DWORD ThreadId) {
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, ThreadId);
  if (!thread) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool running = WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
  CloseHandle(thread);
  return running;
}

const wchar_t* NameOrNull(const fw::String& Name) { return Name.empty() ? nullptr : W(Name); }

}  // namespace

TUclWaitResult WaitResultOf(DWORD Code) {
  switch (Code) {
    case WAIT_OBJECT_0:
      return wrSignaled;
    case WAIT_ABANDONED:
      return wrAbandoned;
    case WAIT_IO_COMPLETION:
      return wrIoCompletion;
    case WAIT_TIMEOUT:
      return wrTimeout;
    default:
      return wrError;
  }
}

// ---- Dispatcher objects

TUclDispatcherObject::~TUclDispatcherObject() {
  if (FHandle) CloseHandle(FHandle);
}

TUclDispatcherObject* TUclDispatcherObject::Attach(HANDLE AHandle) {
  auto* object = new TUclDispatcherObject();
  object->FHandle = AHandle;
  object->FExisted = true;
  return object;
}

TUclWaitResult TUclDispatcherObject::WaitFor(DWORD TimeOut) {
  return WaitResultOf(WaitForSingleObject(FHandle, TimeOut));
}

TUclWaitResult TUclDispatcherObject::WaitAlertable(DWORD TimeOut) {
  return WaitResultOf(WaitForSingleObjectEx(FHandle, TimeOut, TRUE));
}

TUclWaitResult TUclDispatcherObject::SignalAndWait(TUclDispatcherObject& Obj, DWORD TimeOut, bool Alertable) {
  return WaitResultOf(SignalObjectAndWait(Obj.FHandle, FHandle, TimeOut, Alertable));
}

TUclEvent::TUclEvent(LPSECURITY_ATTRIBUTES SecAttr, bool Manual, bool Signaled, const fw::String& Name) {
  FName = Name;
  FHandle = CreateEventW(SecAttr, Manual, Signaled, NameOrNull(Name));
  if (!FHandle) throw EUclEventError(u"Failed to create event");
  FExisted = GetLastError() == ERROR_ALREADY_EXISTS;
}

TUclEvent* TUclEvent::Open(DWORD Access, bool Inheritable, const fw::String& Name) {
  HANDLE handle = OpenEventW(Access, Inheritable, W(Name));
  if (!handle) throw EUclEventError(u"Failed to open event");
  auto* event = new TUclEvent();
  event->FHandle = handle;
  event->FName = Name;
  event->FExisted = true;
  return event;
}

bool TUclEvent::SetEvent() { return ::SetEvent(FHandle) != 0; }
bool TUclEvent::ResetEvent() { return ::ResetEvent(FHandle) != 0; }
bool TUclEvent::Pulse() { return PulseEvent(FHandle) != 0; }

TUclMutex::TUclMutex(LPSECURITY_ATTRIBUTES SecAttr, bool InitialOwner, const fw::String& Name) {
  FName = Name;
  FHandle = CreateMutexW(SecAttr, InitialOwner, NameOrNull(Name));
  if (!FHandle) throw EUclMutexError(u"Failed to create mutex");
  FExisted = GetLastError() == ERROR_ALREADY_EXISTS;
}

TUclMutex* TUclMutex::Open(DWORD Access, bool Inheritable, const fw::String& Name) {
  HANDLE handle = OpenMutexW(Access, Inheritable, W(Name));
  if (!handle) throw EUclMutexError(u"Failed to open mutex");
  auto* mutex = new TUclMutex();
  mutex->FHandle = handle;
  mutex->FName = Name;
  mutex->FExisted = true;
  return mutex;
}

void TUclCriticalSection::CreateAndEnter(TUclCriticalSection*& CS) {
  if (!__atomic_load_n(&CS, __ATOMIC_ACQUIRE)) {
    auto* made = new TUclCriticalSection();
    TUclCriticalSection* expected = nullptr;
    if (!__atomic_compare_exchange_n(&CS, &expected, made, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) delete made;
  }
  CS->Enter();
}

// ---- Optex

TUclOptex::TUclOptex(const fw::String& Name, int SpinCount) : FName(Name) {
  if (!Name.empty()) {
    FEvent = new TUclEvent(nullptr, false, false, u"Optex_Event_" + Name);
    FExisted = FEvent->Existed();
    const fw::String mappingName = u"Optex_MMF_" + Name;
    FFileMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TOptexSharedInfo),
                                      W(mappingName));
    void* view = FFileMapping ? MapViewOfFile(FFileMapping, FILE_MAP_WRITE, 0, 0, 0) : nullptr;
    if (!view) {
      // Without its shared state the lock would guard nothing.
      EUclFileMappingError error(u"Failed to create FileMapping");
      if (FFileMapping) CloseHandle(FFileMapping);
      delete FEvent;
      throw error;
    }
    FSharedInfo = static_cast<TOptexSharedInfo*>(view);
  } else {
    FEvent = new TUclEvent(nullptr, false, false, fw::String());
    FSharedInfo = new TOptexSharedInfo{};
  }
  SetSpinCount(SpinCount);
}

TUclOptex::~TUclOptex() {
  delete FEvent;
  if (FFileMapping) {
    UnmapViewOfFile(FSharedInfo);
    CloseHandle(FFileMapping);
  } else {
    delete FSharedInfo;
  }
}

void TUclOptex::SetSpinCount(int Value) {
  if (!IsMultiProcessor()) return;
  InterlockedExchange(&FSharedInfo->SpinCount, Value < 0 ? kDefaultSpinCount : Value);
}

bool TUclOptex::TryEnter() {
  const LONG self = static_cast<LONG>(GetCurrentThreadId());
  LONG spins = FSharedInfo->SpinCount;
  do {
    if (InterlockedCompareExchange(&FSharedInfo->LockCount, 1, 0) == 0) {
      FSharedInfo->ThreadId = self;
      FSharedInfo->RecursionCount = 1;
      return true;
    }
    if (FSharedInfo->ThreadId == self) {
      InterlockedIncrement(&FSharedInfo->LockCount);
      ++FSharedInfo->RecursionCount;
      return true;
    }
    --spins;
  } while (spins > 0);
  return false;
}

void TUclOptex::Enter() {
  if (TryEnter()) return;
  const LONG self = static_cast<LONG>(GetCurrentThreadId());
  if (InterlockedIncrement(&FSharedInfo->LockCount) != 1) {
    if (FSharedInfo->ThreadId == self) {
      ++FSharedInfo->RecursionCount;
      return;
    }
    for (;;) {
      if (FEvent->WaitFor(kOwnerCheckInterval) == wrSignaled) break;
      if (TakeOverFromEndedOwner(self)) return;
    }
  }
  FSharedInfo->ThreadId = self;
  FSharedInfo->RecursionCount = 1;
}

// An owner that ended without leaving (its process was killed) would block
// every other user for good: one waiter takes the lock over and removes the
// owner's share of the lock count.
bool TUclOptex::TakeOverFromEndedOwner(LONG Self) {
  const LONG owner = FSharedInfo->ThreadId;
  if (owner == 0 || owner == Self || ThreadRunning(static_cast<DWORD>(owner))) return false;
  if (InterlockedCompareExchange(&FSharedInfo->ThreadId, Self, owner) != owner) return false;
  const LONG ownerEntries = FSharedInfo->RecursionCount;
  if (ownerEntries > 0) InterlockedExchangeAdd(&FSharedInfo->LockCount, -ownerEntries);
  FSharedInfo->RecursionCount = 1;
  return true;
}

void TUclOptex::Leave() {
  if (--FSharedInfo->RecursionCount > 0) {
    InterlockedDecrement(&FSharedInfo->LockCount);
    return;
  }
  FSharedInfo->ThreadId = 0;
  if (InterlockedDecrement(&FSharedInfo->LockCount) > 0) FEvent->SetEvent();
}

}  // namespace services
