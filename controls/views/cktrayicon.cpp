#include "controls/views/cktrayicon.h"

#include "controls/views/cktrayiconenumerator.h"

#include <algorithm>

#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"
#include "services/ckutils.h"
#include "services/shellutils.h"

namespace ck {

TShellNotifyIcon ShellNotifyIconProc = ::Shell_NotifyIconW;
void (*TrayRetryWait)() = [] { Sleep(1000); };
bool (*TrayAreaPresent)() = [] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; };
void (*TrayFailureNote)(const fw::String& Text) = [](const fw::String& Text) { OutputDebugStringW(W(Text)); };

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

namespace {

constexpr DWORD kBalloonFlags[] = {NIIF_NONE, NIIF_ERROR, NIIF_INFO, NIIF_WARNING};
constexpr int kRetries = 31;

bool ShellHasBalloons() { return services::Shell32Version() > 0x4FFFF; }

void CopyText(wchar_t* dest, size_t capacity, const fw::String& text) {
  const size_t n = std::min(text.size(), capacity - 1);
  std::copy(text.begin(), text.begin() + static_cast<ptrdiff_t>(n), reinterpret_cast<char16_t*>(dest));
  dest[n] = 0;
}

// The short part of a hint ("short|long").
fw::String ShortHint(const fw::String& hint) {
  const size_t bar = hint.find(u'|');
  return bar == fw::String::npos ? hint : hint.substr(0, bar);
}

fw::TShiftState CurrentShift() {
  fw::TShiftState s;
  auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  if (down(VK_SHIFT)) s.Include(fw::ssShift);
  if (down(VK_MENU)) s.Include(fw::ssAlt);
  if (down(VK_CONTROL)) s.Include(fw::ssCtrl);
  if (down(VK_LBUTTON)) s.Include(fw::ssLeft);
  if (down(VK_RBUTTON)) s.Include(fw::ssRight);
  if (down(VK_MBUTTON)) s.Include(fw::ssMiddle);
  return s;
}

}  // namespace

TCkTrayIcon::TCkTrayIcon(fw::TComponent* AOwner)
    : TCkComponent(AOwner), FCurrentIcon(new fw::TIcon()), FIcon(new fw::TIcon()) {
  FIcon->OnChange = fw::TNotifyEvent(this, &TCkTrayIcon::IconChanged);
  FHandle = fw::AllocateHWnd(fw::TWndMethod(this, &TCkTrayIcon::TrayWndProc));
  TaskbarCreatedMessage();
}

TCkTrayIcon::~TCkTrayIcon() {
  KillTimer(FHandle, kDoubleClickTimer);
  KillTimer(FHandle, kBalloonTimer);
  SetActive(false);
  fw::DeallocateHWnd(FHandle);
  delete FIcon;
  delete FCurrentIcon;
}

// ---- The shell -----------------------------------------------------------

bool TCkTrayIcon::NotifyIcon(DWORD message, UINT flags) {
  FIconData.uFlags = flags;
  bool ok = ShellNotifyIconProc(message, &FIconData) != FALSE;
  if (ok) return true;
  // A busy shell answers with a time-out (or nothing): try again for a while.
  // Without a notification area nothing is busy, and waiting would only
  // freeze the program.
  if (!FVisibility.Contains(tvNoRetryOnFailure) && TrayAreaPresent()) {
    for (int pass = 0; pass < kRetries; ++pass) {
      const DWORD error = GetLastError();
      if (error != 0 && error != ERROR_TIMEOUT) break;
      TrayRetryWait();
      if (message == NIM_ADD && ShellNotifyIconProc(NIM_MODIFY, &FIconData)) return true;
      if (message == NIM_DELETE && !ShellNotifyIconProc(NIM_MODIFY, &FIconData)) return true;
      if (ShellNotifyIconProc(message, &FIconData)) return true;
    }
  }
  if (!FFailureNoted) {
    FFailureNoted = true;
    TrayFailureNote(u"The notification area refused the tray icon; the program goes on without it.");
  }
  return false;
}

