#include "fw/platform/system_function.h"

namespace fw {

FARPROC SystemProcAddress(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace fw
