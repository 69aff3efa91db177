// A skinned form's effects: its title buttons fade in and out on windows of
// their own, minimising and restoring animate the form's snapshot towards
// and back from the taskbar, hiding leaves a cover or snapshot for the hide
// animation, and with the skin manager's ExtendedBorders the form gets its
// extended border window.
#include "skin/forms/provider_effects.h"

#include <windowsx.h>

#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/dwm_link.h"
#include "skin/forms/frame_facts.h"
#include "skin/forms/iconic_preview.h"
#include "skin/forms/outline_drag.h"
#include "skin/forms/skin_provider.h"

namespace skin {

namespace {


// Where the client area starts inside the window.
POINT ClientOrigin(HWND wnd) {
  const fw::TRect c = ClientRectInWindow(wnd);
  return POINT{c.Left, c.Top};
}

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) || msg == WM_NCHITTEST;
}

}  // namespace

// The effects object.

TkcProviderEffects::TkcProviderEffects(TkSkinProvider& Provider)
    : TkcMinAnimHost(Provider.TkFormProviderLink::FormState, Provider.fAnimating), P(Provider) {}

TkcProviderEffects::~TkcProviderEffects() {
  // The animations give the window its opacity back while the host lives.
  if (MoveHost.FormState & kFsBlendedMove) ::skin::FinishBlendedMove(MoveHost);
  FormTimer.reset();
  BorderForm.reset();
  CoverForm.reset();
}

void TkcProviderEffects::ReadExtFacts() {
  TkExtBorderFacts e;
  if (TkLoadedSkin* skin = P.FSkin) {
    const TkSkinData& s = skin->CommonSkinData;
    e.ExBorderWidth = s.ExBorderWidth;
    e.ExTitleHeight = s.ExTitleHeight;
    e.ExMaxHeight = s.ExMaxHeight;
    e.ExCenterOffs = s.ExCenterOffs;
    e.ExDrawMode = s.ExDrawMode;
    e.BITopMargin = s.BITopMargin;
  }
  if (TkSkinManager* m = P.Manager()) e.Shadow = m->FormShadowSize;
  ExtFacts = e;
  // The caption heights follow from the form's frame with these values.
  if (P.FForm && P.FForm->HandleAllocated()) {
    TkFormFrameFacts f = WindowFrameFacts(P.FForm->Handle(), static_cast<TkFrameStyle>(int(P.FForm->BorderStyle())));
    f.BorderForm = &ExtFacts;
    ExtFacts.CaptionHeightSkin = CaptionHeight(f, true);
    ExtFacts.CaptionHeightSystem = CaptionHeight(f, false);
  }
}

HWND TkcProviderEffects::GlowOwnerWindow() const {
  return P.FForm && P.FForm->HandleAllocated() ? P.FForm->Handle() : nullptr;
}

TkLoadedSkin* TkcProviderEffects::GlowSkin() const { return P.FSkin; }
bool TkcProviderEffects::GlowAllowed() const { return P.GlowAllowed(); }

fw::TBitmap* TkcProviderEffects::UserButtonGlyph(int Index) const {
  TkTitleButton* b = P.UserButtonOf(kHitUserButton + Index);
  return b ? b->Glyph() : nullptr;
}

