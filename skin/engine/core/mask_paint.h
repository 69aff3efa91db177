// Painting one state of a skin mask into a rectangle of a 32-bit image, as
// the nine pieces of its plan: opaque (every skinned control), keeping a
// valid alpha channel (images of layered windows), and outer effects
// (shadows) with an opacity. All operations clip to every image and return
// silently on anything they cannot paint.
#pragma once

#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/mask_plan.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// The image a mask is cut from: its own, else the skin's master image.
TPixelView32 MaskSourceView(TkLoadedSkin& skin, const TkMaskData& mask);

// Composes the image piece at sourceRect (its mask part half the height of
// mask.R below) into dest at destRect: D := ((D - I) * M + I * 256) >> 8 per
// colour byte. Key pixels (exactly 0xFF00FF) and alpha follow ci and the
// background flag: ci Ready with the flag, keys take ci.Bmp's pixel and
// everything is opaque; ci Ready without it, everything is composed and
// opaque; ci not Ready with the flag, keys take ci.FillColor with alpha 0;
// otherwise keys are skipped; alpha is kept when ci is not Ready.
void CopyMaskedPiece(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                     const fw::TRect& sourceRect, const TCacheInfo& ci, bool background, const TkMaskData& mask);

// An image piece through its mask part (maskOffset rows below, red channel m)
// keeping alpha: D := (D * m + I * (255 - m)) >> 8, alpha 255 - m where it
// was 0, kept where 255, else the larger. Key pixels take ci's image pixel
// when ci is Ready with an image, else only get alpha 0. With an opacity the
// image's share is e = (opacity * (255 - m)) >> 8 instead.
void DrawMaskPieceAlpha(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                        const fw::TRect& sourceRect, int maskOffset, const TCacheInfo& ci);
void DrawMaskPieceOpacity(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                          const fw::TRect& sourceRect, int maskOffset, const TCacheInfo& ci, int opacity);

// One stretched piece and its mask part (maskOffset rows below) over destRect.
// Resampled (Mitchell for the image, Hermite for the mask of the alpha
// variants) for the centre and for pieces shrunk along one side only;
// otherwise sampled at the nearest pixel.
enum class TStretchVariant { Opaque, Alpha, Opacity };
void DrawStretchedMaskPiece(const TPixelView32& dest, const fw::TRect& destRect, bool centre, int maskOffset,
                            const TPixelView32& source, const fw::TRect& sourceRect,
                            TStretchVariant variant = TStretchVariant::Opaque, int opacity = 255);

// The three painters. Corners are keyed or masked with ci; edges and the
// centre get an empty cache info.
void DrawMaskRect(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, const TkMaskData& mask,
                  const TPixelView32& source, int state, bool updateCorners);
void DrawMaskRectAlpha(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, const TkMaskData& mask,
                       const TPixelView32& source, int state);
// Edges reach in from the outer side only as far as limits (left, top, right,
// bottom widths); the centre is never painted.
void DrawOuterMaskRect(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, const TkMaskData& mask,
                       const TPixelView32& source, int state, const fw::TRect& limits, int opacity);

// One texture tile with a mask part (half the height of mask.R below) from
// the master image. Key pixels take ci's image (ci Ready, FillColor the key),
// ci.FillColor (Ready with another colour, or not Ready with a colour other
// than the key), or stay.
void DrawMaskTexturePiece(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& master,
                          const fw::TRect& sourceRect, const TkMaskData& mask, const TCacheInfo& ci);

}  // namespace skin
