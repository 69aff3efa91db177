#include "skin/forms/core/system_menu_rules.h"

namespace skin {

TkSysMenuRules SystemMenuRules(const TkSysMenuFacts& f) {
  const bool normal = f.BorderStyle == TkFrameStyle::bsSingle || f.BorderStyle == TkFrameStyle::bsSizeable;
  const bool windowNormal = !f.Maximized && !f.Minimized;
  TkSysMenuRules r;
  r.VisibleRestore = f.SystemMenu && (f.MdiChild || normal);
  r.VisibleSize = f.MdiChild || (f.BorderStyle != TkFrameStyle::bsNone && f.BorderStyle != TkFrameStyle::bsDialog &&
                                 f.BorderStyle != TkFrameStyle::bsToolWindow);
  r.VisibleMin = f.SystemMenu && (f.Iconic || f.MdiChild || (normal && f.MinimizeIcon));
  r.VisibleMax = f.SystemMenu && ((f.Iconic && (!f.MainFormOnTaskBar || !f.MainForm)) || f.MdiChild ||
                                  (normal && f.MaximizeIcon));
  r.VisibleClose = f.SystemMenu && f.StdMenuHasClose;
  r.EnabledRestore = (f.MaximizeIcon && !windowNormal) || f.Minimized;
  r.EnabledMove = !f.Maximized;
  r.EnabledSize = f.BorderStyle != TkFrameStyle::bsSingle && !f.Iconic;
  r.EnabledMin = f.MinimizeIcon && !(f.Iconic && !f.MainForm);
  r.EnabledMax = f.MaximizeIcon && (f.MdiChild || normal);
  r.EnabledClose = !f.StdCloseDisabled;
  return r;
}

}  // namespace skin
