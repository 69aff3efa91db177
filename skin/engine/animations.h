// Window animations: snapshots of controls and forms painted into 32-bit
// bitmaps, the show and hide animations of forms on a layered window, and
// the skin-change transition of a form from its old image to its new one.
// The step arithmetic is in core/animation_steps.h.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/controls/controls.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/manager_options.h"
#include "skin/engine/skinning_links.h"
#include "skin/engine/threaded_timer.h"

namespace skin {

// Paints the control (and its child windows) into the bitmap at (X, Y). A
// hidden control gets its parent's background instead.
void PaintControlToBitmap(fw::TBitmap& B, fw::TControl* C, int X, int Y, TkFormProviderLink* Provider);
void PaintChildWindowsToBitmap(fw::TWinControl* C, fw::TBitmap& B);

// A borderless layered tool window that shows 32-bit images.
class TkcAnimWindow {
 public:
  // Owned by the owner window (or the application window); of the given
  // window class when one is named.
  explicit TkcAnimWindow(HWND Owner, bool TopMost, const wchar_t* ClassName = nullptr);
  ~TkcAnimWindow();
  TkcAnimWindow(const TkcAnimWindow&) = delete;
  TkcAnimWindow& operator=(const TkcAnimWindow&) = delete;
  HWND Handle() const { return FHandle; }
  // Shows the image with its per-pixel alpha and the constant alpha at
  // the point (screen coordinates).
  void ShowImage(fw::TBitmap& Image, int Alpha, fw::TPoint Pos);

 private:
  HWND FHandle = nullptr;
};

// Frames of a hide animation stepped by a threaded timer every 12 ms.
class TkcHideTimer : public TkcThreadedTimer {
  FW_CLASS(TkcHideTimer, TkcThreadedTimer)
 public:
  explicit TkcHideTimer(fw::TComponent* AOwner);
  ~TkcHideTimer() override;

  HWND ParentWnd = nullptr;
  std::unique_ptr<TkcAnimWindow> Form;
  std::unique_ptr<fw::TBitmap> SrcBmp, DstBmp;
  int StartBlendValue = 255;
  int i = 0, StepCount = 0;
  TkcAnimType AnimType = atFading;
  bool EventCalled = false;
  double Trans = 0, p = 0, dx = 0, dy = 0, l = 0, t = 0, r = 0, b = 0;
  int FrameAlpha = 0;

  void Anim_Init();
  void OnTimerProc(fw::TObject* Sender);
  void CallEvent();

 private:
  void Anim_DoNext();
  void Anim_GoToNext();
};

// The hide timer of the form hides; created on first use.
extern TkcHideTimer* GlobalHideTimer;

// Shows the form from nothing to MaxAlpha in Time ms.
void AnimShowForm(TkFormProviderLink* Provider, unsigned Time, int MaxAlpha, TkcAnimType Mode);
// Shows a window that is about to appear from its picture (window-sized,
// or larger with Pos its top-left on the screen): the picture fades in
// (and grows, in the aero mode) in the steps of a dialog on a layered
// window, then the window is placed over it and drawn.
void AnimShowWindow(HWND Wnd, fw::TBitmap& Image, fw::TPoint Pos, unsigned Time, int MaxAlpha, TkcAnimType Mode);
// Hides the form with the manager's FormHide animation.
void AnimHideForm(TkFormProviderLink* Provider);
// Runs the frames of a hide of the window showing the snapshot; both are
// freed when it ends (at once for a Time below 12 ms).
void RunHideAnimation(std::unique_ptr<TkcAnimWindow> W, std::unique_ptr<fw::TBitmap> S, unsigned Time, HWND Parent,
                      TkcAnimType Mode, int StartAlpha);
// The form (or control) changes from its frozen old image to its new one.
void SkinChangeTransition(fw::TWinControl* Ctl, unsigned Time, int MaxAlpha, bool Aero);

}  // namespace skin
