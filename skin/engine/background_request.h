// A skinned control asks its parent what lies behind it: the parent answers
// with its painted image or a colour, or, asked to draw, paints itself into
// the asker's device context.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/bitmap_blend.h"

namespace skin {

// What a background answer holds.
enum TkcBgType : uint8_t { btUnknown = 0, btFill = 1, btCache = 2, btNotReady = 3 };

// The record of SKC_GETBGINFO. The asker fills Offset (its place in the
// parent) and R (the area it wants, in its own coordinates); the parent
// answers BgType with Bmp (its image, the asker at Offset) or Color, and
// FillRect (the widths of its border when only the border is an image).
struct TkcBackgroundInfo {
  fw::TBitmap* Bmp = nullptr;
  fw::TColor Color = 0;
  fw::TPoint Offset;
  fw::TRect R;
  fw::TRect FillRect;
  uint8_t BgType = btUnknown;
  bool PleaseDraw = false;
  HDC DrawDC = nullptr;
};

// The skin's main colour for a window that answers nothing: set by the skin
// manager while it holds a skin; clBtnFace while it is null.
extern fw::TColor (*DefaultSkinMainColor)();

// Asks a window. True when it answered. Unanswered and pleaseDraw: the
// window paints itself (WM_ERASEBKGND, WM_PAINT) into info.DrawDC, moved so
// that the asker's place lands at the DC's origin and clipped to info.R;
// otherwise info gets the skin's main colour.
bool RequestBackgroundWnd(TkcBackgroundInfo& info, HWND wnd, bool pleaseDraw);
// Asks a control (through its window when it has one, else directly). As
// above, except that an unanswered request without drawing gets the
// control's background colour (its SKC_GETBGCOLOR answer, else its Color).
// Always true.
bool RequestBackground(TkcBackgroundInfo& info, fw::TControl* control, bool pleaseDraw);

// The answer as a background for the painters: an image answer is Ready at
// the asker's offset; any other gives the colour (RGB) and the border widths.
TCacheInfo BgInfoToCacheInfo(const TkcBackgroundInfo& info);

}  // namespace skin
