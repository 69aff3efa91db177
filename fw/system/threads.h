// Threads with cooperative termination, and Synchronize: a call that a
// worker hands to the main thread and waits for.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "fw/core/events.h"
#include "fw/core/object.h"
#include "fw/core/typeinfo.h"

namespace fw {

FW_ENUM(TThreadPriority, tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical)

using TThreadMethod = std::function<void()>;

class TThread : public TObject {
  FW_CLASS(TThread, TObject)

  // The thread runs Execute at once unless created suspended (then Start).
  explicit TThread(bool CreateSuspended = false);
  // Asks a running thread to end and waits for it.
  ~TThread() override;

  void Start();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  bool Suspended() const { return FSuspended; }
  // Waits for the end of the thread, running calls it hands to the main
  // thread meanwhile; returns ReturnValue.
  int WaitFor();
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority Value);
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  int ReturnValue() const { return FReturnValue; }
  // An exception that ended Execute, or null.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs Method in the main thread and waits for it; an exception it raises
  // is raised again in the calling thread. Called in the main thread, it
  // runs Method directly.
  void Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }
  static void Synchronize(TThread* Thread, const TThreadMethod& Method);
  // Names a thread for debuggers (the calling one when ThreadID is -1).
  static void NameThreadForDebugging(const std::string& Name, DWORD ThreadID = static_cast<DWORD>(-1));

  // Fired in the main thread after Execute ends.
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  void SetReturnValue(int Value) { FReturnValue = Value; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID Param);
  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  volatile bool FTerminated = false;
  volatile bool FFinished = false;
  bool FSuspended = false;
  bool FFreeOnTerminate = false;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// Runs the calls that workers handed to the main thread; true when one ran.
// The message loop calls it; Timeout waits that long for a first call.
bool CheckSynchronize(int Timeout = 0);
// The thread the framework was started in.
DWORD MainThreadID();

}  // namespace fw
