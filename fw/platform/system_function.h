// Functions of system libraries that not every system has (newer Windows
// versions, Wine), looked up by name at run time.
#pragma once

#include <windows.h>

namespace fw {

// The system library `library` ("netapi32.dll"), loading it when the
// process has not, without the system's error box for a missing file; null
// when it cannot be loaded. A library loaded here stays loaded for the run.
HMODULE SystemLibrary(const wchar_t* library);

// The address of the function `name` exported by `library` ("gdi32.dll"),
// loaded as SystemLibrary does; null when either is missing.
FARPROC SystemProcAddress(const wchar_t* library, const char* name);

// The same, as a pointer of the function's type.
template <class TFunction>
TFunction SystemFunction(const wchar_t* library, const char* name) {
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(SystemProcAddress(library, name)));
}

}  // namespace fw
