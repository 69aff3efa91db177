// The control model: TControl (a rectangle on a parent, painted by it),
// TWinControl (a real window), TGraphicControl and TCustomControl (the two
// bases with a canvas and a Paint method).
//
// Every control has a replaceable WindowProc (by default its virtual
// WndProc); WndProc hands messages to Dispatch, which calls the handler of a
// message number or DefaultHandler. A windowed control's DefaultHandler is
// the native window procedure of its class (DefWindowProc for the
// framework's own classes); framework notices never reach it.
#pragma once

#include <windows.h>

#include <vector>

#include "fw/core/component.h"
#include "fw/core/cursors.h"
#include "fw/core/events.h"
#include "fw/core/sets.h"
#include "fw/graphics/graphics.h"
#include "fw/system/messages.h"
#include "fw/system/wndregistry.h"

namespace fw {

class TFont;
class TCanvas;
class TControlCanvas;
class TWinControl;
class TCustomForm;
class TBasicAction;
class TControlActionLink;
class TSizeConstraints;

FW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
FW_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;

// Bits of ControlStyle. csNeedsBorderPaint is 0x20000 and csParentBackground
// 0x40000 as masks: the component layer tests them by value.
FW_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents,
        csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight,
        csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector,
        csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground)
using TControlStyle = TSet<TControlStyleItem>;

FW_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
        csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking,
        csDesignerHide, csPanning, csRecreating, csAligning, csGlassPaint, csPrintClient)
using TControlState = TSet<TControlStateItem>;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char16_t& Key)>;

// The hint record that CM_HINTSHOW carries (lParam points at it).
class THintWindow;
using THintWindowClass = TClass;
struct THintInfo {
  class TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = 0;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

// One link of a WindowProc chain (see TWindowProcHook).
struct TWndProcNode {
  class TControl* Control = nullptr;
  TWndMethod Previous;
  TWndMethod Handler;
  bool Retired = false;
  void Proc(TMessage& Message);
};

// Minimum and maximum size of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
  FW_CLASS(TSizeConstraints, TPersistent)
  explicit TSizeConstraints(class TControl* control) : FControl(control) {}
  int MaxHeight() const { return FMaxHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MinHeight() const { return FMinHeight; }
  int MinWidth() const { return FMinWidth; }
  void SetMaxHeight(int v);
  void SetMaxWidth(int v);
  void SetMinHeight(int v);
  void SetMinWidth(int v);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  // Width and height limited to the constraints.
  void Apply(int& width, int& height) const;

 private:
  void Changed();
  class TControl* FControl;
  int FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};

class TControl : public TComponent {
  FW_CLASS(TControl, TComponent)

  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // ---- Messages
  TWndMethod WindowProc() const { return FWindowProc; }
  void SetWindowProc(const TWndMethod& Value) { FWindowProc = Value; }
  // Sends a message straight through WindowProc (no window involved).
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // The default window procedure: offers the message to the design hook,
  // tracks mouse state, then Dispatch.
  virtual void WndProc(TMessage& Message);
  // Calls the handler for the message's number, or DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // ---- Parent and geometry
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
  void SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
  virtual void SetClientSize(int W, int H);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(const TPoint& P) const;
  TPoint ScreenToClient(const TPoint& P) const;
  // From this control's client coordinates to its parent's and back.
  TPoint ClientToParent(const TPoint& P, TWinControl* AParent = nullptr) const;
  TPoint ParentToClient(const TPoint& P, TWinControl* AParent = nullptr) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints; }
  void SetConstraints(TSizeConstraints* Value);

