// Skinned text on device contexts: the system's DrawTextW with the caller's
// format flags, text measured and cut to a width with "...", the soft glow
// laid under a caption, and captions in a skin section's font colours with
// their contours.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// DrawTextW of the whole text; returns the text's height (r changes only
// with DT_CALCRECT).
int DrawTextOnDC(HDC dc, const fw::String& text, fw::TRect& r, UINT format);
// The same in the canvas's font.
int DrawTextOnCanvas(fw::TCanvas& canvas, const fw::String& text, UINT format, fw::TRect& r);
int CanvasTextWidth(fw::TCanvas& canvas, const fw::String& text);
fw::TPoint CanvasTextSize(fw::TCanvas& canvas, const fw::String& text);
// The text at (x, y) clipped to r.
void CanvasTextRect(fw::TCanvas& canvas, const fw::TRect& r, int x, int y, const fw::String& text);
// In the DC's font; 0 x 0 when the system cannot measure.
fw::TPoint DCTextSize(HDC dc, const fw::String& text);
// The text when it fits width in the canvas's font, else its leading whole
// characters that fit with "..." after them, or "".
fw::String CutTextToWidth(fw::TCanvas& canvas, const fw::String& text, int width);

// Contour flags of the glow: the text is also drawn one pixel left, up,
// right and down.
constexpr int gcLeft = 1, gcTop = 2, gcRight = 4, gcBottom = 8, gcAll = 15;

// The glow of the text in r (one pixel down and right) laid under the
// 32-bit bitmap's pixels in glowColor: the text in the bitmap's font,
// drawn black on white with the contour shifts into an 8-bit mask
// glowSize + 4 pixels larger on every side, blurred by glowSize. The mask is
// kept in mask for the next paint of the same text; a mask of another size
// is drawn anew (a caller that changes the text passes an empty one).
void DrawTextGlow(fw::TBitmap& bitmap, const fw::String& text, const fw::TRect& r, UINT format, int contour,
                  int glowSize, fw::TColor glowColor, std::unique_ptr<fw::TBitmap>& mask);

// Writes the text in the canvas's font, background transparent: with a
// valid section, enabled text first gets the state's contour colours (each
// one pixel left, up, right, down; -1 skipped) and then its font colour;
// disabled text is written once in the normal state's font colour mixed
// with its colour (DisabledBlendRatio). Without a skin or section the text
// is written as the canvas's colour has it.
void DrawSectionText(fw::TCanvas& canvas, const fw::String& text, bool enabled, const fw::TRect& r, UINT format,
                     int skinIndex, int stateIndex, const TkLoadedSkin* skin);

// What the control text writer reads of a control's skin state.
struct TControlTextSource {
  const TkLoadedSkin* Skin = nullptr;
  int SkinIndex = -1;        // the control's section
  int ColorSkinIndex = -1;   // the section whose colours show (a see-through parent's); -1: SkinIndex
  bool Skinned = false;
  bool CustomFont = false;
  fw::TBitmap* Cache = nullptr;                  // 32-bit; the glow goes there
  std::function<fw::TColor(fw::TColor)> Adjust;  // the control's colour effects; none: unchanged
};

// A control's caption: clipped to r, transparent background. Unskinned or
// with its own font: in the canvas's colour, disabled embossed (highlight
// one pixel down-right, then shadow). Otherwise in the section's colours,
// adjusted by the control: the glow into the cache when the state has one,
// then contours and the font colour (enabled) or the font colour alone
// (disabled). State 1 of the web-button section underlines.
void DrawControlText(fw::TCanvas& canvas, const fw::String& text, bool enabled, const fw::TRect& r, UINT format,
                     const TControlTextSource& s, int stateIndex);

// The size of the text in the font: with word wrap the DT_CALCRECT
// rectangle of width; without, its extent (0 x 0 when that fails).
fw::TPoint MeasureTextWithFont(HFONT font, const fw::String& text, UINT format, bool wordWrap, int width);

}  // namespace skin
