// Which attributes a hot-track font takes over from the control's font
// (the label, the transparent button and the panels keep such a font).
#pragma once

#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"

namespace services {

FW_ENUM(TCkTrackFontOption, hoFollowFont, hoPreserveCharSet, hoPreserveColor, hoPreserveHeight, hoPreserveName,
        hoPreservePitch, hoPreserveStyle, hoPreserveOrientation, hoPreserveQuality)
using TCkTrackFontOptions = fw::TSet<TCkTrackFontOption>;

// The controls' default: follow the font, keep colour and style (69).
inline constexpr TCkTrackFontOptions DefaultTrackFontOptions{hoFollowFont, hoPreserveColor, hoPreserveStyle};

}  // namespace services
