// The life of a skinned form's window: moving, sizing, snapping, the system
// commands (minimise, maximise, restore with the animations), showing and
// hiding with the skin manager's animations, closing, and the children that
// come and get their adapters.
#include "skin/forms/skin_provider.h"

#include <windowsx.h>

#include "fw/system/application.h"
#include "skin/engine/animations.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/manager_options.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/border_window.h"
#include "skin/forms/min_animation.h"
#include "skin/forms/core/border_tracking.h"
#include "skin/forms/ctrl_adapter.h"
#include "skin/forms/dwm_link.h"
#include "skin/forms/frame_facts.h"
#include "skin/forms/outline_drag.h"
#include "skin/forms/preview_link.h"
#include "skin/forms/provider_effects.h"

namespace skin {

namespace {

constexpr uint32_t fsHideSnapshot = 0x200;
constexpr uint32_t fsSizingFromTop = 0x2000, fsSizingFromSide = 0x4000;
// Re-placed in the z-order only: no move, size, activation, redraw or
// owner z-order, and no WM_WINDOWPOSCHANGING.
constexpr UINT kBorderBehindFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

// A flag set for a scope.
struct TkFlagScope {
  bool& Flag;
  bool Saved;
  TkFlagScope(bool& flag, bool value) : Flag(flag), Saved(flag) { Flag = value; }
  ~TkFlagScope() { Flag = Saved; }
};

// WS_VISIBLE taken away as a redraw lock (with the layered style of a fade)
// and given back on every way out.
struct TkVisibleLock {
  HWND Wnd;
  bool Locked;
  TkVisibleLock(HWND wnd, bool lock) : Wnd(wnd), Locked(lock) {
    if (Locked) SetWindowBlend(Wnd, false, 1);
  }
  ~TkVisibleLock() {
    if (!Locked || !IsWindow(Wnd)) return;
    const LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    if (style & WS_VISIBLE) return;
    SetWindowLongPtrW(Wnd, GWL_STYLE, style | WS_VISIBLE);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  TkVisibleLock(const TkVisibleLock&) = delete;
  TkVisibleLock& operator=(const TkVisibleLock&) = delete;
};

void BroadcastSkinState(fw::TWinControl* control) {
  fw::TMessage m{WM_SKINCOMMAND, MAKEWPARAM(0, SKC_SKINSTATE), 1, 0};
  BroadcastToControls(control, m);
}

fw::TWinControl* WinControlOfHandle(fw::TWinControl* parent, HWND wnd) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<fw::TWinControl*>(parent->Controls(i));
    if (!w) continue;
    if (w->HandleAllocated() && w->Handle() == wnd) return w;
    if (fw::TWinControl* found = WinControlOfHandle(w, wnd)) return found;
  }
  return nullptr;
}

}  // namespace

bool TkSkinProvider::AnimShowActive() const {
  TkSkinManager* m = Manager();
  return m && m->AnimEffects() && m->AnimEffects()->FormShow.Active;
}

bool TkSkinProvider::AnimHideActive() const {
  TkSkinManager* m = Manager();
  return m && m->AnimEffects() && m->AnimEffects()->FormHide.Active;
}

bool TkSkinProvider::MinimizingActive() const {
  TkSkinManager* m = Manager();
  return m && m->AnimEffects() && m->AnimEffects()->Minimizing.Active;
}

void TkSkinProvider::TakeHideSnapshot() {
  FormState |= fsHideSnapshot;
  TakeCoverSnapshot();
  FormState &= ~fsHideSnapshot;
  FBGChanged = false;
  if (HasBorderWindow()) ShowCoverOnBorder(255);
}

// Size and position.

bool TkSkinProvider::NativeBordersMaximized() const {
  TkSkinManager* manager = Manager();
  return manager && manager->Options() && manager->Options()->ReadOption(TkcOptions::oNativeBordersMaximized);
}

