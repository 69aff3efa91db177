// Skin sections painted onto device contexts and whole bitmaps: through a
// work bitmap, so that the pixel painters of the engine do the work.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "skin/engine/core/section_paint.h"

namespace skin {

// The section (background, corner images, border) in state painted into a
// work bitmap of r's size and copied to r of the DC; ci describes what lies
// behind r, offset is r's place in ci's image. Nothing for an empty r or
// one starting left of or above the DC's origin.
void PaintSectionToDC(HDC dc, TkLoadedSkin& skin, int skinIndex, const fw::String& sectionName, const TCacheInfo& ci,
                      int state, const fw::TRect& r, fw::TPoint offset);

// Paints the whole 32-bit bitmap with the section name (else fallbackName)
// in state. With a DC, what the DC shows at source's top-left is copied into
// the bitmap first and serves as the background; without one the background
// is fillColor. Returns the section's index, -1 when neither name exists
// (then nothing is painted).
int PaintSectionByName(fw::TBitmap& bitmap, const fw::String& name, const fw::String& fallbackName, int state,
                       TkLoadedSkin& skin, const fw::TRect& source, fw::TColor fillColor, HDC dc);

}  // namespace skin