std::unique_ptr<fw::TBitmap> TkcProviderEffects::MakeFormImage() {
  const HWND wnd = GlowOwnerWindow();
  if (!wnd || !P.Skinned()) return nullptr;
  P.PrepareFormCache();
  const POINT c = ClientOrigin(wnd);
  RECT client{};
  GetClientRect(wnd, &client);
  std::unique_ptr<fw::TBitmap> image;
  int x = c.x, y = c.y;
  if (HasBorder()) {
    // The border window's whole image with the client area as it shows.
    fw::TBitmap& cache = P.FormImage();
    image = NewBitmap32(std::max(cache.Width(), 1), std::max(cache.Height(), 1));
    BitBlt(image->Canvas()->Handle(), 0, 0, cache.Width(), cache.Height(), cache.Canvas()->Handle(), 0, 0, SRCCOPY);
    x += XOffset();
    y += YOffset();
  } else {
    const fw::TRect r = WindowRectOf(wnd);
    image = NewBitmap32(std::max(r.Width(), 1), std::max(r.Height(), 1));
    P.PrintTo(image->Canvas()->Handle(), true, false);
  }
  {
    fw::TWindowFrameDC dc(wnd);
    BitBlt(image->Canvas()->Handle(), x, y, client.right, client.bottom, dc.Get(), c.x, c.y, SRCCOPY);
  }
  GdiFlush();
  const fw::TRect opaque = HasBorder() ? fw::Bounds(x, y, client.right, client.bottom)
                                       : fw::Rect(0, 0, image->Width(), image->Height());
  SetRectAlpha(View32(*image), opaque, 255, clSkinNone);
  return image;
}

bool TkcProviderEffects::MinimizingActive() const { return P.MinimizingActive(); }

unsigned TkcProviderEffects::MinimizingTime() const {
  TkSkinManager* m = P.Manager();
  return m && m->AnimEffects() ? unsigned(m->AnimEffects()->Minimizing.Time) : 120;
}

void TkcProviderEffects::StopTitleAnimations() { P.StopTitleAnimations(); }
void TkcProviderEffects::ClearHotElement() { P.SetHotHT(0, false); }
void TkcProviderEffects::RepaintFrame() { P.RepaintFormFrame(); }

uint32_t& TkcProviderEffects::FormState() { return P.TkFormProviderLink::FormState; }
fw::TBitmap* TkcProviderEffects::CacheBitmap() { return &P.FormImage(); }
bool& TkcProviderEffects::BGChanged() { return P.FBGChanged; }

void TkcProviderEffects::PaintAll() {
  P.FBGChanged = true;
  P.PrepareFormCache();
}

int TkcProviderEffects::ExtFrameDelta() const { return skin::ExtFrameDelta(P.FInput.Frame); }
int TkcProviderEffects::ExtTitleDelta() const { return skin::ExtTitleDelta(P.FInput.Frame); }

int TkcProviderEffects::XOffset() const { return ExtFrameDelta() + ShadowSize(P.FInput.Frame).Left; }

int TkcProviderEffects::YOffset() const {
  const TkFormFrameFacts& f = P.FInput.Frame;
  if (f.SysExHeight) return ShadowSize(f).Top + ExtTitleDelta() + 4;
  return ExtTitleDelta() + ShadowSize(f).Top;
}

TkBorderFacts TkcProviderEffects::HitFacts() const {
  TkBorderFacts f;
  const TkFormImageInput& in = P.FInput;
  const TkFormFrameFacts& fr = in.Frame;
  f.Shadow = ShadowSize(fr);
  if (P.FSkin) {
    const TkSkinData& s = P.FSkin->CommonSkinData;
    f.ExShadowOffs = s.ExShadowOffs;
    f.ExShadowOffsT = s.ExShadowOffsT;
    f.ExShadowOffsR = s.ExShadowOffsR;
    f.ExShadowOffsB = s.ExShadowOffsB;
  }
  const HWND wnd = GlowOwnerWindow();
  f.Provider = true;
  f.OwnerDisabled = wnd && !IsWindowEnabled(wnd);
  f.Maximized = fr.Zoomed;
  f.Iconic = fr.Iconic;
  f.ThickFrame = (fr.Style & kWsThickFrame) != 0;
  f.HasSystemMenu = in.LayoutInput.SystemButtons;
  f.SystemMenuAllowed = P.FForm && P.FForm->BorderIcons().Contains(fw::biSystemMenu);
  const TkSysMenuRules r = P.FForm ? P.Rules() : TkSysMenuRules{};
  f.VisibleClose = r.VisibleClose;
  f.EnabledClose = r.EnabledClose;
  f.VisibleMax = in.LayoutInput.VisibleMax;
  f.EnabledMax = r.EnabledMax;
  f.EnabledRestore = r.EnabledRestore;
  f.VisibleMin = in.LayoutInput.VisibleMin;
  f.EnabledMin = r.EnabledMin;
  f.HelpShown = in.LayoutInput.HelpButton;
  f.Close = in.Layout.Close.Rect;
  f.Max = in.Layout.Max.Rect;
  f.Min = in.Layout.Min.Rect;
  f.Help = in.Layout.Help.Rect;
  f.FrameWidth = FrameWidthOf(fr, true);
  f.FrameHeight = FrameHeightOf(fr, true);
  f.CaptionHeight = CaptionHeight(fr, true);
  f.MenuHeight = fr.MenuRows * MenuHeight(fr);
  f.IconRect = in.Layout.IconRect;
  if (P.FForm && P.FSkin) {
    const TkTitleHitInput hit = P.HitInput();
    f.GripVisible = hit.GripShown;
    f.GripMask = hit.GripShown;
    f.GripPosition = hit.GripPos;
  }
  return f;
}

