#include "skin/engine/skin_messages.h"

#include "fw/graphics/graphics.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

LRESULT SendSkinCommand(HWND wnd, WORD code, LPARAM lParam) {
  return SendMessageW(wnd, WM_SKINCOMMAND, SkinCommand(code), lParam);
}

LRESULT SendSkinCommandToControl(fw::TControl* control, WORD code, LPARAM lParam) {
  if (!control) return 0;
  auto* win = dynamic_cast<fw::TWinControl*>(control);
  if (!win) return control->Perform(WM_SKINCOMMAND, SkinCommand(code), lParam);
  if (win->ComponentState().Contains(fw::csDestroying) || !win->HandleAllocated()) return 0;
  return SendMessageW(win->WindowHandle(), WM_SKINCOMMAND, SkinCommand(code), lParam);
}

bool SkinCommandIsOne(HWND wnd, WORD code) { return SendSkinCommand(wnd, code, 0) == 1; }

fw::TColor ControlSkinBgColor(fw::TControl* control) {
  if (!control) return static_cast<fw::TColor>(clSkinKey);
  if (control->Perform(WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0) == 1)
    return fw::ColorToRGB(static_cast<fw::TColor>(
        control->Perform(WM_SKINCOMMAND, SkinCommand(SKC_GETBGCOLOR), static_cast<LPARAM>(clSkinKey))));
  return fw::ColorToRGB(control->Color());
}

}  // namespace skin
