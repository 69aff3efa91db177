// The skinned form's answers to the taskbar's requests for its thumbnail
// and its live preview (only while the engine's iconic previews are on):
// the form's image, or its snapshot while it is minimised, fitted into the
// size asked and handed to the desktop window manager. FormState 0x800
// marks the request while it is answered and is cleared on every way out.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "skin/forms/min_animation.h"

namespace skin {

// The engine's switch for the taskbar's iconic thumbnails and live
// previews; off in this program, so a skinned form answers both requests
// with 0.
extern bool IconicPreviewsEnabled;

// While the switch is on: the window's taskbar images come from the
// program (Flag) or from the system again; the old ones are dropped.
void EnableIconicThumbnails(HWND Wnd, bool Flag);
// Drops the window's taskbar images (the system asks for new ones).
void InvalidateIconicImages(HWND Wnd);
// The window that stands for the form on the taskbar: the application's
// window for a main form the taskbar does not show itself.
HWND FormTaskbarWindow(HWND Form);

// Cache: the form's image (used unless the minimize timer holds a
// snapshot of the minimised form).
bool SendIconicThumbnail(HWND Wnd, TkcMinAnimHost& Host, fw::TBitmap* Cache, int MaxWidth, int MaxHeight);
bool SendLivePreviewBitmap(HWND Wnd, TkcMinAnimHost& Host, fw::TBitmap* Cache);

}  // namespace skin
