// Glows around hot controls: a borderless layered window just above the
// control's window, showing a skin mask with per-pixel alpha, cut to the
// control's visible part and transparent to the mouse.
#pragma once

#include <windows.h>

#include <functional>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// True while a glow window is being destroyed (the skinning hook leaves the
// destruction alone).
extern bool GlowWindowClosing;

// The control's colour effects, applied to the glow's image.
using TGlowColorEffects = std::function<void(const TPixelView32&)>;

// Shows the mask propertyName + "0" of the section around r (the control in
// screen coordinates; realRect: its visible part, left and top as offsets
// inside the control, right and bottom the visible extent), margin pixels
// closer than the mask's borders, just above wnd in the z-order. Returns the
// glow's id, or -1 (no window) without layered windows, without a skin or
// the mask, or when the glow would be empty or larger than the screen. Ids
// are never reused, so an id kept after its glow is gone reaches nothing.
// The alpha argument is not used (the mask's own alpha shows).
int ShowGlowEffect(const fw::TRect& r, const fw::TRect& realRect, TkLoadedSkin* skin, fw::StringView section,
                   fw::StringView propertyName, int margin, int alpha, HWND wnd,
                   const TGlowColorEffects& colorEffects = {});

// Destroys the glow (at once when immediate, as the skin manager's own
// destruction asks, or when the application terminates; else through the
// message queue) and sets id to -1; nothing for an id that names no glow.
void HideGlowEffect(int& id, bool immediate = false);

// Every glow; with destroyWindows their windows go at once, else through the
// message queue.
void FreeGlowEffects(bool destroyWindows);

// The window class of every glow-like window ("VestalineGlow"): it answers
// the hit test as transparent and is never skinned; null when it cannot be
// registered.
const wchar_t* GlowWindowClass();

// How many glows are shown (for tests and diagnostics).
int GlowEffectCount();
// The window of a glow, or null.
HWND GlowEffectWindow(int id);

}  // namespace skin