  // ---- State
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Visible and every parent visible (for a windowed control: its window is
  // shown).
  virtual bool Showing() const;
  String Caption() const { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() const { return GetText(); }
  void SetText(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return FActionLink; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  bool IsRightToLeft() const { return false; }

  // ---- Painting
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }

  // ---- Behaviour
  virtual void Click();
  virtual void DblClick();
  void BringToFront();
  void SendToBack();
  // Hit test: a point of the client area belongs to the control (CM_HITTEST
  // answers it; graphic controls may be partly transparent).
  bool HitTest(int X, int Y);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  // Copies what the action offers into the control.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  void InitiateAction();
  // The component notices for a changed property.
  void Changed();

 protected:
  friend class TWinControl;
  friend class TSizeConstraints;
  friend class TControlActionLink;
  friend class TWindowProcHook;

  virtual String GetText() const;
  virtual void SetTextValue(const String& Value);
  // Moves the control's image (windowless: invalidates old and new places).
  virtual void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  virtual bool CanResize(int& NewWidth, int& NewHeight) { (void)NewWidth; (void)NewHeight; return true; }
  virtual void Resize();
  virtual void RequestAlign();
  void UpdateAnchorRules();
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  virtual void VisibleChanging() {}
  virtual void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  virtual void FontChanged(TObject* Sender);
  // The parent form, for keyboard routing; null outside a form.
  TCustomForm* GetParentFormInternal() const;

  // Message handlers (overridable, call the base to keep its behaviour).
  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMRButtonDown(TMessage& Message);
  virtual void WMRButtonUp(TMessage& Message);
  virtual void WMMButtonDown(TMessage& Message);
  virtual void WMMButtonUp(TMessage& Message);
  virtual void WMMouseMove(TMessage& Message);
  virtual void WMCancelMode(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMHitTest(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMHintShow(TMessage& Message);
  virtual void CMFloat(TMessage& Message) { (void)Message; }

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Place and parent client size the anchors keep distances to.
  TRect FAnchorBounds;
  TPoint FAnchorParentSize;
  bool FAnchorValid = false;
  TSizeConstraints* FConstraints = nullptr;
  bool FVisible = true;
  bool FEnabled = true;
  String FText;
  TColor FColor = clWindow;
  bool FParentColor = true;
  TFont* FFont = nullptr;
  bool FParentFont = true;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TComponent* FPopupMenu = nullptr;
  TControlActionLink* FActionLink = nullptr;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  TWndMethod FWindowProc;
  bool FMouseInControl = false;
  std::vector<TWndProcNode*> FWndProcNodes;

 private:
  void SendMouseButtonDown(TMessage& Message, TMouseButton Button);
  void SendMouseButtonUp(TMessage& Message, TMouseButton Button);
};

// The create parameters of a window: CreateParams fills them, CreateWnd
// registers the class and creates the window from them.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSEXW WindowClass{};
  // Name of the window class registered for the control's class.
  String WinClassName;
};

class TWinControl : public TControl {
  FW_CLASS(TWinControl, TControl)

  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  // Gives up the focus, destroys the window and the children and leaves the
  // parent while every part of the object still exists.
  void BeforeDestruction() override;

  // ---- Window
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The window handle, without creating it.
  HWND WindowHandle() const { return FHandle; }
  void RecreateWnd();
  void DestroyHandle();
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);
  // The native procedure DefaultHandler passes messages to.
  WNDPROC DefWndProc() const { return FDefWndProc; }
  bool Showing() const override { return FShowing; }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Entry of every message that arrives through the window: runs WindowProc
  // and turns an escaping exception into the application's error handling.
  void MainWndProc(TMessage& Message);

  // ---- Children
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  // Graphic controls first (in z-order from the bottom), then windowed ones.
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The topmost child at a client point: graphic controls that answer
  // CM_HITTEST, windowed ones only when asked for.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  // Sends the message to every child in turn until one sets a result.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  // ---- Tab order and focus
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // The windowed children (and, with Children, theirs) in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  virtual void SetFocus();
  virtual bool Focused() const;
  virtual bool CanFocus() const;

  // ---- Layout
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return FAlignLevel != 0; }
  void Realign();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // ---- Painting
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value);
  bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
  void SetParentBackground(bool Value);
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  // Paints the control with its children into dc with its top-left corner
  // at (X, Y), without the screen (the window need not be visible).
  void PaintTo(HDC DC, int X, int Y);
  void PaintTo(TCanvas* Canvas, int X, int Y);

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void SetParent(TWinControl* AParent) override;
  void Loaded() override;

