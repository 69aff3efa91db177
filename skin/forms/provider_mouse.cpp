// The skinned frame under the mouse: the title buttons' hot and pressed
// states, the hit test, clicks on the title buttons, double clicks, the
// right button and the outline drag of ResizeMode rmBorder.
#include "skin/forms/skin_provider.h"

#include <windowsx.h>

#include <algorithm>

#include "fw/controls/hintwindow.h"
#include "fw/menus/menus.h"
#include "fw/system/application.h"
#include "fw/system/timers.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/border_window.h"
#include "skin/forms/frame_facts.h"
#include "skin/forms/outline_drag.h"
#include "skin/forms/system_menu.h"
#include "skin/forms/core/border_tracking.h"
#include "skin/forms/skinned_menus.h"
#include "skin/forms/title_bar.h"
#include "skin/forms/title_glow.h"

namespace skin {

namespace {

bool IsTitleButtonCode(int code) {
  return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP ||
         (code >= 101 && code <= 103) || (code >= 1000 && code <= 1100) || (code >= 2000 && code <= 2100);
}

bool IsSizingCode(int code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

bool IsUserCode(int code) { return code >= 1000 && code < 2000; }
bool IsItemCode(int code) { return code >= 2000 && code <= 2255; }

fw::TShiftState NoShift() { return fw::TShiftState{}; }

bool Inside(const fw::TRect& r, fw::TPoint p) {
  return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

}  // namespace

// Seam for tests: whether the system shows window contents while dragging.
bool (*DragFullWindowsQuery)() = [] {
  BOOL on = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
  return on != FALSE;
};

bool TkSkinProvider::IsMainForm() const { return fw::Application && fw::Application->MainForm() == FForm; }
bool TkSkinProvider::HasParent() const { return FForm && FForm->Parent() != nullptr; }

bool TkSkinProvider::GlowAllowed() const {
  TkSkinManager* m = Manager();
  return m && m->Effects() && m->Effects()->FAllowGlowing;
}

bool TkSkinProvider::SkinnedPopups() const {
  TkSkinManager* m = Manager();
  return !m || m->SkinnedPopups();
}

TkSysMenuRules TkSkinProvider::Rules() const { return SystemMenuRules(FormSysMenuFacts(FForm)); }

TkCaptionButton* TkSkinProvider::ButtonOf(int hitCode) {
  switch (hitCode) {
    case HTCLOSE: return &FInput.Layout.Close;
    case HTMAXBUTTON: return &FInput.Layout.Max;
    case HTMINBUTTON: return &FInput.Layout.Min;
    case HTHELP: return &FInput.Layout.Help;
    case 101: return &FMdi.Close;
    case 102: return &FMdi.Max;
    case 103: return &FMdi.Min;
    default: {
      TkTitleButton* b = UserButtonOf(hitCode);
      return b ? &b->Data : nullptr;
    }
  }
}

TkTitleButton* TkSkinProvider::UserButtonOf(int hitCode) const {
  if (!IsUserCode(hitCode) || hitCode - 1000 >= FTitleButtons->Count()) return nullptr;
  return FTitleButtons->Items(hitCode - 1000);
}

TkcTitleBarItem* TkSkinProvider::ItemOf(int hitCode) const {
  if (!IsItemCode(hitCode) || !FTitleBar || size_t(hitCode - 2000) >= FTitleBar->Items.size()) return nullptr;
  return FTitleBar->Items[size_t(hitCode - 2000)].get();
}

void TkSkinProvider::SetElementState(int hitCode, int state, bool entering) {
  if (TkCaptionButton* b = ButtonOf(hitCode)) {
    b->State = state;
    return;
  }
  TkcTitleBarItem* item = ItemOf(hitCode);
  if (!item) return;
  if (entering && state == 1 && item->OnMouseEnter.Assigned()) item->OnMouseEnter(nullptr);
  if (!entering && state == 0) {
    if (item->OnMouseLeave.Assigned()) item->OnMouseLeave(nullptr);
    // Released elsewhere: the next press counts again.
    if (!TitleButtonPressed) item->FPressed = false;
  }
  item->SetState(state);
}

int TkSkinProvider::ButtonState(int hitCode) const {
  return const_cast<TkSkinProvider*>(this)->ButtonOf(hitCode) ? const_cast<TkSkinProvider*>(this)->ButtonOf(hitCode)->State
                                                              : -1;
}

fw::TPoint TkSkinProvider::ScreenToForm(int x, int y) const {
  RECT w{};
  GetWindowRect(HasBorderWindow() ? BorderWindowHandle() : FForm->Handle(), &w);
  return {x - w.left, y - w.top};
}

bool TkSkinProvider::GripVisible() const {
  if (GripMode != gmRightBottom || !FForm || !FForm->HandleAllocated()) return false;
  const HWND wnd = FForm->Handle();
  return !IsZoomed(wnd) && (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_THICKFRAME);
}

TkTitleHitInput TkSkinProvider::HitInput() const {
  TkTitleHitInput in;
  in.Frame = FInput.Frame;
  in.Layout = FInput.Layout;
  in.HasSystemMenu = FInput.LayoutInput.SystemButtons;
  in.SystemMenuIcon = FForm->BorderIcons().Contains(fw::biSystemMenu);
  in.HelpIcon = FInput.LayoutInput.HelpButton;
  in.Rules = Rules();
  for (int i = 0; i < FTitleButtons->Count(); ++i) {
    const TkTitleButton* b = FTitleButtons->Items(i);
    in.UserButtons.push_back({b->Data.Rect, b->Visible(), b->Enabled, false, false});
  }
  if (FTitleBar)
    for (auto& item : FTitleBar->Items)
      in.Items.push_back({item->Rect, item->Visible, item->Enabled && FForm->Enabled(),
                          item->Style == bsSpacing || item->Style == bsInfo, item->Style == bsTab && item->Down()});
  in.MdiButtonsVisible = MDIButtonsVisible();
  in.MdiClose = FMdi.Close.Rect;
  in.MdiMax = FMdi.Max.Rect;
  in.MdiMin = FMdi.Min.Rect;
  // The size grip of GripMode rmRightBottom, at the skin's grip mask.
  const int grip = FSkin ? FSkin->ConstData.GripRightBottom : -1;
  if (GripVisible() && FSkin && FSkin->IsValidImgIndex(grip)) {
    const TkMaskData& m = FSkin->ma[grip];
    in.GripShown = true;
    in.GripPos = {CaptionWidth(in.Frame) - MaskFrameWidth(m) - FrameWidthOf(in.Frame, true) - 1,
                  FormImageHeight(in.Frame) - MaskFrameHeight(m) - FrameWidthOf(in.Frame, true) - 1};
  }
  return in;
}

int TkSkinProvider::NCHitTest(int screenX, int screenY) {
  PrepareFormCache();
  const fw::TPoint p = ScreenToForm(screenX, screenY);
  return TitleHitTest(HitInput(), p.x, p.y);
}

void TkSkinProvider::StopTitleAnimations() {
  StopTitleButtonFades();
  for (TkCaptionButton* b : {&FInput.Layout.Close, &FInput.Layout.Max, &FInput.Layout.Min, &FInput.Layout.Help})
    if (b->GlowID >= 0) HideGlowEffect(b->GlowID, true);
  for (int i = 0; i < FTitleButtons->Count(); ++i) StopTitleButtonAnimation(FTitleButtons->Items(i)->Data);
  if (FTitleBar && !ComponentState().Contains(fw::csDestroying))
    for (auto& item : FTitleBar->Items) item->Timer.reset();
}

void TkSkinProvider::RepaintTitleRect(const fw::TRect& r) {
  // The image is built with the element's new state and its rectangle
  // copied onto the window.
  FBGChanged = true;
  PrepareFormCache();
  const HWND wnd = FForm->Handle();
  if (FLockCount == 0 && IsWindowVisible(wnd)) {
    HDC dc = GetWindowDC(wnd);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), FormImage().Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
    ReleaseDC(wnd, dc);
  }
}

void TkSkinProvider::PaintTitleButton(int hitCode) {
  if (!Skinned()) return;
  if (TkcTitleBarItem* item = ItemOf(hitCode)) {
    if (!item->Visible) return;
    RepaintTitleRect(item->Rect);
    // The hover fades in over the item, or out.
    StartItemAnimation(*item, 10, item->ItemState() > 0, nullptr);
    return;
  }
  const bool mdi = hitCode >= 101 && hitCode <= 103;
  // The MDI child's buttons in the menu line never fade.
  if (mdi) {
    if (MDIButtonsVisible() && ButtonOf(hitCode)->Rect.Width() > 0) RepaintTitleRect(ButtonOf(hitCode)->Rect);
    return;
  }
  if (FadeTitleButton(hitCode)) return;
  TkCaptionButton* b = ButtonOf(hitCode);
  if (!b || b->State == -1 || b->Rect.Left <= FInput.Layout.IconRect.Right) return;
  if (TkTitleButton* user = UserButtonOf(hitCode)) {
    if (user->Visible()) RepaintTitleRect(b->Rect);
    return;
  }
  RepaintTitleRect(b->Rect);
  const HWND wnd = FForm->Handle();
  // A hot minimise, maximise or close button glows around it.
  const TkSkinData& s = FSkin->CommonSkinData;
  const int glow = hitCode == HTMINBUTTON ? s.BIMinGlow : hitCode == HTMAXBUTTON ? s.BIMaxGlow : hitCode == HTCLOSE ? s.BICloseGlow : 0;
  if (b->State == 1 && glow > 0 && GlowAllowed() && !HasParent() && FForm->FormStyle() != fw::fsMDIChild &&
      FSkin->IsValidImgIndex(b->ImageIndex)) {
    const int margin = hitCode == HTMINBUTTON   ? s.BIMinGlowMargin
                       : hitCode == HTMAXBUTTON ? s.BIMaxGlowMargin
                                                : s.BICloseGlowMargin;
    RECT w{};
    GetWindowRect(wnd, &w);
    const fw::TRect r = fw::Rect(w.left + b->Rect.Left, w.top + b->Rect.Top, w.left + b->Rect.Right, w.top + b->Rect.Bottom);
    if (b->GlowID >= 0) HideGlowEffect(b->GlowID);
    b->GlowID = ShowGlowEffect(r, fw::Rect(0, 0, r.Width(), r.Height()), FSkin, u"GLOBALINFO",
                               FSkin->ma[b->ImageIndex].PropertyName + u"GLOW", margin, 255, wnd);
  } else if (b->GlowID >= 0) {
    HideGlowEffect(b->GlowID);
  }
}

void TkSkinProvider::ShowTitleItemHintDelayed(TkcTitleBarItem& item) {
  if (!item.ShowHint || item.Hint.empty()) return;
  if (!FHintTimer) {
    FHintTimer = std::make_unique<fw::TTimer>(nullptr);
    FHintTimer->SetOnTimer(fw::TNotifyEvent(this, &TkSkinProvider::TitleItemHintTimer));
  }
  RECT w{};
  GetWindowRect(FForm->Handle(), &w);
  FHintRect = fw::Rect(w.left + item.Rect.Left, w.top + item.Rect.Top, w.left + item.Rect.Right, w.top + item.Rect.Bottom);
  FHintItem = item.Index();
  FHintTimer->SetInterval(unsigned(fw::Application ? fw::Application->HintPause() : 500));
  FHintTimer->SetEnabled(true);
}

void TkSkinProvider::TitleItemHintTimer(fw::TObject*) {
  if (!FHintTimer) return;
  FHintTimer->SetEnabled(false);
  TkcTitleBarItem* item = ItemOf(2000 + FHintItem);
  POINT c{};
  GetCursorPos(&c);
  // Shown only while the mouse is still over the item.
  if (item && Inside(FHintRect, {c.x, c.y})) FTitleHint.reset(ShowHintAt(item->Hint, {c.x, c.y}));
}

void TkSkinProvider::SetHotHT(int hitCode, bool repaint) {
  if (hitCode == FCurrentHT || !FDrawNonClientArea) return;
  FHintTimer.reset();
  const int old = FCurrentHT;
  if (old > 0) {
    FTitleHint.reset();
    SetElementState(old, 0, false);
    if (repaint) PaintTitleButton(old);
  }
  FCurrentHT = hitCode;
  if (TitleButtonPressed || hitCode <= 0) return;
  SetElementState(hitCode, 1, true);
  if (TkTitleButton* user = UserButtonOf(hitCode)) {
    POINT c{};
    GetCursorPos(&c);
    FTitleHint.reset(ShowHintAt(user->Hint, {c.x, c.y}));
  } else if (TkcTitleBarItem* item = ItemOf(hitCode)) {
    ShowTitleItemHintDelayed(*item);
  }
  if (!repaint) return;
  PaintTitleButton(hitCode);
  // An item that is down shows pressed: the frame is painted with it
  // normal, and it counts as hot again.
  if (TkcTitleBarItem* item = ItemOf(hitCode); item && item->ItemState() != 1) {
    item->SetState(0);
    RepaintFormFrame();
    item->SetState(1);
  }
}

void TkSkinProvider::SetPressedHT(int hitCode) {
  FTitleHint.reset();
  if (hitCode != FCurrentHT && FCurrentHT > 0) {
    SetElementState(FCurrentHT, 0, false);
    PaintTitleButton(FCurrentHT);
  }
  FCurrentHT = hitCode;
  const TkSysMenuRules r = Rules();
  bool allowed = true;
  if (hitCode == HTMAXBUTTON) allowed = r.EnabledMax || (IsZoomed(FForm->Handle()) && r.EnabledRestore);
  if (hitCode == HTCLOSE) allowed = r.EnabledClose;
  // The child's restore button follows the child's own rules (the frame
  // itself may well be maximised).
  if (hitCode == 102) allowed = ChildProvider ? ChildProvider->Rules().EnabledRestore : r.EnabledMax;
  if (!allowed) {
    FCurrentHT = 0;
    return;
  }
  if (TkcTitleBarItem* item = ItemOf(hitCode)) {
    item->SetState(2);
    if (item->Style == bsTab) {
      // A tab goes down at once, without a pressed look.
      item->Timer.reset();
      FCurrentHT = -1;
      return;
    }
  } else {
    SetElementState(hitCode, 2, false);
  }
  TitleButtonPressed = true;
  PaintTitleButton(hitCode);
}

void TkSkinProvider::MsgNcHitTest(fw::TMessage& m) {
  if (RTInit) {
    RTInit = false;
    LoadInit();
  }
  PrepareFormCache();
  if (CaptionHeight(FInput.Frame, true) == 0 || !FDrawNonClientArea) {
    CallOld(m);
    return;
  }
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  const fw::TPoint p = ScreenToForm(x, y);
  const TkTitleHitInput in = HitInput();
  int code = TitleHitTest(in, p.x, p.y);
  // A child's title buttons follow its system menu's rules.
  if (FForm->FormStyle() == fw::fsMDIChild && (code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE))
    FMenus->UpdateSysMenuStyle(true);
  if (code == 0 || code == HTCLIENT || code == HTCAPTION || code == HTMENU || IsSizingCode(code)) {
    if (in.GripShown && p.x > in.GripPos.x && p.y > in.GripPos.y) {
      code = HTBOTTOMRIGHT;
    } else {
      CallOld(m);
      code = int(m.Result);
      // The system's buttons and menu icon are not drawn: there the caption is.
      if (code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON || code == HTHELP || code == HTSYSMENU)
        code = HTCAPTION;
    }
  }
  m.Result = code;
}

void TkSkinProvider::MsgNcMouseMove(fw::TMessage& m) {
  if (!FForm->Enabled()) return;
  const HWND wnd = FForm->Handle();
  if (TkSkinManager* manager = Manager()) manager->WriteActiveControl(wnd);
  const int code = NCHitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  m.WParam = WPARAM(code);
  // The leave is reported so that a hot button cools down.
  if (!FTrackingLeave) {
    TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE | TME_NONCLIENT, wnd, 0};
    FTrackingLeave = TrackMouseEvent(&t) != FALSE;
  }
  if (IsTitleButtonCode(code)) {
    SetHotHT(code, true);
    return;
  }
  SetHotHT(0, true);
  CallOld(m);
}

void TkSkinProvider::MsgNcLButtonDown(fw::TMessage& m) {
  const int code = int(m.WParam);
  const HWND wnd = FForm->Handle();
  if (!FDrawNonClientArea) {
    if (code != HTSYSMENU) {
      CallOld(m);
      return;
    }
    SetHotHT(0, true);
    TitleButtonPressed = false;
    RECT w{};
    GetWindowRect(wnd, &w);
    if (FForm->FormStyle() == fw::fsMDIChild)
      DropSysMenu(w.left, w.top + CaptionHeight(FInput.Frame, true) + 4);
    else
      DropSysMenu(w.left + FrameWidthOf(FInput.Frame, false),
                  w.top + BorderHeight(FInput.Frame, true) + FInput.Layout.IconRect.Height() +
                      FrameHeightOf(FInput.Frame, false));
    return;
  }
  if (code == HTOBJECT && HasBorderWindow()) {
    CallOld(m);
    return;
  }
  switch (code) {
    case HTSYSMENU: {
      m.Result = 0;
      CallOld(m);
      if (m.Result != 0) return;
      SetHotHT(0, true);
      TitleButtonPressed = false;
      if (!SkinnedPopups()) {
        // A double click may follow: the menu waits for it.
        DelayProcessingMessages(200);
        if (!FForm || FSkinData->FUpdating) return;
      }
      RECT w{};
      GetWindowRect(wnd, &w);
      if (FForm->FormStyle() == fw::fsMDIChild) {
        // A child's menu drops below its title inside the frame.
        if (MDISkinProvider)
          DropSysMenu(w.left, w.top + SystemCaptionHeight(FInput.Frame) + 4 - (IsIconic(wnd) ? 16 : 0));
        return;
      }
      DropSysMenu(w.left + FrameWidthOf(FInput.Frame, false),
                  w.top + BorderHeight(FInput.Frame, true) + FInput.Layout.IconRect.Height() +
                      FrameHeightOf(FInput.Frame, false));
      return;
    }
    case HTMENU:
      CallOld(m);
      return;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
    case 101:
    case 102:
    case 103:
      // The maximised child's buttons press only when the child allows.
      if (ChildProvider && ((code == 103 && !ChildProvider->Rules().EnabledMin) ||
                            (code == 102 && !ChildProvider->Rules().EnabledRestore)))
        return;
      SetPressedHT(code);
      // The release may come anywhere: the form keeps the mouse.
      SetCapture(wnd);
      return;
    default:
      break;
  }
  if (IsUserCode(code) || IsItemCode(code)) {
    TitleElementDown(code, m);
    return;
  }
  if (IsIconic(wnd)) {
    Send(WM_SYSCOMMAND, 0xF012, 0);
    return;
  }
  SetHotHT(0, true);
  if (IsZoomed(wnd)) {
    const fw::TPoint p = ScreenToForm(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    if (p.y <= FrameHeightOf(FInput.Frame, true) + CaptionHeight(FInput.Frame, true)) {
      if (!FForm->Active() && FForm->Enabled() && FForm->CanFocus()) FForm->SetFocus();
      return;  // a maximised form is not dragged
    }
  }
  if (DragFullWindowsQuery() && ResizeMode == rmBorder && FForm->Enabled() && code != HTMENU &&
      (code == HTCAPTION || IsSizingCode(code))) {
    if (code == HTCAPTION) CallOld(m);
    BorderTracking.Moving = !IsSizingCode(code);
    Send(WM_SYSCOMMAND, BorderTracking.Moving ? SC_MOVE : SC_SIZE, 0);
    // The grabbed edge is the one sized.
    BorderTracking.EdgeHitCode = BorderTracking.Moving ? 0 : code;
    StartBorderTracking(*this, GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    return;
  }
  if (DragFullWindowsQuery() && code == HTCAPTION && !HasBorderWindow() && StartBlendedMove(true)) return;
  CallOld(m);
}

void TkSkinProvider::TitleElementDown(int code, fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  if (TkTitleButton* b = UserButtonOf(code)) {
    SetPressedHT(code);
    if (TitleButtonPressed) SetCapture(wnd);
    b->MouseDown(fw::mbLeft, NoShift(), x, y);
    return;
  }
  TkcTitleBarItem* item = ItemOf(code);
  if (!item) return;  // no title bar on this form
  const bool dropDown = item->Style < bsTab && item->DropdownMenu;
  if (item->Style != bsTab) {
    SetPressedHT(code);
    if (dropDown && SkinnedPopups())
      if (TkSkinableMenus* menus = SkinableMenusOf(Manager())) menus->HookPopupMenu(item->DropdownMenu, true);
    // A drop-down's menu takes the mouse itself.
    if (TitleButtonPressed && !dropDown) SetCapture(wnd);
  }
  if (!dropDown) {
    item->DoMouseDown();
    return;
  }
  // The menu's command may free the form with its provider and items:
  // nothing of them is touched afterwards.
  TitleButtonPressed = false;
  item->DoMouseDown();
}

bool TkSkinProvider::TitleElementUp(int code, bool held) {
  if (TkTitleButton* b = UserButtonOf(code)) {
    TitleButtonPressed = false;
    if (held) {
      POINT c{};
      GetCursorPos(&c);
      b->MouseUp(fw::mbLeft, NoShift(), c.x, c.y);
    }
    SetHotHT(0, true);
    return true;
  }
  TkcTitleBarItem* item = ItemOf(code);
  if (!item) return IsItemCode(code);
  TitleButtonPressed = false;
  if (!held) return true;
  item->SetState(0);
  item->DoMouseUp();
  if (!item->Visible) {
    item->Timer.reset();
  } else if (!item->Down()) {
    // Still under the mouse: hot again, fading from pressed.
    POINT c{};
    GetCursorPos(&c);
    if (NCHitTest(c.x, c.y) == code) {
      item->SetState(1);
      StartItemAnimation(*item, 10, true, nullptr);
      item->SetState(0);
    }
  }
  return true;
}

// The system menu's items follow the window's new state.
void TkSkinProvider::UpdateSystemMenuItems() {
  if (FMenus)
    if (TkSystemMenu* menu = FMenus->SystemMenu()) menu->UpdateItems(false);
}

void TkSkinProvider::MsgNcLButtonUp(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  if (!FDrawNonClientArea || !FForm->Enabled()) {
    CallOld(m);
    return;
  }
  // A release under the capture comes in client coordinates with key flags
  // in wParam (Ctrl reads as the minimise code): the code is the element
  // under the point, and only while one is held.
  const bool client = m.Msg == WM_LBUTTONUP;
  POINT s{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (client) ClientToScreen(wnd, &s);
  const int code = !client ? int(m.WParam) : TitleButtonPressed ? NCHitTest(s.x, s.y) : 0;
  const fw::TPoint p = ScreenToForm(s.x, s.y);
  const bool held = TitleButtonPressed;
  if (held && GetCapture() == wnd) {
    TitleButtonPressed = false;  // the capture's loss must not cancel the click
    ReleaseCapture();
    TitleButtonPressed = held;
  }
  auto over = [&](const TkCaptionButton& b) { return Inside(b.Rect, p); };
  const TkSysMenuRules r = Rules();
  switch (code) {
    case HTMINBUTTON:
      if (held && over(FInput.Layout.Min)) {
        TitleButtonPressed = false;
        SetHotHT(0, true);
        if (IsMainForm()) {
          SkipAnimation = true;
          struct Restore {
            bool& flag;
            ~Restore() { flag = false; }
          } restore{SkipAnimation};
          Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else {
          Send(WM_SYSCOMMAND, IsIconic(wnd) ? SC_RESTORE : SC_MINIMIZE, 0);
        }
        FBGChanged = true;
        return;
      }
      TitleButtonPressed = false;
      SetHotHT(0, true);
      if (!client) CallOld(m);
      return;
    case HTMAXBUTTON:
      if (!r.EnabledMax && !(IsZoomed(wnd) && r.EnabledRestore)) break;
      TitleButtonPressed = false;
      SetHotHT(0, true);
      if (held && over(FInput.Layout.Max)) {
        if (FForm->FormStyle() == fw::fsMDIChild) ChildProvider = nullptr;
        Send(WM_SYSCOMMAND, IsZoomed(wnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        UpdateSystemMenuItems();
      } else if (!client) {
        CallOld(m);
      }
      return;
    case HTCLOSE:
      if (r.EnabledClose && held && over(FInput.Layout.Close)) {
        FInput.Layout.Close.State = 0;
        TitleButtonPressed = false;
        Send(WM_SYSCOMMAND, SC_CLOSE, 0);
        if (!FForm || FForm->ComponentState().Contains(fw::csDestroying)) return;
        StopTitleAnimations();
        if (IsWindowVisible(wnd)) FBGChanged = true;
      }
      TitleButtonPressed = false;
      SetHotHT(0, true);
      return;
    case HTHELP:
      TitleButtonPressed = false;
      SetHotHT(0, true);
      if (held && over(FInput.Layout.Help)) {
        Send(WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        UpdateSystemMenuItems();
        RepaintFormFrame();
      }
      return;
    case 101:
    case 102:
    case 103:
      MdiButtonUp(code, held);
      return;
    default:
      break;
  }
  if ((IsUserCode(code) || IsItemCode(code)) && TitleElementUp(code, held)) return;
  // Any other release: an iconic MDI child opens its system menu under its
  // title; an outline drag ends where the mouse is.
  if (IsIconic(wnd) && MDISkinProvider && FForm->FormStyle() == fw::fsMDIChild) {
    RECT r{};
    GetWindowRect(wnd, &r);
    DropSysMenu(r.left, r.bottom);
  } else if (IsIconic(wnd)) {
    CallOld(m);
  } else if (ResizeMode == rmBorder && BorderTracking.Active && !IsZoomed(wnd)) {
    EndBorderTracking(*this);
  } else {
    CallOld(m);
  }
  TitleButtonPressed = false;
  // A button held and released elsewhere is normal again.
  if (held) SetHotHT(0, true);
}

void TkSkinProvider::MsgCaptureChanged(fw::TMessage& m) {
  CallOld(m);
  if (reinterpret_cast<HWND>(m.LParam) == FForm->Handle()) return;
  // The mouse went elsewhere: a held button and a drag end without effect.
  if (BorderTracking.Active && BorderTracking.Provider == this) AbandonBorderTracking();
  if (TitleButtonPressed) {
    TitleButtonPressed = false;
    SetHotHT(0, true);
  }
}

void TkSkinProvider::MsgNcLButtonDblClk(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  if (ResizeMode == rmBorder && BorderTracking.Active) EndBorderTracking(*this);
  switch (int(m.WParam)) {
    case HTCAPTION: {
      const TkSysMenuRules r = Rules();
      if ((FForm->BorderIcons().Contains(fw::biSystemMenu) && (r.EnabledMax || r.EnabledRestore)) ||
          (!HasBorder(FInput.Frame) && IsIconic(wnd))) {
        Send(WM_SYSCOMMAND, IsZoomed(wnd) || IsIconic(wnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        UpdateSystemMenuItems();
      } else if (IsIconic(wnd)) {
        Send(WM_SYSCOMMAND, SC_RESTORE, 0);
        UpdateSystemMenuItems();
      }
      m.WParam = 0;
      return;
    }
    case HTSYSMENU:
      if (!SkinnedPopups()) FSkinData->FUpdating = true;
      FForm->Close();
      return;
    default:
      CallOld(m);
  }
}

void TkSkinProvider::MsgNcRButtonDown(fw::TMessage& m) {
  if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) return;
  CallOld(m);
}

void TkSkinProvider::MsgNcRButtonUp(fw::TMessage& m) {
  if (!HasBorder(FInput.Frame)) {
    CallOld(m);
    return;
  }
  const int code = NCHitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  if (code == HTCAPTION || code == HTSYSMENU) {
    SetHotHT(0, true);
    TitleButtonPressed = false;
    DropSysMenu(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  }
}

void TkSkinProvider::MsgMouseMove(fw::TMessage& m) {
  CallOld(m);
  if (TkSkinManager* manager = DefaultSkinManager) manager->WriteActiveControl(nullptr);
  if (ResizeMode != rmBorder || !FForm->Enabled() || BorderTracking.Provider != this) return;
  POINT c{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  ClientToScreen(FForm->Handle(), &c);
  TkBorderTracking& t = BorderTracking;
  if (t.Moving) {
    t.Cancelled = false;
    if (!t.Active) return;
    DrawTrackingFrame(*this, t.Left, t.Top);
    t.Left += c.x - t.OffsetX;
    t.Top += c.y - t.OffsetY;
    t.OffsetX = c.x;
    t.OffsetY = c.y;
    DrawTrackingFrame(*this, t.Left, t.Top);
    return;
  }
  if (t.Cancelled) {
    t.OffsetX = c.x;
    t.OffsetY = c.y;
    t.Cancelled = false;
  }
  if (!t.Active) return;
  DrawTrackingFrame(*this, t.Left, t.Top);
  RECT w{};
  GetWindowRect(FForm->Handle(), &w);
  const fw::TRect r = SizedTrackRect(fw::Rect(w.left, w.top, w.right, w.bottom), {t.OffsetX, t.OffsetY}, {c.x, c.y},
                                     t.EdgeHitCode, t.MinWidth, t.MinHeight);
  t.Left = r.Left;
  t.Top = r.Top;
  t.Right = r.Right;
  t.Bottom = r.Bottom;
  DrawTrackingFrame(*this, t.Left, t.Top);
}

void TkSkinProvider::MsgContextMenu(fw::TMessage& m) {
  // The form's own popup menu is drawn by the skin while popups are skinned.
  if (auto* menu = dynamic_cast<fw::TMenu*>(FForm->PopupMenu()))
    if (TkSkinableMenus* menus = SkinableMenusOf(Manager())) menus->HookPopupMenu(menu, SkinnedPopups());
  CallOld(m);
}

void TkSkinProvider::MsgMouseEnter(fw::TMessage& m) {
  CallOld(m);
  if (TkSkinManager* manager = Manager()) manager->WriteActiveControl(FForm->Handle());
  // The border window's shadow hole for a click through closes.
  if (TkcBorderForm* b = BorderForm(); b && b->ResetRgn && !(FormState & kFsSizeChange)) b->UpdateRgn();
}

void TkSkinProvider::MsgMouseLeave(fw::TMessage& m) {
  if (m.Msg == WM_NCMOUSELEAVE || m.Msg == WM_MOUSELEAVE) FTrackingLeave = false;
  // A held button stays pressed until the release.
  if (!(FCurrentHT >= 2000 && HasBorderWindow()) && !(TitleButtonPressed && GetCapture() == FForm->Handle())) {
    SetHotHT(-1, true);
    TitleButtonPressed = false;
  }
  CallOld(m);
}

}  // namespace skin
