// The one private message through which the parts of the skin engine talk:
// the command code in the high word of wParam, a flag in the low word, the
// argument in lParam.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"

namespace skin {

constexpr UINT WM_SKINCOMMAND = 0xA100;

constexpr WORD SKC_NEWSKIN = 1;
constexpr WORD SKC_REMOVESKIN = 2;
constexpr WORD SKC_REFRESH = 3;
constexpr WORD SKC_GETPROVIDER = 4;
constexpr WORD SKC_CHILDPAINTING = 5;
constexpr WORD SKC_UPDATEDONE = 6;
constexpr WORD SKC_ISHANDLED = 7;
constexpr WORD SKC_SETUPDATING = 8;
constexpr WORD SKC_QUERYUPDATING = 10;
constexpr WORD SKC_GETBGCOLOR = 21;
constexpr WORD SKC_GETDISABLEDKIND = 35;
constexpr WORD SKC_GETSKINDATA = 37;

constexpr WPARAM SkinCommand(WORD code, WORD flag = 0) { return MAKEWPARAM(flag, code); }

// The background colour a control's children see: its answer to
// SKC_GETBGCOLOR when it is handled by the engine, else its own colour;
// plain RGB. 0xFF00FF without a control.
fw::TColor ControlSkinBgColor(fw::TControl* control);

}  // namespace skin
