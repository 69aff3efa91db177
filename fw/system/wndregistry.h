// The one registry that maps window handles to the framework objects behind
// them, utility windows bound to a method, and chained replacement of the
// window procedure of windows the framework does not own.
#pragma once

#include <windows.h>

#include "fw/system/messages.h"

namespace fw {

class TWinControl;

// Binds a control's window to it (done when the window is created) and drops
// the binding (done at WM_NCDESTROY or before the control destroys the
// window).
void RegisterControlWindow(HWND wnd, TWinControl* control);
void UnregisterControlWindow(HWND wnd);
// The control behind a window, or nullptr.
TWinControl* FindControl(HWND wnd);
// The control behind a window or behind its nearest ancestor window.
TWinControl* FindOwningControl(HWND wnd);

// A hidden top-level window whose messages go to method; DefWindowProc
// answers whatever the method leaves with Result 0 only when it is a message
// the method passes on by calling DefaultUtilityHandler.
HWND AllocateHWnd(const TWndMethod& method);
void DeallocateHWnd(HWND wnd);
// The default answer for a utility window's message.
void DefaultUtilityHandler(HWND wnd, TMessage& message);

// Replaces the window procedure of a foreign window and returns the one it
// replaced; the new procedure must pass what it does not handle on to that
// one with CallWindowProcW.
WNDPROC ReplaceWindowProc(HWND wnd, WNDPROC newProc);
// Puts previous back only when ours is still the window's procedure, so a
// procedure installed over ours by someone else is never clobbered. Returns
// whether it restored.
bool RestoreWindowProc(HWND wnd, WNDPROC ours, WNDPROC previous);

}  // namespace fw
