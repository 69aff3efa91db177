// Shared vocabulary and drawing routines of the wizard: its exception, the
// edge kinds in system colours, and placing or tiling a picture in a
// rectangle.
#pragma once

#include "fw/core/exceptions.h"
#include "fw/core/typeinfo.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace ck {

using fw::String;
using fw::TColor;
using fw::TRect;

class ECkWizardError : public fw::Exception {
 public:
  using Exception::Exception;
};

// Text alignment of a wizard title.
using fw::TAlignment;
using fw::taCenter;
using fw::taLeftJustify;
using fw::taRightJustify;

FW_ENUM(TCkWizardImageAlignment, iaLeft, iaRight, iaCenter, iaStretch)
FW_ENUM(TCkWizardImageLayout, ilTop, ilBottom, ilCenter, ilStretch, ilTile)
// iaLeft or iaRight.
using TCkWizardImageLeftRight = TCkWizardImageAlignment;

// Edge kinds 0..6 (the wizard draws kind 3, an etched line) and the sides
// they are drawn on.
using TCkWizardEdgeKind = int;
constexpr unsigned WizardEdgeLeft = 1;
constexpr unsigned WizardEdgeTop = 2;
constexpr unsigned WizardEdgeRight = 4;
constexpr unsigned WizardEdgeBottom = 8;
constexpr unsigned WizardEdgeAll = 15;

// Left and top sides in OuterColor, right and bottom in InnerColor, one
// pixel each; Result is ARect with each drawn side moved in by one.
void WizardPaintEdgeLines(fw::TCanvas* ACanvas, const TRect& ARect, TColor OuterColor, TColor InnerColor,
                          unsigned Sides, TRect& Result);
// Draws an edge of the kind on the chosen sides; Result is the rectangle
// inside it.
void WizardPaintEdge(fw::TCanvas* ACanvas, const TRect& ARect, TCkWizardEdgeKind Kind, unsigned Sides,
                     TRect& Result);

// Places a graphic in a rectangle by alignment and layout (tiling, offset,
// cut to size or stretched). Nothing without a graphic.
void WizardPaintGraphic(fw::TCanvas* ACanvas, fw::TGraphic* AGraphic, TRect ARect,
                        TCkWizardImageAlignment Alignment, TCkWizardImageLayout Layout);
// Tiles the graphic over the rectangle; ECkWizardError for a graphic of
// zero width or height.
void WizardPaintTiled(fw::TCanvas* ACanvas, fw::TGraphic* AGraphic, const TRect& ARect);

}  // namespace ck