bool TkSkinProvider::FormScrollBarsVisible() const {
  return FForm->HandleAllocated() && (GetWindowLongPtrW(FForm->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
}

void TkSkinProvider::MsgMove(fw::TMessage& m) {
  StopTitleAnimations();
  FreeGlowEffects(false);
  CallOld(m);
}

void TkSkinProvider::MsgSize(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  if (FSkinData->FUpdating || !IsWindowVisible(wnd)) {
    FRgnChanged = FBGChanged = true;
    CallOld(m);
    return;
  }
  const int cw = LOWORD(m.LParam), ch = HIWORD(m.LParam);
  const fw::TRect last = LastClientRect;
  const bool shrank = cw < last.Width() || ch < last.Height();
  const bool grew = cw > last.Width() || ch > last.Height();
  // The size grip stood at the old client corner and comes to the new one.
  const int grip = FSkin->ConstData.GripRightBottom;
  if (GripVisible() && FSkin->IsValidImgIndex(grip)) {
    const TkMaskData& g = FSkin->ma[grip];
    const int gw = MaskFrameWidth(g), gh = MaskFrameHeight(g);
    const bool erase = !FSkinData->BackgroundNeedsCache();
    if (grew && erase && last.Width() > 0) {
      RECT r{last.Right - gw, last.Bottom - gh, last.Right, last.Bottom};
      InvalidateRect(wnd, &r, erase);
    }
    if (shrank) {
      RECT r{cw - gw, ch - gh, cw, ch};
      InvalidateRect(wnd, &r, erase);
    }
  }
  // The skin's right-hand client images stood at the old corner.
  if (shrank || last.Width() == 0) {
    for (const char16_t* name : {u"IMGTOPRIGHT", u"IMGBTMRIGHT"}) {
      const int i = FSkin->GetMaskIndex(FFormSkinIndex, u"FORM", name);
      if (!FSkin->IsValidImgIndex(i)) continue;
      const TkMaskData& mask = FSkin->ma[i];
      const int w = MaskFrameWidth(mask), h = MaskFrameHeight(mask);
      const bool top = name[3] == u'T';
      RECT r{last.Right - w, top ? 0 : last.Bottom - h, last.Right, top ? h : last.Bottom};
      InvalidateRect(wnd, &r, FALSE);
    }
  }
  // The menu line is measured anew; a blended move's cover follows.
  FMenus->Line().FLinesCount = -1;
  {
    TkFlagScope updating(FSkinData->FUpdating, FSkinData->FUpdating || (!HasParent() && DrawClientArea));
    CallOld(m);
  }
  if (!AnimationInProgress) {
    if (!FForm->Showing()) FBGChanged = true;
    fw::TBitmap& image = FormImage();
    RECT w{};
    GetWindowRect(wnd, &w);
    const bool sameSize = image.Width() == CaptionWidth(FInput.Frame) - (FInput.Frame.Width - (w.right - w.left)) &&
                          image.Height() == FormImageHeight(FInput.Frame) - (FInput.Frame.Height - (w.bottom - w.top));
    const bool mdiChild = FForm->FormStyle() == fw::fsMDIChild;
    if (sameSize) {
      // A maximised MDI child puts its title into the frame's menu line;
      // another child (or a frame painting its background from the image)
      // repaints its frame.
      if (m.WParam == SIZE_MAXIMIZED && mdiChild && IsZoomed(wnd) && MDISkinProvider) {
        MDISkinProvider->FBGChanged = true;
        MDISkinProvider->FMenus->Line().MenuChanged = true;
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
      } else if ((FForm->FormStyle() == fw::fsMDIForm && FSkinData->BackgroundNeedsCache()) || mdiChild) {
        Send(WM_NCPAINT, 1, 0);
      }
    } else if (!FDrawNonClientArea) {
      // The old image reached beyond the form.
      if (image.Width() > w.right - w.left || image.Height() > w.bottom - w.top) InvalidateRect(wnd, nullptr, FALSE);
    } else {
      FRgnChanged = FBGChanged = true;
      if (FDrawNonClientArea) {
        if (IsZoomed(wnd) && NativeBordersMaximized()) FreeBorderWindow();
        const bool bars = FormScrollBarsVisible();
        TkcBorderForm* b = BorderForm();
        if (b) {
          // The border window, with the new picture, lies over the form
          // while the form repaints, so the old client is never seen.
          if (!b->AForm()) b->CreateNewForm();
          TkFlagScope updating(FSkinData->FUpdating, true);
          if (!bars && ResizeMode == rmStandard) FormState |= kFsSizeChange;
          b->UpdateExBordersPos(true, 255);
          FormState &= ~kFsSizeChange;
          if (b->AForm()) {
            TkFlagScope showing(b->ExBorderShowing, true);
            SetWindowPos(b->AForm(), HWND_TOP, 0, 0, 0, 0, kBorderBehindFlags);
          }
          UpdateWindowRegion();
        } else if (FLockCount == 0) {
          HDC dc = GetWindowDC(wnd);
          PaintNonClient(dc);
          ReleaseDC(wnd, dc);
        }
        if (!FSkinData->FUpdating) {
          if (((FSkinData->BGType & 2) && ch != last.Height()) || ((FSkinData->BGType & 1) && cw != last.Width())) {
            fw::TMessage moved{WM_SKINCOMMAND, MAKEWPARAM(1, SKC_MOVED), 0, 0};
            BroadcastToControls(FForm, moved);
          }
          if (!b || bars) {
            RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW | RDW_NOFRAME);
          } else {
            RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            if (b->AForm()) {
              // Repainted: the border window goes back behind the form.
              SetWindowPos(b->AForm(), wnd, 0, 0, 0, 0, kBorderBehindFlags);
              SetWindowRgn(b->AForm(), b->MakeRgn(0, 0), TRUE);
              b->ExBorderShowing = false;
            } else {
              UpdateWindowRegion();
            }
          }
          RepaintChildControls(FForm);
        }
      }
    }
  }
  LastClientRect = fw::Rect(0, 0, FForm->ClientWidth(), FForm->ClientHeight());
}

void TkSkinProvider::MsgWindowPosChanging(fw::TMessage& m) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
  if (RgnChanging || FForm->ComponentState().Contains(fw::csLoading) || !pos) {
    CallOld(m);
    return;
  }
  const HWND wnd = FForm->Handle();
  if (!IsZoomed(wnd) && !(pos->flags & SWP_NOMOVE) && (pos->x != 0 || pos->y != 0)) {
    // A normal form that may have a border window gets it back when the
    // manager keeps native borders only for maximised forms.
    TkSkinManager* manager = Manager();
    if (manager && manager->Options() && manager->Options()->ReadOption(TkcOptions::oNativeBordersMaximized) &&
        !HasBorderWindow() && AllowExtBorders && manager->ReadExtendedBorders() && IsWindowVisible(wnd) &&
        !HasParent() && FForm->FormStyle() != fw::fsMDIChild)
      UpdateBorderForm(true);
    if (ScreenSnap && FForm->Showing()) {
      const fw::TRect area = FormWorkArea(FForm);
      const int cx = (pos->flags & SWP_NOSIZE) ? FForm->Width() : pos->cx;
      const int cy = (pos->flags & SWP_NOSIZE) ? FForm->Height() : pos->cy;
      // With a border window the skin's shadow offsets count.
      int right = cx, bottom = cy, left = 0, top = 0;
      if (HasBorderWindow()) {
        const TkSkinData& d = FSkin->CommonSkinData;
        const int delta = ExtFrameDelta(FInput.Frame);
        right += delta + d.ExShadowOffsR;
        bottom += delta + d.ExShadowOffsB;
        left = d.ExShadowOffs - delta;
        top = -(ExtTitleDelta(FInput.Frame) + d.ExShadowOffsT);
      }
      SnapCoordinate(pos->x, area.Right, SnapBuffer, right);
      SnapCoordinate(pos->y, area.Bottom, SnapBuffer, bottom);
      SnapCoordinate(pos->x, area.Left, SnapBuffer, left);
      SnapCoordinate(pos->y, area.Top, SnapBuffer, top);
    }
    if (FormState & (fsSizingFromTop | fsSizingFromSide)) {
      if (FormState & fsSizingFromTop) {
        if (FForm->Top() == pos->y) {
          pos->y = NormalBounds.Top;
          pos->cy += FForm->Top() - NormalBounds.Top;
        } else {
          // The saved height, not top plus height.
          pos->cy = NormalBounds.Bottom;
        }
      }
      FormState &= ~(fsSizingFromTop | fsSizingFromSide);
      m.Result = 0;
      return;
    }
  }
  if (Manager() && LayeredWindowsAvailable() && FDrawNonClientArea && !SkipAnimation) {
    const bool hiding = (pos->flags & SWP_HIDEWINDOW) || pos->x == -32000;
    if (hiding && FormImage().Width() > 0) {
      if (IsIconic(wnd) && FForm->WindowState() != fw::wsMinimized && pos->x == -32000) {
        CallOld(m);
        StartMinimizeAnimation();
        return;
      }
      if (!IsIconic(wnd) && Manager()->ShowState != saMinimize && FAllowAnimation && AnimHideActive() &&
          !(FormState & fsHideSnapshot) && !HasParent()) {
        FormState |= fsHideSnapshot;
        TakeCoverSnapshot();
        if (HasBorderWindow())
          ShowCoverOnBorder(255);
        else
          ShowCoverForm();
      }
    } else {
      FormState &= ~fsHideSnapshot;
      // Moved and shrunk at once (the border window's own sizing): the
      // border window takes the new outline first and the form goes right
      // behind it, so nothing of the old size shows around the form.
      TkcBorderForm* b = BorderForm();
      const UINT moveSize = SWP_NOMOVE | SWP_NOSIZE;
      if (b && b->AForm() && pos->cx != 0 && pos->cy != 0 && (pos->flags & SWP_NOACTIVATE) &&
          !(FormState & kFsMinimizing) && !(pos->flags & moveSize) && !FormScrollBarsVisible() &&
          (pos->cx < LastClientRect.Width() || pos->cy < LastClientRect.Height())) {
        if (IsIconic(wnd)) {
          FBGChanged = true;
          b->UpdateExBordersPos(true, 255);
        } else {
          FormState |= kFsSizeChange;
          SetWindowRgn(b->AForm(), b->MakeRgn(pos->cx, pos->cy), TRUE);
          SetWindowPos(wnd, b->AForm(), 0, 0, 0, 0, kBorderBehindFlags);
          FormState &= ~kFsSizeChange;
        }
      }
    }
  }
  CallOld(m);
}

