// The images of skinned buttons and tool bars: an image of an image list or
// one state frame of a glyph bitmap, drawn per state with the blend, grey,
// disabled and reflection looks.
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "fw/graphics/imagelist.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// The skin manager's options the glyph painters read.
struct TkGlyphOptions {
  bool CheckEmptyAlpha = true;   // a 32-bit glyph without any alpha shows opaque
  bool StdGlyphsOrder = false;   // the disabled look comes from the first frame
};
// The default skin manager's options; null while there is no manager.
extern const TkGlyphOptions* DefaultGlyphOptions;

// What a button draws, filled by the caller.
struct TkcGlyphPaintInfo {
  fw::TBitmap* DstBmp = nullptr;      // 32-bit; null: draw on DstCanvas
  fw::TCanvas* DstCanvas = nullptr;
  fw::TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  fw::TBitmap* Glyph = nullptr;       // used when no image of the list applies; never changed
  int SkinIndex = -1;
  const TkLoadedSkin* Skin = nullptr;
  fw::TRect ImgRect;
  int NumGlyphs = 1;                  // state images side by side in Glyph (below 1 counts as 1)
  bool Enabled = true;
  int BlendPercent = 0;               // transparency in the normal state
  bool Down = false;
  bool Grayed = false;                // discoloured in the normal state
  int State = 0;                      // 0 normal, 1 hot, 2 pressed, ...
  TkDisabledKind DisabledKind;
  bool Reflected = false;
};

// Draws the image of the button. The caller's glyph bitmap is read through
// a copy and stays exactly as it was.
void DrawButtonGlyph(const TkcGlyphPaintInfo& info);

// Draws frame state (the last beyond numGlyphs) of the list's image at
// (x, y) of the 32-bit bitmap, by its alpha, with the transparency, tint
// (clSkinNone for none) and reflection. Returns the frame size (the list's
// width / numGlyphs, its height); nothing is drawn for a list without a
// handle or an index outside it.
fw::TPoint DrawImageListFrame(fw::TCustomImageList* images, fw::TBitmap& dest, int x, int y, int state,
                              int numGlyphs, int imageIndex, bool reflected = false, uint32_t tint = clSkinNone,
                              int transparency = 0);

// Custom-draw item states of a standard tool bar.
constexpr UINT kToolItemChecked = 8, kToolItemDisabled = 4, kToolItemHot = 0x40;

// What a tool bar's button shows, as its custom drawing reports it.
struct TToolButtonGlyph {
  fw::TCustomImageList* Images = nullptr;
  fw::TCustomImageList* DisabledImages = nullptr;
  int ImageIndex = -1;
  fw::TPoint ButtonSize;
  bool ListMode = false;      // images left of the captions
  bool ShowCaptions = false;
  bool DropDown = false;      // a drop-down button
  bool BarEnabled = true;
  // The bar's skin (none: unskinned); SkinIndex the section the image lies on.
  const TkLoadedSkin* Skin = nullptr;
  int SkinIndex = -1;
  bool DiscoloredGlyphs = false;
  bool ShiftContentOnClick = true;
};

// Fills the paint info for the button in itemState and draws it into dest.
void DrawToolButtonGlyph(const TToolButtonGlyph& button, UINT itemState, fw::TBitmap& dest);

}  // namespace skin
