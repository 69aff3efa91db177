// What the standard controls share: the enumerations several of them
// publish, the common-controls classes they need registered, the colours a
// standard control asks its parent for, and the owner-draw state.
#pragma once

// Before <windows.h>: it renames GetObject (to GetObjectW), and the string
// lists' GetObject must keep its name in every unit that derives from them.
#include "fw/core/strings_list.h"
// (keep above)
#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/controls/forms.h"
#include "fw/core/typeinfo.h"

namespace fw {

FW_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
FW_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
FW_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
FW_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
FW_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
        odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// The custom-draw item state of list views and tool bars (its mask is the
// system's CDIS_* bits).
FW_ENUM(TCustomDrawStateItem, cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
        cdsMarked, cdsIndeterminate)
using TCustomDrawState = TSet<TCustomDrawStateItem>;

// The border of a control: bsNone or bsSingle, the first two members of the
// form border styles. Register such properties with
// .Type(TypeInfoTBorderStyle()) so that only those two are accepted.
using TBorderStyle = TFormBorderStyle;
const TTypeInfo* TypeInfoTBorderStyle();

// The owner-draw state of a DRAWITEMSTRUCT's itemState.
TOwnerDrawState OwnerDrawStateOf(UINT itemState);

// Makes sure the common-controls window classes of the ICC_* bits exist.
void InitCommonControlClasses(DWORD classes);

// Answers a WM_CTLCOLOR* reflected to a control: the font colour and the
// control's colour on dc, the brush as the result.
LRESULT ControlColorResult(HDC dc, TColor fontColor, TColor color, HBRUSH brush);

// A child window gets an identifier of its own after it is created, so
// that WM_MEASUREITEM, which names the sender only by identifier, finds it.
void AssignUniqueControlId(HWND wnd);

// Draws Width nested frames inside Rect, the top and left edges in
// TopColor, the bottom and right ones in BottomColor, and leaves Rect as the
// area inside them.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// Text drawn with DrawTextW in the canvas's font; with DT_CALCRECT, Rect
// receives the size the text takes.
void CanvasDrawText(TCanvas* Canvas, const String& Text, TRect& Rect, UINT Format);

// Keeps Windows' idea of the standard control's style bit in step.
void SetWindowStyleBit(HWND wnd, LONG_PTR bit, bool on);

}  // namespace fw
