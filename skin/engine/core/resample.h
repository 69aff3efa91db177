// Resizing of 32-bit images with alpha by a separable two-pass filter: rows
// into a work image, then columns into the destination. Weights are 16.16
// fixed point, computed once per destination index, so the inner loops are
// integer multiply-and-add only.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/engine/core/pixel_view.h"

namespace skin {

// Filter kinds: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 cubic B-spline,
// 5 windowed sine, 6 Mitchell (B = C = 1/3). The engine uses 6 for colour
// images and 2 for alpha masks. Other kinds weigh everything 0.
constexpr uint8_t rfBox = 0, rfTriangle = 1, rfHermite = 2, rfBell = 3, rfSpline = 4, rfLanczos = 5, rfMitchell = 6;

// Support radius and kernel value of a kind (single precision, as the weights
// are computed).
float FilterSupport(uint8_t kind);
float FilterWeight(uint8_t kind, float signedDistance);

struct TContributor {
  int Index = 0;   // source sample index
  int Weight = 0;  // 16.16 fixed point
};

// For each of destSize indexes the source samples it draws on: centre i * S /
// D (no half-pixel offset), the support widened by 1 / scale when shrinking,
// edges mirrored (and clamped where a mirror would still fall outside). The
// weights are not renormalised.
std::vector<std::vector<TContributor>> BuildContributors(int sourceSize, int destSize, uint8_t kind);

// Resizes source into a newWidth x newHeight image. Nothing for a size of 0
// or less, or a source 1 pixel wide or high; a same-size call copies.
void ResamplePixels(const TPixelView32& source, TPixelBuffer& dest, int newWidth, int newHeight, uint8_t kind);

}  // namespace skin
