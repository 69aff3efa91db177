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
#include <memory>

#include "fw/controls/controls.h"
#include "fw/system/messages.h"
#include "skin/engine/common_data.h"
#include "skin/engine/core/skin_data.h"
#include "skin/engine/skin_params.h"
#include "skin/engine/skinning_links.h"

namespace skin {

// The system's SetWindowTheme, empty where the system has none: the one way
// adapters switch a window's visual theme off (" ", " ") and give it back
// (null, null). Tests put their own in its place to see the calls.
using TkWindowThemeSetter = std::function<HRESULT(HWND, LPCWSTR, LPCWSTR)>;
TkWindowThemeSetter& WindowThemeSetter();

// True while a skinned system dialog's child windows get their adapters:
// adapters made then keep the window's visual theme and work in dialog mode.
extern bool AddingDialogControls;

// Where a window sits: its rectangle on the screen and its size, its place
// in its parent's client area, and the parent's rectangle.
struct TkcWindowGeometry {
  HWND ParentWnd = nullptr;
  fw::TRect WndRect;     // screen coordinates
  fw::TPoint WndSize;    // width and height of WndRect
  fw::TPoint WndPos;     // top-left in the parent's client coordinates
  fw::TRect ParentRect;  // the parent's window rectangle
};

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
  // Whether the window keeps its visual theme under the skin (menu windows
  // do: the menus paint themselves).
  virtual bool KeepsVisualTheme() const { return false; }
  // Whether attaching switches the window's visual theme off: not for a
  // window that keeps it, a "DIALOG" section, a control of a skinned system
  // dialog, nor for a form's own window whose provider leaves the frame to
  // the system.
  virtual bool ThemeOffOnAttach() const;
  // Whether detaching gives the theme back: with a provider only when it
  // paints the frame; otherwise always, except to a list view while the
  // desktop is composed.
  virtual bool ThemeBackOnDetach() const;
  // A list view (its theme stays off under desktop composition).
  virtual bool IsListView() const { return false; }

  // The provider of the form whose own window the adapter skins with the
  // provider's skin state; none for every other window. Set before Subclass.
  TkFormProviderLink* OwnerProvider = nullptr;

  // The window's skin state as the engine's code reads it (skin command
  // 37): the section with its indexes in the skin manager's skin, the
  // owner control, and the background children are painted over.
  TkCommonData* SkinData() const { return FSkinData.get(); }
  // The section's indexes again (after a new skin or section).
  void UpdateSkinData();

  HWND CtrlHandle = nullptr;
  // Where the window was when its dialog's provider adapted it.
  TkcWindowGeometry Geometry;
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
  // WM_PAINT of an adapter whose picture is made in the erase: the whole
  // window is invalidated with erasing, so the BeginPaint here asks for it.
  void PaintThroughErase(fw::TMessage& Message);
  void ControlProc(fw::TMessage& Message);
  // The skin data's background image (the section over what lies behind
  // the window), made again when it changed.
  void PrepareSkinDataCache();

  TkcSkinSource FSkin;
  TkcSkinParams FParams;
  fw::TWndMethod OldWndProc;
  WNDPROC OldProc = nullptr;
  std::unique_ptr<TkCommonData> FSkinData;

  friend LRESULT CALLBACK AdapterTrampoline(HWND, UINT, WPARAM, LPARAM);
};

// Makes an adapter of type T and attaches it.
template <class T, class... A>
T* AttachAdapter(HWND Wnd, TkcSkinSource Skin, const TkcSkinParams& Params, A&&... More) {
  auto* a = new T(Wnd, std::move(Skin), Params, std::forward<A>(More)...);
  a->Subclass();
  return a;
}

// True for a skin command naming the adapters' manager: the default one,
// or none named. A new skin, its removal or a refresh of another manager
// is passed on untouched.
bool OwnManagerCommand(const fw::TMessage& Message);

// The adapter attached to a window, or none.
TkcMainWnd* GetWindowAdapter(HWND Wnd);

// SetWindowPos with SWP_FRAMECHANGED (Frame) or a WM_NCPAINT.
void RefreshWindowFrame(HWND Wnd, bool Frame);

// A skin command on to the control's child controls, or, for a raw window,
// to its child windows.
void ForwardSkinCommand(fw::TControl* Control, HWND Wnd, fw::TMessage& Message);
// Tells the top-level window above Wnd that a control of it was made
// (skin command 25).
void NotifyTopWindow(HWND Wnd);

// An ordinal published property of the control, set or read by name when
// the control has one: other makers' controls publish their colours under
// names such as "FocusColor" or "FixedColor". A missing one reads as 0.
void WriteOrdPropIfPresent(fw::TControl* Control, fw::StringView Name, int64_t Value);
int64_t ReadOrdPropIfPresent(fw::TControl* Control, fw::StringView Name);
// A colour property read that way, system colours turned into RGB.
fw::TColor ReadColorPropRGB(fw::TControl* Control, fw::StringView Name);

}  // namespace skin
