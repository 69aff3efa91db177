// TWinControl: the window, its class and procedure, children, z-order, tab
// order and focus, and the notices a windowed control answers.
#include <algorithm>
#include <map>
#include <mutex>

#include "fw/controls/controlcanvas.h"
#include "fw/controls/controls.h"
#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/menus/menus.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"

namespace fw {

namespace {

// The control whose window is being created on this thread: the first
// message of a new window binds it.
thread_local TWinControl* tCreationControl = nullptr;

// Native procedure of each window class the framework registered, for
// windows of such a class that no control owns (yet).
std::mutex gClassLock;
std::map<String, WNDPROC>& ClassProcs() {
  static auto* m = new std::map<String, WNDPROC>();
  return *m;
}

WNDPROC ClassProcOf(HWND wnd) {
  wchar_t name[256];
  int n = GetClassNameW(wnd, name, 256);
  std::lock_guard lock(gClassLock);
  auto it = ClassProcs().find(FromW(name, static_cast<size_t>(n)));
  return it == ClassProcs().end() ? nullptr : it->second;
}

template <class T>
void EraseFrom(std::vector<T*>& list, const void* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(wnd);
  if (!control && tCreationControl) {
    control = tCreationControl;
    tCreationControl = nullptr;
    control->FHandle = wnd;
    RegisterControlWindow(wnd, control);
  }
  if (!control) {
    WNDPROC def = ClassProcOf(wnd);
    return def && def != StdWndProc ? CallWindowProcW(def, wnd, msg, wParam, lParam)
                                    : DefWindowProcW(wnd, msg, wParam, lParam);
  }
  TMessage m{msg, wParam, lParam, 0};
  control->MainWndProc(m);
  return m.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (Application) Application->ControlDestroyed(this);
  if (FParent) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, true);
  }
  // No message may reach a half-destroyed object: leave the registry before
  // the window goes.
  if (FHandle) {
    HWND h = FHandle;
    UnregisterControlWindow(h);
    FHandle = nullptr;
    DestroyWindow(h);
  }
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    EraseFrom(FControls, c);
    EraseFrom(FWinControls, c);
    EraseFrom(FTabList, c);
    c->FParent = nullptr;
    c->Free();
  }
  if (FParent) FParent->RemoveControl(this);
  if (FBrush) DeleteObject(FBrush);
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  if (Application) Application->ControlDestroyed(this);
  if (FParent) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, true);
  }
  DestroyHandle();
  while (!FWinControls.empty() || !FControls.empty()) {
    TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    c->Free();
  }
  if (FParent) FParent->RemoveControl(this);
}

