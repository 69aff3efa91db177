// System error texts and the exception for failed system calls.
#pragma once

#include <windows.h>

#include "fw/core/exceptions.h"
#include "fw/core/types.h"

namespace fw {

// The system's message text for an error code, without the trailing line
// break; a generic text naming the code when the system has none.
String SysErrorMessage(DWORD code);

// Raises EOSError with the text of GetLastError() (or of code).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD code);

}  // namespace fw