TkBorderClientFacts TkcProviderEffects::ClientFacts() const {
  TkBorderClientFacts c;
  const HWND wnd = GlowOwnerWindow();
  const TkFormFrameFacts& fr = P.FInput.Frame;
  c.Provider = true;
  // The image being prepared is no snapshot: only the effects' own bits count.
  c.FormState = P.TkFormProviderLink::FormState & ~fsCachePrepared;
  c.Showing = P.FForm && P.FForm->Showing();
  if (!wnd) return c;
  const POINT o = ClientOrigin(wnd);
  RECT client{};
  GetClientRect(wnd, &client);
  const fw::TRect w = WindowRectOf(wnd);
  c.OffsetX = XOffset() + o.x;
  c.OffsetY = YOffset() + o.y;
  c.ClientWidth = client.right;
  c.ClientHeight = client.bottom;
  c.LastClientRect = P.LastClientRect;
  c.MinWidth = P.FForm->Constraints()->MinWidth();
  c.MinHeight = P.FForm->Constraints()->MinHeight();
  c.FormWidth = w.Width();
  c.FormHeight = w.Height();
  c.LinesCount = fr.MenuRows;
  c.MenuHeight = MenuHeight(fr);
  c.Maximized = fr.Zoomed;
  c.InnerFrame = FrameWidthOf(fr, false) + skin::ExtFrameDelta(fr);
  return c;
}

void TkcProviderEffects::SetHotHT(int Code) { P.SetHotHT(Code, true); }

bool TkcProviderEffects::Modal() const { return P.FForm && P.FForm->FormState().Contains(fw::fsModal); }
bool TkcProviderEffects::MainForm() const { return P.IsMainForm(); }

TkBorderShowFacts TkcProviderEffects::ShowFacts() const {
  TkBorderShowFacts f;
  const HWND wnd = OwnerHandle();
  f.MainFormOnTaskBar = wnd && !GetWindow(wnd, GW_OWNER);
  f.Terminating = fw::Application && fw::Application->Terminated();
  f.MainFormRules = !AnimationInProgress && f.MainFormOnTaskBar && P.FDrawNonClientArea;
  TkSkinManager* m = P.Manager();
  f.HideAnimated = m && P.FAllowAnimation && P.AnimHideActive() && m->ShowState != saMinimize;
  return f;
}

void TkcProviderEffects::StoreHideImage() {
  P.FormState |= kFsSnapshot;
  if (auto image = MakeFormImage()) P.FCommonData->FCacheBmp = std::move(image);
}

bool TkcProviderEffects::CanMaximizeOrRestore() const {
  const TkSysMenuRules r = P.Rules();
  const HWND wnd = OwnerHandle();
  return (P.FForm->BorderIcons().Contains(fw::biSystemMenu) && (r.EnabledMax || r.EnabledRestore)) ||
         (!::skin::HasBorder(P.FInput.Frame) && wnd && IsIconic(wnd));
}

