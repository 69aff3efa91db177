// The two routines every capture shares: captured bitmaps are 32 bits per
// pixel, and reads from the screen include layered windows where the system
// can.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"

namespace capture {

// Sets the bitmap to 32 bits per pixel (its picture is converted).
void MakePixelFormat32(fw::TBitmap* Bitmap);

// The raster operation for copying from the screen: SRCCOPY with CAPTUREBLT
// on NT-family systems, plain SRCCOPY otherwise.
DWORD CaptureRasterOp();

}  // namespace capture
