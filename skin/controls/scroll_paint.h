// Scroll bars painted from the skin: one arrow button, one thumb, and a
// whole bar (two track pieces split at the thumb's centre, the arrows over
// them, the thumb) into a bitmap. The non-client bars of scrolling windows
// and the skinned scroll bar control paint through these.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// The rectangle an arrow of Side (TkcSide) paints into: grown toward the
// track when the skin's button is drawn larger than 17 pixels (its section's
// reserved flag set and a border mask).
fw::TRect ArrowButtonRect(fw::TRect R, TkLoadedSkin& Skin, int Side);

// The state's frame of a glyph mask centred in R; nothing for an invalid
// index.
void DrawCenteredGlyph(fw::TBitmap& Bitmap, int GlyphIndex, int State, const fw::TRect& R, TkLoadedSkin& Skin);

// One arrow button of Side in State (0 normal, 1 hot, 2 pressed) over what
// Bitmap holds at R; its glyph mask, else an arrow mark in the section's
// font colour (moved by a pixel when pressed and ShiftContentOnClick).
void PaintScrollArrow(const fw::TRect& R, int State, fw::TBitmap& Bitmap, int Side, TkLoadedSkin& Skin,
                      bool ShiftContentOnClick = false);

// The thumb of a bar in State over what Bitmap holds at R.
void PaintScrollThumb(const fw::TRect& R, int State, fw::TBitmap& Bitmap, bool Vertical, TkLoadedSkin& Skin);

// What one whole bar shows, along its axis from 0 to the bitmap's length.
struct TkBarPicture {
  bool Vertical = false;
  int Arrow = 0;         // arrow length; 0 draws no arrows
  int Split = 0;         // where the first track piece ends
  int Track1State = 0, Track2State = 0;
  int Arrow1State = 0, Arrow2State = 0;
  bool ShowThumb = false;
  int ThumbPos = 0, ThumbLength = 0;
  int ThumbState = 0;
};

// Paints the bar into the whole bitmap over Background (what lies behind
// the bar, Offset being the bar's place in it). Returns false when the skin
// has no first track section (nothing painted).
bool PaintScrollBarImage(fw::TBitmap& Bitmap, TkLoadedSkin& Skin, const TkBarPicture& P, const TCacheInfo& Background,
                         fw::TPoint Offset, bool ShiftContentOnClick = false);

}  // namespace skin
