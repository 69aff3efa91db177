#include "app/core/glyph_grab.h"

#include <algorithm>

namespace app {

TGrayRange GrabGrayRange(int gray, int position) {
  // p * g / 100 ends in exactly .5 only when the product does, and then the
  // quotient is exact in a double: halves go to even as the rule says.
  auto upper = static_cast<uint16_t>(RoundHalfEven(position * gray / 100.0));
  auto lower = static_cast<uint16_t>(RoundHalfEven((position - 45) * gray / 100.0));
  if (upper >= 255) upper = 255;
  if (lower < 50) {
    lower = 0;
    upper = 50;
  }
  if (lower >= 255) lower = 255;
  return TGrayRange{lower, upper};
}

std::vector<TColor> GrayRangeColors(const TGrayRange& range) {
  std::vector<TColor> colors;
  for (int m = range.Lower; m <= range.Upper; ++m) colors.push_back(m + 256 * m + 65536 * m);
  return colors;
}

int64_t FloodFillSpans(const PixelView& bitmap, const PixelView& mask, int x0, int y0, TColor fillColor,
                       const TColorSet& colors, const TFloodProgress* progress) {
  if (bitmap.Empty() || !bitmap.Contains(x0, y0)) return 0;
  if (colors.count(fillColor)) return 0;
  const int w = bitmap.Width;
  const int h = bitmap.Height;
  auto inSet = [&](int x, int y) { return colors.count(bitmap.ColorAt(x, y)) != 0; };
  auto tick = [&]() -> uint32_t { return progress && progress->Tick ? progress->Tick() : 0; };

  struct TFillPoint {
    int x, y;
  };
  std::vector<TFillPoint> stack{{x0, y0}};
  int64_t painted = 0;
  uint32_t lastPaintTick = 0;
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    const uint32_t spanTick = tick();
    while (x > 0 && inSet(x - 1, y)) --x;
    bool spanStart = true;
    while (x < w && inSet(x, y)) {
      if (y > 0 && inSet(x, y - 1)) stack.push_back({x, y - 1});
      if (y + 1 < h && inSet(x, y + 1)) stack.push_back({x, y + 1});
      bitmap.SetColor(x, y, fillColor);
      mask.SetColor(x, y, kInk);
      if (spanStart && progress && progress->ShowProgress && (painted == 0 || lastPaintTick < spanTick))
        progress->ShowProgress();
      spanStart = false;
      ++painted;
      lastPaintTick = tick();
      ++x;
    }
  }
  return painted;
}

namespace {

bool RowHasInk(const PixelView& v, int y, int left, int right) {
  for (int x = left; x < right; ++x)
    if (v.IsInk(x, y)) return true;
  return false;
}

}  // namespace

std::vector<fw::TRect> InkColumnRunBoxes(const PixelView& v) {
  std::vector<fw::TRect> boxes;
  if (v.Empty()) return boxes;
  // One entry past the right edge, which never holds ink, ends a run that
  // touches the edge.
  std::vector<char> ink(static_cast<size_t>(v.Width) + 1, 0);
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if (v.IsInk(x, y)) ink[static_cast<size_t>(x)] = 1;
  int s = 0;
  for (;;) {
    int start = s;
    while (start < v.Width && !ink[static_cast<size_t>(start)]) ++start;
    if (start >= v.Width) break;
    int end = start + 1;
    while (ink[static_cast<size_t>(end)]) ++end;
    int top = 0;
    while (!RowHasInk(v, top, start, end)) ++top;
    int bottom = v.Height;
    while (!RowHasInk(v, bottom - 1, start, end)) --bottom;
    boxes.push_back(fw::Rect(start, top, end, bottom));
    s = end;
  }
  return boxes;
}

fw::TPoint SampleBoxForItem(int itemIndex) {
  switch (itemIndex) {
    case 1:
      return {80, 80};
    case 2:
      return {90, 80};
    case 3:
      return {100, 80};
    default:
      return {70, 70};
  }
}

}  // namespace app
