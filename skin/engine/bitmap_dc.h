// The bottom of the skin engine's painting on Windows: row views of DIB
// bitmaps, work bitmaps, solid fills of device contexts, border strips, the
// three small line drawings, and the layered-window functions.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/controls/controls.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Address of row 0 and the signed distance to row 1 (0 for one row, negative
// for a bottom-up DIB); false, outputs untouched, for a bitmap without rows.
bool GetScanLineLayout(fw::TBitmap& bitmap, uint8_t*& row0, ptrdiff_t& distance);
// Row views of a 32-bit (8-bit) bitmap; empty for any other format or none.
TPixelView32 View32(fw::TBitmap& bitmap);
TPixelView8 View8(fw::TBitmap& bitmap);

// A new 32-bit DIB bitmap of that size.
std::unique_ptr<fw::TBitmap> NewBitmap32(int width, int height);
// A new bitmap of the same size and pixel format.
std::unique_ptr<fw::TBitmap> NewBitmapLike(fw::TBitmap& bitmap);
// dest takes source's format, a DIB handle, its size and a copy of its image.
void AssignBitmapImage(fw::TBitmap& dest, fw::TBitmap& source);
// A quarter turn of a 32-bit bitmap (nullptr for other formats); with
// freeSource the source is freed and the reference cleared in every case.
std::unique_ptr<fw::TBitmap> RotateBitmap90(std::unique_ptr<fw::TBitmap>& bitmap, bool clockwise, bool freeSource);
// Copies one channel (0 blue .. 3 alpha) of a 32-bit bitmap to an 8-bit one
// (toChannel8) or back, clipped to both.
void CopyChannel(fw::TBitmap& bitmap32, fw::TBitmap& bitmap8, int channel, bool toChannel8);

// Fills with a solid brush (system colours resolved); the DC's state comes back.
void SolidFillDC(HDC dc, const fw::TRect& r, fw::TColor color);
// Top, left, bottom and right strips of the given widths with one brush.
void SolidFillFrameDC(HDC dc, const fw::TRect& r, int leftWidth, int topHeight, int rightWidth, int bottomHeight,
                      fw::TColor color);
// Copies the four border strips of width b of (x, y, w, h) from the same
// places of the source rectangle starting at (sx, sy).
void CopyBorderStrips(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int b);
// Excludes the visible graphic (windowless) children of control, moved by the
// offset, from the DC's clipping region.
void ExcludeGraphicControlsClip(HDC dc, fw::TWinControl* control, int offsetX, int offsetY);

// A solid triangle 4 pixels deep pointing in the direction (a TkcSide: left,
// up, right, down); any other direction draws nothing.
void DrawArrowMark(fw::TCanvas& canvas, fw::TColor color, const fw::TRect& r, int direction);
// Nested frames, top-left then bottom-right colour; r comes back inset by the
// width and width comes back 0.
void DrawFrame3DOnDC(HDC dc, fw::TRect& r, fw::TColor topLeft, fw::TColor bottomRight, int& width);
// Alternating pixels along the four edges; clSkinNone leaves a colour's
// pixels alone.
void DrawDottedFrame(fw::TCanvas& canvas, const fw::TRect& r, fw::TColor first, fw::TColor second);

// The system's layered-window functions; null where the system has none.
using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
extern TUpdateLayeredWindow UpdateLayeredWindowProc;
extern TSetLayeredWindowAttributes SetLayeredWindowAttributesProc;
bool LayeredWindowsAvailable();

}  // namespace skin
