#include "skin/controls/dialog_effects.h"

#include "skin/controls/dialog_wnd.h"
#include "skin/engine/skin_manager.h"

namespace skin {

TkSkinManager* DialogManager() { return DefaultSkinManager; }

bool DialogExtendedBorders() {
  const TkSkinManager* m = DialogManager();
  return m && m->ReadExtendedBorders();
}

namespace {
const TkcFormAnimation* Running(const TkcFormAnimation& a) { return a.Active && a.Time > 0 ? &a : nullptr; }
}  // namespace

const TkcFormAnimation* DialogShowAnimation() {
  const TkSkinManager* m = DialogManager();
  return m ? Running(m->AnimEffects()->DialogShow) : nullptr;
}

const TkcFormAnimation* DialogHideAnimation() {
  const TkSkinManager* m = DialogManager();
  return m ? Running(m->AnimEffects()->DialogHide) : nullptr;
}

HWND TkcDialogMoveHost::MovedWindow() const { return FDialog.CtrlHandle; }

bool TkcDialogMoveHost::BlendOnMovingActive() const {
  const TkSkinManager* m = DialogManager();
  return m && m->AnimEffects()->BlendOnMoving.Active;
}

int TkcDialogMoveHost::BlendValue() const {
  const TkSkinManager* m = DialogManager();
  return m ? m->AnimEffects()->BlendOnMoving.BlendValue : 255;
}

fw::TBitmap* TkcDialogMoveHost::CacheBitmap() { return &FDialog.Image(); }

bool TkcDialogMoveHost::Wanted() const {
  return BlendOnMovingActive() && BlendValue() != 255 && !IsIconic(FDialog.CtrlHandle);
}

HWND TkcDialogBorderOwner::OwnerHandle() const { return FDialog.CtrlHandle; }
uint32_t& TkcDialogBorderOwner::FormState() { return FDialog.FormState(); }
fw::TBitmap* TkcDialogBorderOwner::CacheBitmap() { return &FDialog.Image(); }
bool& TkcDialogBorderOwner::BGChanged() { return FDialog.BGChanged; }
void TkcDialogBorderOwner::PaintAll() { FDialog.PaintAll(); }

int TkcDialogBorderOwner::XOffset() const {
  const TkFormFrameFacts f = FDialog.FrameFacts();
  return ShadowSize(f).Left + skin::ExtFrameDelta(f);
}

int TkcDialogBorderOwner::YOffset() const {
  const TkFormFrameFacts f = FDialog.FrameFacts();
  return ShadowSize(f).Top + skin::ExtTitleDelta(f);
}

TkBorderFacts TkcDialogBorderOwner::HitFacts() const {
  const HWND wnd = FDialog.CtrlHandle;
  const TkFormFrameFacts f = FDialog.FrameFacts();
  const TkcDialogState d = FDialog.DialogState();
  TkBorderFacts b;
  b.Provider = false;
  b.Shadow = ShadowSize(f);
  if (const TkLoadedSkin* s = FDialog.Skin()) {
    const TkSkinData& c = s->CommonSkinData;
    b.ExShadowOffs = c.ExShadowOffs;
    b.ExShadowOffsT = c.ExShadowOffsT;
    b.ExShadowOffsR = c.ExShadowOffsR;
    b.ExShadowOffsB = c.ExShadowOffsB;
  }
  b.OwnerDisabled = !IsWindowEnabled(wnd);
  b.Maximized = d.Zoomed;
  b.Iconic = d.Iconic;
  b.ThickFrame = (d.Style & WS_THICKFRAME) != 0;
  b.SystemMenuAllowed = skin::VisibleClose(d);
  b.VisibleClose = skin::VisibleClose(d);
  b.EnabledClose = skin::EnabledClose(d);
  b.VisibleMax = skin::VisibleMax(d);
  b.EnabledMax = skin::EnabledMax(d);
  b.EnabledRestore = skin::EnabledRestore(d);
  b.VisibleMin = skin::VisibleMin(d);
  b.EnabledMin = skin::EnabledMin(d);
  b.HelpShown = skin::VisibleHelp(d);
  const TkCaptionLayout& l = FDialog.Layout();
  b.Close = l.Close.Rect;
  b.Max = l.Max.Rect;
  b.Min = l.Min.Rect;
  b.Help = l.Help.Rect;
  b.FrameWidth = FrameWidthOf(f, true);
  b.FrameHeight = FrameHeightOf(f, true);
  b.CaptionHeight = CaptionHeight(f, true);
  if (const TkLoadedSkin* s = FDialog.Skin())
    b.IconRect = DialogIconRect(f, s->CommonSkinData.BILeftMargin, GetSystemMetrics(SM_CXSMICON),
                                GetSystemMetrics(SM_CYSMICON));
  return b;
}

TkBorderClientFacts TkcDialogBorderOwner::ClientFacts() const {
  const HWND wnd = FDialog.CtrlHandle;
  const TkFormFrameFacts f = FDialog.FrameFacts();
  TkBorderClientFacts c;
  c.Provider = false;
  c.FormState = FDialog.FormState();
  c.OffsetX = FDialog.OffsetX();
  c.OffsetY = FDialog.OffsetY();
  c.ClientWidth = f.ClientWidth;
  c.ClientHeight = f.ClientHeight;
  c.LastClientRect = FDialog.LastClientRect;
  c.FormWidth = f.Width;
  c.FormHeight = f.Height;
  c.ExtBorderWidth = ExtBorderWidth(f);
  c.CacheHeight = FDialog.Image().Height();
  c.Maximized = IsZoomed(wnd) != 0;
  c.InnerFrame = FrameWidthOf(f, false) + skin::ExtFrameDelta(f);
  return c;
}

HWND TkcDialogGlowOwner::GlowOwnerWindow() const { return FDialog.CtrlHandle; }
HWND TkcDialogGlowOwner::GlowBorderWindow() const { return FDialog.BorderForm ? FDialog.BorderForm->AForm() : nullptr; }
TkLoadedSkin* TkcDialogGlowOwner::GlowSkin() const { return FDialog.Skin(); }

bool TkcDialogGlowOwner::GlowAllowed() const {
  const TkSkinManager* m = DialogManager();
  return m && m->Effects()->FAllowGlowing;
}

void TkcDialogBorderOwner::SetHotHT(int Code) {
  const bool button = Code == HTMINBUTTON || Code == HTMAXBUTTON || Code == HTCLOSE || Code == HTHELP;
  FDialog.SetHotHT(button ? Code : 0, true);
}

bool TkcDialogBorderOwner::StartBlendedMove() { return FDialog.BlendedMove(); }

}  // namespace skin
