#include "services/uclwin32.h"

#include <atomic>

#include "fw/platform/system_function.h"
#include "services/uclbase.h"

namespace services {

void GetFunctionOnce(FARPROC& Pointer, const fw::String& ModuleName, const char* ProcName) {
  if (std::atomic_ref<FARPROC>(Pointer).load()) return;
  if (!fw::SystemLibrary(W(ModuleName))) throw EUclError(u"Library not found: " + ModuleName);
  FARPROC found = fw::SystemProcAddress(W(ModuleName), ProcName);
  if (!found) throw EUclError(u"Function not found: " + ModuleName + u"." + fw::Utf8ToString(ProcName));
  // Threads that race here find the same address; the last store wins.
  std::atomic_ref<FARPROC>(Pointer).store(found);
}

namespace {

template <class F>
F Resolve(FARPROC& Pointer, const char16_t* Module, const char* Name) {
  GetFunctionOnce(Pointer, Module, Name);
  return reinterpret_cast<F>(reinterpret_cast<void*>(Pointer));
}

FARPROC gNetbios = nullptr;
FARPROC gProcessIdToSessionId = nullptr;
FARPROC gGlobalMemoryStatusEx = nullptr;

}  // namespace

UCHAR UclNetbios(PNCB Ncb) {
  using F = UCHAR(WINAPI*)(PNCB);
  return Resolve<F>(gNetbios, u"netapi32.dll", "Netbios")(Ncb);
}

BOOL UclProcessIdToSessionId(DWORD ProcessId, DWORD* SessionId) {
  using F = BOOL(WINAPI*)(DWORD, DWORD*);
  return Resolve<F>(gProcessIdToSessionId, u"kernel32.dll", "ProcessIdToSessionId")(ProcessId, SessionId);
}

BOOL UclGlobalMemoryStatusEx(MEMORYSTATUSEX* Buffer) {
  using F = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  return Resolve<F>(gGlobalMemoryStatusEx, u"kernel32.dll", "GlobalMemoryStatusEx")(Buffer);
}

}  // namespace services
