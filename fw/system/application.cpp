#include "fw/system/application.h"

#include <algorithm>

#include "fw/controls/hintwindow.h"
#include "fw/core/rtti.h"
#include "fw/system/named_utility_window.h"
#include "fw/system/screen.h"
#include "fw/system/threads.h"

namespace fw {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
TMouse* Mouse = nullptr;

namespace {

constexpr UINT_PTR kHintTimerId = 1;

// The framework's globals exist before any form: they are made when the
// library is loaded, like the units of the language this design follows.
struct GlobalObjects {
  GlobalObjects() {
    Mouse = new TMouse();
    Screen = new TScreen(nullptr);
    Application = new TApplication(nullptr);
  }
} gGlobalObjects;

}  // namespace

String GetShortHint(const String& Hint) {
  size_t bar = Hint.find(u'|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  size_t bar = Hint.find(u'|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

HICON ProgramIcon() {
  static HICON icon = [] {
    HICON own = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    return own ? own : LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  }();
  return icon;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  String exe = FromW(path, n);
  size_t slash = exe.find_last_of(u"\\/");
  if (slash != String::npos) exe = exe.substr(slash + 1);
  size_t dot = exe.rfind(u'.');
  FTitle = dot == String::npos ? exe : exe.substr(0, dot);
  FHintWindowClass = THintWindow::StaticClass();
  // Its own class name: another instance of the program finds the
  // application window by it and brings it to the front.
  FHandle = AllocateNamedHWnd(TWndMethod(this, &TApplication::WndProc), L"TApplication");
  // A top-level window with a caption so that it can carry the taskbar
  // button and be minimized, but of no size.
  SetWindowLongW(FHandle, GWL_STYLE, WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX);
  SetWindowLongW(FHandle, GWL_EXSTYLE, 0);
  SetWindowTextW(FHandle, W(FTitle));
  SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon()));
  SetWindowPos(FHandle, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TApplication::~TApplication() {
  StopHintTimer();
  DestroyComponents();
  if (FHintWindow) {
    FHintWindow->Free();
    FHintWindow = nullptr;
  }
  DeallocateHWnd(FHandle);
  FHandle = nullptr;
}

void TApplication::SetTitle(const String& Value) {
  FTitle = Value;
  if (FHandle) SetWindowTextW(FHandle, W(Value));
}

// ---- Message loop

bool TApplication::IsHintMsg(const MSG& Msg) {
  if (FHintActive && ((Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) ||
                      Msg.message == WM_LBUTTONDOWN || Msg.message == WM_RBUTTONDOWN ||
                      Msg.message == WM_MBUTTONDOWN || Msg.message == WM_NCLBUTTONDOWN ||
                      Msg.message == WM_ACTIVATE || Msg.message == WM_ACTIVATEAPP))
    CancelHint();
  return false;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  TWinControl* control = FindOwningControl(wnd ? wnd : Msg.hwnd);
  if (!control || !control->HandleAllocated()) return false;
  return SendMessageW(control->WindowHandle(), CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool handled = false;
  OnMessage(Msg, handled);
  if (!handled && !IsHintMsg(Msg) && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  bool done = true;
  try {
    if (Screen)
      for (int i = 0; i < Screen->CustomFormCount(); ++i) Screen->CustomForms(i)->UpdateActions();
    OnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
  CheckSynchronize();
  if (done && !FTerminated) WaitMessage();
}

void TApplication::Run() {
  FRunning = true;
  FTerminated = false;
  if (FMainForm && FShowMainForm) {
    if (FMainForm->FWindowState == wsMinimized) Minimize();
    FMainForm->SetVisible(true);
  }
  do {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  } while (!FTerminated);
  FRunning = false;
  // Terminated holds from the quit message to the end of the loop; a loop
  // started again later, or a modal form shown after it, starts afresh.
  FTerminated = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::ModalStarted() {
  if (++FModalLevel == 1) OnModalBegin(this);
}

void TApplication::ModalFinished() {
  if (FModalLevel > 0 && --FModalLevel == 0) OnModalEnd(this);
}

HWND TApplication::ActiveFormHandle() const {
  HWND active = GetActiveWindow();
  if (active && FindControl(active)) return active;
  if (Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->HandleAllocated())
    return Screen->ActiveCustomForm()->WindowHandle();
  return active;
}

void TApplication::BringToFront() {
  HWND h = ActiveFormHandle();
  if (!h && FMainForm) h = FMainForm->WindowHandle();
  if (h) SetForegroundWindow(h);
}

void TApplication::Minimize() {
  if (FMinimized) return;
  FMinimized = true;
  // The forms hide with their owner's minimize.
  ShowOwnedPopups(FHandle, FALSE);
  if (!IsWindowVisible(FHandle)) ShowWindow(FHandle, SW_SHOWNA);
  ShowWindow(FHandle, SW_MINIMIZE);
  OnMinimize(this);
}

void TApplication::Restore() {
  if (!FMinimized) return;
  FMinimized = false;
  ShowWindow(FHandle, SW_RESTORE);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowOwnedPopups(FHandle, TRUE);
  if (FMainForm && FMainForm->HandleAllocated() && FMainForm->Visible()) {
    if (IsIconic(FMainForm->WindowHandle())) ShowWindow(FMainForm->WindowHandle(), SW_RESTORE);
    SetForegroundWindow(FMainForm->WindowHandle());
  }
  OnRestore(this);
}

void TApplication::UpdateVisible() {
  if (!FHandle || FMinimized) return;
  bool any = false;
  if (Screen)
    for (int i = 0; i < Screen->CustomFormCount(); ++i) {
      TCustomForm* f = Screen->CustomForms(i);
      if (f->HandleAllocated() && IsWindowVisible(f->WindowHandle())) any = true;
    }
  bool visible = IsWindowVisible(FHandle) != 0;
  if (any != visible)
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (any ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---- Application window

void TApplication::HookMainWindow(const TWindowHook& Hook) { FWindowHooks.push_back(Hook); }

void TApplication::UnhookMainWindow(const TWindowHook& Hook) {
  auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook);
  if (it != FWindowHooks.end()) FWindowHooks.erase(it);
}

void TApplication::WndProc(TMessage& Message) {
  try {
    std::vector<TWindowHook> hooks = FWindowHooks;
    for (auto& hook : hooks)
      if (hook(Message)) return;
    switch (Message.Msg) {
      case WM_TIMER:
        if (Message.WParam == kHintTimerId) {
          bool show = FHintTimerShows;
          StopHintTimer();
          if (show) {
            ActivateHint(Mouse ? Mouse->CursorPos() : TPoint{});
          } else {
            CancelHint();
          }
          return;
        }
        break;
      case WM_SYSCOMMAND:
        switch (Message.WParam & 0xFFF0) {
          case SC_MINIMIZE:
            Minimize();
            return;
          case SC_RESTORE:
            Restore();
            return;
          default:
            break;
        }
        break;
      case WM_CLOSE:
        if (FMainForm) FMainForm->Close();
        return;
      case WM_SETFOCUS:
        // Activated from outside (another instance brings the program to
        // the front): the active form takes the activation once this
        // activation has finished.
        PostMessageW(FHandle, CM_ENTER, 0, 0);
        break;
      case CM_ENTER:
        if (!IsIconic(FHandle) && GetFocus() == FHandle) {
          HWND form = ActiveFormHandle();
          if (form == FHandle) form = nullptr;
          if (!form && FMainForm && FMainForm->HandleAllocated()) form = FMainForm->WindowHandle();
          if (form && IsWindowVisible(form) && IsWindowEnabled(form)) SetForegroundWindow(form);
        }
        return;
      case WM_ACTIVATEAPP:
        FActive = Message.WParam != 0;
        if (FActive) OnActivate(this);
        else {
          CancelHint();
          OnDeactivate(this);
        }
        break;
      case WM_QUERYENDSESSION:
        Message.Result = 1;
        return;
      case WM_NULL:
        CheckSynchronize();
        return;
      default:
        break;
    }
    DefaultUtilityHandler(FHandle, Message);
  } catch (...) {
    HandleException(this);
  }
}

// ---- Exceptions

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (Exception& e) {
    if (OnException) OnException(Sender, &e);
    else ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(Utf8ToString(e.what()));
    if (OnException) OnException(Sender, &wrapped);
    else ShowException(wrapped);
  } catch (...) {
    Exception wrapped(u"Unknown error");
    if (OnException) OnException(Sender, &wrapped);
    else ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& E) {
  String msg = E.Message();
  if (!msg.empty() && msg.back() > u'.') msg += u'.';
  MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  HWND owner = ActiveFormHandle();
  if (!owner) owner = FHandle;
  return ::MessageBoxW(owner, W(Text), W(Caption), Flags);
}

// ---- Mouse-over tracking

void TApplication::SetMouseControl(TControl* Control) {
  if (FMouseControl == Control) return;
  TControl* old = FMouseControl;
  FMouseControl = Control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (Control && FMouseControl == Control) {
    // Ask for WM_MOUSELEAVE of the window under the mouse so that leaving
    // to a window that is not ours is noticed too.
    auto* w = dynamic_cast<TWinControl*>(Control);
    if (!w) w = Control->Parent();
    if (w && w->HandleAllocated() && !(Mouse && Mouse->VirtualCursor())) {
      TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, w->WindowHandle(), 0};
      if (TrackMouseEvent(&t)) w->FTrackingMouse = true;
    }
    Control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
  }
}

void TApplication::DoMouseIdle() {
  if (!Mouse) return;
  TPoint p = Mouse->CursorPos();
  TControl* c = FindDragTarget(p, true);
  if (c && c->ComponentState().Contains(csDesigning)) c = nullptr;
  SetMouseControl(c);
  if (Mouse->VirtualCursor()) UpdateHintControl(c, p);
}

void TApplication::MouseLeftWindow(TWinControl* Control) {
  if (!FMouseControl) return;
  if (FMouseControl == Control || FMouseControl->Parent() == Control) DoMouseIdle();
}

// ---- Hints

void TApplication::SetHintWindowClass(THintWindowClass Value) {
  if (!Value) Value = THintWindow::StaticClass();
  if (FHintWindowClass == Value) return;
  CancelHint();
  FHintWindowClass = Value;
}

void TApplication::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  OnHint(this);
}

void TApplication::StartHintTimer(int Delay, bool Show) {
  StopHintTimer();
  FHintTimerShows = Show;
  FHintTimer = SetTimer(FHandle, kHintTimerId, static_cast<UINT>(std::max(1, Delay)), nullptr);
}

void TApplication::StopHintTimer() {
  if (FHintTimer) {
    KillTimer(FHandle, kHintTimerId);
    FHintTimer = 0;
  }
}

static TControl* HintControlOf(TControl* c) {
  while (c && !c->ShowHint()) c = c->Parent();
  if (c && c->ComponentState().Contains(csDesigning)) c = nullptr;
  return c;
}

void TApplication::UpdateHintControl(TControl* Control, const TPoint& ScreenPos) {
  if (Control) SetHint(GetLongHint(Control->Hint()));
  else SetHint(String());
  TControl* hc = FShowHint ? HintControlOf(Control) : nullptr;
  if (!hc) {
    CancelHint();
    return;
  }
  bool inRect = ScreenPos.x >= FHintCursorRect.Left && ScreenPos.x < FHintCursorRect.Right &&
                ScreenPos.y >= FHintCursorRect.Top && ScreenPos.y < FHintCursorRect.Bottom;
  if (hc != FHintControl || !inRect) {
    StartHintTimer(FHintActive ? FHintShortPause : FHintPause, true);
    if (hc != FHintControl) HideHint();
  }
  FHintControl = hc;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (Mouse && Mouse->VirtualCursor()) return;
  TPoint p{Message.XPos(), Message.YPos()};
  try {
    p = Control->ClientToScreen(p);
  } catch (const Exception&) {
    return;
  }
  UpdateHintControl(FindDragTarget(p, true), p);
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  StopHintTimer();
  TControl* control = HintControlOf(FindDragTarget(CursorPos, true));
  if (!control || !FShowHint || control != FHintControl) {
    CancelHint();
    return;
  }
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = FHintWindowClass;
  info.HintPos = {CursorPos.x, CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
  info.HintMaxWidth = Screen ? Screen->Width() : 800;
  info.HintColor = FHintColor;
  TPoint origin = control->ClientToScreen(TPoint{0, 0});
  TRect cr = control->ClientRect();
  info.CursorRect = cr;
  info.CursorPos = control->ScreenToClient(CursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(control->Hint());
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow) OnShowHint(info.HintStr, canShow, info);
  FHintCursorRect = Rect(origin.x + info.CursorRect.Left, origin.y + info.CursorRect.Top,
                         origin.x + info.CursorRect.Right, origin.y + info.CursorRect.Bottom);
  if (!canShow || info.HintStr.empty()) {
    HideHint();
    return;
  }
  THintWindowClass cls = info.HintWindowClass ? info.HintWindowClass : THintWindow::StaticClass();
  if (FHintWindow && FHintWindow->ClassType() != cls) {
    FHintWindow->Free();
    FHintWindow = nullptr;
  }
  if (!FHintWindow) {
    TObject* made = cls->Create(nullptr);
    FHintWindow = dynamic_cast<THintWindow*>(made);
    if (!FHintWindow) {
      delete made;
      throw EInvalidOperation(u"Hint window class " + cls->ClassName() + u" is not a hint window");
    }
  }
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r = Rect(info.HintPos.x, info.HintPos.y, info.HintPos.x + r.Width(), info.HintPos.y + r.Height());
  FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
  FHintActive = true;
  if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, false);
}

void TApplication::HideHint() {
  if (FHintWindow && FHintActive) FHintWindow->ReleaseHandle();
  FHintActive = false;
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  FHintControl = nullptr;
}

// ---- Bookkeeping

void TApplication::ControlDestroyed(TControl* Control) {
  ControlRemoved(Control);
  if (FMainForm == Control) FMainForm = nullptr;
  if (Screen) Screen->ControlGone(Control);
}

void TApplication::ControlRemoved(TControl* Control) {
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FHintControl == Control) CancelHint();
  if (FHintWindow == Control) {
    FHintWindow = nullptr;
    FHintActive = false;
  }
}

void TApplication::FormDestroyed(TCustomForm* Form) {
  if (FMainForm == Form) FMainForm = nullptr;
  ControlRemoved(Form);
}

FW_REGISTER(TApplication) {}

}  // namespace fw
