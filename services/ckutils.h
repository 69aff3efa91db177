// Drawing and window utility routines shared by the component layer. Only
// the routines the controls of this program call are here so far.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/core/component.h"
#include "fw/graphics/graphics.h"
#include "fw/graphics/imagelist.h"
#include "services/core/trackfont.h"

namespace services {

// Makes Field refer to New, moving Owner's free notification from the old
// component to the new one. False (and nothing changes) when New is already
// the field's component or Owner is missing.
bool SwapComponentReference(fw::TComponent* Owner, fw::TComponent* New, fw::TComponent*& Field);

template <class T>
bool SwapComponentReference(fw::TComponent* Owner, T* New, T*& Field) {
  fw::TComponent* f = Field;
  if (!SwapComponentReference(Owner, static_cast<fw::TComponent*>(New), f)) return false;
  Field = New;
  return true;
}

// The same for an image list; the change link moves from the old list to
// the new one as well.
bool SwapImageListReference(fw::TComponent* Owner, fw::TCustomImageList* New, fw::TCustomImageList*& Field,
                            fw::TChangeLink* ChangeLink);

// DrawTextW on a DC (or a canvas's DC, with its font, pen and brush
// selected) with DT_MODIFYSTRING taken out of the flags, so the text is
// never changed. Length -1: the whole text. R receives the measured
// rectangle with DT_CALCRECT. Returns DrawTextW's answer.
int DrawTextUnmodifiedDC(HDC DC, const fw::String& Text, int Length, fw::TRect& R, UINT Flags);
int DrawTextUnmodified(fw::TCanvas* Canvas, const fw::String& Text, int Length, fw::TRect& R, UINT Flags);

// Draws Source of Bitmap stretched into Dest, leaving out every pixel of
// TransparentColor: clNone copies every pixel, clDefault keys on the
// bitmap's bottom-left pixel, a monochrome bitmap keys on white. An empty
// Dest takes the bitmap's size; an empty Source the whole bitmap.
void StretchBitmapKeyed(fw::TCanvas* Canvas, fw::TRect Dest, fw::TBitmap* Bitmap, fw::TRect Source,
                        fw::TColor TransparentColor);
// The whole bitmap, or a part of it, unscaled with its top-left at (X, Y).
void DrawBitmapKeyed(fw::TCanvas* Canvas, int X, int Y, fw::TBitmap* Bitmap, fw::TColor TransparentColor);
void DrawBitmapPartKeyed(fw::TCanvas* Canvas, int X, int Y, const fw::TRect& Source, fw::TBitmap* Bitmap,
                         fw::TColor TransparentColor);

// The embossed (disabled) look of a glyph whose lines are drawn in
// OutlineColor: BackColor everywhere, the lines in HighlightColor one pixel
// right and down (when DrawHighlight), then in ShadowColor in place. Of a
// monochrome bitmap its white pixels are the lines.
std::unique_ptr<fw::TBitmap> BuildDisabledBitmapColored(fw::TBitmap* Bitmap, fw::TColor OutlineColor,
                                                        fw::TColor BackColor, fw::TColor HighlightColor,
                                                        fw::TColor ShadowColor, bool DrawHighlight);
// The same on clBtnFace with clBtnHighlight and clBtnShadow.
std::unique_ptr<fw::TBitmap> BuildDisabledBitmap(fw::TBitmap* Bitmap, fw::TColor OutlineColor);

// True when the active window is one of the calling thread's windows.
bool ThreadOwnsActiveWindow();

// Directions of GradientFillBands.
constexpr int gdTopToBottom = 0;
constexpr int gdBottomToTop = 1;
constexpr int gdLeftToRight = 2;
constexpr int gdRightToLeft = 3;

// Fills R with ColorCount bands running from StartColor to EndColor in the
// given direction; the pixels left over at the far end take EndColor
// (after the swap of the reversed directions). Fewer than two colours, or
// two equal ones, give one plain fill.
void GradientFillBands(fw::TCanvas* Canvas, const fw::TRect& R, fw::TColor StartColor, fw::TColor EndColor,
                       int Direction, int ColorCount);

}  // namespace services

namespace fw {
class TFont;
class TControl;
class TCanvas;
}  // namespace fw

namespace services {

// Copies charset, colour, height, name, pitch and style of Font into HotFont
// unless the option keeps HotFont's own; only with hoFollowFont.
void SyncHotTrackFont(fw::TFont* HotFont, fw::TFont* Font, TCkTrackFontOptions Options);
// With hoFollowFont: whether an attribute the options let HotFont keep
// differs from Font (decides whether a hot-track font is stored).
bool HotTrackFontDiffers(fw::TFont* HotFont, fw::TFont* Font, TCkTrackFontOptions Options);
// Paints onto Canvas what lies behind Control inside its parent: the
// parent's background and picture, then the siblings below the control.
void PaintParentImage(fw::TControl* Control, fw::TCanvas* Canvas);

}  // namespace services
