// What a skinned control's kind code decides: the section it is painted
// with when it names none, whether the skin sets its colours, whether it
// has a hot state and whether its background stays the same when hot; the
// background kind bits of a section; and the two background colour blends
// (the answer to skin command 21 weighs by 256, the control's own colour by
// 100).
#pragma once

#include <cstdint>

#include "fw/core/types.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// The section of a control of that kind that names none: a fixed section,
// or the owner's class name.
fw::String DefaultSectionOfKind(int kind, fw::StringView ownerClassName);

// Containers whose background never changes with a hot state, and which
// get no glow on mouse entry.
bool IsPlainBgKind(int kind);
// Controls whose Color and Font.Color the skin sets.
bool IsColoredKind(int kind);
// Controls without a hot (mouse-over) state.
bool IsNoHotKind(int kind);

// CtrlSkinState bits.
constexpr uint16_t cssPlainBackground = 0x1;
constexpr uint16_t cssUndecided = 0x2;  // the whole word: bit 0 not computed yet
constexpr uint16_t cssPrinting = 0x200;
// A form's menu changed while it was updating: the change is told again
// when the update ends.
constexpr uint16_t cssMenuChangeHeld = 0x400;
constexpr uint16_t cssUpdating = 0x800;

// BGType of a section's normal state: 4 for a texture, plus 2, 1 or 3 by
// the first gradient part's mode (0, 1, 2).
uint16_t SectionBgType(const TkGenState& state);

// Skin command 21 for a partly transparent section: each colour byte
// own + (parent - own) * transparency / 256; the fourth byte the parent's.
fw::TColor BlendBgColor256(fw::TColor own, fw::TColor parent, int transparency);
// A control's background colour for a partly transparent section: each
// colour byte own * t / 100 + parent * (1 - t / 100); the fourth byte own.
fw::TColor BlendBgColorPercent(fw::TColor own, fw::TColor parent, int transparency);

}  // namespace skin
