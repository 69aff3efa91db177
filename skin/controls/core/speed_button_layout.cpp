#include "skin/controls/core/speed_button_layout.h"

namespace skin {

namespace {

fw::TRect Shifted(fw::TRect r, bool pressed) {
  if (pressed) r = fw::Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  return r;
}

}  // namespace

fw::TRect SpeedButtonGlyphRect(const TkSpeedButtonLayout& L) {
  const int W = L.Size.x, H = L.Size.y, gw = L.Glyph.x, gh = L.Glyph.y, tw = L.Text.x, th = L.Text.y;
  const bool caption = tw > 0 || th > 0;
  const int sx = gw > 0 && caption ? L.Spacing : 0, sy = gh > 0 && caption ? L.Spacing : 0;
  const int x0 = (W - gw - sx - tw) / 2, y0 = (H - gh - sy - th) / 2;
  const int m = L.Margin;
  int x = 0, y = 0;
  switch (L.Side) {
    case TkGlyphSide::Left: x = m == -1 ? x0 : m, y = (H - gh) / 2; break;
    case TkGlyphSide::Right: x = W - (m == -1 ? x0 : m) - gw, y = (H - gh) / 2; break;
    case TkGlyphSide::Top: x = (W - gw) / 2, y = m == -1 ? y0 : m; break;
    case TkGlyphSide::Bottom: x = (W - gw) / 2, y = H - (m == -1 ? y0 : m) - gh; break;
  }
  return Shifted(fw::Bounds(x, y, gw, gh), L.Pressed);
}

fw::TRect SpeedButtonCaptionRect(const TkSpeedButtonLayout& L) {
  const int W = L.Size.x, H = L.Size.y, tw = L.Text.x, th = L.Text.y, m = L.Margin;
  int x = 0, y = 0;
  if (L.Glyph.x <= 0 || L.Glyph.y <= 0) {
    if (m == -1) {
      x = (W - tw) / 2, y = (H - th) / 2;
    } else {
      switch (L.Side) {
        case TkGlyphSide::Left: x = m, y = (H - th) / 2; break;
        case TkGlyphSide::Right: x = W - m - tw, y = (H - th) / 2; break;
        case TkGlyphSide::Top: x = (W - tw) / 2, y = m; break;
        case TkGlyphSide::Bottom: x = (W - tw) / 2, y = H - m - th; break;
      }
    }
  } else {
    const fw::TRect g = SpeedButtonGlyphRect(L);
    const int p = L.Pressed ? 1 : 0;
    switch (L.Side) {
      case TkGlyphSide::Left: x = g.Right + L.Spacing, y = (H - th) / 2; break;
      case TkGlyphSide::Right: x = g.Left - L.Spacing - tw, y = (H - th) / 2; break;
      case TkGlyphSide::Top: x = (W - tw) / 2, y = g.Bottom + L.Spacing - p; break;
      case TkGlyphSide::Bottom: x = (W - tw) / 2, y = g.Top - L.Spacing - th; break;
    }
  }
  return Shifted(fw::Bounds(x, y, tw, th), L.Pressed);
}

}  // namespace skin
