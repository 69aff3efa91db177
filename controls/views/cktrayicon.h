// An icon in the notification area: its own hidden window receives the
// shell's callback messages, mouse clicks become events (a single click waits
// for a possible double click), menus pop up from it, balloon tips show
// from it, an image list animates it, and it hides the application to the
// tray and brings it back. When the shell has no notification area the calls
// fail: the icon stays marked invisible and the program goes on.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "controls/base/ckcommondialog.h"
#include "fw/controls/controls.h"
#include "fw/core/datetime.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"

namespace ck {

FW_ENUM(TTrayVisibility, tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide, tvAutoHideIcon, tvVisibleDesign,
        tvRestoreClick, tvRestoreDbClick, tvMinimizeClick, tvMinimizeDbClick, tvAnimateToTray, tvNoRetryOnFailure)
using TTrayVisibilities = fw::TSet<TTrayVisibility>;

enum TCkTrayIconStateItem {
  tisTrayIconVisible,
  tisAnimating,
  tisHooked,
  tisHintChanged,
  tisWaitingForDoubleClick,
  tisAppHiddenButNotMinimized,
  tisClicked
};
using TCkTrayIconStates = fw::TSet<TCkTrayIconStateItem>;

FW_ENUM(TBalloonType, btNone, btError, btInfo, btWarning)

using TAnimateEvent = fw::TEvent<void(fw::TObject* Sender, int ImageIndex)>;
using TTrayContextPopupEvent = fw::TEvent<void(fw::TObject* Sender, fw::TPoint MousePos, bool& Handled)>;

// The shell call the icon goes through; replaceable for tests.
using TShellNotifyIcon = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
extern TShellNotifyIcon ShellNotifyIconProc;
// The wait between retries of a failed shell call; replaceable for tests.
extern void (*TrayRetryWait)();
// Whether the shell shows a notification area at all (its window exists);
// without one a failed call is not retried. Replaceable for tests.
extern bool (*TrayAreaPresent)();
// Where an icon notes that the shell refused it (once per icon; the
// program goes on without the icon). Replaceable for tests.
extern void (*TrayFailureNote)(const fw::String& Text);

constexpr UINT WM_TRAYCALLBACK = WM_USER + 1;
constexpr UINT_PTR kAnimationTimer = 1, kBalloonTimer = 2, kDoubleClickTimer = 3;

class TCkTrayIcon : public TCkComponent {
  FW_CLASS(TCkTrayIcon, TCkComponent)
  explicit TCkTrayIcon(fw::TComponent* AOwner);
  ~TCkTrayIcon() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value);
  fw::TIcon* Icon() const { return FIcon; }
  void SetIcon(fw::TIcon* Value);
  fw::TIcon* CurrentIcon() const { return FCurrentIcon; }
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int Value);
  fw::TCustomImageList* Icons() const { return FIcons; }
  void SetIcons(fw::TCustomImageList* Value);
  const fw::String& Hint() const { return FHint; }
  void SetHint(const fw::String& Value);
  fw::TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(fw::TPopupMenu* Value);
  fw::TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(fw::TPopupMenu* Value);
  int Delay() const { return FDelay; }
  void SetDelay(int Value);
  bool Snap() const { return FSnap; }
  void SetSnap(bool Value) { FSnap = Value; }
  bool SwingForthAndBack() const { return FSwingForthAndBack; }
  void SetSwingForthAndBack(bool Value) { FSwingForthAndBack = Value; }
  TTrayVisibilities Visibility() const { return FVisibility; }
  void SetVisibility(TTrayVisibilities Value);

  bool ApplicationVisible() const;
  void SetApplicationVisible(bool Value);
  bool VisibleInTaskList() const { return FTask; }
  void SetVisibleInTaskList(bool Value);
  bool IconVisible() const { return FState.Contains(tisTrayIconVisible); }
  void SetIconVisible(bool Value);
  TCkTrayIconStates State() const { return FState; }
  HWND Handle() const { return FHandle; }
  int BalloonCount() const { return FBalloonCount; }

  // Shows a balloon tip (delay in milliseconds); ignored while the icon is
  // hidden or the shell cannot show balloons.
  void BalloonHint(const fw::String& Title, const fw::String& Value, TBalloonType BalloonType = btNone,
                   int ADelay = 5000, bool CancelPrevious = false);
  void HideBalloon();
  bool AcceptBalloons() const;
  // The icon's rectangle on the screen; false when the shell does not tell.
  bool GetIconRect(fw::TRect& IconRect) const;
  virtual void HideApplication();
  virtual void ShowApplication();

  fw::TMouseEvent OnClick, OnDblClick, OnMouseDown, OnMouseUp;
  fw::TMouseMoveEvent OnMouseMove;
  TTrayContextPopupEvent OnContextPopup;
  fw::TNotifyEvent OnBalloonShow, OnBalloonHide, OnBalloonClick, OnQueryEndSession;
  TAnimateEvent OnAnimate;

  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  // The hidden window's procedure (public for tests that post to it).
  void TrayWndProc(fw::TMessage& Msg);
  // One step of the animation.
  void AnimateNextIcon();

 private:
  bool NotifyIcon(DWORD message, UINT flags);
  void FillIconData();
  void FillTip();
  void ShowTrayIcon();
  void HideTrayIcon();
  void StartAnimation();
  void StopAnimation();
  void UpdateCurrentIcon();
  void IconChanged(fw::TObject* Sender);
  void Hook();
  void Unhook();
  void AnimateToOrFromTray(bool ToTray);

 protected:
  // The application window's messages: a minimise hides the program to the
  // tray while the icon shows.
  bool AppHook(fw::TMessage& Msg);

 private:
  HWND ShownWindow() const;
  bool ShownWindowMinimized() const;
  void MouseMessage(UINT mouseMessage, fw::TPoint pos, fw::TShiftState shift);
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, fw::TPoint pos);
  void DoClick(fw::TMouseButton button, fw::TShiftState shift, fw::TPoint pos);
  void DoDoubleClick(fw::TMouseButton button, fw::TShiftState shift, fw::TPoint pos);
  void DoContextPopup(fw::TPoint pos);
  void PopupAt(fw::TPopupMenu* menu, fw::TPoint pos);

  fw::TIcon* FCurrentIcon;
  TCkTrayIconStates FState;
  bool FStreamedActive = false;
  bool FActive = false;
  fw::TIcon* FIcon;
  NOTIFYICONDATAW FIconData{};
  HWND FHandle = nullptr;
  fw::String FHint;
  fw::TPopupMenu* FPopupMenu = nullptr;
  int FBalloonCount = 0;
  fw::TMouseButton FClickedButton = fw::mbLeft;
  fw::TShiftState FClickedShift;
  fw::TPoint FClickedPos;
  bool FAnimated = false;
  int FDelay = 100;
  fw::TCustomImageList* FIcons = nullptr;
  int FIconIndex = 0;
  fw::TPopupMenu* FDropDownMenu = nullptr;
  bool FTask = true;
  bool FFailureNoted = false;
  fw::TDateTime FTime = 0;
  int FTimeDelay = 0;
  TTrayVisibilities FVisibility{tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide};
  bool FSnap = false;
  int FSwingDirection = 1;
  bool FSwingForthAndBack = false;
};

// The message the shell sends every window when its notification area has
// been made anew.
UINT TaskbarCreatedMessage();

}  // namespace ck
