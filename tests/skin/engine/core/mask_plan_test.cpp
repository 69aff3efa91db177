// The nine-piece plan of a skin mask: narrowing, state clamping, draw modes,
// frames without a centre, and the tiling of edges and centre.
#include "skin/engine/core/mask_plan.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

// Two states of 12 x 10 side by side at (100, 50), borders 3/2/4/1.
TkMaskData TwoStateMask(int drawMode) {
  TkMaskData m;
  m.R = fw::Rect(100, 50, 124, 60);
  m.ImageCount = 2;
  m.DrawMode = int16_t(drawMode);
  m.WL = 3, m.WT = 2, m.WR = 4, m.WB = 1;
  return m;
}

TEST(PlanMaskPieces, PlacesNinePiecesInPaintingOrder) {
  const TMaskPlan plan = PlanMaskPieces(TwoStateMask(dmPaintCenter), fw::Rect(10, 20, 40, 35), 1);
  ASSERT_EQ(plan.Pieces.size(), 9u);
  const int sx = 112, sy = 50;  // state 1
  const TMaskPiece expected[] = {
      {1, TMaskPieceKind::Corner, fw::Bounds(sx, sy, 3, 2), fw::Bounds(10, 20, 3, 2)},
      {2, TMaskPieceKind::Edge, fw::Bounds(sx, sy + 2, 3, 7), fw::Rect(10, 22, 13, 34)},
      {3, TMaskPieceKind::Edge, fw::Bounds(sx + 3, sy, 5, 2), fw::Rect(13, 20, 36, 22)},
      {4, TMaskPieceKind::Corner, fw::Bounds(sx, sy + 9, 3, 1), fw::Bounds(10, 34, 3, 1)},
      {5, TMaskPieceKind::Edge, fw::Bounds(sx + 3, sy + 9, 5, 1), fw::Rect(13, 34, 36, 35)},
      {6, TMaskPieceKind::Corner, fw::Bounds(sx + 8, sy + 9, 4, 1), fw::Bounds(36, 34, 4, 1)},
      {7, TMaskPieceKind::Corner, fw::Bounds(sx + 8, sy, 4, 2), fw::Bounds(36, 20, 4, 2)},
      {8, TMaskPieceKind::Edge, fw::Bounds(sx + 8, sy + 2, 4, 7), fw::Rect(36, 22, 40, 34)},
      {9, TMaskPieceKind::Centre, fw::Bounds(sx + 3, sy + 2, 5, 7), fw::Rect(13, 22, 36, 34)},
  };
  for (int i = 0; i < 9; ++i) EXPECT_EQ(plan.Pieces[i], expected[i]) << "piece " << i + 1;
}

