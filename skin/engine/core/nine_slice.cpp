#include "skin/engine/core/nine_slice.h"

#include <algorithm>

#include "skin/engine/core/mask_plan.h"

namespace skin {

namespace {

void AddCopy(std::vector<TSlicePiece>& pieces, int sx, int sy, int w, int h, int dx, int dy) {
  if (w > 0 && h > 0) pieces.push_back({fw::Bounds(sx, sy, w, h), fw::Bounds(dx, dy, w, h), false});
}

// An edge or the centre: tiles of the source piece over area, or the piece
// stretched over it.
void AddSpan(std::vector<TSlicePiece>& pieces, const fw::TRect& from, const fw::TRect& area, int mode) {
  if (from.Width() <= 0 || from.Height() <= 0 || area.Width() <= 0 || area.Height() <= 0) return;
  if (mode == 1) {
    pieces.push_back({from, area, true});
  } else if (mode == 0) {
    for (const fw::TRect& t : PlanTiles(area, from.Width(), from.Height()))
      pieces.push_back({fw::Bounds(from.Left, from.Top, t.Width(), t.Height()), t, false});
  }
}

}  // namespace

std::vector<TSlicePiece> PlanNineSlice(const fw::TRect& d, const fw::TRect& s, const fw::TRect& b,
                                       const fw::TRect& limits, const fw::TRect& sideModes, int centreMode,
                                       bool drawCentre) {
  std::vector<TSlicePiece> p;
  const int wl = std::min(b.Left, limits.Left), wt = std::min(b.Top, limits.Top);
  const int wr = std::min(b.Right, limits.Right), wb = std::min(b.Bottom, limits.Bottom);
  AddCopy(p, s.Left, s.Top, b.Left, wt, d.Left, d.Top);
  AddCopy(p, s.Right - b.Right, s.Top, b.Right, wt, d.Right - b.Right, d.Top);
  AddCopy(p, s.Left, s.Bottom - wb, b.Left, wb, d.Left, d.Bottom - wb);
  AddCopy(p, s.Right - b.Right, s.Bottom - wb, b.Right, wb, d.Right - b.Right, d.Bottom - wb);
  // Corner rows beyond a limit: only the limited depth of the side columns.
  if (wt < b.Top) {
    AddCopy(p, s.Left, s.Top + wt, wl, b.Top - wt, d.Left, d.Top + wt);
    AddCopy(p, s.Right - wr, s.Top + wt, wr, b.Top - wt, d.Right - wr, d.Top + wt);
  }
  if (wb < b.Bottom) {
    AddCopy(p, s.Left, s.Bottom - b.Bottom, wl, b.Bottom - wb, d.Left, d.Bottom - b.Bottom);
    AddCopy(p, s.Right - wr, s.Bottom - b.Bottom, wr, b.Bottom - wb, d.Right - wr, d.Bottom - b.Bottom);
  }
  const int cx = std::max(0, s.Width() - b.Left - b.Right), cy = std::max(0, s.Height() - b.Top - b.Bottom);
  if (cy != 0) {
    AddSpan(p, fw::Bounds(s.Left, s.Top + b.Top, wl, cy), fw::Rect(d.Left, d.Top + b.Top, d.Left + wl, d.Bottom - b.Bottom),
            sideModes.Left);
  }
  if (cx != 0) {
    AddSpan(p, fw::Bounds(s.Left + b.Left, s.Top, cx, wt), fw::Rect(d.Left + b.Left, d.Top, d.Right - b.Right, d.Top + wt),
            sideModes.Top);
  }
  if (cy != 0) {
    AddSpan(p, fw::Bounds(s.Right - wr, s.Top + b.Top, wr, cy),
            fw::Rect(d.Right - wr, d.Top + b.Top, d.Right, d.Bottom - b.Bottom), sideModes.Right);
  }
  if (cx != 0) {
    AddSpan(p, fw::Bounds(s.Left + b.Left, s.Bottom - wb, cx, wb),
            fw::Rect(d.Left + b.Left, d.Bottom - wb, d.Right - b.Right, d.Bottom), sideModes.Bottom);
  }
  if (drawCentre && cx != 0 && cy != 0) {
    AddSpan(p, fw::Bounds(s.Left + b.Left, s.Top + b.Top, cx, cy),
            fw::Rect(d.Left + b.Left, d.Top + b.Top, d.Right - b.Right, d.Bottom - b.Bottom), centreMode == 1 ? 1 : 0);
  }
  return p;
}

void DrawNineSliceImage(const TPixelView32& dest, const TPixelView32& source, const fw::TRect& destRect,
                        const fw::TRect& sourceRect, const fw::TRect& borders, const fw::TRect& limits,
                        const fw::TRect& sideModes, int centreMode, bool drawCentre) {
  if (dest.Empty() || source.Empty()) return;
  for (const TSlicePiece& piece :
       PlanNineSlice(destRect, sourceRect, borders, limits, sideModes, centreMode, drawCentre)) {
    const fw::TRect& to = piece.Dest;
    const fw::TRect& from = piece.Source;
    for (int y = std::max(to.Top, 0); y < std::min(to.Bottom, dest.Height); ++y) {
      const int sy = from.Top + (piece.Stretch ? int(int64_t(y - to.Top) * from.Height() / to.Height()) : y - to.Top);
      if (sy < 0 || sy >= source.Height) continue;
      for (int x = std::max(to.Left, 0); x < std::min(to.Right, dest.Width); ++x) {
        const int sx =
            from.Left + (piece.Stretch ? int(int64_t(x - to.Left) * from.Width() / to.Width()) : x - to.Left);
        if (sx >= 0 && sx < source.Width) dest.Pixel(x, y) = source.Pixel(sx, sy);
      }
    }
  }
}

}  // namespace skin
