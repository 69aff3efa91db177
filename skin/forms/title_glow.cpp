#include "skin/forms/title_glow.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/alpha_image.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/glow_effect.h"

namespace skin {

namespace {

bool GlowingButton(unsigned hitCode) { return hitCode == HTMINBUTTON || hitCode == HTMAXBUTTON || hitCode == HTCLOSE; }

fw::TRect ScreenRectOf(HWND wnd) {
  RECT r{};
  if (wnd) GetWindowRect(wnd, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

TkcSBAnimation::TkcSBAnimation(fw::TComponent* AOwner, TkcTitleGlowOwner* Owner, TkCaptionButton* Btn)
    : fw::TTimer(AOwner), GlowOwner(Owner), PBtnData(Btn) {
  SetEnabled(false);
  SetInterval(TkcFadeLevels::kInterval);
  if (PBtnData) PBtnData->Timer = this;
}

TkcSBAnimation::~TkcSBAnimation() {
  SetEnabled(false);
  AForm.reset();
  ABmp.reset();
  if (PBtnData && PBtnData->Timer == this) PBtnData->Timer = nullptr;
}

int TkcSBAnimation::MaskIndex() const {
  TkLoadedSkin* skin = GlowOwner ? GlowOwner->GlowSkin() : nullptr;
  if (!skin || !PBtnData) return -1;
  if (PBtnData->HitCode == HTMINBUTTON && GlowOwner->OwnerIconic()) return skin->ConstData.MaskNormBtn;
  return PBtnData->ImageIndex;
}

int TkcSBAnimation::GlowMaskIndex() const {
  TkLoadedSkin* skin = GlowOwner ? GlowOwner->GlowSkin() : nullptr;
  const int mask = MaskIndex();
  if (!skin || !skin->IsValidImgIndex(mask)) return -1;
  const int global = skin->ConstData.IndexGLobalInfo;
  if (!skin->IsValidSkinIndex(global)) return -1;
  return skin->GetMaskIndex(global, u"GLOBALINFO", skin->ma[mask].PropertyName + u"GLOW0");
}

int TkcSBAnimation::Offset() const {
  TkLoadedSkin* skin = GlowOwner ? GlowOwner->GlowSkin() : nullptr;
  if (!skin || !PBtnData || !GlowOwner->GlowAllowed() || Fade.CurrentState != 1) return 0;
  switch (PBtnData->HitCode) {
    case HTMINBUTTON:
      return skin->CommonSkinData.BIMinGlowMargin;
    case HTMAXBUTTON:
      return skin->CommonSkinData.BIMaxGlowMargin;
    case HTCLOSE:
      return skin->CommonSkinData.BICloseGlowMargin;
    default:
      return 0;
  }
}

fw::TRect TkcSBAnimation::GetFormBounds() const {
  const HWND border = GlowOwner ? GlowOwner->GlowBorderWindow() : nullptr;
  const fw::TRect base = ScreenRectOf(border ? border : (GlowOwner ? GlowOwner->GlowOwnerWindow() : nullptr));
  const fw::TRect& b = PBtnData->Rect;
  fw::TRect r = fw::Bounds(base.Left + b.Left, base.Top + b.Top, b.Width(), b.Height());
  const int offset = Offset();
  const int glow = offset != 0 ? GlowMaskIndex() : -1;
  if (glow >= 0) {
    const TkMaskData& m = GlowOwner->GlowSkin()->ma[glow];
    r = fw::Bounds(r.Left - offset, r.Top - offset, m.R.Width(), m.R.Height());
  }
  return r;
}

void TkcSBAnimation::MakeForm() {
  if (AForm) return;
  const HWND border = GlowOwner->GlowBorderWindow();
  const bool topMost = border && (GetWindowLongPtrW(border, GWL_EXSTYLE) & WS_EX_TOPMOST);
  AForm = std::make_unique<TkcAnimWindow>(nullptr, topMost, GlowWindowClass());
  if (!AForm->Handle()) AForm.reset();
}

void TkcSBAnimation::MakeImg() {
  if (Fade.CurrentState == 0 && ABmp) return;
  TkLoadedSkin* skin = GlowOwner->GlowSkin();
  if (!skin || !PBtnData) return;
  const int mask = MaskIndex();
  const int glow = (GlowOwner->GlowAllowed() && Fade.CurrentState == 1 && GlowingButton(PBtnData->HitCode) &&
                    skin->IsValidImgIndex(mask))
                       ? GlowMaskIndex()
                       : -1;
  const fw::TRect bounds = GetFormBounds();
  if (!ABmp) ABmp = NewBitmap32(std::max(bounds.Width(), 1), std::max(bounds.Height(), 1));
  const TPixelView32 v = View32(*ABmp);
  FillRectAlpha(v, fw::Rect(0, 0, v.Width, v.Height), 0, 0);
  if (glow >= 0) {
    const TkMaskData& m = skin->ma[glow];
    const TPixelView32 src = MaskSourceView(*skin, m);
    for (int y = 0; y < std::min(v.Height, m.R.Height()); ++y)
      for (int x = 0; x < std::min(v.Width, m.R.Width()); ++x)
        if (m.R.Left + x < src.Width && m.R.Top + y < src.Height) v.Row(y)[x] = src.Row(m.R.Top + y)[m.R.Left + x];
  } else if (skin->IsValidImgIndex(mask)) {
    const TkMaskData& m = skin->ma[mask];
    DrawMaskGlyph(v, {0, 0}, PBtnData->State, gmNormal, m, TCacheInfo{}, MaskSourceView(*skin, m));
    if (!GlowOwner->GlowBorderWindow() && m.MaskType == 0)
      for (int y = 0; y < v.Height; ++y)
        for (uint32_t* p = v.Row(y); p != v.Row(y) + v.Width; ++p)
          if (*p == 0x00FF00FFu) *p |= 0xFF000000u;
  }
  // A user button's glyph, centred in the image (one pixel on while pressed).
  if (PBtnData->HitCode >= 1000 && PBtnData->HitCode < 2000) {
    fw::TBitmap* glyph = GlowOwner->UserButtonGlyph(static_cast<int>(PBtnData->HitCode) - 1000);
    if (glyph && glyph->Width() > 0 && glyph->Height() > 0) {
      const int shift = PBtnData->State == 2 ? 1 : 0;
      const int x = (v.Width - glyph->Width()) / 2 + shift, y = (v.Height - glyph->Height()) / 2 + shift;
      auto copy = NewBitmap32(glyph->Width(), glyph->Height());
      BitBlt(copy->Canvas()->Handle(), 0, 0, glyph->Width(), glyph->Height(), glyph->Canvas()->Handle(), 0, 0,
             SRCCOPY);
      GdiFlush();
      const TPixelView32 g = View32(*copy);
      if (glyph->PixelFormat() == fw::pf32bit)
        CopyAlphaImage(v, fw::Bounds(x, y, g.Width, g.Height), g, fw::Rect(0, 0, g.Width, g.Height), TCacheInfo{},
                       false);
      else
        CopyBitmapSkipKey(v, g, x, y, g.Row(g.Height - 1)[0] & 0xFFFFFFu);
    }
  }
  // The layered window takes premultiplied pixels.
  PremultiplyRect(v, fw::Rect(0, 0, v.Width, v.Height));
}

void TkcSBAnimation::UpdateForm(int Blend) {
  if (!ABmp) MakeImg();
  MakeForm();
  if (!ABmp || !AForm) return;
  fw::TRect r = GetFormBounds();
  if (r.Width() != ABmp->Width()) {
    const int dx = (ABmp->Width() - r.Width()) / 2, dy = (ABmp->Height() - r.Height()) / 2;
    r = fw::Rect(r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy);
  }
  const HWND owner = GlowOwner->GlowBorderWindow() ? GlowOwner->GlowBorderWindow() : GlowOwner->GlowOwnerWindow();
  HWND after = HWND_TOP;
  if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
    after = HWND_TOPMOST;
  else if (owner)
    after = GetWindow(owner, GW_HWNDPREV) ? GetWindow(owner, GW_HWNDPREV) : HWND_TOP;
  const HWND wnd = AForm->Handle();
  SetWindowPos(wnd, after, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE,
                    GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  AForm->ShowImage(*ABmp, std::clamp(Blend, 0, 255), fw::TPoint{r.Left, r.Top});
}

void TkcSBAnimation::DropImage() {
  AForm.reset();
  ABmp.reset();
}

bool TkcSBAnimation::MouseOutside() {
  POINT p{};
  GetCursorPos(&p);
  const HWND border = GlowOwner->GlowBorderWindow();
  const fw::TRect base = ScreenRectOf(border ? border : GlowOwner->GlowOwnerWindow());
  const fw::TRect& b = PBtnData->Rect;
  const int x = p.x - base.Left, y = p.y - base.Top;
  return !(x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom);
}

void TkcSBAnimation::MouseLeft() {
  SetEnabled(false);
  if (HWND owner = GlowOwner->GlowOwnerWindow()) SendMessageW(owner, WM_MOUSELEAVE, 0, 0);
}

void TkcSBAnimation::SyncTimer() { SetEnabled(Fade.Running); }

void TkcSBAnimation::StartAnimation(int NewState, bool ToUp) {
  Fade.StartAnimation(NewState, ToUp, *this);
  SyncTimer();
}

void TkcSBAnimation::Retarget(int NewState, int Iterations, bool ToUp) {
  Fade.Retarget(NewState, Iterations, ToUp, *this);
  if (NewState == 2) {
    MakeForm();
    MakeImg();
  }
  SyncTimer();
}

void TkcSBAnimation::OnAnimTimer() {
  if (!Fade.Running) return;
  Fade.Tick(*this);
  SyncTimer();
}

void AnimateTitleButton(TkCaptionButton& Btn, int NewState, int Iterations, bool ToUp, TkcTitleGlowOwner* Owner,
                        fw::TComponent* AOwner) {
  if (TkcSBAnimation* a = Btn.Timer) {
    a->Retarget(NewState, Iterations, ToUp);
    return;
  }
  if (!Owner) return;
  auto* a = new TkcSBAnimation(AOwner, Owner, &Btn);
  a->Fade.SetIterations(Iterations);
  a->StartAnimation(NewState, true);
}

FW_REGISTER(TkcSBAnimation) {}

void StopTitleButtonAnimation(TkCaptionButton& Btn) {
  delete Btn.Timer;
  Btn.Timer = nullptr;
}

}  // namespace skin
