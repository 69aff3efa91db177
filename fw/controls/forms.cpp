#include "fw/controls/forms.h"

#include <algorithm>
#include <map>

#include "fw/controls/controlcanvas.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/menus/menus.h"
#include "fw/system/actions.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/wndregistry.h"

namespace fw {

namespace {

TFormDescriptionReader gReader = &ReadFormDescription;

std::map<String, String>& Descriptions() {
  static auto* m = new std::map<String, String>();
  return *m;
}

String UpperName(const String& s) {
  String r = s;
  for (auto& ch : r)
    if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
  return r;
}

const wchar_t kCannotFocus[] = L"Cannot focus a disabled or invisible window";

struct DisabledWindows {
  std::vector<HWND> list;
  HWND except = nullptr;
};

BOOL CALLBACK DisableWindow(HWND wnd, LPARAM data) {
  auto* d = reinterpret_cast<DisabledWindows*>(data);
  if (wnd != d->except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    d->list.push_back(wnd);
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}

}  // namespace

void SetFormDescriptionReader(TFormDescriptionReader Reader) { gReader = Reader ? Reader : &ReadFormDescription; }

void RegisterFormDescription(const String& FormClassName, const String& Text) {
  Descriptions()[UpperName(FormClassName)] = Text;
}

bool ReadFormDescription(TCustomForm* Form) {
  String name = UpperName(Form->ClassName());
  auto it = Descriptions().find(name);
  if (it != Descriptions().end()) {
    ReadRootComponent(Form, it->second, Form->ClassName());
    return true;
  }
  HRSRC res = FindResourceW(nullptr, W(name), reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!res) return false;
  HGLOBAL data = LoadResource(nullptr, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return false;
  TFormObject desc = ParseFormDescription(static_cast<const uint8_t*>(bytes), SizeofResource(nullptr, res), name);
  ReadRootComponent(Form, desc, name);
  return true;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this)) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FControlState.Include(csCustomPaint);
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FWidth = 320;
  FHeight = 240;
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
  if (Application) Application->FormDestroyed(this);
  // The children go while the form is still a form.
  if (FHandle) {
    HWND h = FHandle;
    UnregisterControlWindow(h);
    FHandle = nullptr;
    DestroyWindow(h);
  }
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FFormState.Include(fsCreating);
  try {
    if (gReader) gReader(this);
  } catch (...) {
    FFormState.Exclude(fsCreating);
    throw;
  }
  FFormState.Exclude(fsCreating);
  FCreated = true;
  DoCreate();
  if (FVisible) UpdateControlState();
}

void TCustomForm::BeforeDestruction() {
  if (!ComponentState().Contains(csDestroying)) DoDestroy();
  TWinControl::BeforeDestruction();
  if (Screen) Screen->RemoveForm(this);
  if (Application) Application->FormDestroyed(this);
}

TCanvas* TCustomForm::Canvas() const { return FCanvas; }

void TCustomForm::DoCreate() { OnCreate(this); }
void TCustomForm::DoDestroy() { OnDestroy(this); }
void TCustomForm::DoShow() { OnShow(this); }
void TCustomForm::DoHide() { OnHide(this); }
void TCustomForm::DoClose(TCloseAction& Action) { OnClose(this, Action); }
void TCustomForm::Activate() { OnActivate(this); }
void TCustomForm::Deactivate() { OnDeactivate(this); }
void TCustomForm::Paint() { OnPaint(this); }

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->FreeHandle();
  TCanvasDCScope onDC(FCanvas, DC);
  Paint();
}

