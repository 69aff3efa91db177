// The minimize and restore animations of a skinned form: a snapshot of the
// form shrinks towards the taskbar while it fades out, and grows back while
// it fades in, on a layered cover window stepped every 12 ms by a threaded
// timer; the real window stays fully transparent meanwhile. Every way out
// (the last step, the form's window going, the timer being freed) leaves the
// window fully opaque, and the system's own window animation is switched
// off only for the one ShowWindow call that restores the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/engine/animations.h"
#include "skin/engine/threaded_timer.h"
#include "skin/forms/core/min_animation_steps.h"

namespace skin {

class TkcBorderForm;

// What the animations read of and do to the form's provider.
class TkcMinAnimHost {
 public:
  TkcMinAnimHost() : FormState(FOwnState), fAnimating(FOwnAnimating) {}
  // The state bits and the flag kept by the provider itself.
  TkcMinAnimHost(uint32_t& State, bool& Animating) : FormState(State), fAnimating(Animating) {}
  virtual ~TkcMinAnimHost();
  TkcMinAnimHost(const TkcMinAnimHost&) = delete;
  TkcMinAnimHost& operator=(const TkcMinAnimHost&) = delete;

 private:
  uint32_t FOwnState = 0;
  bool FOwnAnimating = false;

 public:
  uint32_t& FormState;  // 0x100 minimizing, 0x400 restoring
  bool& fAnimating;
  // The provider's animation timer (a TkcMinTimer between a minimize and
  // the next restore).
  std::unique_ptr<TkcThreadedTimer> FormTimer;

  virtual HWND FormWindow() const = 0;
  // A full rendering of the form, opaque, the size of its window.
  virtual std::unique_ptr<fw::TBitmap> MakeFormImage() = 0;
  // The manager's AnimEffects.Minimizing.
  virtual bool MinimizingActive() const { return true; }
  virtual unsigned MinimizingTime() const { return 120; }
  virtual bool AlphaBlend() const { return false; }
  virtual int AlphaBlendValue() const { return 255; }
  virtual void StopTitleAnimations() {}
  // No title element is hot any more.
  virtual void ClearHotElement() {}
  // The frame is painted again after the animation.
  virtual void RepaintFrame() {}
  // The form's extended border window, which then shows the animation.
  virtual TkcBorderForm* HostBorderForm() const { return nullptr; }
};

// Switches the system's minimize and restore animation off for its scope
// and back on at its end, whatever happens between.
class TkcSysAnimationOff {
 public:
  TkcSysAnimationOff();
  ~TkcSysAnimationOff();
  TkcSysAnimationOff(const TkcSysAnimationOff&) = delete;
  TkcSysAnimationOff& operator=(const TkcSysAnimationOff&) = delete;

  // How the setting is read and written (tests give their own).
  static bool (*Read)();
  static void (*Write)(bool On);

 private:
  bool FWasOn;
};

// The taskbar as the system shows it now; without desktop composition also
// the application's button on it (else the animation aims at the
// taskbar's inner edge).
TkTaskbarFacts ReadTaskbarFacts();
// The screen rectangle of AppWindow's button on the task list of the
// taskbar window Tray (its tool bar, read through memory reserved in the
// process that owns it); empty when it is not found.
fw::TRect TaskbarButtonRect(HWND Tray, HWND AppWindow);
// Gives the window WS_EX_LAYERED and shows the 32-bit bitmap on it (an
// empty one of the window's size without a bitmap) at the alpha, at Pos or
// where it is.
void SetLayeredBitmap(HWND Wnd, fw::TBitmap* Bmp, int Alpha, const fw::TPoint* Pos);
// A topmost non-activating layered window over Wnd showing its current
// pixels, opaque.
std::unique_ptr<TkcAnimWindow> MakeCoverForm(HWND Wnd);

class TkcMinTimer : public TkcThreadedTimer {
  FW_CLASS(TkcMinTimer, TkcThreadedTimer)
  TkcMinTimer(fw::TComponent* AOwner, TkcMinAnimHost* Host);
  // Gives the window its opacity back when an animation is cut short.
  ~TkcMinTimer() override;

  TkcMinAnimHost* sp = nullptr;
  HWND FormHandle = nullptr;
  TkMinSteps Steps;
  std::unique_ptr<TkcAnimWindow> AnimForm;
  std::unique_ptr<fw::TBitmap> SavedImage, AlphaBmp;
  TkTaskbarFacts Taskbar;

  int AlphaFrom() const;
  void InitData();
  // The window the animation shows on: the border window's, else the cover.
  HWND AnimHandle() const;
  // One step (the timer's tick; tests call it directly).
  void Tick() { TimeHandler(); }

 protected:
  void TimeHandler() override;

 private:
  TkcBorderForm* Border() const;
  void ShowOn(fw::TBitmap& Image, int Alpha, fw::TPoint Pos);
  void ShowFrame();
  void EndMinimize();
  void EndRestore();
  void MakeOpaque();
};

// The form is being minimised: its snapshot shrinks to the taskbar.
void StartMinimizeAnimation(TkcMinAnimHost& Host);
// The minimised form is being restored; true when an animation runs.
bool StartRestoreAnimation(TkcMinAnimHost& Host);

}  // namespace skin
