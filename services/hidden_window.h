// Hidden windows bound to a method, of a class other programs can find.
#pragma once

#include <windows.h>

#include "fw/core/types.h"
#include "fw/system/messages.h"

namespace services {

// A hidden tool window of the class ClassName ("TPUtilWindowEx" when empty)
// whose messages go to Method; fw::DeallocateHWnd destroys it.
HWND CreateHiddenMethodWindow(const fw::String& ClassName, const fw::TWndMethod& Method);

}  // namespace services
