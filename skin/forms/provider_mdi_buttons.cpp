// The buttons of a maximised MDI child in its skinned frame's menu line:
// when they show, how they are drawn into the frame's image, and what their
// click does to the active child.
#include <windows.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/forms/provider_mdi.h"
#include "skin/forms/skin_provider.h"

namespace skin {

bool TkSkinProvider::MDIButtonsVisible() const {
  if (!ChildProvider || !Skinned() || !FForm || FForm->FormStyle() != fw::fsMDIForm || !FForm->HandleAllocated())
    return false;
  if (!FInput.Frame.HasMainMenu || !FMenus->Line().DrawsLine(FInput.Frame)) return false;
  const HWND child = ActiveMDIChild();
  if (!child || !IsZoomed(child)) return false;
  // A skinned child has no WS_SYSMENU while its frame is skinned: its form
  // tells whether it has a system menu.
  fw::TCustomForm* form = ChildProvider->FForm;
  if (form && form->HandleAllocated() && form->Handle() == child) return form->BorderIcons().Contains(fw::biSystemMenu);
  return (GetWindowLongPtrW(child, GWL_STYLE) & WS_SYSMENU) != 0;
}

void TkSkinProvider::PaintMdiButtons(fw::TBitmap& image) {
  if (!MDIButtonsVisible()) return;
  GdiFlush();
  const TkSysMenuRules child = ChildProvider->Rules();
  TCacheInfo self;
  self.Bmp = View32(image);
  self.Ready = true;
  auto draw = [&](const TkCaptionButton& b, int mask, bool faded) {
    if (!FSkin->IsValidImgIndex(mask) || b.Rect.Width() <= 0) return;
    const TkMaskData& m = FSkin->ma[mask];
    DrawMaskGlyph(self.Bmp, {b.Rect.Left, b.Rect.Top}, b.State, faded ? gmFaded : gmNormal, m, self,
                  MaskSourceView(*FSkin, m));
  };
  draw(FMdi.Min, FMdi.Min.ImageIndex, !(FFormActive && child.EnabledMin));
  // The child is maximised: its middle button restores it.
  const TConstantSkinData& c = FSkin->ConstData;
  draw(FMdi.Max, FSkin->IsValidImgIndex(c.MaskNormSmall) ? c.MaskNormSmall : c.MaskNormBtn,
       !(FFormActive && child.EnabledRestore));
  draw(FMdi.Close, FMdi.Close.ImageIndex, !FFormActive);
}

void TkSkinProvider::MdiButtonUp(int code, bool held) {
  TitleButtonPressed = false;
  if (!held) return;
  const HWND child = ActiveMDIChild();
  if (code == 103) {
    // The frame is drawn once, after the child has gone down.
    FSkinData->BeginUpdate();
    if (child) SendMessageW(child, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    FSkinData->EndUpdate(false);
    SetHotHT(0, true);
    return;
  }
  if (child) SendMessageW(child, WM_SYSCOMMAND, code == 101 ? SC_CLOSE : SC_RESTORE, 0);
  SetHotHT(0, false);
}

}  // namespace skin
