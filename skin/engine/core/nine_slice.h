// Nine-slice copy of an image (form shadows): corners copied, edges and
// centre tiled or stretched, with the border depth limited per side. The
// plan is pure geometry; the painter copies or stretches each piece.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

struct TSlicePiece {
  fw::TRect Source;
  fw::TRect Dest;
  bool Stretch = false;  // Source scaled to Dest; otherwise both the same size
  friend bool operator==(const TSlicePiece&, const TSlicePiece&) = default;
};

// borders and limits hold the widths of the left, top, right and bottom side
// in their Left, Top, Right, Bottom; each side is drawn only as deep as its
// limit. sideModes holds 0 (tile) or 1 (stretch) per side, other values
// leave that edge out; centreMode 0 tiles, 1 stretches. The corners come
// first, then the edges left, top, right, bottom, then the centre, tiles
// row by row from the top-left.
std::vector<TSlicePiece> PlanNineSlice(const fw::TRect& dest, const fw::TRect& source, const fw::TRect& borders,
                                       const fw::TRect& limits, const fw::TRect& sideModes, int centreMode,
                                       bool drawCentre);

// Paints the plan: copies, and stretches by nearest sampling.
void DrawNineSliceImage(const TPixelView32& dest, const TPixelView32& source, const fw::TRect& destRect,
                        const fw::TRect& sourceRect, const fw::TRect& borders, const fw::TRect& limits,
                        const fw::TRect& sideModes, int centreMode, bool drawCentre);

}  // namespace skin