void TCkTrayIcon::FillIconData() {
  const bool current = ShellHasBalloons();
  FIconData = NOTIFYICONDATAW{};
  FIconData.cbSize = current ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE;
  if (current) FIconData.uVersion = NOTIFYICON_VERSION;
  FIconData.hWnd = FHandle;
  FIconData.uID = 1;
  FIconData.uCallbackMessage = WM_TRAYCALLBACK;
  FIconData.hIcon = FCurrentIcon->Handle() ? FCurrentIcon->Handle() : LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  if (!FIconData.hIcon) FIconData.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  FillTip();
}

void TCkTrayIcon::FillTip() { CopyText(FIconData.szTip, ShellHasBalloons() ? 128 : 64, ShortHint(FHint)); }

void TCkTrayIcon::ShowTrayIcon() {
  if (IconVisible() || !FActive) return;
  const bool designing = ComponentState().Contains(fw::csDesigning);
  if (!designing && FVisibility.Contains(tvAutoHideIcon) && ApplicationVisible()) return;
  if (designing && !FVisibility.Contains(tvVisibleDesign)) return;
  if (!NotifyIcon(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP)) return;
  FState.Include(tisTrayIconVisible);
  if (ShellHasBalloons()) NotifyIcon(NIM_SETVERSION, 0);
  if (FAnimated) StartAnimation();
}

void TCkTrayIcon::HideTrayIcon() {
  StopAnimation();
  if (IconVisible() && NotifyIcon(NIM_DELETE, 0)) FState.Exclude(tisTrayIconVisible);
}

void TCkTrayIcon::SetIconVisible(bool Value) {
  if (Value) ShowTrayIcon();
  else HideTrayIcon();
}

// ---- Properties ----------------------------------------------------------

void TCkTrayIcon::SetActive(bool Value) {
  if (ComponentState().Contains(fw::csLoading)) {
    FStreamedActive = Value;
    return;
  }
  if (FActive == Value) return;
  FActive = Value;
  if (Value) {
    FillIconData();
    Hook();
    ShowTrayIcon();
  } else {
    StopAnimation();
    Unhook();
    HideTrayIcon();
  }
}

void TCkTrayIcon::SetAnimated(bool Value) {
  FAnimated = Value;
  if (Value) StartAnimation();
  else StopAnimation();
}

void TCkTrayIcon::SetIcon(fw::TIcon* Value) { FIcon->Assign(Value); }

void TCkTrayIcon::IconChanged(fw::TObject*) { UpdateCurrentIcon(); }

void TCkTrayIcon::SetIconIndex(int Value) {
  FIconIndex = Value;
  UpdateCurrentIcon();
}

void TCkTrayIcon::SetIcons(fw::TCustomImageList* Value) {
  if (services::SwapComponentReference(this, Value, FIcons)) UpdateCurrentIcon();
}

void TCkTrayIcon::SetDropDownMenu(fw::TPopupMenu* Value) { services::SwapComponentReference(this, Value, FDropDownMenu); }
void TCkTrayIcon::SetPopupMenu(fw::TPopupMenu* Value) { services::SwapComponentReference(this, Value, FPopupMenu); }

void TCkTrayIcon::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCkComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (AComponent == FIcons) FIcons = nullptr;
}

void TCkTrayIcon::UpdateCurrentIcon() {
  if (ComponentState().Contains(fw::csLoading)) return;
  if (FIcons && FIconIndex >= 0 && FIconIndex < FIcons->Count()) FIcons->GetIcon(FIconIndex, FCurrentIcon);
  else if (!FIcon->Empty()) FCurrentIcon->Assign(FIcon);
  else FCurrentIcon->SetHandle(nullptr);
  FIconData.hIcon = FCurrentIcon->Handle() ? FCurrentIcon->Handle() : fw::ProgramIcon();
  if (IconVisible()) NotifyIcon(NIM_MODIFY, NIF_ICON);
}

void TCkTrayIcon::SetHint(const fw::String& Value) {
  fw::String hint = Value;
  if (!ShellHasBalloons())
    for (size_t p; (p = hint.find(u"\r\n")) != fw::String::npos;) hint.replace(p, 2, u" - ");
  if (hint == FHint) return;
  FHint = hint;
  FState.Include(tisHintChanged);
}

