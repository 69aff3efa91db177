// The application: its hidden top-level window, the message loop with idle
// processing, the main form, minimizing, exceptions shown to the user, the
// mouse-over tracking of controls and the hints.
#pragma once

#include <windows.h>

#include <vector>

#include "fw/controls/controls.h"
#include "fw/controls/forms.h"

namespace fw {

class THintWindow;

using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = TEvent<void(TObject* Sender, Exception* E)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;
using TShowHintEvent = TEvent<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
// A hook on the application window: true when it handled the message.
using TWindowHook = TEvent<bool(TMessage& Message)>;

class TApplication : public TComponent {
  FW_CLASS(TApplication, TComponent)

  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // The application window: hidden owner of every form, its taskbar button.
  HWND Handle() const { return FHandle; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value);
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  // Creates a form owned by the application; the first one becomes the
  // main form.
  template <class T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    try {
      form->AfterConstruction();
    } catch (...) {
      Reference = nullptr;
      form->Free();
      throw;
    }
    if (!FMainForm) FMainForm = form;
  }

  // The message loop: shows the main form and runs until Terminate.
  void Run();
  // Handles the waiting messages and returns; may be called from inside a
  // message handler.
  void ProcessMessages();
  // Handles one message, or idles and waits for one.
  void HandleMessage();
  // Ends Run (and a modal loop) through the quit message; Terminated is
  // true from then until Run returns.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void Minimize();
  void Restore();
  bool Active() const { return FActive; }
  int ModalLevel() const { return FModalLevel; }
  void ModalStarted();
  void ModalFinished();
  HWND ActiveFormHandle() const;
  void BringToFront();

  // The current exception goes to OnException or a message box; EAbort is
  // silent. Call from a catch block.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  int MessageBox(const String& Text, const String& Caption, UINT Flags);

  // Hooks on the application window, run before its own handling.
  void HookMainWindow(const TWindowHook& Hook);
  void UnhookMainWindow(const TWindowHook& Hook);

  // ---- Hints
  THintWindowClass HintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(THintWindowClass Value);
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  // The hint window while a hint is shown, else null.
  THintWindow* HintWindow() const { return FHintActive ? FHintWindow : nullptr; }
  void CancelHint();
  void ActivateHint(const TPoint& CursorPos);
  // Called by every control for WM_MOUSEMOVE: starts the hint pause when
  // the mouse comes to another control.
  void HintMouseMessage(TControl* Control, TMessage& Message);

  // ---- Mouse-over tracking
  // The control the mouse is over: entering another one sends
  // CM_MOUSELEAVE to the old and CM_MOUSEENTER to the new control.
  TControl* MouseControl() const { return FMouseControl; }
  void SetMouseControl(TControl* Control);
  // Tracking from the cursor position (idle time, and every move of the
  // virtual cursor).
  void DoMouseIdle();
  void MouseLeftWindow(TWinControl* Control);

  // ---- Bookkeeping the controls report
  void ControlDestroyed(TControl* Control);
  void ControlRemoved(TControl* Control);
  void FormDestroyed(TCustomForm* Form);
  // Shows the application window while a form is visible.
  void UpdateVisible();

  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TMessageEvent OnMessage;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TNotifyEvent OnModalBegin;
  TNotifyEvent OnModalEnd;

 private:
  bool ProcessMessage(MSG& Msg);
  void Idle(const MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  bool IsHintMsg(const MSG& Msg);
  void WndProc(TMessage& Message);
  void StartHintTimer(int Delay, bool Show);
  void StopHintTimer();
  void HideHint();
  void UpdateHintControl(TControl* Control, const TPoint& ScreenPos);

  HWND FHandle = nullptr;
  String FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FRunning = false;
  bool FActive = false;
  bool FMinimized = false;
  int FModalLevel = 0;
  std::vector<TWindowHook> FWindowHooks;

  THintWindowClass FHintWindowClass = nullptr;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect;
  bool FHintActive = false;
  bool FHintTimerShows = false;
  UINT_PTR FHintTimer = 0;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  String FHint;
  TControl* FMouseControl = nullptr;
};

// The program's application object, made at start-up.
extern TApplication* Application;

// The part of a hint before "|" (the short hint) and after it (the long
// hint, used for status lines; the whole hint when there is no "|").
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
// The program's icon: its "MAINICON" resource, else the system's application
// icon. Forms, the application window and tray icons show it by default.
HICON ProgramIcon();

}  // namespace fw
