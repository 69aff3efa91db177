// The balloon hint component and the process-wide global control.
#include "controls/dialogs/ckballoonhint.h"

#include <windows.h>
#include <commctrl.h>

#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/wndregistry.h"
#include "services/ckutils.h"
#include "services/shellutils.h"

namespace ck {

using services::AddWindowProcHook;
using services::hoBeforeMsg;
using services::RemoveWindowProcHook;
using services::TCkControlHook;

namespace {

constexpr UINT_PTR kHideTimerId = 1;

TGlobalCtrl* gGlobalCtrl = nullptr;

// The icon of each kind from ikApplication to ikWarning: its resource in
// user32, in comctl32 (0: the system's), and the system icon.
struct TIconSource {
  int User32;
  int ComCtl32;
  LPCWSTR System;
};
const TIconSource kIconSources[] = {
    {100, 0, IDI_APPLICATION}, {103, 20480, IDI_HAND}, {104, 20481, IDI_ASTERISK},
    {102, 0, IDI_QUESTION},    {101, 20482, IDI_EXCLAMATION},
};

const wchar_t* const kSoundEvents[] = {
    L"SystemNotification", L"SystemNotification", L"SystemNotification", L"SystemHand",
    L"SystemAsterisk",     L"SystemQuestion",     L"SystemExclamation",
};

String ReadSoundPath(const wchar_t* Event) {
  std::wstring key = std::wstring(L"AppEvents\\Schemes\\Apps\\.Default\\") + Event + L"\\.Current";
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return String();
  wchar_t value[4096] = {};
  DWORD size = sizeof value - sizeof(wchar_t), type = 0;
  String result;
  if (RegQueryValueExW(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    wchar_t expanded[4096] = {};
    if (ExpandEnvironmentStringsW(value, expanded, 4096) > 0) result = FromW(expanded);
    else result = FromW(value);
  }
  RegCloseKey(h);
  return result;
}

}  // namespace

// ---- TGlobalCtrl ---------------------------------------------------------------

TGlobalCtrl* GlobalCtrl() {
  if (!gGlobalCtrl) gGlobalCtrl = new TGlobalCtrl(nullptr);
  return gGlobalCtrl;
}

void FreeGlobalCtrl() {
  TGlobalCtrl* g = gGlobalCtrl;
  if (!g) return;
  g->Free();
  gGlobalCtrl = nullptr;
}

FW_REGISTER(TGlobalCtrl) {}

TGlobalCtrl::TGlobalCtrl(fw::TComponent* AOwner)
    : fw::TComponent(AOwner), FBkColor(fw::Application ? fw::Application->HintColor() : fw::clInfoBk),
      FDefaultImages(new fw::TImageList(this)) {
  LoadDefaultImages();
  ReadSounds();
}

TGlobalCtrl::~TGlobalCtrl() {
  SetMainCtrl(nullptr);
  if (gGlobalCtrl == this) gGlobalCtrl = nullptr;
}

void TGlobalCtrl::ReadSounds() {
  for (int k = 0; k <= ikWarning; ++k) FSounds[k] = ReadSoundPath(kSoundEvents[k]);
}

void TGlobalCtrl::LoadDefaultImages() {
  const TBalloonPlatform& p = BalloonPlatform();
  HIMAGELIST list = ImageList_Create(16, 16, p.XP ? (ILC_COLOR32 | ILC_MASK) : ILC_COLOR, 4, 4);
  FDefaultImages->SetHandle(list);
  FNeedUpdateBkColor = p.XP && !p.ComCtl6;
  ImageList_SetBkColor(list, FNeedUpdateBkColor ? static_cast<COLORREF>(fw::ColorToRGB(FBkColor)) : CLR_NONE);
  HMODULE user32 = p.XP && p.ComCtl6 ? GetModuleHandleW(L"user32.dll") : nullptr;
  HMODULE comctl = user32 ? nullptr : GetModuleHandleW(L"comctl32.dll");
  for (const TIconSource& s : kIconSources) {
    HICON icon = nullptr;
    bool shared = false;
    if (user32) {
      icon = static_cast<HICON>(LoadImageW(user32, MAKEINTRESOURCEW(s.User32), IMAGE_ICON, 16, 16, 0));
    } else if (comctl && s.ComCtl32) {
      icon = static_cast<HICON>(LoadImageW(comctl, MAKEINTRESOURCEW(s.ComCtl32), IMAGE_ICON, 16, 16, 0));
    }
    if (!icon) {
      // The system's own icon, shared and never destroyed; also when the
      // module lacks the resource, so that the list keeps its order.
      icon = static_cast<HICON>(LoadImageW(nullptr, s.System, IMAGE_ICON, 16, 16, LR_SHARED));
      shared = true;
    }
    ImageList_AddIcon(list, icon);
    if (icon && !shared) DestroyIcon(icon);
  }
}

void TGlobalCtrl::WriteBkColor(fw::TColor Value) {
  if (!FNeedUpdateBkColor || Value == FBkColor) return;
  FBkColor = Value;
  FDefaultImages->Clear();
  LoadDefaultImages();
}

fw::TSize TGlobalCtrl::HintImageSize() {
  TCkBalloonHint* main = MainCtrl();
  return HintImageSize(main->DefaultIcon(), main->DefaultImageIndex());
}

fw::TSize TGlobalCtrl::HintImageSize(TCkIconKind AIconKind, int AImageIndex) {
  if (AIconKind == ikNone) return fw::TSize{0, 0};
  if (AIconKind == ikCustom) {
    fw::TCustomImageList* images = MainCtrl()->Images();
    if (images && AImageIndex >= 0 && AImageIndex < images->Count())
      return fw::TSize{images->Width(), images->Height()};
  }
  return fw::TSize{16, 16};
}

void TGlobalCtrl::DrawHintImage(fw::TCanvas* Canvas, int X, int Y, fw::TColor ABkColor) {
  TCkBalloonHint* main = MainCtrl();
  DrawHintImage(Canvas, X, Y, main->DefaultIcon(), main->DefaultImageIndex(), ABkColor);
}

void TGlobalCtrl::DrawHintImage(fw::TCanvas* Canvas, int X, int Y, TCkIconKind AIconKind, int AImageIndex,
                                fw::TColor ABkColor) {
  if (AIconKind == ikNone) return;
  int index = ikInformation - ikApplication;
  if (AIconKind == ikCustom) {
    fw::TCustomImageList* images = MainCtrl()->Images();
    if (images && AImageIndex >= 0 && AImageIndex < images->Count()) {
      images->Draw(Canvas, X, Y, AImageIndex, true);
      return;
    }
  } else {
    index = AIconKind - ikApplication;
  }
  WriteBkColor(ABkColor);
  FDefaultImages->Draw(Canvas, X, Y, index, true);
}

void TGlobalCtrl::PlaySound(TCkIconKind AIconKind) {
  const String& path = FSounds[AIconKind];
  if (!path.empty()) sndPlaySoundW(W(path), SND_ASYNC | SND_NODEFAULT);
}

TCkBalloonHint* TGlobalCtrl::MainCtrl() {
  if (!FMainCtrl) {
    if (!FDefaultMainCtrl) FDefaultMainCtrl = new TCkBalloonHint(this);
    SetMainCtrl(FDefaultMainCtrl);
  }
  return FMainCtrl;
}

void TGlobalCtrl::SetMainCtrl(TCkBalloonHint* Value) {
  if (FMainCtrl && FMainCtrl != Value) FMainCtrl->RemoveFreeNotification(this);
  FMainCtrl = Value;
  if (Value) {
    Value->FreeNotification(this);
    FDesigning = Value->ComponentState().Contains(fw::csDesigning);
  } else {
    SetUseBalloonAsApplicationHint(false);
  }
}

void TGlobalCtrl::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FDefaultMainCtrl) FDefaultMainCtrl = nullptr;
  if (AComponent == FMainCtrl) SetMainCtrl(nullptr);
}