void TCkTrayIcon::SetDelay(int Value) {
  const bool animated = FAnimated;
  SetAnimated(false);
  FDelay = Value;
  SetAnimated(animated);
}

// ---- Animation -----------------------------------------------------------

void TCkTrayIcon::StartAnimation() {
  if (!IconVisible() || FState.Contains(tisAnimating)) return;
  FState.Include(tisAnimating);
  SetTimer(FHandle, kAnimationTimer, static_cast<UINT>(std::max(1, FDelay)), nullptr);
}

void TCkTrayIcon::StopAnimation() {
  if (!FState.Contains(tisAnimating)) return;
  FState.Exclude(tisAnimating);
  KillTimer(FHandle, kAnimationTimer);
}

void TCkTrayIcon::AnimateNextIcon() {
  const int count = FIcons ? FIcons->Count() : 0;
  if (!IconVisible() || count <= 1) {
    FIconIndex = 0;
    return;
  }
  int index = FIconIndex < 0 ? 0 : FIconIndex;
  if (FSwingForthAndBack) {
    if (index >= count - 1) FSwingDirection = -1;
    else if (index <= 0) FSwingDirection = 1;
    index = (index + FSwingDirection) % count;
  } else {
    index = (index + 1) % count;
  }
  SetIconIndex(index);
  OnAnimate(this, index);
}

// ---- Balloons ------------------------------------------------------------

bool TCkTrayIcon::AcceptBalloons() const { return ShellHasBalloons(); }

void TCkTrayIcon::BalloonHint(const fw::String& Title, const fw::String& Value, TBalloonType BalloonType, int ADelay,
                              bool CancelPrevious) {
  if (!IconVisible() || !AcceptBalloons()) return;
  FTime = fw::Now();
  FTimeDelay = ADelay / 1000;
  if (CancelPrevious) HideBalloon();
  CopyText(FIconData.szInfoTitle, 64, Title);
  CopyText(FIconData.szInfo, 256, Value);
  FIconData.uTimeout = static_cast<UINT>(ADelay);
  FIconData.dwInfoFlags = kBalloonFlags[BalloonType];
  if (!NotifyIcon(NIM_MODIFY, NIF_INFO)) return;
  const bool empty = Title.empty() && Value.empty();
  if (!empty) ++FBalloonCount;
  else if (FBalloonCount > 0) --FBalloonCount;
  if (ADelay < 10000 && !empty) SetTimer(FHandle, kBalloonTimer, static_cast<UINT>(std::max(1, ADelay)), nullptr);
  OnBalloonShow(this);
}

void TCkTrayIcon::HideBalloon() {
  for (int i = FBalloonCount + 1; i > 0; --i) BalloonHint(u"", u"", btNone, 5000, false);
}

