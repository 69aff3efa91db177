// The arithmetic of the multi-font list and of the screen tools: the list's
// item heights for a sample size, where the floating image panel goes when
// it follows the cursor, the magnifier's source rectangle and crosshair, the
// pen colour that stays readable on a colour, and the zoomed size of a
// picture.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace app {

// Height of an entry in one-column mode for sample size v (points):
// round((3.2 - 0.009 v) v).
int OneColumnItemHeight(int v);
// Fixed item height in multi-column mode: round((2.1 - 0.007 v) v) + 15.
int MultiColumnItemHeight(int v);

// Where the floating panel of the list goes when it follows the cursor at
// (x, y) of the list, in a window of the given client size.
fw::TPoint FollowingPanelPlace(int x, int y, int panelWidth, int panelHeight, int windowWidth, int windowHeight);

// The magnifier's zoom z from the zoom bar's value: value div 2, at least 1.
int MagnifierZoom(int barValue);

// The piece of the screen the magnifier enlarges: the cursor inflated by
// round(W / 4z) and round(H / 4z), shifted back inside the screen.
fw::TRect MagnifierSourceRect(const fw::TPoint& cursor, int z, int viewWidth, int viewHeight, int screenWidth,
                              int screenHeight);

// The crosshair's centre on the magnified view.
fw::TPoint MagnifierCrosshair(const fw::TPoint& cursor, const fw::TRect& source, int z);

// White (0xFFFFFF) on colours whose red + green + blue is at most 384, else
// black. Colours are 0x00BBGGRR.
uint32_t ContrastPenColor(uint32_t color);

// A picture's size at a zoom in per cent, each side rounded and at least 1.
fw::TPoint ZoomedSize(int width, int height, int percent);

}  // namespace app
