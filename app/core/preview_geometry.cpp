#include "app/core/preview_geometry.h"

#include <algorithm>

#include "fw/core/mathutils.h"

namespace app {

int OneColumnItemHeight(int v) { return static_cast<int>(fw::Round((3.2 - 0.009 * v) * v)); }

int MultiColumnItemHeight(int v) { return static_cast<int>(fw::Round((2.1 - 0.007 * v) * v)) + 15; }

fw::TPoint FollowingPanelPlace(int x, int y, int panelWidth, int panelHeight, int windowWidth, int windowHeight) {
  fw::TPoint p;
  p.x = windowWidth < x + panelWidth + 30 ? x - panelWidth - 10 : x + 7;
  p.y = windowHeight >= y + panelHeight + 90 ? y + 35 : y - panelHeight / 2;
  return p;
}

int MagnifierZoom(int barValue) { return std::max(1, barValue / 2); }

fw::TRect MagnifierSourceRect(const fw::TPoint& cursor, int z, int viewWidth, int viewHeight, int screenWidth,
                              int screenHeight) {
  const int dx = static_cast<int>(fw::Round(viewWidth / (4.0 * z)));
  const int dy = static_cast<int>(fw::Round(viewHeight / (4.0 * z)));
  fw::TRect r{cursor.x - dx, cursor.y - dy, cursor.x + dx, cursor.y + dy};
  // Shifted, not clipped: the view always shows a full piece of the screen.
  if (r.Left < 0) r = {0, r.Top, r.Right - r.Left, r.Bottom};
  if (r.Top < 0) r = {r.Left, 0, r.Right, r.Bottom - r.Top};
  if (r.Right > screenWidth) r = {r.Left - (r.Right - screenWidth), r.Top, screenWidth, r.Bottom};
  if (r.Bottom > screenHeight) r = {r.Left, r.Top - (r.Bottom - screenHeight), r.Right, screenHeight};
  return r;
}

fw::TPoint MagnifierCrosshair(const fw::TPoint& cursor, const fw::TRect& source, int z) {
  return {2 * z * (cursor.x - source.Left), 2 * z * (cursor.y - source.Top) + z};
}

uint32_t ContrastPenColor(uint32_t color) {
  const uint32_t sum = (color & 0xFF) + (color >> 8 & 0xFF) + (color >> 16 & 0xFF);
  return sum <= 384 ? 0xFFFFFF : 0x000000;
}

fw::TPoint ZoomedSize(int width, int height, int percent) {
  const auto side = [percent](int n) {
    return std::max<int>(1, static_cast<int>(fw::Round(static_cast<double>(n) * percent / 100.0)));
  };
  return {side(width), side(height)};
}

}  // namespace app