TEST(PlanMaskPieces, SizesStatesAndModes) {
  struct Case {
    const char* what;
    int wl, wt, wr, wb, drawMode, state;
    fw::TRect dest;
    int l, t, r, b, usedState;
    size_t pieces;
  } cases[] = {
      {"larger than the corners", 3, 2, 4, 1, 0, 0, fw::Rect(0, 0, 30, 30), 3, 2, 4, 1, 0, 8},
      {"exactly the corners: no edges", 3, 2, 4, 1, 0, 0, fw::Rect(0, 0, 7, 3), 3, 2, 4, 1, 0, 4},
      // Narrowed to the width: no room left for the top and bottom edges.
      {"narrower than the corners, right loses the odd pixel", 5, 2, 5, 1, 0, 0, fw::Rect(0, 0, 7, 30), 4, 2, 3, 1, 0,
       6},
      {"lower than the corners, bottom loses the odd pixel", 3, 4, 4, 3, 0, 0, fw::Rect(0, 0, 30, 4), 3, 3, 4, 1, 0,
       6},
      // Only the right side's pieces remain; they reach left of the rectangle.
      {"one side already 0 leaves the sum too wide", 0, 2, 10, 1, 0, 0, fw::Rect(0, 0, 4, 30), 0, 2, 7, 1, 0, 3},
      {"state beyond the images paints the last", 3, 2, 4, 1, 0, 3, fw::Rect(0, 0, 30, 30), 3, 2, 4, 1, 1, 8},
      {"hot-only mask in state 0", 3, 2, 4, 1, dmHotOnly, 0, fw::Rect(0, 0, 30, 30), 0, 0, 0, 0, 0, 0},
      {"hot-only mask in state 1", 3, 2, 4, 1, dmHotOnly, 1, fw::Rect(0, 0, 30, 30), 3, 2, 4, 1, 1, 8},
      {"stretched with centre", 3, 2, 4, 1, dmStretch | dmPaintCenter, 0, fw::Rect(0, 0, 30, 30), 3, 2, 4, 1, 0, 9},
      {"destination 1 wide", 3, 2, 4, 1, 0, 0, fw::Rect(0, 0, 1, 30), 0, 0, 0, 0, 0, 0},
      {"destination 1 high", 3, 2, 4, 1, 0, 0, fw::Rect(0, 0, 30, 1), 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TkMaskData m = TwoStateMask(c.drawMode);
    m.WL = int16_t(c.wl), m.WT = int16_t(c.wt), m.WR = int16_t(c.wr), m.WB = int16_t(c.wb);
    const TMaskPlan plan = PlanMaskPieces(m, c.dest, c.state);
    EXPECT_EQ(plan.Pieces.size(), c.pieces) << c.what;
    if (c.pieces == 0) continue;
    EXPECT_EQ(plan.L, c.l) << c.what;
    EXPECT_EQ(plan.T, c.t) << c.what;
    EXPECT_EQ(plan.R, c.r) << c.what;
    EXPECT_EQ(plan.B, c.b) << c.what;
    EXPECT_EQ(plan.State, c.usedState) << c.what;
    EXPECT_EQ(plan.Stretch, (c.drawMode & dmStretch) != 0) << c.what;
  }
}

TEST(PlanMaskPieces, FrameWithoutCentreLeavesTheSidesUnpainted) {
  TkMaskData m = TwoStateMask(dmPaintCenter);
  m.WT = 6, m.WB = 4;  // t + b = frame height
  const TMaskPlan plan = PlanMaskPieces(m, fw::Rect(0, 0, 30, 40), 0);
  for (const TMaskPiece& p : plan.Pieces) {
    EXPECT_NE(p.Number, 2);
    EXPECT_NE(p.Number, 8);
    EXPECT_NE(p.Number, 9);
  }
  EXPECT_EQ(plan.Pieces.size(), 6u);  // corners, top and bottom
  for (const TMaskPiece& p : plan.Pieces) EXPECT_TRUE(PlanTiles(p.Dest, p.Source.Width(), p.Source.Height()).size() < 100);
}

TEST(PlanMaskPieces, BordersWiderThanTheFramePaintNothing) {
  TkMaskData m = TwoStateMask(0);
  m.WL = 8, m.WR = 8;  // frame 12 wide: centre would be -4
  EXPECT_TRUE(PlanMaskPieces(m, fw::Rect(0, 0, 40, 40), 0).Pieces.empty());
  m = TwoStateMask(0);
  m.ImageCount = 0;
  EXPECT_TRUE(PlanMaskPieces(m, fw::Rect(0, 0, 40, 40), 0).Pieces.empty());
}

TEST(PlanTiles, CoversWithWholeTilesAndOneCutTile) {
  struct Case {
    fw::TRect area;
    int tw, th;
    std::vector<fw::TRect> tiles;
  } cases[] = {
      {fw::Rect(5, 0, 15, 2), 3, 2, {fw::Rect(5, 0, 8, 2), fw::Rect(8, 0, 11, 2), fw::Rect(11, 0, 14, 2), fw::Rect(14, 0, 15, 2)}},
      {fw::Rect(0, 0, 6, 2), 3, 2, {fw::Rect(0, 0, 3, 2), fw::Rect(3, 0, 6, 2)}},
      {fw::Rect(0, 0, 2, 2), 3, 2, {fw::Rect(0, 0, 2, 2)}},
      {fw::Rect(0, 0, 4, 3), 2, 2, {fw::Rect(0, 0, 2, 2), fw::Rect(2, 0, 4, 2), fw::Rect(0, 2, 2, 3), fw::Rect(2, 2, 4, 3)}},
      {fw::Rect(0, 0, 10, 2), 0, 2, {}},
      {fw::Rect(0, 0, 10, 2), 3, 0, {}},
      {fw::Rect(0, 0, 0, 2), 3, 2, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanTiles(c.area, c.tw, c.th), c.tiles) << c.area.Left << "," << c.area.Right;
}

}  // namespace
}  // namespace skin