void TkSkinProvider::MsgWindowPosChanged(fw::TMessage& m) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
  TkSkinManager* manager = Manager();
  if (!manager || !LayeredWindowsAvailable() || !FDrawNonClientArea || !pos) {
    CallOld(m);
    return;
  }
  const HWND wnd = FForm->Handle();
  // A maximised form with extended borders keeps a title taller than the
  // system caption.
  TkFormFrameFacts frame = FInput.Frame;
  frame.BorderForm = ExtBorderFacts();
  FSysExHeight = HasBorderWindow() && IsZoomed(wnd) && frame.BorderForm &&
                 ::skin::SystemCaptionHeight(frame) + 4 < ::skin::MaximizedTitleHeight(frame);
  if ((pos->flags & SWP_HIDEWINDOW) && !SkipAnimation && FormImage().Width() > 0 && !IsIconic(wnd)) {
    if (!(manager->ShowState == saMinimize && IsMainForm())) {
      if (manager->ShowState != saMinimize && FAllowAnimation && AnimHideActive() && !HasParent() &&
          FForm->FormStyle() != fw::fsMDIChild) {
        CallOld(m);
        TkFlagScope skip(SkipAnimation, true);
        AnimHideForm(this);
        return;
      }
      FreeBorderWindow();
    } else if (MinimizingActive()) {
      CallOld(m);
      fAnimating = false;
      return;
    }
  }
  CallOld(m);
  if (FInAnimation || !HasBorderWindow() || !FForm->Visible() || IsIconic(wnd)) return;
  if ((pos->flags & (SWP_NOREDRAW | SWP_FRAMECHANGED)) || (FormState & kFsBlendedMove)) return;
  if ((pos->flags & SWP_NOSIZE) && (pos->flags & SWP_NOMOVE) && !(pos->flags & SWP_SHOWWINDOW)) {
    // Only the z-order changed: the border window goes right behind the
    // form (composed, the active main form's above the others).
    if (TkcBorderForm* b = BorderForm(); b && b->AForm()) {
      const HWND after = DwmCompositionActive() && IsMainForm() && GetActiveWindow() == wnd ? HWND_TOPMOST : wnd;
      SetWindowPos(b->AForm(), after, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER |
                       SWP_NOSENDCHANGING);
    }
    return;
  }
  UpdateExBordersPos(false, 255);
}

