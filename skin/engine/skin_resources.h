// What the skin engine takes from the program's resources: the stored skins
// of the main window's skin manager (its InternalSkins, "Topaz (internal)"
// first), the BLUR5 image of generated outer effects and the two default
// window shadows; and the load options of this system.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_buffer.h"
#include "skin/engine/core/skin_loader.h"
#include "skin/engine/core/stored_skins.h"

namespace skin {

struct TStoredSkinData {
  fw::String Name;
  std::vector<uint8_t> Data;  // a packed skin
};

// A packed skin kept as a program resource (RCDATA) of that name; raises
// ESkinError when there is none.
std::vector<uint8_t> StoredSkinResource(const fw::String& name);
// In collection order. Raises ESkinError when a stored skin is missing.
std::vector<TStoredSkinData> LoadInternalSkins();
// The same as the items of a stored-skin collection (replacing its items).
void LoadInternalSkins(TkStoredSkins& skins);

// 19 x 19, 8-bit grey. Raises ESkinError when the resource is missing.
const TPixelBuffer& Blur5Image();
// 33 x 33, 32-bit; transparent white zeroed.
TPixelBuffer DefaultShadowImage(bool active);
// The title bar's built-in menu button "MENUBTN": three 32-bit frames side
// by side (normal, hot, pressed), straight alpha, key 0xFF00FF corners.
TPixelBuffer MenuButtonImage();
// The light strip animated gauges draw over their filled part ("ACGL").
TPixelBuffer GaugeLightImage();

// System colours through the system, the sizing-frame width, BLUR5.
TSkinLoadOptions SystemSkinLoadOptions();

}  // namespace skin
