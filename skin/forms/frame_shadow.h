// The extended frame around a form or dialog that has a border window: the
// manager's shadow image nine-sliced around the frame (or, when the skin
// draws frame and shadow as one image, over the frame's edges and title
// too), the shadow shown through the key-coloured corners of the border
// masks, and the frame made opaque for the layered border window.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"
#include "skin/forms/core/frame_geometry.h"

namespace skin {

// A border window whose skin draws frame and shadow from one image
// (`ExDrawMode` 1); the title section is then left out.
bool ExOneImage(const TkLoadedSkin& skin, const TkFormFrameFacts& f);

// The frame inside the shadow margins becomes opaque; pixels left in the key
// colour become fully transparent.
void MakeFrameOpaque(const TPixelView32& image, const TkFormFrameFacts& f);

// The shadow image over the whole image, without centre. One image: the
// extended-border mask's widths (each kept within the image), as deep as
// the frame plus shadow and the whole title, edges stretched by the mask's
// draw mode bit 0. Otherwise only the shadow margins; stretchAlways
// stretches the edges whatever the mask's draw mode says.
void DrawFrameShadow(const TPixelView32& image, const TPixelView32& shadow, const TkLoadedSkin& skin,
                     const TkFormFrameFacts& f, bool oneImage, bool stretchAlways);

// Shadow pixels where the border masks' corners hold the key colour: the
// top corners from the title section's border mask when it has one, else
// from the form's (top-left at most 8 x 8), the bottom corners from the
// form's border mask.
void FillShadowCorners(const TPixelView32& image, const TPixelView32& shadow, TkLoadedSkin& skin,
                       const TkFormFrameFacts& f, int formSkinIndex, int titleSkinIndex);

// GDI drawing clears the alpha of what it touches: a copy taken first lets
// the changed pixels become opaque and the unchanged ones keep their alpha.
class TkAlphaKeeper {
 public:
  explicit TkAlphaKeeper(const TPixelView32& image);
  void Restore();

 private:
  TPixelView32 FImage;
  std::vector<uint32_t> FBefore;
};

}  // namespace skin
