#include "fw/platform/system_function.h"

namespace fw {

HMODULE SystemLibrary(const wchar_t* library) {
  HMODULE module = GetModuleHandleW(library);
  if (module) return module;
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  module = LoadLibraryW(library);
  SetErrorMode(previous);
  return module;
}

FARPROC SystemProcAddress(const wchar_t* library, const char* name) {
  HMODULE module = SystemLibrary(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace fw
