#include "services/uclwin32.h"

#include <atomic>

#include "services/uclbase.h"
#include "services/uclsysutils.h"

namespace services {

void GetFunctionOnce(FARPROC& Pointer, const fw::String& ModuleName, const char* ProcName) {
  if (Pointer) return;
  HMODULE module = GetModuleHandleW(W(ModuleName));
  if (!module && !LoadModuleOnce(module, ModuleName)) throw EUclError(u"Library not found: " + ModuleName);
  FARPROC found = GetProcAddress(module, ProcName);
  if (!found) {
    fw::String name;
    for (const char* p = ProcName; *p; ++p) name.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
    throw EUclError(u"Function not found: " + ModuleName + u"." + name);
  }
  // Threads that race here find the same address; the last store wins.
  std::atomic_ref<FARPROC>(Pointer).store(found);
}

namespace {

template <class F>
F Resolve(FARPROC& Pointer, const char16_t* Module, const char* Name) {
  GetFunctionOnce(Pointer, Module, Name);
  return reinterpret_cast<F>(Pointer);
}

FARPROC gProcessIdToSessionId = nullptr;
FARPROC gGlobalMemoryStatusEx = nullptr;

}  // namespace

BOOL UclProcessIdToSessionId(DWORD ProcessId, DWORD* SessionId) {
  using F = BOOL(WINAPI*)(DWORD, DWORD*);
  return Resolve<F>(gProcessIdToSessionId, u"kernel32.dll", "ProcessIdToSessionId")(ProcessId, SessionId);
}

BOOL UclGlobalMemoryStatusEx(MEMORYSTATUSEX* Buffer) {
  using F = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  return Resolve<F>(gGlobalMemoryStatusEx, u"kernel32.dll", "GlobalMemoryStatusEx")(Buffer);
}

}  // namespace services
