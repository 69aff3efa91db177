// Check boxes, radio buttons and group boxes laid out as plain numbers:
// what kind a button window is by its style, which glyph of the skin it
// shows, and where glyph and caption go.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace skin {

enum TkButtonKind { bkPush, bkCheck, bkRadio, bkGroup, bkOwnerDraw };

// By the style's type (BS_TYPEMASK): check boxes and 3-state boxes,
// radio buttons, group boxes, owner-drawn buttons; every other type
// (push, default, split, command link) is a push button.
TkButtonKind ButtonKindOf(uint32_t Style);

// The mask in "GLOBALINFO" of a check state (0 unchecked, 1 checked, 2
// indeterminate) for a button of that style.
const char16_t* CheckGlyphMaskName(uint32_t Style, int CheckState);

// The glyph (Gw x Gh) of a W x H check box: vertically centred, at the
// left, or at the right with BS_LEFTTEXT.
fw::TRect CheckGlyphRect(int W, int H, int Gw, int Gh, uint32_t Style);

// Where the caption (Tw x Th) of a W x H check box with a glyph Cw wide is
// written, and the DrawText flags it is written with.
struct TkCheckText {
  fw::TRect R;
  uint32_t Flags = 0;
};
TkCheckText CheckTextPlace(int W, int H, int Cw, int Tw, int Th, uint32_t Style, uint32_t ExStyle);

// The caption strip of a W wide group box whose caption is Tw x Th (0 x 0
// without caption); right-to-left reading puts it at the right.
fw::TRect GroupCaptionRect(int W, int Tw, int Th, uint32_t ExStyle);

}  // namespace skin