// ---- Window

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams();
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
  Params.WindowClass.cbSize = sizeof(WNDCLASSEXW);
  // No CS_DBLCLKS: double clicks are told apart by the framework for
  // windowed and graphic controls alike.
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW;
  Params.WindowClass.lpfnWndProc = DefWindowProcW;
  Params.WindowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, ControlClassName, &wc) &&
      !GetClassInfoExW(GetModuleHandleW(nullptr), ControlClassName, &wc))
    throw EOutOfResources(u"Window class " + FromW(ControlClassName) + u" is not registered");
  wc.cbSize = sizeof(wc);
  Params.WindowClass = wc;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (!FHandle) return;
  // Keep the windows in the order of the children list.
  if (FParent) {
    auto& list = FParent->FWinControls;
    auto it = std::find(list.begin(), list.end(), this);
    HWND after = HWND_BOTTOM;
    for (auto p = list.begin(); p != it; ++p)
      if ((*p)->FHandle) after = (*p)->FHandle;
    // HWND_BOTTOM with nothing before us; otherwise just above the previous
    // sibling (SetWindowPos puts a window below hWndInsertAfter).
    if (after == HWND_BOTTOM) {
      SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
      HWND above = GetWindow(after, GW_HWNDPREV);
      SetWindowPos(FHandle, above ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  UpdateBounds();
  TMessage setFont{WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0, 0};
  DefaultHandler(setFont);
  CreateHandleChildren();
}

void TWinControl::CreateHandleChildren() {
  for (size_t i = 0; i < FWinControls.size(); ++i) {
    TWinControl* c = FWinControls[i];
    if (c->FVisible) c->HandleNeeded();
  }
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  // Asking for the parent's window can create it, and with it its children,
  // this control among them: then there is nothing left to create.
  if (FHandle) return;
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  FDefWndProc = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProcW;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  {
    std::lock_guard lock(gClassLock);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    bool registered = GetClassInfoExW(instance, W(params.WinClassName), &existing) != 0;
    if (!registered || existing.lpfnWndProc != StdWndProc) {
      if (registered) UnregisterClassW(W(params.WinClassName), instance);
      WNDCLASSEXW wc = params.WindowClass;
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = StdWndProc;
      wc.hInstance = instance;
      wc.lpszClassName = W(params.WinClassName);
      if (!RegisterClassExW(&wc))
        throw EOutOfResources(u"Cannot register window class " + params.WinClassName);
      ClassProcs()[params.WinClassName] = FDefWndProc;
    } else {
      ClassProcs()[params.WinClassName] = FDefWndProc;
    }
  }
  CreateWindowHandle(params);
  if (!FHandle) throw EOutOfResources(u"Error creating window for " + ClassName());
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  TWinControl* outer = tCreationControl;
  tCreationControl = this;
  HWND wnd = CreateWindowExW(Params.ExStyle, W(Params.WinClassName), W(Params.Caption), Params.Style,
                             Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent,
                             nullptr, GetModuleHandleW(nullptr), Params.Param);
  if (tCreationControl == this) tCreationControl = outer;
  if (wnd && !FHandle) {
    FHandle = wnd;
    RegisterControlWindow(wnd, this);
  }
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  // The window holds the text of standard controls; keep it.
  if (FHandle) FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  HWND h = FHandle;
  if (h) DestroyWindow(h);
  FControlState.Exclude(csDestroyingHandle);
  // WM_NCDESTROY normally did this already.
  if (FHandle == h && h) {
    UnregisterControlWindow(h);
    FHandle = nullptr;
  }
  FShowing = false;
}

void TWinControl::RecreateWnd() {
  if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  bool wasFocused = Focused();
  FControlState.Include(csRecreating);
  DestroyHandle();
  UpdateControlState();
  FControlState.Exclude(csRecreating);
  if (wasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || FParentWindow == Value) return;
  if (FHandle && FParentWindow && Value) {
    ::SetParent(FHandle, Value);
  } else {
    DestroyHandle();
  }
  FParentWindow = Value;
  UpdateControlState();
}

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    FWindowProc(Message);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST:
      TControl::WndProc(Message);
      if (Message.Result == HTTRANSPARENT) {
        TPoint p = ScreenToClient(TPoint{Message.XPos(), Message.YPos()});
        if (ControlAtPos(p, false)) Message.Result = HTCLIENT;
      }
      return;
    case WM_CANCELMODE: {
      TControl* cap = GetCaptureControl();
      if (cap && cap != this && cap->Parent() == this) cap->Perform(WM_CANCELMODE, 0, 0);
      break;
    }
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST &&
          Message.Msg != WM_MOUSEWHEEL && Message.Msg != WM_MOUSEHWHEEL) {
        if (IsControlMouseMsg(Message)) return;
      }
      break;
  }
  TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* control = nullptr;
  TPoint p{Message.XPos(), Message.YPos()};
  TControl* cap = GetCaptureControl();
  if (FHandle && GetCapture() == FHandle) {
    if (cap && cap != this && cap->Parent() == this) control = cap;
  } else {
    control = ControlAtPos(p, false);
  }
  if (!control) return false;
  TMessage m = Message;
  m.LParam = PointToLParam(p.x - control->Left(), p.y - control->Top());
  control->FWindowProc(m);
  Message.Result = m.Result;
  return true;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PRINTCLIENT: WMPrintClient(Message); return;
    case WM_PRINT: WMPrint(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); return;
    case WM_SYSKEYUP: WMSysKeyUp(Message); return;
    case WM_SYSCHAR: WMSysChar(Message); return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      WMReflected(Message);
      return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE: WMMove(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_MOUSELEAVE: WMMouseLeave(Message); return;
    case WM_NCDESTROY: WMNCDestroy(Message); return;
    case WM_SHOWWINDOW: WMShowWindow(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case CN_KEYDOWN: CNKeyDown(Message); return;
    case CN_KEYUP: CNKeyUp(Message); return;
    case CN_CHAR: CNChar(Message); return;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); return;
    case CN_SYSCHAR: CNSysChar(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); return;
    case CM_CURSORCHANGED: CMCursorChanged(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_RECREATEWND: CMRecreateWnd(Message); return;
    case CM_INVALIDATE: CMInvalidate(Message); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); return;
    case CM_CHILDKEY: CMChildKey(Message); return;
    default: TControl::Dispatch(Message); return;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  // The framework's own notices stop here: a native procedure may use the
  // same numbers for something else.
  if (IsFrameworkMessage(Message.Msg)) return;
  Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg,
                                   Message.WParam, Message.LParam);
}

// ---- Text

String TWinControl::GetText() const {
  if (!FHandle) return FText;
  auto* self = const_cast<TWinControl*>(this);
  LRESULT len = self->Perform(WM_GETTEXTLENGTH, 0, 0);
  if (len <= 0) return String();
  String s(static_cast<size_t>(len) + 1, u'\0');
  LRESULT got = self->Perform(WM_GETTEXT, static_cast<WPARAM>(len + 1), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min(got, len))));
  return s;
}

