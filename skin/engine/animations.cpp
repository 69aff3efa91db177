#include "skin/engine/animations.h"

#include <algorithm>

#include "fw/controls/forms.h"
#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/common_data.h"
#include "skin/engine/background_request.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/animation_steps.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/window_utils.h"

namespace skin {

TkcHideTimer* GlobalHideTimer = nullptr;

namespace {

constexpr wchar_t kAnimWindowClass[] = L"TkcAnimWindow";

// Sets AnimationInProgress for a scope and clears it on every way out.
class TAnimationScope {
 public:
  TAnimationScope() { AnimationInProgress = true; }
  ~TAnimationScope() { AnimationInProgress = false; }
};

void WaitFrame(DWORD start) {
  DWORD spent = GetTickCount() - start;
  if (spent < static_cast<DWORD>(kAnimFrameMs)) Sleep(kAnimFrameMs - spent);
}

void SetAllAlpha(fw::TBitmap& b, uint8_t alpha) {
  SetRectAlpha(View32(b), fw::TRect{0, 0, b.Width(), b.Height()}, alpha, clSkinNone);
}

std::unique_ptr<fw::TBitmap> CopyOf(fw::TBitmap& source) {
  auto copy = NewBitmap32(source.Width(), source.Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, source.Width(), source.Height(), source.Canvas()->Handle(), 0, 0, SRCCOPY);
  return copy;
}

// The frame of a zoom rectangle: the source stretched into it over a
// cleared frame, or copied plain when the rectangle reaches past the top-left.
void DrawZoomFrame(fw::TBitmap& frame, fw::TBitmap& source, const TZoomRect& z) {
  HDC dc = frame.Canvas()->Handle();
  if (z.PlainCopy()) {
    BitBlt(dc, 0, 0, source.Width(), source.Height(), source.Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  FillRectAlpha(View32(frame), fw::TRect{0, 0, frame.Width(), frame.Height()}, 0, 0);
  const int l = static_cast<int>(fw::Round(z.l)), t = static_cast<int>(fw::Round(z.t));
  const int r = static_cast<int>(fw::Round(z.r)), b = static_cast<int>(fw::Round(z.b));
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, l, t, r - l, b - t, source.Canvas()->Handle(), 0, 0, source.Width(), source.Height(), SRCCOPY);
}

fw::TPoint WindowTopLeft(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return fw::TPoint{r.left, r.top};
}

}  // namespace

TkcAnimWindow::TkcAnimWindow(HWND Owner, bool TopMost, const wchar_t* ClassName) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kAnimWindowClass;
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  if (!Owner && fw::Application) Owner = fw::Application->Handle();
  DWORD ex = WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | (TopMost ? WS_EX_TOPMOST : 0);
  FHandle = CreateWindowExW(ex, ClassName ? ClassName : kAnimWindowClass, L"", WS_POPUP, 0, 0, 0, 0, Owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

TkcAnimWindow::~TkcAnimWindow() {
  if (FHandle) DestroyWindow(FHandle);
}

void TkcAnimWindow::ShowImage(fw::TBitmap& Image, int Alpha, fw::TPoint Pos) {
  if (!FHandle || !UpdateLayeredWindowProc) return;
  fw::TWindowDC screen;
  POINT dst{Pos.x, Pos.y}, src{0, 0};
  SIZE size{Image.Width(), Image.Height()};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(Alpha, 0, 255)), AC_SRC_ALPHA};
  UpdateLayeredWindowProc(FHandle, screen.Get(), &dst, &size, Image.Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA);
  if (!IsWindowVisible(FHandle)) ShowWindow(FHandle, SW_SHOWNOACTIVATE);
}

void PaintControlToBitmap(fw::TBitmap& B, fw::TControl* C, int X, int Y, TkFormProviderLink* Provider) {
  if (!C) return;
  HDC dc = B.Canvas()->Handle();
  if (!Provider && !C->Visible() && C->Parent()) {
    TkcBackgroundInfo info;
    RequestBackground(info, C->Parent(), false);
    if (info.BgType == 2 && info.Bmp)
      BitBlt(dc, X, Y, C->Width(), C->Height(), info.Bmp->Canvas()->Handle(), info.Offset.x + C->Left(),
             info.Offset.y + C->Top(), SRCCOPY);
    else
      SolidFillDC(dc, fw::TRect{X, Y, X + C->Width(), Y + C->Height()},
                  info.BgType == 1 ? info.Color : ControlSkinBgColor(C->Parent()));
    return;
  }
  const int saved = SaveDC(dc);
  if (!Provider || !Provider->HasBorderWindow()) IntersectClipRect(dc, 0, 0, C->Width(), C->Height());
  auto* w = dynamic_cast<fw::TWinControl*>(C);
  if (!w) {
    C->Perform(WM_SKINCOMMAND, SkinCommand(SKC_SETPRINTDC), reinterpret_cast<LPARAM>(dc));
    C->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
    C->Perform(WM_SKINCOMMAND, SkinCommand(SKC_SETPRINTDC), 0);
    RestoreDC(dc, saved);
    return;
  }
  if (w->HandleAllocated() && SkinCommandIsOne(w->WindowHandle(), SKC_ISHANDLED)) {
    SendSkinCommand(w->WindowHandle(), SKC_SETPRINTDC, reinterpret_cast<LPARAM>(dc));
    SendMessageW(w->WindowHandle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
    SendSkinCommand(w->WindowHandle(), SKC_SETPRINTDC, 0);
  } else {
    w->PaintTo(dc, 0, 0);
  }
  PaintChildWindowsToBitmap(w, B);
  RestoreDC(dc, saved);
}

void PaintChildWindowsToBitmap(fw::TWinControl* C, fw::TBitmap& B) {
  HDC dc = B.Canvas()->Handle();
  for (int i = 0; i < C->ControlCount(); ++i) {
    auto* child = dynamic_cast<fw::TWinControl*>(C->Controls(i));
    if (!child || !child->Visible() || !child->HandleAllocated()) continue;
    const int saved = SaveDC(dc);
    if (!(dynamic_cast<fw::TCustomForm*>(child) && !child->Parent())) OffsetViewportOrgEx(dc, child->Left(), child->Top(), nullptr);
    PaintControlToBitmap(B, child, child->Left(), child->Top(), nullptr);
    RestoreDC(dc, saved);
  }
}

TkcHideTimer::TkcHideTimer(fw::TComponent* AOwner) : TkcThreadedTimer(AOwner, false) {}

TkcHideTimer::~TkcHideTimer() {
  SetEnabled(false);
  CallEvent();
  if (GlobalHideTimer == this) GlobalHideTimer = nullptr;
}

void TkcHideTimer::Anim_Init() {
  Trans = StartBlendValue;
  p = StepCount > 0 ? static_cast<double>(StartBlendValue) / StepCount : StartBlendValue;
  const double w = SrcBmp ? SrcBmp->Width() : 0, h = SrcBmp ? SrcBmp->Height() : 0;
  if (AnimType == atAero && StepCount > 0) {
    dx = -w / (StepCount * 8.0);
    dy = -h / (StepCount * 8.0);
    l = t = 0;
    r = w;
    b = h;
  } else {
    dx = dy = l = t = r = b = 0;
  }
}

void TkcHideTimer::Anim_DoNext() {
  Trans = std::max(0.0, Trans - p);
  FrameAlpha = static_cast<int>(fw::Round(Trans));
  if (AnimType == atFading) {
    if (l == 0) {
      BitBlt(DstBmp->Canvas()->Handle(), 0, 0, SrcBmp->Width(), SrcBmp->Height(), SrcBmp->Canvas()->Handle(), 0, 0,
             SRCCOPY);
      l = 1;
    }
  } else {
    DrawZoomFrame(*DstBmp, *SrcBmp, TZoomRect{l, t, r, b});
  }
}

void TkcHideTimer::Anim_GoToNext() {
  if (AnimType != atAero) return;
  l -= dx;
  t -= dy;
  r += dx;
  b += dy;
}

void TkcHideTimer::OnTimerProc(fw::TObject*) {
  if (!Form) return;
  if (i > StepCount) {
    CallEvent();
    SetInterval(0xFFFF);
    SetOnTimer(fw::TNotifyEvent());
    Form.reset();
    SrcBmp.reset();
    DstBmp.reset();
    return;
  }
  Anim_DoNext();
  Form->ShowImage(*DstBmp, FrameAlpha, WindowTopLeft(Form->Handle()));
  Anim_GoToNext();
  ++i;
}

void TkcHideTimer::CallEvent() {
  if (EventCalled || !ParentWnd) return;
  auto* provider = reinterpret_cast<TkFormProviderLink*>(SendSkinCommand(ParentWnd, SKC_GETPROVIDER, 0));
  if (provider && provider->OnAfterAnimation.Assigned()) {
    EventCalled = true;
    provider->OnAfterAnimation(aeHiding);
  }
}

void RunHideAnimation(std::unique_ptr<TkcAnimWindow> W, std::unique_ptr<fw::TBitmap> S, unsigned Time, HWND Parent,
                      TkcAnimType Mode, int StartAlpha) {
  if (GlobalHideTimer && GlobalHideTimer->Form) GlobalHideTimer->Form.reset();
  const int steps = AnimStepCount(Time);
  if (steps == 0 || !W || !S) return;
  if (!GlobalHideTimer) GlobalHideTimer = new TkcHideTimer(fw::Application);
  TkcHideTimer& h = *GlobalHideTimer;
  h.ParentWnd = Parent;
  h.EventCalled = false;
  h.i = 0;
  h.SrcBmp = std::move(S);
  h.StartBlendValue = StartAlpha;
  h.Form = std::move(W);
  h.AnimType = Mode;
  h.SetInterval(kAnimFrameMs);
  h.StepCount = steps;
  h.Form->ShowImage(*h.SrcBmp, StartAlpha, WindowTopLeft(h.Form->Handle()));
  SetWindowPos(h.Form->Handle(), HWND_TOPMOST, 0, 0, h.SrcBmp->Width(), h.SrcBmp->Height(),
               SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
  h.DstBmp = NewBitmap32(h.SrcBmp->Width(), h.SrcBmp->Height());
  h.Anim_Init();
  if (fw::Application && fw::Application->Terminated()) {
    // No timer outlives the application: the frames run now.
    while (h.Form && h.i <= h.StepCount) {
      DWORD start = GetTickCount();
      h.OnTimerProc(&h);
      WaitFrame(start);
    }
    h.OnTimerProc(&h);
    return;
  }
  h.SetOnTimer(fw::TNotifyEvent(&h, &TkcHideTimer::OnTimerProc));
  h.i = 0;
  h.OnTimerProc(&h);
  h.SetEnabled(true);
}

void AnimShowForm(TkFormProviderLink* Provider, unsigned Time, int MaxAlpha, TkcAnimType Mode) {
  if (!Provider || !Provider->FCommonData || !Provider->Form) return;
  fw::TCustomForm* form = Provider->Form;
  if (!form->HandleAllocated() || IsIconic(form->WindowHandle())) return;
  TAnimationScope animating;
  Provider->PrepareFormCache();
  fw::TBitmap* cache = Provider->FCommonData->FCacheBmp.get();
  if (!cache || cache->Width() == 0 || cache->Height() == 0) return;
  auto snapshot = NewBitmap32(cache->Width(), cache->Height());
  PaintControlToBitmap(*snapshot, form, 0, 0, Provider);
  SetAllAlpha(*snapshot, 255);
  const bool topMost = form->FormStyle() == fw::fsStayOnTop;
  TkcAnimWindow window(nullptr, topMost);
  const fw::TPoint pos = WindowTopLeft(form->WindowHandle());
  const std::vector<int> alphas = FormShowAlphas(Time, MaxAlpha);
  if (!topMost)
    SetWindowPos(window.Handle(), form->WindowHandle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  window.ShowImage(*snapshot, alphas.empty() ? MaxAlpha : 0, pos);
  auto frame = NewBitmap32(snapshot->Width(), snapshot->Height());
  const std::vector<TZoomRect> zoom = ShowZoomRects(snapshot->Width(), snapshot->Height(), AnimStepCount(Time));
  bool copied = false;
  for (size_t i = 0; i < alphas.size(); ++i) {
    const DWORD start = GetTickCount();
    if (Mode == atAero) {
      DrawZoomFrame(*frame, *snapshot, zoom[i]);
    } else if (!copied) {
      BitBlt(frame->Canvas()->Handle(), 0, 0, snapshot->Width(), snapshot->Height(), snapshot->Canvas()->Handle(), 0,
             0, SRCCOPY);
      copied = true;
    }
    window.ShowImage(*frame, alphas[i], pos);
    WaitFrame(start);
  }
  window.ShowImage(*snapshot, MaxAlpha, pos);
  Provider->FInAnimation = false;
  SetWindowPos(form->WindowHandle(), window.Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(form->WindowHandle(), WM_SETREDRAW, 1, 0);
  AnimationInProgress = false;
  RedrawWindow(form->WindowHandle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (Provider->OnAfterAnimation.Assigned()) Provider->OnAfterAnimation(aeShowing);
}

void AnimShowWindow(HWND Wnd, fw::TBitmap& Image, fw::TPoint Pos, unsigned Time, int MaxAlpha, TkcAnimType Mode) {
  if (!Wnd || Image.Width() == 0 || Image.Height() == 0) return;
  TAnimationScope animating;
  const std::vector<int> alphas = DialogShowAlphas(Time, MaxAlpha);
  TkcAnimWindow window(nullptr, (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  window.ShowImage(Image, alphas.empty() ? MaxAlpha : 0, Pos);
  auto frame = NewBitmap32(Image.Width(), Image.Height());
  const std::vector<TZoomRect> zoom = ShowZoomRects(Image.Width(), Image.Height(), AnimStepCount(Time));
  bool copied = false;
  for (size_t i = 0; i < alphas.size(); ++i) {
    const DWORD start = GetTickCount();
    if (Mode == atAero) {
      DrawZoomFrame(*frame, Image, zoom[i]);
    } else if (!copied) {
      BitBlt(frame->Canvas()->Handle(), 0, 0, Image.Width(), Image.Height(), Image.Canvas()->Handle(), 0, 0, SRCCOPY);
      copied = true;
    }
    window.ShowImage(*frame, alphas[i], Pos);
    WaitFrame(start);
  }
  window.ShowImage(Image, MaxAlpha, Pos);
  SetWindowPos(Wnd, window.Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AnimationInProgress = false;
  RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void AnimHideForm(TkFormProviderLink* Provider) {
  FreeGlowEffects(true);
  if (!Provider || !Provider->Form || !Provider->FCommonData || Provider->Form->FormStyle() == fw::fsMDIChild) return;
  fw::TBitmap* cache = Provider->FCommonData->FCacheBmp.get();
  if (!cache) return;
  TkSkinManager* manager = Provider->FCommonData->ReadSkinManager();
  if (!manager) return;
  TAnimationScope animating;
  if (!(Provider->FormState & fsCachePrepared)) Provider->PrepareFormCache();
  fw::TCustomForm* form = Provider->Form;
  auto window = std::make_unique<TkcAnimWindow>(nullptr, true);
  auto snapshot = CopyOf(*cache);
  SetAllAlpha(*snapshot, 255);
  SetWindowPos(window->Handle(), nullptr, WindowTopLeft(form->WindowHandle()).x, WindowTopLeft(form->WindowHandle()).y,
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const TkcFormAnimation& hide = manager->AnimEffects()->FormHide;
  RunHideAnimation(std::move(window), std::move(snapshot), static_cast<unsigned>(hide.Time), form->WindowHandle(),
                   hide.Mode, 255);
}

void SkinChangeTransition(fw::TWinControl* Ctl, unsigned Time, int MaxAlpha, bool Aero) {
  if (!Ctl || !Ctl->HandleAllocated()) return;
  TAnimationScope animating;
  const int steps = AnimStepCount(Time);
  auto* form = dynamic_cast<fw::TCustomForm*>(Ctl);
  TkFormProviderLink* provider = form ? ProviderOf(form) : nullptr;
  const int w = Ctl->Width(), h = Ctl->Height();
  if (w <= 0 || h <= 0) return;
  auto image = NewBitmap32(w, h);
  if (provider) provider->PrepareFormCache();
  PaintControlToBitmap(*image, Ctl, 0, 0, provider);
  SetAllAlpha(*image, 255);
  if (LayeredWindowsAvailable() && form) {
    // A temporary layered window over the form fades the new image in.
    const bool topMost = form->FormStyle() == fw::fsStayOnTop;
    TkcAnimWindow window(nullptr, topMost);
    if (!topMost)
      SetWindowPos(window.Handle(), form->WindowHandle(), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    const fw::TPoint pos = WindowTopLeft(form->WindowHandle());
    const std::vector<int> alphas = FormShowAlphas(Time, MaxAlpha);
    window.ShowImage(*image, alphas.empty() ? MaxAlpha : 0, pos);
    auto frame = NewBitmap32(w, h);
    const std::vector<TZoomRect> zoom = ShowZoomRects(w, h, steps);
    bool copied = false;
    for (size_t i = 0; i < alphas.size(); ++i) {
      const DWORD start = GetTickCount();
      if (Aero) {
        DrawZoomFrame(*frame, *image, zoom[i]);
      } else if (!copied) {
        BitBlt(frame->Canvas()->Handle(), 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
        copied = true;
      }
      window.ShowImage(*frame, alphas[i], pos);
      WaitFrame(start);
    }
    AnimationInProgress = false;
    SendMessageW(form->WindowHandle(), WM_SETREDRAW, 1, 0);
    RedrawWindow(form->WindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return;
  }
  // Without layered windows: the screen under the control blended into the
  // new image on a window of its own.
  RECT wr{};
  GetWindowRect(Ctl->WindowHandle(), &wr);
  auto screenImage = NewBitmap32(w, h);
  {
    fw::TWindowDC screen;
    BitBlt(screenImage->Canvas()->Handle(), 0, 0, w, h, screen.Get(), wr.left, wr.top, SRCCOPY);
  }
  HWND output = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"kcOutputWindow", WS_POPUP, wr.left,
                                wr.top, w, h, fw::Application ? fw::Application->Handle() : nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (output) ShowWindow(output, SW_SHOWNOACTIVATE);
  auto frame = NewBitmap32(w, h);
  {
    fw::TWindowFrameDC outDCHolder(output);
    HDC outDC = output ? outDCHolder.Get() : nullptr;
    for (int v : ScreenBlendWeights(steps)) {
    const DWORD start = GetTickCount();
      BlendTwoBitmaps(View32(*frame), View32(*screenImage), View32(*image), nullptr, static_cast<uint8_t>(v));
      if (outDC) BitBlt(outDC, 0, 0, w, h, frame->Canvas()->Handle(), 0, 0, SRCCOPY);
      WaitFrame(start);
    }
    if (outDC) BitBlt(outDC, 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  AnimationInProgress = false;
  if (Ctl->Visible()) {
    SendMessageW(Ctl->WindowHandle(), WM_SETREDRAW, 1, 0);
    RedrawWindow(Ctl->WindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  if (output) DestroyWindow(output);
}

FW_REGISTER(TkcHideTimer) {}

}  // namespace skin
