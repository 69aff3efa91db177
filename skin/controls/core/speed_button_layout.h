// Where a skinned speed button puts its glyph and caption: by the glyph's
// side (left, right, top, bottom), the margin from the edge (-1: glyph and
// caption centred together) and the spacing between them; a pressed button
// moves its content by one pixel right and down (a caption beside the glyph
// moves with the glyph and once more, as it always has).
#pragma once

#include "fw/core/types.h"

namespace skin {

enum class TkGlyphSide { Left, Right, Top, Bottom };

struct TkSpeedButtonLayout {
  TkGlyphSide Side = TkGlyphSide::Left;
  int Margin = -1;
  int Spacing = 4;
  fw::TPoint Size;    // the button's width and height
  fw::TPoint Glyph;   // one glyph image's size; 0 x 0 without a glyph
  fw::TPoint Text;    // the caption's size; 0 x 0 without a caption
  bool Pressed = false;  // the pressed shift applies
};

fw::TRect SpeedButtonGlyphRect(const TkSpeedButtonLayout& L);
fw::TRect SpeedButtonCaptionRect(const TkSpeedButtonLayout& L);

}  // namespace skin