bool TCkTrayIcon::GetIconRect(fw::TRect& IconRect) const {
  if (!IconVisible()) return false;
  // Newer shells tell where an icon is; older ones are read from their tray
  // tool bar.
  NOTIFYICONIDENTIFIER id{};
  id.cbSize = sizeof(id);
  id.hWnd = FHandle;
  id.uID = 1;
  RECT r;
  if (SUCCEEDED(Shell_NotifyIconGetRect(&id, &r))) {
    IconRect = fw::TRect{r.left, r.top, r.right, r.bottom};
    return true;
  }
  TTrayIconEnumerator buttons(sizeof(RECT));
  while (buttons.MoveNext()) {
    if (buttons.CurrentWnd() != FHandle || buttons.CurrentID() != 1) continue;
    if (buttons.CurrentButton().fsState & TBSTATE_HIDDEN) return false;
    SendMessageW(buttons.ToolbarHandle(), TB_GETITEMRECT, static_cast<WPARAM>(buttons.Index()),
                 reinterpret_cast<LPARAM>(buttons.Data()));
    if (!buttons.ReadProcessMemory(buttons.Data(), sizeof(r), &r)) return false;
    MapWindowPoints(buttons.ToolbarHandle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    IconRect = fw::TRect{r.left, r.top, r.right, r.bottom};
    return true;
  }
  return false;
}

// ---- Application visibility ------------------------------------------------

// The application's own window stands for the program on the task bar; the
// main form is one of its owned windows.
HWND TCkTrayIcon::ShownWindow() const { return fw::Application ? fw::Application->Handle() : nullptr; }

bool TCkTrayIcon::ShownWindowMinimized() const {
  HWND wnd = ShownWindow();
  return wnd && IsIconic(wnd);
}

bool TCkTrayIcon::ApplicationVisible() const {
  if (FState.Contains(tisAppHiddenButNotMinimized)) return false;
  HWND wnd = ShownWindow();
  return wnd && IsWindowVisible(wnd) && !IsIconic(wnd);
}

void TCkTrayIcon::SetApplicationVisible(bool Value) {
  if (Value) ShowApplication();
  else HideApplication();
}

// The caption's flight between the main form and the notification area.
void TCkTrayIcon::AnimateToOrFromTray(bool ToTray) {
  fw::TCustomForm* main = fw::Application->MainForm();
  if (!main || !main->HandleAllocated()) return;
  fw::TRect icon;
  RECT tray;
  if (GetIconRect(icon)) {
    tray = RECT{icon.Left, icon.Top, icon.Right, icon.Bottom};
  } else {
    HWND area = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (HWND notify = area ? FindWindowExW(area, nullptr, L"TrayNotifyWnd", nullptr) : nullptr) area = notify;
    if (!area || !GetWindowRect(area, &tray)) return;
  }
  RECT form;
  GetWindowRect(main->WindowHandle(), &form);
  if (ToTray) DrawAnimatedRects(main->WindowHandle(), IDANI_CAPTION, &form, &tray);
  else DrawAnimatedRects(main->WindowHandle(), IDANI_CAPTION, &tray, &form);
}

void TCkTrayIcon::HideApplication() {
  HWND wnd = ShownWindow();
  if (!wnd) return;
  if (ApplicationVisible()) {
    // Snapped away, the main form leaves the screen at once instead of
    // minimising with the application.
    if (FSnap || FVisibility.Contains(tvAnimateToTray)) {
      if (fw::TCustomForm* main = fw::Application->MainForm()) {
        if (FVisibility.Contains(tvAnimateToTray)) AnimateToOrFromTray(true);
        main->Hide();
      }
      fw::Application->SetShowMainForm(false);
    }
    fw::Application->Minimize();
  }
  ShowWindow(wnd, SW_HIDE);
  // The field, not the property: the setter would hide the application again.
  FVisibility.Exclude(tvVisibleTaskBar);
  if (FVisibility.Contains(tvAutoHideIcon)) ShowTrayIcon();
}

void TCkTrayIcon::ShowApplication() {
  HWND wnd = ShownWindow();
  if (!wnd) return;
  if (FState.Contains(tisAppHiddenButNotMinimized)) {
    fw::Application->Minimize();
    if (!FSnap && !FVisibility.Contains(tvAnimateToTray)) fw::Application->SetShowMainForm(true);
  }
  FVisibility.Include(tvVisibleTaskBar);
  ShowWindow(wnd, SW_SHOW);
  if (!ApplicationVisible()) {
    if (FVisibility.Contains(tvAnimateToTray)) AnimateToOrFromTray(false);
    fw::Application->Restore();
  }
  if (fw::TCustomForm* main = fw::Application->MainForm()) {
    main->Show();
    if (main->HandleAllocated()) SetForegroundWindow(main->WindowHandle());
  }
  FState.Exclude(tisAppHiddenButNotMinimized);
  if (FVisibility.Contains(tvAutoHideIcon)) HideTrayIcon();
}

void TCkTrayIcon::SetVisibility(TTrayVisibilities Value) {
  if (Value == FVisibility) return;
  const TTrayVisibilities added = Value - FVisibility, removed = FVisibility - Value;
  FVisibility = Value;
  if (!FActive) return;
  if (ComponentState().Contains(fw::csDesigning)) {
    if (added.Contains(tvVisibleDesign)) ShowTrayIcon();
    if (removed.Contains(tvVisibleDesign)) HideTrayIcon();
    return;
  }
  SetVisibleInTaskList(Value.Contains(tvVisibleTaskList));
  if (added.Contains(tvAutoHide) && !ApplicationVisible()) HideApplication();
  if (added.Contains(tvVisibleTaskBar)) ShowApplication();
  if (removed.Contains(tvVisibleTaskBar)) HideApplication();
  if (!ShownWindowMinimized()) {
    if (added.Contains(tvAutoHideIcon)) HideTrayIcon();
    if (removed.Contains(tvAutoHideIcon)) ShowTrayIcon();
  }
}

void TCkTrayIcon::SetVisibleInTaskList(bool Value) {
  // Leaving the task list needs a service registration that only very old
  // systems offer; the value is kept for the rest.
  FTask = Value;
}

void TCkTrayIcon::Hook() {
  if (FState.Contains(tisHooked) || !fw::Application || ComponentState().Contains(fw::csDesigning)) return;
  fw::Application->HookMainWindow(fw::TWindowHook(this, &TCkTrayIcon::AppHook));
  FState.Include(tisHooked);
}

void TCkTrayIcon::Unhook() {
  if (!FState.Contains(tisHooked)) return;
  if (fw::Application) fw::Application->UnhookMainWindow(fw::TWindowHook(this, &TCkTrayIcon::AppHook));
  FState.Exclude(tisHooked);
}

bool TCkTrayIcon::AppHook(fw::TMessage& Msg) {
  // Without its icon a program hidden to the tray could not be brought back:
  // it is then minimised as usual.
  if (Msg.Msg == WM_SYSCOMMAND && (Msg.WParam & 0xFFF0) == SC_MINIMIZE && FVisibility.Contains(tvAutoHide) &&
      FActive && IconVisible())
    HideApplication();
  return false;
}

void TCkTrayIcon::Loaded() {
  TCkComponent::Loaded();
  UpdateCurrentIcon();
  if (!FStreamedActive) return;
  SetActive(true);
  if (ComponentState().Contains(fw::csDesigning)) return;
  if (!FVisibility.Contains(tvVisibleTaskBar) && fw::Application) {
    fw::Application->SetShowMainForm(false);
    if (HWND wnd = ShownWindow()) ShowWindow(wnd, SW_HIDE);
    FState.Include(tisAppHiddenButNotMinimized);
  }
  if (!FVisibility.Contains(tvVisibleTaskList)) SetVisibleInTaskList(false);
}

// ---- Messages and clicks ---------------------------------------------------

void TCkTrayIcon::TrayWndProc(fw::TMessage& Msg) {
  try {
    switch (Msg.Msg) {
      case WM_QUERYENDSESSION:
        OnQueryEndSession(this);
        Msg.Result = DefWindowProcW(FHandle, Msg.Msg, Msg.WParam, Msg.LParam);
        return;
      case WM_ENDSESSION:
        if (Msg.WParam) HideTrayIcon();
        else if (FActive) ShowTrayIcon();
        return;
      case WM_TIMER:
        if (Msg.WParam == kAnimationTimer) AnimateNextIcon();
        else if (Msg.WParam == kBalloonTimer) {
          KillTimer(FHandle, kBalloonTimer);
          HideBalloon();
        } else if (Msg.WParam == kDoubleClickTimer) {
          KillTimer(FHandle, kDoubleClickTimer);
          if (FState.Contains(tisWaitingForDoubleClick)) {
            FState.Exclude(tisWaitingForDoubleClick);
            DoClick(FClickedButton, FClickedShift, FClickedPos);
          }
        }
        return;
      case WM_TRAYCALLBACK: {
        if (ComponentState().Contains(fw::csDesigning)) return;
        POINT p{};
        GetCursorPos(&p);
        MouseMessage(static_cast<UINT>(Msg.LParam), fw::TPoint{p.x, p.y}, CurrentShift());
        Msg.Result = 1;
        return;
      }
      default:
        if (Msg.Msg == TaskbarCreatedMessage()) {
          // The shell's notification area is new: the icon must be added again.
          FState.Exclude(tisTrayIconVisible);
          FState.Exclude(tisAnimating);
          KillTimer(FHandle, kAnimationTimer);
          if (FActive) ShowTrayIcon();
          return;
        }
        Msg.Result = DefWindowProcW(FHandle, Msg.Msg, Msg.WParam, Msg.LParam);
    }
  } catch (...) {
    if (fw::Application) fw::Application->HandleException(this);
  }
}

void TCkTrayIcon::MouseMessage(UINT mouseMessage, fw::TPoint pos, fw::TShiftState shift) {
  auto ignoring = [](auto&& fn) {
    try {
      fn();
    } catch (...) {
    }
  };
  switch (mouseMessage) {
    case WM_CONTEXTMENU:
    case NIN_KEYSELECT: DoContextPopup(pos); break;
    case WM_MOUSEMOVE:
      if (FState.Contains(tisHintChanged)) {
        FState.Exclude(tisHintChanged);
        FillTip();
        if (IconVisible()) NotifyIcon(NIM_MODIFY, NIF_TIP);
      }
      OnMouseMove(this, shift, pos.x, pos.y);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const fw::TMouseButton b = mouseMessage == WM_LBUTTONDOWN   ? fw::mbLeft
                                 : mouseMessage == WM_RBUTTONDOWN ? fw::mbRight
                                                                  : fw::mbMiddle;
      FState.Include(tisClicked);
      OnMouseDown(this, b, shift, pos.x, pos.y);
      break;
    }
    case WM_LBUTTONUP: MouseUp(fw::mbLeft, shift, pos); break;
    case WM_RBUTTONUP: MouseUp(fw::mbRight, shift, pos); break;
    case WM_MBUTTONUP: MouseUp(fw::mbMiddle, shift, pos); break;
    case WM_LBUTTONDBLCLK: DoDoubleClick(fw::mbLeft, shift, pos); break;
    case WM_RBUTTONDBLCLK: DoDoubleClick(fw::mbRight, shift, pos); break;
    case WM_MBUTTONDBLCLK: DoDoubleClick(fw::mbMiddle, shift, pos); break;
    case NIN_BALLOONHIDE: ignoring([&] { OnBalloonHide(this); }); break;
    case NIN_BALLOONTIMEOUT:
      if ((fw::Now() - FTime) * 86400.0 > FTimeDelay) HideBalloon();
      break;
    case NIN_BALLOONUSERCLICK:
      ignoring([&] { OnBalloonClick(this); });
      HideBalloon();
      break;
  }
}

