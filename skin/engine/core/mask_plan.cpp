#include "skin/engine/core/mask_plan.h"

#include <algorithm>

namespace skin {

namespace {

// Narrows two border widths to a smaller length; the second loses the odd
// pixel. One side already at 0 can leave the sum above the length: the
// painters clip, so the pieces then only overlap.
void Narrow(int length, int& first, int& second) {
  if (length >= first + second) return;
  const int excess = first + second - length;
  first = std::max(0, first - excess / 2);
  second = std::max(0, second - excess / 2 - excess % 2);
}

}  // namespace

TMaskPlan PlanMaskPieces(const TkMaskData& mask, const fw::TRect& dest, int state) {
  TMaskPlan plan;
  if (state == 0 && (mask.DrawMode & dmHotOnly)) return plan;
  if (dest.Width() < 2 || dest.Height() < 2 || mask.ImageCount <= 0) return plan;
  int l = mask.WL, t = mask.WT, r = mask.WR, b = mask.WB;
  Narrow(dest.Width(), l, r);
  Narrow(dest.Height(), t, b);
  if (state >= mask.ImageCount) state = mask.ImageCount - 1;
  state = std::max(state, 0);
  const int fw = MaskFrameWidth(mask), fh = MaskFrameHeight(mask);
  const int cw = fw - l - r, ch = fh - t - b;
  plan.State = state;
  plan.L = l, plan.T = t, plan.R = r, plan.B = b;
  plan.Stretch = (mask.DrawMode & dmStretch) != 0;
  if (cw < 0 || ch < 0) return plan;
  const int sx = mask.R.Left + state * fw, sy = mask.R.Top;
  const fw::TRect& d = dest;
  auto add = [&](int number, TMaskPieceKind kind, fw::TRect source, fw::TRect to) {
    if (source.Width() <= 0 || source.Height() <= 0 || to.Width() <= 0 || to.Height() <= 0) return;
    plan.Pieces.push_back({number, kind, source, to});
  };
  using K = TMaskPieceKind;
  add(1, K::Corner, fw::Bounds(sx, sy, l, t), fw::Bounds(d.Left, d.Top, l, t));
  add(2, K::Edge, fw::Bounds(sx, sy + t, l, ch), fw::Rect(d.Left, d.Top + t, d.Left + l, d.Bottom - b));
  add(3, K::Edge, fw::Bounds(sx + l, sy, cw, t), fw::Rect(d.Left + l, d.Top, d.Right - r, d.Top + t));
  add(4, K::Corner, fw::Bounds(sx, sy + fh - b, l, b), fw::Bounds(d.Left, d.Bottom - b, l, b));
  add(5, K::Edge, fw::Bounds(sx + l, sy + fh - b, cw, b), fw::Rect(d.Left + l, d.Bottom - b, d.Right - r, d.Bottom));
  add(6, K::Corner, fw::Bounds(sx + l + cw, sy + fh - b, r, b), fw::Bounds(d.Right - r, d.Bottom - b, r, b));
  add(7, K::Corner, fw::Bounds(sx + l + cw, sy, r, t), fw::Bounds(d.Right - r, d.Top, r, t));
  add(8, K::Edge, fw::Bounds(sx + l + cw, sy + t, r, ch), fw::Rect(d.Right - r, d.Top + t, d.Right, d.Bottom - b));
  if (mask.DrawMode & dmPaintCenter)
    add(9, K::Centre, fw::Bounds(sx + l, sy + t, cw, ch), fw::Rect(d.Left + l, d.Top + t, d.Right - r, d.Bottom - b));
  return plan;
}

std::vector<fw::TRect> PlanTiles(const fw::TRect& area, int tileWidth, int tileHeight) {
  std::vector<fw::TRect> tiles;
  if (tileWidth < 1 || tileHeight < 1) return tiles;
  for (int y = area.Top; y < area.Bottom; y += tileHeight)
    for (int x = area.Left; x < area.Right; x += tileWidth)
      tiles.push_back(fw::Rect(x, y, std::min(x + tileWidth, area.Right), std::min(y + tileHeight, area.Bottom)));
  return tiles;
}

}  // namespace skin
