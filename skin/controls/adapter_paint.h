// Painting helpers of the adapters that paint a whole control, beside
// control_cache.h: what lies behind copied into a piece of the cache, any
// section painted into it, the text colour of a section's state, a turned
// copy of the window's font for side texts, and the disabled fade.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "skin/engine/background_request.h"
#include "skin/engine/core/section_paint.h"

namespace skin {

// Copies what lies behind (ci) into r of dest, or fills r with its colour.
void FillFromBackground(const TPixelView32& Dest, const fw::TRect& R, const TCacheInfo& CI);

// The section's index, else the fallback's; -1 when the skin has neither.
int SectionIndexOr(const TkLoadedSkin& Skin, const fw::String& Name, const fw::String& Fallback);
// The section painted (background, corners, border) into r of dest in
// state (limited to the section's states), over ci; Offset is r's place in
// ci's image less ci.X, ci.Y (r's top-left when ci lies under dest).
void PaintSection(const TPixelView32& Dest, TkLoadedSkin& Skin, int SkinIndex, int State, const fw::TRect& R,
                  const TCacheInfo& CI, fw::TPoint Offset);
// The font colour of the section's state, limited to the states it has;
// Default for no section.
fw::TColor StateFontColor(const TkLoadedSkin& Skin, int SkinIndex, int State, fw::TColor Default);

// The canvas takes a copy of the window's font (the system's dialog font
// when it has none), turned by Escapement tenths of a degree, in Face when
// one is given.
void AssignWindowFont(fw::TCanvas& Canvas, HWND Wnd, int Escapement = 0, const fw::String& Face = {});

// A disabled control's image keeps 40 % of itself over what lies behind
// (key pixels of the image behind are left alone).
void FadeDisabled(fw::TBitmap& Image, const TCacheInfo& CI);

// Copies the image to the DC at (x, y).
void CopyToDC(HDC DC, int X, int Y, fw::TBitmap& Image);
// Copies the image to (0, 0) of the window's DC except over its visible
// child windows, which paint themselves.
void CopyExceptChildWindows(HDC DC, HWND Wnd, fw::TBitmap& Image);
// The window's font, or the system's dialog font.
HFONT WindowFont(HWND Wnd);

}  // namespace skin
