// One frame of a multi-frame button glyph (normal, disabled, down, held),
// with an optional fading reflection below it.
#pragma once

#include "skin/engine/core/pixel_view.h"

namespace skin {

// Button states of a glyph: up, disabled, down, held down.
enum TGlyphButtonState { gbUp, gbDisabled, gbDown, gbExclusive };

// The frame shown for a state. firstForDisabled: the disabled look comes from
// frame 0 (4-bit glyphs, no skin manager, or the standard glyph order); then
// a missing down frame also falls back to 0.
int GlyphFrameIndex(int numGlyphs, bool stateFrames, int state, int hotOffset, bool firstForDisabled);

// Draws the frame of glyph (a 32-bit copy of the caller's glyph, which stays
// as it was) into destRect. The frame's bottom-left pixel is its key. Without
// state frames a blend percent above 0 mixes the frame in (state 0 only);
// with reflect the glyph moves up by an eighth of its height and its
// reflection fades out below it.
void DrawGlyphFrame(const TPixelView32& glyph, const TPixelView32& dest, fw::TRect destRect, int numGlyphs,
                    bool stateFrames, int state, int blendPercent, int hotOffset, bool reflect, bool firstForDisabled);

// Rows of the source rectangle (right and bottom included) mirrored from its
// bottom into dest from destRect.Top down, fading; key pixels (in pixel
// order) and rows outside either image are skipped; colour bytes only.
void DrawGlyphReflection(const TPixelView32& dest, const TPixelView32& glyph, const fw::TRect& destRect,
                         const fw::TRect& sourceRect, uint32_t keyPixel, int blendPercent);

}  // namespace skin
