#include "skin/forms/min_animation.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/border_window.h"
#include "skin/forms/dwm_link.h"
#include "skin/forms/iconic_preview.h"

namespace skin {

namespace {

constexpr UINT kZOrderOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                             SWP_NOSENDCHANGING;  // 0x61B


void SetExStyleBit(HWND wnd, LONG_PTR bit, bool on) {
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  const LONG_PTR next = on ? (ex | bit) : (ex & ~bit);
  if (next != ex) SetWindowLongPtrW(wnd, GWL_EXSTYLE, next);
}

void MakeTransparent(HWND wnd) {
  SetExStyleBit(wnd, WS_EX_LAYERED, true);
  if (SetLayeredWindowAttributesProc) SetLayeredWindowAttributesProc(wnd, 0, 0, LWA_ALPHA);
}

// The steps are taken as the system would show them: stepped on old
// systems and with composition, in one step otherwise.
bool SteppedAnimation() { return WindowsVersionNumber() < 6 || DwmCompositionActive(); }

}  // namespace

TkcMinAnimHost::~TkcMinAnimHost() { FormTimer.reset(); }

bool (*TkcSysAnimationOff::Read)() = SysWindowAnimationOn;
void (*TkcSysAnimationOff::Write)(bool) = SetSysWindowAnimation;

TkcSysAnimationOff::TkcSysAnimationOff() : FWasOn(Read()) {
  if (FWasOn) Write(false);
}

TkcSysAnimationOff::~TkcSysAnimationOff() {
  if (FWasOn) Write(true);
}

fw::TRect TaskbarButtonRect(HWND Tray, HWND AppWindow) {
  fw::TRect found;
  if (!Tray || !AppWindow) return found;
  const HWND rebar = FindWindowExW(Tray, nullptr, L"ReBarWindow32", nullptr);
  const HWND tasks = rebar ? FindWindowExW(rebar, nullptr, L"MSTaskSwWClass", nullptr) : nullptr;
  const HWND bar = tasks ? FindWindowExW(tasks, nullptr, L"ToolbarWindow32", nullptr) : nullptr;
  if (!bar) return found;
  const int count = int(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  if (count <= 0) return found;
  DWORD pid = 0;
  GetWindowThreadProcessId(bar, &pid);
  const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  if (!process) return found;
  // The tool bar writes its answers into a page of its own process.
  void* page = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (page) {
    const auto remote = reinterpret_cast<LPARAM>(page);
    for (int i = 0; i < count; ++i) {
      TBBUTTON button{};
      SIZE_T read = 0;
      if (!SendMessageW(bar, TB_GETBUTTON, WPARAM(i), remote) ||
          !ReadProcessMemory(process, page, &button, sizeof button, &read) || read != sizeof button)
        continue;
      if ((button.fsStyle & 0x0D) || (button.fsState & TBSTATE_HIDDEN) || !button.dwData) continue;
      // The button's data begins with the window it stands for.
      HWND owner = nullptr;
      if (!ReadProcessMemory(process, reinterpret_cast<const void*>(button.dwData), &owner, sizeof owner, &read) ||
          read != sizeof owner || owner != AppWindow)
        continue;
      RECT item{};
      if (SendMessageW(bar, TB_GETITEMRECT, WPARAM(i), remote) &&
          ReadProcessMemory(process, page, &item, sizeof item, &read) && read == sizeof item) {
        const fw::TRect at = WindowRectOf(bar);
        found = fw::Rect(item.left + at.Left, item.top + at.Top, item.right + at.Left, item.bottom + at.Top);
      }
      break;
    }
    VirtualFreeEx(process, page, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return found;
}

namespace {

// The window whose button the taskbar shows for this program.
HWND ApplicationTaskbarWindow() {
  if (!fw::Application) return nullptr;
  fw::TCustomForm* main = fw::Application->MainForm();
  if (main && main->HandleAllocated() && !GetWindow(main->Handle(), GW_OWNER)) return main->Handle();
  return fw::Application->Handle();
}

}  // namespace

TkTaskbarFacts ReadTaskbarFacts() {
  TkTaskbarFacts t;
  if (HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr)) {
    t.Exists = true;
    t.Rect = WindowRectOf(bar);
    if (!DwmCompositionActive()) t.ButtonRect = TaskbarButtonRect(bar, ApplicationTaskbarWindow());
  }
  return t;
}

void SetLayeredBitmap(HWND Wnd, fw::TBitmap* Bmp, int Alpha, const fw::TPoint* Pos) {
  if (!Wnd || !UpdateLayeredWindowProc) return;
  SetExStyleBit(Wnd, WS_EX_LAYERED, true);
  std::unique_ptr<fw::TBitmap> empty;
  if (!Bmp) {
    const fw::TRect r = WindowRectOf(Wnd);
    empty = NewBitmap32(std::max(r.Width(), 1), std::max(r.Height(), 1));
    Bmp = empty.get();
  }
  fw::TWindowDC screen;
  POINT dst{Pos ? Pos->x : 0, Pos ? Pos->y : 0}, src{0, 0};
  SIZE size{Bmp->Width(), Bmp->Height()};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(Alpha, 0, 255)), AC_SRC_ALPHA};
  UpdateLayeredWindowProc(Wnd, screen.Get(), Pos ? &dst : nullptr, &size, Bmp->Canvas()->Handle(), &src, 0, &blend,
                          ULW_ALPHA);
}

std::unique_ptr<TkcAnimWindow> MakeCoverForm(HWND Wnd) {
  auto cover = std::make_unique<TkcAnimWindow>(nullptr, true);
  if (!cover->Handle()) return cover;
  const fw::TRect r = WindowRectOf(Wnd);
  auto image = NewBitmap32(std::max(r.Width(), 1), std::max(r.Height(), 1));
  {
    fw::TWindowFrameDC dc(Wnd);
    BitBlt(image->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc.Get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  SetRectAlpha(View32(*image), fw::Rect(0, 0, image->Width(), image->Height()), 255, clSkinNone);
  cover->ShowImage(*image, 255, fw::TPoint{r.Left, r.Top});
  SetWindowPos(cover->Handle(), HWND_TOPMOST, r.Left, r.Top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  return cover;
}

TkcMinTimer::TkcMinTimer(fw::TComponent* AOwner, TkcMinAnimHost* Host) : TkcThreadedTimer(AOwner, true), sp(Host) {
  InitData();
  SavedImage = NewBitmap32(1, 1);
}

TkcMinTimer::~TkcMinTimer() {
  SetEnabled(false);
  if (sp && (sp->FormState & 0x500)) MakeOpaque();
  AnimForm.reset();
}

TkcBorderForm* TkcMinTimer::Border() const { return sp ? sp->HostBorderForm() : nullptr; }

HWND TkcMinTimer::AnimHandle() const {
  if (TkcBorderForm* b = Border(); b && b->AForm()) return b->AForm();
  return AnimForm ? AnimForm->Handle() : nullptr;
}

void TkcMinTimer::ShowOn(fw::TBitmap& Image, int Alpha, fw::TPoint Pos) {
  if (TkcBorderForm* b = Border(); b && b->AForm()) {
    SetLayeredBitmap(b->AForm(), &Image, Alpha, &Pos);
    if (!IsWindowVisible(b->AForm())) ShowWindow(b->AForm(), SW_SHOWNOACTIVATE);
  } else if (AnimForm) {
    AnimForm->ShowImage(Image, Alpha, Pos);
  }
}

int TkcMinTimer::AlphaFrom() const {
  return MinimizeAlphaFrom(sp && sp->AlphaBlend(), sp ? sp->AlphaBlendValue() : 255, SteppedAnimation());
}

void TkcMinTimer::InitData() {
  SetInterval(12);
  if (!sp) return;
  const unsigned time = SteppedAnimation() ? sp->MinimizingTime() : 0;
  if (!FormHandle) FormHandle = sp->FormWindow();
  Taskbar = ReadTaskbarFacts();
  // With a border window its whole image moves, on the border window itself.
  TkcBorderForm* border = Border();
  const HWND from = border && border->AForm() ? border->AForm() : FormHandle;
  Steps.Init(WindowRectOf(from), AlphaFrom(), time, Taskbar, DwmCompositionActive());
  AlphaBmp = NewBitmap32(std::max(Steps.RectFrom.Width(), 1), std::max(Steps.RectFrom.Height(), 1));
  AnimForm.reset();
  if (from != FormHandle) return;
  AnimForm = MakeCoverForm(FormHandle);
  if (AnimForm->Handle()) SetWindowRgn(AnimForm->Handle(), nullptr, FALSE);
}

void TkcMinTimer::MakeOpaque() {
  if (FormHandle && IsWindow(FormHandle)) {
    if (sp && sp->AlphaBlend() && SetLayeredWindowAttributesProc)
      SetLayeredWindowAttributesProc(FormHandle, 0, static_cast<BYTE>(sp->AlphaBlendValue()), LWA_ALPHA);
    else
      SetExStyleBit(FormHandle, WS_EX_LAYERED, false);
  }
  if (sp) {
    sp->FormState &= ~0x500u;
    sp->fAnimating = false;
  }
  if (TkcBorderForm* b = Border()) b->ExBorderShowing = false;
}

void TkcMinTimer::ShowFrame() {
  const HWND anim = AnimHandle();
  if (!anim || !AlphaBmp || !SavedImage) return;
  SetWindowRgn(anim, nullptr, FALSE);
  const TkMinFrame f = Steps.Frame(AlphaBmp->Width(), AlphaBmp->Height());
  const TPixelView32 v = View32(*AlphaBmp);
  FillRectAlpha(v, fw::Rect(0, 0, v.Width, v.Height), 0, 0);
  HDC dc = AlphaBmp->Canvas()->Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, f.OffsetX, f.OffsetY, f.StretchWidth, f.StretchHeight, SavedImage->Canvas()->Handle(), 0, 0,
             SavedImage->Width(), SavedImage->Height(), SRCCOPY);
  GdiFlush();
  ShowOn(*AlphaBmp, f.Alpha, f.WindowPos);
  // The image vanishes behind the taskbar.
  if (HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr))
    SetWindowPos(anim, bar, 0, 0, 0, 0, kZOrderOnly | SWP_SHOWWINDOW);
}

void TkcMinTimer::EndMinimize() {
  SetEnabled(false);
  sp->fAnimating = false;
  sp->ClearHotElement();
  sp->FormState &= ~0x100u;
  SetExStyleBit(FormHandle, WS_EX_LAYERED, false);
  if (TkcBorderForm* b = Border()) {
    // The border window goes with the form to the taskbar.
    b->FreeForm();
    b->ExBorderShowing = false;
  } else if (AnimForm) {
    const TPixelView32 v = View32(*AlphaBmp);
    FillRectAlpha(v, fw::Rect(0, 0, v.Width, v.Height), 0, 0);
    AnimForm->ShowImage(*AlphaBmp, 0, Steps.Frame(v.Width, v.Height).WindowPos);
    ShowWindow(AnimForm->Handle(), SW_HIDE);
  }
  sp->RepaintFrame();
}

void TkcMinTimer::EndRestore() {
  SetEnabled(false);
  if (AnimHandle() && SavedImage) ShowOn(*SavedImage, Steps.AlphaOrigin, {Steps.RectFrom.Left, Steps.RectFrom.Top});
  WINDOWPLACEMENT wp{sizeof wp};
  GetWindowPlacement(FormHandle, &wp);
  const bool maximized = IsZoomed(FormHandle) || (IsIconic(FormHandle) && (wp.flags & WPF_RESTORETOMAXIMIZED));
  {
    TkcSysAnimationOff noSystemAnimation;
    ShowWindow(FormHandle, maximized ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
  }
  if (AnimForm) SetWindowPos(AnimForm->Handle(), HWND_TOP, 0, 0, 0, 0, kZOrderOnly);
  MakeOpaque();
  RedrawWindow(FormHandle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Steps.Minimized = false;
  if (TkcBorderForm* b = Border(); b && !AnimForm) {
    b->ExBorderShowing = false;
    b->UpdateExBordersPos(true, 255);
  }
  if (AnimForm) SetWindowPos(AnimForm->Handle(), FormHandle, 0, 0, 0, 0, kZOrderOnly);
  AnimForm.reset();
  if (IsWindowEnabled(FormHandle) && IsWindowVisible(FormHandle)) {
    SetActiveWindow(FormHandle);
    SetFocus(FormHandle);
  }
}

void TkcMinTimer::TimeHandler() {
  if (InHandler || !sp) return;
  InHandler = true;
  struct TLeave {
    bool& flag;
    ~TLeave() { flag = false; }
  } leave{InHandler};
  if (Steps.Minimized && (sp->FormState & 0x100)) Steps.Minimized = false;
  if (!Steps.Minimized && (sp->FormState & 0x400)) Steps.Minimized = true;
  if (!AnimHandle()) {
    SetEnabled(false);
    return;
  }
  if (TkcBorderForm* b = Border()) b->ExBorderShowing = true;
  // The form's window went during the animation: nothing left to show.
  if (!IsWindow(FormHandle)) {
    SetEnabled(false);
    AnimForm.reset();
    MakeOpaque();
    return;
  }
  if (!Steps.Minimized) {
    if (Steps.StepMinimize()) {
      EndMinimize();
      return;
    }
  } else if (Steps.StepRestore(AlphaFrom())) {
    EndRestore();
    return;
  }
  ShowFrame();
}

namespace {

// Runs the minimize animation; false when one runs already.
bool RunMinimizeAnimation(TkcMinAnimHost& Host) {
  Host.StopTitleAnimations();
  if (Host.FormState & 0x100) return false;
  Host.FormState |= 0x100;
  Host.fAnimating = true;
  auto* timer = dynamic_cast<TkcMinTimer*>(Host.FormTimer.get());
  if (Host.FormTimer && !timer) Host.FormTimer.reset();
  if (!timer) {
    timer = new TkcMinTimer(nullptr, &Host);
    Host.FormTimer.reset(timer);
  } else if (!(Host.FormState & 0x400)) {
    timer->InitData();
  }
  Host.FormState &= ~0x400u;
  TkcBorderForm* border = Host.HostBorderForm();
  if (timer->AlphaFrom() <= timer->Steps.CurrentAlpha) {
    if (border && border->AForm()) border->UpdateExBordersPos(false, 255);
    if (auto image = Host.MakeFormImage()) timer->SavedImage = std::move(image);
    if (border && border->AForm()) {
      // The border window shows the animation whole, on top but not
      // topmost: the system would not take it out of the topmost band again.
      DwmLink().EnableBlurBehind(border->AForm(), false, nullptr);
      border->ExBorderShowing = true;
      SetWindowPos(border->AForm(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOREDRAW);
      SetWindowRgn(border->AForm(), nullptr, FALSE);
    }
  }
  MakeTransparent(Host.FormWindow());
  timer->Tick();
  // One step needs no timer (the first ran already).
  if (Host.FormState & 0x100) timer->SetEnabled(SteppedAnimation() || (border && border->AForm()));
  return true;
}

}  // namespace

void StartMinimizeAnimation(TkcMinAnimHost& Host) {
  if (Host.MinimizingActive() && !RunMinimizeAnimation(Host)) return;
  // The taskbar shows the snapshot of the minimised form.
  const HWND taskbarWnd = FormTaskbarWindow(Host.FormWindow());
  EnableIconicThumbnails(taskbarWnd, true);
  InvalidateIconicImages(taskbarWnd);
}

bool StartRestoreAnimation(TkcMinAnimHost& Host) {
  auto* timer = dynamic_cast<TkcMinTimer*>(Host.FormTimer.get());
  if (!timer || !Host.MinimizingActive() || (Host.FormState & 0x400)) return false;
  Host.FormState = (Host.FormState & ~0x100u) | 0x400u;
  Host.fAnimating = true;
  if (TkcBorderForm* border = Host.HostBorderForm()) {
    // The border window freed at the taskbar comes back for the way up.
    border->ExBorderShowing = true;
    if (!border->AForm()) {
      border->CreateNewForm();
      if (border->AForm() && timer->AlphaBmp) {
        const fw::TPoint at{timer->Steps.RectFrom.Left, timer->Steps.RectFrom.Top};
        SetLayeredBitmap(border->AForm(), timer->AlphaBmp.get(), 0, &at);
      }
    }
    if (border->AForm())
      SetWindowPos(border->AForm(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  if (!timer->AnimHandle()) timer->AnimForm = MakeCoverForm(timer->FormHandle);
  MakeTransparent(Host.FormWindow());
  timer->SetEnabled(true);
  EnableIconicThumbnails(FormTaskbarWindow(Host.FormWindow()), false);
  return true;
}

FW_REGISTER(TkcMinTimer) {}

}  // namespace skin
