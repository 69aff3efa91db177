// What the adapters that paint a whole control share: where the window sits
// in its parent, what lies behind it there, its cache image (the control
// painted from the skin, copied to the window in one piece), the font it
// writes with, and the transparent corners of its border.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/text_out.h"

namespace skin {

void CaptureWindowGeometry(HWND Wnd, TkcWindowGeometry& G);

// What lies behind the window in its parent (the parent's image at the
// window's place, else a colour); NotReady while the parent's image is
// being made.
struct TkcBehind {
  TCacheInfo CI;
  bool NotReady = false;
};
TkcBehind WndParentCacheInfo(HWND Wnd, const TkcWindowGeometry& G);

// The painting state of an adapter that paints its control into a cache.
struct TkcPaintState {
  std::unique_ptr<fw::TBitmap> Cache;  // 32-bit, the window's size
  TkcWindowGeometry Geo;
  bool Focused = false;     // focused as the skin tracks it
  bool MouseAbove = false;  // hot as the skin tracks it
  int GlowID = -1;          // the glow shown around the hot control
  // The cache of the window's size (made or resized).
  fw::TBitmap& EnsureCache(int Width, int Height);
};

// The adapter's section in its skin, or null.
const TkGeneralData* AdapterSection(const TkcMainWnd& A, int* SkinIndex = nullptr);
int SectionStates(const TkcMainWnd& A);
// The section's state colours as the control shows them.
fw::TColor SectionColor(const TkcMainWnd& A, int State);
fw::TColor SectionFontColor(const TkcMainWnd& A, int State);
// The border mask of the adapter's section or more than one state in the
// section; false with the manager's NoMouseHover when RespectNoHover.
bool SkinHasHotState(const TkcMainWnd& A, bool RespectNoHover);
// What the text painter reads for the adapter's text drawn into its
// cache: the skin, the section's index (Skinned when it has one) and
// whether the control keeps its own font colour.
TControlTextSource AdapterTextSource(const TkcMainWnd& A, fw::TBitmap* Cache);
// What the item painter reads: the section, its border and textures, and
// the control's own colour when it keeps it.
TControlItem AdapterControlItem(const TkcMainWnd& A);

// The manager's button options (shown focus frame, content shifted on
// click), no mouse hover and discoloured glyphs; the defaults without a
// default manager.
bool ShowFocusRectOption();
bool ShiftContentOnClickOption();
bool NoMouseHoverOption();
bool DiscoloredGlyphsOption();
// A default manager exists (hover tracking goes through it).
bool HasDefaultManager();
// The window under the mouse as the default manager has it; null without one.
HWND ManagerActiveControl();
void SetManagerActiveControl(HWND Wnd);

// Paints what a control looks like behind its content into the cache: the
// section's item over what lies behind (state 1 when focused or hot), or in
// Plain (dialog) mode, when the skin has a border colour, the window colour
// framed in it; a disabled edit's text; the disabled look of a disabled
// control. Only while the adapter's BGChanged is set; leaves it set (and
// the adapter Updating) while the parent's image is not ready.
void PrepareControlCache(TkcMainWnd& A, TkcPaintState& S, bool Plain);
// The transparent corners of the section's border mask in the cache show
// what lies behind the window. Nothing in dialog mode.
void FillBorderCorners(TkcMainWnd& A, TkcPaintState& S, int State);
// The section's glow around the hot window (when the section has one and
// the manager allows glowing), and its removal.
void ShowAdapterGlow(TkcMainWnd& A, TkcPaintState& S);
void HideAdapterGlow(TkcPaintState& S);

// The window's text. Adapters made while their window is being created
// (a dialog's controls) read it when they paint: it is set after them.
fw::String WindowText(HWND Wnd);
// The control's font in the canvas: a framework control's Font, a raw
// window's WM_GETFONT, else the system's message font.
void SelectControlFont(fw::TCanvas& Canvas, fw::TControl* Control, HWND Wnd);

}  // namespace skin
