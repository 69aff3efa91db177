// Forms: top-level windows built from their form description, with border
// styles, placement, activation and focus bookkeeping, keyboard preview,
// closing with a close action, and modal showing.
//
// MDI: a form with FormStyle fsMDIForm owns an MDI client window
// (ClientHandle) in the client area its aligned controls leave, and its
// default processing goes through DefFrameProcW. A form with fsMDIChild is
// made as an MDI child of the application's main form when that one is an
// MDI frame (elsewhere it stays a window of its own); its default
// processing goes through DefMDIChildProcW. The active child's Menu is
// merged into the frame's Menu: its items take the place of the frame's
// top-level items of the same GroupIndex, in group order, until the child
// is deactivated or goes away.
#pragma once

#include "fw/controls/controls.h"
#include "fw/dialogs/modal_result.h"

namespace fw {

class TControlCanvas;
class TMainMenu;
class TMenuItem;

FW_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
FW_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
FW_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
        poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
FW_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
FW_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
FW_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
FW_ENUM(TFormStateItem, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated)
using TFormState = TSet<TFormStateItem>;


using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = TEvent<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TWinControl {
  FW_CLASS(TCustomForm, TWinControl)

  // A form without its description (the description is read by
  // AfterConstruction, which the creating code calls once the object is
  // complete: Application->CreateForm and NewForm do).
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Reads the form's description (when one is registered for its class)
  // and fires OnCreate.
  virtual void AfterConstruction();
  void BeforeDestruction() override;

  TCanvas* Canvas() const;

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  void SetFocus() override;
  // Bookkeeping when a child window receives the focus: CM_EXIT, CM_ENTER,
  // CM_FOCUSCHANGED, CM_ACTIVATE/CM_DEACTIVATE. False when a handler moved
  // the focus elsewhere meanwhile.
  bool SetFocusedControl(TWinControl* Control);
  // A child that is hidden, disabled or removed gives up the focus.
  void DefocusControl(TWinControl* Control, bool Removing);
  bool Active() const { return FActive; }

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TFormState FormState() const { return FFormState; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  TRect ClientRect() const override;
  void SetClientSize(int W, int H) override;

  void Show();
  void Hide();
  // Shows the form modally (other windows of the program disabled) and runs
  // the message loop until ModalResult is set; returns it.
  virtual TModalResult ShowModal();
  void Close();
  virtual bool CloseQuery();
  // Frees the form from the message loop, after the current message.
  void Release();
  // Shortcuts of the form's actions; true when one ran.
  virtual bool IsShortCut(TMessage& Message);
  // Runs the update of every action the form's controls and lists hold.
  void UpdateActions();
  // The menu bar: its commands, shortcuts and owner drawing go through the
  // form. Set while the description is read, it keeps the client size.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // The menu item whose sub-menu lists an MDI frame form's children.
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* Value);
  // The MDI client window of an MDI frame form (null for other forms and
  // before the window is made).
  HWND ClientHandle() const { return FClientHandle; }
  // The active MDI child of an MDI frame form, or null.
  TCustomForm* ActiveMDIChild() const;
  // The form whose MDI client holds this MDI child, or null.
  TCustomForm* MDIFrame() const;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

 protected:
  friend class TWinControl;
  friend class TApplication;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void PaintWindow(HDC DC) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  void SetWindowFocus();
  void SetActive(bool Value);
  void CloseModal();
  void MoveToPosition();
  // The MDI client window of an MDI frame made or destroyed.
  void CreateMDIClient();
  void DestroyMDIClient();
  // The frame an MDI child is made in: the application's main form when it
  // is an MDI frame.
  static TCustomForm* MDIFrameForChild();
  // Merges this MDI child's Menu into its frame's Menu, or takes it out.
  void MergeMenu(bool MergeState);

  virtual void WMClose(TMessage& Message);
  virtual void WMActivate(TMessage& Message);
  virtual void WMSysCommand(TMessage& Message);
  virtual void WMGetMinMaxInfo(TMessage& Message);
  virtual void WMDestroy(TMessage& Message);
  virtual void WMQueryEndSession(TMessage& Message);
  virtual void WMMDIActivate(TMessage& Message);
  void WMSize(TMessage& Message) override;
  void CMShowingChanged(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  virtual void CMActivate(TMessage& Message);
  virtual void CMDeactivate(TMessage& Message);
  virtual void CMRelease(TMessage& Message);

  TControlCanvas* FCanvas;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDefaultPosOnly;
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FPositioned = false;
  TFormState FFormState;
  TModalResult FModalResult = mrNone;
  TMainMenu* FMenu = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  HWND FClientHandle = nullptr;
  int FFocusCount = 0;
  bool FCreated = false;
};

class TForm : public TCustomForm {
  FW_CLASS(TForm, TCustomForm)
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// Creates a form of class T with its description read and OnCreate fired.
template <class T>
T* NewForm(TComponent* Owner) {
  T* f = new T(Owner);
  try {
    f->AfterConstruction();
  } catch (...) {
    f->Free();
    throw;
  }
  return f;
}

// The description of a form class: one registered in memory under the class
// name, else the RCDATA resource named by the upper-cased class name
// ("TMAINFORM"). Reads it into the form; false when the class has none.
bool ReadFormDescription(TCustomForm* Form);
void RegisterFormDescription(const String& FormClassName, const String& Text);
// Replaces how AfterConstruction finds and reads a form's description.
using TFormDescriptionReader = bool (*)(TCustomForm* Form);
void SetFormDescriptionReader(TFormDescriptionReader Reader);

}  // namespace fw
