#include "skin/engine/core/animation_steps.h"

#include <algorithm>

#include "fw/core/mathutils.h"

namespace skin {

namespace {

std::vector<int> RisingAlphas(int steps, int maxAlpha, double delta) {
  std::vector<int> result;
  if (steps < 1) return result;
  double trans = 0;
  for (int i = 0; i <= steps; ++i) {
    trans = std::min(static_cast<double>(maxAlpha), trans + delta);
    result.push_back(static_cast<int>(fw::Round(trans)));
  }
  return result;
}

}  // namespace

std::vector<int> FormShowAlphas(unsigned timeMs, int maxAlpha) {
  int steps = AnimStepCount(timeMs);
  return RisingAlphas(steps, maxAlpha, steps > 0 ? static_cast<double>(maxAlpha) / steps : 0);
}

std::vector<int> DialogShowAlphas(unsigned timeMs, int maxAlpha) {
  int steps = AnimStepCount(timeMs);
  return RisingAlphas(steps, maxAlpha, static_cast<double>(maxAlpha) / (steps + 1));
}

std::vector<int> HideAlphas(unsigned timeMs, int startAlpha) {
  std::vector<int> result;
  int steps = AnimStepCount(timeMs);
  if (steps < 1) return result;
  double trans = startAlpha, p = static_cast<double>(startAlpha) / steps;
  for (int i = 0; i <= steps; ++i) {
    trans = std::max(0.0, trans - p);
    result.push_back(static_cast<int>(fw::Round(trans)));
  }
  return result;
}

namespace {

// The rectangle of every step, from the first one growing by (dx, dy) on each side.
std::vector<TZoomRect> ZoomSteps(TZoomRect z, double dx, double dy, int stepCount) {
  std::vector<TZoomRect> result;
  for (int i = 0; i <= stepCount; ++i) {
    result.push_back(z);
    z.l -= dx;
    z.t -= dy;
    z.r += dx;
    z.b += dy;
  }
  return result;
}

}  // namespace

std::vector<TZoomRect> ShowZoomRects(int width, int height, int stepCount) {
  if (stepCount < 1) return {};
  return ZoomSteps({width / 8.0, height / 8.0, width - width / 8.0, height - height / 8.0},
                   (width / 8.0) / stepCount, (height / 8.0) / stepCount, stepCount);
}

std::vector<TZoomRect> HideZoomRects(int width, int height, int stepCount) {
  if (stepCount < 1) return {};
  return ZoomSteps({0, 0, static_cast<double>(width), static_cast<double>(height)},
                   -width / (stepCount * 8.0), -height / (stepCount * 8.0), stepCount);
}

int TransitionOldAlpha(int maxAlpha, int newAlpha) { return std::min(255, std::max(0, 3 * (maxAlpha - newAlpha))); }

std::vector<int> ScreenBlendWeights(int stepCount) {
  std::vector<int> result;
  if (stepCount < 1) return result;
  int w = 255 / stepCount, v = 255;
  for (int i = 0; i <= stepCount && v >= 0; ++i) {
    result.push_back(std::max(0, v));
    v -= w;
  }
  return result;
}

}  // namespace skin
