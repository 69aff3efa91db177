// Stateless drawing routines of the XP-style controls: a banded two-colour
// gradient bitmap with optional dithering, one-pixel bound lines, a
// two-colour frame, a lightened grey glyph, recolouring of black pixels and
// captions drawn plain or embossed and placed by alignment.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/base/xp_core.h"
#include "fw/core/events.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace ck {

using fw::String;
using fw::TColor;
using fw::TRect;

// Text flags of the captions (the platform's DT_* values).
constexpr UINT XPTextLeft = DT_LEFT;
constexpr UINT XPTextCenter = DT_CENTER;
constexpr UINT XPTextRight = DT_RIGHT;
constexpr UINT XPTextVCenter = DT_VCENTER;
constexpr UINT XPTextWordBreak = DT_WORDBREAK;
constexpr UINT XPTextSingleLine = DT_SINGLELINE;
constexpr UINT XPTextExpandTabs = DT_EXPANDTABS;
constexpr UINT XPTextCalcRect = DT_CALCRECT;
constexpr UINT XPTextNoPrefix = DT_NOPREFIX;
constexpr UINT XPTextEndEllipsis = DT_END_ELLIPSIS;
constexpr UINT XPTextRtlReading = DT_RTLREADING;

// Same code and same object.
inline bool SameMethodPointer(const fw::TMethod& A, const fw::TMethod& B) { return A == B; }

// Gradient styles: 0 and 2 left to right, 1 and 3 top to bottom; 2 and 3
// with the two colours exchanged.
constexpr int gsLeftToRight = 0;
constexpr int gsTopToBottom = 1;
constexpr int gsLeftToRightSwapped = 2;
constexpr int gsTopToBottomSwapped = 3;

// Redraws Bitmap as a 24-bit gradient of Colors bands; with Dithered, the
// first pixels of every band take the previous band's colour at random in
// a 16-pixel pattern that repeats across the bitmap. A size below 1 leaves
// Bitmap untouched; fewer than two colours give a plain fill of the first
// colour.
void BuildDitheredGradient(int AWidth, int AHeight, TColor StartColor, TColor EndColor, uint8_t Colors, int Style,
                           bool Dithered, fw::TBitmap* Bitmap);

// The generator the dithering takes its numbers from. Seeded from the clock
// at start; tests seed it to get a reproducible pattern.
void SeedDitherRandom(uint32_t Seed);
// A number in 0 .. Range - 1 (0 for Range below 1).
int DitherRandom(int Range);

// A line with the canvas's pen; the end point is not drawn.
void StrokeLine(fw::TCanvas* ACanvas, int X1, int Y1, int X2, int Y2);

// ARect less BorderWidth on every side and, with ShowBoundLines, one more
// pixel on each side named in BoundLines.
void ShrinkForBoundLines(int BorderWidth, bool ShowBoundLines, TCkXPBoundLines BoundLines, TRect& ARect);

// One-pixel lines in AColor along the named sides of ARect.
void PaintBoundLines(fw::TCanvas* ACanvas, TCkXPBoundLines BoundLines, TColor AColor, const TRect& ARect);

// Every pixel becomes grey: G = (r + g + b) div 3, then G + 100 below 156,
// else 255. The glyph of a disabled button.
void LightenToGray(fw::TBitmap* ABitmap);

// The pure black pixels of ABitmap become AColor.
void TintBlackPixels(fw::TBitmap* ABitmap, TColor AColor);

// Top and left edges in TopColor, bottom and right in BottomColor (the two
// exchanged with Swapped).
void PaintFlatFrame(fw::TCanvas* ACanvas, const TRect& ARect, TColor TopColor, TColor BottomColor, bool Swapped);

// End ellipsis, the alignment, and word break or single line.
UINT CaptionTextFlags(fw::TAlignment Alignment, bool WordWrap);

// Draws a caption in AFont, embossed (highlight one pixel right and down,
// shadow on top) when disabled; with the calculate flag it only measures
// into ARect. Without AShowAccelChar an "&" shows as it is.
void PaintCaptionText(fw::TControl* AControl, fw::TCanvas* ACanvas, const String& ACaption, fw::TFont* AFont,
                      bool AEnabled, bool AShowAccelChar, TRect& ARect, UINT AFlags);

// Measures the text, moves ARect to its aligned and vertically centred place
// inside the given rectangle and draws it there.
void PlaceCaptionText(fw::TControl* AControl, fw::TCanvas* ACanvas, const String& AText, fw::TFont* AFont,
                      bool AEnabled, bool AShowAccelChar, fw::TAlignment AAlignment, bool AWordWrap, TRect& ARect);

}  // namespace ck
