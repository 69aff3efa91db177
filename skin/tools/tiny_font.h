// A 5x7 pixel font for the labels of the skin contact sheets: capitals,
// digits and a few signs.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/engine/core/pixel_view.h"

namespace skinart {

// Draws text with its top-left at (x, y), scale pixels per font pixel;
// answers the width drawn. Characters without a glyph leave a gap.
int DrawTinyText(const skin::TPixelView32& v, int x, int y, std::string_view text, uint32_t pixel, int scale = 1);

}  // namespace skinart
