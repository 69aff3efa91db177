// Skin sections painted opaque into a 32-bit image, in layers: what lies
// behind (the parent's image or colour, by the state's transparency), the
// texture, the gradient and the state colour; then the corner images and
// the border mask.
#pragma once

#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// The section's place in ci's image: offset is added to ci.X and ci.Y.
struct TSectionPaint {
  int SkinIndex = -1;
  fw::String SectionName;
  TCacheInfo CI;
  int State = 0;
  fw::TRect R;
  fw::TPoint Offset;
  int TextureIndex = -1;     // -1: the state's own
  int HotTextureIndex = -1;  // the masked texture of states above 0
  uint32_t CustomColor = clSkinKey;  // clSkinKey: the section's own look
};

// The background of the section state (states above 1 paint as 1) into R.
// A large texture kept as JPEG ("PATTERN" without a texture mask) is
// decoded and tiled.
void PaintSectionBackground(const TPixelView32& dest, TkLoadedSkin& skin, const TSectionPaint& p);

// Background, corner images and border mask (its corners over the image
// itself). Nothing unless R lies inside the image.
void PaintSectionRect(const TPixelView32& dest, TkLoadedSkin& skin, TSectionPaint p);

// What the item painter reads of a control's skin state.
struct TControlItem {
  int SkinIndex = -1;
  int BorderIndex = -1;
  int Texture = -1, HotTexture = -1;
  uint32_t CustomColor = clSkinKey;  // the owner's own colour (RGB) when it has one
  uint32_t ColorTone = clSkinNone;   // the control's colour effects
  int HueOffset = 0;
  int Saturation = 0;  // percent
};

// The control's section background (its textures, its own colour when it has
// one) in state, clamped to the section's states.
void PaintControlBackground(const TPixelView32& dest, TkLoadedSkin& skin, const TControlItem& c, const TCacheInfo& ci,
                            int state, fw::TPoint offset, const fw::TRect& r);
// The control's whole item: background, corner images, border (left out in
// state 0 for a hot-only border), then, unless the border was left out of a
// partly transparent state, the control's tone, hue and saturation over the
// whole image, key pixels kept. Nothing unless r lies inside the image.
void PaintControlItem(const TPixelView32& dest, TkLoadedSkin& skin, const TControlItem& c, const TCacheInfo& ci,
                      bool updateCorners, fw::TPoint offset, const fw::TRect& r, int state);

// The lean background: the texture is the mask textureIndex as given, no
// one-pass texture and gradient, no custom colour, no masked texture. A
// see-through state copies a ready parent image, else gets ci.FillColor; a
// partly transparent one over a ready parent is blended with the weight
// T * 255 / 100; everything else paints straight into r.
void PaintSectionBackgroundByTexture(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int textureIndex,
                                     const TCacheInfo& ci, int state, const fw::TRect& r, fw::TPoint offset);
// The lean background and the given border mask (no corner images). Nothing
// unless r lies inside the image.
void PaintSectionRectWithBorder(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int borderIndex,
                                int textureIndex, const TCacheInfo& ci, int state, const fw::TRect& r,
                                fw::TPoint offset);

}  // namespace skin
