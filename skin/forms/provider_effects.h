// What a skinned form's provider gives its effects: the fades of its title
// buttons, its minimize and restore animations, the cover and snapshot of
// its hide animation and its extended border window. One object per
// provider answers each of them for the provider and holds what they make.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "skin/engine/animations.h"
#include "skin/forms/blended_move.h"
#include "skin/forms/border_window.h"
#include "skin/forms/core/frame_geometry.h"
#include "skin/forms/min_animation.h"
#include "skin/forms/title_glow.h"

namespace skin {

class TkSkinProvider;

// The form as a blended move sees it.
class TkcProviderMoveHost : public TkcBlendedMoveHost {
 public:
  explicit TkcProviderMoveHost(TkSkinProvider& Provider);
  TkSkinProvider& P;
  HWND MovedWindow() const override;
  bool BlendOnMovingActive() const override;
  int BlendValue() const override;
  int BlendTime() const override;
  fw::TBitmap* CacheBitmap() override;
};

class TkcProviderEffects : public TkcTitleGlowOwner, public TkcMinAnimHost, public TkcBorderOwner {
 public:
  explicit TkcProviderEffects(TkSkinProvider& Provider);
  ~TkcProviderEffects() override;

  TkSkinProvider& P;
  std::unique_ptr<TkcBorderForm> BorderForm;
  // The window over the form while it disappears (hide animation).
  std::unique_ptr<TkcAnimWindow> CoverForm;
  // The last snapshot of the form (the hide animation's image).
  std::unique_ptr<fw::TBitmap> CoverBmp;
  // The extended border values the image is built with while a border
  // window exists.
  TkExtBorderFacts ExtFacts;
  TkcProviderMoveHost MoveHost{P};
  bool HasBorder() const { return BorderForm && BorderForm->AForm(); }
  HWND BorderWindow() const { return BorderForm ? BorderForm->AForm() : nullptr; }
  void ReadExtFacts();

  // TkcTitleGlowOwner
  HWND GlowOwnerWindow() const override;
  HWND GlowBorderWindow() const override { return BorderWindow(); }
  TkLoadedSkin* GlowSkin() const override;
  bool GlowAllowed() const override;
  fw::TBitmap* UserButtonGlyph(int Index) const override;

  // TkcMinAnimHost
  HWND FormWindow() const override { return GlowOwnerWindow(); }
  std::unique_ptr<fw::TBitmap> MakeFormImage() override;
  bool MinimizingActive() const override;
  unsigned MinimizingTime() const override;
  void StopTitleAnimations() override;
  void ClearHotElement() override;
  void RepaintFrame() override;
  TkcBorderForm* HostBorderForm() const override { return BorderForm.get(); }

  // TkcBorderOwner
  HWND OwnerHandle() const override { return GlowOwnerWindow(); }
  uint32_t& FormState() override;
  fw::TBitmap* CacheBitmap() override;
  bool& BGChanged() override;
  void PaintAll() override;
  int XOffset() const override;
  int YOffset() const override;
  TkBorderFacts HitFacts() const override;
  TkBorderClientFacts ClientFacts() const override;
  void SetHotHT(int Code) override;
  void KillAnimations() override { StopTitleAnimations(); }
  bool Modal() const override;
  bool MainForm() const override;
  TkBorderShowFacts ShowFacts() const override;
  void StoreHideImage() override;
  bool CanMaximizeOrRestore() const override;
  bool Sizeable() const override;
  int ExtFrameDelta() const override;
  int ExtTitleDelta() const override;
  bool StartBlendedMove() override;
  void EndOutlineDrag() override;
  void WindowCommandSent() override;
  bool AnimationTimer() const override { return FormTimer != nullptr; }
  bool StayOnTop() const override;
  bool TakesUpdate(const RECT& R) const override;
  bool BlurBehind() const override;
  int ContentOffset() const override;
  bool ScreenSnap() const override;
  int SnapBuffer() const override;
};

}  // namespace skin