void TkcProviderEffects::EndOutlineDrag() {
  if (P.ResizeMode == rmBorder && BorderTracking.Active) EndBorderTracking(P);
}

void TkcProviderEffects::WindowCommandSent() {
  if (TkSystemMenu* menu = P.Menus().SystemMenu()) menu->UpdateItems(false);
}

bool TkcProviderEffects::TakesUpdate(const RECT& R) const {
  const TkCommonData* data = P.FCommonData;
  if (data && (data->PrintDC || (data->CtrlSkinState & cssUpdating))) return false;
  if (P.FInAnimation || !P.FDrawNonClientArea || !P.FForm) return false;
  // The form has not taken its new place yet.
  const HWND wnd = OwnerHandle();
  return !wnd || IsIconic(wnd) || P.FForm->Left() == R.left;
}

bool TkcProviderEffects::StayOnTop() const { return P.FForm && P.FForm->FormStyle() == fw::fsStayOnTop; }

bool TkcProviderEffects::Sizeable() const {
  return P.FForm && (P.FForm->BorderStyle() == fw::bsSizeable || P.FForm->BorderStyle() == fw::bsSizeToolWin);
}

bool TkcProviderEffects::StartBlendedMove() {
  // Through the border window the fade needs no composition, or an alpha
  // the option asks for.
  TkSkinManager* m = P.Manager();
  if (!m || !m->AnimEffects()) return false;
  if (DwmCompositionActive() && (m->AnimEffects()->BlendOnMoving.BlendValue == 255 || !P.AllowBlendOnMoving))
    return false;
  return P.StartBlendedMove(true);
}

bool TkcProviderEffects::BlurBehind() const {
  TkSkinManager* m = P.Manager();
  return m && m->Effects() && m->Effects()->FAllowAeroBluring && P.FSkin && P.FSkin->CommonSkinData.UseAeroBluring;
}

int TkcProviderEffects::ContentOffset() const { return P.FSkin ? P.FSkin->CommonSkinData.ExContentOffs : 0; }
bool TkcProviderEffects::ScreenSnap() const { return P.ScreenSnap; }
int TkcProviderEffects::SnapBuffer() const { return P.SnapBuffer; }

// The blended move.

TkcProviderMoveHost::TkcProviderMoveHost(TkSkinProvider& Provider)
    : TkcBlendedMoveHost(Provider.TkFormProviderLink::FormState), P(Provider) {}

HWND TkcProviderMoveHost::MovedWindow() const {
  return P.FForm && P.FForm->HandleAllocated() ? P.FForm->Handle() : nullptr;
}

bool TkcProviderMoveHost::BlendOnMovingActive() const {
  TkSkinManager* m = P.Manager();
  return m && m->AnimEffects() && m->AnimEffects()->BlendOnMoving.Active && P.AllowBlendOnMoving;
}

int TkcProviderMoveHost::BlendValue() const {
  TkSkinManager* m = P.Manager();
  return m && m->AnimEffects() ? m->AnimEffects()->BlendOnMoving.BlendValue : 255;
}

int TkcProviderMoveHost::BlendTime() const {
  TkSkinManager* m = P.Manager();
  return m && m->AnimEffects() ? m->AnimEffects()->BlendOnMoving.Time : 1000;
}

fw::TBitmap* TkcProviderMoveHost::CacheBitmap() { return P.Skinned() ? &P.FormImage() : nullptr; }

bool TkSkinProvider::StartBlendedMove(bool RunLoop) {
  if (!FForm || !FForm->HandleAllocated() || FForm->FormStyle() == fw::fsMDIChild) return false;
  const HWND wnd = FForm->Handle();
  TkcProviderEffects& e = Effects();
  if (IsIconic(wnd) || IsZoomed(wnd) || !e.MoveHost.BlendOnMovingActive() || e.MoveHost.BlendValue() == 255)
    return false;
  if (!FFormActive) {
    FFormActive = true;
    FBGChanged = true;
  }
  if (FForm->CanFocus()) FForm->SetFocus();
  e.MoveHost.BorderForm = BorderForm();
  return MoveWithBlending(e.MoveHost, RunLoop);
}