void TCkTrayIcon::MouseUp(fw::TMouseButton button, fw::TShiftState shift, fw::TPoint pos) {
  if (FState.Contains(tisClicked)) {
    FState.Exclude(tisClicked);
    const bool counts = OnClick.Assigned() ||
                        (button == fw::mbLeft && (FDropDownMenu || FVisibility.Contains(tvRestoreClick) ||
                                                  FVisibility.Contains(tvMinimizeClick)));
    if (counts) {
      const bool waits = OnDblClick.Assigned() || FVisibility.Contains(tvRestoreDbClick) ||
                         FVisibility.Contains(tvMinimizeDbClick);
      if (waits) {
        FClickedButton = button, FClickedShift = shift, FClickedPos = pos;
        if (!FState.Contains(tisWaitingForDoubleClick)) {
          FState.Include(tisWaitingForDoubleClick);
          SetTimer(FHandle, kDoubleClickTimer, GetDoubleClickTime(), nullptr);
        }
      } else {
        DoClick(button, shift, pos);
      }
    }
  }
  OnMouseUp(this, button, shift, pos.x, pos.y);
  if (button == fw::mbRight && !AcceptBalloons()) DoContextPopup(pos);
}

void TCkTrayIcon::PopupAt(fw::TPopupMenu* menu, fw::TPoint pos) {
  // The menu closes when the user clicks elsewhere only if its owner is in
  // front; the null message lets the shell see the menu gone.
  SetForegroundWindow(FHandle);
  menu->Popup(pos.x, pos.y);
  PostMessageW(FHandle, WM_NULL, 0, 0);
}