void TGlobalCtrl::SetUseBalloonAsApplicationHint(bool Value) {
  if (FDesigning) {
    FUseBalloonAsApplicationHint = Value;
    return;
  }
  if (Value == FUseBalloonAsApplicationHint) return;
  FUseBalloonAsApplicationHint = Value;
  if (!fw::Application) return;
  fw::Application->CancelHint();
  if (Value) {
    FOldHintWindowClass = fw::Application->HintWindowClass();
    fw::Application->SetHintWindowClass(TCkBalloonWindow::StaticClass());
  } else {
    fw::Application->SetHintWindowClass(FOldHintWindowClass);
  }
}

// ---- TCkBalloonHint --------------------------------------------------------------

FW_REGISTER(TCkBalloonHint) {
  using B = TCkBalloonHint;
  c.Property(u"CustomAnimationStyle", &B::CustomAnimationStyle, &B::SetCustomAnimationStyle).Default(atBlend);
  c.Property(u"CustomAnimationTime", &B::CustomAnimationTime, &B::SetCustomAnimationTime).Default(100);
  c.Property(u"DefaultBalloonPosition", &B::DefaultBalloonPosition, &B::SetDefaultBalloonPosition).Default(bpAuto);
  c.Property(u"DefaultImageIndex", &B::DefaultImageIndex, &B::SetDefaultImageIndex).Default(-1);
  c.Property(u"DefaultHeader", &B::DefaultHeader, &B::SetDefaultHeader);
  c.Property(u"DefaultIcon", &B::DefaultIcon, &B::SetDefaultIcon).Default(ikInformation);
  c.Property(u"Images", &B::Images, &B::SetImages);
  c.Property(u"Options", &B::Options, &B::SetOptions).Default(TCkBalloonOptions{boShowCloseBtn});
  c.Property(u"ApplicationHintOptions", &B::ApplicationHintOptions, &B::SetApplicationHintOptions)
      .Default(TCkApplicationHintOptions{ahShowHeaderInHint, ahShowIconInHint});
  c.Property(u"UseBalloonAsApplicationHint", &B::UseBalloonAsApplicationHint, &B::SetUseBalloonAsApplicationHint)
      .Default(false);
  c.Property(u"MaxWidth", &B::MaxWidth, &B::SetMaxWidth).Default(0);
  c.Event(u"OnBalloonClick", &B::FOnBalloonClick);
  c.Event(u"OnClose", &B::FOnClose);
  c.Event(u"OnCloseBtnClick", &B::FOnCloseBtnClick);
  c.Event(u"OnDblClick", &B::FOnDblClick);
  c.Event(u"OnMouseDown", &B::FOnMouseDown);
  c.Event(u"OnMouseMove", &B::FOnMouseMove);
  c.Event(u"OnMouseUp", &B::FOnMouseUp);
}

