#include "skin/controls/core/spin_geometry.h"

namespace skin {

std::pair<fw::TRect, fw::TRect> SpinButtonRects(int W, int H, bool Vertical, int LeftOffset) {
  if (Vertical) return {fw::Rect(LeftOffset, 0, W, (H + 1) / 2), fw::Rect(LeftOffset, H / 2, W, H)};
  return {fw::Rect(0, 0, (W + 1) / 2, H), fw::Rect(W / 2, 0, W, H)};
}

std::pair<int, int> SpinButtonStates(int W, int H, bool Vertical, int X, int Y, bool Pressed) {
  if (X < 0 || Y < 0 || X >= W || Y >= H) return {0, 0};
  const int look = Pressed ? 2 : 1;
  // The first button is the window less its lower (right) half.
  const bool first = Vertical ? Y < H - H / 2 : X < W - W / 2;
  return first ? std::pair{look, 0} : std::pair{0, look};
}

}  // namespace skin
