// The program's own skins, "Sapphire (internal)" and "Topaz (internal)",
// drawn from one template and two short palettes, and the engine's own
// images (BLUR5, the two window-shadow templates). Everything is a pure
// function of the numbers in skin_art.cpp, so the files in resources/skins
// can be checked against a fresh drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/engine/core/pixel_buffer.h"

namespace skinart {

struct TProgramSkin {
  std::string Name;       // "Sapphire (internal)"
  std::string FileName;   // "sapphire.ksz"
  std::string Options;    // the description text, CRLF lines
  skin::TPixelBuffer Master;  // 32-bit; written as a 24-bit "MASTER.BMP"
  std::vector<uint8_t> Packed;  // the ".ksz" bytes
};

// In the order the program stores them: Topaz first.
std::vector<TProgramSkin> MakeProgramSkins();

// 19 x 19, 8-bit grey: white in the middle, fading to black at the edges.
skin::TPixelBuffer MakeBlur5();
// 33 x 33 RGBA window shadows, straight alpha; the active one is darker.
skin::TPixelBuffer MakeShadowTemplate(bool active);
// The gauge's light strip: 60 x 20, white, its alpha rising from 0 at both
// ends to 134 in the middle, weaker in the middle rows.
skin::TPixelBuffer MakeGaugeLight();

// 72 x 20: the title bar's built-in menu button in three frames side by
// side (normal, hot, pressed); rounded corners keyed 0xFF00FF, opaque.
skin::TPixelBuffer MakeMenuButton();

// One generated file of resources/skins.
struct TGeneratedFile {
  std::string Name;
  std::vector<uint8_t> Bytes;
};
std::vector<TGeneratedFile> MakeGeneratedFiles();

// A picture of a skin as the program shows it (loaded with the given
// saturation): every image element magnified, labelled with its section
// and name, and the sections' normal and hot colours.
skin::TPixelBuffer MakeContactSheet(const TProgramSkin& skin, int saturation);

}  // namespace skinart
