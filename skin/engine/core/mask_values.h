// The values that place a skin's image elements: "@" glyphs, "^" borders and
// "~" textures at fixed columns of the master image, "!" elements with their
// own image file, a plain ".BMP" value and the older "#" form; the corner
// test of border masks and the word reader they share.
#pragma once

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

enum class TMaskValueKind { None, Glyph, Border, Texture, OwnImage, PlainBitmap, OldForm };

struct TMaskValue {
  TMaskValueKind Kind = TMaskValueKind::None;
  // Rectangle, counts, widths and modes as far as the value gives them.
  TkMaskData Mask;
  // The image file a "!" or plain value names, as written (capitals).
  fw::String ImageName;
  int WordCount = 0;
};

// What a key's value describes. Values that place nothing (numbers, colours,
// gradients, "N/A", a "!" name without ".BMP"/".PNG" in capitals) give None.
// Raises ESkinError naming the value when its columns or fields are not
// numbers, or give a count, type or width out of range.
TMaskValue ParseMaskValue(fw::StringView value);

// Rectangle and default widths of "!" and plain values once their image's
// size is known.
void SetOwnImageGeometry(TMaskValue& v, int width, int height);

// The n-th word (1-based) as an integer; 0 when absent or not a number.
int WordAsInt(int n, fw::StringView text, fw::StringView delimiters);

// 2 for BUTTON_HUGE's border; 1 when a corner area of the first state image
// holds a pixel of exactly 0xFF00FF; else 0. Reads only inside the image.
int MaskCornerType(const TkMaskData& mask, const TPixelView32& image);

}  // namespace skin
