// Text drawn into 32-bit bitmaps so that the alpha channel stays valid, in a
// colour or in a skin section's font colours with contours, and the disabled
// look of a control's image.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Draws the text in the destination canvas's font with DrawTextW flags into r
// of a 32-bit bitmap: coverage is rendered black on white into a work bitmap
// and blended with the colour, leaving opaque pixels where the text is.
void DrawTextAlpha(fw::TBitmap& bitmap, const fw::String& text, fw::TColor color, UINT flags, const fw::TRect& r);

// Without state colours: once in the canvas's font colour. With them: first
// the contours (left, up, right and down by one pixel, each skipped when -1)
// when contour is set, then the text in the state's colour. Nothing for an
// empty text or rectangle.
void DrawSectionTextAlpha(fw::TBitmap& bitmap, const fw::String& text, bool contour, const fw::TRect& r, UINT flags,
                          const TkFontColor* state);
// The same with the font colours of a skin section: its hot state when hot
// is set and the section has states, else its normal one; once in the
// canvas's font colour without a skin or with an invalid index.
void DrawSectionTextAlpha(fw::TBitmap& bitmap, const fw::String& text, bool contour, const fw::TRect& r, UINT flags,
                          int skinIndex, bool hot, const TkLoadedSkin* skin);

// How a disabled control is painted over its background.
FW_ENUM(TkDisabledKindItem, dkBlended, dkGrayed)
using TkDisabledKind = fw::TSet<TkDisabledKindItem>;

// Settings of the disabled look, changeable at run time.
extern double DisabledBlendRatio;  // weight of the control's image, 0.4
extern int DisabledSaturation;     // -90; -100 selects plain grey

// Greys (dkGrayed) and then blends (dkBlended) a control's image with what
// lies behind it: the cache's image at its offset plus the given offset when
// it is ready, else a colour (the cache's fill colour or the control's
// background colour).
void PaintDisabledLook(fw::TBitmap& bitmap, TkDisabledKind kind, fw::TControl* control, fw::TPoint offset,
                       const TCacheInfo& ci);

}  // namespace skin
