// A hidden utility window of a class of its own name, so that other
// programs can find it by its class (the application's window, the
// single-instance window); its messages go to a method like AllocateHWnd's.
#pragma once

#include <windows.h>

#include "fw/system/messages.h"

namespace fw {

// The class is registered once per name, with the utility windows'
// procedure; DeallocateHWnd destroys the window.
HWND AllocateNamedHWnd(const TWndMethod& method, const wchar_t* className);

}  // namespace fw
