// Where the nine pieces of one state of a skin mask go: four corners at
// their size, four edges and the centre tiled or stretched. The plan is pure
// geometry, so every painter shares it and it can be checked on its own.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

enum class TMaskPieceKind { Corner, Edge, Centre };

// One piece: its place in the painting order (1 top-left corner, 2 left
// edge, 3 top edge, 4 bottom-left, 5 bottom edge, 6 bottom-right, 7 top-right,
// 8 right edge, 9 centre), the rectangle of the state image in the source
// bitmap and the whole destination area it covers.
struct TMaskPiece {
  int Number = 0;
  TMaskPieceKind Kind = TMaskPieceKind::Corner;
  fw::TRect Source;
  fw::TRect Dest;
  friend bool operator==(const TMaskPiece&, const TMaskPiece&) = default;
};

struct TMaskPlan {
  int State = 0;                   // after clamping to the image count
  int L = 0, T = 0, R = 0, B = 0;  // border widths after narrowing
  bool Stretch = false;
  std::vector<TMaskPiece> Pieces;  // in painting order; empty: paint nothing
};

// The border widths are the mask's WL, WT, WR, WB, narrowed when dest is
// smaller than both sides (the right and bottom side lose the odd pixel).
// No pieces when state 0 is hot-only, dest is narrower or lower than 2, the
// mask has no frames, or the centre of the frame would be negative. Pieces
// whose source or destination is empty are left out.
TMaskPlan PlanMaskPieces(const TkMaskData& mask, const fw::TRect& dest, int state);

// Tiles covering area with tiles of the given size from its top-left corner;
// the last column and row are cut to what is left (the tile's leading part).
// Nothing when a tile side is below 1.
std::vector<fw::TRect> PlanTiles(const fw::TRect& area, int tileWidth, int tileHeight);

}  // namespace skin
