// A control's border mask in its cache image: the transparent corners show
// the parent's background, and the border of a control placed inside
// another is painted over what its parent shows, with an optional inner
// frame in the control's colour.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/border_corners.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// What the border painters read of a control's skin state.
struct TControlBorderSource {
  TkLoadedSkin* Skin = nullptr;
  int SkinIndex = -1;
  int BorderIndex = -1;
  fw::TControl* Owner = nullptr;
  fw::TBitmap* Cache = nullptr;  // 32-bit, the owner's size
  fw::TColor BgColor = 0;        // the control's background colour in the state painted
};

// Asks the owner's parent control (or, for a window without one, its parent
// window) what lies behind it, without drawing, and repairs the flagged
// corners of the cache (bc* flags). Nothing without a valid border, cache or
// owner, or for a border whose corners hold no transparent pixel.
void RepaintBorderCorners(const TControlBorderSource& s, int state, int corners);

// Paints the border mask for state into r of the cache over what the
// owner's parent answers and returns the client rectangle inside it. With
// extraWidth, a frame in the background colour fills up to extraWidth inside
// r and that frame is copied to dc when dc is not the cache's. Without a
// border mask only the frame is filled, on dc, and clientRect stays.
void PaintControlBorder(HDC dc, const fw::TRect& r, int extraWidth, fw::TRect& clientRect, int state,
                        const TControlBorderSource& s);

}  // namespace skin
