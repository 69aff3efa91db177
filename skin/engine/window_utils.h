// Window and control routines the skin engine's painters, handlers and
// form providers share: passing a skin command to all children, repainting
// children after an update, background colours of windows, a few window
// queries, monitor work areas and a plain hint window.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/controls/forms.h"
#include "fw/controls/hintwindow.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/messages.h"

namespace skin {

// Set while a form animation or skin-change transition runs: child repaints
// wait for its end.
extern bool AnimationInProgress;

fw::TPoint CurrentCursorPos();

// Asks the form holding the control (when it has a window) for adapters of
// the control's children (skin command 25). Nothing while it loads.
void RequestControlAdapters(fw::TControl* control);
// Skin command 6 to every child not being freed: sent to showing windowed
// children with a window, performed on graphic ones. Nothing while an
// animation runs.
void RepaintChildControls(fw::TWinControl* control);
// Skin command 6 to the direct child windows, in z-order.
void RepaintChildWindows(HWND wnd);

// The window's answer to skin command 21 as plain RGB; 0xFF00FF without a
// window.
fw::TColor WindowBgColor(HWND wnd);
// False for no control, a windowed control without a window, and a control
// being created, read, loaded or freed, or without a parent.
bool ControlCanPaint(fw::TControl* control);
// The first form among the component and its owners; null when none.
fw::TCustomForm* GetOwnerForm(fw::TComponent* component);
// DrawText flags of an alignment, vertically centred with tabs expanded,
// mirrored for right-to-left controls.
UINT AlignmentDrawFlags(fw::TControl* control, fw::TAlignment alignment);

// The message to every child of the control: performed on graphic children
// and on windowed ones without a window, sent to skinned windowed children
// (which pass it on themselves), and passed down through unskinned ones.
// A child being freed is skipped.
void BroadcastToControls(fw::TWinControl* control, fw::TMessage& message);
// The message sent to each direct child window.
void BroadcastToChildWindows(HWND wnd, const fw::TMessage& message);

// The window's rectangle on the screen.
fw::TRect WindowRectOf(HWND wnd);
// The client rectangle relative to the window rectangle's top-left.
fw::TRect ClientRectInWindow(HWND wnd);
fw::String WindowClassName(HWND wnd);
// Sum of the heights (alTop, alBottom) or widths (alLeft, alRight) of the
// visible children with exactly that alignment; 0 for other alignments.
int AlignedControlsExtent(fw::TWinControl* control, fw::TAlign align, bool withGraphicControls);
// The window reached by GetParent until there is no parent.
HWND TopLevelAncestor(HWND wnd);

// The monitor's whole rectangle for a stay-on-top form, else its work area.
fw::TRect FormWorkArea(fw::TCustomForm* form);
// The work area of the first monitor whose work area holds the point; an
// empty rectangle when none does.
fw::TRect MonitorWorkAreaAt(fw::TPoint point);
// Where a hint of the measured size goes for the point: 8 right and 16
// below it, moved back left and up so that it ends inside the work area.
fw::TRect HintRectAt(const fw::TRect& measured, fw::TPoint point, const fw::TRect& workArea);
// A hint window of the application's hint class showing the text near the
// point (at most 800 pixels wide); null for an empty text. The caller
// frees it.
fw::THintWindow* ShowHintAt(const fw::String& text, fw::TPoint point);

// Set while PaintGraphicControls runs: it does not enter itself.
extern bool PaintingGraphicControls;
// Paints the visible graphic children of the control into the DC (the
// control's origin at Offset) through one off-screen image, each over what
// lies behind it. With an empty clip the control is marked half visible
// (skin command 22) and nothing is painted.
void PaintGraphicControls(HDC DC, fw::TWinControl* Control, bool OnlyWhenVisible, fw::TPoint Offset);

// The program draws with its own skins, never with framework styles.
constexpr bool VclStylesActive() { return false; }

}  // namespace skin