void TkSkinProvider::MsgSizing(fw::TMessage& m) {
  CallOld(m);
  if (HasBorderWindow()) UpdateExBordersPos(false, 255);
}

void TkSkinProvider::MsgExitSizeMove(fw::TMessage& m) {
  CallOld(m);
  if (!HasBorderWindow() || !SkinningLinks().VisibleDialogWindows) return;
  // The skinned dialogs lying over the border window paint themselves anew.
  for (HWND dialog : SkinningLinks().VisibleDialogWindows())
    SendMessageW(dialog, WM_SKINCOMMAND, MAKEWPARAM(0, SKC_INVALIDATE), 0);
}

void TkSkinProvider::MsgSysCommand(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  const UINT command = UINT(m.WParam) & 0xFFF0;
  const bool mdiChild = FForm->FormStyle() == fw::fsMDIChild;
  if (!mdiChild) {
    switch (command) {
      case SC_MINIMIZE:
        if (!IsMainForm() && MinimizingActive()) {
          TkcSysAnimationOff off;
          StartMinimizeAnimation();
          CallOld(m);
          return;
        }
        break;
      case SC_MAXIMIZE:
        if (!HasParent() && MinimizedByTimer()) {
          TkcSysAnimationOff off;
          StartRestoreAnimation();
          CallOld(m);
          return;
        }
        break;
      case SC_RESTORE:
        if (FormState & fsHideSnapshot) {
          FormState &= ~fsHideSnapshot;
          {
            TkcSysAnimationOff off;
            CallOld(m);
          }
          BorderAfterCommand(SC_RESTORE);
          return;
        }
        if (!IsMainForm() && IsIconic(wnd)) {
          {
            TkcSysAnimationOff off;
            StartRestoreAnimation();
            CallOld(m);
          }
          BorderAfterCommand(SC_RESTORE);
          return;
        }
        break;
      default:
        if ((UINT(m.WParam) & 0xFFFF) != 0xF012 && IsMainForm() && IsIconic(wnd) && !HasParent() &&
            MinimizedByTimer() && fw::Application) {
          m.Result = SendMessageW(fw::Application->Handle(), WM_SYSCOMMAND, m.WParam, m.LParam);
          return;
        }
        break;
    }
    if ((UINT(m.WParam) & 0xFFFF) == 0xF012) FForm->Repaint();
  }
  // The outline drag takes the mouse; the system's own move or size loop
  // would take it away again, so these commands end here.
  if (ResizeMode == rmBorder && FForm->Enabled() && !BorderTracking.Active &&
      (command == SC_MOVE || command == SC_SIZE)) {
    SetCapture(wnd);
    BorderTracking.Cancelled = true;
    BorderTracking.Moving = command == SC_MOVE;
    if (command == SC_SIZE) BorderTracking.EdgeHitCode = 0;
    BorderTracking.Provider = this;
    return;
  }
  if (MdiSysCommand(m)) return;
  TkSkinManager* manager = Manager();
  // A form maximised with native borders leaves its border window.
  if (command == SC_MAXIMIZE && HasBorderWindow() && manager && manager->Options() &&
      manager->Options()->ReadOption(TkcOptions::oNativeBordersMaximized))
    FreeBorderWindow();
  CallOld(m);
  if (!FForm || FForm->ComponentState().Contains(fw::csDestroying)) return;
  if (command == SC_MAXIMIZE || command == SC_RESTORE) {
    if (FInput.LayoutInput.VisibleMax) FCurrentHT = HTMAXBUTTON;
    SetHotHT(0, true);
    if (command == SC_RESTORE) {
      FBGChanged = true;
      if (HasBorder(FInput.Frame)) {
        // Restored, the form has its border window again.
        if (manager && manager->ReadExtendedBorders() && AllowExtBorders && FDrawNonClientArea && !HasParent()) {
          UpdateBorderForm(true);
          if (HasBorderWindow()) {
            FInAnimation = false;
            UpdateExBordersPos(true, 255);
          }
        }
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
      } else
        SetWindowRgn(wnd, nullptr, TRUE);
    }
  }
  // Alt+Space: the skin's system menu drops below the title icon.
  if (command == SC_KEYMENU && m.LParam == ' ' && FForm->BorderIcons().Contains(fw::biSystemMenu) &&
      HasBorder(FInput.Frame)) {
    RECT w{};
    GetWindowRect(wnd, &w);
    DropSysMenu(w.left + FrameWidthOf(FInput.Frame, false),
                w.top + BorderHeight(FInput.Frame, true) + FInput.Layout.IconRect.Height() - (IsIconic(wnd) ? 16 : 0));
  }
  if (command == SC_MINIMIZE && MinimizingActive()) fAnimating = false;
  BorderAfterCommand(command);
}

