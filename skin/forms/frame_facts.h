// The system facts the frame measurements take, read from the running
// system and from a window.
#pragma once

#include <windows.h>

#include "skin/forms/core/frame_geometry.h"

namespace skin {

// GetSystemMetrics, read once and kept for the run.
const TkSystemFrameMetrics& SystemFrameMetrics();

// The window's style, state and rectangles; the border style and the rest
// come from the caller.
TkFormFrameFacts WindowFrameFacts(HWND wnd, TkFrameStyle style);

}  // namespace skin
