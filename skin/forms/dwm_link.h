// The desktop window manager as the form skinning uses it: composition,
// blur behind a window and the taskbar's iconic thumbnails. "DWMAPI.DLL" is
// loaded on first need and every entry point is optional (a missing one
// answers "off" or failure). Tests put an interface of their own in its
// place; Wine reports composition off or on by its Windows version.
#pragma once

#include <windows.h>

namespace skin {

class TkDwmLink {
 public:
  virtual ~TkDwmLink() = default;
  virtual bool CompositionEnabled() = 0;
  // Region (may be null) is the caller's; Enable false switches blur off.
  virtual bool EnableBlurBehind(HWND Wnd, bool Enable, HRGN Region) = 0;
  virtual bool SetIconicThumbnail(HWND Wnd, HBITMAP Bitmap) = 0;
  virtual bool SetIconicLivePreviewBitmap(HWND Wnd, HBITMAP Bitmap) = 0;
  virtual bool InvalidateIconicBitmaps(HWND Wnd) = 0;
  // The window's taskbar thumbnail and preview come from the program
  // (Flag) or from the system.
  virtual bool SetHasIconicBitmap(HWND Wnd, bool Flag) = 0;
  // The window's transition animations off (Disable) or back on.
  virtual bool DisableTransitions(HWND Wnd, bool Disable) {
    (void)Wnd;
    (void)Disable;
    return false;
  }
};

// The link in use: the system's, or the one set by SetDwmLink.
TkDwmLink& DwmLink();
// Replaces the link (null gives the system's back); returns the old one.
TkDwmLink* SetDwmLink(TkDwmLink* Link);

// The skin engine's Windows version number (below 6: no DWM at all).
int WindowsVersionNumber();
// True when the system composes the desktop (never below version 6).
bool DwmCompositionActive();

}  // namespace skin