// Creation, show, close and children.

void TkSkinProvider::MsgNcCreate(fw::TMessage& m) {
  CallOld(m);
  if (FForm && FForm->FormStyle() != fw::fsMDIChild) PrepareForm();
}

void TkSkinProvider::MsgCreate(fw::TMessage& m) {
  // A child made before its frame is skinned brings the frame (the main
  // form) its skin first.
  if (FForm && FForm->FormStyle() == fw::fsMDIChild && !MDISkinProvider && SkinningLinks().AttachSkinToWindow &&
      fw::Application)
    if (fw::TCustomForm* main = fw::Application->MainForm(); main && main != FForm && main->HandleAllocated())
      SkinningLinks().AttachSkinToWindow(main->Handle());
  MdiChildCreating();
  CallOld(m);
  if (FForm && FForm->FormStyle() != fw::fsMDIChild) PrepareForm();
}

void TkSkinProvider::MsgRecreateWnd(fw::TMessage& m) {
  const HWND old = FForm->HandleAllocated() ? FForm->Handle() : nullptr;
  CallOld(m);
  // The skin editor knows the window by its handle: it learns the new one.
  if (!PreviewWindow || PreviewWindow != old || !FForm || !FForm->HandleAllocated()) return;
  const HWND wnd = FForm->Handle();
  if (wnd == old) return;
  PreviewWindow = nullptr;
  PreviewRequested = true;
  AnnouncePreviewWindow(wnd, nullptr);
  PreviewWindow = wnd;
}

