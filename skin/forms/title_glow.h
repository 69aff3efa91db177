// The fade of a title button of a skinned form or dialog: when a button
// becomes hot, is pressed or returns to normal, a small layered window over
// it fades its image in or out in 12 ms steps. The hot minimize, maximize
// and close buttons show the skin's glow picture of the button, which may
// reach beyond it; every other state shows the button's own image. The
// window is transparent to the mouse and never takes activation.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/graphics/graphics.h"
#include "fw/system/timers.h"
#include "skin/engine/animations.h"
#include "skin/engine/core/fade_levels.h"
#include "skin/engine/core/skin_data.h"
#include "skin/forms/core/caption_layout.h"

namespace skin {

// What a title-button fade reads of the form or dialog it belongs to.
class TkcTitleGlowOwner {
 public:
  virtual ~TkcTitleGlowOwner() = default;
  // The form's (or dialog's) window; button rectangles are relative to its
  // window rectangle, or to the border window's when there is one.
  virtual HWND GlowOwnerWindow() const = 0;
  virtual HWND GlowBorderWindow() const { return nullptr; }
  virtual TkLoadedSkin* GlowSkin() const = 0;
  // The skin manager's Effects.AllowGlowing.
  virtual bool GlowAllowed() const { return true; }
  virtual bool OwnerIconic() const { return GlowOwnerWindow() && IsIconic(GlowOwnerWindow()); }
  // The glyph of user title button n, or null.
  virtual fw::TBitmap* UserButtonGlyph(int Index) const {
    (void)Index;
    return nullptr;
  }
};

class TkcSBAnimation : public fw::TTimer, private TkcFadeSink {
  FW_CLASS(TkcSBAnimation, fw::TTimer)
  TkcSBAnimation(fw::TComponent* AOwner, TkcTitleGlowOwner* Owner, TkCaptionButton* Btn);
  ~TkcSBAnimation() override;

  TkcTitleGlowOwner* GlowOwner = nullptr;
  TkCaptionButton* PBtnData = nullptr;
  TkcFadeLevels Fade;
  std::unique_ptr<TkcAnimWindow> AForm;
  std::unique_ptr<fw::TBitmap> ABmp;

  int Step() const { return Fade.Step(); }
  // The glow picture's margin beyond the button (0 unless a hot minimize,
  // maximize or close button glows).
  int Offset() const;
  // The glow window's screen rectangle.
  fw::TRect GetFormBounds() const;
  void MakeForm();
  void MakeImg();
  void UpdateForm(int Blend);
  void StartAnimation(int NewState, bool ToUp);
  // Turns the running fade towards NewState (a press makes its image anew).
  void Retarget(int NewState, int Iterations, bool ToUp);
  // One tick (the timer's event; tests call it directly).
  void OnAnimTimer();

 protected:
  void Timer() override { OnAnimTimer(); }

 private:
  void ShowAt(int Alpha) override { UpdateForm(Alpha); }
  void DropImage() override;
  bool MouseOutside() override;
  void MouseLeft() override;
  int MaskIndex() const;
  int GlowMaskIndex() const;
  void SyncTimer();
};

// Starts or turns round the fade of one button: (1, 10, true) when it
// becomes hot, (2, 1, true) when pressed, (0, 10, false) back to normal. The
// fade is kept in Btn.Timer, owned by AOwner.
void AnimateTitleButton(TkCaptionButton& Btn, int NewState, int Iterations, bool ToUp, TkcTitleGlowOwner* Owner,
                        fw::TComponent* AOwner);
// Frees the button's fade and its window.
void StopTitleButtonAnimation(TkCaptionButton& Btn);

}  // namespace skin
