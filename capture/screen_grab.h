// Screen reading shared by the capture component and its selection windows:
// which monitor a capture covers, copies of screen areas and of frozen
// pictures, the system palette on palette displays, and the mouse cursor
// drawn into a captured picture.
#pragma once

#include <windows.h>

#include "fw/core/types.h"
#include "fw/graphics/graphics.h"

namespace capture {

// The monitor to capture: MonitorNum when it names one, else (below 0 or
// beyond the last monitor) the monitor nearest the cursor.
int ChooseMonitor(int MonitorNum);
// Bounds of a monitor in screen coordinates.
fw::TRect MonitorBounds(int Index);
// Bounds of the primary screen: (0, 0, width, height).
fw::TRect PrimaryScreenBounds();
// Bounds of the virtual desktop that spans every monitor.
fw::TRect VirtualDesktopBounds();

// Gives the bitmap the system palette when the screen is a palette device
// and the system answers at least one entry.
void GiveSystemPalette(fw::TBitmap* Bitmap, HDC ScreenDC);

// Sizes the bitmap to the area (screen coordinates) and copies that area of
// the screen into it. The bitmap takes the pixel format given.
void CopyScreenArea(fw::TBitmap* Bitmap, const fw::TRect& Area, fw::TPixelFormat Format = fw::pf32bit);

// Sizes Dest to the area of Source and copies it; where the area lies
// outside Source, Dest stays white.
void CopyBitmapArea(fw::TBitmap* Dest, fw::TBitmap* Source, const fw::TRect& Area,
                    fw::TPixelFormat Format = fw::pf32bit);

// The foreground window's rectangle in screen coordinates (empty when there
// is none).
fw::TRect ForegroundWindowRect();

// The cursor shown by the window under the mouse.
HCURSOR CurrentCursor();

// Draws the current mouse cursor into the bitmap with its hot spot at
// HotSpot (bitmap coordinates). Size 0 draws it at its own size, else at
// Size x Size. With OnlyInside the cursor is drawn only when the hot spot
// lies inside the bitmap, 16 pixels away from its right and bottom edges.
void DrawMouseCursor(fw::TBitmap* Bitmap, const fw::TPoint& HotSpot, int Size, bool OnlyInside);

// A cursor of the program's resources by name, or the cross cursor when the
// program carries none of that name.
HCURSOR LoadCaptureCursor(const wchar_t* Name);

}  // namespace capture