void TkSkinProvider::MsgShowWindow(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  if (FForm->FormStyle() != fw::fsMDIChild) {
    if (m.WParam == 1) {
      if (TkcBorderForm* b = BorderForm()) b->ExBorderShowing = false;
      FormState &= 0x400;
      // Composed, the frame is painted anew once the window shows.
      if (DwmCompositionActive() && !AnimationInProgress && !(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED))
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (m.LParam == SW_PARENTCLOSING && TkFormProviderLink::FInAnimation == false) {
      if (TkSkinManager* manager = Manager(); manager && manager->ShowState != saIgnore)
        manager->ShowState = IsIconic(wnd) ? saMinimize : IsZoomed(wnd) ? saMaximize : saRestore;
    }
    // The main form comes back from the task bar by its own animation.
    if (m.LParam == SW_PARENTOPENING && MinimizingActive() && IsMainForm()) {
      CallOld(m);
      return;
    }
  }
  CallOld(m);
  MdiShown(m);
  if (m.WParam == 1 && HasParent() && FForm->FormStyle() != fw::fsMDIChild) {
    FSkinData->CtrlSkinState &= uint16_t(~1u);
    FBGChanged = true;
  }
}

void TkSkinProvider::MsgClose(fw::TMessage& m) {
  const bool snapshot =
      FAllowAnimation && AnimHideActive() && FDrawNonClientArea && !(FormState & fsHideSnapshot) && !HasParent();
  CallOld(m);
  if (snapshot && FForm && !FForm->ComponentState().Contains(fw::csDestroying)) TakeHideSnapshot();
}

void TkSkinProvider::MsgVisibleChanged(fw::TMessage& m) {
  if (m.WParam == 1 && RTInit) {
    RTInit = false;
    LoadInit();
    TkSkinManager* manager = Manager();
    UpdateBorderForm(manager && manager->ReadExtendedBorders());
  }
  CallOld(m);
  if (m.WParam != 0) {
    if (HasParent()) RepaintChildControls(FForm);
  } else {
    // Hidden: the next showing builds the image anew.
    if (!FForm->ComponentState().Contains(fw::csDestroying)) FormImage().SetSize(0, 0);
    StopTitleAnimations();
  }
}

void TkSkinProvider::MsgShowingChanged(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  TkSkinManager* manager = Manager();
  if (!FDrawNonClientArea || !DrawClientArea) {
    CallOld(m);
    FSkinData->FUpdating = false;
    return;
  }
  if (!FForm->Showing()) {
    if (HasBorderWindow()) {
      if (manager && AnimHideActive() && manager->AnimEffects()->FormHide.Time >= 12 && FAllowAnimation)
        TakeHideSnapshot();
      else
        FreeBorderWindow();
    }
    CallOld(m);
    return;
  }
  if (FForm->FormStyle() == fw::fsMDIChild) {
    if (FAdapter) FAdapter->AddAllItems(FForm);
    CallOld(m);
    return;
  }
  if (FForm->FormStyle() == fw::fsMDIForm) HookMDI(true);
  FormState &= ~fsHideSnapshot;
  if (TkcBorderForm* b = BorderForm()) b->ExBorderShowing = false;
  // A minimize animation left from before is over.
  if (FEffects && dynamic_cast<TkcMinTimer*>(FEffects->FormTimer.get())) FEffects->FormTimer.reset();
  if (FAdapter) FAdapter->AddAllItems(FForm);
  // The window the skin editor shows its skins in appears at once.
  fAnimating = FAllowAnimation && !HasParent() && AnimShowActive() && !(PreviewWindow && PreviewWindow == wnd);
  int alpha = 255;
  bool madeLayered = false;
  if (fAnimating) {
    FSkinData->FUpdating = true;
    FInAnimation = true;
    madeLayered = SetWindowBlend(wnd, true, 1);
    if (madeLayered) {
      RgnChanging = false;
    }
    for (int i = 0; i < FForm->ControlCount(); ++i)
      if (FForm->Controls(i)->Visible()) FForm->Controls(i)->Perform(WM_SETREDRAW, 0, 0);
  } else {
    FSkinData->FUpdating = false;
  }
  UpdateBorderForm(manager && manager->ReadExtendedBorders());
  CallOld(m);
  if (Skinned() || !fAnimating) {
    if (fAnimating) {
      for (int i = 0; i < FForm->ControlCount(); ++i)
        if (FForm->Controls(i)->Visible()) FForm->Controls(i)->Perform(WM_SETREDRAW, 1, 0);
      // The window counts as hidden (no drawing) until the animation
      // shows it; it is visible again whatever happens on the way.
      TkVisibleLock lock(wnd, madeLayered);
      fAnimating = false;
      FSkinData->FUpdating = false;
      AnimShowForm(this, unsigned(manager->AnimEffects()->FormShow.Time), alpha, manager->AnimEffects()->FormShow.Mode);
      FInAnimation = false;
      RgnChanging = false;
    } else {
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    LastClientRect = fw::Rect(0, 0, FForm->ClientWidth(), FForm->ClientHeight());
  } else {
    for (int i = 0; i < FForm->ControlCount(); ++i)
      if (FForm->Controls(i)->Visible()) FForm->Controls(i)->Perform(WM_SETREDRAW, 1, 0);
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    RgnChanging = false;
    fAnimating = false;
    FInAnimation = false;
  }
}

void TkSkinProvider::MsgEnabledChanged(fw::TMessage& m) {
  CallOld(m);
  if (!FDrawNonClientArea) return;
  // The border window is enabled with the form.
  if (TkcBorderForm* b = BorderForm(); b && b->AForm()) EnableWindow(b->AForm(), FForm->Enabled());
  FBGChanged = true;
  Send(WM_NCPAINT, 1, 0);
}

void TkSkinProvider::MsgFloat(fw::TMessage& m) {
  CallOld(m);
  Send(WM_SKINCOMMAND, MAKEWPARAM(0, SKC_REFRESH), reinterpret_cast<LPARAM>(Manager()));
}

void TkSkinProvider::MsgParentNotify(fw::TMessage& m) {
  const WORD event = LOWORD(m.WParam);
  if (FForm->ComponentState().Contains(fw::csLoading) || (event != WM_CREATE && event != WM_DESTROY)) {
    CallOld(m);
    return;
  }
  CallOld(m);
  if (FAdapter && event == WM_CREATE) {
    // The new child is found on this form by its window, not anywhere in
    // the program by its identifier.
    fw::TWinControl* child = m.LParam ? WinControlOfHandle(FForm, reinterpret_cast<HWND>(m.LParam)) : nullptr;
    if (child)
      FAdapter->AddNewItem(child);
    else
      FAdapter->AddAllItems(nullptr);
  }
  BroadcastSkinState(FForm);
}

void TkSkinProvider::MsgControlListChange(fw::TMessage& m) {
  CallOld(m);
  auto* control = reinterpret_cast<fw::TControl*>(m.WParam);
  if (!control) return;
  if (auto* w = dynamic_cast<fw::TWinControl*>(control)) {
    if (FAdapter) FAdapter->AddNewItem(w);
    BroadcastSkinState(w);
  }
  control->Perform(WM_SKINCOMMAND, MAKEWPARAM(0, SKC_SKINSTATE), 1);
}

void TkSkinProvider::MsgNotify(fw::TMessage& m) {
  CallOld(m);
  const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
  // A tab control changed its page: the new page's controls get adapters.
  if (hdr && int(hdr->code) == -551 && FAdapter) FAdapter->AddAllItems(nullptr);
}

void TkSkinProvider::UnskinnedVisibleChanged(fw::TMessage& m) {
  TkSkinManager* manager = Manager();
  const bool hiding = FDrawNonClientArea && m.WParam == 0 && manager && manager->Active() &&
                      !(fw::Application && fw::Application->Terminated());
  // Moved off to -32000: the window is being minimised.
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  if (hiding && IsIconic(FForm->Handle()) && FForm->WindowState() != fw::wsMinimized && pos && pos->x == -32000) {
    CallOld(m);
    FForm->SetWindowState(fw::wsMinimized);
    StartMinimizeAnimation();
    return;
  }
  if (hiding && manager->ShowState != saMinimize && FAllowAnimation &&
      AnimHideActive() && !(FormState & fsHideSnapshot) && !HasParent()) {
    FormState |= fsHideSnapshot;
    if (HasBorderWindow())
      ShowCoverOnBorder(255);
    else
      ShowCoverForm();
  }
  CallOld(m);
}

void TkSkinProvider::UnskinnedWindowPosChanged(fw::TMessage& m) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
  TkSkinManager* manager = Manager();
  if (!manager || !LayeredWindowsAvailable() || !pos || !(pos->flags & SWP_HIDEWINDOW) || !FAllowAnimation ||
      IsIconic(FForm->Handle()) || SkipAnimation || !manager->Active() || !FDrawNonClientArea || !AnimHideActive())
    return;
  TkFlagScope skip(SkipAnimation, true);
  AnimHideForm(this);
  SetWindowBlend(FForm->Handle(), false, 1);
}

}  // namespace skin