void RegisterBalloonHintClasses() { fw::RegisterClasses<TCkBalloonHint>(); }

TCkBalloonHint::TCkBalloonHint(fw::TComponent* AOwner) : TCkComponent(AOwner), FHint(new TCkBalloonWindowEx(this)) {
  FHint->OnClick = fw::TNotifyEvent(this, &TCkBalloonHint::HintClick);
  FHint->OnDblClick = fw::TNotifyEvent(this, &TCkBalloonHint::HintDblClick);
  FHint->OnMouseDown = fw::TMouseEvent(this, &TCkBalloonHint::HintMouseDown);
  FHint->OnMouseMove = fw::TMouseMoveEvent(this, &TCkBalloonHint::HintMouseMove);
  FHint->OnMouseUp = fw::TMouseEvent(this, &TCkBalloonHint::HintMouseUp);
  GlobalCtrl()->SetMainCtrl(this);
}

TCkBalloonHint::~TCkBalloonHint() {
  CancelHint();
  StopHideTimer();
  if (FHandle) {
    fw::DeallocateHWnd(FHandle);
    FHandle = nullptr;
  }
  if (gGlobalCtrl && gGlobalCtrl->MainCtrlOrNull() == this) gGlobalCtrl->SetMainCtrl(nullptr);
}

