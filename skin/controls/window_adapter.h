// Window adapters skin one existing window without changing its class: the
// adapter takes over the window's procedure (a framework control's
// WindowProc, or the Win32 procedure of a raw window through one shared
// trampoline), stores itself in the window property "ACSBSC" so that code
// holding only the handle finds it, answers the skin commands every adapter
// answers alike, and passes everything else on.
//
// Detaching gives the window its procedure back at once. A window destroyed
// while adapted is detached on WM_DESTROY; WM_DESTROY and WM_NCDESTROY each
// reach the window's own procedure exactly once.
#pragma once

#include <windows.h>

#include <functional>

#include "fw/controls/controls.h"
#include "fw/system/messages.h"
#include "skin/engine/core/skin_data.h"
#include "skin/engine/skin_params.h"
#include "skin/engine/skinning_links.h"

namespace skin {

// True while a skinned system dialog's child windows get their adapters:
// adapters made then keep the window's visual theme and work in dialog mode.
extern bool AddingDialogControls;

class TkcMainWnd : public TkAdapterLink {
 public:
  TkcMainWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  // Detaches (when still attached).
  virtual ~TkcMainWnd();
  TkcMainWnd(const TkcMainWnd&) = delete;
  TkcMainWnd& operator=(const TkcMainWnd&) = delete;

  // Takes over the window's procedure; called once after construction
  // (Attach below does both).
  virtual void Subclass();
  // Gives the window its procedure and property back; Destroyed afterwards.
  void Detach();
  bool IsDestroyed() const override { return Destroyed; }

  virtual void kcWndProc(fw::TMessage& Message);
  // Hands a message to the procedure the adapter replaced.
  LRESULT CallPrevWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  void CallPrev(fw::TMessage& Message) { Message.Result = CallPrevWndProc(Message.Msg, Message.WParam, Message.LParam); }

  TkLoadedSkin* Skin() const { return FSkin ? FSkin() : nullptr; }
  bool Skinned() const { return !Destroyed && Skin() != nullptr; }
  fw::TControl* Control() const { return FParams.Control; }
  const TkcSkinParams& Params() const { return FParams; }
  // The section the adapter paints with (its own default when none given).
  virtual fw::String DefaultSection() const { return fw::String(); }
  fw::String SkinSection() const { return FParams.SkinSection.empty() ? DefaultSection() : FParams.SkinSection; }

  HWND CtrlHandle = nullptr;
  bool DlgMode = false;
  bool Destroyed = false;
  bool DontRepaint = false;
  bool Updating = false;
  bool BGChanged = true;
  HDC PrintDC = nullptr;
  fw::String Caption;
  int Tag = 0;

 protected:
  // The common skin-command answers; true when the message is answered.
  bool HandleSkinCommand(fw::TMessage& Message);
  virtual void RestoreStdParams() {}
  // WM_PAINT of an adapter that paints the whole window itself: into the
  // DC a WM_PAINT carries in wParam, else between BeginPaint and EndPaint
  // unless updates are held. False for a hidden window (the message goes on).
  bool PaintWithPrint(fw::TMessage& Message, const std::function<void(HDC)>& Print);
  void ControlProc(fw::TMessage& Message);

  TkcSkinSource FSkin;
  TkcSkinParams FParams;
  fw::TWndMethod OldWndProc;
  WNDPROC OldProc = nullptr;
  bool FThemeOff = false;

  friend LRESULT CALLBACK AdapterTrampoline(HWND, UINT, WPARAM, LPARAM);
};

// Makes an adapter of type T and attaches it.
template <class T, class... A>
T* AttachAdapter(HWND Wnd, TkcSkinSource Skin, const TkcSkinParams& Params, A&&... More) {
  auto* a = new T(Wnd, std::move(Skin), Params, std::forward<A>(More)...);
  a->Subclass();
  return a;
}

// The adapter attached to a window, or none.
TkcMainWnd* GetWindowAdapter(HWND Wnd);

// SetWindowPos with SWP_FRAMECHANGED (Frame) or a WM_NCPAINT.
void RefreshWindowFrame(HWND Wnd, bool Frame);

}  // namespace skin
