// Skinned push buttons as numbers: which state a button paints in, where
// its caption goes, and where an image-list image or a bit-button glyph sits
// beside it. Halves truncate toward zero.
#pragma once

#include "fw/core/types.h"

namespace skin {

// What a push button shows.
enum TkcButtonState { bstNormal = 0, bstHot = 1, bstPressed = 2, bstDefault = 3 };

struct TkcButtonFacts {
  bool Down = false;            // BST_PUSHED
  bool Enabled = true;
  bool HasFocus = false;        // the keyboard focus, the manager's hot control, or focused by the skin
  bool HasOwnerControl = false; // a framework button (else a raw window)
  bool DefPushStyle = false;    // BS_DEFPUSHBUTTON
};

// Pressed, then disabled (normal), then focused or hot; a framework default
// button shows hot, a raw one its default look.
int ButtonCurrentState(const TkcButtonFacts& f);
// The state painted from a section of sectionStates states: the default look
// paints hot in a section without a fourth state; others clamp to the last.
int ButtonPaintedState(int currentState, int sectionStates);

// The width a caption may wrap within: 0 for no caption; the window's width
// plus 1 without a glyph; else what the glyph leaves, at least 0.
int ButtonMaxCaptionWidth(bool hasCaption, int width, int glyphWidth);
// Whether content moves by (1, 1): pressed, and either unskinned or the
// manager shifts content on click.
bool ShiftContent(bool down, bool skinned, bool shiftOnClick);
// The caption of text size (tw, th) centred in W x H, one pixel wider on the
// left and two on the right.
fw::TRect ButtonCaptionRect(int W, int H, int tw, int th, bool shift);

// Image-list images of a framework button.
enum TkcImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

struct TkcImageButtonLayout {
  int W = 0, H = 0;    // the button
  int IW = 0, IH = 0;  // the image; 0 x 0: no image
  int TW = 0, TH = 0;  // the caption's text size
  TkcImageAlignment Alignment = iaLeft;
  fw::TRect Margins;   // ImageMargins: Left, Top, Right, Bottom
  bool Shift = false;  // content moves by (1, 1)
};

fw::TRect ImageButtonGlyphRect(const TkcImageButtonLayout& l);
// The caption centred in the room beside the image.
fw::TRect ImageButtonCaptionRect(const TkcImageButtonLayout& l);

// The image indexes of a framework button.
struct TkcButtonImageIndexes {
  int Count = 0;  // images in the list
  int Normal = -1, Hot = -1, Pressed = -1, Selected = -1, Disabled = -1;
};
// Disabled, pressed, focused, else the current state; an alternative index
// outside the list falls back to the normal one.
int ButtonImageIndex(const TkcButtonImageIndexes& i, bool enabled, bool down, bool focused, int currentState);

// Glyphs of a bit button.
enum TkcBitBtnLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TkcBitBtnGeometry {
  int W = 0, H = 0;
  int GW = 0, GH = 0;  // one glyph frame
  int TW = 0, TH = 0;
  int Spacing = 4;
  bool HasCaption = false;
  TkcBitBtnLayout Layout = blGlyphLeft;
  bool Shift = false;
};
fw::TRect BitBtnGlyphRect(const TkcBitBtnGeometry& g);
// The caption's room: the width less both margins, less the glyph and its
// spacing when they sit beside the caption.
int BitBtnMaxCaptionWidth(bool hasCaption, int width, int margin, int glyphWidth, int glyphHeight, int spacing,
                          TkcBitBtnLayout layout);
// The bitmap of a raw bit button sits left of its caption.
fw::TRect RawBitBtnGlyphRect(int captionLeft, int H, int GW, int GH, bool pressed);

}  // namespace skin
