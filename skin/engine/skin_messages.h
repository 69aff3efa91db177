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
constexpr WORD SKC_QUERYHALFVISIBLE = 11;
constexpr WORD SKC_SECTIONCHANGED = 13;
constexpr WORD SKC_BEFOREBORDERPAINT = 14;
constexpr WORD SKC_SETSECTION = 15;
constexpr WORD SKC_BEFOREREFRESH = 16;
constexpr WORD SKC_BGCHANGED = 17;
constexpr WORD SKC_INVALIDATE = 18;
constexpr WORD SKC_QUERYMOVEREPAINT = 19;
constexpr WORD SKC_MOVED = 20;
constexpr WORD SKC_GETBGCOLOR = 21;
constexpr WORD SKC_SETHALFVISIBLE = 22;
constexpr WORD SKC_PREPARECACHE = 23;
constexpr WORD SKC_CONTROLLOADED = 25;
constexpr WORD SKC_GETSKININDEX = 26;
constexpr WORD SKC_CTRLQUERY = 27;
constexpr WORD SKC_INITCONTROLS = 28;
constexpr WORD SKC_MOUSEENTER = 29;
constexpr WORD SKC_MOUSELEAVE = 30;
constexpr WORD SKC_BEGINUPDATE = 31;
constexpr WORD SKC_ENDUPDATE = 32;
constexpr WORD SKC_CLEARCACHE = 33;
constexpr WORD SKC_GETBGINFO = 34;
constexpr WORD SKC_GETDISABLEDKIND = 35;
constexpr WORD SKC_SKINSTATE = 36;
constexpr WORD SKC_GETSKINDATA = 37;
constexpr WORD SKC_SETPRINTDC = 38;
constexpr WORD SKC_PAINTOUTER = 40;
constexpr WORD SKC_BEFORESCROLL = 51;
constexpr WORD SKC_AFTERSCROLL = 52;
constexpr WORD SKC_FRAMECHANGED = 53;
constexpr WORD SKC_GETAPPLICATION = 60;
constexpr WORD SKC_GETCLIENTOFFSET = 61;
constexpr WORD SKC_UPDATETITLE = 62;
constexpr WORD SKC_GETBOUNDS = 70;
constexpr WORD SKC_LOADPREVIEW = 71;  // the only posted code

constexpr WPARAM SkinCommand(WORD code, WORD flag = 0) { return MAKEWPARAM(flag, code); }
// The code and the flag (codes 8, 17 and 20) of a received message.
constexpr WORD SkinCommandCode(WPARAM wParam) { return HIWORD(wParam); }
constexpr WORD SkinCommandFlag(WPARAM wParam) { return LOWORD(wParam); }

// Answers are LRESULT: codes 4, 37 and 60 answer object pointers.
LRESULT SendSkinCommand(HWND wnd, WORD code, LPARAM lParam);
// A graphic control through its own dispatch; a windowed control that is
// being destroyed or has no window yet gets nothing (0, no window made).
LRESULT SendSkinCommandToControl(fw::TControl* control, WORD code, LPARAM lParam);
inline LRESULT QuerySkinCommand(fw::TControl* control, WORD code) { return SendSkinCommandToControl(control, code, 0); }
// True when the window answers exactly 1 (code 7: the window is skinned).
bool SkinCommandIsOne(HWND wnd, WORD code);

// The background colour a control's children see: its answer to
// SKC_GETBGCOLOR when it is handled by the engine, else its own colour;
// plain RGB. 0xFF00FF without a control.
fw::TColor ControlSkinBgColor(fw::TControl* control);

}  // namespace skin
