// Texts of system-menu items: the standard menu's "caption<Tab>shortcut"
// entries and the names behind the entries of the skin list.
#pragma once

#include "fw/core/types.h"

namespace skin {

// The part before the first tab, and the part after it (empty without tab).
fw::String MenuTextCaption(const fw::String& Text);
fw::String MenuTextShortCut(const fw::String& Text);

// The skin name a skin-list entry stands for: the caption without hot-key
// marks ("&"), cut right after the first InternalSuffix when it has one.
fw::String SkinNameOfCaption(const fw::String& Caption, const fw::String& InternalSuffix);

// Skin-list entry Index starts a new column (20 skins a column).
constexpr int kSkinsPerColumn = 20;
constexpr bool SkinEntryStartsColumn(int Index) { return Index > 0 && Index % kSkinsPerColumn == 0; }

}  // namespace skin
