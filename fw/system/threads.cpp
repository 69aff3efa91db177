#include "fw/system/threads.h"

#include <deque>
#include <mutex>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/platform/system_function.h"
#include "fw/system/application.h"

namespace fw {

namespace {

const DWORD gMainThreadID = GetCurrentThreadId();

struct SyncRequest {
  const TThreadMethod* method;
  HANDLE done;
  std::exception_ptr error;
};

std::mutex gSyncLock;
std::deque<SyncRequest*> gSyncQueue;
// Set whenever a request is queued, so that WaitFor in the main thread
// wakes up for it.
HANDLE SyncEvent() {
  static HANDLE e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  return e;
}

const int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                           THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL,
                           THREAD_PRIORITY_HIGHEST,      THREAD_PRIORITY_TIME_CRITICAL};

}  // namespace

DWORD MainThreadID() { return gMainThreadID; }

bool CheckSynchronize(int Timeout) {
  if (GetCurrentThreadId() != gMainThreadID)
    throw EInvalidOperation(u"CheckSynchronize called from a thread that is not the main thread");
  if (Timeout > 0) {
    bool empty;
    {
      std::lock_guard lock(gSyncLock);
      empty = gSyncQueue.empty();
    }
    if (empty) WaitForSingleObject(SyncEvent(), static_cast<DWORD>(Timeout));
  }
  bool ran = false;
  for (;;) {
    SyncRequest* r;
    {
      std::lock_guard lock(gSyncLock);
      if (gSyncQueue.empty()) break;
      r = gSyncQueue.front();
      gSyncQueue.pop_front();
    }
    try {
      (*r->method)();
    } catch (...) {
      r->error = std::current_exception();
    }
    ran = true;
    SetEvent(r->done);
  }
  return ran;
}

TThread::TThread(bool CreateSuspended) {
  FSuspended = true;
  FHandle = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) throw EOSError(u"Thread creation error: " + Utf8ToString(std::to_string(GetLastError())));
  if (!CreateSuspended) Start();
}

TThread::~TThread() {
  if (FHandle && !FFinished && GetCurrentThreadId() != FThreadID) {
    Terminate();
    if (FSuspended) Start();
    WaitFor();
  }
  if (FHandle) CloseHandle(FHandle);
}

void TThread::Start() {
  if (!FSuspended) return;
  FSuspended = false;
  ResumeThread(FHandle);
}

void TThread::Terminate() { FTerminated = true; }

int TThread::WaitFor() {
  if (GetCurrentThreadId() == gMainThreadID) {
    HANDLE handles[2] = {FHandle, SyncEvent()};
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
      } else if (r == WAIT_OBJECT_0 + 2) {
        // Sent messages are delivered by peeking.
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
      } else {
        break;
      }
    }
    CheckSynchronize();
  } else {
    WaitForSingleObject(FHandle, INFINITE);
  }
  return FReturnValue;
}

TThreadPriority TThread::Priority() const {
  int p = GetThreadPriority(FHandle);
  for (int i = 0; i < 7; ++i)
    if (kPriorities[i] == p) return static_cast<TThreadPriority>(i);
  return tpNormal;
}

void TThread::SetPriority(TThreadPriority Value) { SetThreadPriority(FHandle, kPriorities[Value]); }

void TThread::Synchronize(TThread*, const TThreadMethod& Method) {
  if (GetCurrentThreadId() == gMainThreadID) {
    Method();
    return;
  }
  SyncRequest r{&Method, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
  {
    std::lock_guard lock(gSyncLock);
    gSyncQueue.push_back(&r);
  }
  SetEvent(SyncEvent());
  if (Application && Application->Handle()) PostMessageW(Application->Handle(), WM_NULL, 0, 0);
  WaitForSingleObject(r.done, INFINITE);
  CloseHandle(r.done);
  if (r.error) std::rethrow_exception(r.error);
}

void TThread::NameThreadForDebugging(const std::string& Name, DWORD ThreadID) {
  using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  static const auto fn = SystemFunction<SetDescription>(L"kernel32.dll", "SetThreadDescription");
  if (!fn) return;
  HANDLE h = ThreadID == static_cast<DWORD>(-1) ? GetCurrentThread()
                                                 : OpenThread(THREAD_SET_LIMITED_INFORMATION, FALSE, ThreadID);
  if (!h) return;
  String name = Utf8ToString(Name);
  fn(h, W(name));
  if (ThreadID != static_cast<DWORD>(-1)) CloseHandle(h);
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

DWORD WINAPI TThread::ThreadProc(LPVOID Param) {
  auto* t = static_cast<TThread*>(Param);
  try {
    if (!t->FTerminated) t->Execute();
  } catch (...) {
    t->FFatalException = std::current_exception();
  }
  bool freeIt = t->FFreeOnTerminate;
  DWORD result = static_cast<DWORD>(t->FReturnValue);
  try {
    t->DoTerminate();
  } catch (...) {
  }
  t->FFinished = true;
  if (freeIt) delete t;
  return result;
}

FW_REGISTER(TThread) {}

}  // namespace fw