void TCkBalloonHint::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCkComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (FData.RAnchorWindow && AComponent == FData.RAnchorWindow) {
    // The registry drops the hooks of a window that goes by itself.
    FAnchorHooked = false;
    FAnchorHookedWindow = nullptr;
    CancelHint();
    FData.RAnchorWindow = nullptr;
  }
}

void TCkBalloonHint::SetImages(fw::TCustomImageList* Value) { services::SwapComponentReference(this, Value, FImages); }

bool TCkBalloonHint::UseBalloonAsApplicationHint() const { return GlobalCtrl()->UseBalloonAsApplicationHint(); }

void TCkBalloonHint::SetUseBalloonAsApplicationHint(bool Value) { GlobalCtrl()->SetUseBalloonAsApplicationHint(Value); }

// ---- Activation

void TCkBalloonHint::ActivateHint(fw::TControl* ACtrl, const String& AHint, const String& AHeader, int VisibleTime) {
  ActivateHint(ACtrl, AHint, ikNone, AHeader, VisibleTime);
}

void TCkBalloonHint::ActivateHint(fw::TControl* ACtrl, const String& AHint, int AImageIndex, const String& AHeader,
                                  int VisibleTime) {
  if (!ACtrl) return;
  CancelHint();
  FData.RUTF8Hint = fw::StringToUtf8(AHint);
  FData.RUTF8Header = fw::StringToUtf8(AHeader);
  FData.RIconKind = ikCustom;
  FData.RImageIndex = AImageIndex;
  FData.RVisibleTime = VisibleTime;
  AnchorToControl(ACtrl);
}

void TCkBalloonHint::ActivateHint(fw::TControl* ACtrl, const String& AHint, TCkIconKind AIconKind,
                                  const String& AHeader, int VisibleTime) {
  if (!ACtrl) return;
  CancelHint();
  FData.RUTF8Hint = fw::StringToUtf8(AHint);
  FData.RUTF8Header = fw::StringToUtf8(AHeader);
  FData.RIconKind = AIconKind;
  FData.RImageIndex = -1;
  FData.RVisibleTime = VisibleTime;
  AnchorToControl(ACtrl);
}

void TCkBalloonHint::ActivateHintPos(fw::TCustomForm* AAnchorWindow, const TPoint& AAnchorPosition,
                                     const String& AHeader, const String& AHint, int VisibleTime,
                                     TCkIconKind AIconKind, int AImageIndex) {
  CancelHint();
  FData.RAnchorWindow = AAnchorWindow;
  FData.RAnchorPosition = AAnchorPosition;
  FData.RUTF8Header = fw::StringToUtf8(AHeader);
  FData.RUTF8Hint = fw::StringToUtf8(AHint);
  FData.RVisibleTime = VisibleTime;
  FData.RIconKind = AIconKind;
  FData.RImageIndex = AImageIndex;
  FData.RSwitchHeight = 0;
  InternalActivateHint();
}

void TCkBalloonHint::ActivateHintRect(const TRect& ARect, const String& AHeader, const String& AHint,
                                      int VisibleTime, TCkIconKind AIconKind, int AImageIndex) {
  CancelHint();
  FData.RAnchorWindow = nullptr;
  FData.RAnchorPosition = TPoint{(ARect.Left + ARect.Right) / 2, ARect.Bottom};
  FData.RUTF8Header = fw::StringToUtf8(AHeader);
  FData.RUTF8Hint = fw::StringToUtf8(AHint);
  FData.RVisibleTime = VisibleTime;
  FData.RIconKind = AIconKind;
  FData.RImageIndex = AImageIndex;
  FData.RSwitchHeight = ARect.Height();
  InternalActivateHint();
}

void TCkBalloonHint::AnchorToControl(fw::TControl* ACtrl) {
  fw::TControl* top = ACtrl;
  while (top->Parent()) top = top->Parent();
  auto* form = dynamic_cast<fw::TCustomForm*>(top);
  FData.RAnchorWindow = form;
  if (form == ACtrl) {
    FData.RAnchorPosition = TPoint{ACtrl->Width() / 2, ACtrl->ClientHeight()};
  } else {
    TPoint p = ACtrl->ClientToScreen(TPoint{ACtrl->Width() / 2, ACtrl->Height()});
    FData.RAnchorPosition = form ? form->ScreenToClient(p) : p;
  }
  FData.RSwitchHeight = ACtrl->Height();
  InternalActivateHint();
}