void TkSkinProvider::FinishBlendedMove() {
  if (FEffects && (TkFormProviderLink::FormState & kFsBlendedMove)) ::skin::FinishBlendedMove(FEffects->MoveHost);
}

// The provider's side.

void TkSkinProvider::MsgIconicRequest(fw::TMessage& m) {
  // The taskbar's requests never reach the form's own procedure.
  m.Result = 0;
  if (!IconicPreviewsEnabled || !Skinned() || FForm->ComponentState().Contains(fw::csDestroying)) return;
  const HWND wnd = FForm->Handle();
  if (m.Msg == WM_DWMSENDICONICTHUMBNAIL) {
    const int width = HIWORD(m.LParam), height = LOWORD(m.LParam);
    if (width && height) m.Result = SendIconicThumbnail(wnd, Effects(), &FormImage(), width, height) ? 1 : 0;
  } else {
    m.Result = SendLivePreviewBitmap(wnd, Effects(), &FormImage()) ? 1 : 0;
  }
}

TkcProviderEffects& TkSkinProvider::Effects() {
  if (!FEffects) FEffects = std::make_unique<TkcProviderEffects>(*this);
  return *FEffects;
}

bool TkSkinProvider::HasBorderWindow() const { return FEffects && FEffects->HasBorder(); }
HWND TkSkinProvider::BorderWindowHandle() const { return FEffects ? FEffects->BorderWindow() : nullptr; }
TkcBorderForm* TkSkinProvider::BorderForm() const { return FEffects ? FEffects->BorderForm.get() : nullptr; }

const TkExtBorderFacts* TkSkinProvider::ExtBorderFacts() const {
  return FEffects && FEffects->BorderForm ? &FEffects->ExtFacts : nullptr;
}

void TkSkinProvider::UpdateBorderForm(bool Allowed) {
  TkSkinManager* manager = Manager();
  const bool nativeMaximized = manager && manager->Options() &&
                               manager->Options()->ReadOption(TkcOptions::oNativeBordersMaximized);
  const bool wanted = Allowed && Skinned() && FForm && FForm->HandleAllocated() && FForm->BorderStyle() != fw::bsNone &&
                      FDrawNonClientArea && !HasParent() && FForm->FormStyle() != fw::fsMDIChild && AllowExtBorders &&
                      LayeredWindowsAvailable() && !(IsZoomed(FForm->Handle()) && nativeMaximized);
  if (!wanted) {
    FreeBorderWindow();
    return;
  }
  TkcProviderEffects& e = Effects();
  if (!e.BorderForm) {
    e.ReadExtFacts();
    e.BorderForm = std::make_unique<TkcBorderForm>(&e);
    // The image and the region are made anew for the wide frame.
    FBGChanged = FRgnChanged = true;
  }
  if (IsWindowVisible(FForm->Handle())) e.BorderForm->UpdateExBordersPos(true, 255);
}

void TkSkinProvider::UpdateExBordersPos(bool Redraw, int Blend) {
  if (TkcBorderForm* b = BorderForm()) b->UpdateExBordersPos(Redraw, Blend);
}

void TkSkinProvider::PlaceBorderWindow() {
  TkcBorderForm* b = BorderForm();
  if (!b || !b->AForm()) return;
  SetWindowRgn(b->AForm(), b->MakeRgn(), TRUE);
  b->UpdateExBordersPos(true, 255);
}