void TCkTrayIcon::DoClick(fw::TMouseButton button, fw::TShiftState shift, fw::TPoint pos) {
  OnClick(this, button, shift, pos.x, pos.y);
  if (button != fw::mbLeft) return;
  if (FDropDownMenu) PopupAt(FDropDownMenu, pos);
  if (ApplicationVisible()) {
    if (FVisibility.Contains(tvMinimizeClick)) HideApplication();
  } else if (FVisibility.Contains(tvRestoreClick)) {
    ShowApplication();
  }
}

void TCkTrayIcon::DoDoubleClick(fw::TMouseButton button, fw::TShiftState shift, fw::TPoint pos) {
  if (FState.Contains(tisWaitingForDoubleClick)) {
    FState.Exclude(tisWaitingForDoubleClick);
    KillTimer(FHandle, kDoubleClickTimer);
  }
  if (OnDblClick.Assigned()) {
    OnDblClick(this, button, shift, pos.x, pos.y);
    return;
  }
  if (button != fw::mbLeft) return;
  if (FPopupMenu)
    for (int i = 0; i < FPopupMenu->Items()->Count(); ++i)
      if (fw::TMenuItem* item = FPopupMenu->Items()->Items(i); item->Default()) {
        item->Click();
        break;
      }
  if (ApplicationVisible()) {
    if (FVisibility.Contains(tvMinimizeDbClick)) HideApplication();
  } else if (FVisibility.Contains(tvRestoreDbClick)) {
    ShowApplication();
  }
}

