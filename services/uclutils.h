// Value and system routines of the component layer: a module's file
// version, a millisecond clock, the application's message box and GUID
// comparison.
#pragma once

#include <windows.h>

#include <cstdint>

#include "fw/core/types.h"

namespace services {

// Major shl 16 or minor of the file version; 0 without version resource.
DWORD FileVersionMS(const fw::String& FileName);
// Milliseconds from the performance counter (GetTickCount when there is
// none); moves every millisecond.
uint64_t MillisecondClock();
// The application's message box (a plain one before there is an
// application); the button pressed.
int AppMessageBox(const fw::String& Caption, const fw::String& Text, UINT Flags);
bool GuidsEqual(const GUID& A, const GUID& B);

}  // namespace services
