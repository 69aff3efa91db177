#include "skin/engine/skin_messages.h"

#include "fw/graphics/graphics.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

fw::TColor ControlSkinBgColor(fw::TControl* control) {
  if (!control) return static_cast<fw::TColor>(clSkinKey);
  if (control->Perform(WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0) == 1)
    return fw::ColorToRGB(static_cast<fw::TColor>(
        control->Perform(WM_SKINCOMMAND, SkinCommand(SKC_GETBGCOLOR), static_cast<LPARAM>(clSkinKey))));
  return fw::ColorToRGB(control->Color());
}

}  // namespace skin