void TCkBalloonHint::InternalActivateHint() {
  GlobalCtrl()->SetMainCtrl(this);
  if (FOptions.Contains(boUseDefaultHeader)) FData.RUTF8Header = fw::StringToUtf8(FDefaultHeader);
  if (FOptions.Contains(boUseDefaultIcon)) FData.RIconKind = FDefaultIcon;
  if (FOptions.Contains(boUseDefaultImageIndex)) FData.RImageIndex = FDefaultImageIndex;
  FData.RShowCloseBtn = FOptions.Contains(boShowCloseBtn);

  const TBalloonPlatform& p = BalloonPlatform();
  if (!p.XP) {
    FData.RAnimationStyle = atNone;
  } else if (FOptions.Contains(boCustomAnimation)) {
    FData.RAnimationStyle = FCustomAnimationStyle;
    FData.RAnimationTime = FCustomAnimationTime;
  } else {
    BOOL animate = FALSE, fade = FALSE;
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animate, 0);
    SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
    FData.RAnimationStyle = !animate ? atNone : fade ? atBlend : atSlide;
    FData.RAnimationTime = 100;
  }

  FActive = true;
  HookAnchor();

  const int width = FMaxWidth > 0 ? FMaxWidth : GetSystemMetrics(SM_CXSCREEN);
  TRect r = FHint->CalcHintRectUTF8(width, FData.RUTF8Hint, &FData);
  TPoint anchor = FData.RAnchorPosition;
  if (FData.RAnchorWindow) anchor = FData.RAnchorWindow->ClientToScreen(anchor);
  r = fw::Rect(r.Left + anchor.x, r.Top + anchor.y, r.Right + anchor.x, r.Bottom + anchor.y);

  if (FOptions.Contains(boPlaySound)) GlobalCtrl()->PlaySound(FData.RIconKind);
  FHint->ShowBalloon(r);

  TPoint topLeft{r.Left, r.Top};
  TPoint stem = FHint->StemPointPosition();
  if (FData.RAnchorWindow) {
    topLeft = FData.RAnchorWindow->ScreenToClient(topLeft);
    stem = FData.RAnchorWindow->ScreenToClient(stem);
  }
  FData.RAnchorPosition = topLeft;
  FData.RStemPointPosition = stem;

  if (FData.RVisibleTime > 0) StartHideTimer();
}

void TCkBalloonHint::CancelHint() {
  if (!FActive) return;
  FActive = false;
  StopHideTimer();
  UnhookAnchor();
  if (FHint->HandleAllocated() && GetCapture() == FHint->Handle()) ReleaseCapture();
  if (FHint->MouseCapture()) FHint->SetMouseCapture(false);
  FHint->ReleaseHandle();
  if (FHint->HandleAllocated()) {
    ShowWindow(FHint->Handle(), SW_HIDE);
    SetWindowLongPtrW(FHint->Handle(), GWLP_HWNDPARENT, 0);
  }
  if (FOnClose) FOnClose(this);
}

// ---- The hide timer

void TCkBalloonHint::StartHideTimer() {
  StopHideTimer();
  if (!FHandle) FHandle = fw::AllocateHWnd(fw::TWndMethod(this, &TCkBalloonHint::TimerWndProc));
  if (!SetTimer(FHandle, kHideTimerId, static_cast<UINT>(FData.RVisibleTime), nullptr)) {
    CancelHint();
    return;
  }
  FTimerActive = true;
}

void TCkBalloonHint::StopHideTimer() {
  if (!FTimerActive) return;
  KillTimer(FHandle, kHideTimerId);
  FTimerActive = false;
}

void TCkBalloonHint::TimerWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_TIMER && Message.WParam == kHideTimerId) {
    try {
      CancelHint();
    } catch (...) {
      if (fw::Application) fw::Application->HandleException(this);
    }
    return;
  }
  fw::DefaultUtilityHandler(FHandle, Message);
}

