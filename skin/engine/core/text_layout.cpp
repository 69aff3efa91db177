#include "skin/engine/core/text_layout.h"

#include <algorithm>

namespace skin {

TGlyphTextPlace CalcGlyphTextLayout(const fw::TRect& content, fw::TPoint glyphSize, fw::TPoint captionSize,
                                    int layout, int alignment, int margin, int spacing, int flags) {
  const int cw = content.Width(), ch = content.Height();
  const int gw = glyphSize.x, gh = glyphSize.y, tw = captionSize.x, th = captionSize.y;
  if (flags & kRightToLeftFlag) {
    if (layout == glGlyphLeft) layout = glGlyphRight;
    else if (layout == glGlyphRight) layout = glGlyphLeft;
  }
  const bool vertical = layout == glGlyphTop || layout == glGlyphBottom;
  fw::TPoint g, t;
  if (vertical) {
    g.x = (cw - gw + 1) / 2;
    t.x = (cw + 1 - tw) / 2;
  } else {
    g.y = (ch - gh + 1) / 2;
    t.y = (ch + 1 - th) / 2;
  }
  const int axis = vertical ? ch : cw, glyph = vertical ? gh : gw, caption = vertical ? th : tw;
  if (tw == 0 || gw == 0) spacing = 0;
  if (margin == -1) {
    if (spacing < 0) {
      margin = spacing = (axis - (glyph + caption)) / 3;
    } else {
      margin = alignment == txCenter ? (axis - (spacing + glyph + caption) + 1) / 2 : 2;
    }
  } else if (spacing < 0) {
    spacing = (axis - margin - glyph - caption) / 2;
  }
  int captionWidth = tw;
  switch (layout) {
    case glGlyphTop:
      g.y = (ch - gh - spacing - th) / 2;
      t.y = g.y + gh + spacing;
      break;
    case glGlyphBottom:
      g.y = ch - gh - (ch - gh - spacing - th) / 2;
      t.y = g.y - spacing - th;
      break;
    case glGlyphLeft:
      if (alignment == txLeftJustify) {
        g.x = margin;
        t.x = margin + gw + spacing;
        captionWidth = std::min(tw, content.Right - margin - t.x);
      } else if (alignment == txRightJustify) {
        t.x = cw - margin - tw;
        g.x = t.x - spacing - gw;
      } else {
        g.x = std::max((cw - tw - spacing - gw) / 2, margin);
        t.x = g.x + gw + spacing;
      }
      break;
    default:  // glyph right
      if (alignment == txLeftJustify) {
        t.x = margin;
        g.x = margin + tw + spacing;
      } else if (alignment == txRightJustify) {
        g.x = cw - margin - gw;
        t.x = g.x - spacing - tw;
      } else {
        t.x = (cw - tw - spacing - gw) / 2;
        g.x = t.x + tw + spacing;
      }
      break;
  }
  TGlyphTextPlace place;
  place.Glyph = {g.x + content.Left, g.y + content.Top};
  place.Caption = fw::Bounds(t.x + content.Left, t.y + content.Top, captionWidth, th);
  return place;
}

fw::String CutTextToWidth(fw::StringView text, int width, const std::function<int(fw::StringView)>& measure) {
  fw::String result = width > 0 ? fw::String(text) : fw::String();
  if (result.empty() || measure(result) <= width) return result;
  const fw::String dots = u"...";
  while (!result.empty()) {
    if (measure(result + dots) <= width) break;
    // Remove one whole character: a trailing low surrogate takes its high one along.
    size_t cut = 1;
    if (result.size() >= 2 && (result.back() & 0xFC00) == 0xDC00 && (result[result.size() - 2] & 0xFC00) == 0xD800)
      cut = 2;
    result.resize(result.size() - cut);
  }
  if (!result.empty()) result += dots;
  return result;
}

void ApplyGlowMask(const TPixelView32& dest, const TPixelView8& mask, fw::TPoint origin, uint32_t glowColor) {
  if (dest.Empty() || mask.Empty()) return;
  const uint32_t glow = ColorToPixel(glowColor, 0);
  for (int y = 0; y < mask.Height; ++y) {
    const int dy = origin.y + y;
    if (dy < 0 || dy >= dest.Height) continue;
    const uint8_t* m = mask.Row(y);
    for (int x = 0; x < mask.Width; ++x) {
      const int dx = origin.x + x;
      if (m[x] == 255 || dx < 0 || dx >= dest.Width) continue;
      const int mv = m[x], g = 255 - mv;
      uint32_t& p = dest.Pixel(dx, dy);
      const int a = Alpha(p);
      p = MakePixel((g * Blue(glow) + Blue(p) * mv) >> 8, (g * Green(glow) + Green(p) * mv) >> 8,
                    (g * Red(glow) + Red(p) * mv) >> 8, a + (((255 - a) * g) >> 8));
    }
  }
}

}  // namespace skin
