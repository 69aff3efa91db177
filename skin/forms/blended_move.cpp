#include "skin/forms/blended_move.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/forms/min_animation.h"

namespace skin {

namespace {

// No size, move, redraw, activation, owner z-order or changing message.
constexpr UINT kKeepPlace =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

void SetLayered(HWND wnd, bool on) {
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  const LONG_PTR next = on ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  if (next != ex) SetWindowLongPtrW(wnd, GWL_EXSTYLE, next);
}

}  // namespace

TkcBlendedMoveHost::~TkcBlendedMoveHost() { MoveTimer.reset(); }

double FormMoveBlendStep(int BlendValue, int TimeMs) {
  const double range = 255 - BlendValue;
  return TimeMs < 13 ? range : range / (TimeMs / 12.0);
}

double DialogMoveBlendStep(int BlendValue) { return (255 - BlendValue) / 30; }

TkcMoveTimer::TkcMoveTimer(fw::TComponent* AOwner) : TkcThreadedTimer(AOwner, true) { SetInterval(12); }

void TkcMoveTimer::TimeHandler() {
  const int alpha = static_cast<int>(CurrentBlendValue);
  if (BorderForm && BorderForm->AForm() && BorderImage) {
    SetLayeredBitmap(BorderForm->AForm(), BorderImage, alpha, nullptr);
  } else if (FormHandle && IsWindow(FormHandle)) {
    SetLayered(FormHandle, true);
    if (SetLayeredWindowAttributesProc)
      SetLayeredWindowAttributesProc(FormHandle, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), LWA_ALPHA);
  }
  if (CurrentBlendValue > BlendValue) CurrentBlendValue -= BlendStep;
}

bool MoveWithBlending(TkcBlendedMoveHost& Host, bool RunLoop) {
  if ((Host.FormState & 0x80) || !Host.BlendOnMovingActive()) return false;
  const HWND wnd = Host.MovedWindow();
  Host.FormState |= 0x80;
  Host.MoveTimer.reset();
  auto* timer = new TkcMoveTimer(nullptr);
  Host.MoveTimer.reset(timer);
  timer->CurrentBlendValue = Host.AlphaBlend() ? Host.AlphaBlendValue() : 255.0;
  timer->BorderForm = Host.BorderForm;
  timer->BorderImage = Host.CacheBitmap();
  timer->FormHandle = wnd;
  timer->BlendValue = std::clamp(Host.BlendValue(), 0, 255);
  timer->BlendStep = Host.IsDialog() ? DialogMoveBlendStep(timer->BlendValue)
                                     : FormMoveBlendStep(timer->BlendValue, Host.BlendTime());
  if (Host.BorderForm && Host.BorderForm->AForm()) {
    Host.BorderForm->UpdateExBordersPos(false, 255);
    Host.BorderForm->ExBorderShowing = true;
    SetWindowPos(wnd, Host.BorderForm->AForm(), 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    // The window itself vanishes; its border window shows its image.
    SetLayeredBitmap(wnd, nullptr, 0, nullptr);
    timer->SetEnabled(true);
    Host.BorderForm->LastTopLeft = {-1, -1};
    if (RunLoop) {
      SendMessageW(Host.BorderForm->AForm(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
      Host.BorderForm->PutBackWhereDragged();
    }
  } else {
    if (!Host.AlphaBlend()) {
      std::unique_ptr<TkcAnimWindow> cover = MakeCoverForm(wnd);
      SetLayered(wnd, true);
      if (SetLayeredWindowAttributesProc) SetLayeredWindowAttributesProc(wnd, 0, 255, LWA_ALPHA);
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    timer->SetEnabled(true);
    if (RunLoop) SendMessageW(wnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  }
  if (RunLoop) FinishBlendedMove(Host);
  return true;
}

void FinishBlendedMove(TkcBlendedMoveHost& Host) {
  const HWND wnd = Host.MovedWindow();
  if (auto* timer = dynamic_cast<TkcMoveTimer*>(Host.MoveTimer.get())) timer->SetEnabled(false);
  if (Host.BorderForm && Host.BorderForm->AForm()) {
    TkcBorderForm& b = *Host.BorderForm;
    if (fw::TBitmap* image = Host.CacheBitmap())
      SetLayeredBitmap(b.AForm(), image, Host.AlphaBlend() ? Host.AlphaBlendValue() : 255, nullptr);
    RECT br{};
    GetWindowRect(b.AForm(), &br);
    // The window goes where the border window was dragged to.
    SetWindowPos(wnd, nullptr, br.left + b.FOwner->XOffset(), br.top + b.FOwner->YOffset(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    // A dialog's border window stays on top until the dialog has repainted.
    if (Host.IsDialog()) SetWindowPos(b.AForm(), HWND_TOP, 0, 0, 0, 0, kKeepPlace);
  }
  Host.FormState &= ~0x80u;
  if (Host.AlphaBlend() && SetLayeredWindowAttributesProc) {
    SetLayered(wnd, true);
    SetLayeredWindowAttributesProc(wnd, 0, static_cast<BYTE>(Host.AlphaBlendValue()), LWA_ALPHA);
  } else {
    std::unique_ptr<TkcAnimWindow> cover;
    if (!Host.BorderForm) cover = MakeCoverForm(wnd);
    SetLayered(wnd, false);
    UpdateWindow(wnd);
  }
  // A dialog has the keyboard again when its move ends.
  if (Host.IsDialog()) SetFocus(wnd);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (Host.IsDialog() && Host.BorderForm && Host.BorderForm->AForm())
    SetWindowPos(Host.BorderForm->AForm(), wnd, 0, 0, 0, 0, kKeepPlace);
  if (auto* timer = dynamic_cast<TkcMoveTimer*>(Host.MoveTimer.get())) timer->CurrentBlendValue = 255.0;
  Host.MoveTimer.reset();
  if (Host.BorderForm && Host.BorderForm->AForm()) {
    Host.BorderForm->ExBorderShowing = false;
    Host.BorderForm->UpdateExBordersPos(true, 255);
  }
}

FW_REGISTER(TkcMoveTimer) {}

}  // namespace skin
