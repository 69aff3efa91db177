// The pixel work of the image page's glyph tools: the gray range and the
// span flood fill of the grab, the ink-column scans of the character
// cropper, and the sizes of the sample box. Everything works on pixel rows
// (PixelView), so it is tested without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

#include "app/core/pixel_ops.h"
#include "fw/core/types.h"

namespace app {

// The grays a grab takes, both ends included; empty when Upper < Lower.
struct TGrayRange {
  int Lower = 0;
  int Upper = -1;
  bool Empty() const { return Upper < Lower; }
  friend bool operator==(const TGrayRange&, const TGrayRange&) = default;
};

// The range of a clicked gray at the colour-range slider's position
// (100 .. 140): upper = round(p/100 g), lower = round((p-45)/100 g), then
// upper is held at 255; a lower bound under 50 gives the dark grays 0 .. 50
// whatever the upper bound was; lower is held at 255.
TGrayRange GrabGrayRange(int gray, int position);

// The gray colours m + 256 m + 65536 m of the range, from Lower up.
std::vector<TColor> GrayRangeColors(const TGrayRange& range);

using TColorSet = std::unordered_set<TColor>;

// What the fill does while it runs: Tick reads a millisecond clock, and
// ShowProgress is called at the first pixel of a span when the clock moved
// on since the previous painted pixel (and at the very first pixel).
struct TFloodProgress {
  std::function<uint32_t()> Tick;
  std::function<void()> ShowProgress;
};

// Span flood fill from (x, y) over the pixels whose colour is in the set:
// each span is found by walking left from the popped point and then right,
// every pixel of it pushes its upper and lower neighbours that are in the
// set, and is painted FillColor in the bitmap and black in the mask (of
// the bitmap's size). A point outside the bitmap or a fill colour that is
// itself in the set fills nothing. Answers the number of painted pixels.
int64_t FloodFillSpans(const PixelView& bitmap, const PixelView& mask, int x, int y, TColor fillColor,
                       const TColorSet& colors, const TFloodProgress* progress = nullptr);

// The boxes of the character cropper, one per run of ink columns from left
// to right: a column holds ink when one of its pixels is exactly black; a
// box spans its run's columns and the rows from the first to the last one
// with ink in those columns. An image without ink gives no box.
std::vector<fw::TRect> InkColumnRunBoxes(const PixelView& v);

// The sample box (width x height) of the settings' item "70 x 70",
// "80 x 80", "90 x 80", "100 x 80"; no item chosen gives 70 x 70.
fw::TPoint SampleBoxForItem(int itemIndex);

}  // namespace app