// ---- Window

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_CONTROLPARENT;
  Params.WndParent = Application ? Application->Handle() : nullptr;
  Params.WindowClass.hIcon = ProgramIcon();
  if (FParentWindow) {
    Params.Style |= WS_CHILD;
    Params.WndParent = FParentWindow;
  }
  bool icons = true;
  switch (FBorderStyle) {
    case bsNone:
      Params.Style |= WS_POPUP;
      icons = false;
      break;
    case bsSingle:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (icons) {
    if (FBorderIcons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
      if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (FBorderIcons.Contains(biHelp) &&
        (FBorderStyle == bsDialog || !FBorderIcons.Contains(biMinimize) || !FBorderIcons.Contains(biMaximize)))
      Params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (FFormStyle == fsMDIChild && !FParentWindow) {
    if (TCustomForm* frame = MDIFrameForChild(); frame && frame != this) {
      Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
      Params.ExStyle |= WS_EX_MDICHILD;
      Params.WndParent = frame->FClientHandle;
      Params.WindowClass.lpfnWndProc = DefMDIChildProcW;
    }
  }
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW;
  if (!FPositioned && (FPosition == poDefault || FPosition == poDefaultPosOnly)) {
    Params.X = static_cast<int>(CW_USEDEFAULT);
    Params.Y = static_cast<int>(CW_USEDEFAULT);
  }
  if (!FPositioned && (FPosition == poDefault || FPosition == poDefaultSizeOnly)) {
    Params.Width = static_cast<int>(CW_USEDEFAULT);
    Params.Height = static_cast<int>(CW_USEDEFAULT);
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMenu) FMenu->SetWindowHandle(FHandle);
  CreateMDIClient();
  if (FWindowState == wsMaximized || FWindowState == wsMinimized) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    GetWindowPlacement(FHandle, &wp);
    wp.showCmd = SW_HIDE;
    SetWindowPlacement(FHandle, &wp);
  }
}

void TCustomForm::DestroyWindowHandle() {
  // The client window goes with the frame's window.
  FClientHandle = nullptr;
  TCustomForm* frame = MDIFrame();
  if (!frame) {
    TWinControl::DestroyWindowHandle();
    return;
  }
  // An MDI child goes through its client, which then activates the next.
  FControlState.Include(csDestroyingHandle);
  const HWND h = FHandle;
  SendMessageW(frame->FClientHandle, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
  FControlState.Exclude(csDestroyingHandle);
  if (FHandle == h) {
    UnregisterControlWindow(h);
    FHandle = nullptr;
  }
  FShowing = false;
}

TRect TCustomForm::ClientRect() const {
  if (FHandle) return TWinControl::ClientRect();
  // Without a window the frame comes from the style the window will have.
  TCreateParams p;
  const_cast<TCustomForm*>(this)->CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style, FMenu && !(p.Style & WS_CHILD), p.ExStyle);
  return Rect(0, 0, std::max<int>(0, FWidth - (r.right - r.left)), std::max<int>(0, FHeight - (r.bottom - r.top)));
}

void TCustomForm::SetClientSize(int W, int H) {
  TRect cr = ClientRect();
  SetBounds(FLeft, FTop, FWidth - cr.Width() + W, FHeight - cr.Height() + H);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (!FHandle) return;
  // An MDI child's window is made as one: a form that becomes one, or
  // stops being one, gets a new window.
  const bool mdiChild = (GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
  if (mdiChild != (Value == fsMDIChild && MDIFrameForChild() && MDIFrameForChild() != this)) {
    RecreateWnd();
    return;
  }
  if (Value == fsMDIForm) CreateMDIClient();
  else DestroyMDIClient();
  if (!mdiChild)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- MDI

void TCustomForm::CreateMDIClient() {
  if (FClientHandle || !FHandle || FFormStyle != fsMDIForm) return;
  // Children are listed in the window menu's sub-menu; their commands
  // start high above the menu items' usual numbers.
  CLIENTCREATESTRUCT ccs{FWindowMenu && FWindowMenu->Count() > 0 ? FWindowMenu->Handle() : nullptr, 0xFF00};
  RECT r{};
  GetClientRect(FHandle, &r);
  FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                  0, 0, r.right, r.bottom, FHandle, nullptr, GetModuleHandleW(nullptr), &ccs);
  if (!FClientHandle) throw EOutOfResources(u"Error creating the MDI client window");
  Realign();
}

void TCustomForm::DestroyMDIClient() {
  if (!FClientHandle) return;
  HWND client = FClientHandle;
  FClientHandle = nullptr;
  DestroyWindow(client);
}

TCustomForm* TCustomForm::MDIFrameForChild() {
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (!main || main->FFormStyle != fsMDIForm) return nullptr;
  main->HandleNeeded();
  return main->FClientHandle ? main : nullptr;
}

TCustomForm* TCustomForm::MDIFrame() const {
  if (FFormStyle != fsMDIChild || !FHandle || !(GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) return nullptr;
  const HWND client = GetParent(FHandle);
  auto* frame = client ? dynamic_cast<TCustomForm*>(FindControl(GetParent(client))) : nullptr;
  return frame && frame->FClientHandle == client ? frame : nullptr;
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  const HWND child = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return child ? dynamic_cast<TCustomForm*>(FindControl(child)) : nullptr;
}

void TCustomForm::MergeMenu(bool MergeState) {
  TCustomForm* frame = MDIFrame();
  if (!frame || !frame->FMenu) return;
  if (MergeState) frame->FMenu->Merge(FMenu);
  else if (FMenu) frame->FMenu->Unmerge(FMenu);
}

void TCustomForm::WMMDIActivate(TMessage& Message) {
  DefaultHandler(Message);
  if (reinterpret_cast<HWND>(Message.LParam) == FHandle) MergeMenu(true);
  else if (reinterpret_cast<HWND>(Message.WParam) == FHandle) MergeMenu(false);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  // The MDI client takes what the aligned controls leave.
  if (FClientHandle)
    SetWindowPos(FClientHandle, nullptr, Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  // The frame procedure places the client over the whole client area on
  // WM_SIZE: the alignment places it instead.
  if (FClientHandle && FHandle && Message.Msg != WM_SIZE && !IsFrameworkMessage(Message.Msg)) {
    Message.Result = DefFrameProcW(FHandle, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TWinControl::DefaultHandler(Message);
}

TWindowState TCustomForm::WindowState() const {
  if (FHandle && FShowing) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (!FHandle || !FShowing) return;
  static const int cmds[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
  if (WindowState() != Value) ShowWindow(FHandle, cmds[Value]);
}

void TCustomForm::MoveToPosition() {
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  TRect target = Rect(area.left, area.top, area.right, area.bottom);
  switch (FPosition) {
    case poScreenCenter:
      break;
    case poDesktopCenter:
      target = Rect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* other = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
      if (!other && Application) other = Application->MainForm();
      if (other && other != this) target = other->BoundsRect();
      break;
    }
    default:
      return;
  }
  int l = target.Left + (target.Width() - FWidth) / 2;
  int t = target.Top + (target.Height() - FHeight) / 2;
  SetBounds(l, t, FWidth, FHeight);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FHandle) {
    if (IsIconic(FHandle)) ShowWindow(FHandle, SW_RESTORE);
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMVisibleChanged(TMessage& Message) {
  // While the description is read, Visible only records the wish.
  if (FFormState.Contains(fsCreating)) return;
  TWinControl::CMVisibleChanged(Message);
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (FShowing) {
    if (!FPositioned) {
      FPositioned = true;
      MoveToPosition();
    }
    DoShow();
    static const int cmds[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, cmds[FWindowState]);
    // A child shown in its frame is the active one.
    if (MDIFrame()) SendMessageW(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
    FFormState.Include(fsVisible);
  } else {
    DoHide();
    FFormState.Exclude(fsVisible);
    if (TCustomForm* frame = MDIFrame(); frame && frame->ActiveMDIChild() == this) {
      // The next child takes over; the frame keeps no menu of a hidden one.
      SendMessageW(frame->FClientHandle, WM_MDINEXT, reinterpret_cast<WPARAM>(FHandle), 0);
      MergeMenu(false);
    }
    if (FHandle == GetActiveWindow() && Application && Application->MainForm() != this) {
      // Hand the activation to the window that owns us rather than to
      // whatever window happens to be next.
      if (TCustomForm* main = Application->MainForm(); main && main->FHandle && main->FShowing)
        SetActiveWindow(main->FHandle);
    }
    ShowWindow(FHandle, SW_HIDE);
  }
  if (Application) Application->UpdateVisible();
}

// ---- Focus and activation

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  bool loading = ComponentState().Contains(csLoading);
  if (Control && (Control == this || GetParentForm(Control) != this || (!loading && !Control->CanFocus())))
    throw EInvalidOperation(FromW(kCannotFocus));
  FActiveControl = Control;
  if (!loading && FActive) SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  HWND h = FActiveControl ? FActiveControl->Handle() : Handle();
  if (h) ::SetFocus(h);
}

void TCustomForm::SetFocus() {
  if (FActive) return;
  if (!FVisible || !FEnabled) throw EInvalidOperation(FromW(kCannotFocus));
  SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) {
    if (!FVisible || !FEnabled) throw EInvalidOperation(FromW(kCannotFocus));
    SetWindowFocus();
  }
}

void TCustomForm::SetActive(bool Value) {
  FActive = Value;
  if (!Value) return;
  if (!FActiveControl && !ComponentState().Contains(csDesigning))
    FActiveControl = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  ++FFocusCount;
  struct Leave {
    int& n;
    ~Leave() { --n; }
  } leave{FFocusCount};
  if (Control != this) FActiveControl = Control;
  else FActiveControl = nullptr;
  if (Screen) Screen->SetActiveFocus(this, Control);
  if (Control->FControlState.Contains(csFocusing)) return true;
  Control->FControlState.Include(csFocusing);
  struct Unmark {
    TWinControl* c;
    ~Unmark() { c->FControlState.Exclude(csFocusing); }
  } unmark{Control};
  // A handler that moves the focus elsewhere ends this round.
  int count = FFocusCount;
  auto send = [&](TWinControl* target, UINT msg) {
    if (target->HandleAllocated()) SendMessageW(target->WindowHandle(), msg, 0, 0);
    else target->Perform(msg, 0, 0);
    return FFocusCount == count;
  };
  if (Screen && Screen->FocusedForm() != this) {
    if (TCustomForm* old = Screen->FocusedForm()) {
      Screen->SetFocusedForm(nullptr);
      if (!send(old, CM_DEACTIVATE)) return false;
    }
    Screen->SetFocusedForm(this);
    if (!send(this, CM_ACTIVATE)) return false;
  }
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != Control) {
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
      TWinControl* leaving = FFocusedControl;
      FFocusedControl = FFocusedControl->Parent();
      if (!send(leaving, CM_EXIT)) return false;
    }
    while (FFocusedControl != Control) {
      TWinControl* c = Control;
      while (c->Parent() != FFocusedControl) c = c->Parent();
      FFocusedControl = c;
      if (!send(c, CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl))
    FFocusedControl = Control->Parent();
  if (FActiveControl && Control->ContainsControl(FActiveControl)) {
    FActiveControl = nullptr;
    if (FActive && FHandle && !ComponentState().Contains(csDestroying)) ::SetFocus(FHandle);
  }
}

void TCustomForm::WMActivate(TMessage& Message) {
  DefaultHandler(Message);
  SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
}

void TCustomForm::CMActivate(TMessage&) {
  FFormState.Include(fsActivated);
  Activate();
}

void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
          FActiveControl->Parent()->SelectNext(FActiveControl,
                                               Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  // The popup menus of the focused control and its parents come first.
  if (FActiveControl && IsPopupMenuShortCut(FActiveControl, Message)) return true;
  bool handled = false;
  OnShortCut(Message, handled);
  if (handled) return true;
  if (FMenu && FMenu->IsShortCut(Message)) return true;
  TShortCut sc = ShortCut(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
  if (sc == scNone) return false;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
      if (list->IsShortCut(sc)) return true;
  return false;
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  // A description gives the client size below the menu bar.
  bool keepClient = ComponentState().Contains(csLoading) && !FHandle;
  TRect client = ClientRect();
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    if (FMenu->WindowHandle() == FHandle) FMenu->SetWindowHandle(nullptr);
  }
  TMainMenu* old = FMenu;
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  if (Value && FHandle) Value->SetWindowHandle(FHandle);
  else if (!Value && FHandle) ::SetMenu(FHandle, nullptr);
  if (keepClient) SetClientSize(client.Width(), client.Height());
  // The active MDI child's menu goes into the frame's new menu; a new
  // menu of the active child takes the old one's place in the frame's.
  if (TCustomForm* child = ActiveMDIChild()) {
    if (old) old->Merge(nullptr);
    child->MergeMenu(true);
  }
  if (TCustomForm* frame = MDIFrame(); frame && frame->ActiveMDIChild() == this) {
    if (old && frame->FMenu) frame->FMenu->Unmerge(old);
    MergeMenu(true);
  }
}

void TCustomForm::SetWindowMenu(TMenuItem* Value) {
  if (FWindowMenu == Value) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FWindowMenu) FWindowMenu = nullptr;
  if (Operation == opRemove && AComponent == FMenu) {
    FMenu = nullptr;
    if (FHandle && !ComponentState().Contains(csDestroying)) ::SetMenu(FHandle, nullptr);
  }
}

void TCustomForm::UpdateActions() {
  if (!FVisible || ComponentState().Contains(csDesigning)) return;
  std::vector<TControl*> stack{this};
  while (!stack.empty()) {
    TControl* c = stack.back();
    stack.pop_back();
    c->InitiateAction();
    if (auto* w = dynamic_cast<TWinControl*>(c))
      for (int i = 0; i < w->ControlCount(); ++i) stack.push_back(w->Controls(i));
  }
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i))) list->UpdateActions();
}

// ---- Closing

bool TCustomForm::CloseQuery() {
  bool can = true;
  OnCloseQuery(this, can);
  return can;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  switch (action) {
    case caNone:
      FModalResult = mrNone;
      break;
    case caFree:
      Release();
      break;
    default:
      break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated() || FHandle == nullptr) PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation(u"Cannot make a visible window modal");
  if (HWND cap = GetCapture()) SendMessageW(cap, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  if (Application) Application->ModalStarted();
  FFormState.Include(fsModal);
  HWND activeWindow = GetActiveWindow();
  DisabledWindows disabled;
  disabled.except = Handle();
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  TModalResult result = mrNone;
  auto finish = [&] {
    for (HWND w : disabled.list)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    FFormState.Exclude(fsModal);
    if (Application) Application->ModalFinished();
  };
  try {
    Show();
    try {
      SendMessageW(FHandle, CM_ACTIVATE, 0, 0);
      FModalResult = mrNone;
      do {
        Application->HandleMessage();
        if (Application->Terminated()) FModalResult = mrCancel;
        else if (FModalResult != mrNone) CloseModal();
      } while (FModalResult == mrNone);
      result = FModalResult;
      if (FHandle) SendMessageW(FHandle, CM_DEACTIVATE, 0, 0);
      if (GetActiveWindow() != FHandle) activeWindow = nullptr;
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return result;
}

// ---- Messages

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE: WMClose(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_DESTROY: WMDestroy(Message); return;
    case WM_QUERYENDSESSION: WMQueryEndSession(Message); return;
    case WM_MDIACTIVATE: WMMDIActivate(Message); return;
    case CM_ACTIVATE: CMActivate(Message); return;
    case CM_DEACTIVATE: CMDeactivate(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_MENUCHAR:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (FMenu && FMenu->HandleMenuMessage(Message)) return;
      TWinControl::Dispatch(Message);
      return;
    default: TWinControl::Dispatch(Message); return;
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& Message) {
  if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
    // Through the application's window, so that its hooks hear of it.
    SendMessageW(Application->Handle(), WM_SYSCOMMAND, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
  DefaultHandler(Message);
  auto* mm = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  if (!mm || !FConstraints) return;
  if (FConstraints->MinWidth() > 0) mm->ptMinTrackSize.x = FConstraints->MinWidth();
  if (FConstraints->MinHeight() > 0) mm->ptMinTrackSize.y = FConstraints->MinHeight();
  if (FConstraints->MaxWidth() > 0) mm->ptMaxTrackSize.x = FConstraints->MaxWidth();
  if (FConstraints->MaxHeight() > 0) mm->ptMaxTrackSize.y = FConstraints->MaxHeight();
}

void TCustomForm::WMDestroy(TMessage& Message) {
  // Windows destroys the menu of a window it destroys; the menu bar stays
  // the main menu's.
  if (FMenu) FMenu->SetWindowHandle(nullptr);
  // A child that goes takes its menu out of the frame's.
  MergeMenu(false);
  if (Screen && Screen->FocusedForm() == this) Screen->SetFocusedForm(nullptr);
  FActive = false;
  DefaultHandler(Message);
}

void TCustomForm::WMQueryEndSession(TMessage& Message) { Message.Result = CloseQuery() ? 1 : 0; }

void TCustomForm::WMSize(TMessage& Message) {
  TWinControl::WMSize(Message);
  // The menu bar may take another row: the client follows.
  if (FClientHandle) Realign();
  if (Message.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
  else if (Message.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
  else if (Message.WParam == SIZE_RESTORED) FWindowState = wsNormal;
}

FW_REGISTER(TCustomForm) {
  c.Property(u"ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  c.Property(u"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  c.Property(u"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
  c.Property(u"ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
  c.Property(u"ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
  c.Property(u"FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
  c.Property(u"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  c.Property(u"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
  c.Property(u"Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDefaultPosOnly);
  c.Property(u"WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
  c.Event(u"OnCreate", &TCustomForm::OnCreate);
  c.Event(u"OnDestroy", &TCustomForm::OnDestroy);
  c.Event(u"OnShow", &TCustomForm::OnShow);
  c.Event(u"OnHide", &TCustomForm::OnHide);
  c.Event(u"OnActivate", &TCustomForm::OnActivate);
  c.Event(u"OnDeactivate", &TCustomForm::OnDeactivate);
  c.Event(u"OnPaint", &TCustomForm::OnPaint);
  c.Event(u"OnClose", &TCustomForm::OnClose);
  c.Event(u"OnCloseQuery", &TCustomForm::OnCloseQuery);
  c.Event(u"OnShortCut", &TCustomForm::OnShortCut);
}

FW_REGISTER(TForm) {}

}  // namespace fw
