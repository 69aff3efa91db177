// What a window adapter is made with. The form skinning fills it for the
// controls it hands to the control skinning; the adapters read it.
#pragma once

#include <functional>

#include "fw/controls/controls.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

struct TkcSkinParams {
  fw::TControl* Control = nullptr;  // the framework control owning the window; none for a raw window
  fw::String SkinSection;           // empty: the adapter's own default section
  bool UseSkinFontColor = true;
  bool UseSkinColor = true;
  int VertScrollSize = -1;  // width of the vertical bar; -1 not given
  int VertScrollBtnSize = -1;
  int HorzScrollSize = -1;
  int HorzScrollBtnSize = -1;
};

// The skin an adapter paints from; none: the skin is not active.
using TkcSkinSource = std::function<TkLoadedSkin*()>;

}  // namespace skin