void TCkTrayIcon::DoContextPopup(fw::TPoint pos) {
  bool handled = false;
  OnContextPopup(this, pos, handled);
  if (!handled && FPopupMenu) PopupAt(FPopupMenu, pos);
}

FW_REGISTER(TCkTrayIcon) {
  c.Property(u"Active", &TCkTrayIcon::Active, &TCkTrayIcon::SetActive).Stored(false);
  c.Property(u"Animated", &TCkTrayIcon::Animated, &TCkTrayIcon::SetAnimated).Default(false);
  c.Property(u"Icon", &TCkTrayIcon::Icon, &TCkTrayIcon::SetIcon);
  c.Property(u"IconIndex", &TCkTrayIcon::IconIndex, &TCkTrayIcon::SetIconIndex).Default(0);
  c.Property(u"Icons", &TCkTrayIcon::Icons, &TCkTrayIcon::SetIcons);
  c.Property(u"Hint", &TCkTrayIcon::Hint, &TCkTrayIcon::SetHint);
  c.Property(u"DropDownMenu", &TCkTrayIcon::DropDownMenu, &TCkTrayIcon::SetDropDownMenu);
  c.Property(u"PopupMenu", &TCkTrayIcon::PopupMenu, &TCkTrayIcon::SetPopupMenu);
  c.Property(u"Delay", &TCkTrayIcon::Delay, &TCkTrayIcon::SetDelay).Default(100);
  c.Property(u"Snap", &TCkTrayIcon::Snap, &TCkTrayIcon::SetSnap).Default(false);
  c.Property(u"SwingForthAndBack", &TCkTrayIcon::SwingForthAndBack, &TCkTrayIcon::SetSwingForthAndBack)
      .Default(false);
  c.Property(u"Visibility", &TCkTrayIcon::Visibility, &TCkTrayIcon::SetVisibility);
  c.Event(u"OnAnimate", &TCkTrayIcon::OnAnimate);
  c.Event(u"OnClick", &TCkTrayIcon::OnClick);
  c.Event(u"OnDblClick", &TCkTrayIcon::OnDblClick);
  c.Event(u"OnMouseMove", &TCkTrayIcon::OnMouseMove);
  c.Event(u"OnMouseDown", &TCkTrayIcon::OnMouseDown);
  c.Event(u"OnMouseUp", &TCkTrayIcon::OnMouseUp);
  c.Event(u"OnBalloonShow", &TCkTrayIcon::OnBalloonShow);
  c.Event(u"OnBalloonHide", &TCkTrayIcon::OnBalloonHide);
  c.Event(u"OnBalloonClick", &TCkTrayIcon::OnBalloonClick);
  c.Event(u"OnContextPopup", &TCkTrayIcon::OnContextPopup);
  c.Event(u"OnQueryEndSession", &TCkTrayIcon::OnQueryEndSession);
}

}  // namespace ck
