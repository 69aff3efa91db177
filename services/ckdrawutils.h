// Small drawing and window routines of the component layer: rectangle
// measures, memory DCs and blits, the colour-keyed stretch of one DC into
// another, disabled image-list items, cells of a picture strip, windows
// shown without animation, the application window and key state, and the
// extra screen cursors.
#pragma once

#include <windows.h>

#include "fw/core/types.h"

namespace fw {
class TCanvas;
class TCustomImageList;
class TGraphic;
class TBitmap;
}  // namespace fw

namespace services {

int AbsRectWidth(const fw::TRect& R);
int AbsRectHeight(const fw::TRect& R);
// Right and Bottom count as inside.
bool PointInClosedRect(const fw::TRect& R, const fw::TPoint& P);

// A memory DC compatible with the screen; the caller deletes it.
HDC NewScreenMemoryDC();
bool BlitDC(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SourceX, int SourceY, DWORD Rop);

// A colour as a palette-relative RGB value.
COLORREF PaletteColor(fw::TColor Color);

// Copies Source of SourceDC stretched into Dest of DestDC, leaving out every
// source pixel of KeyColor (RGB). Palette, when given, is realised in the
// DCs for the copy.
void StretchBlitKeyed(HDC DestDC, const fw::TRect& Dest, HDC SourceDC, const fw::TRect& Source, COLORREF KeyColor,
                      HPALETTE Palette);

// The embossed look of image Index: the image's shape in HighlightColor one
// pixel right and down (when DrawHighlight), then in ShadowColor at (X, Y).
void DrawImageListItemDisabled(fw::TCustomImageList* Images, fw::TCanvas* Canvas, int X, int Y, int Index,
                               fw::TColor ShadowColor, fw::TColor HighlightColor, bool DrawHighlight);

// Cell Index of a picture cut into Columns x Rows equal cells (counted row
// by row) into Dest, which takes the cell's size and the picture's
// transparency.
void ExtractBitmapCell(fw::TGraphic* Source, fw::TBitmap* Dest, int Columns, int Rows, int Index);

// ShowWindow with the system's window animation switched off for the call.
void ShowWindowUnanimated(HWND Window, int Command);

// The application object's hidden window, and whether it is minimized.
HWND ApplicationWindow();
bool ApplicationMinimized();
// The key is down now (as the calling thread's messages have seen it).
bool KeyIsDown(int VirtualKey);

// Destroys a window made by CreateHiddenMethodWindow.
void DestroyHiddenWindow(HWND Window);

// Screen cursors of the components: 368, 370 and 371 show the multi-drag
// cursor, 369 the drag cursor. Run once at start-up; failures are ignored.
constexpr int crCkMultiDrag1 = 368, crCkDrag = 369, crCkMultiDrag2 = 370, crCkMultiDrag3 = 371;
void LoadScreenCursors();

}  // namespace services
