// Optional system functions looked up by name once, at their first use.
#pragma once

#include <windows.h>
// After windows.h:
#include <nb30.h>

#include "fw/core/types.h"

namespace services {

// Looks ProcName up in ModuleName (loading the module when it is not
// loaded, without the system's error box) unless Pointer is already set.
// Raises EUclError "Library not found: %s" or "Function not found: %s.%s".
void GetFunctionOnce(FARPROC& Pointer, const fw::String& ModuleName, const char* ProcName);

// The late-bound system functions of the program, called through a pointer
// looked up at the first call.
UCHAR UclNetbios(PNCB Ncb);
BOOL UclProcessIdToSessionId(DWORD ProcessId, DWORD* SessionId);
BOOL UclGlobalMemoryStatusEx(MEMORYSTATUSEX* Buffer);

}  // namespace services