 protected:
  friend class TControl;
  friend class TCustomForm;
  friend class TApplication;
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);

  virtual void CreateParams(TCreateParams& Params);
  // Makes the window class a copy of a registered one (standard controls):
  // DefaultHandler then calls that class's procedure.
  void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
  virtual void CreateHandle();
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // Called once the handle exists (children get theirs, fonts are set).
  virtual void CreateHandleChildren();
  void UpdateShowing();
  void UpdateControlState();
  virtual void SetZOrder(bool TopMost);
  void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void UpdateBounds();
  void AlignControl(TControl* AControl);
  void RequestAlign() override;
  void InvalidateRectOf(const TRect& Rect, bool Erase);
  String GetText() const override;
  void SetTextValue(const String& Value) override;
  HBRUSH BrushHandle();

  // Painting.
  void PaintHandler(TMessage& Message);
  virtual void PaintWindow(HDC DC);
  void PaintControls(HDC DC, TControl* First);
  void EraseBackground(HDC DC);
  void PaintParentBackground(HDC DC);

  // Keyboard.
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);
  // A key-down or key-up message: the form sees it first through Preview
  // when it has KeyPreview, then Handler; true when the key was eaten.
  bool DoKeyUpOrDown(TMessage& Message, bool (TWinControl::*Preview)(TMessage&),
                     void (TWinControl::*Handler)(WORD&, TShiftState));
  virtual void DoEnter();
  virtual void DoExit();
  // Offers a key to the reflected-message path; true when a handler took it.
  bool IsControlMouseMsg(TMessage& Message);
  // A reflected notification for the child window that sent it.
  bool DoControlMsg(HWND ControlHandle, TMessage& Message);

  virtual void WMPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMPrintClient(TMessage& Message);
  virtual void WMPrint(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMSysKeyDown(TMessage& Message);
  virtual void WMSysKeyUp(TMessage& Message);
  virtual void WMSysChar(TMessage& Message);
  virtual void WMReflected(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMMove(TMessage& Message);
  virtual void WMWindowPosChanged(TMessage& Message);
  virtual void WMSetCursor(TMessage& Message);
  virtual void WMMouseLeave(TMessage& Message);
  virtual void WMNCDestroy(TMessage& Message);
  virtual void WMShowWindow(TMessage& Message);
  virtual void WMContextMenu(TMessage& Message);
  virtual void CNKeyDown(TMessage& Message);
  virtual void CNKeyUp(TMessage& Message);
  virtual void CNChar(TMessage& Message);
  virtual void CNSysKeyDown(TMessage& Message);
  virtual void CNSysChar(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMFocusChanged(TMessage& Message);
  virtual void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  virtual void CMShowHintChanged(TMessage& Message);
  virtual void CMCursorChanged(TMessage& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMRecreateWnd(TMessage& Message);
  virtual void CMInvalidate(TMessage& Message);
  virtual void CMSysColorChange(TMessage& Message);
  virtual void CMChildKey(TMessage& Message) { (void)Message; }

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  HWND FParentWindow = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  // The windowed children in tab order.
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  bool FShowing = false;
  int FAlignLevel = 0;
  bool FDoubleBuffered = false;
  HBRUSH FBrush = nullptr;
  TColor FBrushColor = clNone;
  // A control that wants to receive WM_MOUSELEAVE for its window.
  bool FTrackingMouse = false;
  // Text kept across RecreateWnd for controls that hold it in the window.
  String FRecreateText;
};

class TGraphicControl : public TControl {
  FW_CLASS(TGraphicControl, TControl)
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const;

 protected:
  void Dispatch(TMessage& Message) override;
  virtual void Paint() {}
  virtual void WMPaint(TMessage& Message);
  TControlCanvas* FCanvas;
};

class TCustomControl : public TWinControl {
  FW_CLASS(TCustomControl, TWinControl)
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const;

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;
  TControlCanvas* FCanvas;
};

// ---- Capture, focus and the mouse control

// The control that holds the mouse: a windowed control, or a graphic one
// whose parent window holds the system capture for it.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The form a control sits on (its topmost parent when that is a form).
TCustomForm* GetParentForm(TControl* Control);
// The control at a screen point: a window's control or its graphic child.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// Whether Key is the accelerator (the letter after "&") of Caption.
bool IsAccel(WORD Key, const String& Caption);

}  // namespace fw
