// A skin manager with one of the program's skins loaded, and its skinned
// menus, for the menu tests of skinned forms.
#pragma once

#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_resources.h"
#include "skin/forms/skinned_menus.h"

namespace skintest {

inline const char16_t* const kProgramSkins[] = {u"Topaz (internal)", u"Sapphire (internal)"};

struct SkinnedManager {
  skin::TkSkinManager manager{nullptr};
  skin::TkSkinableMenus* menus = nullptr;
  explicit SkinnedManager(int skin) {
    manager.ReportMessage = [](const fw::String&) {};
    skin::LoadInternalSkins(*manager.InternalSkins());
    manager.WriteSkinName(kProgramSkins[skin]);
    menus = skin::SkinableMenusOf(&manager);
  }
  skin::TkLoadedSkin& skin() { return *manager.LoadedSkin(); }
};

}  // namespace skintest