// ---- The anchor form

void TCkBalloonHint::HookAnchor() {
  UnhookAnchor();
  if (!FData.RAnchorWindow) return;
  FData.RAnchorWindow->FreeNotification(this);
  FAnchorHooked = AddWindowProcHook(FData.RAnchorWindow, TCkControlHook(this, &TCkBalloonHint::AnchorMessage),
                                    hoBeforeMsg);
  FAnchorHookedWindow = FData.RAnchorWindow;
}

void TCkBalloonHint::UnhookAnchor() {
  if (!FAnchorHooked) return;
  RemoveWindowProcHook(FAnchorHookedWindow, TCkControlHook(this, &TCkBalloonHint::AnchorMessage), hoBeforeMsg);
  FAnchorHooked = false;
  FAnchorHookedWindow = nullptr;
}

bool TCkBalloonHint::AnchorMessage(fw::TMessage& Message) {
  fw::TCustomForm* form = FData.RAnchorWindow;
  bool cancel = false;
  if (form && form->HandleAllocated() && FHint->HandleAllocated()) {
    HWND formWnd = form->Handle(), hint = FHint->Handle();
    const UINT top = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    switch (Message.Msg) {
      case WM_MOVE: {
        POINT p{FData.RAnchorPosition.x, FData.RAnchorPosition.y};
        ::ClientToScreen(formWnd, &p);
        FHint->SetBounds(p.x, p.y, FHint->Width(), FHint->Height());
        break;
      }
      case WM_SIZE: {
        // A minimised form has no client area: the balloon only hides then
        // (WM_WINDOWPOSCHANGED) and comes back with the form.
        if (Message.WParam == SIZE_MINIMIZED) break;
        RECT cr{};
        GetClientRect(formWnd, &cr);
        const TPoint& s = FData.RStemPointPosition;
        if (s.x < cr.left || s.x >= cr.right || s.y < cr.top || s.y >= cr.bottom) cancel = true;
        break;
      }
      case WM_CLOSE:
        cancel = true;
        break;
      case WM_ACTIVATE:
        if (LOWORD(Message.WParam) == WA_INACTIVE) {
          HWND above = GetWindow(formWnd, GW_HWNDPREV);
          SetWindowPos(hint, HWND_NOTOPMOST, 0, 0, 0, 0, top);
          if (above && above != hint) SetWindowPos(hint, above, 0, 0, 0, 0, top);
        } else {
          SetWindowPos(hint, HWND_TOPMOST, 0, 0, 0, 0, top);
        }
        break;
      case WM_NCACTIVATE:
      case WM_EXITSIZEMOVE:
        SetWindowPos(hint, HWND_TOPMOST, 0, 0, 0, 0, top);
        break;
      case WM_WINDOWPOSCHANGED: {
        HWND app = fw::Application ? fw::Application->Handle() : nullptr;
        const bool minimized = IsIconic(formWnd) || (app && IsIconic(app)) || !IsWindowVisible(formWnd);
        if (minimized) ShowWindow(hint, SW_HIDE);
        else if (FActive && !IsWindowVisible(hint)) ShowWindow(hint, SW_SHOWNOACTIVATE);
        break;
      }
      default:
        break;
    }
  }
  // A cancel removes this hook; the form still handles the message.
  if (cancel) CancelHint();
  return false;
}

// ---- The balloon window's events

bool TCkBalloonHint::CloseBtnClick() {
  bool canClose = true;
  if (FOnCloseBtnClick) FOnCloseBtnClick(this, canClose);
  return canClose;
}

void TCkBalloonHint::HintClick(fw::TObject*) {
  if (FOnBalloonClick) FOnBalloonClick(this);
}

void TCkBalloonHint::HintDblClick(fw::TObject*) {
  if (FOnDblClick) FOnDblClick(this);
}

void TCkBalloonHint::HintMouseDown(fw::TObject*, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TCkBalloonHint::HintMouseMove(fw::TObject*, fw::TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TCkBalloonHint::HintMouseUp(fw::TObject*, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

}  // namespace ck
