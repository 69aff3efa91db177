// The hue, saturation and brightness of a freshly loaded skin, changed in
// place once per load (hue, then saturation, then brightness): the master
// image, the elements' own images, section colours, gradient stops, the
// shadow colour and most palette colours. Pixels of exactly 0xFF00FF and
// colours of -1 are never changed.
#pragma once

#include "skin/engine/core/skin_data.h"

namespace skin {

// Trunc(value * 2.55) within -255..255.
int SaturationScale(int value);

void ChangeSkinHue(TkLoadedSkin& skin, int value);
void ChangeSkinSaturation(TkLoadedSkin& skin, int value);
void ChangeSkinBrightness(TkLoadedSkin& skin, int value);
// The three passes in order; each does nothing for 0.
void AdjustSkinColors(TkLoadedSkin& skin, int hueOffset, int saturation, int brightness);

// The alpha of an own PNG image made ready for painting: premultiplied, or
// only its transparent white zeroed (older skins). Loading premultiplies
// above version 7.45, the brightness pass from 7.45 on.
void PrepareAlpha(TPixelBuffer& image, bool premultiply);

}  // namespace skin