void TWinControl::SetTextValue(const String& Value) {
  FText = Value;
  if (FHandle) Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

// ---- Children

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  size_t i = static_cast<size_t>(Index);
  if (i < FControls.size()) return FControls[i];
  return FWinControls[i - FControls.size()];
}

void TWinControl::InsertControl(TControl* AControl) {
  if (!AControl || AControl->FParent == this) return;
  if (auto* w = dynamic_cast<TWinControl*>(AControl); w && w->ContainsControl(this))
    throw EInvalidOperation(u"A control cannot be the parent of one of its parents");
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  auto* win = dynamic_cast<TWinControl*>(AControl);
  if (win) {
    FWinControls.push_back(win);
    FTabList.push_back(win);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (win) {
      win->UpdateControlState();
    } else if (FHandle) {
      AControl->Invalidate();
    }
    AControl->UpdateAnchorRules();
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (!AControl || AControl->FParent != this) return;
  Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 0);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  bool windowed = std::find(FWinControls.begin(), FWinControls.end(), AControl) != FWinControls.end();
  if (windowed) {
    // The cast is safe: only windowed controls enter FWinControls.
    auto* win = static_cast<TWinControl*>(AControl);
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(win, true);
    if (!win->ComponentState().Contains(csDestroying) || win->FHandle) win->DestroyHandle();
  } else if (FHandle) {
    AControl->InvalidateControl(AControl->FVisible, false);
  }
  if (Application) Application->ControlRemoved(AControl);
  EraseFrom(FControls, AControl);
  EraseFrom(FWinControls, AControl);
  EraseFrom(FTabList, AControl);
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  auto hits = [&](TControl* c) {
    if (!(c->FVisible || ComponentState().Contains(csDesigning))) return false;
    if (!c->FEnabled && !AllowDisabled) return false;
    TRect r = c->BoundsRect();
    if (Pos.x < r.Left || Pos.x >= r.Right || Pos.y < r.Top || Pos.y >= r.Bottom) return false;
    return c->Perform(CM_HITTEST, 0, PointToLParam(Pos.x - r.Left, Pos.y - r.Top)) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hits(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hits(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  // A copy: a handler may add or remove children.
  std::vector<TControl*> all(FControls.begin(), FControls.end());
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());
  for (TControl* c : all) {
    if (c->FParent != this) continue;
    c->FWindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent && ContainsControl(AParent))
    throw EInvalidOperation(u"A control cannot be the parent of one of its parents");
  if (!AParent && !FParent) return;
  TControl::SetParent(AParent);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::UpdateShowing() {
  bool show = FVisible && !FControlState.Contains(csReadingState);
  if (show) {
    if (!FHandle) CreateHandle();
    for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
  if (!show)
    for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
}

void TWinControl::UpdateControlState() {
  TWinControl* c = this;
  while (c->FParent) {
    c = c->FParent;
    if (!c->Showing()) return;
  }
  if (dynamic_cast<TCustomForm*>(c) || c->FParentWindow) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!FVisible && FParent) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  }
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!FEnabled && FParent) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  }
  if (FHandle) EnableWindow(FHandle, FEnabled);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  if (FHandle) {
    TMessage m{WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0, 0};
    DefaultHandler(m);
  }
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMTextChanged(TMessage& Message) { TControl::CMTextChanged(Message); }

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMCursorChanged(TMessage&) {
  if (!FHandle) return;
  POINT p;
  if (GetCursorPos(&p) && WindowFromPoint(p) == FHandle && GetCapture() == nullptr)
    ::SendMessageW(FHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(FHandle), HTCLIENT);
}

void TWinControl::CMInvalidate(TMessage&) { Invalidate(); }

void TWinControl::CMSysColorChange(TMessage& Message) {
  if (FBrush) {
    DeleteObject(FBrush);
    FBrush = nullptr;
  }
  Broadcast(Message);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  if (FHandle) UnregisterControlWindow(FHandle);
  FHandle = nullptr;
  FShowing = false;
  FTrackingMouse = false;
}

void TWinControl::WMShowWindow(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMContextMenu(TMessage& Message) {
  if (!ShowControlPopupMenu(this, Message)) DefaultHandler(Message);
}

// ---- Z-order, tab order, focus

void TWinControl::SetZOrder(bool TopMost) {
  if (!FParent) return;
  auto& list = FParent->FWinControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost) list.push_back(this);
  else list.insert(list.begin(), this);
  if (FHandle)
    SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& l = FParent->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& l = FParent->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  if (it == l.end()) return;
  l.erase(it);
  Value = std::clamp(Value, 0, static_cast<int>(l.size()));
  l.insert(l.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    LONG s = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, Value ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  int start = found == list.end() ? -1 : static_cast<int>(found - list.begin());
  if (start < 0) start = GoForward ? count - 1 : 0;
  int i = start;
  do {
    if (GoForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c != CurControl && c->CanFocus() && (!CheckTabStop || c->FTabStop) &&
        (!CheckParent || c->FParent == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) c->SetFocus();
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
  } else if (FParentWindow) {
    ::SetFocus(Handle());
  } else {
    throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  }
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
  if (!form) return false;
  const TControl* c = this;
  while (c && c != form) {
    if (!c->FVisible || !c->FEnabled) return false;
    c = c->FParent;
  }
  return true;
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

// ---- Reflection

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* c = FindControl(ControlHandle);
  if (!c || c == this) return false;
  TMessage m{CN_BASE + Message.Msg, Message.WParam, Message.LParam, 0};
  c->FWindowProc(m);
  Message.Result = m.Result;
  return true;
}

void TWinControl::WMReflected(TMessage& Message) {
  // Notifications go back to the child that sent them, as CN_BASE + the
  // message, here and nowhere else.
  HWND child = nullptr;
  switch (Message.Msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(Message.LParam);
      break;
    case WM_NOTIFY:
      if (Message.LParam) child = reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (d && d->CtlType != ODT_MENU) child = d->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (mi && mi->CtlType != ODT_MENU && FHandle) child = GetDlgItem(FHandle, static_cast<int>(mi->CtlID));
      break;
    }
    case WM_DELETEITEM: {
      auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
      if (di) child = di->hwndItem;
      break;
    }
    case WM_COMPAREITEM: {
      auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
      if (ci) child = ci->hwndItem;
      break;
    }
    default:
      child = reinterpret_cast<HWND>(Message.LParam);
      break;
  }
  if (child && DoControlMsg(child, Message)) return;
  DefaultHandler(Message);
}

// ---- Geometry

TRect TWinControl::ClientRect() const {
  if (!FHandle) return Rect(0, 0, FWidth, FHeight);
  RECT r;
  ::GetClientRect(FHandle, &r);
  return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::ClientOrigin() const {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return {p.x, p.y};
  }
  if (FParent) {
    TPoint p = FParent->ClientOrigin();
    return {p.x + FLeft, p.y + FTop};
  }
  return {FLeft, FTop};
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FConstraints) FConstraints->Apply(AWidth, AHeight);
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (!CanResize(AWidth, AHeight)) return;
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FParent || !FParent->FControlState.Contains(csAligning)) UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  bool sized = AWidth != FWidth || AHeight != FHeight;
  if (FHandle && !IsIconic(FHandle)) {
    // WM_WINDOWPOSCHANGED reads the bounds back, realigns and tells OnResize.
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (sized) {
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
  }
}

void TWinControl::UpdateBounds() {
  if (!FHandle || IsIconic(FHandle)) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) {
    HWND parent = GetParent(FHandle);
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  bool sized = w != FWidth || h != FHeight;
  FLeft = r.left;
  FTop = r.top;
  FWidth = w;
  FHeight = h;
  if (sized) {
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
  }
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  DefaultHandler(Message);
  auto* wp = reinterpret_cast<WINDOWPOS*>(Message.LParam);
  if (!wp || (wp->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) UpdateBounds();
}

void TWinControl::WMSize(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMMove(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == FHandle) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      TControl* c = ControlAtPos(ScreenToClient(TPoint{p.x, p.y}), false);
      cursor = c ? c->Cursor() : FCursor;
      if (cursor == crDefault && c) cursor = FCursor;
    }
    if (cursor != crDefault && Screen) {
      ::SetCursor(Screen->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message) {
  FTrackingMouse = false;
  if (Application) Application->MouseLeftWindow(this);
  DefaultHandler(Message);
}

// ---- Properties

void TWinControl::SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

void TWinControl::SetParentBackground(bool Value) {
  if (ParentBackground() == Value) return;
  if (Value) FControlStyle.Include(csParentBackground);
  else FControlStyle.Exclude(csParentBackground);
  Invalidate();
}

HBRUSH TWinControl::BrushHandle() {
  if (FBrush && FBrushColor == FColor) return FBrush;
  if (FBrush) DeleteObject(FBrush);
  FBrushColor = FColor;
  FBrush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
  return FBrush;
}

FW_REGISTER(TWinControl) {
  c.Property(u"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  c.Property(u"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
  c.Property(u"DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered).Default(false);
  c.Property(u"ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground);
  c.Event(u"OnKeyDown", &TWinControl::OnKeyDown);
  c.Event(u"OnKeyPress", &TWinControl::OnKeyPress);
  c.Event(u"OnKeyUp", &TWinControl::OnKeyUp);
  c.Event(u"OnEnter", &TWinControl::OnEnter);
  c.Event(u"OnExit", &TWinControl::OnExit);
}

}  // namespace fw