void TkSkinProvider::FreeBorderWindow() {
  if (!FEffects || !FEffects->BorderForm) return;
  FEffects->BorderForm.reset();
  // The form's own frame and region come back.
  FBGChanged = FRgnChanged = true;
  if (FForm && FForm->HandleAllocated() && IsWindowVisible(FForm->Handle()) && Skinned())
    RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TkSkinProvider::TakeCoverSnapshot() { Effects().CoverBmp = Effects().MakeFormImage(); }

void TkSkinProvider::ShowCoverOnBorder(int Alpha) {
  TkcBorderForm* b = BorderForm();
  if (!b || !b->AForm() || !FEffects->CoverBmp) return;
  b->ExBorderShowing = true;
  SetWindowRgn(b->AForm(), nullptr, FALSE);
  const fw::TRect r = WindowRectOf(b->AForm());
  const fw::TPoint at{r.Left, r.Top};
  SetLayeredBitmap(b->AForm(), FEffects->CoverBmp.get(), Alpha, &at);
  SetWindowPos(b->AForm(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER |
                   SWP_NOSENDCHANGING);
}

void TkSkinProvider::ShowCoverForm() {
  if (!FForm || !FForm->HandleAllocated()) return;
  Effects().CoverForm = MakeCoverForm(FForm->Handle());
}

void TkSkinProvider::FreeCoverForm() {
  if (FEffects) FEffects->CoverForm.reset();
}

void TkSkinProvider::StartMinimizeAnimation() { ::skin::StartMinimizeAnimation(Effects()); }

void TkSkinProvider::StartRestoreAnimation() { ::skin::StartRestoreAnimation(Effects()); }

bool TkSkinProvider::MinimizedByTimer() const {
  auto* timer = FEffects ? dynamic_cast<TkcMinTimer*>(FEffects->FormTimer.get()) : nullptr;
  return timer && timer->Steps.Minimized;
}

bool TkSkinProvider::FadeTitleButton(int hitCode) {
  TkCaptionButton* b = ButtonOf(hitCode);
  if (!b || !Skinned() || !FForm || !FForm->HandleAllocated()) return false;
  // Only a plain top-level form fades; the image keeps its other bits.
  if ((TkFormProviderLink::FormState & ~fsCachePrepared) != 0 || HasParent() ||
      FForm->FormStyle() == fw::fsMDIChild || !(GlowAllowed() || HasBorderWindow()))
    return false;
  TkcProviderEffects& e = Effects();
  switch (b->State) {
    case 1:
      AnimateTitleButton(*b, 1, 10, true, &e, nullptr);
      break;
    case 2:
      AnimateTitleButton(*b, 2, 1, true, &e, nullptr);
      break;
    default:
      AnimateTitleButton(*b, 0, 10, false, &e, nullptr);
      break;
  }
  return true;
}

void TkSkinProvider::StopTitleButtonFades() {
  for (TkCaptionButton* b : {&FInput.Layout.Close, &FInput.Layout.Max, &FInput.Layout.Min, &FInput.Layout.Help})
    StopTitleButtonAnimation(*b);
}

void TkSkinProvider::BorderAfterCommand(UINT command) {
  TkcBorderForm* b = BorderForm();
  if (!b || !FForm || !FForm->HandleAllocated()) return;
  if (command == SC_MINIMIZE && b->AForm() && !(TkFormProviderLink::FormState & kFsMinimizing)) {
    // Minimised without the animation: the frame does not stay behind.
    b->ExBorderShowing = true;
    b->FreeForm();
    b->ExBorderShowing = false;
  } else if (command == SC_RESTORE && !b->AForm() && !IsIconic(FForm->Handle()) &&
             !(TkFormProviderLink::FormState & kFsRestoring)) {
    FInAnimation = false;
    FBGChanged = true;
    b->UpdateExBordersPos(true, 255);
  }
}

void TkSkinProvider::ReplaceBorderHitCode(fw::TMessage& m) {
  // The border window hands its clicks on with the code left to its own
  // hit test.
  if (m.WParam != WPARAM(-1) || !IsMouseMessage(m.Msg) || m.Msg == WM_NCHITTEST) return;
  if (TkcBorderForm* b = BorderForm(); b && b->AForm())
    m.WParam = WPARAM(b->Ex_WMNCHitTest(fw::TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}));
}

}  // namespace skin
