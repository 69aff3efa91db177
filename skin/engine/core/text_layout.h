// The portable half of skinned text: the place of a glyph and its caption in
// a button face, captions cut to a width with "...", and the glow mask laid
// under text. Measuring and drawing text stay with the system.
#pragma once

#include <functional>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// The same order as the framework's TButtonLayout and TAlignment, which the
// Windows side passes as their ordinals.
enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
enum TTextAlign { txLeftJustify, txRightJustify, txCenter };
constexpr int kRightToLeftFlag = 2;

struct TGlyphTextPlace {
  fw::TPoint Glyph;
  fw::TRect Caption;
};

// Places a glyph of glyphSize and a caption of captionSize in content. A
// margin of -1 is chosen (with spacing also -1 the free space splits in three
// equal parts); a spacing of -1 spreads what is left; no glyph or no caption
// means no spacing. With the right-to-left flag left and right exchange.
TGlyphTextPlace CalcGlyphTextLayout(const fw::TRect& content, fw::TPoint glyphSize, fw::TPoint captionSize,
                                    int layout, int alignment, int margin, int spacing, int flags);

// The text when it fits width, else as many leading characters as fit with
// "..." after them (whole characters, never half of a surrogate pair), or ""
// when not even one does or width is 0 or less. measure gives a text's width.
fw::String CutTextToWidth(fw::StringView text, int width, const std::function<int(fw::StringView)>& measure);

// Lays a blurred text mask (255 paper, lower values ink) under the image:
// mask (x, y) lands at (origin.x + x, origin.y + y); with g = 255 - m,
// alpha gains ((255 - alpha) * g) >> 8 and each colour byte becomes
// (g * glow + byte * m) >> 8. glowColor is a plain RGB colour.
void ApplyGlowMask(const TPixelView32& dest, const TPixelView8& mask, fw::TPoint origin, uint32_t glowColor);

}  // namespace skin
