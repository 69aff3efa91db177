#include "skin/engine/core/corner_runs.h"

#include <algorithm>

namespace skin {

void AddCornerTransparencyRects(std::vector<fw::TRect>& rects, int windowWidth, const TkMaskData& mask,
                                const TPixelView32& source, bool bottom, int rowOffset) {
  if (source.Empty() || mask.ImageCount <= 0) return;
  const int fw = MaskFrameWidth(mask);
  const int rows = bottom ? mask.WB : mask.WT;
  const int first = mask.R.Top + (bottom ? mask.R.Height() / (mask.MaskType + 1) - mask.WB : 0);
  if (rows <= 0 || first < 0 || first + rows > source.Height || mask.R.Left < 0 || mask.R.Left + fw > source.Width)
    return;
  // Runs of key pixels in columns [from, to) of the frame, placed at shift + column.
  auto scan = [&](int row, int from, int to, int shift) {
    const uint32_t* line = source.Row(first + row) + mask.R.Left;
    int start = -1;
    for (int c = from; c <= to; ++c) {
      const bool key = c < to && line[c] == clSkinKey;
      if (key && start < 0) start = c;
      if (!key && start >= 0) {
        rects.push_back(fw::Rect(shift + start, rowOffset + row, shift + c, rowOffset + row + 1));
        start = -1;
      }
    }
  };
  for (int i = 0; i < rows; ++i) {
    scan(i, 0, std::min<int>(mask.WL, fw), 0);
    scan(i, std::max(0, fw - mask.WR), fw, windowWidth - fw);
  }
}

}  // namespace skin
