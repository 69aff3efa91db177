// Background painting that blends a control into a themed parent: a plain
// fill in the control's colour, or the parent's own background painted into
// the control's area. Also the theme style bits of a control and the visual
// style services the painting asks.
#pragma once

#include <windows.h>

#include <climits>

#include "fw/controls/controls.h"
#include "fw/graphics/graphics.h"

namespace ck {

// What the painting asks of the visual styles. The default object answers
// from uxtheme (looked up at first use); tests put their own in place.
class TCkStyleServices {
 public:
  virtual ~TCkStyleServices() = default;
  // Visual styles are on for this program (themes active, the program
  // themed, common controls 6 loaded).
  virtual bool Enabled();
  // The active style is the system's own (the only kind this program has).
  virtual bool IsSystemStyle() { return true; }
  // Paints the parent's background of Window into DC, limited to R.
  virtual bool DrawParentBackground(HWND Window, HDC DC, const fw::TRect* R);
};

// Major version of the common controls library loaded in the process (0
// when none is).
DWORD CommonControlsMajorVersion();

TCkStyleServices* ActiveStyleServices();
// Replaces the services object (nullptr: the default one); returns the
// previous one. The caller keeps ownership.
TCkStyleServices* SetActiveStyleServices(TCkStyleServices* Services);

// The two theme bits of a control's style: csNeedsBorderPaint and
// csParentBackground.
fw::TControlStyle ThemeStyleFlags(fw::TControl* Control);
// Adds those of Style's bits that are theme bits; other bits are left alone.
void AddThemeStyleFlags(fw::TControl* Control, fw::TControlStyle Style);

// Paints the background of R on Canvas: a plain fill in Color, or, when
// styles are on, the control's colour is its parent's and (when
// NeedsParentBackground) the control has csParentBackground, the parent's
// background. The canvas's brush colour is the same afterwards.
void PaintThemedBackground(fw::TControl* Control, fw::TCanvas* Canvas, const fw::TRect& R, fw::TColor Color,
                           bool NeedsParentBackground);
void PaintThemedBackground(fw::TControl* Control, fw::TCanvas* Canvas, const fw::TRect& R,
                           bool NeedsParentBackground);

// No clipping for EraseWithParentBackground.
inline constexpr fw::TRect NoClipRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX};

// Asks the control's parent to erase its background into DC, whose logical
// coordinates are the control's: the parent's image is moved by Offset (the
// control's place in the parent) and clipped to R. The DC's origin and clip
// region are put back afterwards.
void EraseWithParentBackground(fw::TControl* Control, HDC DC, fw::TPoint Offset, const fw::TRect& R);
void EraseWithParentBackground(fw::TControl* Control, HDC DC, const fw::TRect& R);

}  // namespace ck
